// BitmapFileSdl -- Windows bitmaps of any depth through SDL's reader, converted to 24 bits.
#include <SDL.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/DataFiles.h"
#include "platform/Graphics.h"
#include "platform/GraphicsInternal.h"

namespace Platform {

namespace {

std::string HeaderProblem(SDL_RWops* rw) {
  uint8_t header[BmpHeaderBytes] = {};
  const size_t got = SDL_RWread(rw, header, 1, sizeof header);
  const Sint64 fileSize = SDL_RWsize(rw);
  SDL_RWseek(rw, 0, RW_SEEK_SET);
  return BmpHeaderProblem(header, got, fileSize);
}

}  // namespace

void TBitmap::LoadFromFile(const std::string& fileName) {
  const std::string path = NativeFileName(fileName);
  SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
  if (rw == nullptr) throw CannotOpen(path);
  const std::string problem = HeaderProblem(rw);
  if (!problem.empty()) {
    SDL_RWclose(rw);
    throw std::runtime_error("ビットマップ イメージが無効です (" + PathText(path) + "): " + problem);
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
