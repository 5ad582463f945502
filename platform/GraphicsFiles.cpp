// GraphicsFiles -- pictures from files: Windows bitmaps through SDL, JPEG through libjpeg.
#include <SDL.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/DataFiles.h"
#include "platform/Graphics.h"

// libjpeg's header needs FILE and size_t declared first.
#include <jpeglib.h>

namespace Platform {

namespace {

// Names the path that was really tried and why it failed.
std::runtime_error CannotOpen(const std::string& path) {
  std::string reason = UnreadableReason(path);
  return std::runtime_error("ファイル " + PathText(path) + " を開けません（" +
                            (reason.empty() ? "read error" : reason) + "）。");
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
constexpr unsigned long long MaxPicturePixels = 8192ULL * 8192ULL;

// The pixel count a Windows bitmap's header claims (its rows may be stored upside down, a
// negative height); 0 when the header is too short to say, which SDL then rejects.
unsigned long long BmpHeaderPixels(SDL_RWops* rw) {
  uint8_t header[26] = {};
  size_t got = SDL_RWread(rw, header, 1, sizeof header);
  SDL_RWseek(rw, 0, RW_SEEK_SET);
  auto word = [&](int at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | header[at + i];
    return v;
  };
  if (got < 22) return 0;
  if (word(14, 4) == 12) return static_cast<unsigned long long>(word(18, 2)) * word(20, 2);  // OS/2 core header
  if (got < sizeof header) return 0;
  auto magnitude = [](uint32_t v) { return static_cast<unsigned long long>(std::llabs(static_cast<int32_t>(v))); };
  return magnitude(word(18, 4)) * magnitude(word(22, 4));
}

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
  if (static_cast<unsigned long>(info.image_width) * info.image_height > MaxPicturePixels) {
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

void TBitmap::LoadFromFile(const std::string& fileName) {
  const std::string path = NativeFileName(fileName);
  SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
  if (rw == nullptr) throw CannotOpen(path);
  const unsigned long long pixels = BmpHeaderPixels(rw);
  if (pixels > MaxPicturePixels) {
    SDL_RWclose(rw);
    throw std::runtime_error("ビットマップ イメージが無効です (" + PathText(path) + "): " + std::to_string(pixels) +
                             " pixels is too large");
  }
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (loaded == nullptr) throw std::runtime_error("ビットマップ イメージが無効です (" + PathText(path) + ")。");
  // SDL's BGR24 is blue, green, red in memory: the byte order of a 24-bit DIB.
  SDL_Surface* bgr = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_BGR24, 0);
  SDL_FreeSurface(loaded);
  if (bgr == nullptr) throw std::runtime_error("ビットマップ イメージが無効です (" + PathText(path) + ")。");
  SetSize(0, 0);
  SetSize(bgr->w, bgr->h);
  SDL_LockSurface(bgr);
  for (int y = 0; y < bgr->h; ++y) {
    std::memcpy(ScanLine(y), static_cast<const uint8_t*>(bgr->pixels) + static_cast<size_t>(y) * bgr->pitch,
                bgr->w * 3);
  }
  SDL_UnlockSurface(bgr);
  SDL_FreeSurface(bgr);
}

}  // namespace Platform
