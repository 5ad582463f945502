// WindowInternal -- what the window's own files (Window, WindowEvents, WindowPaint,
// WindowPresent) share.
#pragma once
#include <vector>

#include "platform/Form.h"
#include "platform/Graphics.h"

struct SDL_Surface;

namespace Platform {

// The bitmap's pixels seen by SDL (no copy); NULL when SDL refuses. The caller frees it.
SDL_Surface* SurfaceOf(TBitmap& bmp);

// PaintForm for the window, which copies the play area only once: when a paint box covers the
// whole client area with nothing but push buttons over it, only what lies over the box is
// painted into frame (its areas in painted) and the box is returned, what it shows to be taken
// as the rest of the picture (at the box's place). Otherwise the whole form is painted into
// frame and the answer is nullptr.
const TPaintBox* PaintFormAbove(TForm& form, TBitmap& frame, std::vector<TRect>& painted);

}  // namespace Platform
