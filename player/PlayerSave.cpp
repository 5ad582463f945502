// PlayerSave -- a save assembled from its parts' captures, and put back.
#include "player/PlayerSave.h"

#include "game/GameSave.h"
#include "player/Backlog.h"
#include "player/ReadMarks.h"
#include "player/SaveFiles.h"
#include "player/SaveMenu.h"

namespace {

bool lastLoadChanged = false;  // the last load found the story changed since the save

}  // namespace

std::string SaveGameTo(const std::string& slot) {
  if (!IsSlotName(slot)) return WriteSlot(slot, TSaveGame{});  // refused, as any other name
  TSaveGame save = CaptureGame();
  CaptureBacklog(save);
  AddThumbnail(save);
  RememberReadMarks();  // a save keeps what was read up to it
  return WriteSlot(slot, save);
}

std::string LoadGameFrom(const std::string& slot) {
  TSaveGame save;
  TSaveRead read = ReadSlot(slot, save);
  if (read.Problem == TSaveProblem::None && !RestoreGame(save)) read.Problem = TSaveProblem::Unfit;
  if (read.Problem != TSaveProblem::None) return LoadRefusal(slot, read);
  lastLoadChanged = StoryChangedSince(save);
  RestoreBacklog(save);
  return "";
}

std::string LoadedWords(const std::string& done) { return lastLoadChanged ? done + "（物語が変わっています）" : done; }
