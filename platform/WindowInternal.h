// WindowInternal -- what the window's own files (Window, WindowEvents, WindowPaint,
// WindowPresent) share.
#pragma once
#include <cstdint>
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

// Waits until the display has an event queued or timeoutMs has passed; true when one is queued.
// SDL's own wait (SDL_WaitEventTimeout) wakes itself on X11 by sending an event to the window
// over a second connection to the X server, which the server may carry out after the window was
// destroyed on the first: Xlib then ends the program with a BadWindow error when SDL closes the
// display. This wait sends nothing: it sleeps on the display connection's descriptor (poll), or
// looks at the queue between short sleeps where it cannot.
bool WaitForDisplayEvent(uint32_t timeoutMs);

}  // namespace Platform
