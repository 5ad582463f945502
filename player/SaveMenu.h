// SaveMenu -- saving and loading as the player does it: F5 and F9 on the quick slot, and the
// save/load view over the paused game (arrows or the mouse choose a slot, Enter or a press
// saves over it or loads it, Esc or a press beside the slots goes back). Each save carries a
// small picture of the play area as the player saw it. Its keys are rows of Bindings; what the
// player layer's own files call is in PlayerState.h; this is what others may ask.
#pragma once

bool SaveMenuOpen();
// While open: saving (else loading), and the chosen slot, 1-based.
bool SaveMenuSaving();
int SaveMenuChoice();
