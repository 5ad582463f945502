// PortTownPicture -- dat/a.bmp, the misty port town at dusk (white sky, black silhouettes).
//
// Everything that stands against the sky above row 186 is pure black: the game shows it black against its
// dusk gradient, and the title turns it into pale grey shapes in white mist. Below that a ground fog
// thickens toward the harbour water, which mirrors the lights.
#include "tools/assets/PortTownPicture.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "tools/assets/ExactMath.h"
#include "tools/assets/Rng.h"

namespace PortTown {
namespace {

constexpr int kQuayTop = 232;    // the street along the harbour
constexpr int kWaterLine = 240;  // the harbour water starts here
constexpr int kFogStart = 186;   // below the title region: fog may tint silhouettes
using Ink = Canvas::Ink;

const Rgb kWindowWarm[] = {{255, 204, 112}, {246, 178, 92}, {255, 226, 160}, {232, 160, 84}};

void Black(Canvas& c, const std::vector<Point>& p) { c.FillPolygon(p, kSilhouette, Ink::KeyColour); }
void BlackRect(Canvas& c, int x0, int y0, int x1, int y1) { c.FillRect(x0, y0, x1, y1, kSilhouette, Ink::KeyColour); }

// A lit window: a warm pane with a darker cross bar.
void Window(Canvas& c, int x, int y, int w, int h, Rgb warm) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) c.Set(x + i, y + j, Shade(warm, 256 - j * 40 / h));
  if (w >= 4 && h >= 5) c.FillRect(x, y + h / 2, x + w, y + h / 2 + 1, Shade(warm, 120));
}

void FarShore(Canvas& c) {
  for (int x = 0; x < c.Width(); ++x) {
    int top = 214 + static_cast<int>(std::lround(5 * ExactMath::Sin(x * 0.045) + 3 * ExactMath::Sin(x * 0.13 + 1.0)));
    for (int y = top; y < kWaterLine; ++y) c.Set(x, y, Mix({156, 162, 180}, {126, 134, 156}, (y - top) * 256 / 26));
  }
}

void Headland(Canvas& c) {
  Black(c, {{194, 240},
            {203, 200},
            {214, 192},
            {236, 188},
            {262, 186},
            {296, 178},
            {330, 182},
            {364, 174},
            {400, 178},
            {400, 240}});
}

void Lighthouse(Canvas& c) {
  const int cx = 212;
  Black(c, {{cx - 11.0, 198}, {cx - 7.0, 80}, {cx + 8.0, 80}, {cx + 12.0, 198}});
  BlackRect(c, cx - 12, 76, cx + 13, 80);                                      // gallery
  for (int x = cx - 12; x <= cx + 12; x += 4) BlackRect(c, x, 72, x + 1, 76);  // railing posts
  BlackRect(c, cx - 12, 71, cx + 13, 72);                                      // railing
  BlackRect(c, cx - 7, 58, cx + 8, 71);                                        // lantern room frame
  for (int y = 60; y < 70; ++y)                                                // the light, hottest in the middle
    for (int x = cx - 6; x <= cx + 6; ++x) {
      if (x == cx - 3 || x == cx + 3) continue;  // mullions stay black
      int d = std::abs(x - cx) * 16 + std::abs(y - 65) * 12;
      c.Set(x, y, Mix({255, 246, 214}, {236, 146, 56}, d));
    }
  Black(c, {{cx - 8.0, 58}, {cx + 0.5, 49}, {cx + 9.0, 58}});  // dome
  BlackRect(c, cx, 43, cx + 1, 50);                            // vane
  BlackRect(c, cx - 3, 46, cx + 4, 47);
  BlackRect(c, cx - 4, 184, cx + 5, 198);  // door
  for (int y : {102, 134, 164}) Window(c, cx - 1, y, 3, 5, kWindowWarm[1]);
  // The keeper's cottage at its foot.
  Black(c, {{228, 200}, {228, 184}, {240, 174}, {252, 184}, {252, 200}});
  BlackRect(c, 246, 172, 249, 180);
  Window(c, 232, 187, 4, 6, kWindowWarm[0]);
  Window(c, 243, 187, 4, 6, kWindowWarm[2]);
}

// A few gulls over the harbour.
void Gulls(Canvas& c) {
  for (auto [x, y, s] : {std::tuple{168, 64, 3}, {184, 54, 2}, {244, 96, 3}, {122, 86, 2}, {60, 70, 2}}) {
    c.Line(x - s, y - 1, x, y + 1, kSilhouette, Ink::KeyColour);
    c.Line(x, y + 1, x + s, y - 1, kSilhouette, Ink::KeyColour);
  }
}

// A row of tall, narrow gabled houses along the quay; windows lit at random.
void Houses(Canvas& c, Rng& rng) {
  struct House {
    int left, right, eaves, peak;
  };
  std::vector<House> houses;
  int x = -6;
  while (x < 170) {
    int w = rng.Between(18, 26);
    if (x + w > 172) w = 172 - x;
    int eaves = rng.Between(146, 172);
    houses.push_back({x, x + w, eaves, eaves - w * 4 / 5 - rng.Between(4, 12)});
    x += w;
  }
  for (const House& h : houses) {
    double mid = (h.left + h.right) / 2.0;
    Black(c, {{h.left + 0.0, kQuayTop + 1.0},
              {h.left + 0.0, h.eaves + 0.0},
              {mid, h.peak + 0.0},
              {h.right + 0.0, h.eaves + 0.0},
              {h.right + 0.0, kQuayTop + 1.0}});
    if (rng.Below(3) != 0) {  // chimney
      int cx = h.left + 3 + rng.Below(std::max(1, h.right - h.left - 8));
      BlackRect(c, cx, h.peak + 2 - rng.Between(2, 6), cx + 3, h.eaves);
    }
    // A round attic window sometimes.
    if (rng.Below(2) == 0) Window(c, static_cast<int>(mid) - 1, (h.peak + h.eaves) / 2 + 1, 3, 3, kWindowWarm[2]);
    for (int wy = h.eaves + 6; wy < kQuayTop - 12; wy += 11)
      for (int wx = h.left + 3; wx + 4 <= h.right - 2; wx += 7)
        if (rng.Below(100) < 38) Window(c, wx, wy, 4, 6, kWindowWarm[rng.Below(4)]);
    // A lit doorway now and then.
    if (rng.Below(3) == 0) Window(c, h.left + 4, kQuayTop - 10, 5, 10, kWindowWarm[0]);
  }
}

void StreetLamp(Canvas& c, int x) {
  BlackRect(c, x, 212, x + 1, kQuayTop + 1);
  BlackRect(c, x - 2, 210, x + 3, 212);
  // The lamp and a soft glow on the house fronts behind it.
  for (int dy = -8; dy <= 8; ++dy)
    for (int dx = -8; dx <= 8; ++dx) {
      int d2 = dx * dx + dy * dy;
      if (d2 > 64) continue;
      int px = x + dx, py = 207 + dy;
      if (!c.Inside(px, py) || c.Get(px, py) == kSky) continue;
      c.Set(px, py, Mix(c.Get(px, py), {255, 200, 120}, (64 - d2) * 3 / 2));
    }
  c.FillRect(x - 1, 205, x + 2, 210, {255, 236, 180});
}

// A two-masted ship moored at the quay: hull, masts, yards with furled sails, rigging.
void Ship(Canvas& c, int stern, int bow, int mastA, int mastB, int topA, int topB) {
  const int deck = 228;
  Black(c, {{stern - 2.0, deck - 6.0},
            {bow + 4.0, deck - 4.0},
            {bow - 4.0, kWaterLine + 4.0},
            {stern + 4.0, kWaterLine + 4.0}});
  BlackRect(c, stern - 3, deck - 10, stern + 8, deck - 4);  // stern cabin
  auto mast = [&](int x, int top) {
    BlackRect(c, x, top, x + 2, deck);
    int span = 11;
    for (int y = top + 10; y < deck - 40; y += 26) {
      BlackRect(c, x - span, y, x + span + 2, y + 2);
      c.FillEllipse(x + 1, y + 3.5, span - 1, 2.6, kSilhouette, Ink::KeyColour);  // furled sail
      span += 4;
    }
    BlackRect(c, x - 2, top + 4, x + 4, top + 6);  // crow's nest
    c.Line(x, top, stern, deck - 9, kSilhouette, Ink::KeyColour);
    c.Line(x + 1, top, bow + 2, deck - 5, kSilhouette, Ink::KeyColour);
  };
  mast(mastA, topA);
  mast(mastB, topB);
  c.Line(bow + 2, deck - 5, bow + 22, deck - 14, kSilhouette, Ink::KeyColour);  // bowsprit
  c.Line(bow + 22, deck - 14, mastB + 1, topB + 6, kSilhouette, Ink::KeyColour);
  c.Line(mastA + 1, topA + 3, mastB, topB + 3, kSilhouette, Ink::KeyColour);
  Window(c, stern + 1, deck - 8, 2, 2, kWindowWarm[0]);
}

// Ground fog: lightens everything that is not sky as it nears the water.
void Fog(Canvas& c) {
  const Rgb fog{122, 130, 152};
  for (int y = kFogStart; y < kWaterLine; ++y) {
    int a = (y - kFogStart) * (y - kFogStart) * 170 / ((kWaterLine - kFogStart) * (kWaterLine - kFogStart));
    for (int x = 0; x < c.Width(); ++x) {
      Rgb p = c.Get(x, y);
      if (c.IsKey(x, y) && p == kSky) continue;
      c.Set(x, y, Mix(p, fog, a));
    }
  }
}

// The harbour: a darkening surface that mirrors the lights and the sky, broken into slow ripples.
void Water(Canvas& c, Rng& rng) {
  const int h = c.Height();
  // Ripples: each row of water looks up a slightly shifted, slightly squeezed row of the town.
  std::vector<int> rowShift(h, 0);
  for (int y = kWaterLine; y < h; ++y) {
    double amp = 1.0 + (y - kWaterLine) * 0.035;
    rowShift[y] = static_cast<int>(std::lround(amp * (ExactMath::Sin(y * 0.55) + 0.5 * ExactMath::Sin(y * 1.7 + 2.0))));
  }
  for (int y = kWaterLine; y < h; ++y) {
    int depth = (y - kWaterLine) * 256 / (h - kWaterLine);
    Rgb base = Mix({84, 94, 120}, {8, 12, 26}, std::min(256, depth * 3 / 2));
    int src = kWaterLine - 1 - (y - kWaterLine) * 4 / 3;
    int strength = std::max(0, 200 - (y - kWaterLine) * 3 / 2);
    for (int x = 0; x < c.Width(); ++x) {
      Rgb p = base;
      if (src >= 20 && strength > 0) {
        // Average three neighbours so the mirror is soft.
        int r = 0, g = 0, b = 0;
        for (int k = -1; k <= 1; ++k) {
          int sx = std::clamp(x + rowShift[y] + k, 0, c.Width() - 1);
          Rgb s = c.Get(sx, src);
          // The sky mirrors as the deep blue of the dusk; everything else as itself, darkened.
          Rgb m = (c.IsKey(sx, src) && s == kSky) ? Rgb{24, 40, 110} : Shade(s, 170);
          r += m.r;
          g += m.g;
          b += m.b;
        }
        p = Mix(base, {static_cast<uint8_t>(r / 3), static_cast<uint8_t>(g / 3), static_cast<uint8_t>(b / 3)},
                strength);
      }
      c.Set(x, y, p);
    }
  }
  // Thin pale ripple lines catching the last light.
  for (int i = 0; i < 260; ++i) {
    int y = rng.Between(kWaterLine + 2, 382);
    int x = rng.Below(400), len = rng.Between(3, 6 + (y - kWaterLine) / 8);
    int t = 40 + rng.Below(40) - (y - kWaterLine) / 6;
    for (int k = 0; k < len; ++k) c.Set(x + k, y, Mix(c.Get(std::min(399, x + k), y), {150, 160, 190}, t));
  }
  // The lighthouse lantern throws a long glittering path down the water.
  for (int y = kWaterLine + 2; y < h; ++y) {
    int half = 1 + (y - kWaterLine) / 30;
    for (int x = 214 - half; x <= 214 + half; ++x)
      if (rng.Below(100) < 40) {
        int t = 210 - (y - kWaterLine) / 2 - std::abs(x - 214) * 16;
        int px = std::clamp(x + rowShift[y], 0, c.Width() - 1);
        c.Set(px, y, Mix(c.Get(px, y), {255, 214, 140}, t));
      }
  }
  // The stone edge of the quay in the foreground.
  for (int y = 385; y < h; ++y)
    for (int x = 0; x < c.Width(); ++x) {
      bool joint = (x + (y > 392 ? 9 : 0)) % 18 == 0 || y == 392;
      int shade = ((x + (y > 392 ? 9 : 0)) / 18 % 3) * 5 + (joint ? -14 : 0);
      c.Set(x, y,
            {static_cast<uint8_t>(38 + shade), static_cast<uint8_t>(38 + shade), static_cast<uint8_t>(46 + shade)});
    }
  for (int x = 0; x < c.Width(); ++x) c.Set(x, 385, {74, 76, 88});
}

// A single sky pixel boxed in by rigging would show as a lone blue dot: close it.
void CloseSkyPinholes(Canvas& c) {
  for (int y = 1; y + 1 < c.Height(); ++y)
    for (int x = 1; x + 1 < c.Width(); ++x) {
      if (c.Get(x, y) != kSky) continue;
      int sky = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) sky += (dx || dy) && c.Get(x + dx, y + dy) == kSky;
      if (sky == 0) c.Key(x, y, kSilhouette);
    }
}

}  // namespace

Canvas Paint() {
  Canvas c(400, 400, kSky);
  c.Reserve(kSky);
  c.Reserve(kSilhouette);
  c.FillRect(0, 0, 400, 400, kSky, Ink::KeyColour);
  Rng rng(0xFA220A);
  FarShore(c);
  Headland(c);
  Lighthouse(c);
  Houses(c, rng);
  // The quay wall the houses stand on.
  for (int y = kQuayTop + 1; y < kWaterLine; ++y)
    for (int x = 0; x < 172; ++x) c.Set(x, y, y == kQuayTop + 1 ? Rgb{70, 70, 80} : Rgb{40, 42, 54});
  Ship(c, 146, 198, 160, 180, 98, 112);
  Ship(c, 40, 84, 52, 70, 112, 124);
  Gulls(c);
  for (int x : {34, 112, 150}) StreetLamp(c, x);
  Fog(c);
  Water(c, rng);
  CloseSkyPinholes(c);
  c.CheckKeys();
  return c;
}

}  // namespace PortTown
