// SaveFiles -- slots, the saves' folder and the defensive read of saved games; the files through platform/Files.
#include "player/SaveFiles.h"

#include <cstdio>
#include <map>

#include "game/SaveText.h"
#include "game/UnitScript.h"
#include "platform/Files.h"

namespace {

bool persist = true;
std::map<std::string, std::string> memorySlots;  // --no-persist: slot file path -> text

std::string SlotLabel(const std::string& slot) {
  if (slot == "quick") return "クイック";
  if (slot == "auto") return "オート";
  return slot;
}

std::string WriteFailure(const std::string& slot) { return "セーブ " + SlotLabel(slot) + "：書き込めませんでした"; }

// The file's bytes, at most SaveTextMax of them.
TSaveRead ReadLimited(const std::string& path, std::string& bytes) {
  TSaveRead read;
  if (!persist) {
    auto found = memorySlots.find(path);
    if (found == memorySlots.end()) {
      read.Problem = TSaveProblem::Missing;
      read.Why = "no such save";
    } else {
      bytes = found->second;
    }
    return read;
  }
  // A link is refused: a save is only ever a file the game wrote.
  const Platform::TFileRead file = Platform::ReadBoundedFile(path, SaveTextMax, bytes, Platform::TLinks::Refuse);
  // The reasons the save text gives: TooLarge is its own, a file not plain cannot be read.
  switch (file.Problem) {
    case Platform::TFileProblem::None:
      break;
    case Platform::TFileProblem::Missing:
      read.Problem = TSaveProblem::Missing;
      break;
    case Platform::TFileProblem::TooLarge:
      read.Problem = TSaveProblem::TooLarge;
      break;
    case Platform::TFileProblem::NotPlain:
    case Platform::TFileProblem::Unreadable:
      read.Problem = TSaveProblem::Unreadable;
      break;
  }
  read.Why = file.Why;
  return read;
}

}  // namespace

void SetPersistence(bool on) {
  persist = on;
  memorySlots.clear();
}

bool Persisting() { return persist; }

TSaveRead ReadSlot(const std::string& slot, TSaveGame& save) {
  TSaveRead read;
  if (!IsSlotName(slot) || (persist && SavesFolder().empty())) {
    read.Problem = TSaveProblem::Unreadable;
    read.Why = "no saves folder";
    return read;
  }
  std::string bytes;
  read = ReadLimited(SlotFile(slot), bytes);
  // Saves made before stories were kept by name lie in a folder named by the file's hash.
  if (read.Problem == TSaveProblem::Missing && persist && !StoryFileId.empty() && StoryFileId != StoryId) {
    read = ReadLimited(Platform::JoinPath(Platform::JoinPath(Platform::ParentFolder(SavesFolder()), StoryFileId),
                                          Platform::LastPart(SlotFile(slot))),
                       bytes);
  }
  if (read.Problem != TSaveProblem::None) return read;
  read = ReadSaveText(bytes, save);
  if (read.Problem != TSaveProblem::None) return read;
  if (std::string why = SaveMismatch(save); why == "another story") {
    read.Problem = TSaveProblem::OtherStory;
    read.Why = "a save of story " + save.Story;
  } else if (!why.empty()) {
    read.Problem = TSaveProblem::Unfit;
    read.Why = why;
    if (why.find(" is gone") != std::string::npos) read.Reason = "物語が変わり、保存した行がありません";
  }
  return read;
}

std::string SavesFolder() {
  const std::string data = Platform::DataHome();
  if (data.empty()) return "";
  return Platform::JoinPath(data, "farrowmere/saves/" + (StoryId.empty() ? std::string("unknown") : StoryId));
}

bool IsSlotName(const std::string& slot) {
  if (slot == "quick" || slot == "auto") return true;
  if (slot.empty() || slot.size() > 2 || slot.find_first_not_of("0123456789") != std::string::npos || slot[0] == '0')
    return false;
  return std::stoi(slot) <= SaveSlotCount;
}

std::string SlotFile(const std::string& slot) {
  std::string name = slot;
  if (slot != "quick" && slot != "auto") name = std::string("slot-") + (slot.size() == 1 ? "0" : "") + slot;
  return Platform::JoinPath(SavesFolder(), name + ".save");
}

int RemoveStaleTemporaries() { return Platform::RemoveStaleTemporaries(persist ? SavesFolder() : ""); }

std::string ReadSmallFile(const std::string& path, std::uintmax_t maxBytes, std::string& text) {
  std::string bytes;
  const Platform::TFileRead read = Platform::ReadBoundedFile(path, maxBytes, bytes);
  if (read.Problem == Platform::TFileProblem::Unreadable) return "cannot be read";
  if (read.Problem != Platform::TFileProblem::None) {
    return "not a plain file of at most " + std::to_string(maxBytes) + " bytes";
  }
  text = std::move(bytes);
  return "";
}

std::string WriteSlot(const std::string& slot, const TSaveGame& save) {
  if (!IsSlotName(slot)) return WriteFailure(slot);
  const std::string text = WriteSaveText(save);
  if (!persist) {
    memorySlots[SlotFile(slot)] = text;
    return "";
  }
  const std::string why =
      SavesFolder().empty() ? "neither XDG_DATA_HOME nor HOME is set" : Platform::WriteFileSafely(SlotFile(slot), text);
  if (why.empty()) return "";
  std::fprintf(stderr, "farrowmere: the save was not written: %s\n", why.c_str());
  return WriteFailure(slot);
}

std::string LoadRefusal(const std::string& slot, const TSaveRead& read) {
  // A player started from a terminal, and a bug report, get the whole reason.
  if (read.Problem != TSaveProblem::Missing) {
    std::fprintf(stderr, "farrowmere: save %s (%s) not loaded: %s%s\n", slot.c_str(), SlotFile(slot).c_str(),
                 read.Line > 0 ? ("line " + std::to_string(read.Line) + ": ").c_str() : "", read.Why.c_str());
  }
  return SaveRefusalText(SlotLabel(slot), read);
}

bool SlotLoadable(const std::string& slot) {
  TSaveGame save;
  return ReadSlot(slot, save).Problem == TSaveProblem::None;
}

TSlotSummary PeekSlot(const std::string& slot) {
  TSlotSummary summary;
  summary.Slot = slot;
  TSaveRead read = ReadSlot(slot, summary.Save);
  summary.Empty = read.Problem == TSaveProblem::Missing;
  if (read.Problem != TSaveProblem::None) {
    summary.Save = TSaveGame{};
    if (!summary.Empty) summary.Refusal = SaveRefusalText(SlotLabel(slot), read);
  }
  return summary;
}
