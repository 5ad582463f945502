// FusionPicture -- dat/una.bmp, the world after the hero fuses with ファロウ: a winged figure in a ring of hue.
#pragma once
#include "tools/assets/Canvas.h"

namespace Fusion {
Canvas Paint();
}
