// SaveView -- the save/load view's picture: twelve slots over the paused game, each with its
// small picture of the play area, the date and time, and the newest story line then on screen.
// SaveMenu opens it, moves the choice and acts on it; this draws and hit-tests.
#pragma once
#include <vector>

#include "platform/Graphics.h"
#include "player/SaveFiles.h"

struct TSaveViewModel {
  bool Saving = false;  // choosing a slot to save to (else to load from)
  int Selected = 0;     // 0-based index into Slots
  std::vector<TSlotSummary> Slots;
};

// The numbered slots, "1" .. SaveSlotCount, as they stand on disk.
std::vector<TSlotSummary> PeekNumberedSlots();
// Draws the view over surface, which holds the frozen play area (400 x 400).
void DrawSaveView(Platform::TBitmap& surface, const TSaveViewModel& view);
// The 0-based slot under a point of the view, or -1.
int SaveViewSlotAt(int x, int y);
// The selection after an arrow key: dx, dy of -1, 0 or 1 (two columns, six rows).
int MoveSaveViewSelection(int selected, int dx, int dy);
