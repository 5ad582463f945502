// ApplicationSdl -- the display opened and closed through SDL's video.
#include <SDL.h>

#include <cstring>
#include <string>

#include "platform/Application.h"
#include "platform/Form.h"

namespace Platform {

bool TApplication::Initialize() {
  if (display_) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    initError_ = std::string("no display: ") + SDL_GetError();
    return false;
  }
  // SDL falls back to its off-screen driver when it finds no screen; that counts as none
  // unless someone asked for it (tests ask for the dummy driver by SDL_VIDEODRIVER).
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  bool offScreen = driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
  if (offScreen && (asked == nullptr || *asked == '\0')) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    initError_ = "no display: nothing to open a window on (is DISPLAY set?)";
    return false;
  }
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    Screen.Width = mode.w;
    Screen.Height = mode.h;
  }
  display_ = true;
  return true;
}

void TApplication::CloseDisplay() {
  if (display_) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

}  // namespace Platform
