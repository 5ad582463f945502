// RememberedSettings -- the settings put back at start and written when they change.
#include "player/RememberedSettings.h"

#include <memory>

#include "platform/Application.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "player/Notice.h"
#include "player/PlayModes.h"
#include "player/PlayerState.h"
#include "player/SaveFiles.h"
#include "player/TitleBar.h"
#include "player/WindowSettings.h"

using namespace Platform;

namespace {

// How long a new player is told where the key list is.
constexpr int32_t kWelcomeMs = 6000;

struct TRemembered {
  TSettings Settings;  // as last read or written
  TSubscription Closing;
};

std::unique_ptr<TRemembered> remembered;

// What the player has chosen now.
TSettings CurrentSettings() {
  TSettings s = remembered->Settings;
  s.Muted = SoundMuted();
  s.MusicVolume = MusicVolume();
  s.SoundVolume = SoundVolume();
  s.AutoPace = AutoPace();
  // The factor is the file's: nothing in the game changes it, so a chosen one stays.
  if (TWindow* window = Application.Window(); window != nullptr) s.Fullscreen = window->Fullscreen();
  return s;
}

}  // namespace

void RememberedSettingsSetup() {
  RememberedSettingsFree();
  remembered = std::make_unique<TRemembered>();
  const bool firstStart = !HasSettingsFile();
  TSettings& settings = remembered->Settings;
  settings = ReadSettings();
  MuteSound(settings.Muted);
  SetAutoPace(settings.AutoPace);
  ShowCaption();
  SetVolumes(settings.MusicVolume, settings.SoundVolume);
  RestoreWindowSettingsSoon();
  if (firstStart && WelcomingNewPlayers() && Persisting()) {
    TellInTitle("F1（パッドは Start）でキー操作の一覧", kWelcomeMs);
    WriteSettings(settings);  // told once: the next start finds the file
  }
  remembered->Closing = Player->Form->Closing.Subscribe([] {
    RememberSettings();
    return false;
  });
}

void RememberedSettingsFree() {
  WindowSettingsFree();
  remembered.reset();
}

void RememberSettings() {
  if (remembered == nullptr) return;
  const TSettings now = CurrentSettings();
  if (now == remembered->Settings) return;
  remembered->Settings = now;
  WriteSettings(now);
}

const TSettings& RememberedSettings() {
  static const TSettings defaults;
  return remembered != nullptr ? remembered->Settings : defaults;
}
