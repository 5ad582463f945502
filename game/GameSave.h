// GameSave -- everything that decides what later presses, clicks and frames do, taken out of
// the running game and put back: the rules' state, the script engine's place and page, the
// play area's lasting effects (PaintSave), the backlog the player layer keeps, and the
// identity of the story it belongs to. SaveText turns it into text and back.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/UnitEnemy.h"
#include "paint/PaintSave.h"

// The most lines a save's description view and backlog may hold.
inline constexpr int SavedDescriptionLinesMax = 1000;
inline constexpr int SavedBacklogMax = 2000;

struct TSaveGame {
  std::string Story;    // the story's identity (StoryId when saved)
  std::string SavedAt;  // local date and time, "YYYY-MM-DD HH:MM:SS"; for the player only

  bool TitleShowing = false;
  int32_t MaxHP = 0, HP = 0, IdeaPower = 0;
  std::vector<std::string> Items;  // the held ones, in order
  std::string LastItem;
  std::string Encounter;
  TEnemy Enemy;
  std::vector<std::string> ScriptLines;  // on screen
  std::vector<std::string> Messages;
  std::string DescriptionTitle;
  std::vector<std::string> DescriptionLines;
  std::string StoneName, ChestItem;
  bool SilverBurst = false;

  int32_t ScriptPosition = 0;
  bool ScriptEnded = false;
  int32_t ScriptShown = 0;
  bool ScriptPageFull = false;

  TPaintSave Paint;
  std::vector<std::string> Backlog;  // oldest first; filled and used by the player layer
  // A small picture of the play area for the save/load view (the player layer's): R, G, B
  // bytes, row by row; empty for none.
  int32_t ThumbnailWidth = 0, ThumbnailHeight = 0;
  std::string Thumbnail;
};

inline constexpr int32_t SavedThumbnailMax = 100;  // pixels a side

// The story's identity: a hash of the enciphered file's bytes (16 hex digits), "" when it
// cannot be read.
std::string HashStoryFile(const std::string& nativePath);

// The game as it stands (Backlog left empty, SavedAt the local time now).
TSaveGame CaptureGame();
// A value outside what the rules and the frame can take ("" when all are within range).
std::string SaveRangeProblem(const TSaveGame& save);
// Why this save cannot be put into the running game ("" when it can): another story, a
// script place outside the loaded scenario, a value outside what the rules can take.
std::string SaveMismatch(const TSaveGame& save);
// Puts the game back as saved when SaveMismatch finds nothing, and answers true; else changes
// nothing and answers false. The title tune starts or stops with the title.
bool RestoreGame(const TSaveGame& save);
