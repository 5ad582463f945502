// PlayModes -- the two modes that press on the player's behalf: skip (Ctrl held, Tab) through
// lines read before (ReadMarks), and auto, which presses a while after
// each line. Both only press as the player would; they look at the game's state and change none
// of it. Before whatever the player must decide or would want to see they wait, the title saying
// why, and go on once the player has pressed or clicked; an unread line (for skip), death, the
// end, the title, a hidden or unfocused window and any other key end them.
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "player/PlayModes.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/Presses.h"
#include "player/ReadMarks.h"
#include "player/RememberedSettings.h"
#include "player/Settings.h"
#include "player/TitleBar.h"

using namespace Platform;

namespace {

enum class TPlayMode { Off, Skip, Auto };

struct TModes {
  TPlayMode Mode = TPlayMode::Off;
  bool SkipHeld = false;                    // skip lasts while Ctrl is held
  bool ResumeAuto = false;                  // the held skip began in auto mode, which comes back after
  Platform::TInputRouter* Input = nullptr;  // the router of the last key: skip and auto press through it
  bool Pressing = false;                    // skip or auto is pressing: not the player's press
  const char* Halt = nullptr;               // the mode waits for the player, for this reason (CP932)
  bool Acted = false;                       // the player pressed while it waited
  int ModePresses = 0;                      // presses made since the mode began
  uint32_t ModeSince = 0, AutoSince = 0;    // the clock when the mode began; at the last line or press
  int AutoChars = 0;                        // the characters of the line auto mode waits after
  int AutoPace = TSettings{}.AutoPace;      // 1 .. AutoPaces, as chosen (Settings)
  int32_t ModeHP = 0;                       // HP at the last look: less is damage
  bool ModeShatter = false;                 // the world was broken at the last look
  TSubscription Presses, FocusLost, Lines;
};

std::unique_ptr<TModes> modes;

// A held Ctrl begins to skip only after this long, so that Ctrl+C and Ctrl+U stay chords.
constexpr uint32_t kHoldDelayMs = 250;
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
  const auto percent = kAutoPercent[static_cast<size_t>(std::clamp(modes->AutoPace, 1, AutoPaces) - 1)];
  return (kAutoBaseMs + kAutoPerCharMs * static_cast<uint32_t>(modes->AutoChars)) * percent / 100;
}

// What stops both modes before the next press, in this order. Some end the mode; the others make
// it wait for the player, who decides (a press, a click), after which it goes on by itself.
struct TStop {
  bool (*Applies)();
  const char* Why;  // CP932, in the title
  bool Ends;
};
const TStop Stops[] = {
    {[] { return modes->Input == nullptr; }, "入力", true},
    {[] { return TitleShowing; }, "タイトル", true},
    {[] { return HP <= 0; }, "ゲームオーバー", true},
    {[] { return Script == nullptr || Script->IsEnded(); }, "物語の終わり", true},
    {[] { return HP < modes->ModeHP; }, "ダメージ", false},
    {[] { return ShatterActive && !modes->ModeShatter; }, "世界の崩壊", false},
    {[] { return !DescriptionTitle.empty(); }, "説明", false},
    {[] { return !Encounter.empty(); }, "敵", false},
    // A falling idea button is a choice, seen or not yet: a press would shatter it.
    {[] { return !IdeaButtonsShown(*Player->PlayArea).empty(); }, "アイデアボタン", false},
};

void PlayModeTick() {
  if (modes == nullptr || modes->Mode == TPlayMode::Off) return;
  for (const TStop& stop : Stops) {
    if (!stop.Applies()) continue;
    if (stop.Ends) {
      StopPlayMode(stop.Why);
    } else if (modes->Halt != stop.Why) {
      modes->Halt = stop.Why;
      ShowCaption();
    }
    return;
  }
  if (modes->Halt != nullptr) {
    if (!modes->Acted) return;  // the player has not yet decided
    modes->Halt = nullptr;
    modes->Acted = false;
    ShowCaption();
  }
  const uint32_t now = timeGetTime();
  if (modes->Mode == TPlayMode::Skip && modes->SkipHeld && now - modes->ModeSince < kHoldDelayMs) return;
  if (modes->Mode == TPlayMode::Auto) {
    if (now - modes->AutoSince < AutoWaitMs()) return;
    modes->AutoSince = now;  // a press that shows no line waits the base time again
    modes->AutoChars = 0;
  }
  ++modes->ModePresses;
  modes->Pressing = true;
  struct TDone {
    ~TDone() {
      if (modes != nullptr) modes->Pressing = false;
    }
  } done;
  // The window's own router while there is a window: the one a key came by may have been a
  // replay's (--warp-replay), gone since.
  TWindow* window = Application.Window();
  PressPlayArea(window != nullptr ? window->Router() : *modes->Input);
}

void StartPlayMode(TPlayMode mode, bool held) {
  modes->Mode = mode;
  modes->SkipHeld = held;
  modes->ResumeAuto = false;
  modes->ModePresses = 0;
  modes->ModeSince = modes->AutoSince = timeGetTime();
  modes->AutoChars = 0;
  modes->ModeHP = HP;
  modes->ModeShatter = ShatterActive;
  modes->Halt = nullptr;
  modes->Acted = false;
  TQuilTimer::Remove(PlayModeTick);
  TQuilTimer::Add(PlayModeTick, FramePeriodMs, "play mode");  // once a frame
  EndCaptionMessage();                                        // the title shows the mode at once
}

// Tab and A: the mode off when it is on, else on (in place of the other one).
void ToggleMode(TPlayMode mode) {
  if (modes == nullptr) return;
  if (modes->Mode == mode) {
    StopPlayMode(nullptr);
  } else {
    StartPlayMode(mode, false);
  }
}

// A press of the player's own (a click, or a key that presses): while a mode waits, the player's
// decision, which the mode goes on after; else it stops the mode and does nothing else.
bool OnMousePress(TInputRouter&, TMouseButton) {
  if (modes == nullptr || modes->Pressing || !PlayModeOn()) return false;
  if (modes->Halt == nullptr) return StopPlayModeByInput();
  modes->Acted = true;
  // What this press does is new again: damage or the world's break after it waits once more.
  modes->ModeHP = HP;
  modes->ModeShatter = ShatterActive;
  return false;
}

// Ctrl let go, or its chord pressed: the held skip ends, and auto mode comes back if it was on.
void EndHeldSkip() {
  const bool resume = modes->ResumeAuto;
  StopPlayMode(nullptr);
  if (resume) StartPlayMode(TPlayMode::Auto, false);
}

bool OnFocusLost() {
  StopPlayMode("ウィンドウ");
  return false;
}

// Each line the story showed: an unread one stops skip, and auto's wait begins again after it.
void OnLine(const std::string& line) {
  const bool seen = !MarkLineRead(line);
  if (modes->Mode == TPlayMode::Skip && !seen) StopPlayMode("未読の文");
  if (modes->Mode == TPlayMode::Auto) {
    modes->AutoSince = timeGetTime();
    modes->AutoChars = Characters(line);
  }
}

}  // namespace

const char* PlayMode() {
  if (!PlayModeOn()) return "";
  return modes->Mode == TPlayMode::Skip ? "skip" : "auto";
}

bool PlayModeOn() { return modes != nullptr && modes->Mode != TPlayMode::Off; }

void StopPlayMode(const char* why) {
  if (!PlayModeOn()) return;
  const bool skipping = modes->Mode == TPlayMode::Skip;
  modes->Mode = TPlayMode::Off;
  modes->SkipHeld = false;
  modes->Halt = nullptr;
  TQuilTimer::Remove(PlayModeTick);
  if (why != nullptr) {
    TellInTitle(std::string(skipping ? "スキップ終了：" : "オート終了：") + why);
  } else {
    ShowCaption();
  }
}

bool StopPlayModeByInput() {
  if (!PlayModeOn() || modes->Halt != nullptr) return false;  // a waiting mode lets the player play
  if (modes->Mode == TPlayMode::Skip && modes->SkipHeld && modes->ModePresses == 0) {
    EndHeldSkip();  // a chord with the Ctrl that began the hold
    return false;
  }
  StopPlayMode("入力");
  return true;
}

void ToggleSkip() { ToggleMode(TPlayMode::Skip); }

void HoldSkip(bool held) {
  if (modes == nullptr) return;
  if (held && modes->Mode != TPlayMode::Skip) {
    const bool resume = modes->Mode == TPlayMode::Auto;
    StartPlayMode(TPlayMode::Skip, true);
    modes->ResumeAuto = resume;
  }
  if (!held && modes->Mode == TPlayMode::Skip && modes->SkipHeld) EndHeldSkip();
}

void ToggleAuto() { ToggleMode(TPlayMode::Auto); }

void NextAutoPace() {
  modes->AutoPace = modes->AutoPace % AutoPaces + 1;
  TellInTitle("オートの速さ " + std::to_string(modes->AutoPace) + "/" + std::to_string(AutoPaces));
  RememberSettings();
}

std::string PlayModeWords() {
  if (!PlayModeOn()) return "";
  std::string words = modes->Mode == TPlayMode::Skip ? " - スキップ" : " - オート";
  return words + (modes->Halt != nullptr ? std::string("停止：") + modes->Halt : std::string("中"));
}

int AutoPace() { return modes != nullptr ? modes->AutoPace : TSettings{}.AutoPace; }

void SetAutoPace(int pace) {
  if (modes != nullptr) modes->AutoPace = pace;
}

void NoteInput(TInputRouter& input) {
  if (modes != nullptr) modes->Input = &input;
}

void PlayModesSetup() {
  PlayModesFree();
  modes = std::make_unique<TModes>();
  modes->Presses = Player->Form->MousePress.Subscribe(OnMousePress);
  modes->FocusLost = Application.FocusLost.Subscribe(OnFocusLost);
  if (Script != nullptr) modes->Lines = Script->SubscribeLines(OnLine);
}

void PlayModesFree() {
  StopPlayMode(nullptr);
  modes.reset();
}
