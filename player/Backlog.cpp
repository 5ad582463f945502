// Backlog -- the lines kept and the page shown, and the player's backlog over the play area.
#include "player/Backlog.h"

#include <algorithm>
#include <memory>

#include "game/GameSave.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "player/Overlay.h"
#include "player/Player.h"

void TBacklog::Add(const std::string& line) {
  lines_.push_back(line);
  if (Count() > Capacity) lines_.pop_front();
}

void TBacklog::Clear() {
  lines_.clear();
  first_ = 0;
}

void TBacklog::Assign(const std::vector<std::string>& lines) {
  Clear();
  for (const std::string& line : lines) Add(line);
}

int TBacklog::MaxFirst() const { return std::max(0, Count() - PageLines); }

bool TBacklog::Scroll(int lines) {
  if (lines > 0 && first_ >= MaxFirst()) return false;
  first_ = std::clamp(first_ + lines, 0, MaxFirst());
  return true;
}

std::vector<std::string> TBacklog::Page() const {
  std::vector<std::string> page;
  for (int i = first_; i < first_ + PageLines && i < Count(); ++i) page.push_back(lines_[static_cast<size_t>(i)]);
  return page;
}

namespace {

struct TKept {
  TBacklog Lines;
  bool TitleSeen = false;  // the lines were already cleared for the title showing now
  Platform::TSubscription Heard;
};

std::unique_ptr<TKept> kept;

// A new game (the title shows again) starts an empty backlog. Asked whenever a line comes and
// whenever the backlog opens.
void ForgetAnEndedGame() {
  if (TitleShowing && !kept->TitleSeen) kept->Lines.Clear();
  kept->TitleSeen = TitleShowing;
}

void Keep(const std::string& line) {
  ForgetAnEndedGame();
  kept->Lines.Add(line);
}

}  // namespace

void BacklogSetup() {
  BacklogFree();
  kept = std::make_unique<TKept>();
  if (Script != nullptr) kept->Heard = Script->SubscribeLines(Keep);
}

void BacklogFree() { kept.reset(); }

const TBacklog& KeptLines() {
  static const TBacklog none;
  return kept != nullptr ? kept->Lines : none;
}

void OpenBacklog() {
  ForgetAnEndedGame();
  if (kept->Lines.Count() == 0) return;  // nothing to look back on
  kept->Lines.ShowNewestPage();
  ShowOverlay(TOverlay::Backlog);
}

void ScrollBacklog(int lines) {
  if (!kept->Lines.Scroll(lines)) {
    HideOverlay();
    return;
  }
  DrawOverlay();
}

void CaptureBacklog(TSaveGame& save) {
  if (kept != nullptr) save.Backlog = kept->Lines.All();
}

void RestoreBacklog(const TSaveGame& save) {
  if (kept == nullptr) return;
  kept->Lines.Assign(save.Backlog);
  kept->TitleSeen = TitleShowing;
}

TBacklogView Backlog() {
  TBacklogView view;
  if (kept == nullptr) return view;
  view.Count = kept->Lines.Count();
  view.Open = OverlayShowing() == TOverlay::Backlog;
  if (!view.Open) return view;
  view.First = kept->Lines.First() + 1;
  view.Lines = kept->Lines.Page();
  return view;
}
