// UnitPaintFrame -- the drawing set-up at start-up, its teardown, and the one periodic
// procedure that draws the play area (called by QuilTimer every 50 ms, wired by app/UnitCommon).
#pragma once
#include <functional>

#include "platform/Controls.h"

// The drawing set-up at start-up: bitmaps and pictures (a missing or broken picture throws,
// naming the file), the five idea buttons on the play-area panel calling onClick, the glow
// kernel, the title capture. Frames are copied to paintBox.
void PaintSetup(Platform::TPanel& page, Platform::TPaintBox& paintBox,
                const std::function<void(Platform::TPushButton&)>& onClick);
// Frees the five bitmaps, then the idea buttons.
void PaintFree();
// Draws the title or the game into the off-screen canvas, moves the idea buttons and copies
// the canvas to the play area.
void FrameCallback();
