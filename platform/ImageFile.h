// ImageFile -- bitmaps written to image files (PNG), for the replay harness's screenshots.
// The game itself writes no files.
#pragma once
#include <string>

#include "platform/Graphics.h"

namespace Platform {

// Writes the bitmap as an 8-bit RGB PNG file (no time stamp or other varying chunk, so the
// same pixels give the same bytes). fileName is a native (UTF-8) path. Throws
// std::runtime_error naming the file when the bitmap is empty or the file cannot be written.
void SavePngFile(const TBitmap& bitmap, const std::string& fileName);

}  // namespace Platform
