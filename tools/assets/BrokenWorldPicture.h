// BrokenWorldPicture -- dat/a2.bmp, the world broken open: a rift of shifting colour torn in the night sky.
#pragma once
#include "tools/assets/Canvas.h"

namespace BrokenWorld {
Canvas Paint();
}
