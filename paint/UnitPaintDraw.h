// UnitPaintDraw -- what UnitPaint's own files share: the particle pools, the shatter tiles, the
// shattered world's hue, zoom and glows, the title pixels, the canvases, and the drawing steps
// the frame callback runs (UnitPaintScene, UnitPaintText, UnitPaintEffects).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

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

// ---- Drawing steps (UnitPaintScene, UnitPaintText, UnitPaintEffects) ---------------------------

// The raw row addresses of lines 0 .. 399 of a bitmap, fetched once through its range-checked
// row table so that the hot loops index them directly.
using TCanvasRows = std::array<TPixel*, CanvasSize>;
void FetchRows(const TQuilBitmap& bmp, TCanvasRows& rows);

// Font face, height, style (0, Platform::fsBold or fsItalic) and colour of ScreenBmp's text;
// the brush is made clear so text never paints a box.
void SetScreenFont(const char* name, int height, unsigned style, TPixel color);

// Draws the title into ScreenBmp and keeps its non-white pixels (at most 10,000, row by row)
// as the targets of the title pixels.
void CaptureTitle();
// One title frame: the shimmering, magnified harbour and the title pixels gathering.
void DrawTitle();
// The normal backdrop: the picture, its white turned to sky, the black sides with wobbling edges.
void DrawScene();
// Two lines from the top to the bottom edge (left to right edge) around centre, each end at
// Random(spread) + centre - spread div 2.
void JitterVLines(TPixel color, int centre, int spread);
void JitterHLines(TPixel color, int centre, int spread);

// The text layers over every backdrop.
void DrawStatus();
void DrawScriptLines();
void DrawMessageLog();
void DrawDescription();  // only while DescriptionTitle is not empty
void DrawGameOver();     // only while HP <= 0
// Where a message line starts: centred by its length in bytes (a full-width character counts 2).
int MessageLeft(const std::string& text);

// 31 x 31 brightness of a glow, 200 in the middle; built once by the drawing set-up.
inline constexpr int GlowRadius = 15;
inline constexpr int GlowSpan = 2 * GlowRadius + 1;
extern std::array<std::array<uint8_t, GlowSpan>, GlowSpan> GlowKernel;
void BuildGlowKernel();

// One step of a particle: retired when off the canvas or by its chance, else drawn and moved.
void StepParticle(TParticle& p);
// Button sparks, the 理力 sparks (spawned while 理力 lasts), the meteor's fountain.
void DrawParticles();
// A pending flash fills the whole canvas, once.
void DrawFlash();
// The snapshot's tiles slide left and fall.
void DrawTiles();

// The shattered world's per-column tables, new every frame.
extern std::array<uint8_t, CanvasSize> Wave;
extern std::array<int32_t, CanvasSize> BandWidth;
extern std::array<TPixel, CanvasSize> BandColor;
extern std::array<int32_t, CanvasSize> BandCentre;
// The backdrop of the shattered world: picture (zoomed) or night sky, colour keys, blur, glows.
void DrawOtherScene();
// Its steps, in the order it runs them.
void DrawZoomedPicture();  // advances the zoom, draws PictureA2 or PictureUna scaled about (200, 110)
void BuildColumnTables();
TPixel StepHue();  // advances HuePhase and gives the hue colour
void ApplyColorKeys(TPixel hue);
void BlurVertical();
void DrawGlows();
