// ContinueOffer -- the title's offer to go on with the game the window was closed on (the
// autosave slot). A small panel of its own lies over the bottom of the title while the title
// shows; its key (C, a row of Bindings) and a press on it load the autosave, a press anywhere
// else starts a new game as ever. Without an autosave nothing shows and the title is the
// game's own.
#include <memory>
#include <string>

#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
#include "player/PlayerState.h"
#include "player/SaveFiles.h"

using namespace Platform;

namespace {

constexpr int kWidth = 240, kHeight = 44;

std::unique_ptr<TPaintBox> offer;
// A hidden offer lives on until the next show or the end: it may be hiding from its own press.
std::unique_ptr<TPaintBox> retired;

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
  if (offer == nullptr) return;
  offer->Visible = false;
  retired = std::move(offer);
}

// Once the title is gone (a press started a new game, or the offer was taken), so is the offer.
void Watch() {
  if (!TitleShowing) HideContinueOffer();
}

}  // namespace

void ShowContinueOffer() {
  TPaintBox& playArea = *Player->PlayArea;
  HideContinueOffer();
  retired.reset();
  TSlotSummary slot = PeekSlot("auto");
  if (slot.Empty || !slot.Refusal.empty()) return;
  offer = std::make_unique<TPaintBox>(Player->Page);
  offer->Name = "ContinueOffer";
  offer->Left = playArea.Left + (playArea.Width - kWidth) / 2;
  offer->Top = playArea.Top + playArea.Height - kHeight - 24;
  offer->Width = kWidth;
  offer->Height = kHeight;
  offer->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int, int) { TakeContinueOffer(); };
  Draw(slot);
  offer->Visible = true;
  TQuilTimer::Add(Watch, FramePeriodMs, "");
}

bool ContinueOfferShowing() { return offer != nullptr; }

void TakeContinueOffer() {
  if (offer == nullptr) return;
  const std::string refusal = LoadGameFrom("auto");
  HideContinueOffer();
  if (!refusal.empty()) TellInTitle(refusal);
}

void FreeContinueOffer() {
  HideContinueOffer();
  retired.reset();
}
