// ImageFile -- bitmaps written to image files (PNG): the player's screenshots, the replay
// harness's shots, the icons.
#pragma once
#include <string>

#include "platform/Graphics.h"

namespace Platform {

// Writes the bitmap as an 8-bit RGB PNG file (no time stamp or other varying chunk, so the
// same pixels give the same bytes). fileName is a native (UTF-8) path. Throws
// std::runtime_error naming the file when the bitmap is empty or the file cannot be written.
// Written as Files' WriteFileSafely writes (its folder made, a temporary file renamed).
void SavePngFile(const TBitmap& bitmap, const std::string& fileName);

}  // namespace Platform
