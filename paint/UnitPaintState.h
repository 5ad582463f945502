// UnitPaintState -- the play area's effect state that the requests set and the drawing reads:
// the particle pools, the flash, the shatter tiles, the shattered world's hue, zoom and glows,
// the title pixels, and the canvases. Defined in UnitPaint.cpp; for UnitPaint's own files.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "paint/QuilBmp.h"
#include "paint/UnitPaint.h"

// ---- Particles ------------------------------------------------------------------------------

struct TParticle {
  bool Active = false;
  TPixel Color;
  int32_t VX = 0;
  int32_t VY = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Chance = 0;  // survival chance per frame, percent
};

inline constexpr int ParticlesPerButton = 1000;
inline constexpr int PowerSparkCount = 10;
inline constexpr int BurstParticleCount = 1000;

using TParticlePool = std::array<TParticle, ParticlesPerButton>;
// One pool per idea button, chosen by the button's Tag.
extern std::array<TParticlePool, IdeaButtonCount> ButtonParticles;
// Green sparks rising from the 理力 status line.
extern std::array<TParticle, PowerSparkCount> PowerSparks;
// The meteor's fountain.
extern std::array<TParticle, BurstParticleCount> BurstParticles;

// ---- Flash, shatter, shattered world ---------------------------------------------------------

extern bool FlashPending;
extern TPixel FlashColor;

struct TShatterTile {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t VX = 0;
  int32_t VY = 0;
  bool Active = false;
};
inline constexpr int TileRows = 40;
inline constexpr int TileColumns = 40;
inline constexpr int TileSize = 10;
// Tile (row r, column c) carries the 10 x 10 block of the snapshot at (10 c, 10 r).
extern std::array<std::array<TShatterTile, TileColumns>, TileRows> Tiles;

// 0 .. 383: the cycling hue of the shattered world.
extern int32_t HuePhase;

extern bool Zooming;
extern bool ZoomedIn;
extern int32_t ZoomPercent;

struct TGlow {
  bool Red = false;  // adds red only
  int32_t VX = 0;
  int32_t VY = 0;
  int32_t X = 0;
  int32_t Y = 0;
};
inline constexpr int GlowCount = 50;
extern std::array<TGlow, GlowCount> Glows;

// ---- Title pixels ---------------------------------------------------------------------------

struct TScreenPoint {
  int32_t X = 0;
  int32_t Y = 0;
};
inline constexpr int MaxTitlePixels = 10000;
// Filled once by the title capture of the drawing set-up.
extern int32_t TitlePixelCount;
extern std::array<TScreenPoint, MaxTitlePixels> TitleTarget;
extern std::array<TPixel, MaxTitlePixels> TitleColor;
// Where each title pixel is now; scattered by PaintReset, gathered by the title frames.
extern std::array<TScreenPoint, MaxTitlePixels> TitlePos;

// ---- Canvases -------------------------------------------------------------------------------

// The play area and every canvas are 400 x 400 pixels; the pictures are at least that big.
inline constexpr int CanvasSize = 400;

// The off-screen canvas every frame is drawn into, the three pictures, and the shatter snapshot.
extern std::unique_ptr<TQuilBitmap> ScreenBmp;
extern std::unique_ptr<TQuilBitmap> PictureA;
extern std::unique_ptr<TQuilBitmap> PictureA2;
extern std::unique_ptr<TQuilBitmap> PictureUna;
extern std::unique_ptr<TQuilBitmap> ShatterBmp;
