// SdlInternal -- what the SDL side of the platform's files share: the window's SDL state, the
// bitmap seen as an SDL surface, the pads' and the error box's event handling.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gamepad.h"
#include "platform/Graphics.h"
#include "platform/Window.h"

namespace Platform {

struct TWindow::TSystem {
  SDL_Window* Window = nullptr;
  std::vector<uint32_t> Row;      // one scaled row, where the window cuts the picture
  SDL_Surface* Source = nullptr;  // the frame seen by SDL, for windows not in a 32-bit format
  const SDL_Surface* ShownSurface = nullptr;
  int ShownWidth = 0, ShownHeight = 0;
  bool PresentFailed = false;  // said once on standard error

  void Route(TWindow& w, const SDL_Event& event);
  void PlaceWindow(const TWindow& w);
  void DrawScaled(TWindow& w, const TViewport& view, SDL_Surface* target);
  void Failed(const char* what);
};

// The SDL window of a window, which boxes shown over the game belong to; nullptr before Open.
inline SDL_Window* SdlWindowOf(const TWindow* window) { return window != nullptr ? window->System().Window : nullptr; }

// The bitmap's pixels seen by SDL (no copy); NULL when SDL refuses. The caller frees it.
SDL_Surface* SurfaceOf(TBitmap& bmp);

// Takes a controller event (a pad added or removed, a button, an axis) for pads; false for any other.
bool RoutePadEvent(TGamepads& pads, const SDL_Event& event);

// What the error box makes of one of the display's events, all of which come to it while it
// shows: Enter, Escape or Space on the box, a click on OK (pressed and let go there) or the close
// of its window end it; a quit request ends it as Quit. pressed: the left button is down on OK.
enum class TBoxStep { Wait, Repaint, Close, Quit };
TBoxStep MessageBoxStep(const SDL_Event& event, uint32_t boxWindow, const TRect& ok, bool& pressed);

}  // namespace Platform
