// WindowInternal -- what the window's own files (Window, WindowEvents, WindowPresent) share.
#pragma once

#include <SDL.h>

#include "platform/Graphics.h"

namespace Platform {

// The bitmap's pixels seen by SDL (no copy); NULL when SDL refuses. The caller frees it.
SDL_Surface* SurfaceOf(TBitmap& bmp);

}  // namespace Platform
