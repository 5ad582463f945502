// Clipboard -- SDL's clipboard while the display is open, a copy of our own without one.
#include "platform/Clipboard.h"

#include <SDL.h>

namespace Platform {

namespace {

std::string local;  // the text last copied, for runs without a display

}  // namespace

bool SetClipboardText(const std::string& utf8) {
  local = utf8;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return true;
  return SDL_SetClipboardText(utf8.c_str()) == 0;
}

std::string ClipboardText() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return local;
  char* text = SDL_GetClipboardText();
  std::string result = text != nullptr ? text : "";
  SDL_free(text);
  return result;
}

}  // namespace Platform
