// Player -- attaches the player layer to the form, the window and the story, and detaches it.
#include "player/Player.h"

#include <cstdio>

#include "author/LiveStory.h"
#include "paint/QuilTimer.h"
#include "platform/Application.h"
#include "platform/Sound.h"
#include "platform/TextCodec.h"
#include "player/Autosave.h"
#include "player/Backlog.h"
#include "player/Bindings.h"
#include "player/ContinueOffer.h"
#include "player/CopyLines.h"
#include "player/Notice.h"
#include "player/Overlay.h"
#include "player/PadFocus.h"
#include "player/PlayModes.h"
#include "player/PlayerState.h"
#include "player/ReadMarks.h"
#include "player/RememberedSettings.h"
#include "player/Rollback.h"
#include "player/SaveFiles.h"
#include "player/SaveMenu.h"
#include "player/TitleBar.h"
#include "player/Volume.h"

using namespace Platform;

std::unique_ptr<TPlayerPlace> Player;

void HoldPause(bool& held, bool hold) {
  if (held == hold) return;
  held = hold;
  if (hold) {
    TQuilTimer::Pause();
  } else {
    TQuilTimer::Resume();
  }
}

void ReportOnce(const std::exception& error) {
  static bool said = false;
  if (!said) std::fprintf(stderr, "farrowmere: %s\n", Cp932ToUtf8(error.what()).c_str());
  said = true;
}

namespace {

// What the layer listens to for itself: the keys, pad buttons and wheel (Bindings), and the
// window's hiding.
struct TAttached {
  TSubscription Keys, Pad, Wheel, Hidden;
  bool HiddenPause = false;  // holds one pause of the frame loop while the window is hidden
};

std::unique_ptr<TAttached> attached;

// Hidden, the game stands still and so does its sound. Other listeners hear it too.
bool OnWindowHidden(bool hidden) {
  PauseSound(hidden);
  HoldPause(attached->HiddenPause, hidden);
  if (hidden) StopPlayMode("ウィンドウ");
  return false;
}

}  // namespace

void PlayerSetup(TForm& form, TPanel& page, TPaintBox& playArea) {
  PlayerFree();
  Player = std::make_unique<TPlayerPlace>(TPlayerPlace{&form, &playArea, &page});
  TitleBarSetup();
  PadFocusSetup();       // its ring lies under the overlays made below
  RollbackSetup();       // so does the game-over line
  ContinueOfferSetup();  // and the title's offer
  OverlaySetup();
  attached = std::make_unique<TAttached>();
  attached->Keys = form.KeyPreview.Subscribe(OnKey);
  attached->Pad = form.PadButton.Subscribe(OnPad);
  attached->Wheel = form.MouseWheel.Subscribe(OnWheel);
  attached->Hidden = Application.WindowHidden.Subscribe(OnWindowHidden);
  BacklogSetup();
  ReadMarksSetup();
  PlayModesSetup();  // marks each line read, after the backlog took it
  CopyLinesSetup();
  Story::SetReloadNotice(TellInTitle);  // an author's reload says what it did in the title and the play area
  RemoveStaleTemporaries();             // what a killed game left behind
  SaveMenuSetup();
  NoticeSetup(page, playArea);  // over the views made above
  RememberedSettingsSetup();
  ShowContinueOffer();  // the title offers the game the window was closed on
  AutosaveSetup();
}

void PlayerFree() {
  if (Player == nullptr) return;
  RememberedSettingsFree();
  Story::SetReloadNotice(nullptr);
  PlayModesFree();
  ReadMarksFree();
  AutosaveFree();
  FreeContinueOffer();
  SaveMenuFree();
  OverlayFree();
  OnWindowHidden(false);
  NoticeFree();
  TitleBarFree();
  attached.reset();
  PadFocusFree();
  RollbackFree();
  CopyLinesFree();
  BacklogFree();
  VolumeFree();
  Player.reset();
}

bool Muted() { return SoundMuted(); }
