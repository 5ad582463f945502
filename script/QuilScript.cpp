// QuilScript -- loading, label jumps, the run loop and the three stepping modes.
#include "script/QuilScript.h"

#include <algorithm>

#include "cipher/QuilCrypt.h"
#include "script/QuilFileAccess.h"
#include "script/ResultTags.h"

namespace {

// A line with its comment ("//" to the end) removed.
std::string RemoveComment(const std::string& line) {
  size_t at = TQuilString::Find(line, "//");
  return at == std::string::npos ? line : line.substr(0, at);
}

std::string HeadWord(const std::string& line) {
  std::string head;
  TQuilScriptCommand::GetWord(line, 0, head);
  return head;
}

}  // namespace

TQuilScript::TQuilScript() { ClearCommands(); }

TQuilScript::~TQuilScript() { ClearCommands(); }

std::string TQuilScript::Location() const { return "\r\nin " + FileName; }

bool TQuilScript::IsLabel(const std::string& word) { return !word.empty() && word[0] == '@'; }

void TQuilScript::LoadLines(const std::string& fileName, std::span<const std::string> lines, int count,
                            std::string& result) {
  if (!TQuilFileAccess::FileExists(fileName)) {
    result = std::string(ResultError) + "存在しないファイル：" + fileName;
    return;
  }
  if (count < 0 || count > MaxScenarioLines || static_cast<size_t>(count) > lines.size()) {
    result = std::string(ResultError) + "行数超過：" + std::to_string(count) + "\r\nin " + fileName;
    return;
  }
  std::vector<std::string> prepared;
  prepared.reserve(static_cast<size_t>(count) + 1);
  std::vector<std::string> labels;
  for (int i = 0; i < count; ++i) {
    std::string line = RemoveComment(lines[static_cast<size_t>(i)]);
    std::string head = HeadWord(line);
    if (IsLabel(head)) {
      if (std::find(labels.begin(), labels.end(), head) != labels.end()) {
        result = std::string(ResultError).append("ラベル重複：").append(head).append("\r\nin ").append(fileName);
        return;
      }
      labels.push_back(head);
      line = head;
    }
    prepared.push_back(std::move(line));
  }
  prepared.push_back("#end");

  std::move(prepared.begin(), prepared.end(), Lines.begin());
  FileName = fileName;
  LineCount = count + 1;
  Position = 0;
  result = ResultSuccess;
}

void TQuilScript::ReloadLines(const std::string& fileName, std::span<const std::string> lines, int count,
                              std::string& result) {
  const int lastRead = std::clamp(Position - 1, 0, std::max(LineCount - 1, 0));
  int labelAt = lastRead;
  while (labelAt >= 0 && !IsLabel(Lines[static_cast<size_t>(labelAt)])) --labelAt;
  const std::string label = labelAt >= 0 ? Lines[static_cast<size_t>(labelAt)] : "";
  const int offset = Position - std::max(labelAt, 0);
  const int oldPosition = Position;
  LoadLines(fileName, lines, count, result);
  if (result != ResultSuccess) return;
  int position = label.empty() ? offset : oldPosition;
  for (int i = 0; !label.empty() && i < LineCount; ++i) {
    if (Lines[static_cast<size_t>(i)] == label) position = i + offset;
  }
  Position = std::clamp(position, 0, LineCount - 1);
}

void TQuilScript::JumpToLabel(const std::string& label, std::string& result) {
  if (!IsLabel(label)) {
    result = std::string(ResultError) + "不正なアドレス名：" + label + Location();
    return;
  }
  for (int i = 0; i < LineCount; ++i) {
    if (Lines[static_cast<size_t>(i)] == label) {
      Position = i;
      result = ResultSuccess;
      return;
    }
  }
  result = ResultError + label + "が見つかりませんでした。" + Location();
}

void TQuilScript::Restart(const std::string& label, std::string& result) {
  JumpToLabel(label, result);
  if (result != ResultSuccess) return;
  Ended = false;
  ShownCount = 0;
  PageFull = false;
}

void TQuilScript::AddCommand(const std::string& name, TScriptCommandProc handler, int count) {
  AddCommandRange(name, handler, count, count);
}

void TQuilScript::AddCommandRange(const std::string& name, TScriptCommandProc handler, int minParams, int maxParams) {
  Commands.push_back(std::make_unique<TQuilScriptCommand>(name, handler, minParams, maxParams));
}

void TQuilScript::ClearCommands() { Commands.clear(); }

void TQuilScript::SetLineOutput(TScriptLineProc lineProc, TScriptPageProc pageProc) {
  LineProc = lineProc;
  PageProc = pageProc;
  ParagraphProc = nullptr;
}

void TQuilScript::SetParagraphOutput(TScriptParagraphProc paragraphProc) { ParagraphProc = paragraphProc; }

void TQuilScript::SetPageSize(int n) { PageSize = n; }

bool TQuilScript::AtEnd() const { return Position >= LineCount - 1; }

std::string TQuilScript::NextLine() {
  if (Position < 0 || Position >= LineCount) return "#end";
  return Lines[static_cast<size_t>(Position++)];
}

void TQuilScript::RunScript(std::string& line, std::string& result) {
  result = std::string(ResultUnset) + "in TQuilScript.RunScript()";
  line.clear();
  for (;;) {
    if (AtEnd()) {
      Ended = true;
      result = ResultSuccess;
      return;
    }
    std::string cur = NextLine();
    if (cur.empty() || cur[0] == '@') {
      result = ResultSuccess;
      return;
    }
    std::string head = HeadWord(cur);
    if (TQuilString::SameText(head, "#end")) {
      Ended = true;
      result = ResultSuccess;
      return;
    }
    if (TQuilString::SameText(head, "#goto")) {
      std::string target;
      if (!TQuilScriptCommand::GetWord(cur, 1, target)) {
        result = std::string(ResultError) + "不正な#goto：" + cur + Location();
        Ended = true;
        return;
      }
      // A failed jump is passed over: the run goes on after the "#goto" line.
      std::string ignored;
      JumpToLabel(target, ignored);
      continue;
    }
    bool handled = false;
    for (const auto& command : Commands) {
      std::string answer;
      command->Execute(cur, answer);
      if (answer == ResultNotRun) continue;
      if (answer != ResultSuccess) {
        result = answer + Location();
        Ended = true;
        return;
      }
      handled = true;
      break;
    }
    if (handled) continue;
    line = cur;
    result = ResultSuccess;
    return;
  }
}

void TQuilScript::Step(std::string& result) {
  if (Ended) {
    result = ResultSuccess;
  } else if (ParagraphProc != nullptr) {
    StepParagraph(result);
  } else if (LineProc != nullptr) {
    StepLine(result);
  } else {
    Kick(result);
  }
}

// A label that jumps to itself ("@a", "#goto @a") yields blank results for ever: without a bound
// one step would never return and the game would freeze. Kick's bound holds for a step too, and
// like every run-loop error it ends the scenario. True, with the error in result, once a step
// has run the loop that often.
bool TQuilScript::StepLoopEndless(int calls, std::string& result) {
  if (calls < StepCallLimit) return false;
  result = std::string(ResultError) + "Stepループが終わらないin " + FileName;
  Ended = true;
  return true;
}

void TQuilScript::StepLine(std::string& result) {
  result = std::string(ResultUnset) + "in TQuilScriptText.StepLine()";
  std::string line;
  for (int calls = 0;; ++calls) {
    if (StepLoopEndless(calls, result)) return;
    if (PageFull) {
      if (PageProc != nullptr)
        PageProc(result);
      else
        result = ResultSuccess;
      if (result != ResultSuccess) return;
      ShownCount = 0;
      PageFull = false;
    }
    RunScript(line, result);
    if (result != ResultSuccess) return;
    if (Ended) break;
    if (line.empty()) {
      PageFull = true;  // a blank line, a label or a jump starts a new page at once
      continue;
    }
    ++ShownCount;
    if (ShownCount >= PageSize) PageFull = true;
    break;
  }
  result = ResultSuccess;
  if (line.empty() || LineProc == nullptr) return;
  LineProc(line, result);
  if (result == ResultSuccess) lineListeners_.Notify(line);
}

Platform::TSubscription TQuilScript::SubscribeLines(const std::function<void(const std::string& line)>& listener) {
  return lineListeners_.Subscribe([listener](const std::string& line) {
    listener(line);
    return false;  // every listener hears every line
  });
}

void TQuilScript::StepParagraph(std::string& result) {
  result = std::string(ResultUnset) + "in TQuilScriptText.StepParagraph()";
  TStringArray paragraph;
  std::string line;
  for (int calls = 0;; ++calls) {
    if (StepLoopEndless(calls, result)) return;
    if (PageFull) {
      ShownCount = 0;
      PageFull = false;
    }
    RunScript(line, result);
    if (result != ResultSuccess) return;
    if (Ended) break;
    if (line.empty()) {
      if (ShownCount == 0) continue;  // blank lines before a paragraph are skipped
      PageFull = true;
      break;
    }
    ++ShownCount;
    paragraph.push_back(line);
    if (ShownCount >= PageSize) {
      PageFull = true;
      break;
    }
  }
  result = ResultSuccess;
  if (!paragraph.empty() && ParagraphProc != nullptr) ParagraphProc(paragraph, result);
}

void TQuilScript::Kick(std::string& result) {
  std::string line;
  for (int calls = 0; calls < StepCallLimit; ++calls) {
    RunScript(line, result);
    if (result != ResultSuccess) return;
    if (Ended) {
      Ended = false;
      result = ResultSuccess;
      return;
    }
  }
  result = std::string(ResultError) + "Kickループが終わらないin " + FileName;
}

void TQuilScript::LoadScenario(const std::string& cipherFileName, const std::string& keyText, std::string& result) {
  auto table = std::make_unique<std::array<std::string, MaxLines>>();
  int count = 0;
  TQuilCrypt::ReadCipherFile(cipherFileName, keyText, result, count, MaxLines - 1, *table);
  if (result != ResultSuccess) return;
  LoadLines(cipherFileName, *table, count, result);
}
