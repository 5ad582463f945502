// GameSave -- capture and restore of the game's lasting state.
#include "game/GameSave.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <fstream>
#include <stdexcept>

#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "media/QuilMidi.h"

std::string HashStoryFile(const std::string& nativePath) {
  std::ifstream in(nativePath, std::ios::binary);
  if (!in) return "";
  // FNV-1a, 64 bits: tells stories apart; a save names the story it was played on.
  uint64_t hash = 14695981039346656037ull;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ull;
    }
  }
  static const char digits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<size_t>(i)] = digits[hash & 15];
  return text;
}

TSaveGame CaptureGame() {
  TSaveGame s;
  s.Story = StoryId;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  char stamp[32] = "";
  if (localtime_r(&now, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  s.SavedAt = stamp;
  s.TitleShowing = TitleShowing;
  s.MaxHP = MaxHP;
  s.HP = HP;
  s.IdeaPower = IdeaPower;
  s.Items.assign(Items.begin(), Items.begin() + std::clamp<int32_t>(ItemCount, 0, MaxItems));
  s.LastItem = LastItem;
  s.Encounter = Encounter;
  s.Enemy = Enemy;
  s.ScriptLines.assign(ScriptLines.begin(),
                       ScriptLines.begin() + std::clamp<int32_t>(ScriptLineCount, 0, MaxScriptLines));
  s.Messages.assign(Messages.begin(), Messages.begin() + std::clamp<int32_t>(MessageCount, 0, MaxMessages));
  s.DescriptionTitle = DescriptionTitle;
  s.DescriptionLines = DescriptionLines;
  s.StoneName = StoneName;
  s.ChestItem = ChestItem;
  s.SilverBurst = SilverBurst;
  if (Script != nullptr) {
    s.ScriptPosition = Script->Position;
    s.ScriptEnded = Script->Ended;
    s.ScriptShown = Script->ShownCount;
    s.ScriptPageFull = Script->PageFull;
  }
  s.Paint = CapturePaint();
  return s;
}

namespace {

bool Within(int32_t value, int32_t low, int32_t high) { return low <= value && value <= high; }

std::string PaintMismatch(const TPaintSave& p) {
  if (!Within(p.NextButton, 0, IdeaButtonCount)) return "the next idea button is out of range";
  for (const TIdeaButtonSave& b : p.Buttons) {
    if (!Within(b.Top, SavedButtonTopMin, SavedButtonTopMax)) return "an idea button lies out of range";
  }
  if (!Within(p.HuePhase, 0, SavedHueMax)) return "the hue is out of range";
  if (!Within(p.ZoomPercent, SavedZoomMin, SavedZoomMax)) return "the zoom is out of range";
  for (const TGlowSave& g : p.Glows) {
    for (int32_t v : {g.X, g.Y, g.VX, g.VY}) {
      if (!Within(v, -SavedGlowLimit, SavedGlowLimit)) return "a glow is out of range";
    }
  }
  return "";
}

// A table of the game's filled from the save's list (its length checked by the reader); answers
// the count of entries in use.
template <size_t N>
int32_t Refill(std::array<std::string, N>& table, const std::vector<std::string>& from) {
  if (from.size() > N) throw std::out_of_range("a saved list is longer than the game's table");
  table.fill("");
  std::copy(from.begin(), from.end(), table.begin());
  return static_cast<int32_t>(from.size());
}

}  // namespace

std::string SaveRangeProblem(const TSaveGame& s) {
  if (s.Items.size() > MaxItems || s.ScriptLines.size() > MaxScriptLines || s.Messages.size() > MaxMessages ||
      s.DescriptionLines.size() > SavedDescriptionLinesMax || s.Backlog.size() > SavedBacklogMax) {
    return "too many entries";
  }
  if (s.ScriptPosition < 0 || s.ScriptShown < 0) return "a negative place in the story";
  return PaintMismatch(s.Paint);
}

std::string SaveMismatch(const TSaveGame& s) {
  if (s.Story != StoryId) return "another story";
  if (std::string why = SaveRangeProblem(s); !why.empty()) return why;
  if (Script == nullptr || !Within(s.ScriptPosition, 0, Script->LineCount) ||
      !Within(s.ScriptShown, 0, Script->PageSize)) {
    return "the story's place lies outside the story";
  }
  return "";
}

bool RestoreGame(const TSaveGame& s) {
  if (!SaveMismatch(s).empty()) return false;
  if (s.TitleShowing && !TitleShowing) PlayMusic("dat\\farrow.mid");
  if (!s.TitleShowing && TitleShowing) TQuilMidi::Stop();
  TitleShowing = s.TitleShowing;
  MaxHP = s.MaxHP;
  HP = s.HP;
  IdeaPower = s.IdeaPower;
  ItemCount = Refill(Items, s.Items);
  LastItem = s.LastItem;
  Encounter = s.Encounter;
  Enemy = s.Enemy;
  ScriptLineCount = Refill(ScriptLines, s.ScriptLines);
  MessageCount = Refill(Messages, s.Messages);
  DescriptionTitle = s.DescriptionTitle;
  DescriptionLines = s.DescriptionLines;
  StoneName = s.StoneName;
  ChestItem = s.ChestItem;
  SilverBurst = s.SilverBurst;
  Script->Position = s.ScriptPosition;
  Script->Ended = s.ScriptEnded;
  Script->ShownCount = s.ScriptShown;
  Script->PageFull = s.ScriptPageFull;
  RestorePaint(s.Paint);
  return true;
}
