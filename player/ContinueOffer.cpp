// ContinueOffer -- the offer to continue, over the title.
#include "player/ContinueOffer.h"

#include <memory>

#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
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

// Once the title is gone (a press started a new game, or the offer was taken), so is the offer.
void Watch() {
  if (!TitleShowing) HideContinueOffer();
}

}  // namespace

void ShowContinueOffer(TPanel& page, TPaintBox& playArea) {
  HideContinueOffer();
  retired.reset();
  TSlotSummary slot = PeekSlot("auto");
  if (slot.Empty || !slot.Refusal.empty()) return;
  offer = std::make_unique<TPaintBox>(&page);
  offer->Name = "ContinueOffer";
  offer->Left = playArea.Left + (playArea.Width - kWidth) / 2;
  offer->Top = playArea.Top + playArea.Height - kHeight - 24;
  offer->Width = kWidth;
  offer->Height = kHeight;
  offer->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int, int) {
    std::string refusal;
    TakeContinueOffer(refusal);
  };
  Draw(slot);
  offer->Visible = true;
  TQuilTimer::Add(Watch, 50, "");
}

bool ContinueOfferShowing() { return offer != nullptr; }

bool TakeContinueOffer(std::string& refusal) {
  if (offer == nullptr) return false;
  refusal = LoadGameFrom("auto");
  HideContinueOffer();
  return true;
}

void HideContinueOffer() {
  TQuilTimer::Remove(Watch);
  if (offer == nullptr) return;
  offer->Visible = false;
  retired = std::move(offer);
}

void FreeContinueOffer() {
  HideContinueOffer();
  retired.reset();
}
