// IconPicture -- dat/icon.bmp, the 32 × 32 window icon: a lighthouse in the evening mist.
#include "tools/assets/IconPicture.h"

#include <cstdlib>

namespace Icon {

Canvas Paint() {
  Canvas c(32, 32, {0, 0, 0});
  // Dusk sky, deep blue at the top to a pale band of mist at the horizon.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) c.Set(x, y, Mix({14, 22, 72}, {150, 140, 190}, y * 256 / 24));
  // Sea.
  c.FillRect(0, 24, 32, 32, {20, 28, 62});
  for (int x = 0; x < 32; x += 3) c.Set(x + (x / 3) % 2, 27 + (x / 3) % 3, {70, 80, 130});
  // Headland and tower.
  c.FillPolygon({{8, 25}, {12, 21}, {22, 20}, {28, 25}}, {16, 14, 30});
  c.FillPolygon({{13, 22}, {14.5, 9}, {18.5, 9}, {20, 22}}, {24, 20, 40});
  c.FillRect(13, 8, 21, 9, {24, 20, 40});
  c.FillRect(14, 5, 19, 8, {255, 222, 140});
  c.FillPolygon({{14, 5}, {16.5, 2}, {19, 5}}, {24, 20, 40});
  // Beams to either side.
  for (int i = 1; i < 14; ++i) {
    Rgb beam = Mix({255, 228, 160}, c.Get(14 - i, 6), i * 18);
    for (int dy = -i / 5; dy <= i / 5; ++dy) {
      c.Set(14 - i, 6 + dy, Mix(c.Get(14 - i, 6 + dy), beam, 200 - i * 12));
      c.Set(18 + i, 6 + dy, Mix(c.Get(18 + i, 6 + dy), beam, 200 - i * 12));
    }
  }
  // The light on the water.
  for (int y = 25; y < 32; y += 2) c.FillRect(16 - (y - 24) / 3, y, 17 + (y - 24) / 3, y + 1, {230, 190, 120});
  return c;
}

}  // namespace Icon
