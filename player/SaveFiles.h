// SaveFiles -- saved games on disk. Each story keeps its own folder,
// $XDG_DATA_HOME/farrowmere/saves/STORY/ (else ~/.local/share/farrowmere/saves/STORY/), so a
// story played with --data never sees another's saves. Slots are "1" .. "12", "quick" (F5,
// F9) and "auto" (closing the window). Every write goes to a temporary file in the same folder,
// is flushed and renamed over the old file; every read is defensive (SaveText). A refusal or
// a failure is one line in the game's words and changes nothing; a refused file stays on disk.
#pragma once
#include <cstdint>
#include <string>

#include "game/GameSave.h"
#include "platform/Graphics.h"

inline constexpr int SaveSlotCount = 12;

// --no-persist turns files off: saves then live in memory until the program ends, and
// nothing is read from or written to the disk.
void SetPersistence(bool on);
bool Persisting();

// The data folder's saves for the story being played ("" without HOME or XDG_DATA_HOME).
std::string SavesFolder();
// The file of a slot ("slot-03.save", "quick.save", "auto.save" in SavesFolder()).
std::string SlotFile(const std::string& slot);
// "1" .. "12", "quick" or "auto".
bool IsSlotName(const std::string& slot);

// Removes what a killed game left in SavesFolder(): the safe write's temporary files
// (Platform::RemoveStaleTemporaries). How many were removed.
int RemoveStaleTemporaries();
// Reads a small file the game wrote (settings, read marks) into text: "" when read, else why
// (English) when it is no plain file, larger than maxBytes, or cannot be read.
std::string ReadSmallFile(const std::string& path, std::uintmax_t maxBytes, std::string& text);

// Saves the game as it stands into a slot, with the backlog and a small picture of the play
// area while the player layer is set up; "" when done, else the one line (CP932) that says
// why not. The game goes on either way.
std::string SaveGameTo(const std::string& slot);
// Loads a slot into the running game; "" when done, else the one line (CP932) of the
// refusal, and nothing has changed; a refusal is also one line on standard error with the
// file, the line and the reason. The backlog comes back with it. A save of a story edited
// since goes on at its line, found again in its passage.
std::string LoadGameFrom(const std::string& slot);
// What the title says after a load: done, and that the story changed when the last load
// found it so (CP932).
std::string LoadedWords(const std::string& done);
// Whether the slot holds a save of this story that the game would load.
bool SlotLoadable(const std::string& slot);

// What the save/load view shows of a slot.
struct TSlotSummary {
  std::string Slot;
  bool Empty = true;    // no save in it
  std::string Refusal;  // CP932: why it would not load ("" when it would)
  TSaveGame Save;       // as read, when it would load: date, story lines, thumbnail
};
TSlotSummary PeekSlot(const std::string& slot);

inline constexpr int ThumbnailSide = 50;
// Puts a ThumbnailSide-pixel square picture of the bitmap (the play area, 400 x 400) into the save.
void MakeThumbnail(const Platform::TBitmap& picture, TSaveGame& save);
