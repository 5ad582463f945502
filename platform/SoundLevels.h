// SoundLevels -- what the player sets of the sound (volumes, mute), the hold while the window is
// hidden and the tune noted before the first frame: one state for the desktop's mixer and the
// page's Web Audio alike. Only the two sound backends include this; the rest of the program
// reaches it through platform/Sound.h.
#pragma once
#include <cstdint>
#include <string>

namespace Platform {

// The tune noted at start-up, before the first frame (see DeferMusic).
struct TDeferredMusic {
  bool Held = false;    // between DeferMusic and StartDeferredMusic
  std::string Path;     // empty when none is loaded
  int32_t Option = -1;  // GGSPlay's option, -1 while not playing
};
TDeferredMusic& DeferredMusic();

// The volumes as heard: 0 .. VolumeLevels, 0 while muted.
int AudibleSoundLevel();
int AudibleMusicLevel();

// Each backend's own part: gives the device the audible levels; holds or lets go what plays.
void ApplySoundLevels();
void HoldPlayback(bool held);

}  // namespace Platform
