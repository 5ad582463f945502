// StoryCoverage -- which story lines the replays show: the engine's line output is wrapped to
// note the index of each line it hands over.
#include "tools/story/StoryCoverage.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/Harness.h"
#include "app/Replay.h"
#include "app/ReplayScript.h"
#include "author/LiveStory.h"
#include "author/StoryFlow.h"
#include "author/StorySource.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "platform/Application.h"

namespace Story {

namespace {

std::vector<bool>* Shown = nullptr;
TScriptLineProc GameLineProc = nullptr;

void NoteLine(const std::string& line, std::string& result) {
  size_t at = static_cast<size_t>(Script->Position - 1);
  if (Shown != nullptr && at < Shown->size()) (*Shown)[at] = true;
  GameLineProc(line, result);
}

bool Play(const std::string& path, std::vector<bool>& shown) {
  std::ifstream in(path, std::ios::binary);
  std::vector<TReplayStep> steps;
  int line = 0;
  std::string error;
  if (!in || !ParseReplayScript(in, steps, line, error)) {
    std::cerr << "farrow-story: " << path << ":" << line << ": " << (in ? error : "cannot read the script") << "\n";
    return false;
  }
  TGameHarness game(1);
  // The first step ran while the form was made: its line is the one just read.
  if (ScriptLineCount > 0 && Script->Position > 0) shown[static_cast<size_t>(Script->Position - 1)] = true;
  GameLineProc = Script->LineProc;
  Script->LineProc = NoteLine;
  Shown = &shown;
  std::ostringstream unseen;
  TReplayResult result = RunReplay(game, steps, ".", unseen);
  Shown = nullptr;
  // A step that cannot be done ends its script, as in farrow-replay; what it showed counts.
  if (result.Outcome == TReplayResult::Failed) {
    std::cerr << "farrow-story: " << path << ":" << result.Line << ": " << result.Error << " (the script stops here)\n";
  }
  return true;
}

}  // namespace

int Coverage(const std::string& sourcePath, const std::vector<std::string>& replayPaths) {
  for (const char* name : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER"}) setenv(name, "dummy", 0);
  if (!UseStory(sourcePath, std::cerr)) return 1;
  std::string bytes, error;
  ReadWholeFile(sourcePath, bytes, error);
  TSource source = ConvertSource(bytes, false);
  TStoryFlow flow(source.Lines);
  std::vector<bool> shown(flow.Lines.size(), false);
  Platform::Application.OnException = [](const std::string&) {};  // the scripts' own business
  for (const std::string& path : replayPaths) {
    if (!Play(path, shown)) return 1;
  }
  Platform::Application.OnException = nullptr;
  int total = 0, seen = 0;
  for (size_t i = 0; i < flow.Lines.size(); ++i) {
    if (flow.Lines[i].Kind != TLineKind::Text) continue;
    ++total;
    if (shown[i]) {
      ++seen;
    } else {
      std::cout << sourcePath << ":" << i + 1 << ": not shown: " << ShowText(RemoveComment(source.Lines[i])) << "\n";
    }
  }
  char share[32];
  std::snprintf(share, sizeof share, "%.1f%%", total == 0 ? 100.0 : 100.0 * seen / total);
  std::cout << "shown " << seen << " of " << total << " story lines (" << share << ") in " << replayPaths.size()
            << (replayPaths.size() == 1 ? " replay\n" : " replays\n");
  return 0;
}

}  // namespace Story
