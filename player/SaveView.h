// SaveView -- the save/load view's picture: the quick save and the autosave above the twelve
// numbered slots, over the paused game, each with its small picture of the play area, the date
// and time, and the newest story line then on screen (a damaged save its refusal). SaveMenu
// opens it, moves the choice and acts on it; this draws and hit-tests.
#pragma once
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "player/SaveFiles.h"

struct TSaveViewModel {
  bool Saving = false;  // choosing a slot to save to (else to load from)
  int Selected = 0;     // 0-based index into Slots
  int Asking = -1;      // the slot that asks once before it is saved over, else -1
  bool Pad = false;     // name the pad's buttons in the help line
  std::vector<TSlotSummary> Slots;
};

// "quick", "auto", then "1" .. SaveSlotCount, as they stand on disk: the view's cells in order.
std::vector<TSlotSummary> PeekViewSlots();
// What the player calls a slot: "クイック", "オート", "3" (CP932).
std::string SlotName(const std::string& slot);
// A cell that asks before it is saved over says this instead of its story line (CP932).
inline constexpr const char* kAsking = "もう一度で上書き";
// What a cell says: its name ("クイック", "オート", "3"; an empty slot 空き after it), then the
// newest story line of its save, else the refusal of a save that would not load, then the date
// the save was made. CP932, one line each, before they are cut to the cell.
struct TCellText {
  std::string Head;
  std::string Body;
  std::string Date;
  bool Refused = false;
};
TCellText CellText(const TSlotSummary& slot);
// Draws the view over surface, which holds the frozen play area (400 x 400).
void DrawSaveView(Platform::TBitmap& surface, const TSaveViewModel& view);
// The 0-based slot under a point of the view, or -1.
int SaveViewSlotAt(int x, int y);
// The selection after an arrow key: dx, dy of -1, 0 or 1 (two columns: the quick save and the
// autosave on the top row, then slots 1 .. 6 and 7 .. 12 below); never off the grid.
int MoveSaveViewSelection(int selected, int dx, int dy);

inline constexpr int ThumbnailSide = 50;
// Puts a ThumbnailSide-pixel square picture of the bitmap (the play area, 400 x 400) into the save.
void MakeThumbnail(const Platform::TBitmap& picture, TSaveGame& save);
