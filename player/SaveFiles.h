// SaveFiles -- saved games on disk: a finished save into a slot's file and back; whoever asks
// for a save assembles it (PlayerSave). Each story keeps its own folder,
// $XDG_DATA_HOME/farrowmere/saves/STORY/ (else ~/.local/share/farrowmere/saves/STORY/), so a
// story played with --data never sees another's saves. Slots are "1" .. "12", "quick" (F5,
// F9) and "auto" (closing the window). Every write goes to a temporary file in the same folder,
// is flushed and renamed over the old file; every read is defensive (SaveText). A refusal or
// a failure is one line in the game's words and changes nothing; a refused file stays on disk.
#pragma once
#include <cstdint>
#include <string>

#include "game/GameSave.h"
#include "game/SaveText.h"

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

// Writes a finished save into a slot (in memory under --no-persist); "" when done, else the one
// line (CP932) that says why not, with the whole reason on standard error.
std::string WriteSlot(const std::string& slot, const TSaveGame& save);
// Reads and checks a slot without changing the game: a save of another story, or of a place
// the story no longer has, is refused.
TSaveRead ReadSlot(const std::string& slot, TSaveGame& save);
// The one line (CP932) that says why a slot was not loaded; but for an empty slot, also one
// line on standard error with the file, the line and the reason.
std::string LoadRefusal(const std::string& slot, const TSaveRead& read);
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
