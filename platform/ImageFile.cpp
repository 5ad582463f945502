// ImageFile -- PNG files through libpng's simplified writing interface.
#include "platform/ImageFile.h"

#include <png.h>

#include <cstring>
#include <stdexcept>

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
  if (png_image_write_to_file(&image, fileName.c_str(), 0, bitmap.ScanLine(0), bitmap.Stride(), nullptr) == 0) {
    std::string why = image.message;
    png_image_free(&image);
    throw std::runtime_error("cannot write " + fileName + ": " + why);
  }
}

}  // namespace Platform
