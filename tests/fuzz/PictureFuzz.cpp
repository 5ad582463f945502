// PictureFuzz -- the picture loader on arbitrary file bytes: a file starting as a JPEG does is
// loaded under a ".jpg" name, any other under a ".bmp" one. A refused file is a clear error;
// an accepted one is read whole through its row table.
#include <stdexcept>
#include <string>

#include "paint/QuilBmp.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {
volatile unsigned Sink;  // keeps the read of every pixel
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  bool isJpeg = size >= 2 && data[0] == 0xFF && data[1] == 0xD8;
  std::string file = Fuzz::WriteScratch(isJpeg ? ".jpg" : ".bmp", bytes);
  TQuilBitmap picture;
  try {
    picture.LoadFromFile(file);
  } catch (const std::runtime_error&) {
    return 0;
  }
  unsigned sum = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const TPixel* row = picture.Rows[y];
    for (int x = 0; x < picture.Width(); ++x) sum += row[x].B + row[x].G + row[x].R;
  }
  Sink = sum;
  return 0;
}
