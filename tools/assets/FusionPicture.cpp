// FusionPicture -- dat/una.bmp, the world after the hero fuses with ファロウ: a winged figure in a ring of hue.
//
// The figure stands on the zoom point before a bright disc ringed with the cycling hue and half hue; mist
// wings spread to either side. Under the night sky a calm sea carries a shimmering path of light and
// floating lanterns whose flames flicker.
#include "tools/assets/FusionPicture.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/ExactMath.h"
#include "tools/assets/Rng.h"
#include "tools/assets/WorldKeys.h"

namespace Fusion {
namespace {

using Ink = Canvas::Ink;
using namespace WorldKey;
constexpr int kHorizon = 224;

void Sea(Canvas& c, Rng& rng) {
  for (int y = kHorizon; y < c.Height(); ++y) {
    int depth = (y - kHorizon) * 256 / (c.Height() - kHorizon);
    Rgb base = Mix({44, 52, 108}, {6, 8, 26}, depth);
    for (int x = 0; x < c.Width(); ++x) {
      int ripple = static_cast<int>(((x / (3 + depth / 40)) * 2654435761u + y * 40503u) % 9) - 4;
      c.Set(x, y, Shade(base, 256 + ripple * 6));
    }
  }
  // Mist lying on the water near the horizon.
  for (int i = 0; i < 90; ++i) {
    int y = rng.Between(kHorizon, kHorizon + 30), x = rng.Below(400), len = rng.Between(20, 70);
    for (int k = 0; k < len; ++k)
      c.Set(x + k, y, Mix(c.Get(std::min(399, x + k), y), {150, 160, 210}, 70 - (y - kHorizon) * 2));
  }
  // Far hills on the left, a small island with its beacon on the right.
  for (int x = 0; x < 170; ++x) {
    int top =
        kHorizon - 14 + static_cast<int>(std::lround(6 * ExactMath::Sin(x * 0.05) + 3 * ExactMath::Sin(x * 0.17)));
    top += std::max(0, x - 120) / 3;
    for (int y = top; y < kHorizon; ++y) c.Set(x, y, Mix({34, 34, 76}, {24, 26, 60}, (y - top) * 20));
  }
  c.FillPolygon({{318, kHorizon + 1.0},
                 {330, kHorizon - 8.0},
                 {352, kHorizon - 12.0},
                 {376, kHorizon - 6.0},
                 {392, kHorizon + 1.0}},
                {26, 26, 60});
  c.FillPolygon({{347, kHorizon - 11.0}, {349, kHorizon - 36.0}, {355, kHorizon - 36.0}, {357, kHorizon - 11.0}},
                {30, 28, 66});
  c.FillRect(347, kHorizon - 42, 358, kHorizon - 36, kFire, Ink::KeyColour);
  c.FillPolygon({{346, kHorizon - 42.0}, {352.5, kHorizon - 48.0}, {359, kHorizon - 42.0}}, {30, 28, 66});
}

// A glittering path of light on the water under the figure.
void LightPath(Canvas& c, Rng& rng) {
  for (int y = kHorizon + 1; y < c.Height(); ++y) {
    double half = 4 + (y - kHorizon) * 0.34;
    for (int stroke = 0; stroke < 2 + (y - kHorizon) / 40; ++stroke) {
      int len = rng.Between(3, 6 + (y - kHorizon) / 10);
      int x = kZoomX + static_cast<int>(rng.Signed() * half) - len / 2;
      for (int k = 0; k < len; ++k) c.Key(x + k, y, kShimmer);
      c.Set(x - 1, y, {120, 130, 200});
      c.Set(x + len, y, {120, 130, 200});
    }
  }
}

// Paper lanterns drifting on the sea, each flame mirrored below it.
void Lanterns(Canvas& c, Rng& rng) {
  for (int i = 0; i < 14; ++i) {
    int y = rng.Between(kHorizon + 16, 380);
    int scale = 2 + (y - kHorizon) / 50;
    int x = rng.Between(20, 380);
    if (std::abs(x - kZoomX) < 30 + (y - kHorizon) / 3) continue;  // not on the path of light
    c.FillRect(x - scale, y - scale * 2, x + scale + 1, y, {96, 52, 34});
    c.FillRect(x - scale, y - scale * 2, x + scale + 1, y - scale * 2 + 1, {140, 80, 44});
    c.FillRect(x - scale / 2, y - scale * 2 - scale - 1, x + scale / 2 + 1, y - scale * 2, kFire, Ink::KeyColour);
    for (int k = 1; k < scale * 5; ++k)  // reflection
      if (k % 2 == 0 && c.Inside(x, y + k))
        c.Set(x + (k % 4 == 0 ? 1 : 0), y + k, Mix(c.Get(x, y + k), {230, 110, 50}, 200 - k * 150 / (scale * 5)));
  }
}

void Halo(Canvas& c) {
  for (int y = kZoomY - 64; y <= kZoomY + 64; ++y)
    for (int x = kZoomX - 64; x <= kZoomX + 64; ++x) {
      int dx = x - kZoomX, dy = y - kZoomY;
      int d2 = dx * dx + dy * dy;
      if (d2 < 44 * 44) {
        c.Set(x, y, Mix({255, 248, 232}, {132, 140, 232}, d2 * 256 / (44 * 44)));
      } else if (d2 < 47 * 47) {
        c.Key(x, y, kHalfHue);
      } else if (d2 < 49 * 49) {
        c.Set(x, y, {200, 196, 250});
      } else if (d2 < 56 * 56) {
        c.Key(x, y, kHue);
      } else if (d2 < 57 * 57) {
        c.Set(x, y, {150, 146, 230});
      }
    }
}

// One wing: rows of long feathers fanning out from the shoulder, pale at the root, violet at the tips.
void Wing(Canvas& c, int side) {
  const double sx = kZoomX + side * 8.0, sy = kZoomY - 12.0;
  for (int row = 2; row >= 0; --row) {
    int feathers = 8;
    for (int f = 0; f < feathers; ++f) {
      double t = static_cast<double>(f) / (feathers - 1);  // 0: up and out, 1: down
      double angle = -0.55 + t * 1.35;                     // radians below the horizontal
      double length = (120 - row * 30) * (1.0 - 0.45 * t);
      double width = 11 + row * 3;
      double ex = sx + side * ExactMath::Cos(angle) * length, ey = sy + ExactMath::Sin(angle) * length + 10;
      double nx = -ExactMath::Sin(angle) * width * side, ny = ExactMath::Cos(angle) * width;
      std::vector<Point> feather = {{sx, sy + row * 4.0},
                                    {sx + nx * 0.3, sy + row * 4.0 + ny * 0.3},
                                    {ex + nx * 0.6, ey + ny * 0.6},
                                    {ex + side * 6 * ExactMath::Cos(angle), ey + 6 * ExactMath::Sin(angle)},
                                    {ex - nx * 0.6, ey - ny * 0.6}};
      for (auto [x, y] : c.Cover(feather)) {
        double along = std::sqrt((x - sx) * (x - sx) + (y - sy) * (y - sy)) / std::max(1.0, length);
        int t256 = std::clamp(static_cast<int>(along * 256), 0, 256);
        Rgb root = row == 0 ? Rgb{250, 246, 240} : (row == 1 ? Rgb{226, 224, 246} : Rgb{196, 196, 240});
        c.Set(x, y, Mix(root, {120, 110, 200}, t256));
      }
      // A darker shaft along the outer half of the feather.
      c.Line(static_cast<int>((sx + ex) / 2), static_cast<int>((sy + row * 4 + ey) / 2), static_cast<int>(ex),
             static_cast<int>(ey), {150, 146, 210});
    }
  }
}

void Figure(Canvas& c) {
  const Rgb cloak{26, 20, 52}, edge{70, 60, 130};
  c.FillPolygon({{kZoomX - 7.0, kZoomY - 16.0},
                 {kZoomX + 7.0, kZoomY - 16.0},
                 {kZoomX + 15.0, kZoomY + 44.0},
                 {kZoomX + 4.0, kZoomY + 40.0},
                 {kZoomX - 4.0, kZoomY + 46.0},
                 {kZoomX - 15.0, kZoomY + 42.0}},
                edge);
  c.FillPolygon({{kZoomX - 6.0, kZoomY - 15.0},
                 {kZoomX + 6.0, kZoomY - 15.0},
                 {kZoomX + 13.0, kZoomY + 42.0},
                 {kZoomX + 4.0, kZoomY + 38.0},
                 {kZoomX - 4.0, kZoomY + 44.0},
                 {kZoomX - 13.0, kZoomY + 40.0}},
                cloak);
  c.FillEllipse(kZoomX + 0.5, kZoomY - 23.0, 6.5, 7.5, edge);
  c.FillEllipse(kZoomX + 0.5, kZoomY - 23.0, 5.5, 6.5, cloak);
  // A point of light held at the heart.
  for (int y = -3; y <= 3; ++y)
    for (int x = -3; x <= 3; ++x)
      if (x * x + y * y <= 9)
        c.Set(kZoomX + x, kZoomY + y, Mix({255, 250, 220}, {190, 220, 255}, (x * x + y * y) * 25));
}

// Stars in the sky that the curtain does not reach.
void Stars(Canvas& c, Rng& rng) {
  for (int i = 0; i < 70; ++i) {
    int x = rng.Below(400), y = rng.Between(120, kHorizon - 20);
    if (c.Get(x, y) != kNightSky) continue;
    c.Set(x, y, rng.Below(3) == 0 ? Rgb{255, 236, 200} : Rgb{200, 210, 255});
  }
}

}  // namespace

Canvas Paint() {
  Canvas c = NightCanvas();
  Rng rng(0x0A0F05E);
  Sea(c, rng);
  Stars(c, rng);
  LightPath(c, rng);
  Lanterns(c, rng);
  Halo(c);
  Wing(c, -1);
  Wing(c, 1);
  Figure(c);
  c.DropLoneKeys();
  c.CheckKeys();
  return c;
}

}  // namespace Fusion
