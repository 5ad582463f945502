// BrokenWorldPicture -- dat/a2.bmp, the world broken open: a rift of shifting colour torn in the night sky.
//
// The rift is an eye centred on the zoom point: its rim cycles through the hue, its depth through the half
// hue, and a white star burns at its centre. Pieces of the port town float in the sky; the sea has turned
// to a shimmering pane, and the ground below is cracked into plates with fire in the seams.
#include "tools/assets/BrokenWorldPicture.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/ExactMath.h"
#include "tools/assets/Rng.h"
#include "tools/assets/WorldKeys.h"

namespace BrokenWorld {
namespace {

using Ink = Canvas::Ink;
using namespace WorldKey;
constexpr int kHorizon = 214;
constexpr int kGround = 240;

// A lens with ragged edges about the zoom point.
std::vector<Point> Lens(Rng& rng, double halfWidth, double top, double bottom, double ragged) {
  std::vector<Point> right, left;
  const int steps = 36;
  for (int i = 0; i <= steps; ++i) {
    double t = static_cast<double>(i) / steps;
    double y = top + (bottom - top) * t;
    double w = halfWidth * std::sqrt(std::max(0.0, 1.0 - (2 * t - 1) * (2 * t - 1)));
    double jag = (i == 0 || i == steps) ? 0.0 : ragged * rng.Signed();
    right.push_back({kZoomX + w + jag, y});
    left.push_back({kZoomX - w + ragged * rng.Signed() * (i == 0 || i == steps ? 0 : 1), y});
  }
  std::vector<Point> lens(right.begin(), right.end());
  lens.insert(lens.end(), left.rbegin(), left.rend());
  return lens;
}

void Rift(Canvas& c, Rng& rng) {
  // A pale rim just outside the tear, then the tear itself.
  auto rim = Lens(rng, 44, 8, 212, 4);
  c.FillPolygon(rim, {196, 186, 255});
  auto outer = Lens(rng, 40, 12, 208, 5);
  c.FillPolygon(outer, kHue, Ink::KeyColour);
  auto inner = Lens(rng, 24, 40, 180, 3);
  c.FillPolygon(inner, kHalfHue, Ink::KeyColour);
  // The star at the centre: a white core with four long rays.
  for (int y = kZoomY - 30; y <= kZoomY + 30; ++y)
    for (int x = kZoomX - 22; x <= kZoomX + 22; ++x) {
      int dx = std::abs(x - kZoomX), dy = std::abs(y - kZoomY);
      int ray = std::min(dx * 5 + dy, dy * 4 + dx * 2) * 6;  // thin cross, longer up and down
      int disc = (dx * dx + dy * dy) * 7;
      int t = std::min(ray, disc);
      if (t < 256) c.Set(x, y, Mix({255, 252, 240}, {150, 140, 230}, t));
    }
  // Cracks in the sky running out from the rim.
  for (int i = 0; i < 16; ++i) {
    double side = (i % 2 == 0) ? 1.0 : -1.0;
    double y = 24 + rng.Below(180);
    double x = kZoomX + side * (36 + rng.Below(6));
    double dirX = side * (0.7 + 0.6 * rng.Unit()), dirY = rng.Signed() * 0.8;
    int length = 30 + rng.Below(110);
    for (int s = 0; s < length; ++s) {
      int fade = s * 200 / length;
      c.Set(static_cast<int>(x), static_cast<int>(y), Mix({214, 204, 255}, {60, 60, 170}, fade));
      x += dirX + 0.5 * rng.Signed();
      y += dirY + 0.5 * rng.Signed();
      if (rng.Below(24) == 0) dirY = rng.Signed() * 0.8;
      if (c.Get(static_cast<int>(x), static_cast<int>(y)) != kNightSky) break;
    }
  }
}

// The sea, turned to a pane that shimmers, with the first cracks of the ground running into it.
void Sea(Canvas& c) {
  for (int y = kHorizon; y < kGround; ++y)
    for (int x = 0; x < c.Width(); ++x) c.Key(x, y, kShimmer);
  // A mist line where the pane meets the sky.
  for (int x = 0; x < c.Width(); ++x) {
    c.Set(x, kHorizon - 1, {150, 150, 200});
    c.Set(x, kHorizon - 2, {90, 90, 170});
  }
}

// The ground broken into plates (nearest-seed cells), fire in the seams, a chasm of hue under the rift.
void Ground(Canvas& c, Rng& rng) {
  struct Seed {
    double x, y;
    Rgb tone;
  };
  std::vector<Seed> seeds;
  for (int row = 0; row < 6; ++row) {
    double y = kGround + 6 + row * row * 5.0 + row * 10.0;
    int count = 7 - row / 2;
    for (int i = 0; i < count; ++i) {
      double x = (i + 0.5) * 400.0 / count + rng.Signed() * 20;
      int g = rng.Between(40, 70);
      seeds.push_back({x,
                       y + rng.Signed() * 6,
                       {static_cast<uint8_t>(g + 6), static_cast<uint8_t>(g), static_cast<uint8_t>(g + 16)}});
    }
  }
  for (int y = kGround; y < c.Height(); ++y) {
    double squash = 1.0 + (c.Height() - y) / 60.0;  // cells look flatter toward the horizon
    for (int x = 0; x < c.Width(); ++x) {
      double best = 1e9, second = 1e9;
      size_t bi = 0, si = 0;
      for (size_t i = 0; i < seeds.size(); ++i) {
        double dx = (x - seeds[i].x), dy = (y - seeds[i].y) * squash;
        double d = std::sqrt(dx * dx + dy * dy);
        if (d < best) {
          second = best;
          si = bi;
          best = d;
          bi = i;
        } else if (d < second) {
          second = d;
          si = i;
        }
      }
      double gap = (second - best) / squash;  // distance to the seam, in rows
      double seam = 1.2 + (y - kGround) / 60.0;
      // Only some seams burn; the others are dark cracks.
      bool burning = ((std::min(bi, si) * 7 + std::max(bi, si) * 3) % 5) < 2;
      int grain = static_cast<int>(((x * 73856093u) ^ (y * 19349663u)) % 13) - 6;
      Rgb rock = Shade(seeds[bi].tone, 256 - (y - kGround) / 2 + grain * 3);
      if (burning && gap < seam) {
        c.Key(x, y, kFire);
      } else if (burning && gap < seam + 7) {
        // Rock glowing from the fire in the seam.
        int t = static_cast<int>((seam + 7 - gap) * 26);
        c.Set(x, y, Mix(rock, {232, 96, 36}, t));
      } else if (!burning && gap < seam * 0.7) {
        c.Set(x, y, {18, 14, 24});
      } else if (gap < seam + 2) {
        c.Set(x, y, Shade(rock, 150));  // the plate's broken edge
      } else {
        c.Set(x, y, rock);
      }
    }
  }
  // The chasm below the rift, where the ground has opened.
  std::vector<Point> left, right;
  double cx = kZoomX;
  for (int y = kHorizon; y <= 400; y += 8) {
    double w = 1.0 + (y - kHorizon) * 0.12;
    cx += rng.Signed() * 5;
    left.push_back({cx - w - rng.Unit() * 4, static_cast<double>(y)});
    right.push_back({cx + w + rng.Unit() * 4, static_cast<double>(y)});
  }
  std::vector<Point> chasm(right.begin(), right.end());
  chasm.insert(chasm.end(), left.rbegin(), left.rend());
  for (auto [x, y] : c.Cover(chasm)) {
    // The chasm's walls glow from inside.
    for (int k = 1; k <= 4; ++k)
      for (int side : {-k, k})
        if (!c.IsKey(x + side, y) && c.Inside(x + side, y))
          c.Set(x + side, y, Mix(c.Get(x + side, y), {170, 120, 230}, 200 - k * 40));
  }
  for (auto [x, y] : c.Cover(chasm)) c.Key(x, y, y < kGround ? kHalfHue : kHue);
}

// A floating piece of the town: a flat top, a ragged rock cone below, embers on its broken underside.
void Island(Canvas& c, Rng& rng, int left, int right, int top, int depth, double tilt) {
  std::vector<Point> rock;
  auto topY = [&](double x) { return top + (x - left) * tilt; };
  rock.push_back({static_cast<double>(left), topY(left)});
  rock.push_back({static_cast<double>(right), topY(right)});
  const int n = 9;
  for (int i = 1; i < n; ++i) {
    double t = static_cast<double>(i) / n;
    double x = right - (right - left) * t;
    double bulge = ExactMath::Sin(t * ExactMath::kPi) * depth;
    rock.push_back({x + rng.Signed() * 3, topY(x) + 3 + bulge * (0.6 + 0.5 * rng.Unit())});
  }
  for (auto [x, y] : c.Cover(rock)) {
    int down = static_cast<int>(y - topY(x));
    Rgb stone = Mix({92, 80, 96}, {26, 22, 40}, down * 256 / std::max(1, depth));
    if ((x * 3 + y * 5) % 11 == 0) stone = Shade(stone, 220);
    c.Set(x, y, down < 3 ? Rgb{54, 62, 70} : stone);
  }
  // Embers where the rock broke off.
  for (size_t i = 3; i + 1 < rock.size(); i += 2) {
    int ex = static_cast<int>(rock[i].x), ey = static_cast<int>(rock[i].y);
    c.FillRect(ex - 1, ey - 2, ex + 1, ey, kFire, Ink::KeyColour);
    c.Set(ex, ey - 3, {230, 110, 50});
  }
}

// A house standing on a tilted island: a gabled block with lit windows.
void House(Canvas& c, int x, int ground, int w, int h, double tilt, Rng& rng) {
  auto shear = [&](double px, double py) { return Point{px, py + (px - x) * tilt}; };
  c.FillPolygon({shear(x, ground), shear(x, ground - h), shear(x + w / 2.0, ground - h - w * 0.7),
                 shear(x + w, ground - h), shear(x + w, ground)},
                {16, 16, 28});
  for (int wy = ground - h + 4; wy < ground - 5; wy += 8)
    for (int wx = x + 2; wx + 3 <= x + w - 2; wx += 6)
      if (rng.Below(100) < 45) {
        Point p = shear(wx, wy);
        c.FillRect(static_cast<int>(p.x), static_cast<int>(p.y), static_cast<int>(p.x) + 3, static_cast<int>(p.y) + 4,
                   {255, 200, 110});
      }
}

// The lighthouse, torn loose and leaning, its lantern now a fire.
void LeaningLighthouse(Canvas& c, double baseX, double baseY, double angle) {
  const double s = ExactMath::Sin(angle), co = ExactMath::Cos(angle);
  auto at = [&](double u, double v) {
    return Point{baseX + u * co - v * s, baseY + u * s + v * co};
  };  // v upward is negative
  c.FillPolygon({at(-8, 0), at(-5, -84), at(5, -84), at(8, 0)}, {20, 18, 34});
  c.FillPolygon({at(-9, -84), at(9, -84), at(9, -87), at(-9, -87)}, {20, 18, 34});
  c.FillPolygon({at(-5, -87), at(5, -87), at(5, -97), at(-5, -97)}, kFire, Ink::KeyColour);
  c.FillPolygon({at(-6, -97), at(6, -97), at(0, -104)}, {20, 18, 34});
  for (double v : {-20.0, -44.0, -66.0}) {
    Point p = at(0, v);
    c.FillRect(static_cast<int>(p.x) - 1, static_cast<int>(p.y) - 2, static_cast<int>(p.x) + 1,
               static_cast<int>(p.y) + 2, {255, 200, 110});
  }
}

// Small square shards of the old picture still falling through the sky.
void Shards(Canvas& c, Rng& rng) {
  const Rgb palette[] = {{40, 60, 200}, {20, 30, 120}, {90, 100, 130}, {255, 204, 112}, {60, 70, 96}};
  for (int i = 0; i < 60; ++i) {
    int x = rng.Below(400), y = rng.Below(kHorizon - 10);
    if (std::abs(x - kZoomX) < 56) continue;  // keep the eye clear
    if (c.Get(x, y) != kNightSky) continue;
    int size = rng.Between(2, 5);
    Rgb tone = palette[rng.Below(5)];
    c.FillRect(x, y, x + size, y + size, tone);
    c.FillRect(x, y, x + size, y + 1, Mix(tone, {230, 230, 255}, 90));
  }
}

}  // namespace

Canvas Paint() {
  Canvas c = NightCanvas();
  Rng rng(0xA2B0CE);
  Sea(c);
  Ground(c, rng);
  Rift(c, rng);
  Island(c, rng, 18, 132, 184, 44, -0.08);
  LeaningLighthouse(c, 70, 180, -0.22);
  for (int i = 0; i < 2; ++i) House(c, 92 + i * 18, 180 - (92 + i * 18 - 18) / 12, 14, 14 + i * 6, -0.08, rng);
  Island(c, rng, 268, 388, 160, 50, 0.06);
  for (int i = 0; i < 5; ++i)
    House(c, 274 + i * 22, 160 + static_cast<int>((274 + i * 22 - 268) * 0.06), 18, 16 + (i * 7) % 13, 0.06, rng);
  Island(c, rng, 132, 160, 54, 14, 0.1);
  Island(c, rng, 250, 282, 40, 16, -0.12);
  Island(c, rng, 326, 356, 86, 12, 0.05);
  Island(c, rng, 26, 56, 74, 12, -0.04);
  Shards(c, rng);
  c.DropLoneKeys();
  c.CheckKeys();
  return c;
}

}  // namespace BrokenWorld
