// SaveRoundTripTest -- a save is exact: both shipped routes, saved after every tenth press and
// loaded into a fresh run, go on with the same inputs printing, step for step, the state
// blocks of the run that was never interrupted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Replay.h"
#include "app/ReplayScript.h"
#include "player/SaveFiles.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::vector<TReplayStep> ReadSteps(const fs::path& script) {
  std::ifstream in(script);
  std::vector<TReplayStep> steps;
  int line = 0;
  std::string error;
  EXPECT_TRUE(ParseReplayScript(in, steps, line, error)) << script << ":" << line << ": " << error;
  return steps;
}

// Runs one step; what it prints is not wanted, the state after it is.
std::string StateAfter(TGameHarness& game, const TReplayStep& step, const ScratchDir& shots) {
  std::ostringstream ignored;
  RunReplay(game, {step}, shots.File(""), ignored);
  return GameStateBlock();
}

// Plays a shipped route saving after every tenth press, then loads each of those saves into a
// fresh run that must go on exactly as the first run did. A route a test, so that ctest runs
// the two side by side.
void RoundTrip(const std::string& route, size_t atLeast) {
  ScratchDir home;
  setenv("HOME", home.File("home").c_str(), 1);
  setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
  fs::current_path(FARROW_SOURCE_DIR);  // the shipped game's dat/
  const std::vector<TReplayStep> steps = ReadSteps(fs::path(FARROW_REPLAY_SCRIPTS) / (route + ".replay"));
  std::vector<std::string> states;                    // after each step, never interrupted
  std::vector<std::pair<size_t, std::string>> saves;  // the step a save follows, its text
  {
    TGameHarness game(1);
    int presses = 0;
    for (const TReplayStep& step : steps) {
      states.push_back(StateAfter(game, step, home));
      if (step.Kind != TReplayStep::Press || ++presses % 10 != 0) continue;
      ASSERT_EQ(SaveGameTo("1"), "");
      saves.emplace_back(states.size() - 1, ReadAll(SlotFile("1")));
    }
  }
  EXPECT_GE(saves.size(), atLeast);
  for (const auto& [at, text] : saves) {
    TGameHarness game(1);
    ASSERT_EQ(WriteFileSafely(SlotFile("1"), text), "");
    ASSERT_EQ(U8(LoadGameFrom("1")), "") << "the save after step " << at;
    ASSERT_EQ(GameStateBlock(), states[at]) << "loaded after script line " << steps[at].Line;
    for (size_t i = at + 1; i < steps.size() && !game.Ended(); ++i) {
      ASSERT_EQ(StateAfter(game, steps[i], home), states[i])
          << "loaded after script line " << steps[at].Line << ", then script line " << steps[i].Line;
    }
  }
}

}  // namespace

TEST(SaveRoundTrip, EveryTenthPressOfTheMistRouteLoadsIntoAFreshRunThatGoesOnUnchanged) { RoundTrip("route-mist", 20); }

TEST(SaveRoundTrip, EveryTenthPressOfTheAwakeningRouteLoadsIntoAFreshRunThatGoesOnUnchanged) {
  RoundTrip("route-awakening", 24);
}
