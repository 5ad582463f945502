// SoundLevels -- the volumes, the mute, the hold and the noted tune, for either sound backend.
#include "platform/SoundLevels.h"

#include <algorithm>

#include "platform/Sound.h"

namespace Platform {

namespace {

bool muted = false;
bool paused = false;
int musicLevel = VolumeLevels, soundLevel = VolumeLevels;
TDeferredMusic deferred;

}  // namespace

TDeferredMusic& DeferredMusic() { return deferred; }

int AudibleSoundLevel() { return muted ? 0 : soundLevel; }
int AudibleMusicLevel() { return muted ? 0 : musicLevel; }

void MuteSound(bool on) {
  muted = on;
  ApplySoundLevels();
}

bool SoundMuted() { return muted; }

void SetVolumes(int musicVolume, int soundVolume) {
  musicLevel = std::clamp(musicVolume, 0, VolumeLevels);
  soundLevel = std::clamp(soundVolume, 0, VolumeLevels);
  ApplySoundLevels();
}

int MusicVolume() { return musicLevel; }
int SoundVolume() { return soundLevel; }

void PauseSound(bool on) {
  if (on == paused) return;
  paused = on;
  HoldPlayback(on);
}

void DeferMusic() { deferred.Held = true; }

void StartDeferredMusic() {
  if (!deferred.Held) return;
  deferred.Held = false;
  const std::string path = deferred.Path;
  const int32_t option = deferred.Option;
  if (path.empty() || GGSLoadFile(path.c_str(), 1) != 0) return;
  if (option >= 0) GGSPlay(option, 0, 0);
}

}  // namespace Platform
