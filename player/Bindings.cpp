// Bindings -- every key and pad button the player layer answers, in one table: the keys (a
// pad's buttons are keys of their own codes, VK_GAMEPAD_...), when they apply, what they do,
// and their help. The dispatch, the F1 key list, --help and the manual's list all read it; a
// new key or button is one row.
#include <array>
#include <utility>

#include "author/LiveStory.h"
#include "platform/TextCodec.h"
#include "player/Backlog.h"
#include "player/Bindings.h"
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

constexpr unsigned kAnyModifiers = ~0U;  // the key held with any modifiers, or none

struct TChord {
  uint32_t Key = 0;  // 0: no key
  unsigned Modifiers = 0;
};

enum class TWhen {
  Always,         // whatever shows (over the key list: see OnKey)
  Playing,        // no overlay (the save/load view is one)
  PlayingFreely,  // no overlay and no idea button holds the focus (it takes Space and Enter)
  Backlog,        // the backlog shows
  SaveView,       // the save/load view shows
  Offer,          // no overlay, and the title offers to continue the autosave
  Authoring,      // a plain story source is played (--story)
  Window,         // the window's own (fullscreen): listed, never dispatched here
};

struct TBinding {
  std::array<TChord, 5> Keys;
  TWhen When;
  bool Repeats;                                       // a held key acts again at the keyboard's rate
  void (*Action)(TInputRouter& input, uint32_t key);  // the key pressed comes along
  const char* KeyNames;                               // nullptr: listed with the row before
  const char* English;
  const char* Japanese;
  // Called when the key is let go (whatever shows then): a held key's end.
  void (*Released)(TInputRouter& input, uint32_t key) = nullptr;
  // A key of skip and auto mode: it leaves them to its actions. Any other key, click or pad
  // button stops them and does nothing else (OnKey).
  bool Steers = false;
};

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

// In this order: the first row that applies takes the key. Help is in the key list's order.
const TBinding Bindings[] = {
    {{{{VK_SPACE, 0}, {VK_RETURN, 0}}},
     TWhen::PlayingFreely,
     false,
     Advance,
     "Space, Enter, →, ↓",
     "advance the story (as a click on the picture)",
     "話を進める（画面を押すのと同じ）"},
    {{{{VK_RIGHT, 0}, {VK_DOWN, 0}}}, TWhen::Playing, false, Advance, nullptr, nullptr, nullptr},
    {{{{'1', 0}, {'2', 0}, {'3', 0}, {'4', 0}, {'5', 0}}},
     TWhen::Playing,
     false,
     ClickNth,
     "1, 2, 3, 4, 5",
     "click the idea buttons on screen, counted from the top",
     "アイデアボタンを上から順に押す"},
    {{{{VK_PRIOR, 0}, {VK_UP, 0}}},
     TWhen::Playing,
     true,
     BacklogOpen,
     "Wheel up, PageUp, ↑",
     "the backlog: the story so far (Esc or a click closes it)",
     "これまでの話（Esc かクリックで閉じる）"},
    {{{{'M', 0}, {'U', ssCtrl}}},
     TWhen::Always,
     false,
     Mute,
     "M, Ctrl+U",
     "mute and unmute every sound and the tune (remembered)",
     "消音と解除"},
    {{{{VK_F12, 0}, {'S', ssAlt}}},
     TWhen::Always,
     false,
     Shot,
     "F12, Alt+S",
     "save a screenshot in Pictures/Farrowmere",
     "スクリーンショットを保存"},
    {{{{'C', ssCtrl}}}, TWhen::Always, false, Copy, "Ctrl+C", "copy the story lines on screen", "画面の文をコピー"},
    {{{{'C', ssShift}}},
     TWhen::Always,
     false,
     Follow,
     "Shift+C",
     "copy each new story line as it appears (again: off)",
     "新しい文を次々にコピー（もう一度で止める）"},
    {{{{VK_F11, 0}, {VK_RETURN, ssAlt}}},
     TWhen::Window,
     false,
     nullptr,
     "F11, Alt+Enter",
     "fullscreen and back",
     "全画面と元の大きさ"},
    {{{{VK_F5, 0}}},
     TWhen::Playing,
     false,
     QuickSaveKey,
     "F5, F9",
     "quick save, quick load",
     "クイックセーブ、クイックロード"},
    {{{{VK_F9, 0}}}, TWhen::Playing, false, QuickLoadKey, nullptr, nullptr, nullptr},
    {{{{VK_BACK, 0}}},
     TWhen::Playing,
     true,
     Back,
     "Backspace",
     "step back one press or click (after a death too)",
     "一手戻る（死んだ後も）"},
    {{{{'S', 0}, {'L', 0}}},
     TWhen::Playing,
     false,
     SavesOpen,
     "S, L",
     "save or load: quick, auto and twelve slots (arrows, Enter, Esc)",
     "クイック、オートと十二の枠でセーブ、ロード（矢印、Enter、Esc）"},
    {{{{'C', 0}}},
     TWhen::Offer,
     false,
     Continue,
     "C",
     "on the title: go on with the game closed last",
     "タイトルで：前回の続きから"},
    {{{{VK_F7, 0}, {VK_F8, 0}}},
     TWhen::Always,
     true,
     MusicVolumeKey,
     "F7, F8, Shift+F7/F8",
     "music quieter, louder (with Shift the sounds)",
     "音楽を小さく、大きく（Shift で効果音）"},
    {{{{VK_F7, ssShift}, {VK_F8, ssShift}}}, TWhen::Always, true, SoundVolumeKey, nullptr, nullptr, nullptr},
    {{{{VK_TAB, 0}}},
     TWhen::Playing,
     false,
     SkipToggle,
     "Tab, Ctrl (held), A, Shift+A",
     "skip what was read (waits at a choice, ends at a new line); auto mode, its pace",
     "既読スキップ（選択で待ち、未読で終わる）、オート、その速さ",
     nullptr,
     true},
    {{{{VK_CONTROL, kAnyModifiers}}}, TWhen::Playing, false, SkipHold, nullptr, nullptr, nullptr, SkipLetGo, true},
    {{{{'A', 0}}}, TWhen::Playing, false, AutoToggle, nullptr, nullptr, nullptr, nullptr, true},
    {{{{'A', ssShift}}}, TWhen::Always, false, AutoPace, nullptr, nullptr, nullptr, nullptr, true},
    {{{{VK_F1, 0}}}, TWhen::Playing, false, KeyListOpen, "F1", "this key list", "このキー一覧"},
    // A pad's buttons: listed instead of the keys while a pad was used last.
    {{{{VK_GAMEPAD_A, 0}}},
     TWhen::Playing,
     false,
     PadA,
     "A",
     "advance the story, or click the chosen idea button",
     "話を進める、選んだアイデアボタンを押す"},
    {{{{VK_GAMEPAD_DPAD_UP, 0}, {VK_GAMEPAD_DPAD_DOWN, 0}, {VK_GAMEPAD_DPAD_LEFT, 0}, {VK_GAMEPAD_DPAD_RIGHT, 0}}},
     TWhen::Playing,
     true,
     PadMove,
     "D-pad, left stick",
     "choose an idea button (in the backlog: scroll; in the saves: a slot)",
     "アイデアボタンを選ぶ（これまでの話、セーブでも）"},
    {{{{VK_GAMEPAD_B, 0}}},
     TWhen::Playing,
     false,
     BacklogOpen,
     "B",
     "the backlog; leave the backlog, the key list or the saves",
     "これまでの話、開いた画面を閉じる"},
    {{{{VK_GAMEPAD_X, 0}}},
     TWhen::Playing,
     false,
     AutoToggle,
     "X",
     "auto mode on and off",
     "オートの入り切り",
     nullptr,
     true},
    {{{{VK_GAMEPAD_RIGHT_SHOULDER, 0}}},
     TWhen::Playing,
     false,
     SkipHold,
     "RB (held)",
     "skip what was read while held",
     "押している間、既読スキップ",
     SkipLetGo,
     true},
    {{{{VK_GAMEPAD_Y, 0}}},
     TWhen::Playing,
     false,
     SavesOpen,
     "Y",
     "load (the newest save chosen) or save: Y again switches",
     "ロード（最新を選択）、Y でセーブに切り替え"},
    {{{{VK_GAMEPAD_LEFT_SHOULDER, 0}}},
     TWhen::Playing,
     true,
     Back,
     "LB",
     "step back one press or click (after a death too)",
     "一手戻る（死んだ後も）"},
    {{{{VK_GAMEPAD_MENU, 0}}}, TWhen::Playing, false, KeyListOpen, "Start", "the key list", "キー一覧"},
    {{{{VK_GAMEPAD_VIEW, 0}}}, TWhen::Always, false, Fullscreen, "Back", "fullscreen and back", "全画面と元の大きさ"},
    // An author's --story reloaded in place: in the manual and the README, not in the player's
    // key list.
    {{{{'R', ssShift}}},
     TWhen::Authoring,
     false,
     Reload,
     "Shift+R",
     "with --story: reload the story source in place (saving the file does too)",
     "--story で：物語を読み込み直す"},
    // The open backlog: Escape or B closes it; the rest scroll (scrolling on from the newest
    // page closes it). Named in the backlog's help above and the pad's.
    {{{{VK_ESCAPE, kAnyModifiers}, {VK_GAMEPAD_B, 0}}}, TWhen::Backlog, true, Close, nullptr, nullptr, nullptr},
    {{{{VK_PRIOR, kAnyModifiers}}}, TWhen::Backlog, true, PageBack, nullptr, nullptr, nullptr},
    {{{{VK_NEXT, kAnyModifiers}}}, TWhen::Backlog, true, PageOn, nullptr, nullptr, nullptr},
    {{{{VK_UP, kAnyModifiers}, {VK_GAMEPAD_DPAD_UP, 0}}}, TWhen::Backlog, true, LineBack, nullptr, nullptr, nullptr},
    {{{{VK_DOWN, kAnyModifiers}, {VK_GAMEPAD_DPAD_DOWN, 0}}}, TWhen::Backlog, true, LineOn, nullptr, nullptr, nullptr},
    // The open save/load view: named in the help of S and L above, and of the d-pad and B.
    {{{{VK_ESCAPE, 0}, {VK_GAMEPAD_B, 0}}}, TWhen::SaveView, false, SavesClose, nullptr, nullptr, nullptr},
    {{{{VK_RETURN, 0}, {VK_SPACE, 0}, {VK_GAMEPAD_A, 0}}},
     TWhen::SaveView,
     false,
     SavesTake,
     nullptr,
     nullptr,
     nullptr},
    {{{{'S', 0}, {'L', 0}, {VK_GAMEPAD_Y, 0}}}, TWhen::SaveView, false, SavesSwitch, nullptr, nullptr, nullptr},
    {{{{VK_LEFT, 0}, {VK_RIGHT, 0}, {VK_GAMEPAD_DPAD_LEFT, 0}, {VK_GAMEPAD_DPAD_RIGHT, 0}}},
     TWhen::SaveView,
     true,
     SavesMove,
     nullptr,
     nullptr,
     nullptr},
    {{{{VK_UP, 0}, {VK_DOWN, 0}, {VK_GAMEPAD_DPAD_UP, 0}, {VK_GAMEPAD_DPAD_DOWN, 0}}},
     TWhen::SaveView,
     true,
     SavesMove,
     nullptr,
     nullptr,
     nullptr},
};

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
  for (const TChord& chord : binding.Keys) {
    if (chord.Key == key && (chord.Modifiers == kAnyModifiers || chord.Modifiers == modifiers)) return true;
  }
  return false;
}

bool IsModifier(uint32_t key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU; }

bool IsPadButton(uint32_t key) { return key >= VK_GAMEPAD_A && key <= VK_GAMEPAD_VIEW; }

// The listed rows of a group: the player's keys, the pad's buttons, an author's keys.
std::vector<TKeyHelp> ListOf(TKeyGroup group) {
  std::vector<TKeyHelp> list;
  for (const TBinding& binding : Bindings) {
    TKeyGroup of = binding.When == TWhen::Authoring   ? TKeyGroup::Authoring
                   : IsPadButton(binding.Keys[0].Key) ? TKeyGroup::Pad
                                                      : TKeyGroup::Keys;
    if (binding.KeyNames != nullptr && of == group)
      list.push_back(TKeyHelp{binding.KeyNames, binding.English, binding.Japanese});
  }
  return list;
}

// "  KEYS  what" a line, UTF-8.
std::string Lines(const std::vector<TKeyHelp>& list) {
  std::string text;
  for (const TKeyHelp& key : list) {
    std::string keys = Platform::Cp932ToUtf8(key.Keys);
    // Columns by characters, not bytes: the arrows are three bytes each in UTF-8.
    size_t width = 0;
    for (unsigned char c : keys) width += (c & 0xC0) != 0x80 ? 1 : 0;
    text += "  " + keys + std::string(width < 22 ? 22 - width : 1, ' ') + key.English + "\n";
  }
  return text;
}

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

std::vector<TKeyHelp> KeyList() { return ListOf(PadUsedLast() ? TKeyGroup::Pad : TKeyGroup::Keys); }

std::vector<TKeyHelp> KeyListOf(TKeyGroup group) { return ListOf(group); }

std::string KeyListText() { return Lines(ListOf(TKeyGroup::Keys)) + "\nA gamepad:\n" + Lines(ListOf(TKeyGroup::Pad)); }
