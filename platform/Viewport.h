// Viewport -- where the form's client area lies in its window: a whole scale factor and the
// offset of the scaled area, in the window's real pixels, and the way back from a pointer
// position to the client area's point. Pure arithmetic; Window uses it, tests check it.
#pragma once

namespace Platform {

struct TViewport {
  int Scale = 1;  // every client pixel is Scale x Scale real pixels
  int Left = 0;   // the scaled area's top-left corner in real pixels of the window
  int Top = 0;
  // Real pixels per unit of the window's own coordinates (pointer positions, window sizes):
  // Pixels / Points, 1 / 1 unless the system scales the display (2 / 1 on a doubled one).
  int Pixels = 1;
  int Points = 1;
};

// The largest whole factor (at least 1) at which a client area fits within 85 % of the usable
// part of a display, or 2 where 2x fits the whole usable part; all sizes in real pixels.
int WindowScaleFor(int usableWidth, int usableHeight, int clientWidth, int clientHeight);

// The client area centred in a window area of areaWidth x areaHeight real pixels, at the
// largest whole factor up to maxScale at which it fits (at least 1; a larger area than the
// window is cut at the edges). maxScale 0 means no limit, as in fullscreen.
TViewport FitViewport(int areaWidth, int areaHeight, int clientWidth, int clientHeight, int maxScale);

// A pointer position in the window's coordinates to the client area's point. Positions on the
// black margin beside the scaled area land outside the client area (negative, or at or beyond
// its size), never on its edge pixels.
void WindowToClient(const TViewport& view, int windowX, int windowY, int& clientX, int& clientY);

}  // namespace Platform
