// WindowInternal -- what the window's own files (Window, WindowCommon, WindowEvents,
// WindowPaint, WindowPresent, and a page's) and the application's loop share.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Form.h"
#include "platform/Graphics.h"

namespace Platform {

// PaintForm for the window, which copies the play area only once: when a paint box covers the
// whole client area with nothing but push buttons over it, only what lies over the box is
// painted into frame (its areas in painted) and the box is returned, what it shows to be taken
// as the rest of the picture (at the box's place). Otherwise the whole form is painted into
// frame and the answer is nullptr.
const TPaintBox* PaintFormAbove(TForm& form, TBitmap& frame, std::vector<TRect>& painted);

// Waits until the display has an event queued or timeoutMs has passed; true when one is queued.
bool WaitForDisplayEvent(uint32_t timeoutMs);

}  // namespace Platform
