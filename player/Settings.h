// Settings -- what the player chose and the game remembers from one start to the next: the
// window's factor and fullscreen, mute, the music and sound volumes, and the auto mode's pace.
// Kept in $XDG_CONFIG_HOME/farrowmere/settings (else ~/.config/farrowmere/settings) as "key
// value" lines; read at start, written through a flushed temporary file when they change. A file the
// game cannot read or does not understand is ignored with one line on standard error.
#pragma once
#include <string>

#include "platform/Sound.h"

inline constexpr int VolumeSteps = Platform::VolumeLevels;
inline constexpr int MaxWindowFactor = 16;
// The auto mode's paces: 1 waits longest after a line, AutoPaces shortest.
inline constexpr int AutoPaces = 5;

struct TSettings {
  int Factor = 0;  // 0: the window's own choice
  bool Fullscreen = false;
  bool Muted = false;
  int MusicVolume = VolumeSteps;
  int SoundVolume = VolumeSteps;
  int AutoPace = 3;

  bool operator==(const TSettings&) const = default;
};

// The settings file's path ("" without HOME or XDG_CONFIG_HOME).
std::string SettingsFile();
// There is a settings file (false too when persistence is off): a player has started before.
bool HasSettingsFile();
// The settings as the file holds them; the defaults (and one line on standard error) when it
// cannot be read or understood, quietly when there is none or persistence is off.
TSettings ReadSettings();
// Writes them; false (and one line on standard error) when the file cannot be written.
bool WriteSettings(const TSettings& settings);
// The text of a settings file, and back (false with why when it is not understood).
std::string SettingsText(const TSettings& settings);
bool ParseSettings(const std::string& text, TSettings& settings, std::string& why);
