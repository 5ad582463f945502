// Bindings -- every key and pad button the player layer answers, in one table: the keys (a
// pad's buttons are keys of their own codes, VK_GAMEPAD_...), when they apply, what they do,
// and their help. The dispatch, the F1 key list, --help and the manual's and the README's key
// tables (tools/keys) all read it, naming the keys through platform/KeyNames; a new key or
// button is one row.
#include <algorithm>
#include <iterator>
#include <utility>

#include "author/LiveStory.h"
#include "platform/KeyNames.h"
#include "player/Backlog.h"
#include "player/Bindings.h"
#include "player/BindingsTable.h"
#include "player/ContinueOffer.h"
#include "player/CopyLines.h"
#include "player/Overlay.h"
#include "player/PadFocus.h"
#include "player/PlayModes.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/Presses.h"
#include "player/Rollback.h"
#include "player/SaveMenu.h"
#include "player/Screenshot.h"
#include "player/Volume.h"
#include "player/WindowSettings.h"

using namespace Platform;

namespace {

// The d-pad where the arrow keys choose: as its arrow.
uint32_t Arrow(uint32_t key) {
  constexpr std::pair<uint32_t, uint32_t> kArrows[] = {{VK_GAMEPAD_DPAD_UP, VK_UP},
                                                       {VK_GAMEPAD_DPAD_DOWN, VK_DOWN},
                                                       {VK_GAMEPAD_DPAD_LEFT, VK_LEFT},
                                                       {VK_GAMEPAD_DPAD_RIGHT, VK_RIGHT}};
  for (auto [pad, arrow] : kArrows) {
    if (key == pad) return arrow;
  }
  return key;
}

void Advance(TInputRouter& input, uint32_t) { PressPlayArea(input); }
void ClickNth(TInputRouter& input, uint32_t key) { ClickIdeaButton(input, static_cast<int>(key - '0')); }
void BacklogOpen(TInputRouter&, uint32_t) { OpenBacklog(); }
void KeyListOpen(TInputRouter&, uint32_t) { ShowOverlay(TOverlay::Keys); }
void Mute(TInputRouter&, uint32_t) { ToggleMute(); }
void Shot(TInputRouter&, uint32_t) { TakeScreenshot(); }
void Copy(TInputRouter&, uint32_t) { CopyLinesOnScreen(); }
void Follow(TInputRouter&, uint32_t) { ToggleFollow(); }
void Close(TInputRouter&, uint32_t) { HideOverlay(); }
void PageBack(TInputRouter&, uint32_t) { ScrollBacklog(-TBacklog::PageLines); }
void PageOn(TInputRouter&, uint32_t) { ScrollBacklog(TBacklog::PageLines); }
void LineBack(TInputRouter&, uint32_t) { ScrollBacklog(-1); }
void LineOn(TInputRouter&, uint32_t) { ScrollBacklog(1); }
void QuickSaveKey(TInputRouter&, uint32_t) { QuickSave(); }
void QuickLoadKey(TInputRouter&, uint32_t) { QuickLoad(); }
void SavesOpen(TInputRouter&, uint32_t key) { OpenSaveMenu(key == 'S'); }
void SavesSwitch(TInputRouter&, uint32_t key) { SwitchSaveMenu(key); }
void Back(TInputRouter&, uint32_t) { StepBack(); }
void Continue(TInputRouter&, uint32_t) { TakeContinueOffer(); }
void MusicVolumeKey(TInputRouter&, uint32_t key) { ChangeVolume(true, key == VK_F8 ? 1 : -1); }
void SoundVolumeKey(TInputRouter&, uint32_t key) { ChangeVolume(false, key == VK_F8 ? 1 : -1); }
void SavesClose(TInputRouter&, uint32_t) { CloseSaveMenu(); }
void SavesTake(TInputRouter&, uint32_t) { TakeSaveChoice(); }
void SavesMove(TInputRouter&, uint32_t key) { MoveSaveChoice(Arrow(key)); }
void Reload(TInputRouter&, uint32_t) {
  Story::ReloadStory(*Player->Form);
  ForgetSteps();  // they hold places in the story as it was
}
void SkipToggle(TInputRouter&, uint32_t) { ToggleSkip(); }
void SkipHold(TInputRouter&, uint32_t) { HoldSkip(true); }
void SkipLetGo(TInputRouter&, uint32_t) { HoldSkip(false); }
void AutoToggle(TInputRouter&, uint32_t) { ToggleAuto(); }
void AutoPace(TInputRouter&, uint32_t) { NextAutoPace(); }
void PadA(TInputRouter& input, uint32_t) { PadPress(input); }
void PadMove(TInputRouter&, uint32_t key) {
  MovePadFocus(key == VK_GAMEPAD_DPAD_UP || key == VK_GAMEPAD_DPAD_LEFT ? -1 : 1);
}
void Fullscreen(TInputRouter&, uint32_t) { ToggleFullscreen(); }

// In this order: the first row that applies takes the key. Listed in the key list's order: a
// row with help, and with it the keys of the rows below it marked WithRowAbove.
}  // namespace

// clang-format off
const TBinding Bindings[] = {
    {.Keys = {{VK_SPACE}, {VK_RETURN}}, .When = TWhen::PlayingFreely, .Action = Advance, .English = "advance the story (as a click on the picture)", .Japanese = "話を進める（画面を押すのと同じ）"},
    {.Keys = {{VK_RIGHT}, {VK_DOWN}}, .When = TWhen::Playing, .Action = Advance, .WithRowAbove = true},
    {.Keys = {{'1'}, {'2'}, {'3'}, {'4'}, {'5'}}, .When = TWhen::Playing, .Action = ClickNth, .English = "click the idea buttons on screen, counted from the top", .Japanese = "アイデアボタンを上から順に押す"},
    {.Keys = {{VK_PRIOR}, {VK_UP}}, .When = TWhen::Playing, .Repeats = true, .Action = BacklogOpen, .Also = "Wheel up", .English = "the backlog: the story so far (Esc or a click closes it)", .Japanese = "これまでの話（Esc かクリックで閉じる）"},
    {.Keys = {{'M'}, {'U', ssCtrl}}, .When = TWhen::Always, .Action = Mute, .English = "mute and unmute every sound and the tune (remembered)", .Japanese = "消音と解除"},
    {.Keys = {{VK_F12}, {'S', ssAlt}}, .When = TWhen::Always, .Action = Shot, .English = "save a screenshot in Pictures/Farrowmere", .Japanese = "スクリーンショットを保存"},
    {.Keys = {{'C', ssCtrl}}, .When = TWhen::Always, .Action = Copy, .English = "copy the story lines on screen", .Japanese = "画面の文をコピー"},
    {.Keys = {{'C', ssShift}}, .When = TWhen::Always, .Action = Follow, .English = "copy each new story line as it appears (again: off)", .Japanese = "新しい文を次々にコピー（もう一度で止める）"},
    {.Keys = {{VK_F11}, {VK_RETURN, ssAlt}}, .When = TWhen::Window, .English = "fullscreen and back", .Japanese = "全画面と元の大きさ"},
    {.Keys = {{VK_F5}}, .When = TWhen::Playing, .Action = QuickSaveKey, .English = "quick save, quick load", .Japanese = "クイックセーブ、クイックロード"},
    {.Keys = {{VK_F9}}, .When = TWhen::Playing, .Action = QuickLoadKey, .WithRowAbove = true},
    {.Keys = {{VK_BACK}}, .When = TWhen::Playing, .Repeats = true, .Action = Back, .English = "step back one press or click (after a death too)", .Japanese = "一手戻る（死んだ後も）"},
    {.Keys = {{'S'}, {'L'}}, .When = TWhen::Playing, .Action = SavesOpen, .English = "save or load: quick, auto and twelve slots (arrows, Enter, Esc)", .Japanese = "クイック、オートと十二の枠でセーブ、ロード（矢印、Enter、Esc）"},
    {.Keys = {{'C'}}, .When = TWhen::Offer, .Action = Continue, .English = "on the title: go on with the game closed last", .Japanese = "タイトルで：前回の続きから"},
    {.Keys = {{VK_F7}, {VK_F8}}, .When = TWhen::Always, .Repeats = true, .Action = MusicVolumeKey, .English = "music quieter, louder (with Shift the sounds)", .Japanese = "音楽を小さく、大きく（Shift で効果音）"},
    {.Keys = {{VK_F7, ssShift}, {VK_F8, ssShift}}, .When = TWhen::Always, .Repeats = true, .Action = SoundVolumeKey, .WithRowAbove = true},
    {.Keys = {{VK_TAB}}, .When = TWhen::Playing, .Steers = true, .Action = SkipToggle, .English = "skip what was read (waits at a choice, ends at a new line); auto mode, its pace", .Japanese = "既読スキップ（選択で待ち、未読で終わる）、オート、その速さ"},
    {.Keys = {{VK_CONTROL, kAnyModifiers}}, .When = TWhen::Playing, .Steers = true, .Action = SkipHold, .Released = SkipLetGo, .WithRowAbove = true},
    {.Keys = {{'A'}}, .When = TWhen::Playing, .Steers = true, .Action = AutoToggle, .WithRowAbove = true},
    {.Keys = {{'A', ssShift}}, .When = TWhen::Always, .Steers = true, .Action = AutoPace, .WithRowAbove = true},
    {.Keys = {{VK_F1}}, .When = TWhen::Playing, .Action = KeyListOpen, .English = "this key list", .Japanese = "このキー一覧"},
    // A pad's buttons: listed instead of the keys while a pad was used last.
    {.Keys = {{VK_GAMEPAD_A}}, .When = TWhen::Playing, .Action = PadA, .English = "advance the story, or click the chosen idea button", .Japanese = "話を進める、選んだアイデアボタンを押す"},
    {.Keys = {{VK_GAMEPAD_DPAD_UP}, {VK_GAMEPAD_DPAD_DOWN}, {VK_GAMEPAD_DPAD_LEFT}, {VK_GAMEPAD_DPAD_RIGHT}}, .When = TWhen::Playing, .Repeats = true, .Action = PadMove, .Also = "Left stick", .English = "choose an idea button (in the backlog: scroll; in the saves: a slot)", .Japanese = "アイデアボタンを選ぶ（これまでの話、セーブでも）"},
    {.Keys = {{VK_GAMEPAD_B}}, .When = TWhen::Playing, .Action = BacklogOpen, .English = "the backlog; leave the backlog, the key list or the saves", .Japanese = "これまでの話、開いた画面を閉じる"},
    {.Keys = {{VK_GAMEPAD_X}}, .When = TWhen::Playing, .Steers = true, .Action = AutoToggle, .English = "auto mode on and off", .Japanese = "オートの入り切り"},
    {.Keys = {{VK_GAMEPAD_RIGHT_SHOULDER}}, .When = TWhen::Playing, .Steers = true, .Action = SkipHold, .Released = SkipLetGo, .English = "skip what was read while held", .Japanese = "押している間、既読スキップ"},
    {.Keys = {{VK_GAMEPAD_Y}}, .When = TWhen::Playing, .Action = SavesOpen, .English = "load (the newest save chosen) or save: Y again switches", .Japanese = "ロード（最新を選択）、Y でセーブに切り替え"},
    {.Keys = {{VK_GAMEPAD_LEFT_SHOULDER}}, .When = TWhen::Playing, .Repeats = true, .Action = Back, .English = "step back one press or click (after a death too)", .Japanese = "一手戻る（死んだ後も）"},
    {.Keys = {{VK_GAMEPAD_MENU}}, .When = TWhen::Playing, .Action = KeyListOpen, .English = "the key list", .Japanese = "キー一覧"},
    {.Keys = {{VK_GAMEPAD_VIEW}}, .When = TWhen::Always, .Action = Fullscreen, .English = "fullscreen and back", .Japanese = "全画面と元の大きさ"},
    // An author's --story reloaded in place: in the manual and the README, not in the player's
    // key list.
    {.Keys = {{'R', ssShift}}, .When = TWhen::Authoring, .Action = Reload, .English = "with --story: reload the story source in place (saving the file does too)", .Japanese = "--story で：物語を読み込み直す"},
    // The open backlog: Escape or B closes it; the rest scroll (scrolling on from the newest
    // page closes it). Named in the backlog's help above and the pad's.
    {.Keys = {{VK_ESCAPE, kAnyModifiers}, {VK_GAMEPAD_B}}, .When = TWhen::Backlog, .Repeats = true, .Action = Close},
    {.Keys = {{VK_PRIOR, kAnyModifiers}}, .When = TWhen::Backlog, .Repeats = true, .Action = PageBack},
    {.Keys = {{VK_NEXT, kAnyModifiers}}, .When = TWhen::Backlog, .Repeats = true, .Action = PageOn},
    {.Keys = {{VK_UP, kAnyModifiers}, {VK_GAMEPAD_DPAD_UP}}, .When = TWhen::Backlog, .Repeats = true, .Action = LineBack},
    {.Keys = {{VK_DOWN, kAnyModifiers}, {VK_GAMEPAD_DPAD_DOWN}}, .When = TWhen::Backlog, .Repeats = true, .Action = LineOn},
    // The open save/load view: named in the help of S and L above, and of the d-pad and B.
    {.Keys = {{VK_ESCAPE}, {VK_GAMEPAD_B}}, .When = TWhen::SaveView, .Action = SavesClose},
    {.Keys = {{VK_RETURN}, {VK_SPACE}, {VK_GAMEPAD_A}}, .When = TWhen::SaveView, .Action = SavesTake},
    {.Keys = {{'S'}, {'L'}, {VK_GAMEPAD_Y}}, .When = TWhen::SaveView, .Action = SavesSwitch},
    {.Keys = {{VK_LEFT}, {VK_RIGHT}, {VK_GAMEPAD_DPAD_LEFT}, {VK_GAMEPAD_DPAD_RIGHT}}, .When = TWhen::SaveView, .Repeats = true, .Action = SavesMove},
    {.Keys = {{VK_UP}, {VK_DOWN}, {VK_GAMEPAD_DPAD_UP}, {VK_GAMEPAD_DPAD_DOWN}}, .When = TWhen::SaveView, .Repeats = true, .Action = SavesMove},
};
// clang-format on
const std::span<const TBinding> BindingRows{Bindings};

namespace {

bool Applies(TWhen when, TInputRouter& input) {
  switch (when) {
    case TWhen::Always:
      return true;
    case TWhen::Playing:
      return OverlayShowing() == TOverlay::None && !SaveMenuOpen();
    case TWhen::PlayingFreely:
      return OverlayShowing() == TOverlay::None && !SaveMenuOpen() && input.Focused() == nullptr;
    case TWhen::Backlog:
      return OverlayShowing() == TOverlay::Backlog;
    case TWhen::SaveView:
      return SaveMenuOpen();
    case TWhen::Offer:
      return OverlayShowing() == TOverlay::None && ContinueOfferShowing();
    case TWhen::Authoring:
      return Story::PlayingStory();
    case TWhen::Window:
      break;
  }
  return false;
}

bool Matches(const TBinding& binding, uint32_t key, unsigned modifiers) {
  for (const TKeyChord& chord : binding.Keys) {
    if (chord.Key == key && (chord.Modifiers == kAnyModifiers || chord.Modifiers == modifiers)) return true;
  }
  return false;
}

bool IsModifier(uint32_t key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU; }

// How far a notch of the wheel scrolls the backlog.
constexpr int kWheelLines = 3;

// The first row that takes the key now; a key let go goes to its row whatever shows.
const TBinding* RowFor(TInputRouter& input, const TKeyEvent& key) {
  const unsigned modifiers = key.Shift & (ssShift | ssAlt | ssCtrl);
  for (const TBinding& binding : Bindings) {
    if (!Matches(binding, key.VirtualKey, modifiers)) continue;
    if (key.Down() ? binding.Action != nullptr && Applies(binding.When, input) : binding.Released != nullptr)
      return &binding;
  }
  return nullptr;
}

}  // namespace

bool OnKey(TInputRouter& input, const TKeyEvent& key) {
  const TBinding* row = RowFor(input, key);
  if (!key.Down()) {
    if (row != nullptr) row->Released(input, key.VirtualKey);
    return false;
  }
  NotePadUsed(IsPadButton(key.VirtualKey));
  NoteInput(input);  // skip and auto press through the router the player's keys come by
  // A modifier's own key is half of a chord (Shift+A, Ctrl+C): the key with it decides.
  if ((row == nullptr || !row->Steers) && !IsModifier(key.VirtualKey) && StopPlayModeByInput()) return true;
  if (OverlayShowing() == TOverlay::Keys && !IsModifier(key.VirtualKey)) {
    HideOverlay();  // the key list stays until the next key, which does nothing else
    return true;
  }
  if (row != nullptr) {
    if (!key.Repeat || row->Repeats) row->Action(input, key.VirtualKey);
    return true;
  }
  // The open backlog and the save/load view hold the game still: no other key reaches it.
  // Otherwise Alt and F10 among the rest are swallowed further on.
  return OverlayShowing() == TOverlay::Backlog || SaveMenuOpen();
}

bool OnWheel(TInputRouter&, int notches, unsigned, int, int) {
  // The view takes the wheel and does nothing with it; a turn stops skip and auto, as a key does.
  if (SaveMenuOpen() || StopPlayModeByInput()) return true;
  if (OverlayShowing() == TOverlay::Keys) {
    HideOverlay();
  } else if (OverlayShowing() == TOverlay::Backlog) {
    ScrollBacklog(-notches * kWheelLines);
  } else if (notches > 0) {
    OpenBacklog();
  } else {
    return false;
  }
  return true;
}

bool OnPad(TInputRouter& input, const TPadEvent& pad) {
  return OnKey(input, TKeyEvent{pad.Down ? WM_KEYDOWN : WM_KEYUP, pad.VirtualKey, 0, pad.Repeat});
}
