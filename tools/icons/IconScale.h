// IconScale -- the game's icon enlarged for the desktop menu, pixel for pixel (nearest neighbour).
#pragma once
#include "platform/Graphics.h"

namespace Icons {

// target becomes a size x size copy of source, each target pixel taking the source pixel it
// falls on, so a 32 px icon scaled by whole factors keeps its hard edges.
void ScaleNearest(const Platform::TBitmap& source, int size, Platform::TBitmap& target);

}  // namespace Icons
