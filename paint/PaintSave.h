// PaintSave -- the part of the play area's state that a saved game carries: the idea buttons
// on screen, the pending flash, the broken world's hue and zoom, and the glows. Sparks, the
// falling tiles of a break and the title's pixels are decoration that ends by itself: a
// restore clears the first two and leaves the title alone.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "paint/QuilBmp.h"
#include "paint/UnitPaint.h"

struct TIdeaButtonSave {
  bool Visible = false;
  bool Enabled = false;
  int32_t Top = 0;
  std::string Caption;  // CP932
};

struct TGlowSave {
  bool Red = false;
  int32_t VX = 0, VY = 0, X = 0, Y = 0;
};

inline constexpr int SavedGlowCount = 50;

struct TPaintSave {
  std::array<TIdeaButtonSave, IdeaButtonCount> Buttons;
  int32_t NextButton = 0;
  bool FlashPending = false;
  TPixel FlashColor;
  bool Shattered = false;
  int32_t HuePhase = 0;
  bool Zooming = false;
  bool ZoomedIn = false;
  int32_t ZoomPercent = 100;
  std::array<TGlowSave, SavedGlowCount> Glows;
};

// Ranges a restore accepts; wider values could overflow the frame's arithmetic.
// A button's top is what spawning and the fall can give it, hidden or not. The highest: a button
// one pixel above the bottom falls once more and keeps that top when it is hidden on the next
// frame (483), unpressed. The lowest: five spawned in one step stack 10 pixels apart above the
// first one's first fall (3 - 4 * 40 = -157); a spawn alone sits at -30.
inline constexpr int32_t SavedButtonTopMax = IdeaButtonFallStep(IdeaButtonFallenOut - 1);
inline constexpr int32_t SavedButtonTopMin =
    IdeaButtonFallStep(-IdeaButtonHeight) - (IdeaButtonCount - 1) * (IdeaButtonHeight + 10);
static_assert(SavedButtonTopMax == 483 && SavedButtonTopMin == -157);
inline constexpr int32_t SavedZoomMin = 100, SavedZoomMax = 20000;
inline constexpr int32_t SavedHueMax = 383;
inline constexpr int32_t SavedGlowLimit = 1000;  // |x|, |y|, |vx|, |vy|

TPaintSave CapturePaint();
// Puts the play area back as captured (values already checked against the ranges above);
// sparks and tiles are cleared. Buttons that were never created are left alone.
void RestorePaint(const TPaintSave& saved);
