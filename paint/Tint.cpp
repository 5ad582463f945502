// Tint -- the colour washes, as byte masks the compiler turns into vector code.
#include "paint/Tint.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Masks for rows up to this many pixels wide (the play area's 400).
constexpr int kMaxWidth = 400;

// Both tints halve channels and lift some by 128: for a byte v, 255 - (255 - v) div 2 equals
// (v div 2) + 128. A row is walked as bytes (blue, green, red, blue, ...) with per-byte masks.
struct TByteMasks {
  std::array<uint8_t, 3 * kMaxWidth> Keep;  // 0xFF: the byte stays as it is
  std::array<uint8_t, 3 * kMaxWidth> Half;  // 0x7F: the byte is halved
  std::array<uint8_t, 3 * kMaxWidth> Lift;  // 0x80: ... and lifted by 128
};

constexpr TByteMasks MakeMasks(bool keepBlue, bool liftGreen, bool liftRed) {
  TByteMasks m{};
  for (int i = 0; i < 3 * kMaxWidth; ++i) {
    const int channel = i % 3;  // 0 blue, 1 green, 2 red
    const bool keep = channel == 0 && keepBlue;
    const bool lift = (channel == 1 && liftGreen) || (channel == 2 && liftRed);
    m.Keep[i] = keep ? 0xFF : 0x00;
    m.Half[i] = keep ? 0x00 : 0x7F;
    m.Lift[i] = lift ? 0x80 : 0x00;
  }
  return m;
}
constexpr TByteMasks GreenTint = MakeMasks(true, true, false);
constexpr TByteMasks RedTint = MakeMasks(false, false, true);

}  // namespace

void TintSquare(Platform::TBitmap& bmp, TTint tint, int from, int to) {
  const TByteMasks& m = tint == TTint::Green ? GreenTint : RedTint;
  from = std::max(from, 0);
  to = std::min({to, bmp.Width() - 1, bmp.Height() - 1, kMaxWidth - 1});
  for (int y = from; y <= to; ++y) {
    uint8_t* row = bmp.ScanLine(y);
    for (int i = 3 * from; i < 3 * (to + 1); ++i) {
      const uint8_t v = row[i];
      row[i] = static_cast<uint8_t>((v & m.Keep[i]) | ((v >> 1) & m.Half[i]) | m.Lift[i]);
    }
  }
}
