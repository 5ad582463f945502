// Main -- the program entry of the game: its options, the data folder, an author's story and
// warp, then the game.
#include <array>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "app/CommandLine.h"
#include "app/Harness.h"
#include "app/Program.h"
#include "app/Replay.h"
#include "app/ReplayScript.h"
#include "author/LiveStory.h"
#include "author/StoryFlow.h"
#include "cipher/QuilCrypt.h"
#include "game/UnitScript.h"
#include "platform/DataFiles.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "player/SaveFiles.h"
#include "script/QuilScript.h"
#include "script/ResultTags.h"

namespace {

// Reads the warp's replay script; false with the reason on standard error.
bool ReadWarpScript(const std::string& path, std::vector<TReplayStep>& steps) {
  std::string bytes;
  if (Platform::ReadBoundedFile(path, Platform::WholeFileMax, bytes).Problem != Platform::TFileProblem::None) {
    std::fprintf(stderr, "farrowmere: cannot read the replay script %s\n", path.c_str());
    return false;
  }
  std::istringstream in(bytes);
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

// Whether the story the game is about to play (the author's source, or the enciphered story of
// the data folder) has the label, asked before the window opens so that a wrong --warp is a
// wrong option like any other. A story that cannot be read is the game's to report.
bool StoryHasLabel(const std::string& cp932Label, const std::string& storyPath) {
  std::vector<std::string> lines;
  if (!storyPath.empty()) {
    std::ostringstream quiet;  // its findings were printed when it was taken
    std::string firstError;
    if (!Story::ReadStory(storyPath, lines, quiet, firstError)) return true;
  } else {
    auto table = std::make_unique<std::array<std::string, TQuilScript::MaxLines>>();
    int count = 0;
    std::string result;
    TQuilCrypt::ReadCipherFile(Platform::NativeFileName("dat\\story.crp.txt"), "fable.txt", result, count,
                               TQuilScript::MaxLines - 1, *table);
    if (result != ResultSuccess) return true;
    lines.assign(table->begin(), table->begin() + count);
  }
  return Story::TStoryFlow(lines).Labels.contains(cp932Label);
}

}  // namespace

int main(int argc, char** argv) {
  TCommandLine line = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
  // The installed data (in the build tree a link to the repository's dat/), never a dat/ that
  // happens to lie in the working folder.
  const std::string data = line.DataFolder.empty() ? Platform::InstalledDataFolder() : line.DataFolder;
  if (line.Action == TCommandLine::TAction::Play && !line.DataFolder.empty() && !Platform::IsFolder(line.DataFolder)) {
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
  std::vector<TReplayStep> warpSteps;
  if (!line.WarpReplay.empty() && !ReadWarpScript(line.WarpReplay, warpSteps)) return 2;
  Platform::SetDataFolder(data);
  if (!line.Warp.empty()) {
    std::string label;
    size_t bad = 0;
    if (!Platform::Utf8ToCp932(line.Warp, label, bad) || !StoryHasLabel(label, line.Story)) {
      std::fprintf(stderr, "farrowmere: --warp %s: the story has no such label\n", line.Warp.c_str());
      return 2;
    }
    SetStartLabel(label);
  }
  SetPersistence(line.Persist);
  return RunProgram([&](TFormMain& form) {
    if (!line.WarpReplay.empty()) WarpByReplay(form, warpSteps, line.WarpReplay);
    if (!line.Story.empty()) Story::WatchStory(form);
  });
}
