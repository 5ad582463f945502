// Volume -- mute and the volumes.
#include "player/Volume.h"

#include <string>

#include "platform/Sound.h"
#include "player/Notice.h"
#include "player/RememberedSettings.h"
#include "player/Settings.h"
#include "player/TitleBar.h"

using namespace Platform;

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

void VolumeFree() {
  MuteSound(false);
  SetVolumes(VolumeSteps, VolumeSteps);
}
