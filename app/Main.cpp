// Main -- the program entry of the game: its options, the data folder, an author's story and
// warp, then the game.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "app/CommandLine.h"
#include "app/Harness.h"
#include "app/Program.h"
#include "app/Replay.h"
#include "app/ReplayScript.h"
#include "author/LiveStory.h"
#include "game/UnitScript.h"
#include "platform/DataFiles.h"
#include "player/SaveFiles.h"

namespace {

// Reads the warp's replay script; false with the reason on standard error.
bool ReadWarpScript(const std::string& path, std::vector<TReplayStep>& steps) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "farrowmere: cannot read the replay script %s\n", path.c_str());
    return false;
  }
  int line = 0;
  std::string error;
  if (ParseReplayScript(in, steps, line, error)) return true;
  std::fprintf(stderr, "farrowmere: %s:%d: %s\n", path.c_str(), line, error.c_str());
  return false;
}

// Plays the steps unseen on the program's form; the game goes on from where they left it.
void WarpByReplay(TFormMain& form, const std::vector<TReplayStep>& steps, const std::string& path) {
  std::ostringstream unseen;
  TGameHarness warp(form);
  TReplayResult result = RunReplay(warp, steps, ".", unseen);
  if (result.Outcome == TReplayResult::Failed) {
    std::fprintf(stderr, "farrowmere: %s:%d: %s\n", path.c_str(), result.Line, result.Error.c_str());
  }
}

bool HasLabel(const std::string& label) {
  if (Script == nullptr) return false;
  for (int i = 0; i < Script->LineCount; ++i) {
    if (Script->Lines[static_cast<size_t>(i)] == label) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  TCommandLine line = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
  // The installed data (in the build tree a link to the repository's dat/), never a dat/ that
  // happens to lie in the working folder.
  const std::string data = line.DataFolder.empty() ? Platform::InstalledDataFolder() : line.DataFolder;
  std::error_code ec;
  if (line.Action == TCommandLine::TAction::Play && !line.DataFolder.empty() &&
      !std::filesystem::is_directory(line.DataFolder, ec)) {
    line.Action = TCommandLine::TAction::Wrong;
    line.Error = "--data " + line.DataFolder + ": not a folder";
  }
  switch (line.Action) {
    case TCommandLine::TAction::Help:
      std::fputs(HelpText(data).c_str(), stdout);
      return 0;
    case TCommandLine::TAction::Version:
      std::puts("farrowmere " FARROW_VERSION);
      return 0;
    case TCommandLine::TAction::Wrong:
      std::fprintf(stderr, "farrowmere: %s\n%s", line.Error.c_str(), UsageText().c_str());
      return 2;
    case TCommandLine::TAction::Play:
      break;
  }
  if (!line.Story.empty() && !Story::UseStory(line.Story, std::cerr)) return 1;
  if (!line.Warp.empty()) SetStartLabel(line.Warp);
  std::vector<TReplayStep> warpSteps;
  if (!line.WarpReplay.empty() && !ReadWarpScript(line.WarpReplay, warpSteps)) return 2;
  Platform::SetDataFolder(data);
  SetPersistence(line.Persist);
  return RunProgram([&](TFormMain& form) {
    if (!line.Warp.empty() && !HasLabel(line.Warp))
      throw std::runtime_error("--warp: the story has no label " + line.Warp);
    if (!line.WarpReplay.empty()) WarpByReplay(form, warpSteps, line.WarpReplay);
    if (!line.Story.empty()) Story::WatchStory(form);
  });
}
