// ContinueOffer -- the autosave slot: written at the start of every passage (so a crash costs
// at most the passage) and when the window closes mid-game, and offered by the title. A small
// panel of its own lies over the bottom of the title while the title shows; its key (C, a row
// of Bindings) and a press on it load the autosave, a press anywhere else starts a new game as
// ever. Without an autosave nothing shows and the title is the game's own.
#include <algorithm>
#include <memory>
#include <string>

#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "player/PlayerState.h"
#include "player/Rollback.h"
#include "player/SaveFiles.h"

using namespace Platform;

namespace {

constexpr int kWidth = 240, kHeight = 44;

// Made once, under the overlays and the save/load view, and only shown and hidden: it may be
// hiding from its own press.
std::unique_ptr<TPaintBox> offer;

void Draw(const TSlotSummary& slot) {
  TBitmap& s = offer->Surface;
  s.SetSize(kWidth, kHeight);
  TCanvas& c = s.Canvas();
  c.Brush.Color = RGB(150, 200, 150);
  c.FillRect(TRect{0, 0, kWidth, kHeight});
  c.Brush.Color = RGB(16, 40, 16);
  c.FillRect(TRect{2, 2, kWidth - 2, kHeight - 2});
  c.Brush.Style = TBrushStyle::Clear;
  c.Font = TFont{"ＭＳ ゴシック", 14, fsBold, RGB(255, 255, 255)};
  c.TextOut(12, 6, "C：前回の続きから");
  c.Font = TFont{"ＭＳ ゴシック", 12, 0, RGB(200, 255, 200)};
  c.TextOut(12, 25, slot.Save.SavedAt.substr(0, 16));
  c.Brush.Style = TBrushStyle::Solid;
  offer->Invalidate();
}

void Watch();

void HideContinueOffer() {
  TQuilTimer::Remove(Watch);
  if (offer != nullptr) offer->Visible = false;
}

// Once the title is gone (a press started a new game, or the offer was taken), so is the offer.
void Watch() {
  if (!TitleShowing) HideContinueOffer();
}

// The label above the line the story showed last ("" before the first).
std::string PassageNow() {
  if (Script == nullptr) return "";
  for (int i = std::min(Script->Position, Script->LineCount) - 1; i >= 0; --i) {
    const std::string& line = Script->Lines[static_cast<size_t>(i)];
    if (TQuilScript::IsLabel(line)) return line;
  }
  return "";
}

std::string lastPassage;  // the passage of the line shown last
int lineListener = 0;
bool pending = false;  // SaveAtPassage is an entry of the frame loop

// Once, on the next pass of the frame loop: the press that reached a new passage is done. Never
// on the game-over screen, nor on a title that a restart brought before it. A failure is said on standard error, as the
// autosave on closing says it: the game goes on.
void SaveAtPassage() {
  TQuilTimer::Remove(SaveAtPassage);
  pending = false;
  if (!TitleShowing && HP > 0) SaveGameTo("auto");
}

// Each line the story shows: below a new label, the autosave follows. The passage a game begins
// in (its first line shows on the title) is no news: the game the title offers stays until the
// new one reaches a passage of its own.
void NoteLine(const std::string&) {
  const std::string passage = PassageNow();
  const bool news = !TitleShowing && passage != lastPassage;
  lastPassage = passage;
  if (news && !pending) TQuilTimer::Add(SaveAtPassage, 1, "");
  pending = pending || news;
}

}  // namespace

void AutosaveSetup() {
  AutosaveFree();
  lastPassage.clear();
  if (Script != nullptr) lineListener = Script->AddLineListener(NoteLine);
}

void AutosaveFree() {
  TQuilTimer::Remove(SaveAtPassage);
  pending = false;
  if (Script != nullptr && lineListener != 0) Script->RemoveLineListener(lineListener);
  lineListener = 0;
}

void ContinueOfferSetup() {
  FreeContinueOffer();
  const TPaintBox& playArea = *Player->PlayArea;
  offer = std::make_unique<TPaintBox>(Player->Page);
  offer->Name = "ContinueOffer";
  offer->Left = playArea.Left + (playArea.Width - kWidth) / 2;
  offer->Top = playArea.Top + playArea.Height - kHeight - 24;
  offer->Width = kWidth;
  offer->Height = kHeight;
  offer->Visible = false;
  offer->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int, int) { TakeContinueOffer(); };
}

void ShowContinueOffer() {
  HideContinueOffer();
  if (offer == nullptr) return;
  TSlotSummary slot = PeekSlot("auto");
  if (slot.Empty || !slot.Refusal.empty()) return;
  Draw(slot);
  offer->Visible = true;
  TQuilTimer::Add(Watch, FramePeriodMs, "");
}

// Only while the title shows: the press that dismissed it may come before the frame that hides
// the panel, and C must not load the autosave over a game begun.
bool ContinueOfferShowing() { return offer != nullptr && offer->Visible && TitleShowing; }

void TakeContinueOffer() {
  if (!ContinueOfferShowing()) return;
  const std::string refusal = LoadGameFrom("auto");
  HideContinueOffer();
  if (!refusal.empty()) TellInTitle(refusal);
  if (refusal.empty() && !LoadedWords("").empty()) TellInTitle(LoadedWords("オートセーブを読み込みました"));
  if (refusal.empty()) ForgetSteps();
}

void FreeContinueOffer() {
  HideContinueOffer();
  offer.reset();
}
