// SaveMenuTest -- the save/load view, the autosave and its offer, and stepping back, on the
// shipped game through the keys and pad buttons a player uses; every folder a temporary one.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Harness.h"
#include "game/SaveText.h"
#include "game/UnitMain.h"
#include "media/QuilMidi.h"
#include "platform/Files.h"
#include "platform/Gamepad.h"
#include "player/Player.h"
#include "player/PlayerSave.h"
#include "player/Rollback.h"
#include "player/SaveFiles.h"
#include "player/SaveMenu.h"
#include "player/SaveView.h"
#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"
#include "tests/app/GameFolder.h"

namespace fs = std::filesystem;
using namespace Platform;

namespace {

class SaveMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PointHomesAt(home_);
    fs::current_path(BuildPaths::SourceDir);
    Start();
  }
  void TearDown() override { game_.reset(); }

  void Start() {
    game_.reset();
    game_ = std::make_unique<TGameHarness>(1);
    game_->RunFrames(2);
  }
  // The game as it stands, its backlog too, without the time of day.
  static std::string Game() {
    TSaveGame save = CaptureGame();
    save.SavedAt.clear();
    return WriteSaveText(save) + "backlog: " + std::to_string(Backlog().Count);
  }
  // Presses at a reader's pace: idea buttons fall out unpressed between them.
  void Presses(int count, int frames = 2) {
    for (int i = 0; i < count; ++i) {
      game_->Press(300, 200);
      game_->RunFrames(frames);
    }
  }
  // A pad's button pressed and let go through SDL's game controller, as a real pad's.
  void Pad(uint32_t button) {
    std::string error;
    ASSERT_TRUE(game_->PressPadButton(button, error)) << error;
  }
  // A control of the player layer's over the play area, by name, or nullptr.
  TControl* Named(const std::string& name) {
    for (TControl* c : game_->Form().PageMain.Children()) {
      if (c->Name == name) return c;
    }
    return nullptr;
  }
  bool Shows(const std::string& name) {
    TControl* c = Named(name);
    return c != nullptr && c->Visible;
  }
  void Key(uint32_t key, int times = 1) {
    for (int i = 0; i < times; ++i) game_->PressKey(key);
  }

  ScratchDir home_;
  std::unique_ptr<TGameHarness> game_;
};

}  // namespace

TEST_F(SaveMenuTest, TheViewListsQuickAndAutoAboveTheSlotsOpensOnTheFirstEmptyOneAndAsksBeforeSavingOver) {
  // Saves a second apart, the time a save names.
  Presses(8);
  sleep(1);
  ASSERT_EQ(SaveGameTo("1"), "");
  ASSERT_EQ(SaveGameTo("2"), "");
  ASSERT_EQ(Platform::WriteFileSafely(SlotFile("5"), "farrowmere-save 1\nhp 3\n"), "");
  Key(VK_F5);
  Key('S');
  ASSERT_TRUE(SaveMenuOpen());
  EXPECT_EQ(SaveMenuChoice(), "3") << "saving: the first empty slot";
  EXPECT_EQ(SaveMenuSlotText(0).rfind("クイック\n", 0), 0u) << U8(SaveMenuSlotText(0));
  EXPECT_EQ(SaveMenuSlotText(1).rfind("オート", 0), 0u) << U8(SaveMenuSlotText(1));
  EXPECT_EQ(SaveMenuSlotText(4), "3  空き\n");
  EXPECT_EQ(SaveMenuSlotText(6), "5\n壊れています（3 行目：途中で切れています）") << "a damaged slot shows its refusal";

  // ↓ and → stop at the grid's edges: slot 12 at the bottom right.
  Key(VK_RIGHT, 3);
  Key(VK_DOWN, 9);
  EXPECT_EQ(SaveMenuChoice(), "12");
  Key(VK_UP, 7);
  EXPECT_EQ(SaveMenuChoice(), "auto");
  Key(VK_LEFT);
  EXPECT_EQ(SaveMenuChoice(), "quick");

  // Slot 1 holds a save: Enter asks, Enter again saves over it.
  Key(VK_DOWN);
  const std::string before = ReadAll(SlotFile("1"));
  Key(VK_RETURN);
  EXPECT_TRUE(SaveMenuOpen());
  EXPECT_EQ(SaveMenuSlotText(2), "1\nもう一度で上書き");
  EXPECT_EQ(ReadAll(SlotFile("1")), before) << "asked, not yet saved";
  Key(VK_DOWN);
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_EQ(ReadAll(SlotFile("1")), before) << "a move forgets the question: it asks again";
  sleep(1);
  Key(VK_RETURN);
  EXPECT_FALSE(SaveMenuOpen());
  EXPECT_NE(ReadAll(SlotFile("1")), before);

  // Loading opens on the newest save: the quick one, then slot 1 saved since.
  Key('L');
  EXPECT_EQ(SaveMenuChoice(), "1");
  Key(VK_ESCAPE);
  sleep(1);
  Key(VK_F5);
  Key('L');
  EXPECT_EQ(SaveMenuChoice(), "quick");
  Key(VK_ESCAPE);

  // With every slot taken the view still opens on a slot of the grid.
  for (int slot = 1; slot <= SaveSlotCount; ++slot) ASSERT_EQ(SaveGameTo(std::to_string(slot)), "");
  Key('S');
  EXPECT_NE(SaveMenuChoice(), "");
  EXPECT_NE(SaveMenuChoice(), "auto");
  Key(VK_ESCAPE);
}

TEST_F(SaveMenuTest, ASaveFromTheViewCarriesThePlayAreaNotTheView) {
  Presses(10, 20);
  TBitmap shown;
  game_->Screenshot(shown);
  TSaveGame expected;
  MakeThumbnail(shown, expected);
  ASSERT_FALSE(expected.Thumbnail.empty());
  Key('S');
  Key(VK_RETURN);
  ASSERT_FALSE(SaveMenuOpen());
  TSaveGame saved;
  ASSERT_EQ(ReadSaveText(ReadAll(SlotFile("1")), saved).Problem, TSaveProblem::None);
  EXPECT_TRUE(saved.Thumbnail == expected.Thumbnail) << "the picture of the play area as it was, not the view";
}

TEST_F(SaveMenuTest, APadLoadsTheAutosaveFromTheTitleAndSavesWithY) {
  Presses(12);
  const std::string atClose = Game();
  game_->CloseWindow();
  Start();
  ASSERT_TRUE(TitleShowing);
  Pad(VK_GAMEPAD_Y);
  ASSERT_TRUE(SaveMenuOpen());
  EXPECT_FALSE(SaveMenuSaving());
  EXPECT_EQ(SaveMenuChoice(), "auto") << "the newest save: the game closed last";
  Pad(VK_GAMEPAD_A);
  EXPECT_FALSE(SaveMenuOpen());
  EXPECT_EQ(Game(), atClose);
  EXPECT_FALSE(TQuilMidi::Playing()) << "the title's tune stops with the title";

  Pad(VK_GAMEPAD_Y);
  Pad(VK_GAMEPAD_Y);
  EXPECT_TRUE(SaveMenuSaving()) << "Y again: saving";
  EXPECT_EQ(SaveMenuChoice(), "1");
  Pad(VK_GAMEPAD_A);
  EXPECT_FALSE(SaveMenuOpen());
  EXPECT_EQ(LoadGameFrom("1"), "");
  EXPECT_EQ(Game(), atClose);
}

TEST_F(SaveMenuTest, TheAutosaveIsWrittenAtEachPassageNeverOnTheTitleAndOfferedOnlyWhileTheTitleShows) {
  // A story of two passages; a game killed in the second: the autosave holds its start.
  GameFolder folder({"@start", "港町に着いた。", "霧が深い。", "@pier", "桟橋に出た。", "船が見える。", "波が高い。"});
  Start();
  const pid_t child = fork();
  if (child == 0) {
    Presses(4, 40);
    _exit(fs::exists(SlotFile("auto")) ? 0 : 1);  // no close, no autosave on the way out
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  const std::string autosave = ReadAll(SlotFile("auto"));
  ASSERT_FALSE(autosave.empty()) << "written at a passage, not at the close";
  EXPECT_EQ(LoadGameFrom("auto"), "");
  EXPECT_FALSE(TitleShowing);
  EXPECT_EQ(ScriptLines[ScriptLineCount - 1], "桟橋に出た。") << "the passage's first line";

  // Closing on the title, after frames there, leaves the autosave alone.
  Start();
  ASSERT_TRUE(TitleShowing);
  game_->RunFrames(20);
  game_->CloseWindow();
  EXPECT_EQ(ReadAll(SlotFile("auto")), autosave);

  // A new game begun before the first frame (as --warp-replay begins one) keeps it too.
  game_.reset();
  game_ = std::make_unique<TGameHarness>(1);
  Presses(2, 40);
  EXPECT_EQ(ReadAll(SlotFile("auto")), autosave);

  // The offer lies under the save/load view.
  Start();
  int x = 0, y = 0;
  Named("ContinueOffer")->ClientOrigin(x, y);
  Key('L');
  EXPECT_EQ(game_->Input().ControlAt(x + 5, y + 5), Named("SaveMenu"));
  Key(VK_ESCAPE);

  // C takes the offer on the title and on nothing else, not even before the next frame.
  Start();
  EXPECT_TRUE(Shows("ContinueOffer"));
  game_->Press(300, 200);
  const std::string begun = Game();
  Key('C');
  EXPECT_EQ(Game(), begun) << "the title is gone and so is its offer";
  game_->RunFrames(2);
  EXPECT_FALSE(Shows("ContinueOffer"));
  Key('C');
  EXPECT_EQ(Game(), begun);

  Start();
  EXPECT_TRUE(TQuilMidi::Playing());
  Key('C');
  EXPECT_FALSE(TitleShowing);
  EXPECT_FALSE(TQuilMidi::Playing()) << "continuing stops the title's tune";
}

TEST_F(SaveMenuTest, BackspaceAndTheLeftShoulderStepBackOneInputAtATimeUpToAHundred) {
  // Presses at a reader's pace, an idea button's click and an opened and closed backlog among
  // them; the game before each input, to compare after each step back.
  std::vector<std::string> before;
  auto input = [&](auto&& act) {
    before.push_back(Game());
    act();
    if (Game() == before.back()) before.pop_back();  // it did nothing: no step
    game_->RunFrames(30);
  };
  for (int i = 0; i < 110; ++i) {
    // Enter clicks the idea button last clicked while it shows, else presses the play area.
    input([&] {
      if (i % 3 == 0) {
        Key(VK_RETURN);
      } else {
        game_->Press(300, 200);
      }
    });
    if (i == 60) {
      Key(VK_UP);  // the backlog, and a press that closes it: no input of the game
      game_->Press(300, 200);
    }
    if (i == 20 && !game_->IdeaButtonCaptions().empty()) {
      input([&] { Key('1'); });
    }
  }
  constexpr int kHundred = 100;
  ASSERT_GT(before.size(), static_cast<size_t>(kHundred));
  for (int step = 1; step <= kHundred; ++step) {
    if (step % 2 == 0) {
      Pad(VK_GAMEPAD_LEFT_SHOULDER);
    } else {
      Key(VK_BACK);
    }
    ASSERT_EQ(Game(), before[before.size() - static_cast<size_t>(step)]) << "step " << step;
    game_->RunFrames(step % 10 == 0 ? 30 : 0);
  }
  const std::string oldest = Game();
  Key(VK_BACK);
  EXPECT_EQ(Game(), oldest) << "no more than a hundred";

  // A load is where the steps begin again.
  Presses(3);
  Key(VK_F5);
  Presses(3);
  Key(VK_F9);
  const std::string loaded = Game();
  Key(VK_BACK);
  EXPECT_EQ(Game(), loaded);
  EXPECT_EQ(StepsKept(), 0);
}

TEST_F(SaveMenuTest, TheGameOverScreenSaysThatBackspaceUndoesTheFatalPress) {
  GameFolder folder(Story);  // poison kills on the fourth line
  Start();
  std::string beforeDeath;
  for (int i = 0; i < 10 && HP > 0; ++i) {
    beforeDeath = Game();
    Presses(1, 20);
  }
  ASSERT_LE(HP, 0);
  EXPECT_TRUE(Shows("StepBackHint"));
  Presses(1);  // a new game: the title
  EXPECT_FALSE(Shows("StepBackHint"));
  Key(VK_BACK);
  game_->RunFrames(1);
  EXPECT_TRUE(Shows("StepBackHint")) << "the game-over screen again";
  int x = 0, y = 0;
  Named("StepBackHint")->ClientOrigin(x, y);
  game_->Press(x + 5, y + 5);  // a press on the line steps back too
  EXPECT_EQ(Game(), beforeDeath);
  game_->RunFrames(1);
  EXPECT_FALSE(Shows("StepBackHint"));
}
