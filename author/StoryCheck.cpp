// StoryCheck -- the scenario lint: labels, jumps, commands and their parameters against the
// game's table, widths in the real font, comments, the lines no run from "@start" reaches, the
// labels nothing jumps to and the idea buttons one step drops.
#include "author/StoryCheck.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <set>

#include "author/StoryFlow.h"
#include "cipher/QuilCrypt.h"
#include "paint/UnitPaint.h"
#include "platform/TextCodec.h"
#include "script/Checked.h"
#include "script/QuilScript.h"
#include "script/QuilScriptCommand.h"
#include "script/QuilString.h"

namespace Story {

namespace {

// Built by appending: GCC 12 at -O2 warns falsely (-Wrestrict) on a literal + a temporary string.
std::string Quote(const std::string& cp932) {
  std::string quoted = "\"";
  quoted += ShowText(cp932);
  return quoted + "\"";
}

// Messages are UTF-8; plain literals in this program are CP932.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string ParamCount(int n) { return std::to_string(n) + (n == 1 ? " parameter" : " parameters"); }

size_t CharacterLength(const std::string& line, size_t at) {
  return Platform::IsLeadByte(static_cast<unsigned char>(line[at])) && at + 1 < line.size() ? 2 : 1;
}

// The 1-based character column of byte offset at.
int ColumnOf(const std::string& line, size_t at) {
  int column = 1;
  for (size_t i = 0; i < at && i < line.size(); i += CharacterLength(line, i)) ++column;
  return column;
}

// True when the character just before byte offset at is a blank (or there is none).
bool BlankBefore(const std::string& line, size_t at) {
  size_t start = 0;
  size_t previous = std::string::npos;
  while (start < at) {
    previous = start;
    start += CharacterLength(line, start);
  }
  if (previous == std::string::npos) return true;
  std::string ch = line.substr(previous, at - previous);
  return ch == " " || ch == "\t" || ch == "\x81\x40";
}

// A parameter's name and kind, from the table's "name:kind" words.
struct TParam {
  std::string Name;
  std::string Kind;
};

std::vector<TParam> ParamsOf(const TCommandInfo& entry) {
  std::vector<TParam> params;
  TStringArray words = TQuilScriptCommand::SplitWords(entry.Params);
  for (const std::string& word : words) {
    size_t colon = word.find(':');
    params.push_back({word.substr(0, colon), colon == std::string::npos ? "" : word.substr(colon + 1)});
  }
  return params;
}

class TChecker {
 public:
  explicit TChecker(const TSource& source) : source_(source), flow_(source.Lines) {}

  std::vector<TDiagnostic> Run() {
    for (const TBadCharacter& bad : source_.Bad) found_.push_back({bad.Line, bad.Column, true, bad.Problem});
    CheckSize();
    CheckLabels();
    for (size_t i = 0; i < flow_.Lines.size(); ++i) CheckLine(i);
    reached_ = flow_.Reached();
    if (flow_.Labels.count("@start") != 0) {
      CheckReach();
      CheckButtons();
    }
    std::stable_sort(found_.begin(), found_.end(), [](const TDiagnostic& a, const TDiagnostic& b) {
      return a.Line != b.Line ? a.Line < b.Line : a.Column < b.Column;
    });
    return found_;
  }

 private:
  const TSource& source_;
  TStoryFlow flow_;
  std::vector<bool> reached_;
  std::vector<TDiagnostic> found_;

  int Column(size_t i, size_t word) const {
    const auto& columns = flow_.Lines[i].WordColumns;
    return word < columns.size() ? columns[word] : 1;
  }
  void Error(size_t i, size_t word, const std::string& text) {
    found_.push_back({static_cast<int>(i) + 1, Column(i, word), true, text});
  }
  void Warning(size_t i, size_t word, const std::string& text) {
    found_.push_back({static_cast<int>(i) + 1, Column(i, word), false, text});
  }

  void CheckSize() {
    const size_t count = source_.Lines.size();
    if (count > static_cast<size_t>(TQuilScript::MaxScenarioLines)) {
      found_.push_back(
          {TQuilScript::MaxScenarioLines + 1, 1, true, "more than 9,999 lines; the game holds at most 9,999"});
      return;
    }
    size_t fileLines = EncipheredLineCount(source_.Lines);
    if (fileLines > static_cast<size_t>(TQuilScript::MaxLines)) {
      found_.push_back({count == 0 ? 1 : static_cast<int>(count), 1, true,
                        "the enciphered scenario would have " + std::to_string(fileLines) +
                            " lines; the game reads at most 10,000 (about 480,000 bytes of text)"});
    }
  }

  void CheckLabels() {
    std::map<std::string, size_t> first;
    for (size_t i = 0; i < flow_.Lines.size(); ++i) {
      if (flow_.Lines[i].Kind != TLineKind::Label) continue;
      const std::string& label = flow_.Lines[i].Words[0];
      auto [at, added] = first.emplace(label, i);
      if (!added) {
        Error(i, 0,
              "label " + Quote(label) + " is already defined on line " + std::to_string(at->second + 1) +
                  "; the game refuses to load the scenario");
      }
    }
    if (first.find("@start") == first.end())
      found_.push_back({1, 1, true, "no \"@start\" label; the game starts there"});
  }

  void CheckLine(size_t i) {
    const TStoryLine& line = flow_.Lines[i];
    const std::string& raw = source_.Lines[i];
    switch (line.Kind) {
      case TLineKind::Goto:
        CheckGoto(i, line);
        break;
      case TLineKind::Command:
        CheckCommand(i, line);
        break;
      case TLineKind::Text:
        CheckText(i, line);
        break;
      default:
        break;
    }
    size_t comment = TQuilString::Find(raw, "//");
    if (comment != std::string::npos && !BlankBefore(raw, comment)) {
      found_.push_back({static_cast<int>(i) + 1, ColumnOf(raw, comment), false,
                        "\"//\" starts a comment inside the text; " + Quote(raw.substr(comment)) + " is dropped"});
    }
  }

  void CheckGoto(size_t i, const TStoryLine& line) {
    if (line.Words.size() < 2) {
      Error(i, 0, Quote(line.Words[0]) + " has no target label; the scenario stops here");
      return;
    }
    const std::string& target = line.Words[1];
    if (!TQuilScript::IsLabel(target)) {
      Error(i, 1, Quote(line.Words[0]) + " target " + Quote(target) + " is not a label (labels begin with \"@\")");
    } else if (flow_.Labels.find(target) == flow_.Labels.end()) {
      Error(i, 1, Quote(line.Words[0]) + " target " + Quote(target) + " does not exist");
    }
  }

  void CheckCommand(size_t i, const TStoryLine& line) {
    const TCommandInfo& entry = *line.Command;
    const int params = static_cast<int>(line.Words.size()) - 1;
    if (params < entry.MinParams || params > entry.MaxParams) {
      std::string wanted = entry.MinParams == entry.MaxParams
                               ? ParamCount(entry.MinParams)
                               : std::to_string(entry.MinParams) + " to " + ParamCount(entry.MaxParams);
      Error(i, 0, Quote(line.Words[0]) + " takes " + wanted + ", not " + std::to_string(params));
      return;
    }
    std::vector<TParam> kinds = ParamsOf(entry);
    for (size_t n = 0; n < kinds.size() && n + 1 < line.Words.size(); ++n) {
      const std::string& word = line.Words[n + 1];
      const std::string what = Quote(line.Words[0]) + " " + kinds[n].Name + " " + Quote(word);
      if (kinds[n].Kind == "number") {
        try {
          Checked::StrToInt(word);
        } catch (const std::exception&) {
          Error(i, n + 1, what + " is not a decimal integer; the game stops with a conversion error");
        }
      } else if (kinds[n].Kind == "item" && (TQuilString::Find(word, "【") != std::string::npos ||
                                             TQuilString::Find(word, "】") != std::string::npos)) {
        Warning(i, n + 1,
                what + Utf8(u8" is written in brackets; the game adds 【】 itself and would show ") +
                    Quote("【" + word + "】"));
      }
    }
  }

  void CheckText(size_t i, const TStoryLine& line) {
    const std::string& head = line.Words[0];
    if (!head.empty() && head[0] == '#') {
      Warning(i, 0, Quote(head) + " names no command; the line is shown as story text");
    }
    CheckWidth(i);
  }

  // Trailing blanks do not show; the first character whose right edge passes the column is
  // where the line overflows.
  void CheckWidth(size_t i) {
    std::string text = RemoveComment(source_.Lines[i]);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.pop_back();
    int width = ScriptLineWidth(text);
    if (width <= ScriptColumnWidth) return;
    size_t end = 0;
    while (end < text.size()) {
      size_t next = end + CharacterLength(text, end);
      if (ScriptLineWidth(text.substr(0, next)) > ScriptColumnWidth) break;
      end = next;
    }
    found_.push_back({static_cast<int>(i) + 1, ColumnOf(text, end), false,
                      "story line is " + std::to_string(width) + " pixels wide; the text column holds " +
                          std::to_string(ScriptColumnWidth) + " (from x = " + std::to_string(ScriptLineLeft) +
                          " to the play area's edge)"});
  }

  // One warning per stretch of unreached lines, blank lines not counted. A stretch that begins
  // with a label is a passage no run jumps to; a label that a run falls into is the passage's
  // name (a reload keeps the place by it, --warp starts there) and needs no jump.
  void CheckReach() {
    const auto& lines = flow_.Lines;
    for (size_t i = 0; i < lines.size();) {
      if (reached_[i] || lines[i].Kind == TLineKind::Blank) {
        ++i;
        continue;
      }
      size_t last = i;
      size_t j = i;
      for (; j < lines.size() && !reached_[j]; ++j) {
        if (lines[j].Kind != TLineKind::Blank) last = j;
      }
      std::string which = last == i ? "line " + std::to_string(i + 1)
                                    : "lines " + std::to_string(i + 1) + "-" + std::to_string(last + 1);
      std::string label =
          lines[i].Kind == TLineKind::Label ? "label " + Quote(lines[i].Words[0]) + " is never jumped to; " : "";
      Warning(i, 0, label + which + " cannot be reached from \"@start\"");
      i = j;
    }
  }

  // The idea buttons the commands of one step can drop, from where a step starts (after a
  // story line, at "@start", at "@HEART", where a burst steps on) to the next story line; the
  // most along any path, reported at the command that drops the sixth.
  void CheckButtons() {
    std::set<size_t> reported;
    std::vector<size_t> starts;
    for (const char* label : {"@start", HeartLabel}) {
      auto at = flow_.Labels.find(label);
      if (at != flow_.Labels.end()) starts.push_back(at->second);
    }
    for (size_t i = 0; i + 1 < flow_.Lines.size(); ++i) {
      if (reached_[i] && flow_.Lines[i].Kind == TLineKind::Text) starts.push_back(i + 1);
    }
    for (size_t start : starts) {
      std::map<size_t, int> best;  // the most buttons dropped before reaching a line
      std::vector<std::pair<size_t, int>> pending{{start, 0}};
      while (!pending.empty()) {
        auto [i, count] = pending.back();
        pending.pop_back();
        auto seen = best.find(i);
        if (seen != best.end() && seen->second >= count) continue;
        best[i] = count;
        const TStoryLine& line = flow_.Lines[i];
        if (line.Kind == TLineKind::Text) continue;  // the step ends here
        for (const TFlowStep& step : flow_.Next(i)) {
          // "#xxwonder" drops its button only when it does not jump; a burst's jump is a click.
          if (step.Kind == TEdge::Heart) continue;
          int after = count;
          if (line.Kind == TLineKind::Command && step.Kind != TEdge::Wonder) after += line.Command->Buttons;
          if (after > FallingButtons && count <= FallingButtons && reported.insert(i).second) {
            Warning(i, 0,
                    "this step can drop " + std::to_string(after) + " idea buttons; only " +
                        std::to_string(FallingButtons) + " fall, the rest are lost");
          }
          pending.push_back({step.To, std::min(after, FallingButtons + 1)});
        }
      }
    }
  }
};

}  // namespace

std::vector<TDiagnostic> CheckScenario(const TSource& source) { return TChecker(source).Run(); }

bool PrintDiagnostics(const std::string& path, const std::vector<TDiagnostic>& found, std::ostream& out) {
  bool anyError = false;
  for (const TDiagnostic& d : found) {
    out << path << ":" << d.Line << ":" << d.Column << ": " << (d.IsError ? "error: " : "warning: ") << d.Text << "\n";
    anyError = anyError || d.IsError;
  }
  return anyError;
}

int Check(const std::string& path, bool isCp932) {
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) {
    std::cerr << "farrow-story: cannot read " << path << ": " << error << "\n";
    return 1;
  }
  return PrintDiagnostics(path, CheckScenario(ConvertSource(bytes, isCp932)), std::cout) ? 1 : 0;
}

size_t EncipheredLineCount(std::span<const std::string> lines) {
  size_t plainBytes = TQuilCrypt::CheckPrefix.size() + TQuilCrypt::SymbolsPerBlock + 2;
  for (const std::string& line : lines) plainBytes += line.size() + 2;  // CR LF
  return 1 + (plainBytes + TQuilCrypt::BlockSize - 1) / TQuilCrypt::BlockSize;
}

}  // namespace Story
