// ImageFile -- PNG files through libpng's simplified writing interface, made in memory and
// written as every file the game keeps is (a reader never sees half a picture).
#include "platform/ImageFile.h"

#include <png.h>

#include <cstring>
#include <stdexcept>

#include "platform/Files.h"

namespace Platform {

void SavePngFile(const TBitmap& bitmap, const std::string& fileName) {
  if (bitmap.Empty()) throw std::runtime_error("cannot write " + fileName + ": the picture is empty");
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  image.format = PNG_FORMAT_BGR;  // the bitmap's own byte order
  // One byte per component, so the padded row length in bytes is the stride in components.
  // The first call measures, the second writes.
  std::string bytes;
  png_alloc_size_t size = 0;
  bool made = png_image_write_to_memory(&image, nullptr, &size, 0, bitmap.ScanLine(0), bitmap.Stride(), nullptr) != 0;
  if (made) {
    bytes.resize(size);
    made = png_image_write_to_memory(&image, bytes.data(), &size, 0, bitmap.ScanLine(0), bitmap.Stride(), nullptr) != 0;
  }
  if (!made) {
    std::string why = image.message;
    png_image_free(&image);
    throw std::runtime_error("cannot write " + fileName + ": " + why);
  }
  bytes.resize(size);
  const std::string why = WriteFileSafely(fileName, bytes);
  if (!why.empty()) throw std::runtime_error("cannot write " + fileName + ": " + why);
}

}  // namespace Platform
