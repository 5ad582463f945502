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

// One line of the file: a whole number within [Low, High], or yes or no (Flag). The file holds
// them in this order; a key left out keeps its default.
struct TSettingRow {
  const char* Key;
  int TSettings::* Number = nullptr;
  bool TSettings::* Flag = nullptr;
  int Low = 0, High = 0;
};

constexpr TSettingRow SettingRows[] = {
    {.Key = "factor", .Number = &TSettings::Factor, .High = MaxWindowFactor},
    {.Key = "fullscreen", .Flag = &TSettings::Fullscreen},
    {.Key = "mute", .Flag = &TSettings::Muted},
    {.Key = "music-volume", .Number = &TSettings::MusicVolume, .High = VolumeSteps},
    {.Key = "sound-volume", .Number = &TSettings::SoundVolume, .High = VolumeSteps},
    {.Key = "auto-pace", .Number = &TSettings::AutoPace, .Low = 1, .High = AutoPaces},
};

}  // namespace

std::string SettingsFile() {
  const std::string config = Platform::ConfigHome();
  return config.empty() ? "" : Platform::JoinPath(config, "farrowmere/settings");
}

std::string SettingsText(const TSettings& s) {
  std::string text = std::string(Magic) + "\n";
  for (const TSettingRow& row : SettingRows) {
    const std::string value = row.Flag != nullptr ? (s.*row.Flag ? "yes" : "no") : std::to_string(s.*row.Number);
    text += std::string(row.Key) + " " + value + "\n";
  }
  return text;
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
    for (const TSettingRow& row : SettingRows) {
      if (key != row.Key) continue;
      ok = row.Flag != nullptr ? ReadFlag(value, s.*row.Flag) : ReadNumber(value, row.Low, row.High, s.*row.Number);
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
