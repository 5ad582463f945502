// UnitPaint -- what game code asks of the play area: the five idea buttons it drops in, and the
// visual requests (flash, burst, shatter, red glows, zoom, reset) it posts. Game code only sets
// this state; the frame callback of the drawing library above reads it (UnitPaintFrame.h).
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

#include "paint/QuilBmp.h"

// ---- Idea buttons -------------------------------------------------------------------------

inline constexpr int IdeaButtonCount = 5;
inline constexpr int IdeaButtonLeft = 20;
inline constexpr int IdeaButtonWidth = 100;
inline constexpr int IdeaButtonHeight = 30;
// Below this top a button still falls; at it or below, the next frame hides it.
inline constexpr int32_t IdeaButtonFallenOut = 400;

// The top a visible button moves to in one frame from top y, before the stacking clamp: it eases
// in towards 100 (dropping the fraction of what remains, so it always advances), crawls to 150,
// then drops away faster and faster.
constexpr int32_t IdeaButtonFallStep(int32_t y) {
  if (y < 100) return 100 - 3 * (100 - y) / 4;
  if (y < 150) return y + 1;
  return 4 * (y - 150) / 3 + 151;
}

// The five buttons, children of the play-area panel; used in table order between two rewinds.
extern std::array<std::unique_ptr<Platform::TPushButton>, IdeaButtonCount> IdeaButtons;
// The table index the next spawn takes, 0 .. 5 (5: all used since the last rewind).
extern int32_t NextIdeaButton;

// Whether a click on an idea button can be paid for; the game's rule, installed at set-up.
using TIdeaPayableProc = bool (*)();
extern TIdeaPayableProc IdeaPayableProc;

// Creates the five hidden buttons on the play-area panel, each calling onClick when clicked
// (the main form's IdeaButtonClick): the two halves below in one call.
void CreateIdeaButtons(Platform::TPanel& page, const std::function<void(Platform::TPushButton&)>& onClick);
// First half: the five controls themselves.
void CreateIdeaButtonControls();
// Second half, once the pictures are in: tag, hidden, parent, bold, size, place, click, no tab stop.
void SetUpIdeaButtons(Platform::TPanel& page, const std::function<void(Platform::TPushButton&)>& onClick);
// Frees the five buttons at shutdown.
void FreeIdeaButtons();
// Drops the button with this caption in from above the play area. A sixth spawn between two
// rewinds is ignored.
void SpawnIdeaButton(const std::string& caption);
// A click can be paid for, as IdeaPayableProc says (false while none is installed).
bool IdeaButtonsUsable();
// One frame of the fall: ease in, crawl, drop away; keep 10 pixels between buttons.
void MoveIdeaButtons();
// A paid click: green sparks, the button hides, the others are enabled anew.
void BurstIdeaButton(Platform::TPushButton& button);
// A press on the play area dismisses every button on screen in grey sparks and rewinds.
void ShatterIdeaButtons();
// The point lies on a visible, greyed-out button (a press there must not advance the story).
bool IsOnDisabledIdeaButton(int32_t x, int32_t y);

// An idea button showing, as the window shows it: coordinates of the form's client area.
struct TIdeaButtonShown {
  const Platform::TPushButton* Button;
  Platform::TRect Part;  // its part inside the play area (right and bottom edges outside)
  bool InPlayArea;       // the part is not empty
  bool AbovePlayArea;    // no part inside, and it has not yet fallen in
  int MiddleX, MiddleY;  // the middle of the part, where a click lands
};
// The idea buttons showing, in table order, measured against the play area. The one way the
// shell and the player's keys look at the buttons; it changes nothing.
std::vector<TIdeaButtonShown> IdeaButtonsShown(const Platform::TControl& playArea);

// True from the first shatter until the next reset: the backdrop is the shattered world.
extern bool ShatterActive;

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

// ---- The story's text column ----------------------------------------------------------------

// Story lines are drawn from x = 50 in a 15-pixel proportional Mincho to the play area's edge.
inline constexpr int ScriptLineLeft = 50;
inline constexpr int ScriptLineFontHeight = 15;
inline const char* const ScriptLineFont = "ＭＳ Ｐ明朝";
inline constexpr int ScriptColumnWidth = 400 - ScriptLineLeft;
// How wide a story line (CP932) is drawn, in pixels, measured with the font that draws it.
int ScriptLineWidth(const std::string& line);
