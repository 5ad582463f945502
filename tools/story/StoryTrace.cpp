// StoryTrace -- the engine in line mode with page size 4 and the game's twenty commands, whose
// handlers only record their words.
#include "tools/story/StoryTrace.h"

#include <fstream>
#include <iostream>
#include <memory>

#include "author/StorySource.h"
#include "cipher/QuilCrypt.h"
#include "game/CommandTable.h"
#include "script/QuilScript.h"
#include "script/ResultTags.h"

namespace Story {

namespace {

// The engine's procedures are plain function pointers without an object: they print each event
// the moment it happens, so the output keeps the engine's order.
void RecordLine(const std::string& line, std::string& result) {
  std::cout << "line " << ShowText(line) << "\n";
  result = ResultSuccess;
}

void RecordPage(std::string& result) {
  std::cout << "page\n";
  result = ResultSuccess;
}

void RecordCommand(const TStringArray& words, std::string& result) {
  std::string joined;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) joined += ' ';
    joined += ShowText(words[i]);
  }
  std::cout << "command " << joined << "\n";
  result = ResultSuccess;
}

bool IsEnciphered(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string first;
  if (!in || !std::getline(in, first)) return false;
  if (!first.empty() && first.back() == '\r') first.pop_back();
  return first == TQuilCrypt::Header;
}

// Loads as the game does: LoadScenario for an enciphered file, LoadLines for a source. False
// (with the reason on standard error) only when a source cannot be turned into CP932.
bool Load(TQuilScript& script, const std::string& path, const std::string& key, bool isCp932, std::string& result) {
  if (IsEnciphered(path)) {
    script.LoadScenario(path, key, result);
    return true;
  }
  std::string bytes;
  std::string error;
  TSource source;
  if (ReadWholeFile(path, bytes, error)) source = ConvertSource(bytes, isCp932);
  for (const TBadCharacter& bad : source.Bad) {
    std::cerr << path << ":" << bad.Line << ": error: " << BadCharacterText(bad) << "\n";
  }
  if (!source.Bad.empty()) return false;
  // A missing file comes back from LoadLines as the game's own error.
  script.LoadLines(path, source.Lines, static_cast<int>(source.Lines.size()), result);
  return true;
}

}  // namespace

int Trace(const std::string& path, int steps, const std::string& key, bool isCp932) {
  auto script = std::make_unique<TQuilScript>();
  std::string result;
  if (!Load(*script, path, key, isCp932, result)) return 1;
  std::cout << "load " << ShowResult(result, path) << "\n";
  if (result != ResultSuccess) return 1;

  // The game's set-up: line output, pages of four, the command table in its order.
  script->SetLineOutput(RecordLine, RecordPage);
  script->SetPageSize(4);
  RegisterCommands(*script, [](int) -> TScriptCommandProc { return RecordCommand; });

  script->JumpToLabel("@start", result);
  std::cout << "jump " << ShowResult(result, path) << "\n";
  for (int n = 1; n <= steps; ++n) {
    std::cout << "step " << n << "\n";
    script->Step(result);
    std::cout << "result " << ShowResult(result, path) << "\n";
    if (script->IsEnded()) {
      std::cout << "ended\n";
      return 0;
    }
  }
  std::cout << "stopped after " << steps << " steps\n";
  return 0;
}

}  // namespace Story
