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
  std::string Story;      // the story's identity (StoryId when saved)
  std::string StoryText;  // a hash of the story's lines when saved ("" in a save of format 1)
  std::string SavedAt;    // local date and time, "YYYY-MM-DD HH:MM:SS"; for the player only

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

  // The place in the story: the line the run goes on from (Position) or the one above it,
  // found again by its passage (the label above it) and its text, so that a save survives
  // lines added or removed elsewhere. ScriptPosition is only a hint then. A save of format 1
  // has no place (HasPlace false) and goes on at ScriptPosition.
  bool HasPlace = false;
  std::string Passage;      // the label, "" above the first one
  int32_t PlaceOffset = 0;  // lines below the label (below the first line without one)
  int32_t PlaceNext = 0;    // 0: the run goes on at the line itself, 1: at the one after
  std::string PlaceText;    // the line as the engine holds it
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

// FNV-1a, 64 bits, as 16 lowercase hex digits.
std::string HashText(const std::string& bytes);
// The identity format 1 gave a story: a hash of its file's bytes, "" when it cannot be read.
std::string HashStoryFile(const std::string& nativePath);
// A hash of the lines the engine holds now: tells a save whether the story changed since.
std::string StoryTextHash();
// Whether the story's text changed since the save was made (a save of format 1: never).
bool StoryChangedSince(const TSaveGame& save);

// The game as it stands (Backlog left empty, SavedAt the local time now).
TSaveGame CaptureGame();
// A value outside what the rules and the frame can take ("" when all are within range).
std::string SaveRangeProblem(const TSaveGame& save);
// Why this save cannot be put into the running game ("" when it can): another story, a
// place the story no longer has, a value outside what the rules can take.
std::string SaveMismatch(const TSaveGame& save);
// Where the run goes on in the story as loaded: the saved line found again in its passage
// (the hint when that line is still there, else the nearest line with the same text, as a
// diff would pair them), or -1 with why.
int32_t PlaceInStory(const TSaveGame& save, std::string& why);
// Puts the game back as saved when SaveMismatch finds nothing, and answers true; else changes
// nothing and answers false. The title tune starts or stops with the title.
bool RestoreGame(const TSaveGame& save);
