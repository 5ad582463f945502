// Overlay -- the backlog and the key list, drawn over the play area as it stood when they
// opened; the game is paused while one shows.
#include <algorithm>
#include <cstdio>

#include "game/UnitMain.h"
#include "paint/Tint.h"
#include "platform/TextCodec.h"
#include "platform/WindowPaint.h"
#include "player/Player.h"
#include "player/PlayerState.h"

using namespace Platform;

namespace {

// Where the backlog page's lines stand.
constexpr int kLineLeft = 30, kLineTop = 25, kLineStep = 20;

void DrawBacklogText(TCanvas& c) {
  const TBacklog& lines = Player->Lines;
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
  c.TextOut(25, 25, Player->PadUsedLast ? "パッド操作" : "キー操作");
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
  TPaintBox& box = *Player->Overlay;
  box.Surface.SetSize(box.Width, box.Height);
  BitBlt(box.Surface, 0, 0, box.Width, box.Height, Player->Frozen, 0, 0, SRCCOPY);
  // Two passes of the description view's tint: a lighter frame around a stronger tint.
  Dim(box.Surface, 15, 384);
  TintSquare(box.Surface, TTint::Green, 15, 384);
  TintSquare(box.Surface, TTint::Green, 20, 379);
  TCanvas& c = box.Surface.Canvas();
  c.Brush.Style = TBrushStyle::Clear;
  if (Player->Showing == TOverlay::Backlog) {
    DrawBacklogText(c);
  } else {
    DrawKeyList(c);
  }
  c.Brush.Style = TBrushStyle::Solid;
}

}  // namespace

void ReportOnce(const std::exception& error) {
  static bool said = false;
  if (!said) std::fprintf(stderr, "farrowmere: %s\n", Cp932ToUtf8(error.what()).c_str());
  said = true;
}

void DrawOverlay() {
  try {
    DrawOverlayUnguarded();
  } catch (const std::exception& error) {
    ReportOnce(error);
  }
  Player->Overlay->Invalidate();
}

void ShowOverlay(TOverlay what) {
  TPaintBox& box = *Player->Overlay;
  if (Player->Showing == TOverlay::None) {
    // What the window shows now, buttons and all, held still under the overlay.
    box.Left = Player->PlayArea->Left;
    box.Top = Player->PlayArea->Top;
    box.Width = Player->PlayArea->Width;
    box.Height = Player->PlayArea->Height;
    try {
      PaintPartWithoutNotice(*Player->Form, box, Player->Frozen);
    } catch (const std::exception& error) {
      ReportOnce(error);
      Player->Frozen.SetSize(box.Width, box.Height);
    }
  }
  Player->Showing = what;
  box.Visible = true;
  DrawOverlay();
  HoldPause(Player->OverlayPause, true);
}

void HideOverlay() {
  if (Player->Showing == TOverlay::None) return;
  Player->Showing = TOverlay::None;
  Player->Overlay->Visible = false;
  HoldPause(Player->OverlayPause, false);
}

// A new game (the title shows again) starts an empty backlog. Asked whenever a line comes and
// whenever the backlog opens.
void ForgetAnEndedGame() {
  if (TitleShowing && !Player->TitleSeen) Player->Lines.Clear();
  Player->TitleSeen = TitleShowing;
}

void OpenBacklog() {
  ForgetAnEndedGame();
  if (Player->Lines.Count() == 0) return;  // nothing to look back on
  Player->Lines.ShowNewestPage();
  ShowOverlay(TOverlay::Backlog);
}

// Scrolling down from the newest page closes the backlog.
void ScrollBacklog(int lines) {
  if (!Player->Lines.Scroll(lines)) {
    HideOverlay();
    return;
  }
  DrawOverlay();
}
