// farrow-replay -- plays the game from a script, without a person and without a screen:
//   farrow-replay [--seed N] [--shots DIR] [--story FILE] [--warp LABEL] [--no-persist] SCRIPT|-
// Runs the game of the working folder (its dat/) with a virtual clock and a fixed random seed,
// prints state blocks and writes screenshots as the script asks. Exit status: 0 when the script
// ran to its end or the program ended, 3 when a step could not be done (named on standard
// error by its line), 2 for a wrong invocation, 1 when the game could not start.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Harness.h"
#include "app/Replay.h"
#include "app/ReplayScript.h"
#include "author/LiveStory.h"
#include "game/UnitScript.h"
#include "platform/Application.h"
#include "platform/TextCodec.h"
#include "player/SaveFiles.h"

namespace {

const char* const kUsage =
    "usage: farrow-replay [--seed N] [--shots DIR] [--story FILE] [--warp LABEL] [--no-persist]\n"
    "                     SCRIPT|-\n"
    "  Plays the game of the working folder (dat/) from SCRIPT (standard input for -).\n"
    "  --seed N      the random seed of the presentation (default 1)\n"
    "  --shots DIR   where shot writes its PNG files (default the working folder)\n"
    "  --story FILE  play the plain scenario source FILE, checked first as farrow-story\n"
    "                check does (its findings on standard error; an error: exit 1)\n"
    "  --warp LABEL  start the story at LABEL instead of @start\n"
    "  --no-persist  read and write no saves (save and load keep them in memory)\n"
    "Script commands, one a line (# starts a comment):\n"
    "  press X Y [left|right|middle]   click CAPTION   frames N   state   shot NAME\n"
    "  key KEY (named as the key list names it, any case: space, f5, pageup, ctrl+u, shift+a)\n"
    "  pad BUTTON (a b x y rb lb up down left right start back: pressed and released)\n"
    "  hold KEY N   wheel up|down [N]   hide   show   close   reload [FILE2]   save N   load N\n";

int Usage(const std::string& why) {
  std::cerr << "farrow-replay: " << why << "\n" << kUsage;
  return 2;
}

bool ReadSeed(const std::string& text, uint32_t& seed) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  unsigned long long v = std::stoull(text);
  if (v > UINT32_MAX) return false;
  seed = static_cast<uint32_t>(v);
  return true;
}

// This tool is not the game: it may pick SDL's drivers itself, so that it never opens a window
// or a sound device. Drivers the environment names are kept.
void UseHeadlessDrivers() {
  for (const char* name : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER"}) {
    const char* set = std::getenv(name);
    if (set == nullptr || *set == '\0') setenv(name, "dummy", 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  uint32_t seed = 1;
  std::string shots = ".";
  std::string scriptName;
  std::string story;
  std::string warp;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--no-persist") {
      SetPersistence(false);
    } else if (arg == "--seed" || arg == "--shots" || arg == "--story" || arg == "--warp") {
      if (i + 1 >= argc) return Usage(arg + " needs a value");
      std::string value = argv[++i];
      if (arg == "--seed" && !ReadSeed(value, seed)) return Usage("the seed is a whole number from 0 to 4294967295");
      if (arg == "--shots") shots = value;
      if (arg == "--story") story = value;
      if (arg == "--warp") warp = value;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (!scriptName.empty()) {
      return Usage("one script only");
    } else {
      scriptName = arg;
    }
  }
  if (scriptName.empty()) return Usage("no script given");

  std::stringstream text;
  if (scriptName == "-") {
    text << std::cin.rdbuf();
  } else {
    std::ifstream file(scriptName, std::ios::binary);
    if (!file) return Usage("cannot read the script " + scriptName);
    text << file.rdbuf();
  }
  std::string where = scriptName == "-" ? "<stdin>" : scriptName;
  std::vector<TReplayStep> steps;
  int errorLine = 0;
  std::string error;
  if (!ParseReplayScript(text, steps, errorLine, error)) {
    std::cerr << "farrow-replay: " << where << ":" << errorLine << ": " << error << "\n";
    return 3;
  }
  std::error_code ec;
  std::filesystem::create_directories(shots, ec);
  if (!std::filesystem::is_directory(shots)) return Usage("cannot make the screenshot folder " + shots);

  if (!story.empty() && !Story::UseStory(story, std::cerr)) return 1;
  if (!warp.empty()) SetStartLabel(warp);

  UseHeadlessDrivers();
  // What the game's top-level handler would show in a message box is printed where it happens.
  Platform::Application.OnException = [](const std::string& cp932) {
    std::string message = Platform::Cp932ToUtf8(cp932);
    for (char& c : message) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    std::cout << "error: " << message << "\n";
  };
  int status = 0;
  try {
    TGameHarness game(seed);
    TReplayResult result = RunReplay(game, steps, shots, std::cout);
    if (result.Outcome == TReplayResult::Failed) {
      std::cout.flush();
      std::cerr << "farrow-replay: " << where << ":" << result.Line << ": " << result.Error << "\n";
      status = 3;
    }
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "farrow-replay: the game cannot start: " << Platform::Cp932ToUtf8(e.what()) << "\n";
    status = 1;
  }
  Platform::Application.OnException = nullptr;
  std::cout.flush();
  return status;
}
