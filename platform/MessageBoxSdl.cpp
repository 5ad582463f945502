// MessageBoxSdl -- the error box in an SDL window of its own, with an event loop of its own.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/MessageBox.h"
#include "platform/SdlInternal.h"
#include "platform/TextCodec.h"
#include "platform/WindowInternal.h"

namespace Platform {

namespace {

constexpr SDL_Keycode kCloseKeys[] = {SDLK_RETURN, SDLK_KP_ENTER, SDLK_ESCAPE, SDLK_SPACE};

void Show(SDL_Window* window, TBitmap& picture) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  SDL_Surface* source = SurfaceOf(picture);
  if (target != nullptr && source != nullptr) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window);
  }
  if (source != nullptr) SDL_FreeSurface(source);
}

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

// Nobody can close a box on the dummy or off-screen display (tests, the replay harness).
bool NobodyCanClose() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver == nullptr || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
}

// SDL's own box, for when no font draws the text: it speaks in the X server's core fonts, which
// have no Japanese, but English and file names show. It runs a loop of its own; what was pressed
// on the game meanwhile is dropped, as under the program's own box.
bool ShowSimpleBox(const std::string& caption, const std::string& text, SDL_Window* owner) {
  if (NobodyCanClose()) return true;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, Cp932ToUtf8(caption).c_str(), Cp932ToUtf8(text).c_str(), owner);
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) <= 0;
}

}  // namespace

TBoxStep MessageBoxStep(const SDL_Event& e, uint32_t boxWindow, const TRect& ok, bool& pressed) {
  switch (e.type) {
    case SDL_QUIT:
      return TBoxStep::Quit;
    case SDL_WINDOWEVENT:
      if (e.window.windowID != boxWindow) return TBoxStep::Wait;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) return TBoxStep::Close;
      return e.window.event == SDL_WINDOWEVENT_EXPOSED ? TBoxStep::Repaint : TBoxStep::Wait;
    case SDL_KEYDOWN: {
      const bool closes =
          std::find(std::begin(kCloseKeys), std::end(kCloseKeys), e.key.keysym.sym) != std::end(kCloseKeys);
      return e.key.windowID == boxWindow && e.key.repeat == 0 && closes ? TBoxStep::Close : TBoxStep::Wait;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (e.button.windowID != boxWindow || e.button.button != SDL_BUTTON_LEFT) return TBoxStep::Wait;
      const bool onOk = Inside(ok, e.button.x, e.button.y);
      // Pressed on OK and let go there, as a button is clicked.
      if (e.type == SDL_MOUSEBUTTONUP && pressed && onOk) return TBoxStep::Close;
      pressed = e.type == SDL_MOUSEBUTTONDOWN && onOk;
      return TBoxStep::Repaint;
    }
    default:
      return TBoxStep::Wait;
  }
}

bool ShowMessageBox(const std::string& caption, const std::string& text, const TWindow* ownerWindow, TBitmap* shown) {
  SDL_Window* owner = SdlWindowOf(ownerWindow);
  const TBoxLayout layout = LayOutMessageBox(text);
  if (!layout.Readable) {
    if (shown != nullptr) shown->SetSize(0, 0);
    return ShowSimpleBox(caption, text, owner);
  }
  TBitmap picture;
  PaintMessageBox(layout, false, picture);
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (owner != nullptr) {
    int ownerX = 0, ownerY = 0, ownerW = 0, ownerH = 0;
    SDL_GetWindowPosition(owner, &ownerX, &ownerY);
    SDL_GetWindowSize(owner, &ownerW, &ownerH);
    x = ownerX + (ownerW - layout.Width) / 2;
    y = ownerY + (ownerH - layout.Height) / 2;
  }
  SDL_Window* window =
      SDL_CreateWindow(Cp932ToUtf8(caption).c_str(), x, y, layout.Width, layout.Height, SDL_WINDOW_HIDDEN);
  if (window == nullptr) return true;  // the text is on standard error already
  if (owner != nullptr) SDL_SetWindowModalFor(window, owner);
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  Show(window, picture);
  if (shown != nullptr) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    shown->SetSize(surface != nullptr ? surface->w : 0, surface != nullptr ? surface->h : 0);
    SDL_Surface* copy = shown->Empty() ? nullptr : SurfaceOf(*shown);
    if (copy != nullptr) {
      SDL_BlitSurface(surface, nullptr, copy, nullptr);
      SDL_FreeSurface(copy);
    }
  }
  const uint32_t id = SDL_GetWindowID(window);
  bool done = NobodyCanClose(), quit = false, pressed = false;
  // Nobody waits there, but a quit request already made ends the box as it would anywhere.
  SDL_Event queued;
  if (done) quit = SDL_PeepEvents(&queued, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT) > 0;
  while (!done) {
    if (!WaitForDisplayEvent(250)) continue;
    SDL_Event e;
    // Every event is taken here, the owner's too: it waits, as under a modal box.
    while (!done && SDL_PollEvent(&e) != 0) {
      switch (MessageBoxStep(e, id, layout.Button, pressed)) {
        case TBoxStep::Quit:
          quit = done = true;
          break;
        case TBoxStep::Close:
          done = true;
          break;
        case TBoxStep::Repaint:
          PaintMessageBox(layout, pressed, picture);
          Show(window, picture);
          break;
        case TBoxStep::Wait:
          break;
      }
    }
  }
  SDL_DestroyWindow(window);
  return !quit;
}

}  // namespace Platform
