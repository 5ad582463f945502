// Player -- attaches the player layer to the form, the window and the story, and detaches it.
#include "player/Player.h"

#include "author/LiveStory.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/Sound.h"
#include "platform/TextCodec.h"
#include "player/PlayerState.h"
#include "player/Rollback.h"
#include "player/SaveFiles.h"

using namespace Platform;

std::unique_ptr<TPlayer> Player;

void HoldPause(bool& held, bool hold) {
  if (held == hold) return;
  held = hold;
  if (hold) {
    TQuilTimer::Pause();
  } else {
    TQuilTimer::Resume();
  }
}

namespace {

// Hidden, the game stands still and so does its sound. Other listeners hear it too.
bool OnWindowHidden(bool hidden) {
  if (Player == nullptr) return false;
  PauseSound(hidden);
  HoldPause(Player->HiddenPause, hidden);
  if (hidden) StopPlayMode("ウィンドウ");
  return false;
}

// Each line the story showed: kept for the backlog, marked read, and copied while Shift+C's
// mode is on.
void KeepLine(const std::string& line) {
  if (Player == nullptr) return;
  ForgetAnEndedGame();
  Player->Lines.Add(line);
  MarkLineShown(line);
  if (Player->Follow) SetClipboardText(Cp932ToUtf8(line));
}

// Closing the window mid-game keeps the game in the autosave slot, for the next title to offer;
// a failure is said on standard error and the window closes either way.
bool OnClosing() {
  if (Player == nullptr) return false;
  RememberSettings();
  RememberReadMarks();
  if (!TitleShowing && HP > 0) SaveGameTo("auto");
  return false;
}

}  // namespace

void CaptureBacklog(TSaveGame& save) {
  if (Player != nullptr) save.Backlog = Player->Lines.All();
}

void RestoreBacklog(const TSaveGame& save) {
  if (Player == nullptr) return;
  Player->Lines.Assign(save.Backlog);
  Player->TitleSeen = TitleShowing;
}

void PlayerSetup(TForm& form, TPanel& page, TPaintBox& playArea) {
  PlayerFree();
  Player = std::make_unique<TPlayer>();
  Player->Form = &form;
  Player->PlayArea = &playArea;
  Player->Page = &page;
  Player->Caption = form.Caption;
  PadFocusSetup();       // its ring lies under the overlays made below
  RollbackSetup();       // so does the game-over line
  ContinueOfferSetup();  // and the title's offer
  Player->Overlay = std::make_unique<TPaintBox>(&page);
  Player->Overlay->Name = "PlayerOverlay";
  Player->Overlay->Visible = false;
  Player->Overlay->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int, int) { HideOverlay(); };
  Player->KeyListener = form.KeyPreview.Add(OnKey);
  Player->PadListener = form.PadButton.Add(OnPad);
  Player->WheelListener = form.MouseWheel.Add(OnWheel);
  Player->HiddenListener = Application.WindowHidden.Add(OnWindowHidden);
  if (Script != nullptr) Player->LineListener = Script->AddLineListener(KeepLine);
  Player->CloseListener = form.Closing.Add(OnClosing);
  Story::SetReloadNotice(TellInTitle);  // an author's reload says what it did in the title and the play area
  RemoveStaleTemporaries();             // what a killed game left behind
  SaveMenuSetup();
  PlayModesSetup();
  NoticeSetup(page, playArea);  // over the views made above
  ApplyRememberedSettings();
  ShowContinueOffer();  // the title offers the game the window was closed on
  AutosaveSetup();
}

void PlayerFree() {
  if (Player == nullptr) return;
  TQuilTimer::Remove(RestoreWindowSettings);
  Story::SetReloadNotice(nullptr);
  PlayModesFree();
  AutosaveFree();
  FreeContinueOffer();
  SaveMenuFree();
  Player->Form->Closing.Remove(Player->CloseListener);
  HideOverlay();
  OnWindowHidden(false);
  TQuilTimer::Remove(EndCaptionMessage);
  NoticeFree();
  Player->Form->Caption = Player->Caption;
  Player->Form->KeyPreview.Remove(Player->KeyListener);
  Player->Form->PadButton.Remove(Player->PadListener);
  PadFocusFree();
  RollbackFree();
  Player->Form->MouseWheel.Remove(Player->WheelListener);
  Application.WindowHidden.Remove(Player->HiddenListener);
  if (Script != nullptr) Script->RemoveLineListener(Player->LineListener);
  MuteSound(false);
  SetVolumes(VolumeSteps, VolumeSteps);
  Player.reset();
}

TBacklogView Backlog() {
  TBacklogView view;
  if (Player == nullptr) return view;
  view.Count = Player->Lines.Count();
  view.Open = Player->Showing == TOverlay::Backlog;
  if (!view.Open) return view;
  view.First = Player->Lines.First() + 1;
  view.Lines = Player->Lines.Page();
  return view;
}

bool Muted() { return SoundMuted(); }
