// SaveText -- a saved game as versioned plain text (UTF-8, one "key value" a line, ending in
// "end"; docs/saves.md describes it) and back. The reader trusts nothing: a file it refuses
// leaves the record untouched and says why in one line.
#pragma once
#include <cstddef>
#include <string>

#include "game/GameSave.h"

// Format 2 adds the story's text hash and the place in the story; format 1 is still read.
inline constexpr int SaveFormatVersion = 2;
// Larger files are refused unread: the biggest honest save (a full backlog) is a tenth of it.
inline constexpr size_t SaveTextMax = 2 * 1024 * 1024;
// The longest text one value may hold, in bytes of the game's text.
inline constexpr size_t SavedTextMax = 4096;

enum class TSaveProblem {
  None,
  Missing,         // the slot holds no save (the file layer's)
  Unreadable,      // the file cannot be read (the file layer's)
  TooLarge,        // more than SaveTextMax bytes
  NotASave,        // the first line is not a save's
  UnknownVersion,  // a save of a format this version does not know
  Damaged,         // truncated, garbage, a value out of range
  OtherStory,      // a save of another story
  Unfit,           // it does not fit the story as loaded (SaveMismatch)
};

struct TSaveRead {
  TSaveProblem Problem = TSaveProblem::None;
  int Line = 0;        // the line at fault (1-based); 0 when the whole file is
  std::string Why;     // in English, for standard error and the tests
  std::string Reason;  // the same for the player, in the game's words (CP932); "" for none
};

std::string WriteSaveText(const TSaveGame& save);
// Reads a whole file's text; save is changed only when the answer's Problem is None. The
// story is not compared here (SaveMismatch does).
TSaveRead ReadSaveText(const std::string& text, TSaveGame& save);

// The one line a refusal shows, in the game's words (CP932), with the line and the reason
// where the read found them: "セーブ 3：壊れています（12 行目：button の値が範囲外）".
std::string SaveRefusalText(const std::string& slotName, const TSaveRead& read);
