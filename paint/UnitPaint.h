// UnitPaint -- the play area: the five idea buttons, the particle pools, the flash, the shatter
// tiles, the shattered world's hue, zoom and glows, the title pixels, the requests game code
// makes of them, and the drawing of it all. Game code only sets this state; the frame
// callback draws it (UnitPaintFrame, UnitPaintScene, UnitPaintText, UnitPaintEffects).
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Controls.h"

#include "paint/QuilBmp.h"

// ---- Idea buttons -------------------------------------------------------------------------

inline constexpr int IdeaButtonCount = 5;
inline constexpr int IdeaButtonLeft = 20;
inline constexpr int IdeaButtonWidth = 100;
inline constexpr int IdeaButtonHeight = 30;

// The five buttons, children of the play-area panel; used in table order between two rewinds.
extern std::array<std::unique_ptr<Platform::TPushButton>, IdeaButtonCount> IdeaButtons;
// The table index the next spawn takes, 0 .. 5 (5: all used since the last rewind).
extern int32_t NextIdeaButton;

// Creates the five hidden buttons on the play-area panel, each calling onClick when clicked
// (the main form's IdeaButtonClick): the two halves below in one call.
void CreateIdeaButtons(Platform::TPanel& page, std::function<void(Platform::TPushButton&)> onClick);
// First half: the five controls themselves.
void CreateIdeaButtonControls();
// Second half, once the pictures are in: tag, hidden, parent, bold, size, place, click, no tab stop.
void SetUpIdeaButtons(Platform::TPanel& page, std::function<void(Platform::TPushButton&)> onClick);
// Frees the five buttons at shutdown.
void FreeIdeaButtons();
// Drops the button with this caption in from above the play area. A sixth spawn between two
// rewinds is ignored.
void SpawnIdeaButton(const std::string& caption);
// A click can be paid for: 理力 above 0 or the silver bullet held.
bool IdeaButtonsUsable();
// One frame of the fall: ease in, crawl, drop away; keep 10 pixels between buttons.
void MoveIdeaButtons();
// A paid click: green sparks, the button hides, the others are enabled anew.
void BurstIdeaButton(Platform::TPushButton& button);
// A press on the play area dismisses every button on screen in grey sparks and rewinds.
void ShatterIdeaButtons();
// The point lies on a visible, greyed-out button (a press there must not advance the story).
bool IsOnDisabledIdeaButton(int32_t x, int32_t y);

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

// True from the first shatter until the next reset: the backdrop is the shattered world.
extern bool ShatterActive;

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

// ---- Requests -------------------------------------------------------------------------------

// A one-frame fill of the play area; a second request before that frame replaces the colour.
void RequestFlash(TPixel color);
// The meteor's fountain of pink pixels from the lower middle.
void StartBurst();
// Breaks the picture into falling tiles over the shattered world.
void StartShatter();
// All glows shine red until each has left the play area once.
void RedGlows();
// The plunge into the second picture of the shattered world.
void StartZoom();
// Back to the state of a new game: no flash, buttons hidden and rewound, no particles, the
// normal world, glows and title pixels scattered anew, no zoom.
void PaintReset();

// ---- Drawing set-up and the frame -------------------------------------------------------------

// The play area and every canvas are 400 x 400 pixels; the pictures are at least that big.
inline constexpr int CanvasSize = 400;

// The off-screen canvas every frame is drawn into, the three pictures, and the shatter snapshot.
extern std::unique_ptr<TQuilBitmap> ScreenBmp;
extern std::unique_ptr<TQuilBitmap> PictureA;
extern std::unique_ptr<TQuilBitmap> PictureA2;
extern std::unique_ptr<TQuilBitmap> PictureUna;
extern std::unique_ptr<TQuilBitmap> ShatterBmp;

// The drawing set-up at start-up: bitmaps and pictures (a missing or broken picture throws,
// naming the file), the five idea buttons on the play-area panel calling onClick, the glow
// kernel, the title capture. Frames are copied to paintBox.
void PaintSetup(Platform::TPanel& page, Platform::TPaintBox& paintBox,
                std::function<void(Platform::TPushButton&)> onClick);
// Frees the five bitmaps, then the idea buttons.
void PaintFree();
// The one periodic procedure: draws the title or the game into ScreenBmp, moves the idea
// buttons and copies the canvas to the play area.
void FrameCallback();

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
