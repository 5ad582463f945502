// Settings -- the remembered settings file.
#include "player/Settings.h"

#include <cstdio>
#include <sstream>

#include "platform/Files.h"
#include "player/SaveFiles.h"

namespace {

constexpr char Magic[] = "farrowmere-settings 1";
constexpr std::uintmax_t SettingsMax = 4096;

bool ReadNumber(const std::string& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  const int v = std::stoi(text);
  if (v < low || v > high) return false;
  value = v;
  return true;
}

bool ReadFlag(const std::string& text, bool& value) {
  if (text != "yes" && text != "no") return false;
  value = text == "yes";
  return true;
}

}  // namespace

std::string SettingsFile() {
  const std::string config = Platform::ConfigHome();
  return config.empty() ? "" : Platform::JoinPath(config, "farrowmere/settings");
}

std::string SettingsText(const TSettings& s) {
  auto flag = [](bool on) { return on ? "yes" : "no"; };
  std::ostringstream out;
  out << Magic << "\nfactor " << s.Factor << "\nfullscreen " << flag(s.Fullscreen) << "\nmute " << flag(s.Muted)
      << "\nmusic-volume " << s.MusicVolume << "\nsound-volume " << s.SoundVolume << "\nauto-pace " << s.AutoPace
      << "\n";
  return out.str();
}

bool ParseSettings(const std::string& text, TSettings& settings, std::string& why) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != Magic) {
    why = "not a settings file of this version";
    return false;
  }
  TSettings s;
  for (int number = 2; std::getline(in, line); ++number) {
    if (line.empty()) continue;
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space), value = space == std::string::npos ? "" : line.substr(space + 1);
    bool ok = false;
    if (key == "factor") {
      ok = ReadNumber(value, 0, MaxWindowFactor, s.Factor);
    } else if (key == "fullscreen") {
      ok = ReadFlag(value, s.Fullscreen);
    } else if (key == "mute") {
      ok = ReadFlag(value, s.Muted);
    } else if (key == "music-volume") {
      ok = ReadNumber(value, 0, VolumeSteps, s.MusicVolume);
    } else if (key == "sound-volume") {
      ok = ReadNumber(value, 0, VolumeSteps, s.SoundVolume);
    } else if (key == "auto-pace") {
      ok = ReadNumber(value, 1, AutoPaces, s.AutoPace);
    }
    if (!ok) {
      why = "line " + std::to_string(number) + " is not understood";
      return false;
    }
  }
  settings = s;
  return true;
}

bool HasSettingsFile() {
  const std::string path = SettingsFile();
  return Persisting() && !path.empty() && Platform::PathExists(path);
}

TSettings ReadSettings() {
  TSettings settings;
  const std::string path = SettingsFile();
  if (!Persisting() || path.empty() || !Platform::PathExists(path)) return settings;
  std::string text;
  std::string why = ReadSmallFile(path, SettingsMax, text);
  if (why.empty()) ParseSettings(text, settings, why);
  if (!why.empty()) std::fprintf(stderr, "farrowmere: the settings in %s are ignored: %s\n", path.c_str(), why.c_str());
  return settings;
}

bool WriteSettings(const TSettings& settings) {
  if (!Persisting()) return true;
  const std::string path = SettingsFile();
  const std::string why = path.empty() ? "neither XDG_CONFIG_HOME nor HOME is set"
                                       : Platform::WriteFileSafely(path, SettingsText(settings));
  if (why.empty()) return true;
  std::fprintf(stderr, "farrowmere: the settings were not written: %s\n", why.c_str());
  return false;
}
