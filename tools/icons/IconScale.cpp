// IconScale -- nearest-neighbour scaling through the row table.
#include "tools/icons/IconScale.h"

#include <cstring>
#include <stdexcept>

namespace Icons {

void ScaleNearest(const Platform::TBitmap& source, int size, Platform::TBitmap& target) {
  if (source.Empty() || size <= 0) throw std::invalid_argument("nothing to scale");
  target.SetSize(size, size);
  // Each target pixel takes the source pixel under its centre.
  for (int y = 0; y < size; ++y) {
    const uint8_t* from = source.ScanLine(static_cast<int>((2L * y + 1) * source.Height() / (2L * size)));
    uint8_t* to = target.ScanLine(y);
    for (int x = 0; x < size; ++x) {
      int sx = static_cast<int>((2L * x + 1) * source.Width() / (2L * size));
      std::memcpy(to + 3 * x, from + 3 * sx, 3);
    }
  }
}

}  // namespace Icons
