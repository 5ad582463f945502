// UnitPaintEffects -- the frame steps of the visual effects: particles, the flash, the shatter
// tiles, and the backdrop of the shattered world (zoom, light curtain, hue, colour keys, blur,
// glows).
#include <algorithm>
#include <cmath>

#include "game/UnitMain.h"
#include "paint/Random.h"
#include "paint/UnitPaintDraw.h"

std::array<std::array<uint8_t, GlowSpan>, GlowSpan> GlowKernel;
std::array<uint8_t, CanvasSize> Wave;
std::array<int32_t, CanvasSize> BandWidth;
std::array<TPixel, CanvasSize> BandColor;
std::array<int32_t, CanvasSize> BandCentre;

namespace {

TCanvasRows Screen;  // ScreenBmp's rows, fetched at the start of each step that needs them

// Night sky of the shattered world: dark at the top, deep blue at the bottom.
constexpr std::array<uint8_t, CanvasSize> NightTable() {
  std::array<uint8_t, CanvasSize> sky{};
  for (int y = 0; y < CanvasSize; ++y) sky[y] = static_cast<uint8_t>((y * y * 255 / 400) / 400);
  return sky;
}
constexpr std::array<uint8_t, CanvasSize> NightBlue = NightTable();

// Each column's band brightness (w² - d²) · c div w² divides by that column's w²; multiplying
// by a rounded-up reciprocal gives the same quotient here, since the dividend stays below 2^20
// and w² below 2^12.
constexpr int ReciprocalShift = 42;
std::array<uint64_t, CanvasSize> BandReciprocal;

uint8_t BandShade(uint32_t weight, uint8_t channel, uint64_t reciprocal) {
  return static_cast<uint8_t>((static_cast<uint64_t>(weight) * channel * reciprocal) >> ReciprocalShift);
}

inline void Step(TParticle& p) {
  if (p.X < 0 || p.Y < 0 || p.X >= CanvasSize || p.Y >= CanvasSize) p.Active = false;
  if (p.Chance < Random(100)) p.Active = false;
  if (!p.Active) return;
  Screen[p.Y][p.X] = p.Color;
  p.X += (Random(2) + 1) * p.VX;
  p.Y += (Random(2) + 1) * p.VY;
}

inline uint8_t AddClamped(uint8_t value, uint8_t k) {
  const unsigned sum = static_cast<unsigned>(value) + k;
  return static_cast<uint8_t>(sum > 255 ? 255 : sum);
}

}  // namespace

void BuildGlowKernel() {
  for (int i = 0; i < GlowSpan; ++i) {
    for (int j = 0; j < GlowSpan; ++j) {
      const double r2 = (GlowRadius - j) * (GlowRadius - j) + (GlowRadius - i) * (GlowRadius - i);
      GlowKernel[i][j] = static_cast<uint8_t>(std::trunc(std::exp(-r2 / 39.0) * 200.0));
    }
  }
}

// ---- Particles, flash, tiles ------------------------------------------------------------------

void StepParticle(TParticle& p) {
  FetchRows(*ScreenBmp, Screen);
  Step(p);
}

void DrawParticles() {
  FetchRows(*ScreenBmp, Screen);
  for (auto& pool : ButtonParticles) {
    for (TParticle& p : pool) Step(p);
  }
  // Green sparks shoot up out of the 理力 line while 理力 lasts.
  for (TParticle& p : PowerSparks) {
    if (!p.Active && Random(10) < IdeaPower) {
      p.Active = true;
      p.Color = MakePixel(0, 255, 0);
      p.VX = Random(3) - 1;
      p.VY = -Random(10) - 5;
      p.X = Random(5) + 60;
      p.Y = Random(5) + 35;
      p.Chance = 100;
    }
    Step(p);
  }
  for (TParticle& p : BurstParticles) Step(p);
}

void DrawFlash() {
  if (!FlashPending) return;
  ScreenBmp->Fill(FlashColor);
  FlashPending = false;
}

void DrawTiles() {
  for (int r = 0; r < TileRows; ++r) {
    for (int c = 0; c < TileColumns; ++c) {
      TShatterTile& t = Tiles[r][c];
      if (!t.Active) continue;
      t.X += t.VX;
      t.Y += t.VY;
      if (Random(5) == 0) t.VX -= Random(2);
      if (Random(5) == 0) t.VY += Random(3);
      if (t.X > 399 || t.Y > 399 || t.X + TileSize <= 0 || t.Y + TileSize <= 0) {
        t.Active = false;
        continue;
      }
      // The block copy clips what hangs over the edges.
      Platform::BitBlt(*ScreenBmp, t.X, t.Y, TileSize, TileSize, *ShatterBmp, TileSize * c, TileSize * r,
                       Platform::SRCCOPY);
    }
  }
}

// ---- The shattered world ----------------------------------------------------------------------

void DrawOtherScene() {
  if (SilverBurst) {
    ScreenBmp->Fill(PixelBlue);  // the zoom stands still under the night sky
  } else {
    DrawZoomedPicture();
  }
  BuildColumnTables();
  const TPixel hue = StepHue();
  ApplyColorKeys(hue);
  BlurVertical();
  DrawGlows();
}

void DrawZoomedPicture() {
  if (Zooming) {
    if (!ZoomedIn) {
      ZoomPercent = ZoomPercent * ZoomPercent / 99;
      if (ZoomPercent >= 1000) ZoomedIn = true;
    } else {
      // Round half to even (the default rounding mode); a square root of a whole number is
      // never exactly half-way anyway.
      ZoomPercent = static_cast<int32_t>(std::nearbyint(std::sqrt(static_cast<double>(ZoomPercent) * 99.0)));
      if (ZoomPercent <= 100) {
        ZoomPercent = 100;
        Zooming = false;
      }
    }
  }
  TQuilBitmap& picture = ZoomedIn ? *PictureUna : *PictureA2;
  if (ZoomPercent == 100) {
    // Unscaled: the picture's top-left 400 x 400.
    Platform::BitBlt(*ScreenBmp, 0, 0, CanvasSize, CanvasSize, picture, 0, 0, Platform::SRCCOPY);
    return;
  }
  // Scaled about (200, 110); from 100 % up every source point lies inside the first 400 x 400.
  static TCanvasRows source;
  static std::array<int16_t, CanvasSize> sourceColumn;
  FetchRows(*ScreenBmp, Screen);
  FetchRows(picture, source);
  const int32_t zoom = std::max<int32_t>(ZoomPercent, 100);
  for (int x = 0; x < CanvasSize; ++x) sourceColumn[x] = static_cast<int16_t>((x - 200) * 100 / zoom + 200);
  for (int y = 0; y < CanvasSize; ++y) {
    const TPixel* in = source[(y - 110) * 100 / zoom + 110];
    TPixel* out = Screen[y];
    for (int x = 0; x < CanvasSize; ++x) out[x] = in[sourceColumn[x]];
  }
}

void BuildColumnTables() {
  for (int x = 0; x < CanvasSize; ++x) {
    const int32_t q = (200 - x) * (200 - x) * 20 / 40000;
    if (x == 0) {
      Wave[0] = 180;
    } else {
      Wave[x] = static_cast<uint8_t>(std::clamp(Wave[x - 1] + Random(3) - 1, 180, 200));
    }
    const int32_t s = Random(5);
    BandWidth[x] = q + s * s + 20;
    const int32_t t = Random(64);
    BandColor[x] = MakePixel(static_cast<uint8_t>(96 + t), static_cast<uint8_t>(192 + t), static_cast<uint8_t>(96 + t));
    BandCentre[x] = 80 - q;
  }
}

TPixel StepHue() {
  HuePhase = (HuePhase + 8) % 384;
  const uint8_t m = static_cast<uint8_t>(HuePhase % 128);
  const uint8_t rest = static_cast<uint8_t>(127 - m);
  if (HuePhase < 128) return MakePixel(m, rest, 0);
  if (HuePhase < 256) return MakePixel(rest, 0, m);
  return MakePixel(0, m, rest);
}

void ApplyColorKeys(TPixel hue) {
  const TPixel halfHue =
      TPixel{static_cast<uint8_t>(hue.B >> 1), static_cast<uint8_t>(hue.G >> 1), static_cast<uint8_t>(hue.R >> 1)};
  for (int x = 0; x < CanvasSize; ++x) {
    const uint64_t w2 = static_cast<uint64_t>(std::max<int32_t>(BandWidth[x], 1)) * std::max<int32_t>(BandWidth[x], 1);
    BandReciprocal[x] = ((uint64_t{1} << ReciprocalShift) + w2 - 1) / w2;
  }
  FetchRows(*ScreenBmp, Screen);
  for (int y = 0; y < CanvasSize; ++y) {
    TPixel* row = Screen[y];
    const uint8_t night = NightBlue[y];
    for (int x = 0; x < CanvasSize; ++x) {
      TPixel& p = row[x];
      // Every key has channels of 0 or 255 only: most pixels are passed over at the first test.
      if (static_cast<uint8_t>(p.R + 1) > 1 || static_cast<uint8_t>(p.G + 1) > 1 || static_cast<uint8_t>(p.B + 1) > 1) {
        continue;
      }
      const uint32_t key = (uint32_t{p.R} << 16) | (uint32_t{p.G} << 8) | p.B;
      switch (key) {
        case 0x000000:  // black
          p = hue;
          break;
        case 0xFFFF00:  // yellow
          p = halfHue;
          break;
        case 0x0000FF: {  // blue: night sky, and the curtain of light where its ray reaches
          const int32_t centre = BandCentre[x];
          const int32_t w = BandWidth[x];
          if (centre - w < y && y <= centre + w) {
            const int32_t d = y - centre;
            const uint32_t weight = static_cast<uint32_t>(w * w - d * d);
            const TPixel band = BandColor[x];
            const uint64_t reciprocal = BandReciprocal[x];
            p.R = BandShade(weight, band.R, reciprocal);
            p.G = BandShade(weight, band.G, reciprocal);
            p.B = BandShade(weight, band.B, reciprocal);
          } else {
            p = TPixel{night, 0, 0};
          }
          break;
        }
        case 0x00FFFF:  // cyan: the pale, shimmering surface
          p = TPixel{Wave[x], Wave[x], static_cast<uint8_t>(Wave[x] + 30)};
          break;
        case 0xFF0000:  // red: flickering fire
          p = TPixel{0, 0, static_cast<uint8_t>(128 + Random(128))};
          break;
        default:
          break;
      }
    }
  }
}

void BlurVertical() {
  // In place, top to bottom: each row is averaged with the three not yet blurred rows below it.
  FetchRows(*ScreenBmp, Screen);
  constexpr int bytes = 3 * CanvasSize;
  for (int y = 0; y + 3 < CanvasSize; ++y) {
    uint8_t* out = reinterpret_cast<uint8_t*>(Screen[y]);
    const uint8_t* b = reinterpret_cast<const uint8_t*>(Screen[y + 1]);
    const uint8_t* c = reinterpret_cast<const uint8_t*>(Screen[y + 2]);
    const uint8_t* d = reinterpret_cast<const uint8_t*>(Screen[y + 3]);
    for (int i = 0; i < bytes; ++i) {
      out[i] = static_cast<uint8_t>((unsigned{out[i]} + b[i] + c[i] + d[i]) >> 2);
    }
  }
}

void DrawGlows() {
  FetchRows(*ScreenBmp, Screen);
  for (TGlow& g : Glows) {
    if (Random(5) == 0) g.VX -= Random(3);
    if (Random(5) == 0) g.VY += Random(2);
    g.X += g.VX;
    g.Y += g.VY;
    // Out at the left or bottom: back in at the right or top, white again.
    if (g.X + GlowRadius < 0) {
      g.X = 415;
      g.VX = -Random(3);
      g.VY = Random(3);
      g.Red = false;
    }
    if (g.Y - GlowRadius > 400) {
      g.Y = -15;
      g.VX = -Random(3);
      g.VY = Random(3);
      g.Red = false;
    }
    const int dyFrom = std::max(-GlowRadius, -g.Y);
    const int dyTo = std::min(GlowRadius, CanvasSize - 1 - g.Y);
    const int dxFrom = std::max(-GlowRadius, -g.X);
    const int dxTo = std::min(GlowRadius, CanvasSize - 1 - g.X);
    for (int dy = dyFrom; dy <= dyTo; ++dy) {
      TPixel* row = Screen[g.Y + dy];
      const uint8_t* kernel = GlowKernel[dy + GlowRadius].data() + GlowRadius;
      for (int dx = dxFrom; dx <= dxTo; ++dx) {
        const int px = ZoomedIn ? CanvasSize - 1 - (g.X + dx) : g.X + dx;  // mirrored world
        const uint8_t k = kernel[dx];
        TPixel& p = row[px];
        p.R = AddClamped(p.R, k);
        if (!g.Red) {
          p.G = AddClamped(p.G, k);
          p.B = AddClamped(p.B, k);
        }
      }
    }
  }
}
