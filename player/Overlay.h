// Overlay -- the backlog and the key list, drawn over the play area as it stood when they
// opened; the game is paused while one shows. A press on it closes it.
#pragma once

enum class TOverlay { None, Backlog, Keys };

// Makes the overlay's box on the play area's panel, hidden; after the views it lies over.
void OverlaySetup();
void OverlayFree();
void ShowOverlay(TOverlay what);
void HideOverlay();
// Draws the showing overlay again (the backlog scrolled).
void DrawOverlay();
TOverlay OverlayShowing();
