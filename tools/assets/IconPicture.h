// IconPicture -- dat/icon.bmp, the 32 × 32 window icon: a lighthouse in the evening mist.
#pragma once
#include "tools/assets/Canvas.h"

namespace Icon {
Canvas Paint();
}
