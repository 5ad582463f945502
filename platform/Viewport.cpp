// Viewport -- the scale factor and the pointer mapping of a scaled window.
#include "platform/Viewport.h"

#include <algorithm>
#include <cstdint>

namespace Platform {

namespace {

// Division rounding toward minus infinity, so that the pixels left of and above the scaled
// area map to -1 and not to 0.
int FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int>(q);
}

}  // namespace

int WindowScaleFor(int usableWidth, int usableHeight, int clientWidth, int clientHeight) {
  if (clientWidth <= 0 || clientHeight <= 0) return 1;
  // Whole numbers only: factor * size <= 85 % of the usable size.
  int64_t byWidth = static_cast<int64_t>(std::max(0, usableWidth)) * 85 / (100 * static_cast<int64_t>(clientWidth));
  int64_t byHeight = static_cast<int64_t>(std::max(0, usableHeight)) * 85 / (100 * static_cast<int64_t>(clientHeight));
  // A screen with no room to spare (a Steam Deck's 1280 x 800) shows 2x filling it, not a small 1x.
  bool twiceFits =
      2 * static_cast<int64_t>(clientWidth) <= usableWidth && 2 * static_cast<int64_t>(clientHeight) <= usableHeight;
  return static_cast<int>(std::max<int64_t>(twiceFits ? 2 : 1, std::min(byWidth, byHeight)));
}

TViewport FitViewport(int areaWidth, int areaHeight, int clientWidth, int clientHeight, int maxScale) {
  TViewport view;
  if (clientWidth > 0 && clientHeight > 0) {
    int scale = std::max(1, std::min(areaWidth / clientWidth, areaHeight / clientHeight));
    if (maxScale > 0) scale = std::min(scale, maxScale);
    view.Scale = scale;
  }
  view.Left = FloorDiv(static_cast<int64_t>(areaWidth) - static_cast<int64_t>(clientWidth) * view.Scale, 2);
  view.Top = FloorDiv(static_cast<int64_t>(areaHeight) - static_cast<int64_t>(clientHeight) * view.Scale, 2);
  return view;
}

void WindowToClient(const TViewport& view, int windowX, int windowY, int& clientX, int& clientY) {
  int points = std::max(1, view.Points);
  int scale = std::max(1, view.Scale);
  // A unit of the window's coordinates covers Pixels / Points real pixels: take the first.
  int64_t pixelX = FloorDiv(static_cast<int64_t>(windowX) * view.Pixels, points);
  int64_t pixelY = FloorDiv(static_cast<int64_t>(windowY) * view.Pixels, points);
  clientX = FloorDiv(pixelX - view.Left, scale);
  clientY = FloorDiv(pixelY - view.Top, scale);
}

}  // namespace Platform
