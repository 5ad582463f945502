// GameSave -- capture and restore of the game's lasting state.
#include "game/GameSave.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "media/QuilMidi.h"
#include "platform/Files.h"

namespace {

constexpr uint64_t FnvStart = 14695981039346656037ull;

uint64_t Fnv(uint64_t hash, const char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
  return hash;
}

std::string Hex16(uint64_t hash) {
  static const char digits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<size_t>(i)] = digits[hash & 15];
  return text;
}

// The label at or above line at, -1 when there is none.
int LabelAbove(const TQuilScript& script, int at) {
  while (at >= 0 && !TQuilScript::IsLabel(script.Lines[static_cast<size_t>(at)])) --at;
  return at;
}

// Where the run stands: the line it goes on at when that begins a passage (or the story), else
// the line it read last, which is the one on screen.
void CapturePlace(const TQuilScript& script, TSaveGame& s) {
  const int position = std::clamp(script.Position, 0, script.LineCount);
  s.HasPlace = true;
  s.PlaceNext = position == 0 || (position < script.LineCount &&
                                  TQuilScript::IsLabel(script.Lines[static_cast<size_t>(position)]))
                    ? 0
                    : 1;
  const int anchor = position - s.PlaceNext;
  const int label = anchor < script.LineCount ? LabelAbove(script, anchor) : -1;
  s.Passage = label >= 0 ? script.Lines[static_cast<size_t>(label)] : "";
  s.PlaceOffset = anchor - std::max(label, 0);
  s.PlaceText = anchor < script.LineCount ? script.Lines[static_cast<size_t>(anchor)] : "";
}

}  // namespace

std::string HashText(const std::string& bytes) { return Hex16(Fnv(FnvStart, bytes.data(), bytes.size())); }

std::string HashStoryFile(const std::string& nativePath) {
  std::string bytes;
  if (Platform::ReadBoundedFile(nativePath, Platform::WholeFileMax, bytes).Problem != Platform::TFileProblem::None) {
    return "";
  }
  return HashText(bytes);
}

std::string StoryTextHash() {
  uint64_t hash = FnvStart;
  for (int i = 0; Script != nullptr && i < Script->LineCount; ++i) {
    const std::string& line = Script->Lines[static_cast<size_t>(i)];
    hash = Fnv(hash, line.data(), line.size() + 1);  // with its terminating zero: lines stay apart
  }
  return Hex16(hash);
}

bool StoryChangedSince(const TSaveGame& save) { return save.HasPlace && save.StoryText != StoryTextHash(); }

TSaveGame CaptureGame() {
  TSaveGame s;
  s.Story = StoryId;
  s.StoryText = StoryTextHash();
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
    CapturePlace(*Script, s);
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

int32_t PlaceInStory(const TSaveGame& s, std::string& why) {
  if (Script == nullptr) {
    why = "no story";
    return -1;
  }
  const TQuilScript& script = *Script;
  if (!s.HasPlace) {  // format 1: the line number, in the very story it was saved in
    if (Within(s.ScriptPosition, 0, script.LineCount)) return s.ScriptPosition;
    why = "the story's place lies outside the story";
    return -1;
  }
  // The passage: from its label to the next label (or the lines above the first label).
  int first = 0;
  if (!s.Passage.empty()) {
    first = -1;
    for (int i = 0; i < script.LineCount && first < 0; ++i) {
      if (script.Lines[static_cast<size_t>(i)] == s.Passage) first = i;
    }
    if (first < 0) {
      why = "the passage " + s.Passage + " is gone from the story";
      return -1;
    }
  }
  int end = s.Passage.empty() ? 0 : first + 1;
  while (end < script.LineCount && !TQuilScript::IsLabel(script.Lines[static_cast<size_t>(end)])) ++end;
  const int hint = s.ScriptPosition - s.PlaceNext;
  const int wanted = first + s.PlaceOffset;
  int found = -1;
  if (Within(hint, first, end - 1) && script.Lines[static_cast<size_t>(hint)] == s.PlaceText) {
    found = hint;
  } else {
    for (int i = first; i < end; ++i) {
      if (script.Lines[static_cast<size_t>(i)] != s.PlaceText) continue;
      if (found < 0 || std::abs(i - wanted) < std::abs(found - wanted)) found = i;
    }
  }
  if (found < 0) {
    why = "the line the save stood at is gone from its passage";
    return -1;
  }
  return found + s.PlaceNext;
}

std::string SaveMismatch(const TSaveGame& s) {
  // A save of format 1 names its story by the file's bytes.
  if (s.Story != StoryId && (s.HasPlace || s.Story != StoryFileId)) return "another story";
  if (std::string why = SaveRangeProblem(s); !why.empty()) return why;
  if (Script == nullptr || !Within(s.ScriptShown, 0, Script->PageSize)) return "the page lies outside the story's";
  std::string why;
  if (PlaceInStory(s, why) < 0) return why;
  return "";
}

bool RestoreGame(const TSaveGame& s) {
  if (!SaveMismatch(s).empty()) return false;
  std::string unused;
  const int32_t position = PlaceInStory(s, unused);
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
  Script->Position = position;
  Script->Ended = s.ScriptEnded;
  Script->ShownCount = s.ScriptShown;
  Script->PageFull = s.ScriptPageFull;
  RestorePaint(s.Paint);
  return true;
}
