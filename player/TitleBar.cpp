// TitleBar -- what the title says (and the play area with it, Notice) (mute, the clipboard mode, skip and auto, a
// screenshot saved or not, a volume, a save), the clipboard, mute and the volumes, and the settings that remember them:
// the keys that work in every state of the game.
#include <algorithm>

#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/Sound.h"
#include "platform/TextCodec.h"
#include "platform/Window.h"
#include "player/Notice.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/SaveFiles.h"

using namespace Platform;

namespace {

// How long a new player is told where the key list is.
constexpr int32_t kWelcomeMs = 6000;

// What the player has chosen now.
TSettings CurrentSettings() {
  TSettings s = Player->Settings;
  s.Muted = SoundMuted();
  s.MusicVolume = MusicVolume();
  s.SoundVolume = SoundVolume();
  s.AutoPace = Player->AutoPace;
  // The factor is the file's: nothing in the game changes it, so a chosen one stays.
  if (TWindow* window = Application.Window(); window != nullptr) s.Fullscreen = window->Fullscreen();
  return s;
}

}  // namespace

void ShowCaption() {
  if (Player->CaptionMessage) return;  // a message keeps the title a while
  std::string caption = Player->Caption;
  if (SoundMuted()) caption += " - 消音中";
  if (Player->Follow) caption += " - 新しい文をクリップボードへ";
  if (Player->Mode != TPlayMode::Off) {
    caption += Player->Mode == TPlayMode::Skip ? " - スキップ" : " - オート";
    caption += Player->Halt != nullptr ? std::string("停止：") + Player->Halt : std::string("中");
  }
  Player->Form->Caption = caption;
}

void EndCaptionMessage() {
  TQuilTimer::Remove(EndCaptionMessage);
  if (Player == nullptr) return;
  Player->CaptionMessage = false;
  ShowCaption();
}

void TellInTitle(const std::string& cp932, int32_t ms) {
  Player->Form->Caption = Player->Caption + " - " + cp932;
  Player->CaptionMessage = true;
  TQuilTimer::Remove(EndCaptionMessage);
  // The title's message keeps its time while the game is paused.
  TQuilTimer::Add(EndCaptionMessage, ms, "", true);
  ShowNotice(cp932, ms);  // said in the play area too, for a player in fullscreen
}

void ToggleMute() {
  MuteSound(!SoundMuted());
  ShowCaption();
  ShowNotice(SoundMuted() ? "消音中" : "消音を解除しました");
  RememberSettings();
}

void ChangeVolume(bool music, int step) {
  int m = MusicVolume(), w = SoundVolume();
  (music ? m : w) += step;
  SetVolumes(m, w);
  const int level = music ? MusicVolume() : SoundVolume();
  TellInTitle(std::string(music ? "音楽" : "効果音") + " " + std::to_string(level) + "/" + std::to_string(VolumeSteps));
  RememberSettings();
}

// As F11 does in the window; the setting is written on closing, as F11's is.
void ToggleFullscreen() {
  if (TWindow* window = Application.Window(); window != nullptr) window->SetFullscreen(!window->Fullscreen());
}

void RestoreWindowSettings() {
  TQuilTimer::Remove(RestoreWindowSettings);
  if (Player == nullptr) return;
  if (TWindow* window = Application.Window(); window != nullptr) {
    if (Player->Settings.Factor > 0) window->SetWindowScale(Player->Settings.Factor);
    if (Player->Settings.Fullscreen) window->SetFullscreen(true);
  }
}

void ApplyRememberedSettings() {
  const bool firstStart = !HasSettingsFile();
  Player->Settings = ReadSettings();
  MuteSound(Player->Settings.Muted);
  Player->AutoPace = Player->Settings.AutoPace;
  ShowCaption();
  SetVolumes(Player->Settings.MusicVolume, Player->Settings.SoundVolume);
  if (Player->Settings.Factor > 0 || Player->Settings.Fullscreen) TQuilTimer::Add(RestoreWindowSettings, 1, "");
  if (firstStart && WelcomingNewPlayers() && Persisting()) {
    TellInTitle("F1（パッドは Start）でキー操作の一覧", kWelcomeMs);
    WriteSettings(Player->Settings);  // told once: the next start finds the file
  }
}

void RememberSettings() {
  const TSettings now = CurrentSettings();
  if (now == Player->Settings) return;
  Player->Settings = now;
  WriteSettings(now);
}

void TakeScreenshot() {
  std::string path = SaveScreenshot(*Player->Form);
  std::string cp932;
  size_t bad = 0;
  if (!Utf8ToCp932(path, cp932, bad)) cp932 = "(" + std::to_string(path.size()) + " bytes)";
  // A player started from the menu never sees standard error: the title says it either way.
  TellInTitle(path.empty() ? "スクリーンショットを保存できませんでした" : "保存しました: " + cp932);
}

void CopyLinesOnScreen() {
  if (TitleShowing) return;  // the title covers them
  std::string text;
  const int count = std::clamp<int32_t>(ScriptLineCount, 0, MaxScriptLines);
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + Cp932ToUtf8(ScriptLines[static_cast<size_t>(i)]);
  if (!text.empty()) SetClipboardText(text);
}

void ToggleFollow() {
  Player->Follow = !Player->Follow;
  ShowCaption();
}
