// Rollback -- the ring of the game as it stood before each input, and the game-over line.
#include "player/Rollback.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <string>

#include "game/GameSave.h"
#include "game/SaveText.h"
#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
#include "platform/Input.h"
#include "player/Backlog.h"
#include "player/ContinueOffer.h"
#include "player/PlayerState.h"
#include "player/TitleBar.h"

using namespace Platform;

namespace {

// The line on the game-over screen, under its own two lines and in their face: right of the
// idea buttons' column (★死殺 falls there and stays clickable), above the lower rules.
constexpr int kHintLeft = 125, kHintTop = 220, kHintWidth = 200, kHintHeight = 18;

struct TRollback {
  std::deque<TSaveGame> Steps;  // oldest first
  std::string Last;             // the fingerprint of the newest step
  std::unique_ptr<TPaintBox> Hint;
  bool Watching = false;  // WatchGameOver is an entry of the frame loop
  TSubscription Presses, Keys;
};

std::unique_ptr<TRollback> ring;

TSaveGame Now() {
  TSaveGame game = CaptureGame();
  CaptureBacklog(game);
  return game;
}

// What an input changes, without what the frames change on their own between inputs (the
// buttons' fall, the broken world's glows, hue and zoom, a flash) and the time of day. Two
// captures alike in this are one step for the player.
std::string Fingerprint(TSaveGame game) {
  game.SavedAt.clear();
  for (TIdeaButtonSave& button : game.Paint.Buttons) button.Top = 0;
  game.Paint.Glows = {};
  game.Paint.HuePhase = 0;
  game.Paint.ZoomPercent = SavedZoomMin;
  game.Paint.Zooming = game.Paint.ZoomedIn = false;
  game.Paint.FlashPending = false;
  game.Paint.FlashColor = TPixel{};
  return WriteSaveText(game);
}

void WatchGameOver();

// The game-over line is looked after from the first input that may kill until it hides again.
void Watch() {
  if (ring->Watching) return;
  ring->Watching = true;
  TQuilTimer::Add(WatchGameOver, 50, "");
}

void Capture() {
  if (ring == nullptr) return;
  Watch();
  TSaveGame game = Now();
  // A button that fell out of the play area is hidden at the next frame wherever it lies below;
  // kept at the lowest place a restore takes, it is the same button.
  for (TIdeaButtonSave& button : game.Paint.Buttons) button.Top = std::min(button.Top, SavedButtonTopMax);
  // Alike the newest step, the input that followed it changed nothing: this one takes its place.
  std::string fingerprint = Fingerprint(game);
  if (!ring->Steps.empty() && fingerprint == ring->Last) ring->Steps.pop_back();
  if (static_cast<int>(ring->Steps.size()) == RollbackSteps) ring->Steps.pop_front();
  ring->Steps.push_back(std::move(game));
  ring->Last = std::move(fingerprint);
}

// Every press of the mouse (and so of the keys and pad buttons that press as it does) may be an
// input; one that changed nothing is passed over when stepping back.
bool OnMousePress(TInputRouter&, TMouseButton) {
  Capture();
  return false;
}

// Enter and Space click the focused idea button without the mouse.
bool OnFocusedKey(TInputRouter& input, const TKeyEvent& key) {
  if (key.Down() && (key.VirtualKey == VK_RETURN || key.VirtualKey == VK_SPACE) &&
      dynamic_cast<TPushButton*>(input.Focused()) != nullptr) {
    Capture();
  }
  return false;
}

void DrawHint() {
  TPaintBox& hint = *ring->Hint;
  TBitmap& s = hint.Surface;
  s.SetSize(kHintWidth, kHintHeight);
  // The game-over screen under it, so the line lies on the screen as its own.
  BitBlt(s, 0, 0, kHintWidth, kHintHeight, Player->PlayArea->Shown(), kHintLeft, kHintTop, SRCCOPY);
  TCanvas& c = s.Canvas();
  c.Brush.Style = TBrushStyle::Clear;
  c.Font = TFont{"ＭＳ 明朝", 15, fsBold, RGB(255, 255, 255)};
  c.TextOut(0, 0, "Backspace（LB）：一手戻る");
  c.Brush.Style = TBrushStyle::Solid;
  hint.Invalidate();
}

// Once a frame: the line shows while the game-over screen does and a step can be taken back.
void WatchGameOver() {
  if (ring == nullptr) return;
  const bool show = HP <= 0 && !ring->Steps.empty();
  if (show) DrawHint();
  ring->Hint->Visible = show;
  if (show) return;
  TQuilTimer::Remove(WatchGameOver);
  ring->Watching = false;
}

}  // namespace

void RollbackSetup() {
  RollbackFree();
  ring = std::make_unique<TRollback>();
  ring->Hint = std::make_unique<TPaintBox>(Player->Page);
  ring->Hint->Name = "StepBackHint";
  ring->Hint->Left = Player->PlayArea->Left + kHintLeft;
  ring->Hint->Top = Player->PlayArea->Top + kHintTop;
  ring->Hint->Width = kHintWidth;
  ring->Hint->Height = kHintHeight;
  ring->Hint->Visible = false;
  ring->Hint->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int, int) { StepBack(); };
  ring->Presses = Player->Form->MousePress.Subscribe(OnMousePress);
  ring->Keys = Player->Form->KeyPreview.Subscribe(OnFocusedKey);
}

void RollbackFree() {
  if (ring == nullptr) return;
  TQuilTimer::Remove(WatchGameOver);
  ring.reset();
}

void StepBack() {
  if (ring == nullptr) return;
  const std::string now = Fingerprint(Now());
  while (!ring->Steps.empty() && Fingerprint(ring->Steps.back()) == now) ring->Steps.pop_back();
  if (ring->Steps.empty()) {
    ring->Last.clear();
    TellInTitle("これより前には戻れません");
    return;
  }
  const TSaveGame before = std::move(ring->Steps.back());
  ring->Steps.pop_back();
  ring->Last = ring->Steps.empty() ? "" : Fingerprint(ring->Steps.back());
  if (!RestoreGame(before)) {
    ForgetSteps();  // the story changed under them
    TellInTitle("戻れません：物語が変わりました");
    return;
  }
  RestoreBacklog(before);
  if (TitleShowing) ShowContinueOffer();  // the title is back, and with it its offer
  Watch();
  WatchGameOver();
}

void ForgetSteps() {
  if (ring == nullptr) return;
  ring->Steps.clear();
  ring->Last.clear();
}

int StepsKept() { return ring != nullptr ? static_cast<int>(ring->Steps.size()) : 0; }
