// Player -- keys, wheel, backlog, pause, mute and clipboard on top of the game.
#include "player/Player.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <memory>
#include <utility>

#include "author/LiveStory.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintFrame.h"
#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/TextCodec.h"
#include "platform/WindowPaint.h"

using namespace Platform;

namespace {

// The backlog view: as many lines as the tinted square holds, and how far one step scrolls.
constexpr int kPageLines = 17;
constexpr int kWheelLines = 3;
constexpr int kLineLeft = 30, kLineTop = 25, kLineStep = 20;
// How long the title names a saved screenshot.
constexpr int32_t kTitleMessageMs = 2000;

enum class TOverlay { None, Backlog, Keys };

struct TPlayer {
  TForm* Form = nullptr;
  TPaintBox* PlayArea = nullptr;
  std::unique_ptr<TPaintBox> Overlay;  // over the play area and its buttons while it shows
  TBitmap Frozen;                      // the play area as it was when the overlay opened
  TOverlay Showing = TOverlay::None;
  bool Hidden = false;
  bool Paused = false;
  std::deque<std::string> Lines;  // CP932, oldest first
  int First = 0;                  // 0-based, the first line the open backlog shows
  bool TitleSeen = false;         // the lines were already cleared for the title showing now
  bool Follow = false;            // Shift+C: each new line goes to the clipboard
  std::string Caption;            // the form's own caption
  bool CaptionMessage = false;    // the title names a saved screenshot for a while
};

TPlayer* player = nullptr;

// ---- Pause ------------------------------------------------------------------------------------

// The game stands still while an overlay shows or the window is hidden: its frame callback
// leaves the frame loop's table and comes back as a new entry, so that no missed frame is
// made up.
void UpdatePause() {
  bool pause = player->Showing != TOverlay::None || player->Hidden;
  if (pause == player->Paused) return;
  player->Paused = pause;
  if (pause) {
    TQuilTimer::Remove(FrameCallback);
  } else {
    TQuilTimer::Add(FrameCallback, 50, "");
  }
}

// ---- Overlay ----------------------------------------------------------------------------------

// The description view's tint (green lifted halfway to white, red halved, blue kept), over
// the picture dimmed to a quarter first, so that the lines under the view do not show through.
void TintSquare(TBitmap& bmp, int from, int to, bool dim) {
  to = std::min({to, bmp.Width() - 1, bmp.Height() - 1});
  for (int y = from; y <= to; ++y) {
    uint8_t* row = bmp.ScanLine(y);
    for (int x = 3 * from; x < 3 * (to + 1); x += 3) {
      if (dim) {
        for (int i = 0; i < 3; ++i) row[x + i] = static_cast<uint8_t>(row[x + i] / 4);
      }
      row[x + 1] = static_cast<uint8_t>(255 - (255 - row[x + 1]) / 2);
      row[x + 2] = static_cast<uint8_t>(row[x + 2] / 2);
    }
  }
}

int MaxFirst() { return std::max(0, static_cast<int>(player->Lines.size()) - kPageLines); }

void DrawBacklogText(TCanvas& c) {
  c.Font = TFont{"ＭＳ Ｐ明朝", 15, 0, RGB(255, 255, 255)};
  const int count = static_cast<int>(player->Lines.size());
  for (int i = 0; i < kPageLines && player->First + i < count; ++i) {
    c.TextOut(kLineLeft, kLineTop + kLineStep * i, player->Lines[static_cast<size_t>(player->First + i)]);
  }
  if (count <= kPageLines) return;
  // The scroll mark: a thin track at the right edge, and where the page lies on it.
  const int top = kLineTop, height = kLineStep * kPageLines;
  c.Brush.Color = RGB(96, 128, 96);
  c.FillRect(TRect{372, top, 374, top + height});
  const int thumb = std::max(8, height * kPageLines / count);
  const int at = top + (height - thumb) * player->First / MaxFirst();
  c.Brush.Color = RGB(255, 255, 255);
  c.FillRect(TRect{371, at, 375, at + thumb});
}

void DrawKeyList(TCanvas& c) {
  c.Font = TFont{"ＭＳ ゴシック", 15, fsBold, RGB(255, 255, 255)};
  c.TextOut(25, 25, "キー操作");
  c.Font = TFont{"ＭＳ ゴシック", 12, fsBold, RGB(255, 255, 255)};
  int y = 55;
  for (const TKeyHelp& key : KeyList()) {
    c.TextOut(25, y, key.Keys);
    c.TextOut(45, y + 15, key.Japanese);
    y += 33;
  }
}

// Drawing the overlay must never take the game down: a fault is said once on standard error
// and the overlay shows what it has.
void Report(const std::exception& error) {
  static bool said = false;
  if (!said) std::fprintf(stderr, "farrowmere: %s\n", Cp932ToUtf8(error.what()).c_str());
  said = true;
}

void DrawOverlayUnguarded() {
  TPaintBox& box = *player->Overlay;
  box.Surface.SetSize(box.Width, box.Height);
  BitBlt(box.Surface, 0, 0, box.Width, box.Height, player->Frozen, 0, 0, SRCCOPY);
  // Two passes, as the description view: a lighter frame around a stronger tint.
  TintSquare(box.Surface, 15, 384, true);
  TintSquare(box.Surface, 20, 379, false);
  TCanvas& c = box.Surface.Canvas();
  c.Brush.Style = TBrushStyle::Clear;
  if (player->Showing == TOverlay::Backlog) {
    DrawBacklogText(c);
  } else {
    DrawKeyList(c);
  }
  c.Brush.Style = TBrushStyle::Solid;
}

void DrawOverlay() {
  try {
    DrawOverlayUnguarded();
  } catch (const std::exception& error) {
    Report(error);
  }
  player->Overlay->Invalidate();
}

void ShowOverlay(TOverlay what) {
  TPaintBox& box = *player->Overlay;
  if (player->Showing == TOverlay::None) {
    // What the window shows now, buttons and all, held still under the overlay.
    TBitmap client;
    try {
      PaintForm(*player->Form, client);
    } catch (const std::exception& error) {
      Report(error);
    }
    box.Left = player->PlayArea->Left;
    box.Top = player->PlayArea->Top;
    box.Width = player->PlayArea->Width;
    box.Height = player->PlayArea->Height;
    int left = 0, top = 0;
    box.ClientOrigin(left, top);
    player->Frozen.SetSize(box.Width, box.Height);
    BitBlt(player->Frozen, 0, 0, box.Width, box.Height, client, left, top, SRCCOPY);
  }
  player->Showing = what;
  box.Visible = true;
  DrawOverlay();
  UpdatePause();
}

void HideOverlay() {
  if (player->Showing == TOverlay::None) return;
  player->Showing = TOverlay::None;
  player->Overlay->Visible = false;
  UpdatePause();
}

// ---- Backlog ----------------------------------------------------------------------------------

// A new game (the title shows again) starts an empty backlog. Asked whenever a line comes and
// whenever the backlog opens.
void ForgetAnEndedGame() {
  if (TitleShowing && !player->TitleSeen) player->Lines.clear();
  player->TitleSeen = TitleShowing;
}

void OpenBacklog() {
  ForgetAnEndedGame();
  if (player->Lines.empty()) return;  // nothing to look back on
  player->First = MaxFirst();
  ShowOverlay(TOverlay::Backlog);
}

// Scrolling down from the newest page closes the backlog.
void ScrollBacklog(int lines) {
  if (lines > 0 && player->First >= MaxFirst()) {
    HideOverlay();
    return;
  }
  player->First = std::clamp(player->First + lines, 0, MaxFirst());
  DrawOverlay();
}

// The script engine's line output: the game's own, and the line kept when it reached the screen.
void ShowAndKeepLine(const std::string& line, std::string& result) {
  const int32_t before = ScriptLineCount;
  AddScriptLine(line, result);
  if (player == nullptr || ScriptLineCount == before) return;  // four lines shown: not on screen
  ForgetAnEndedGame();
  player->Lines.push_back(line);
  if (player->Lines.size() > static_cast<size_t>(BacklogCapacity)) player->Lines.pop_front();
  if (player->Follow) SetClipboardText(Cp932ToUtf8(line));
}

// ---- Title, clipboard, mute --------------------------------------------------------------------

void ShowCaption() {
  if (player->CaptionMessage) return;  // the screenshot's message keeps the title a while
  player->Form->Caption = player->Follow ? player->Caption + " - 新しい文をクリップボードへ" : player->Caption;
}

void EndCaptionMessage() {
  TQuilTimer::Remove(EndCaptionMessage);
  if (player == nullptr) return;
  player->CaptionMessage = false;
  ShowCaption();
}

void Screenshot() {
  std::string path = SaveScreenshot(*player->Form);
  if (path.empty()) return;
  std::string cp932;
  size_t bad = 0;
  if (!Utf8ToCp932(path, cp932, bad)) cp932 = "(" + std::to_string(path.size()) + " bytes)";
  player->Form->Caption = player->Caption + " - 保存しました: " + cp932;
  player->CaptionMessage = true;
  TQuilTimer::Remove(EndCaptionMessage);
  TQuilTimer::Add(EndCaptionMessage, kTitleMessageMs, "");
}

void CopyLinesOnScreen() {
  if (TitleShowing) return;  // the title covers them
  std::string text;
  const int count = std::clamp<int32_t>(ScriptLineCount, 0, MaxScriptLines);
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + Cp932ToUtf8(ScriptLines[static_cast<size_t>(i)]);
  if (!text.empty()) SetClipboardText(text);
}

// ---- Presses ----------------------------------------------------------------------------------

bool OnAnyIdeaButton(int x, int y) {
  for (const auto& button : IdeaButtons) {
    if (button == nullptr || !button->Showing()) continue;
    int left = 0, top = 0;
    button->ClientOrigin(left, top);
    if (x >= left && x < left + button->Width && y >= top && y < top + button->Height) return true;
  }
  return false;
}

// A mouse press and release, as the mouse would make it.
void Click(TInputRouter& input, int x, int y) {
  input.MouseMove(0, x, y);
  input.MouseDown(TMouseButton::Left, 0, x, y);
  input.MouseUp(TMouseButton::Left, 0, x, y);
}

// One press on the play area where no idea button lies (they fall in a column at the left).
void PressPlayArea(TInputRouter& input) {
  int left = 0, top = 0;
  player->PlayArea->ClientOrigin(left, top);
  const int w = player->PlayArea->Width, h = player->PlayArea->Height;
  for (auto [x, y] : {std::pair{w * 3 / 4, h / 2}, std::pair{w - 1, h - 1}, std::pair{w - 1, 0}}) {
    if (x < 0 || y < 0 || OnAnyIdeaButton(left + x, top + y)) continue;
    if (input.ControlAt(left + x, top + y) != player->PlayArea) continue;
    Click(input, left + x, top + y);
    return;
  }
}

// Key n (1-based) clicks the n-th idea button counted from the top among those with a part
// inside the play area, at the middle of that part, if it is enabled.
void ClickIdeaButton(TInputRouter& input, int n) {
  int areaLeft = 0, areaTop = 0;
  player->PlayArea->ClientOrigin(areaLeft, areaTop);
  const int areaRight = areaLeft + player->PlayArea->Width, areaBottom = areaTop + player->PlayArea->Height;
  std::vector<TPushButton*> shown;
  for (const auto& button : IdeaButtons) {
    if (button == nullptr || !button->Showing()) continue;
    int left = 0, top = 0;
    button->ClientOrigin(left, top);
    if (top + button->Height <= areaTop || top >= areaBottom || left + button->Width <= areaLeft || left >= areaRight)
      continue;
    shown.push_back(button.get());
  }
  std::stable_sort(shown.begin(), shown.end(),
                   [](const TPushButton* a, const TPushButton* b) { return a->Top < b->Top; });
  if (n < 1 || n > static_cast<int>(shown.size()) || !shown[static_cast<size_t>(n - 1)]->Enabled) return;
  TPushButton& button = *shown[static_cast<size_t>(n - 1)];
  int left = 0, top = 0;
  button.ClientOrigin(left, top);
  const int l = std::max(left, areaLeft), r = std::min(left + button.Width, areaRight);
  const int t = std::max(top, areaTop), b = std::min(top + button.Height, areaBottom);
  const int x = l + (r - l) / 2, y = t + (b - t) / 2;
  if (input.ControlAt(x, y) == &button) Click(input, x, y);
}

// ---- Keys and wheel ---------------------------------------------------------------------------

bool IsModifier(uint32_t key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU; }

// Keys that do the same in every state of the game; true when the key was one of them.
bool AnyTimeKey(const TKeyEvent& key, unsigned mods) {
  const uint32_t k = key.VirtualKey;
  if ((k == 'M' && mods == 0) || (k == 'U' && mods == ssCtrl)) {
    if (!key.Repeat) MuteSound(!SoundMuted());
  } else if ((k == VK_F12 && mods == 0) || (k == 'S' && mods == ssAlt)) {
    if (!key.Repeat) Screenshot();
  } else if (k == 'C' && mods == ssCtrl) {
    if (!key.Repeat) CopyLinesOnScreen();
  } else if (k == 'C' && mods == ssShift) {
    if (!key.Repeat) {
      player->Follow = !player->Follow;
      ShowCaption();
    }
  } else if (k == 'R' && mods == ssShift && Story::PlayingStory()) {
    if (!key.Repeat) Story::ReloadStory(*player->Form);  // an author's --story, reloaded in place
  } else {
    return false;
  }
  return true;
}

bool BacklogKey(uint32_t key) {
  switch (key) {
    case VK_ESCAPE:
      HideOverlay();
      break;
    case VK_PRIOR:
      ScrollBacklog(-kPageLines);
      break;
    case VK_NEXT:
      ScrollBacklog(kPageLines);
      break;
    case VK_UP:
      ScrollBacklog(-1);
      break;
    case VK_DOWN:
      ScrollBacklog(1);
      break;
    default:
      break;  // the game is paused: nothing else moves it
  }
  return true;
}

bool PlayKey(TInputRouter& input, const TKeyEvent& key) {
  const uint32_t k = key.VirtualKey;
  switch (k) {
    case VK_F1:
      if (!key.Repeat) ShowOverlay(TOverlay::Keys);
      return true;
    case VK_PRIOR:
    case VK_UP:
      OpenBacklog();
      return true;
    case VK_SPACE:
    case VK_RETURN:
      if (input.Focused() != nullptr) return false;  // the focused idea button takes it, as ever
      [[fallthrough]];
    case VK_RIGHT:
    case VK_DOWN:
      if (!key.Repeat) PressPlayArea(input);
      return true;
    default:
      if (k >= '1' && k <= '5') {
        if (!key.Repeat) ClickIdeaButton(input, static_cast<int>(k - '0'));
        return true;
      }
      return false;
  }
}

bool OnKey(TInputRouter& input, const TKeyEvent& key) {
  if (player == nullptr || !key.Down()) return false;
  const unsigned mods = key.Shift & (ssShift | ssAlt | ssCtrl);
  if (player->Showing == TOverlay::Keys && !IsModifier(key.VirtualKey)) {
    HideOverlay();  // the key list stays until the next key, which does nothing else
    return true;
  }
  if (AnyTimeKey(key, mods)) return true;
  if (player->Showing == TOverlay::Backlog) return BacklogKey(key.VirtualKey);
  if (mods != 0) return false;  // Alt and F10 among them: swallowed further on
  return PlayKey(input, key);
}

void OnWheel(TInputRouter&, int notches, unsigned, int, int) {
  if (player == nullptr) return;
  if (player->Showing == TOverlay::Keys) {
    HideOverlay();
  } else if (player->Showing == TOverlay::Backlog) {
    ScrollBacklog(-notches * kWheelLines);
  } else if (notches > 0) {
    OpenBacklog();
  }
}

}  // namespace

// ---- Set-up -----------------------------------------------------------------------------------

void PlayerSetup(TForm& form, TPanel& page, TPaintBox& playArea) {
  PlayerFree();
  player = new TPlayer;
  player->Form = &form;
  player->PlayArea = &playArea;
  player->Caption = form.Caption;
  player->Overlay = std::make_unique<TPaintBox>(&page);
  player->Overlay->Name = "PlayerOverlay";
  player->Overlay->Visible = false;
  player->Overlay->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int, int) { HideOverlay(); };
  form.OnKeyPreview = OnKey;
  form.OnMouseWheel = OnWheel;
  // Hidden, the game stands still and so does its sound.
  Application.OnMinimize = [] {
    player->Hidden = true;
    PauseSound(true);
    UpdatePause();
  };
  Application.OnRestore = [] {
    player->Hidden = false;
    PauseSound(false);
    UpdatePause();
  };
  if (Script != nullptr) Script->SetLineOutput(ShowAndKeepLine, ClearScriptLines);
}

void PlayerFree() {
  if (player == nullptr) return;
  HideOverlay();
  player->Hidden = false;
  PauseSound(false);
  UpdatePause();
  TQuilTimer::Remove(EndCaptionMessage);
  player->Form->Caption = player->Caption;
  player->Form->OnKeyPreview = nullptr;
  player->Form->OnMouseWheel = nullptr;
  Application.OnMinimize = nullptr;
  Application.OnRestore = nullptr;
  if (Script != nullptr) Script->SetLineOutput(AddScriptLine, ClearScriptLines);
  MuteSound(false);
  delete player;
  player = nullptr;
}

TBacklogView Backlog() {
  TBacklogView view;
  if (player == nullptr) return view;
  view.Count = static_cast<int>(player->Lines.size());
  view.Open = player->Showing == TOverlay::Backlog;
  if (!view.Open) return view;
  view.First = player->First + 1;
  for (int i = 0; i < kPageLines && player->First + i < view.Count; ++i) {
    view.Lines.push_back(player->Lines[static_cast<size_t>(player->First + i)]);
  }
  return view;
}

bool Muted() { return SoundMuted(); }
