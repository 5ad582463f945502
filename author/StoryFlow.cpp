// StoryFlow -- classifying lines the way the loader and the run loop do, and following a run.
#include "author/StoryFlow.h"

#include "platform/TextCodec.h"
#include "script/QuilScript.h"
#include "script/QuilScriptCommand.h"

namespace Story {

namespace {

bool IsBlank(const std::string& ch) { return ch == " " || ch == "\t" || ch == "\x81\x40"; }

// The 1-based character column where each word of the line starts, by the word rule (blanks,
// tabs and full-width spaces separate words).
std::vector<int> WordColumns(const std::string& line) {
  std::vector<int> columns;
  bool inWord = false;
  int column = 1;
  for (size_t i = 0; i < line.size(); ++column) {
    size_t length = Platform::IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
    bool blank = IsBlank(line.substr(i, length));
    if (!blank && !inWord) columns.push_back(column);
    inWord = !blank;
    i += length;
  }
  return columns;
}

// Decides the kind of a line the way the loader and the run loop do: "#end" and "#goto" before
// the commands, every command of the game's table registered.
TStoryLine Classify(const std::string& raw) {
  TStoryLine info;
  std::string line = RemoveComment(raw);
  if (line.empty()) return info;
  info.Words = TQuilScriptCommand::SplitWords(line);
  info.WordColumns = WordColumns(line);
  info.WordColumns.resize(info.Words.size(), 1);
  const std::string& head = info.Words[0];
  if (TQuilScript::IsLabel(head)) {
    info.Kind = TLineKind::Label;
  } else if (TQuilString::SameText(head, "#end")) {
    info.Kind = TLineKind::End;
  } else if (TQuilString::SameText(head, "#goto")) {
    info.Kind = TLineKind::Goto;
  } else {
    info.Kind = TLineKind::Text;
    for (const TCommandInfo& entry : CommandTable) {
      if (TQuilString::SameText(head, entry.Name)) {
        info.Kind = TLineKind::Command;
        info.Command = &entry;
        break;
      }
    }
  }
  return info;
}

bool IsBind(const std::string& name) {
  return name == "#xxbind_alone" || name == "#xxbind_load" || name == "#xxbind_heart";
}

}  // namespace

std::string RemoveComment(const std::string& line) {
  size_t at = TQuilString::Find(line, "//");
  return at == std::string::npos ? line : line.substr(0, at);
}

TStoryFlow::TStoryFlow(const std::vector<std::string>& lines) {
  for (const std::string& raw : lines) Lines.push_back(Classify(raw));
  for (size_t i = 0; i < Lines.size(); ++i) {
    if (Lines[i].Kind == TLineKind::Label) Labels.emplace(Lines[i].Words[0], i);
  }
}

std::vector<TFlowStep> TStoryFlow::Next(size_t i) const {
  const TStoryLine& line = Lines[i];
  std::vector<TFlowStep> next;
  auto jumpTo = [&](const std::string& label, TEdge kind) {
    auto at = Labels.find(label);
    if (at == Labels.end()) return false;
    next.push_back({at->second, kind});
    return true;
  };
  if (line.Kind == TLineKind::End) return next;
  // A line the run stops at with an error is reported as one; reading on past it keeps one
  // mistake from hiding the rest of the scenario behind "unreached" warnings.
  if (line.Kind == TLineKind::Goto && line.Words.size() >= 2 && jumpTo(line.Words[1], TEdge::Goto)) return next;
  if (line.Kind == TLineKind::Command) {
    std::string name = line.Command->Name;
    if (name == "#xxwonder") jumpTo(WonderLabel, TEdge::Wonder);
    if (IsBind(name)) jumpTo(HeartLabel, TEdge::Heart);
  }
  if (i + 1 < Lines.size()) next.push_back({i + 1, TEdge::Next});
  return next;
}

std::vector<bool> TStoryFlow::Reached() const {
  std::vector<bool> reached(Lines.size(), false);
  auto start = Labels.find("@start");
  if (start == Labels.end()) return reached;
  std::vector<size_t> pending{start->second};
  while (!pending.empty()) {
    size_t i = pending.back();
    pending.pop_back();
    if (reached[i]) continue;
    reached[i] = true;
    for (const TFlowStep& step : Next(i)) {
      if (!reached[step.To]) pending.push_back(step.To);
    }
  }
  return reached;
}

int TStoryFlow::PassageOf(size_t i) const {
  for (int at = static_cast<int>(i); at >= 0; --at) {
    if (Lines[static_cast<size_t>(at)].Kind == TLineKind::Label) return at;
  }
  return -1;
}

}  // namespace Story
