// GraphicsFiles -- pictures from files: Windows bitmaps through SDL, JPEG through libjpeg.
#include <SDL.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/DataFiles.h"
#include "platform/Graphics.h"

// libjpeg's header needs FILE and size_t declared first.
#include <jpeglib.h>

namespace Platform {

namespace {

// Without any data folder every picture is missing: the message also says where the game looked.
std::runtime_error CannotOpen(const std::string& fileName) {
  return std::runtime_error("ファイル " + fileName + " を開けません。" + MissingDataFolderText(fileName));
}

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

// A damaged header can claim 65,500 × 65,500 pixels from a few bytes; refuse such a picture
// before decoding rather than allocate gigabytes for it. Far above anything the game shows.
constexpr unsigned long MaxJpegPixels = 8192UL * 8192UL;

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
  if (static_cast<unsigned long>(info.image_width) * info.image_height > MaxJpegPixels) {
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
  FILE* file = std::fopen(NativeFileName(fileName).c_str(), "rb");
  if (file == nullptr) throw CannotOpen(fileName);
  TJPEGImage decoded;
  char error[JMSG_LENGTH_MAX] = "";
  bool ok = DecodeJpeg(file, decoded, error);
  std::fclose(file);
  if (!ok) throw std::runtime_error("JPEG イメージが無効です (" + fileName + "): " + error);
  *this = std::move(decoded);
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  SDL_RWops* rw = SDL_RWFromFile(NativeFileName(fileName).c_str(), "rb");
  if (rw == nullptr) throw CannotOpen(fileName);
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (loaded == nullptr) throw std::runtime_error("ビットマップ イメージが無効です (" + fileName + ")。");
  // SDL's BGR24 is blue, green, red in memory: the byte order of a 24-bit DIB.
  SDL_Surface* bgr = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_BGR24, 0);
  SDL_FreeSurface(loaded);
  if (bgr == nullptr) throw std::runtime_error("ビットマップ イメージが無効です (" + fileName + ")。");
  SetSize(0, 0);
  SetSize(bgr->w, bgr->h);
  SDL_LockSurface(bgr);
  for (int y = 0; y < bgr->h; ++y) {
    std::memcpy(ScanLine(y), static_cast<const uint8_t*>(bgr->pixels) + static_cast<size_t>(y) * bgr->pitch, bgr->w * 3);
  }
  SDL_UnlockSurface(bgr);
  SDL_FreeSurface(bgr);
}

}  // namespace Platform
