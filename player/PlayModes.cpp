// PlayModes -- the lines the player has read, and the two modes that press on the player's
// behalf: skip (Ctrl held, Tab) through lines read before, and auto, which presses a while after
// each line. Both only press as the player would; they look at the game's state and change none
// of it. Before whatever the player must decide or would want to see they wait, the title saying
// why, and go on once the player has pressed or clicked; an unread line (for skip), death, the
// end, the title, a hidden or unfocused window and any other key end them.
#include <algorithm>
#include <array>
#include <string>

#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "player/Player.h"
#include "player/PlayerState.h"

using namespace Platform;

namespace {

// A held Ctrl begins to skip only after this long, so that Ctrl+C and Ctrl+U stay chords.
constexpr uint32_t kHoldDelayMs = 250;
// The read marks are written after this many new ones (and on save, close and quit).
constexpr int kWriteEvery = 25;
// Auto mode's wait after a line: a base and a time per character, at pace 3; the paces scale it.
constexpr uint32_t kAutoBaseMs = 1000, kAutoPerCharMs = 80;
constexpr std::array<uint32_t, AutoPaces> kAutoPercent = {200, 150, 100, 70, 50};

// Characters of a CP932 line: a lead byte and its trail are one.
int Characters(const std::string& line) {
  int count = 0;
  for (size_t i = 0; i < line.size(); ++i, ++count) {
    const auto c = static_cast<unsigned char>(line[i]);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ++i;
  }
  return count;
}

uint32_t AutoWaitMs() {
  const auto percent = kAutoPercent[static_cast<size_t>(std::clamp(Player->AutoPace, 1, AutoPaces) - 1)];
  return (kAutoBaseMs + kAutoPerCharMs * static_cast<uint32_t>(Player->AutoChars)) * percent / 100;
}

// What stops both modes before the next press, in this order. Some end the mode; the others make
// it wait for the player, who decides (a press, a click), after which it goes on by itself.
struct TStop {
  bool (*Applies)();
  const char* Why;  // CP932, in the title
  bool Ends;
};
const TStop Stops[] = {
    {[] { return Player->Input == nullptr; }, "入力", true},
    {[] { return TitleShowing; }, "タイトル", true},
    {[] { return HP <= 0; }, "ゲームオーバー", true},
    {[] { return Script == nullptr || Script->IsEnded(); }, "物語の終わり", true},
    {[] { return HP < Player->ModeHP; }, "ダメージ", false},
    {[] { return ShatterActive && !Player->ModeShatter; }, "世界の崩壊", false},
    {[] { return !DescriptionTitle.empty(); }, "説明", false},
    {[] { return !Encounter.empty(); }, "敵", false},
    // A falling idea button is a choice, seen or not yet: a press would shatter it.
    {[] { return !IdeaButtonsShown(*Player->PlayArea).empty(); }, "アイデアボタン", false},
};

void PlayModeTick() {
  if (Player == nullptr || Player->Mode == TPlayMode::Off) return;
  for (const TStop& stop : Stops) {
    if (!stop.Applies()) continue;
    if (stop.Ends) {
      StopPlayMode(stop.Why);
    } else if (Player->Halt != stop.Why) {
      Player->Halt = stop.Why;
      ShowCaption();
    }
    return;
  }
  if (Player->Halt != nullptr) {
    if (!Player->Acted) return;  // the player has not yet decided
    Player->Halt = nullptr;
    Player->Acted = false;
    ShowCaption();
  }
  const uint32_t now = timeGetTime();
  if (Player->Mode == TPlayMode::Skip && Player->SkipHeld && now - Player->ModeSince < kHoldDelayMs) return;
  if (Player->Mode == TPlayMode::Auto) {
    if (now - Player->AutoSince < AutoWaitMs()) return;
    Player->AutoSince = now;  // a press that shows no line waits the base time again
    Player->AutoChars = 0;
  }
  ++Player->ModePresses;
  Player->Pressing = true;
  struct TDone {
    ~TDone() {
      if (Player != nullptr) Player->Pressing = false;
    }
  } done;
  // The window's own router while there is a window: the one a key came by may have been a
  // replay's (--warp-replay), gone since.
  TWindow* window = Application.Window();
  PressPlayArea(window != nullptr ? window->Router() : *Player->Input);
}

void StartPlayMode(TPlayMode mode, bool held) {
  Player->Mode = mode;
  Player->SkipHeld = held;
  Player->ResumeAuto = false;
  Player->ModePresses = 0;
  Player->ModeSince = Player->AutoSince = timeGetTime();
  Player->AutoChars = 0;
  Player->ModeHP = HP;
  Player->ModeShatter = ShatterActive;
  Player->Halt = nullptr;
  Player->Acted = false;
  TQuilTimer::Remove(PlayModeTick);
  TQuilTimer::Add(PlayModeTick, FramePeriodMs, "play mode");  // once a frame
  EndCaptionMessage();                                        // the title shows the mode at once
}

// Tab and A: the mode off when it is on, else on (in place of the other one).
void ToggleMode(TPlayMode mode) {
  if (Player == nullptr) return;
  if (Player->Mode == mode) {
    StopPlayMode(nullptr);
  } else {
    StartPlayMode(mode, false);
  }
}

// A press of the player's own (a click, or a key that presses): while a mode waits, the player's
// decision, which the mode goes on after; else it stops the mode and does nothing else.
bool OnMousePress(TInputRouter&, TMouseButton) {
  if (Player == nullptr || Player->Pressing || !PlayModeOn()) return false;
  if (Player->Halt == nullptr) return StopPlayModeByInput();
  Player->Acted = true;
  // What this press does is new again: damage or the world's break after it waits once more.
  Player->ModeHP = HP;
  Player->ModeShatter = ShatterActive;
  return false;
}

// Ctrl let go, or its chord pressed: the held skip ends, and auto mode comes back if it was on.
void EndHeldSkip() {
  const bool resume = Player->ResumeAuto;
  StopPlayMode(nullptr);
  if (resume) StartPlayMode(TPlayMode::Auto, false);
}

bool OnFocusLost() {
  if (Player != nullptr) StopPlayMode("ウィンドウ");
  return false;
}

}  // namespace

const char* PlayMode() {
  if (!PlayModeOn()) return "";
  return Player->Mode == TPlayMode::Skip ? "skip" : "auto";
}

bool PlayModeOn() { return Player != nullptr && Player->Mode != TPlayMode::Off; }

void StopPlayMode(const char* why) {
  if (!PlayModeOn()) return;
  const bool skipping = Player->Mode == TPlayMode::Skip;
  Player->Mode = TPlayMode::Off;
  Player->SkipHeld = false;
  Player->Halt = nullptr;
  TQuilTimer::Remove(PlayModeTick);
  if (why != nullptr) {
    TellInTitle(std::string(skipping ? "スキップ終了：" : "オート終了：") + why);
  } else {
    ShowCaption();
  }
}

bool StopPlayModeByInput() {
  if (!PlayModeOn() || Player->Halt != nullptr) return false;  // a waiting mode lets the player play
  if (Player->Mode == TPlayMode::Skip && Player->SkipHeld && Player->ModePresses == 0) {
    EndHeldSkip();  // a chord with the Ctrl that began the hold
    return false;
  }
  StopPlayMode("入力");
  return true;
}

void ToggleSkip() { ToggleMode(TPlayMode::Skip); }

void HoldSkip(bool held) {
  if (Player == nullptr) return;
  if (held && Player->Mode != TPlayMode::Skip) {
    const bool resume = Player->Mode == TPlayMode::Auto;
    StartPlayMode(TPlayMode::Skip, true);
    Player->ResumeAuto = resume;
  }
  if (!held && Player->Mode == TPlayMode::Skip && Player->SkipHeld) EndHeldSkip();
}

void ToggleAuto() { ToggleMode(TPlayMode::Auto); }

void NextAutoPace() {
  Player->AutoPace = Player->AutoPace % AutoPaces + 1;
  TellInTitle("オートの速さ " + std::to_string(Player->AutoPace) + "/" + std::to_string(AutoPaces));
  RememberSettings();
}

void MarkLineShown(const std::string& line) {
  if (Player == nullptr || Script == nullptr) return;
  // The line output took the line just read: its place is one before the engine's.
  const bool seen = !Player->Read.insert(LineMark(Script->Position - 1, line)).second;
  if (!seen && ++Player->Unwritten >= kWriteEvery) RememberReadMarks();
  if (Player->Mode == TPlayMode::Skip && !seen) StopPlayMode("未読の文");
  if (Player->Mode == TPlayMode::Auto) {
    Player->AutoSince = timeGetTime();
    Player->AutoChars = Characters(line);
  }
}

void RememberReadMarks() {
  if (Player == nullptr || Player->Unwritten == 0 || !Player->KeepMarks) return;
  WriteReadMarks(Player->Read);
  Player->Unwritten = 0;  // a failure is said once, and tried again after more lines
}

void PlayModesSetup() {
  Player->KeepMarks = ReadReadMarks(Player->Read);
  Player->MouseListener = Player->Form->MousePress.Add(OnMousePress);
  Player->FocusListener = Application.FocusLost.Add(OnFocusLost);
}

void PlayModesFree() {
  StopPlayMode(nullptr);
  RememberReadMarks();
  Player->Form->MousePress.Remove(Player->MouseListener);
  Application.FocusLost.Remove(Player->FocusListener);
}
