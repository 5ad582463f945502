// StoryCheck -- the scenario lint: labels, jumps, commands against the game's table, widths,
// comments and the lines no run from "@start" reaches.
#include "tools/story/StoryCheck.h"

#include <algorithm>
#include <iostream>
#include <map>

#include "game/CommandTable.h"
#include "platform/TextCodec.h"
#include "script/Checked.h"
#include "script/QuilScript.h"
#include "script/QuilScriptCommand.h"
#include "script/QuilString.h"
#include "tools/story/StoryCodec.h"

namespace Story {

namespace {

enum class TKind { Blank, Label, End, Goto, Command, Text };

struct TLine {
  TKind Kind = TKind::Blank;
  TStringArray Words;
  const TCommandInfo* Command = nullptr;
};

// The commands whose handlers read a parameter as a decimal integer; anything else stops the
// game with a conversion error.
struct TNumberParam {
  const char* Command;
  size_t Word;
  const char* Meaning;
};
const TNumberParam NumberParams[] = {{"#xxenemy", 3, "power"}, {"#poison", 1, "damage"}};

// Labels the game jumps to from a command handler or an idea burst, not from a "#goto".
const char* const WonderLabel = "@REAL";
const char* const HeartLabel = "@HEART";

std::string RemoveComment(const std::string& line) {
  size_t at = TQuilString::Find(line, "//");
  return at == std::string::npos ? line : line.substr(0, at);
}

// Decides the kind of a line the way the loader and the run loop do: "#end" and "#goto" before
// the commands, every command of the game's table registered.
TLine Classify(const std::string& raw) {
  TLine info;
  std::string line = RemoveComment(raw);
  if (line.empty()) return info;
  info.Words = TQuilScriptCommand::SplitWords(line);
  const std::string& head = info.Words[0];
  if (TQuilScript::IsLabel(head)) {
    info.Kind = TKind::Label;
  } else if (TQuilString::SameText(head, "#end")) {
    info.Kind = TKind::End;
  } else if (TQuilString::SameText(head, "#goto")) {
    info.Kind = TKind::Goto;
  } else {
    info.Kind = TKind::Text;
    for (const TCommandInfo& entry : CommandTable) {
      if (TQuilString::SameText(head, entry.Name)) {
        info.Kind = TKind::Command;
        info.Command = &entry;
        break;
      }
    }
  }
  return info;
}

// Built by appending: GCC 12 at -O2 warns falsely (-Wrestrict) on a literal + a temporary string.
std::string Quote(const std::string& cp932) {
  std::string quoted = "\"";
  quoted += ShowText(cp932);
  return quoted + "\"";
}

std::string ParamCount(int n) { return std::to_string(n) + (n == 1 ? " parameter" : " parameters"); }

// Width as drawn: trailing blanks do not show.
size_t ShownWidth(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && static_cast<unsigned char>(line[end - 1]) <= 0x20) --end;
  return end;
}

// True when the character just before byte offset at is a blank (or there is none).
bool BlankBefore(const std::string& line, size_t at) {
  size_t start = 0;
  size_t previous = std::string::npos;
  while (start < at) {
    previous = start;
    start += Platform::IsLeadByte(static_cast<unsigned char>(line[start])) ? 2 : 1;
  }
  if (previous == std::string::npos) return true;
  std::string ch = line.substr(previous, at - previous);
  return ch == " " || ch == "\t" || ch == "\x81\x40";
}

class TChecker {
 public:
  explicit TChecker(const TSource& source) : source_(source) {
    for (const std::string& raw : source.Lines) lines_.push_back(Classify(raw));
  }

  std::vector<TDiagnostic> Run() {
    for (const TBadCharacter& bad : source_.Bad) ErrorOnLine(bad.Line, BadCharacterText(bad));
    CheckSize();
    CollectLabels();
    for (size_t i = 0; i < lines_.size(); ++i) CheckLine(i);
    CheckReach();
    std::stable_sort(found_.begin(), found_.end(),
                     [](const TDiagnostic& a, const TDiagnostic& b) { return a.Line < b.Line; });
    return found_;
  }

 private:
  const TSource& source_;
  std::vector<TLine> lines_;
  std::map<std::string, size_t> labels_;  // label -> index of its first line
  std::vector<TDiagnostic> found_;

  void Error(size_t index, const std::string& text) { found_.push_back({static_cast<int>(index) + 1, true, text}); }
  void Warning(size_t index, const std::string& text) { found_.push_back({static_cast<int>(index) + 1, false, text}); }
  void ErrorOnLine(int line, const std::string& text) { found_.push_back({line, true, text}); }

  void CheckSize() {
    const size_t count = lines_.size();
    if (count > static_cast<size_t>(TQuilScript::MaxScenarioLines)) {
      ErrorOnLine(TQuilScript::MaxScenarioLines + 1, "more than 9,999 lines; the game holds at most 9,999");
      return;
    }
    size_t fileLines = EncipheredLineCount(source_.Lines);
    if (fileLines > static_cast<size_t>(TQuilScript::MaxLines)) {
      ErrorOnLine(count == 0 ? 1 : static_cast<int>(count),
                  "the enciphered scenario would have " + std::to_string(fileLines) +
                      " lines; the game reads at most 10,000 (about 480,000 bytes of text)");
    }
  }

  void CollectLabels() {
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (lines_[i].Kind != TKind::Label) continue;
      const std::string& label = lines_[i].Words[0];
      auto [at, added] = labels_.emplace(label, i);
      if (!added) {
        Error(i, "label " + Quote(label) + " is already defined on line " + std::to_string(at->second + 1) +
                     "; the game refuses to load the scenario");
      }
    }
    if (labels_.find("@start") == labels_.end()) ErrorOnLine(1, "no \"@start\" label; the game starts there");
  }

  void CheckLine(size_t i) {
    const TLine& line = lines_[i];
    const std::string& raw = source_.Lines[i];
    switch (line.Kind) {
      case TKind::Goto:
        CheckGoto(i, line);
        break;
      case TKind::Command:
        CheckCommand(i, line);
        break;
      case TKind::Text:
        CheckText(i, line);
        break;
      default:
        break;
    }
    size_t comment = TQuilString::Find(raw, "//");
    if (comment != std::string::npos && !BlankBefore(raw, comment)) {
      Warning(i, "\"//\" starts a comment inside the text; " + Quote(raw.substr(comment)) + " is dropped");
    }
  }

  void CheckGoto(size_t i, const TLine& line) {
    if (line.Words.size() < 2) {
      Error(i, Quote(line.Words[0]) + " has no target label; the scenario stops here");
      return;
    }
    const std::string& target = line.Words[1];
    if (!TQuilScript::IsLabel(target)) {
      Error(i, Quote(line.Words[0]) + " target " + Quote(target) + " is not a label (labels begin with \"@\")");
    } else if (labels_.find(target) == labels_.end()) {
      Error(i, Quote(line.Words[0]) + " target " + Quote(target) + " does not exist");
    }
  }

  void CheckCommand(size_t i, const TLine& line) {
    const TCommandInfo& entry = *line.Command;
    const int params = static_cast<int>(line.Words.size()) - 1;
    if (params < entry.MinParams || params > entry.MaxParams) {
      std::string wanted = entry.MinParams == entry.MaxParams
                               ? ParamCount(entry.MinParams)
                               : std::to_string(entry.MinParams) + " to " + ParamCount(entry.MaxParams);
      Error(i, Quote(line.Words[0]) + " takes " + wanted + ", not " + std::to_string(params));
      return;
    }
    for (const TNumberParam& number : NumberParams) {
      if (!TQuilString::SameText(entry.Name, number.Command) || number.Word >= line.Words.size()) continue;
      const std::string& word = line.Words[number.Word];
      try {
        Checked::StrToInt(word);
      } catch (const std::exception&) {
        Error(i, Quote(line.Words[0]) + " " + number.Meaning + " " + Quote(word) +
                     " is not a decimal integer; the game stops with a conversion error");
      }
    }
  }

  void CheckText(size_t i, const TLine& line) {
    const std::string& head = line.Words[0];
    if (!head.empty() && head[0] == '#') {
      Warning(i, Quote(head) + " names no command; the line is shown as story text");
    }
    size_t width = ShownWidth(RemoveComment(source_.Lines[i]));
    if (width > static_cast<size_t>(PlayAreaBytes)) {
      Warning(i, "story line is " + std::to_string(width) + " bytes wide; the play area shows " +
                     std::to_string(PlayAreaBytes));
    }
  }

  // The lines a run can go to after line i, by the run loop's rules: "#end" stops, a "#goto" to
  // an existing label jumps, a failed jump and everything else fall through.
  std::vector<size_t> NextLines(size_t i) const {
    const TLine& line = lines_[i];
    std::vector<size_t> next;
    auto jumpTo = [&](const std::string& label) {
      auto at = labels_.find(label);
      if (at == labels_.end()) return false;
      next.push_back(at->second);
      return true;
    };
    if (line.Kind == TKind::End) return next;
    // A line the run stops at with an error is already reported as one; reading on past it
    // keeps one mistake from hiding the rest of the scenario behind "unreached" warnings.
    if (line.Kind == TKind::Goto && line.Words.size() >= 2 && jumpTo(line.Words[1])) return next;
    if (line.Kind == TKind::Command) {
      std::string name = line.Command->Name;
      if (name == "#xxwonder") jumpTo(WonderLabel);
      if (name == "#xxbind_alone" || name == "#xxbind_load" || name == "#xxbind_heart") jumpTo(HeartLabel);
    }
    if (i + 1 < lines_.size()) next.push_back(i + 1);
    return next;
  }

  void CheckReach() {
    auto start = labels_.find("@start");
    if (start == labels_.end()) return;  // already an error; everything would be unreached
    std::vector<bool> reached(lines_.size(), false);
    std::vector<size_t> pending{start->second};
    while (!pending.empty()) {
      size_t i = pending.back();
      pending.pop_back();
      if (reached[i]) continue;
      reached[i] = true;
      for (size_t next : NextLines(i)) {
        if (!reached[next]) pending.push_back(next);
      }
    }
    // One warning per stretch of unreached lines, blank lines not counted.
    for (size_t i = 0; i < lines_.size();) {
      if (reached[i] || lines_[i].Kind == TKind::Blank) {
        ++i;
        continue;
      }
      size_t last = i;
      size_t j = i;
      for (; j < lines_.size() && !reached[j]; ++j) {
        if (lines_[j].Kind != TKind::Blank) last = j;
      }
      std::string which = last == i ? "line " + std::to_string(i + 1)
                                    : "lines " + std::to_string(i + 1) + "-" + std::to_string(last + 1);
      Warning(i, which + " cannot be reached from \"@start\"");
      i = j;
    }
  }
};

}  // namespace

std::vector<TDiagnostic> CheckScenario(const TSource& source) { return TChecker(source).Run(); }

int Check(const std::string& path, bool isCp932) {
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) {
    std::cerr << "farrow-story: cannot read " << path << ": " << error << "\n";
    return 1;
  }
  bool anyError = false;
  for (const TDiagnostic& d : CheckScenario(ConvertSource(bytes, isCp932))) {
    std::cout << path << ":" << d.Line << ": " << (d.IsError ? "error: " : "warning: ") << d.Text << "\n";
    anyError = anyError || d.IsError;
  }
  return anyError ? 1 : 0;
}

}  // namespace Story
