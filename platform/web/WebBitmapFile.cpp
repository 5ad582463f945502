// WebBitmapFile -- Windows bitmaps read here, for a page has no SDL: uncompressed pictures of
// 1, 4, 8, 24 or 32 bits, rows bottom-up or top-down, converted to 24 bits. The game's own are
// 24-bit; another kind is refused as damaged.
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/DataFiles.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/GraphicsInternal.h"

namespace Platform {

namespace {

uint32_t Word(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
  return v;
}

// Decodes the picture into bmp; false when it is of a kind read nowhere here.
bool Decode(const std::string& b, TBitmap& bmp) {
  const uint32_t headerSize = Word(b, 14, 4);
  const bool core = headerSize == 12;
  if (headerSize < 12 || b.size() < 14 + static_cast<size_t>(std::max<uint32_t>(headerSize, 40))) return false;
  const int32_t width = core ? static_cast<int32_t>(Word(b, 18, 2)) : static_cast<int32_t>(Word(b, 18, 4));
  const int32_t rawHeight = core ? static_cast<int32_t>(Word(b, 20, 2)) : static_cast<int32_t>(Word(b, 22, 4));
  const uint32_t bits = core ? Word(b, 24, 2) : Word(b, 28, 2);
  const uint32_t compression = core ? 0 : Word(b, 30, 4);
  if (compression != 0 || width <= 0 || rawHeight == 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  const size_t rowBytes = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t pixelsAt = Word(b, 10, 4);
  if (pixelsAt + rowBytes * height > b.size()) return false;
  // The palette follows the header: 3 bytes a colour in the old core header, 4 otherwise.
  const size_t paletteAt = 14 + headerSize, entry = core ? 3 : 4;
  const uint32_t used = core ? 0 : Word(b, 46, 4);
  const size_t colours = bits <= 8 ? (used != 0 ? used : 1u << bits) : 0;
  if (paletteAt + colours * entry > pixelsAt) return false;
  bmp.SetSize(0, 0);
  bmp.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint8_t*>(b.data() + pixelsAt + rowBytes * (topDown ? y : height - 1 - y));
    uint8_t* out = bmp.ScanLine(y);
    for (int x = 0; x < width; ++x, out += 3) {
      if (bits >= 24) {
        std::memcpy(out, row + static_cast<size_t>(x) * (bits / 8), 3);
        continue;
      }
      const size_t bit = static_cast<size_t>(x) * bits;
      const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
      if (index >= colours) return false;
      std::memcpy(out, b.data() + paletteAt + index * entry, 3);
    }
  }
  return true;
}

}  // namespace

void TBitmap::LoadFromFile(const std::string& fileName) {
  const std::string path = NativeFileName(fileName);
  std::string bytes;
  if (ReadBoundedFile(path, WholeFileMax, bytes).Problem != TFileProblem::None) throw CannotOpen(path);
  uint8_t header[BmpHeaderBytes] = {};
  const size_t got = std::min(bytes.size(), sizeof header);
  std::memcpy(header, bytes.data(), got);
  const std::string problem = BmpHeaderProblem(header, got, static_cast<int64_t>(bytes.size()));
  if (!problem.empty()) {
    throw std::runtime_error("ビットマップ イメージが無効です (" + PathText(path) + "): " + problem);
  }
  TBitmap decoded;
  if (bytes.compare(0, 2, "BM") != 0 || !Decode(bytes, decoded)) {
    throw std::runtime_error("ビットマップ イメージが無効です (" + PathText(path) + ")。");
  }
  SetSize(0, 0);
  SetSize(decoded.Width(), decoded.Height());
  for (int y = 0; y < Height(); ++y) std::memcpy(ScanLine(y), decoded.ScanLine(y), static_cast<size_t>(Width()) * 3);
}

}  // namespace Platform
