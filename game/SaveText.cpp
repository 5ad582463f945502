// SaveText -- writing and reading the save format.
#include "game/SaveText.h"

#include <charconv>
#include <climits>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "game/UnitMain.h"
#include "platform/TextCodec.h"
#include "script/QuilScript.h"

namespace {

constexpr char Magic[] = "farrowmere-save";

// ---- Values -----------------------------------------------------------------------------------

// The game's text as UTF-8; '%', control characters and DEL as %XX. Text that does not come
// back from UTF-8 byte for byte is written as %XX throughout, so every save reads back exactly.
std::string EncodeText(const std::string& cp932) {
  std::string utf8 = Platform::Cp932ToUtf8(cp932), back;
  size_t bad = 0;
  const bool exact = Platform::Utf8ToCp932(utf8, back, bad) && back == cp932;
  const std::string& from = exact ? utf8 : cp932;
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : from) {
    if (!exact || c < 0x20 || c == 0x7F || c == '%') {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool DecodeText(const std::string& value, std::string& cp932, std::string& why) {
  cp932.clear();
  std::string run;  // UTF-8 not yet converted
  auto flush = [&]() {
    std::string part;
    size_t bad = 0;
    if (!Platform::Utf8ToCp932(run, part, bad)) return false;
    cp932 += part;
    run.clear();
    return true;
  };
  for (size_t i = 0; i < value.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    if (c < 0x20 || c == 0x7F) {
      why = "a control character in a text";
      return false;
    }
    if (c != '%') {
      run += static_cast<char>(c);
      continue;
    }
    const bool whole = i + 2 < value.size();
    const int high = whole ? HexDigit(value[i + 1]) : -1;
    const int low = whole ? HexDigit(value[i + 2]) : -1;
    if (high < 0 || low < 0) {
      why = "a broken %XX escape";
      return false;
    }
    if (!flush()) {
      why = "a text the game cannot show";
      return false;
    }
    cp932 += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (!flush()) {
    why = "a text the game cannot show";
    return false;
  }
  if (cp932.size() > SavedTextMax) {
    why = "a text longer than " + std::to_string(SavedTextMax) + " bytes";
    return false;
  }
  return true;
}

std::string Flag(bool value) { return value ? "yes" : "no"; }

bool ReadFlag(const std::string& text, bool& value) {
  if (text != "yes" && text != "no") return false;
  value = text == "yes";
  return true;
}

bool ReadInt(const std::string& text, int32_t& value) {
  if (text.empty() || text.size() > 11) return false;
  const char* first = text.data();
  if (*first == '+') return false;
  auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// The words of a value, split at single blanks; the last takes the rest of the line.
std::vector<std::string> Words(const std::string& value, size_t count) {
  std::vector<std::string> words;
  size_t at = 0;
  while (words.size() + 1 < count) {
    size_t space = value.find(' ', at);
    if (space == std::string::npos) break;
    words.push_back(value.substr(at, space - at));
    at = space + 1;
  }
  words.push_back(value.substr(at));
  return words;
}

// ---- The fields ---------------------------------------------------------------------------------

// One key of the format: how it is read into the record. once: the key must come exactly once;
// else it may repeat up to limit times (and exactly limit times when exact).
struct TField {
  bool Once = true;
  size_t Limit = 1;
  bool Exact = false;
  std::function<bool(const std::string& value, TSaveGame& s, std::string& why)> Read;
};

auto Text(std::string TSaveGame::* member) {
  return [member](const std::string& v, TSaveGame& s, std::string& why) { return DecodeText(v, s.*member, why); };
}
auto TextInto(std::string TEnemy::* member) {
  return [member](const std::string& v, TSaveGame& s, std::string& why) { return DecodeText(v, s.Enemy.*member, why); };
}
auto AddText(std::vector<std::string> TSaveGame::* member) {
  return [member](const std::string& v, TSaveGame& s, std::string& why) {
    std::string text;
    if (!DecodeText(v, text, why)) return false;
    (s.*member).push_back(text);
    return true;
  };
}
// A whole number within [low, high]; a refusal out of range says so first ("out of range").
bool ReadNumber(const std::string& v, int32_t& value, int32_t low, int32_t high, std::string& why) {
  int32_t read = 0;
  if (!ReadInt(v, read)) {
    why = "not a whole number: " + v.substr(0, 40);
    return false;
  }
  if (read < low || read > high) {
    why = "out of range: " + v + " (" + std::to_string(low) + " .. " + std::to_string(high) + ")";
    return false;
  }
  value = read;
  return true;
}

constexpr int32_t AnyLow = INT32_MIN, AnyHigh = INT32_MAX;

template <typename TMember>
auto Number(TMember member, int32_t low = AnyLow, int32_t high = AnyHigh) {
  return [member, low, high](const std::string& v, TSaveGame& s, std::string& why) {
    return ReadNumber(v, s.*member, low, high, why);
  };
}
auto EnemyNumber(int32_t TEnemy::* member) {
  return [member](const std::string& v, TSaveGame& s, std::string& why) {
    if (ReadInt(v, s.Enemy.*member)) return true;
    why = "not a whole number: " + v;
    return false;
  };
}
auto YesNo(bool TSaveGame::* member) {
  return [member](const std::string& v, TSaveGame& s, std::string& why) {
    if (ReadFlag(v, s.*member)) return true;
    why = "yes or no expected";
    return false;
  };
}
auto PaintYesNo(bool TPaintSave::* member) {
  return [member](const std::string& v, TSaveGame& s, std::string& why) {
    if (ReadFlag(v, s.Paint.*member)) return true;
    why = "yes or no expected";
    return false;
  };
}
auto PaintNumber(int32_t TPaintSave::* member, int32_t low, int32_t high) {
  return [member, low, high](const std::string& v, TSaveGame& s, std::string& why) {
    return ReadNumber(v, s.Paint.*member, low, high, why);
  };
}

// "button INDEX shown|hidden enabled|disabled TOP CAPTION", each index once.
bool ReadButton(const std::string& v, TSaveGame& s, std::string& why, std::set<int32_t>& seen) {
  std::vector<std::string> w = Words(v, 5);
  int32_t index = 0, top = 0;
  if (w.size() != 5 || !ReadInt(w[0], index) || index < 0 || index >= IdeaButtonCount || !seen.insert(index).second ||
      (w[1] != "shown" && w[1] != "hidden") || (w[2] != "enabled" && w[2] != "disabled")) {
    why = "a broken idea button";
    return false;
  }
  if (!ReadNumber(w[3], top, SavedButtonTopMin, SavedButtonTopMax, why)) return false;
  TIdeaButtonSave& b = s.Paint.Buttons[static_cast<size_t>(index)];
  b.Visible = w[1] == "shown";
  b.Enabled = w[2] == "enabled";
  b.Top = top;
  return DecodeText(w[4], b.Caption, why);
}

// "glow white|red VX VY X Y", in the table's order.
bool ReadGlow(const std::string& v, TSaveGame& s, std::string& why, size_t index) {
  std::vector<std::string> w = Words(v, 5);
  TGlowSave g;
  if (index >= s.Paint.Glows.size() || w.size() != 5 || (w[0] != "white" && w[0] != "red")) {
    why = "a broken glow";
    return false;
  }
  for (auto [word, value] : {std::pair{1, &g.VX}, {2, &g.VY}, {3, &g.X}, {4, &g.Y}}) {
    if (!ReadNumber(w[static_cast<size_t>(word)], *value, -SavedGlowLimit, SavedGlowLimit, why)) return false;
  }
  g.Red = w[0] == "red";
  s.Paint.Glows[index] = g;
  return true;
}

// "flash none" or "flash R G B".
bool ReadFlash(const std::string& v, TSaveGame& s, std::string& why) {
  if (v == "none") {
    s.Paint.FlashPending = false;
    return true;
  }
  std::vector<std::string> w = Words(v, 3);
  int32_t rgb[3] = {};
  for (size_t i = 0; i < 3; ++i) {
    if (w.size() != 3 || !ReadInt(w[i], rgb[i]) || rgb[i] < 0 || rgb[i] > 255) {
      why = "a broken flash";
      return false;
    }
  }
  s.Paint.FlashPending = true;
  s.Paint.FlashColor =
      MakePixel(static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]), static_cast<uint8_t>(rgb[2]));
  return true;
}

// "thumbnail W H HEX": W x H pixels of three bytes each, in lowercase or uppercase hex.
bool ReadThumbnail(const std::string& v, TSaveGame& s, std::string& why) {
  std::vector<std::string> w = Words(v, 3);
  int32_t width = 0, height = 0;
  if (w.size() != 3 || !ReadInt(w[0], width) || !ReadInt(w[1], height) || width < 1 || height < 1 ||
      width > SavedThumbnailMax || height > SavedThumbnailMax ||
      w[2].size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 6) {
    why = "a broken thumbnail";
    return false;
  }
  std::string pixels(w[2].size() / 2, '\0');
  for (size_t i = 0; i < pixels.size(); ++i) {
    const int high = HexDigit(w[2][2 * i]), low = HexDigit(w[2][2 * i + 1]);
    if (high < 0 || low < 0) {
      why = "a broken thumbnail";
      return false;
    }
    pixels[i] = static_cast<char>(high * 16 + low);
  }
  s.ThumbnailWidth = width;
  s.ThumbnailHeight = height;
  s.Thumbnail = std::move(pixels);
  return true;
}

// A story's identity: "farrowmere", "data-" or "story-" and 16 hex digits, or (format 1) the
// 16 hex digits of the file's hash.
bool ReadStory(const std::string& v, TSaveGame& s, std::string& why) {
  if (v.empty() || v.size() > 64 || v.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz-") != std::string::npos) {
    why = "a broken story identity";
    return false;
  }
  s.Story = v;
  return true;
}

bool ReadStoryText(const std::string& v, TSaveGame& s, std::string& why) {
  if (v.size() != 16 || v.find_first_not_of("0123456789abcdef") != std::string::npos) {
    why = "a broken hash of the story";
    return false;
  }
  s.StoryText = v;
  return true;
}

// "place NEXT OFFSET TEXT": the run goes on at the line (0) or after it (1), OFFSET lines below
// the passage's label.
bool ReadPlace(const std::string& v, TSaveGame& s, std::string& why) {
  std::vector<std::string> w = Words(v, 3);
  if (w.size() != 3) {
    why = "a broken place";
    return false;
  }
  if (!ReadNumber(w[0], s.PlaceNext, 0, 1, why) || !ReadNumber(w[1], s.PlaceOffset, 0, TQuilScript::MaxLines, why)) {
    return false;
  }
  s.HasPlace = true;
  return DecodeText(w[2], s.PlaceText, why);
}

bool ReadStamp(const std::string& v, TSaveGame& s, std::string& why) {
  if (v.size() > 32) {
    why = "a broken date";
    return false;
  }
  return DecodeText(v, s.SavedAt, why);
}

}  // namespace

std::string WriteSaveText(const TSaveGame& s) {
  std::ostringstream out;
  auto line = [&out](const std::string& key, const std::string& value) { out << key << ' ' << value << '\n'; };
  auto text = [&](const std::string& key, const std::string& value) { line(key, EncodeText(value)); };
  // A save read from format 1 has no place in the story and is written as it was read.
  out << Magic << ' ' << (s.HasPlace ? SaveFormatVersion : 1) << '\n';
  line("story", s.Story);
  if (s.HasPlace) line("story-text", s.StoryText);
  text("saved", s.SavedAt);
  line("title", Flag(s.TitleShowing));
  line("max-hp", std::to_string(s.MaxHP));
  line("hp", std::to_string(s.HP));
  line("idea", std::to_string(s.IdeaPower));
  for (const std::string& item : s.Items) text("item", item);
  text("last-item", s.LastItem);
  text("encounter", s.Encounter);
  text("enemy-name", s.Enemy.Name);
  text("enemy-kind", s.Enemy.Kind);
  line("enemy-power", std::to_string(s.Enemy.Power));
  line("enemy-loss", std::to_string(s.Enemy.PowerLoss));
  text("enemy-attack", s.Enemy.AttackName);
  text("enemy-drop", s.Enemy.Drop);
  for (const std::string& l : s.ScriptLines) text("line", l);
  for (const std::string& m : s.Messages) text("message", m);
  text("description", s.DescriptionTitle);
  for (const std::string& l : s.DescriptionLines) text("description-line", l);
  text("stone", s.StoneName);
  text("chest", s.ChestItem);
  line("silver", Flag(s.SilverBurst));
  if (s.HasPlace) {
    text("passage", s.Passage);
    line("place", std::to_string(s.PlaceNext) + " " + std::to_string(s.PlaceOffset) + " " + EncodeText(s.PlaceText));
  }
  line("script-position", std::to_string(s.ScriptPosition));
  line("script-ended", Flag(s.ScriptEnded));
  line("script-shown", std::to_string(s.ScriptShown));
  line("script-page-full", Flag(s.ScriptPageFull));
  const TPaintSave& p = s.Paint;
  for (size_t i = 0; i < p.Buttons.size(); ++i) {
    const TIdeaButtonSave& b = p.Buttons[i];
    line("button", std::to_string(i) + (b.Visible ? " shown" : " hidden") + (b.Enabled ? " enabled " : " disabled ") +
                       std::to_string(b.Top) + " " + EncodeText(b.Caption));
  }
  line("next-button", std::to_string(p.NextButton));
  line("flash", p.FlashPending ? std::to_string(p.FlashColor.R) + " " + std::to_string(p.FlashColor.G) + " " +
                                     std::to_string(p.FlashColor.B)
                               : "none");
  line("broken", Flag(p.Shattered));
  line("hue", std::to_string(p.HuePhase));
  line("zooming", Flag(p.Zooming));
  line("zoomed-in", Flag(p.ZoomedIn));
  line("zoom", std::to_string(p.ZoomPercent));
  for (const TGlowSave& g : p.Glows) {
    line("glow", std::string(g.Red ? "red " : "white ") + std::to_string(g.VX) + " " + std::to_string(g.VY) + " " +
                     std::to_string(g.X) + " " + std::to_string(g.Y));
  }
  for (const std::string& l : s.Backlog) text("backlog", l);
  if (!s.Thumbnail.empty()) {
    static const char hex[] = "0123456789abcdef";
    std::string pixels;
    for (unsigned char c : s.Thumbnail) pixels += {hex[c >> 4], hex[c & 15]};
    line("thumbnail", std::to_string(s.ThumbnailWidth) + " " + std::to_string(s.ThumbnailHeight) + " " + pixels);
  }
  out << "end\n";
  return out.str();
}

TSaveRead ReadSaveText(const std::string& text, TSaveGame& save) {
  TSaveRead read;
  auto fail = [&read](TSaveProblem problem, int line, const std::string& why, const std::string& reason = "") {
    read.Problem = problem;
    read.Line = line;
    read.Why = why;
    read.Reason = reason;
    return read;
  };
  if (text.size() > SaveTextMax) {
    return fail(TSaveProblem::TooLarge, 0, "larger than " + std::to_string(SaveTextMax) + " bytes");
  }
  std::istringstream in(text);
  std::string line;
  int number = 1;
  const std::string magic = std::string(Magic) + " ";
  if (!std::getline(in, line) || line.rfind(magic, 0) != 0) return fail(TSaveProblem::NotASave, 1, "not a save");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  int32_t version = 0;
  if (!ReadInt(line.substr(magic.size()), version) || version < 1) {
    return fail(TSaveProblem::NotASave, 1, "not a save");
  }
  if (version > SaveFormatVersion) {
    return fail(TSaveProblem::UnknownVersion, 1,
                "format " + std::to_string(version) + ", this version reads " + std::to_string(SaveFormatVersion));
  }

  std::set<int32_t> buttonsSeen;
  size_t glows = 0;
  std::map<std::string, TField> fields = {
      {"story", {true, 1, false, ReadStory}},
      {"story-text", {false, 1, false, ReadStoryText}},
      {"saved", {true, 1, false, ReadStamp}},
      {"title", {true, 1, false, YesNo(&TSaveGame::TitleShowing)}},
      {"max-hp", {true, 1, false, Number(&TSaveGame::MaxHP)}},
      {"hp", {true, 1, false, Number(&TSaveGame::HP)}},
      {"idea", {true, 1, false, Number(&TSaveGame::IdeaPower)}},
      {"item", {false, MaxItems, false, AddText(&TSaveGame::Items)}},
      {"last-item", {true, 1, false, Text(&TSaveGame::LastItem)}},
      {"encounter", {true, 1, false, Text(&TSaveGame::Encounter)}},
      {"enemy-name", {true, 1, false, TextInto(&TEnemy::Name)}},
      {"enemy-kind", {true, 1, false, TextInto(&TEnemy::Kind)}},
      {"enemy-power", {true, 1, false, EnemyNumber(&TEnemy::Power)}},
      {"enemy-loss", {true, 1, false, EnemyNumber(&TEnemy::PowerLoss)}},
      {"enemy-attack", {true, 1, false, TextInto(&TEnemy::AttackName)}},
      {"enemy-drop", {true, 1, false, TextInto(&TEnemy::Drop)}},
      {"line", {false, MaxScriptLines, false, AddText(&TSaveGame::ScriptLines)}},
      {"message", {false, MaxMessages, false, AddText(&TSaveGame::Messages)}},
      {"description", {true, 1, false, Text(&TSaveGame::DescriptionTitle)}},
      {"description-line", {false, SavedDescriptionLinesMax, false, AddText(&TSaveGame::DescriptionLines)}},
      {"stone", {true, 1, false, Text(&TSaveGame::StoneName)}},
      {"chest", {true, 1, false, Text(&TSaveGame::ChestItem)}},
      {"silver", {true, 1, false, YesNo(&TSaveGame::SilverBurst)}},
      {"passage", {false, 1, false, Text(&TSaveGame::Passage)}},
      {"place", {false, 1, false, ReadPlace}},
      {"script-position", {true, 1, false, Number(&TSaveGame::ScriptPosition, 0, TQuilScript::MaxLines)}},
      {"script-ended", {true, 1, false, YesNo(&TSaveGame::ScriptEnded)}},
      {"script-shown", {true, 1, false, Number(&TSaveGame::ScriptShown, 0, MaxScriptLines)}},
      {"script-page-full", {true, 1, false, YesNo(&TSaveGame::ScriptPageFull)}},
      {"button",
       {false, IdeaButtonCount, true,
        [&buttonsSeen](const std::string& v, TSaveGame& s, std::string& why) {
          return ReadButton(v, s, why, buttonsSeen);
        }}},
      {"next-button", {true, 1, false, PaintNumber(&TPaintSave::NextButton, 0, IdeaButtonCount)}},
      {"flash", {true, 1, false, ReadFlash}},
      {"broken", {true, 1, false, PaintYesNo(&TPaintSave::Shattered)}},
      {"hue", {true, 1, false, PaintNumber(&TPaintSave::HuePhase, 0, SavedHueMax)}},
      {"zooming", {true, 1, false, PaintYesNo(&TPaintSave::Zooming)}},
      {"zoomed-in", {true, 1, false, PaintYesNo(&TPaintSave::ZoomedIn)}},
      {"zoom", {true, 1, false, PaintNumber(&TPaintSave::ZoomPercent, SavedZoomMin, SavedZoomMax)}},
      {"glow",
       {false, SavedGlowCount, true,
        [&glows](const std::string& v, TSaveGame& s, std::string& why) { return ReadGlow(v, s, why, glows++); }}},
      {"backlog", {false, SavedBacklogMax, false, AddText(&TSaveGame::Backlog)}},
      {"thumbnail", {false, 1, false, ReadThumbnail}},
  };

  // Format 2 and later say where in the story they stand; format 1 knows no such keys.
  for (const char* key : {"story-text", "passage", "place"}) {
    if (version >= 2) {
      fields.at(key).Once = true;
    } else {
      fields.erase(key);
    }
  }
  TSaveGame s;
  std::map<std::string, size_t> counts;
  bool ended = false;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (ended) return fail(TSaveProblem::Damaged, number, "text after the end", "end の後に続きがあります");
    if (line == "end") {
      ended = true;
      continue;
    }
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    auto field = fields.find(key);
    // The key is named as the file spells it: ASCII, shown only when known.
    if (field == fields.end()) {
      return fail(TSaveProblem::Damaged, number, "unknown key '" + key.substr(0, 40) + "'", "知らない項目です");
    }
    if (++counts[key] > field->second.Limit) {
      return fail(TSaveProblem::Damaged, number, "too many '" + key + "'", key + " が多すぎます");
    }
    std::string why;
    if (!field->second.Read(value, s, why)) {
      const bool range = why.rfind("out of range", 0) == 0;
      return fail(TSaveProblem::Damaged, number, why.insert(0, key + ": "),
                  key + (range ? " の値が範囲外" : " の値が読めません"));
    }
  }
  if (!ended) return fail(TSaveProblem::Damaged, number + 1, "cut short: no end line", "途中で切れています");
  for (const auto& [key, field] : fields) {
    const size_t count = counts[key];
    if ((field.Once || field.Exact) && count != field.Limit) {
      return fail(TSaveProblem::Damaged, 0, "'" + key + "' missing or short", key + " が足りません");
    }
  }
  if (std::string why = SaveRangeProblem(s); !why.empty()) {
    return fail(TSaveProblem::Damaged, 0, why, "値が範囲外");
  }
  save = std::move(s);
  return read;
}

std::string SaveRefusalText(const std::string& slotName, const TSaveRead& read) {
  // What the player reads for each problem, in the enum's order.
  static constexpr const char* kWhat[] = {
      "",                          // None
      "空です",                    // Missing
      "読めません",                // Unreadable
      "大きすぎるので読みません",  // TooLarge
      "セーブではありません",      // NotASave
      "この版の知らない形式です",  // UnknownVersion
      "壊れています",              // Damaged
      "別の物語のセーブです",      // OtherStory
      "この物語に合いません",      // Unfit
  };
  static_assert(std::size(kWhat) == static_cast<size_t>(TSaveProblem::Unfit) + 1, "one text a problem");
  if (read.Problem == TSaveProblem::None) return "";
  std::string what = kWhat[static_cast<size_t>(read.Problem)];
  if (read.Line > 0 && !read.Reason.empty()) {
    what += "（" + std::to_string(read.Line) + " 行目：" + read.Reason + "）";
  } else if (read.Line > 0) {
    what += "（" + std::to_string(read.Line) + " 行目）";
  } else if (!read.Reason.empty()) {
    what += "（" + read.Reason + "）";
  }
  return "セーブ " + slotName + "：" + what;
}
