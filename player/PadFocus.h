// PadFocus -- the pad's choice among the idea buttons on screen, and whether a pad's button came
// after the last key (then the key list and the saves' help name the pad's buttons).
#pragma once
#include "platform/Input.h"

// Makes the ring that marks the choice; before the overlays, which lie over it.
void PadFocusSetup();
void PadFocusFree();
// Moves the choice to the next idea button down the screen (step 1) or up (-1), round at the ends.
void MovePadFocus(int step);
// Clicks the chosen idea button, else presses the play area.
void PadPress(Platform::TInputRouter& input);
// A key (false) or a pad's button (true) came last.
void NotePadUsed(bool pad);
bool PadUsedLast();
