// Autosave -- the autosave at each new passage and on closing.
#include "player/Autosave.h"

#include <algorithm>
#include <memory>
#include <string>

#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "player/PlayerSave.h"
#include "player/PlayerState.h"

using namespace Platform;

namespace {

struct TAutosave {
  std::string LastPassage;  // the passage of the line shown last
  bool Pending = false;     // SaveAtPassage is an entry of the frame loop
  TSubscription Lines, Closing;
};

std::unique_ptr<TAutosave> autosave;

// The label above the line the story showed last ("" before the first).
std::string PassageNow() {
  if (Script == nullptr) return "";
  for (int i = std::min(Script->Position, Script->LineCount) - 1; i >= 0; --i) {
    const std::string& line = Script->Lines[static_cast<size_t>(i)];
    if (TQuilScript::IsLabel(line)) return line;
  }
  return "";
}

// A failure is said on standard error: the game goes on, and the window closes either way.
void SaveMidGame() {
  if (!TitleShowing && HP > 0) SaveGameTo("auto");
}

// Once, on the next pass of the frame loop: the press that reached a new passage is done. Never
// on the game-over screen, nor on a title that a restart brought before it.
void SaveAtPassage() {
  TQuilTimer::Remove(SaveAtPassage);
  if (autosave == nullptr) return;
  autosave->Pending = false;
  SaveMidGame();
}

// Each line the story shows: below a new label, the autosave follows. The passage a game begins
// in (its first line shows on the title) is no news: the game the title offers stays until the
// new one reaches a passage of its own.
void NoteLine(const std::string&) {
  const std::string passage = PassageNow();
  const bool news = !TitleShowing && passage != autosave->LastPassage;
  autosave->LastPassage = passage;
  if (news && !autosave->Pending) TQuilTimer::Add(SaveAtPassage, 1, "");
  autosave->Pending = autosave->Pending || news;
}

}  // namespace

void AutosaveSetup() {
  AutosaveFree();
  autosave = std::make_unique<TAutosave>();
  if (Script != nullptr) autosave->Lines = Script->SubscribeLines(NoteLine);
  // Closing the window mid-game keeps the game for the next title to offer.
  autosave->Closing = Player->Form->Closing.Subscribe([] {
    SaveMidGame();
    return false;
  });
}

void AutosaveFree() {
  TQuilTimer::Remove(SaveAtPassage);
  autosave.reset();
}
