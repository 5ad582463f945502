// ContinueOffer -- the title's offer of the autosave.
#include "player/ContinueOffer.h"

#include <memory>
#include <string>

#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
#include "player/PlayerSave.h"
#include "player/PlayerState.h"
#include "player/Rollback.h"
#include "player/SaveFiles.h"
#include "player/TitleBar.h"

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

}  // namespace

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
