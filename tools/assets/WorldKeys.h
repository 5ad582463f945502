// WorldKeys -- the five colours the game animates in the pictures of the shattered world.
#pragma once
#include "tools/assets/Canvas.h"

namespace WorldKey {
inline constexpr Rgb kHue{0, 0, 0};          // a slowly cycling hue
inline constexpr Rgb kHalfHue{255, 255, 0};  // the same hue at half brightness
inline constexpr Rgb kNightSky{0, 0, 255};   // night sky with its green light curtain
inline constexpr Rgb kShimmer{0, 255, 255};  // a pale shimmering surface
inline constexpr Rgb kFire{255, 0, 0};       // flickering fire
inline constexpr Rgb kAll[] = {kHue, kHalfHue, kNightSky, kShimmer, kFire};

// The zoom between the two pictures plunges in and comes out about this point.
inline constexpr int kZoomX = 200, kZoomY = 110;

// A canvas of night sky with all five colours reserved for deliberate use.
inline Canvas NightCanvas() {
  Canvas c(400, 400, kNightSky);
  for (Rgb k : kAll) c.Reserve(k);
  c.FillRect(0, 0, 400, 400, kNightSky, Canvas::Ink::KeyColour);
  return c;
}
}  // namespace WorldKey
