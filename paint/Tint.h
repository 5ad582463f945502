// Tint -- the two colour washes over a square of the play area: the description view's green
// (the player's overlays use it too) and the game over's red.
#pragma once
#include "platform/Graphics.h"

enum class TTint {
  Green,  // G := 255 - (255 - G) div 2, R := R div 2, B unchanged
  Red,    // R := 255 - (255 - R) div 2, G := G div 2, B := B div 2
};

// Tints the square of pixels from..to (both included) in x and y, clipped to the bitmap.
void TintSquare(Platform::TBitmap& bmp, TTint tint, int from, int to);
