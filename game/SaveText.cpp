// SaveText -- the save format: its table of keys, and the refusals the player reads.
#include "game/SaveText.h"

#include <iterator>

#include "game/SaveRows.h"
#include "game/UnitMain.h"
#include "script/QuilScript.h"

namespace {

using TValues = std::vector<std::string>;
using SaveValue::Escape, SaveValue::Unescape, SaveValue::HexDigit, SaveValue::ReadInt, SaveValue::ReadNumber,
    SaveValue::Words;

// A word written as it is: within length [low, high] and of these characters only.
TSaveRow WordRow(const char* key, std::string& field, const char* characters, size_t low, size_t high,
                 const char* broken) {
  TSaveRow row{.Key = key};
  row.Write = [&field] { return TValues{field}; };
  row.Read = [&field, characters, low, high, broken](const std::string& v, size_t, std::string& why) {
    if (v.size() < low || v.size() > high || v.find_first_not_of(characters) != std::string::npos) {
      why = broken;
      return false;
    }
    field = v;
    return true;
  };
  return row;
}

// The local time of the save, for the player: a short text.
TSaveRow StampRow(const char* key, std::string& field) {
  TSaveRow row = TextRow(key, field);
  row.Read = [&field](const std::string& v, size_t, std::string& why) {
    if (v.size() > 32) {
      why = "a broken date";
      return false;
    }
    return Unescape(v, field, why);
  };
  return row;
}

TSaveRow Since(int version, TSaveRow row) {
  row.Since = version;
  return row;
}

// "place NEXT OFFSET TEXT": the run goes on at the line (0) or after it (1), OFFSET lines below
// the passage's label.
TSaveRow PlaceRow(const char* key, TSaveGame& s) {
  TSaveRow row{.Key = key};
  row.Write = [&s] {
    return TValues{std::to_string(s.PlaceNext) + " " + std::to_string(s.PlaceOffset) + " " + Escape(s.PlaceText)};
  };
  row.Read = [&s](const std::string& v, size_t, std::string& why) {
    std::vector<std::string> w = Words(v, 3);
    if (w.size() != 3) {
      why = "a broken place";
      return false;
    }
    if (!ReadNumber(w[0], s.PlaceNext, 0, 1, why) || !ReadNumber(w[1], s.PlaceOffset, 0, TQuilScript::MaxLines, why)) {
      return false;
    }
    s.HasPlace = true;
    return Unescape(w[2], s.PlaceText, why);
  };
  return row;
}

// "button INDEX shown|hidden enabled|disabled TOP CAPTION", each index once.
TSaveRow ButtonsRow(const char* key, TPaintSave& p) {
  TSaveRow row{.Key = key, .Most = IdeaButtonCount};
  row.Write = [&p] {
    TValues values;
    for (size_t i = 0; i < p.Buttons.size(); ++i) {
      const TIdeaButtonSave& b = p.Buttons[i];
      values.push_back(std::to_string(i) + (b.Visible ? " shown" : " hidden") +
                       (b.Enabled ? " enabled " : " disabled ") + std::to_string(b.Top) + " " + Escape(b.Caption));
    }
    return values;
  };
  row.Read = [&p, seen = 0u](const std::string& v, size_t, std::string& why) mutable {
    std::vector<std::string> w = Words(v, 5);
    int32_t index = 0, top = 0;
    if (w.size() != 5 || !ReadInt(w[0], index) || index < 0 || index >= IdeaButtonCount ||
        (seen & (1u << index)) != 0 || (w[1] != "shown" && w[1] != "hidden") ||
        (w[2] != "enabled" && w[2] != "disabled")) {
      why = "a broken idea button";
      return false;
    }
    seen |= 1u << index;
    if (!ReadNumber(w[3], top, SavedButtonTopMin, SavedButtonTopMax, why)) return false;
    TIdeaButtonSave& b = p.Buttons[static_cast<size_t>(index)];
    b.Visible = w[1] == "shown";
    b.Enabled = w[2] == "enabled";
    b.Top = top;
    return Unescape(w[4], b.Caption, why);
  };
  return row;
}

// "flash none" or "flash R G B".
TSaveRow FlashRow(const char* key, TPaintSave& p) {
  TSaveRow row{.Key = key};
  row.Write = [&p] {
    const TPixel& c = p.FlashColor;
    return TValues{p.FlashPending ? std::to_string(c.R) + " " + std::to_string(c.G) + " " + std::to_string(c.B)
                                  : "none"};
  };
  row.Read = [&p](const std::string& v, size_t, std::string& why) {
    if (v == "none") {
      p.FlashPending = false;
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
    p.FlashPending = true;
    p.FlashColor = MakePixel(static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]), static_cast<uint8_t>(rgb[2]));
    return true;
  };
  return row;
}

// "glow white|red VX VY X Y", in the table's order.
TSaveRow GlowsRow(const char* key, TPaintSave& p) {
  TSaveRow row{.Key = key, .Most = SavedGlowCount};
  row.Write = [&p] {
    TValues values;
    for (const TGlowSave& g : p.Glows) {
      values.push_back(std::string(g.Red ? "red " : "white ") + std::to_string(g.VX) + " " + std::to_string(g.VY) +
                       " " + std::to_string(g.X) + " " + std::to_string(g.Y));
    }
    return values;
  };
  row.Read = [&p](const std::string& v, size_t index, std::string& why) {
    std::vector<std::string> w = Words(v, 5);
    TGlowSave g;
    if (index >= p.Glows.size() || w.size() != 5 || (w[0] != "white" && w[0] != "red")) {
      why = "a broken glow";
      return false;
    }
    for (auto [word, value] : {std::pair{1, &g.VX}, {2, &g.VY}, {3, &g.X}, {4, &g.Y}}) {
      if (!ReadNumber(w[static_cast<size_t>(word)], *value, -SavedGlowLimit, SavedGlowLimit, why)) return false;
    }
    g.Red = w[0] == "red";
    p.Glows[index] = g;
    return true;
  };
  return row;
}

// "thumbnail W H HEX": W x H pixels of three bytes each, in lowercase (read: either case) hex;
// no line for no picture.
TSaveRow ThumbnailRow(const char* key, TSaveGame& s) {
  TSaveRow row{.Key = key, .Exact = false};
  row.Write = [&s] {
    if (s.Thumbnail.empty()) return TValues{};
    static const char hex[] = "0123456789abcdef";
    std::string pixels;
    for (unsigned char c : s.Thumbnail) pixels += {hex[c >> 4], hex[c & 15]};
    return TValues{std::to_string(s.ThumbnailWidth) + " " + std::to_string(s.ThumbnailHeight) + " " + pixels};
  };
  row.Read = [&s](const std::string& v, size_t, std::string& why) {
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
  };
  return row;
}

// A story's identity: "farrowmere", "data-" or "story-" and 16 hex digits, or (format 1) the
// 16 hex digits of the file's hash.
constexpr char StoryCharacters[] = "0123456789abcdefghijklmnopqrstuvwxyz-";
constexpr char HashCharacters[] = "0123456789abcdef";

}  // namespace

// A key a row, in the order written (docs/saves.md lists them): a new variable is one row here.
std::vector<TSaveRow> SaveRows(TSaveGame& s) {
  TEnemy& e = s.Enemy;
  TPaintSave& p = s.Paint;
  return {
      WordRow("story", s.Story, StoryCharacters, 1, 64, "a broken story identity"),
      Since(2, WordRow("story-text", s.StoryText, HashCharacters, 16, 16, "a broken hash of the story")),
      StampRow("saved", s.SavedAt),
      FlagRow("title", s.TitleShowing),
      NumberRow("max-hp", s.MaxHP),
      NumberRow("hp", s.HP),
      NumberRow("idea", s.IdeaPower),
      TextsRow("item", s.Items, MaxItems),
      TextRow("last-item", s.LastItem),
      TextRow("encounter", s.Encounter),
      TextRow("enemy-name", e.Name),
      TextRow("enemy-kind", e.Kind),
      NumberRow("enemy-power", e.Power),
      NumberRow("enemy-loss", e.PowerLoss),
      TextRow("enemy-attack", e.AttackName),
      TextRow("enemy-drop", e.Drop),
      TextsRow("line", s.ScriptLines, MaxScriptLines),
      TextsRow("message", s.Messages, MaxMessages),
      TextRow("description", s.DescriptionTitle),
      TextsRow("description-line", s.DescriptionLines, SavedDescriptionLinesMax),
      TextRow("stone", s.StoneName),
      TextRow("chest", s.ChestItem),
      FlagRow("silver", s.SilverBurst),
      Since(2, TextRow("passage", s.Passage)),
      Since(2, PlaceRow("place", s)),
      NumberRow("script-position", s.ScriptPosition, 0, TQuilScript::MaxLines),
      FlagRow("script-ended", s.ScriptEnded),
      NumberRow("script-shown", s.ScriptShown, 0, MaxScriptLines),
      FlagRow("script-page-full", s.ScriptPageFull),
      ButtonsRow("button", p),
      NumberRow("next-button", p.NextButton, 0, IdeaButtonCount),
      FlashRow("flash", p),
      FlagRow("broken", p.Shattered),
      NumberRow("hue", p.HuePhase, 0, SavedHueMax),
      FlagRow("zooming", p.Zooming),
      FlagRow("zoomed-in", p.ZoomedIn),
      NumberRow("zoom", p.ZoomPercent, SavedZoomMin, SavedZoomMax),
      GlowsRow("glow", p),
      TextsRow("backlog", s.Backlog, SavedBacklogMax),
      ThumbnailRow("thumbnail", s),
  };
}

std::string WriteSaveText(const TSaveGame& save) {
  TSaveGame s = save;  // the rows are bound to a record they could change
  // A save read from format 1 has no place in the story and is written as it was read.
  return WriteRows(SaveRows(s), s.HasPlace ? SaveFormatVersion : 1);
}

TSaveRead ReadSaveText(const std::string& text, TSaveGame& save) {
  TSaveGame s;
  TSaveRead read = ReadRows(text, SaveRows(s));
  if (read.Problem != TSaveProblem::None) return read;
  if (std::string why = SaveRangeProblem(s); !why.empty()) {
    read.Problem = TSaveProblem::Damaged;
    read.Why = why;
    read.Reason = "値が範囲外";
    return read;
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
