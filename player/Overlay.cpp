// Overlay -- the backlog and the key list, drawn over the play area as it stood when they
// opened; the game is paused while one shows.
#include <algorithm>
#include <memory>

#include "paint/Tint.h"
#include "platform/WindowPaint.h"
#include "player/Backlog.h"
#include "player/Notice.h"
#include "player/Overlay.h"
#include "player/PadFocus.h"
#include "player/Player.h"
#include "player/PlayerState.h"

using namespace Platform;

namespace {

struct TOverlayState {
  std::unique_ptr<TPaintBox> Box;  // over the play area and its buttons while it shows
  TBitmap Frozen;                  // the play area as it was when the overlay opened
  TOverlay Showing = TOverlay::None;
  bool Paused = false;  // holds one pause of the frame loop while it shows
};

std::unique_ptr<TOverlayState> overlay;

// Where the backlog page's lines stand.
constexpr int kLineLeft = 30, kLineTop = 25, kLineStep = 20;

void DrawBacklogText(TCanvas& c) {
  const TBacklog& lines = KeptLines();
  c.Font = TFont{"ＭＳ Ｐ明朝", 15, 0, RGB(255, 255, 255)};
  int y = kLineTop;
  for (const std::string& line : lines.Page()) {
    c.TextOut(kLineLeft, y, line);
    y += kLineStep;
  }
  if (lines.Count() <= TBacklog::PageLines) return;
  // The scroll mark: a thin track at the right edge, and where the page lies on it.
  const int top = kLineTop, height = kLineStep * TBacklog::PageLines;
  c.Brush.Color = RGB(96, 128, 96);
  c.FillRect(TRect{372, top, 374, top + height});
  const int thumb = std::max(8, height * TBacklog::PageLines / lines.Count());
  const int at = top + (height - thumb) * lines.First() / lines.MaxFirst();
  c.Brush.Color = RGB(255, 255, 255);
  c.FillRect(TRect{371, at, 375, at + thumb});
}

void DrawKeyList(TCanvas& c) {
  c.Font = TFont{"ＭＳ ゴシック", 15, fsBold, RGB(255, 255, 255)};
  c.TextOut(25, 25, PadUsedLast() ? "パッド操作" : "キー操作");
  c.Font = TFont{"ＭＳ ゴシック", 12, fsBold, RGB(255, 255, 255)};
  // Each key takes two lines; a longer list draws them closer together.
  const std::vector<TKeyHelp> keys = KeyList();
  const int step = std::min<int>(33, 330 / std::max<size_t>(keys.size(), 1));
  int y = 55;
  for (const TKeyHelp& key : keys) {
    c.TextOut(25, y, key.Keys);
    c.TextOut(45, y + std::min(15, step / 2), key.Japanese);
    y += step;
  }
}

// The picture dimmed to a sixteenth, so that the story lines under the view do not show
// through the overlay's own text (a quarter left them readable beneath it).
void Dim(TBitmap& bmp, int from, int to) {
  to = std::min({to, bmp.Width() - 1, bmp.Height() - 1});
  for (int y = from; y <= to; ++y) {
    uint8_t* row = bmp.ScanLine(y);
    for (int x = 3 * from; x < 3 * (to + 1); ++x) row[x] = static_cast<uint8_t>(row[x] / 16);
  }
}

void DrawOverlayUnguarded() {
  TPaintBox& box = *overlay->Box;
  box.Surface.SetSize(box.Width, box.Height);
  BitBlt(box.Surface, 0, 0, box.Width, box.Height, overlay->Frozen, 0, 0, SRCCOPY);
  // Two passes of the description view's tint: a lighter frame around a stronger tint.
  Dim(box.Surface, 15, 384);
  TintSquare(box.Surface, TTint::Green, 15, 384);
  TintSquare(box.Surface, TTint::Green, 20, 379);
  TCanvas& c = box.Surface.Canvas();
  c.Brush.Style = TBrushStyle::Clear;
  if (overlay->Showing == TOverlay::Backlog) {
    DrawBacklogText(c);
  } else {
    DrawKeyList(c);
  }
  c.Brush.Style = TBrushStyle::Solid;
}

}  // namespace

void OverlaySetup() {
  OverlayFree();
  overlay = std::make_unique<TOverlayState>();
  overlay->Box = std::make_unique<TPaintBox>(Player->Page);
  overlay->Box->Name = "PlayerOverlay";
  overlay->Box->Visible = false;
  overlay->Box->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int, int) { HideOverlay(); };
}

void OverlayFree() {
  if (overlay == nullptr) return;
  HideOverlay();
  overlay.reset();
}

TOverlay OverlayShowing() { return overlay != nullptr ? overlay->Showing : TOverlay::None; }

void DrawOverlay() {
  try {
    DrawOverlayUnguarded();
  } catch (const std::exception& error) {
    ReportOnce(error);
  }
  overlay->Box->Invalidate();
}

void ShowOverlay(TOverlay what) {
  TPaintBox& box = *overlay->Box;
  if (overlay->Showing == TOverlay::None) {
    // What the window shows now, buttons and all, held still under the overlay.
    box.Left = Player->PlayArea->Left;
    box.Top = Player->PlayArea->Top;
    box.Width = Player->PlayArea->Width;
    box.Height = Player->PlayArea->Height;
    try {
      PaintPartWithoutNotice(*Player->Form, box, overlay->Frozen);
    } catch (const std::exception& error) {
      ReportOnce(error);
      overlay->Frozen.SetSize(box.Width, box.Height);
    }
  }
  overlay->Showing = what;
  box.Visible = true;
  DrawOverlay();
  HoldPause(overlay->Paused, true);
}

void HideOverlay() {
  if (OverlayShowing() == TOverlay::None) return;
  overlay->Showing = TOverlay::None;
  overlay->Box->Visible = false;
  HoldPause(overlay->Paused, false);
}
