// GraphicsFiles -- pictures from files: JPEG through libjpeg, and what a Windows bitmap's
// header may claim before the system's reader (BitmapFileSdl.cpp, or a page's) takes it.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/DataFiles.h"
#include "platform/Graphics.h"
#include "platform/GraphicsInternal.h"

// libjpeg's header needs FILE and size_t declared first.
#include <jpeglib.h>

namespace Platform {

namespace {

struct TJpegErrors {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->Message);
  std::longjmp(errors->Jump, 1);
}

}  // namespace

std::runtime_error CannotOpen(const std::string& path) {
  std::string reason = UnreadableReason(path);
  return std::runtime_error("ファイル " + PathText(path) + " を開けません（" +
                            (reason.empty() ? "read error" : reason) + "）。");
}

std::string BmpHeaderProblem(const uint8_t (&header)[BmpHeaderBytes], size_t got, int64_t fileSize) {
  auto word = [&](int at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | header[at + i];
    return v;
  };
  auto magnitude = [](uint32_t v) { return static_cast<unsigned long long>(std::llabs(static_cast<int32_t>(v))); };
  unsigned long long width = 0, height = 0;
  uint32_t bits = 0, compression = 0;
  if (got >= 26 && word(14, 4) == 12) {  // OS/2 core header
    width = word(18, 2), height = word(20, 2), bits = word(24, 2);
  } else if (got == BmpHeaderBytes) {
    width = magnitude(word(18, 4)), height = magnitude(word(22, 4)), bits = word(28, 2), compression = word(30, 4);
  } else {
    return "the header ends after " + std::to_string(got) + " bytes";
  }
  if (width > MaxPictureSide || height > MaxPictureSide) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels is too large";
  }
  // Run-length coding exists for 8 and 4 bits only, bit fields for 16 and 32.
  constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
  const bool fits = compression == kRgb || (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
                    (compression == kBitFields && (bits == 16 || bits == 32));
  if (!fits) return "compression " + std::to_string(compression) + " cannot go with " + std::to_string(bits) + " bits";
  if (compression == kRgb || compression == kBitFields) {
    const unsigned long long rowBytes = (width * bits + 31) / 32 * 4;
    const unsigned long long pixelsAt = word(10, 4);
    const unsigned long long size = fileSize > 0 ? static_cast<unsigned long long>(fileSize) : 0;
    if (pixelsAt > size || rowBytes * height > size - pixelsAt) {
      return std::to_string(height) + " rows of " + std::to_string(rowBytes) + " bytes cannot be in a file of " +
             std::to_string(size) + " bytes";
    }
  }
  return "";
}

namespace {

// Plain C control flow only: libjpeg reports errors by longjmp, so no C++ object may live here.
bool DecodeJpeg(FILE* file, TJPEGImage& image, char* error) {
  jpeg_decompress_struct info;
  TJpegErrors errors;
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = OnJpegError;
  if (setjmp(errors.Jump) != 0) {
    jpeg_destroy_decompress(&info);
    std::strcpy(error, errors.Message);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  if (info.image_width > MaxPictureSide || info.image_height > MaxPictureSide) {
    std::snprintf(error, JMSG_LENGTH_MAX, "%u x %u pixels is too large", info.image_width, info.image_height);
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  image.Width = static_cast<int>(info.output_width);
  image.Height = static_cast<int>(info.output_height);
  image.Pixels.assign(static_cast<size_t>(image.Width) * image.Height * 3, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.Pixels.data() + static_cast<size_t>(info.output_scanline) * image.Width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

void TJPEGImage::LoadFromFile(const std::string& fileName) {
  const std::string path = NativeFileName(fileName);
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw CannotOpen(path);
  TJPEGImage decoded;
  char error[JMSG_LENGTH_MAX] = "";
  bool ok = DecodeJpeg(file, decoded, error);
  std::fclose(file);
  if (!ok) throw std::runtime_error("JPEG イメージが無効です (" + PathText(path) + "): " + error);
  *this = std::move(decoded);
}

}  // namespace Platform
