// QuilScriptCommand -- word splitting and the parameter check before a handler runs.
#include "script/QuilScriptCommand.h"

#include "platform/TextCodec.h"
#include "script/ResultTags.h"

TQuilScriptCommand::TQuilScriptCommand(const std::string& name, TScriptCommandProc handler, int minParams,
                                       int maxParams)
    : Name(name), MinParams(minParams), MaxParams(maxParams), Handler(handler) {}

TStringArray TQuilScriptCommand::SplitWords(const std::string& line) {
  // Full-width spaces and tabs become blanks; runs of blanks shrink to one.
  std::string work;
  work.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    if (Platform::IsLeadByte(c) && i + 1 < line.size()) {
      if (c == 0x81 && static_cast<unsigned char>(line[i + 1]) == 0x40) {
        work += ' ';
      } else {
        work += line[i];
        work += line[i + 1];
      }
      ++i;
      continue;
    }
    work += (c == '\t') ? ' ' : line[i];
  }
  std::string collapsed;
  collapsed.reserve(work.size());
  for (char c : work) {
    if (c == ' ' && !collapsed.empty() && collapsed.back() == ' ') continue;
    collapsed += c;
  }
  // Trim control characters and blanks at both ends.
  size_t first = 0;
  size_t last = collapsed.size();
  while (first < last && static_cast<unsigned char>(collapsed[first]) <= 0x20) ++first;
  while (last > first && static_cast<unsigned char>(collapsed[last - 1]) <= 0x20) --last;
  TStringArray words;
  TQuilString::Split(collapsed.substr(first, last - first), " ", words);
  return words;
}

bool TQuilScriptCommand::GetWord(const std::string& line, int n, std::string& word) {
  TStringArray words = SplitWords(line);
  if (n < 0 || static_cast<size_t>(n) >= words.size()) return false;
  word = words[static_cast<size_t>(n)];
  return true;
}

bool TQuilScriptCommand::IsCommand(const std::string& line, const std::string& name) {
  std::string head;
  return GetWord(line, 0, head) && TQuilString::SameText(head, name);
}

void TQuilScriptCommand::Execute(const std::string& line, std::string& result) const {
  if (!IsCommand(line, Name)) {
    result = ResultNotRun;
    return;
  }
  TStringArray words = SplitWords(line);
  int params = static_cast<int>(words.size()) - 1;
  if (params < MinParams) {
    result = std::string(ResultError) + "パラメータ過少：" + line;
  } else if (params > MaxParams) {
    result = std::string(ResultError) + "パラメータ過多：" + line;
  } else if (Handler != nullptr) {
    Handler(words, result);
  } else {
    result = ResultSuccess;  // a registered name without an action
  }
}
