// MinimalPresenter -- the yardstick for the game's own cost on a desktop: the least an SDL
// program does to show a 400 x 400 picture enlarged by a whole factor 20 times a second
// (window surface, SDL's nearest-pixel blit, the same X11 setting as the game).
//   minimal-presenter FACTOR SECONDS     SECONDS 0: present one frame, then wait to be ended
// bench/desktop-bench runs it beside the game under Xvfb and compares their CPU time.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: minimal-presenter FACTOR SECONDS\n");
    return 2;
  }
  const int factor = std::atoi(argv[1]);
  const int seconds = std::atoi(argv[2]);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "minimal-presenter: %s\n", SDL_GetError());
    return 1;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Window* window = SDL_CreateWindow("minimal-presenter", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        400 * factor, 400 * factor, 0);
  SDL_Surface* target = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
  if (target == nullptr) {
    std::fprintf(stderr, "minimal-presenter: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, 400, 400, 32, target->format->format);
  uint32_t start = SDL_GetTicks();
  bool quit = false;
  for (uint32_t n = 0; !quit; ++n) {
    // A picture that changes every frame, as the game's does.
    SDL_Rect bar{static_cast<int>(n % 400), 0, 1, 400};
    SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 64));
    SDL_FillRect(frame, &bar, SDL_MapRGB(frame->format, 255, 255, 255));
    SDL_BlitScaled(frame, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      if (event.type == SDL_QUIT) quit = true;
    }
    if (seconds == 0) {
      SDL_WaitEventTimeout(nullptr, 1000);  // shown: the caller has what it measures and ends us
      continue;
    }
    if (SDL_GetTicks() - start >= static_cast<uint32_t>(seconds) * 1000) break;
    SDL_Delay(50 - (SDL_GetTicks() - start) % 50);
  }
  SDL_FreeSurface(frame);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
