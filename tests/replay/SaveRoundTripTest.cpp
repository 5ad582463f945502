// SaveRoundTripTest -- every save the game writes loads back, at a person's pace: both shipped
// routes played with seeded waits of 1 to 10 seconds between inputs (so idea buttons the route
// does not click fall out of the play area unpressed), a description view opened and closed,
// and a save, a new game and a load after every input. The loaded game must stand exactly as
// before the save and go on exactly as a run that never saved; a save read and written again
// gives the same text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/Replay.h"
#include "app/ReplayScript.h"
#include "game/GameTexts.h"
#include "game/SaveText.h"
#include "game/UnitMain.h"
#include "paint/UnitPaint.h"
#include "platform/Files.h"
#include "player/PlayerSave.h"
#include "player/SaveFiles.h"
#include "tests/BuildPaths.h"
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

// What a save holds of the game as it stands, without the time of day.
std::string Captured() {
  TSaveGame save = CaptureGame();
  save.SavedAt.clear();
  return WriteSaveText(save);
}

// The same without the broken world's glows: they move by the random generator, which a save
// leaves out, so a loaded game's differ from the uninterrupted one's after the next frame.
std::string WithoutGlows(const std::string& text) {
  std::istringstream in(text);
  std::string out, line;
  while (std::getline(in, line)) {
    if (line.rfind("glow ", 0) != 0) out += line + "\n";
  }
  return out;
}

std::string Summary() { return GameStateBlock() + WithoutGlows(Captured()); }

// The top of the first visible idea button with this caption, or -1000.
int TopOf(const std::string& caption) {
  for (const auto& button : IdeaButtons) {
    if (button != nullptr && button->Visible && button->Caption == caption) return button->Top;
  }
  return -1000;
}

bool Clickable(TGameHarness& game, const std::string& caption) {
  int x = 0, y = 0;
  return game.IdeaButtonPoint(caption, x, y) == TGameHarness::TIdeaClick::Clicked;
}

TReplayStep FramesStep(int count) {
  TReplayStep step;
  step.Kind = TReplayStep::Frames;
  step.Count = count;
  return step;
}

// Plays a route as a person would and writes down what it did: before each input a wait of
// 1 to 10 seconds (20 to 196 frames), a button the route clicks clicked while it still crawls
// or falls in view, and once a description button shows, a click on it and a press that closes
// the view. The states after each step are those of the run that never saved.
struct TPersonRun {
  std::string Start;  // a save of the game as it started: the rules keep a few values over games
  std::vector<TReplayStep> Steps;
  std::vector<std::string> States;
  int FellOut = 0;  // idea buttons that left the play area unpressed
};

TPersonRun PlayAtAPersonsPace(const std::vector<TReplayStep>& route, uint32_t seed) {
  TPersonRun run;
  TGameHarness game(1);
  EXPECT_EQ(SaveGameTo("12"), "");
  run.Start = ReadAll(SlotFile("12"));
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> pause(20, 196);
  bool described = false;
  auto record = [&](const TReplayStep& step) {
    run.Steps.push_back(step);
    run.States.push_back(Summary());
  };
  auto act = [&](const TReplayStep& step) {
    std::ostringstream ignored;
    RunReplay(game, {step}, "", ignored);
    record(step);
  };
  // Waits up to frames, frame by frame; stops early once the caption's button can be clicked
  // and has crawled for a while.
  auto wait = [&](int frames, const std::string& caption) {
    int waited = 0;
    for (; waited < frames && !game.Ended(); ++waited) {
      if (!caption.empty() && Clickable(game, caption) && TopOf(caption) >= 120) break;
      std::vector<const Platform::TPushButton*> low;
      for (const auto& button : IdeaButtons) {
        if (button != nullptr && button->Visible && button->Top >= IdeaButtonFallenOut) low.push_back(button.get());
      }
      game.RunFrames(1);
      for (const Platform::TPushButton* button : low) run.FellOut += !button->Visible;
      if (!described && caption.empty()) {
        for (const char* shows : {CaptionInfo, CaptionScan, CaptionSelf, CaptionDecode}) {
          if (!Clickable(game, shows) || TopOf(shows) < 60) continue;
          described = true;
          record(FramesStep(waited + 1));
          waited = -1;
          TReplayStep click;
          click.Kind = TReplayStep::Click;
          click.Text = shows;
          act(click);
          EXPECT_FALSE(DescriptionTitle.empty()) << "the view opened";
          act(FramesStep(pause(rng)));  // reads it
          TReplayStep press;
          press.Kind = TReplayStep::Press;
          press.X = 300;
          press.Y = 200;
          act(press);  // closes the view
          break;
        }
      }
    }
    if (waited > 0) record(FramesStep(waited));
  };
  for (const TReplayStep& step : route) {
    if (game.Ended()) break;
    if (step.Kind == TReplayStep::Frames || step.Kind == TReplayStep::State || step.Kind == TReplayStep::Shot) continue;
    const bool click = step.Kind == TReplayStep::Click;
    wait(pause(rng), click ? step.Text : "");
    if (click && !Clickable(game, step.Text)) continue;  // gone while the person read on
    act(step);
  }
  return run;
}

// Plays a shipped route at a person's pace, then plays it again saving, starting a new game and
// loading after every input: every state must be the uninterrupted run's. A route a test, so
// that ctest runs the two side by side.
void RoundTripAtAPersonsPace(const std::string& script, uint32_t seed) {
  ScratchDir home;
  PointHomesAt(home);
  fs::current_path(BuildPaths::SourceDir);  // the shipped game's dat/
  const TPersonRun run =
      PlayAtAPersonsPace(ReadSteps(fs::path(BuildPaths::ReplayScripts) / (script + ".replay")), seed);
  EXPECT_GT(run.FellOut, 10) << "buttons fell out unpressed";

  TGameHarness game(1);
  ASSERT_EQ(Platform::WriteFileSafely(SlotFile("12"), run.Start), "");
  ASSERT_EQ(U8(LoadGameFrom("12")), "");
  int saves = 0, describedSaves = 0, lowButtons = 0;
  for (size_t i = 0; i < run.Steps.size() && !game.Ended(); ++i) {
    std::ostringstream ignored;
    RunReplay(game, {run.Steps[i]}, "", ignored);
    ASSERT_EQ(Summary(), run.States[i]) << "step " << i << " of the run at a person's pace";
    if (run.Steps[i].Kind == TReplayStep::Frames || game.Ended()) continue;
    // Saved, a new game started, loaded: the game stands as it stood.
    const std::string before = Captured();
    ASSERT_EQ(SaveGameTo("3"), "");
    const std::string text = ReadAll(SlotFile("3"));
    TSaveGame read;
    ASSERT_EQ(ReadSaveText(text, read).Why, "") << "step " << i;
    EXPECT_EQ(WriteSaveText(read), text) << "written, read and written again, step " << i;
    ResetGame();
    ASSERT_EQ(U8(LoadGameFrom("3")), "") << "step " << i;
    ASSERT_EQ(Captured(), before) << "loaded after step " << i;
    ++saves;
    describedSaves += !DescriptionTitle.empty() && !DescriptionLines.empty();
    for (const TIdeaButtonSave& b : read.Paint.Buttons) lowButtons += b.Top > 400;
  }
  EXPECT_GT(saves, 100);
  EXPECT_GT(describedSaves, 0) << "a save with a description view open loads with its body";
  EXPECT_GT(lowButtons, 0) << "a save holds a button that fell out below the play area";
}

}  // namespace

TEST(SaveRoundTrip, TheMistRouteAtAPersonsPaceSavedAndLoadedAfterEveryInputGoesOnAsIfNeverSaved) {
  RoundTripAtAPersonsPace("route-mist", 33);
}

TEST(SaveRoundTrip, TheAwakeningRouteAtAPersonsPaceSavedAndLoadedAfterEveryInputGoesOnAsIfNeverSaved) {
  RoundTripAtAPersonsPace("route-awakening", 34);
}
