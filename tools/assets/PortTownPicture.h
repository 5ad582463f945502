// PortTownPicture -- dat/a.bmp, the misty port town at dusk (white sky, black silhouettes).
#pragma once
#include "tools/assets/Canvas.h"

namespace PortTown {
// The game turns pure white into its dusk sky and, on the title, pure black into grey mist.
inline constexpr Rgb kSky{255, 255, 255};
inline constexpr Rgb kSilhouette{0, 0, 0};
// The normal scene shows only this band of columns.
inline constexpr int kBandLeft = 140, kBandRight = 259;
// The title enlarges this region three times (plus up to 3 pixels of shimmer).
inline constexpr int kTitleLeft = 100, kTitleTop = 50, kTitleSize = 134;

Canvas Paint();
}  // namespace PortTown
