// End to end: the real main form in a folder of its own (the real pictures, a test scenario),
// pressed and clicked through the platform's input router, frames drawn by the real frame loop
// on a virtual clock, with a fixed random seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>

#include "app/Harness.h"
#include "app/Program.h"
#include "app/Replay.h"
#include "app/UnitCommon.h"
#include "cipher/QuilCrypt.h"
#include "game/GameTexts.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintFrame.h"
#include "paint/UnitPaintState.h"
#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/ImageFile.h"
#include "platform/Window.h"
#include "player/Notice.h"
#include "player/Player.h"
#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"
#include "tests/app/GameFolder.h"
#include "tests/game/GameFixture.h"

using namespace Platform;
namespace fs = std::filesystem;

namespace {

std::string Buttons(TGameHarness& game) {
  std::string text = "buttons on screen:";
  for (const std::string& caption : game.IdeaButtonCaptions()) text += " [" + U8(caption) + "]";
  return text;
}

bool SameImage(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<size_t>(a.Width()) * 3) != 0) return false;
  }
  return true;
}

void CopyImage(const TBitmap& from, TBitmap& to) {
  to.SetSize(from.Width(), from.Height());
  BitBlt(to, 0, 0, from.Width(), from.Height(), from, 0, 0, SRCCOPY);
}

uint8_t Red(TColor c) { return static_cast<uint8_t>(c); }
uint8_t Green(TColor c) { return static_cast<uint8_t>(c >> 8); }

// True when every pixel of the bitmap has this colour.
bool AllPixels(const TBitmap& bitmap, TColor color) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (TGameHarness::PixelAt(bitmap, x, y) != color) return false;
    }
  }
  return true;
}

TPushButton* ShownButton(const std::string& caption) {
  for (const auto& button : IdeaButtons) {
    if (button != nullptr && button->Showing() && button->Caption == caption) return button.get();
  }
  return nullptr;
}

}  // namespace

// ---- Start-up and layout --------------------------------------------------------------------

TEST(GameStart, TheWindowIsAFixed400By400PlayAreaCentredOnTheScreen) {
  GameFolder folder(Story);
  Screen = TScreen{1024, 768};
  TGameHarness game(kSeed);
  TFormMain& form = game.Form();
  EXPECT_EQ(FormMain, &form);
  EXPECT_EQ(form.Caption, "Farrowmere");
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 400) << "the designed 723 x 578 must be replaced";
  EXPECT_EQ(form.Left, (1024 - form.Width) / 2);
  EXPECT_EQ(form.Top, (768 - form.Height) / 2);
  EXPECT_EQ(form.BorderIcons, static_cast<unsigned>(biSystemMenu | biMinimize)) << "no maximize box";
  EXPECT_EQ(form.Icon.Width(), 32) << "the window icon comes from dat/icon.bmp";
  for (TControl* c : {static_cast<TControl*>(&form.PageMain), static_cast<TControl*>(&form.PaintMain)}) {
    EXPECT_EQ(c->Left, 0) << c->Name;
    EXPECT_EQ(c->Top, 0) << c->Name;
    EXPECT_EQ(c->Width, 400) << c->Name;
    EXPECT_EQ(c->Height, 400) << c->Name;
    EXPECT_TRUE(c->Showing()) << c->Name;
  }
  EXPECT_EQ(form.PageMain.Color, 0x444444u);
  EXPECT_EQ(form.PaintMain.Parent(), &form.PageMain);
  EXPECT_EQ(IdeaButtons[0]->Parent(), &form.PageMain) << "the idea buttons lie on the play-area panel";
}

TEST(GameStart, TheGameWaitsOnTheTitleWithTheFirstLineReadyAndTheLoopNotYetRunning) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  EXPECT_TRUE(TitleShowing);
  ASSERT_EQ(ScriptLineCount, 1) << Lines();
  EXPECT_EQ(ScriptLines[0], "港町ファロウに着いた。") << "the constructor steps the story once";
  EXPECT_EQ(game.SoundsPlayed(), std::vector<std::string>{"dat\\farrow.mid"}) << "the title music";
  ASSERT_EQ(TQuilTimer::Threads().size(), 1u) << "one periodic procedure: the frame callback";
  EXPECT_EQ(TQuilTimer::Threads()[0].Proc, &FrameCallback);
  EXPECT_EQ(TQuilTimer::Threads()[0].IntervalMs, 50);
  EXPECT_EQ(game.FramesDrawn(), 0u) << "no frame before the message loop runs";
  EXPECT_TRUE(Application.HasPostedMessages()) << "the frame loop waits for its call message";

  uint32_t start = game.Now();
  game.RunFrames(3);
  EXPECT_EQ(game.FramesDrawn(), 3u);
  EXPECT_EQ(game.Now() - start, 3u * 51) << "a frame comes when more than 50 ms have passed";
  EXPECT_TRUE(SameImage(game.PlayArea(), *ScreenBmp)) << "each frame copies the whole canvas to the play area";
}

TEST(GameStart, TheSameSeedAndTheSamePressesGiveTheSameScreens) {
  auto play = [](TBitmap& shot) {
    GameFolder folder(Story);
    TGameHarness game(kSeed);
    game.RunFrames(2);
    for (int i = 0; i < 3; ++i) {
      game.Press(kAwayX, kAwayY);
      game.RunFrames(4);
    }
    game.Press(kAwayX, kAwayY);  // the wolf attacks, the buttons burst into grey sparks
    game.RunFrames(3);
    game.Screenshot(shot);
  };
  TBitmap first, second;
  play(first);
  play(second);
  EXPECT_TRUE(SameImage(first, second)) << "a replay must see exactly the frames of the game it replays";
}

// ---- Presses on the play area -------------------------------------------------------------------

TEST(GamePress, TheFirstPressOnlyDismissesTheTitle) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.RunFrames(2);
  TBitmap title;
  CopyImage(game.PlayArea(), title);
  game.Press(kAwayX, kAwayY, TMouseButton::Right);
  EXPECT_FALSE(TitleShowing);
  EXPECT_EQ(ScriptLineCount, 1) << "the story must not advance on the title press; " << Lines();
  game.RunFrames(2);
  EXPECT_FALSE(SameImage(game.PlayArea(), title)) << "the frames after the title press must show the game";

  game.Press(kAwayX, kAwayY, TMouseButton::Middle);
  EXPECT_EQ(ScriptLineCount, 2) << "any mouse button advances the story; " << Lines();
}

TEST(GamePress, ABattleOffersTheSwordWhichSlaysTheEnemyAndPaysOneIdeaPoint) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.RunFrames(1);
  game.Press(kAwayX, kAwayY);  // the title
  PressUntilLine(game, "オオカミが現れた。");
  EXPECT_EQ(Encounter, EncounterEnemy);
  TPushButton* sword = ShownButton(CaptionSlash);
  ASSERT_NE(sword, nullptr) << Buttons(game);
  EXPECT_TRUE(sword->Enabled);

  // The button falls into the play area and the window shows it over the canvas.
  int before = sword->Top;
  game.RunFrames(8);
  EXPECT_GT(sword->Top, before) << "the idea button must fall";
  TBitmap shot;
  game.Screenshot(shot);
  int cy = sword->Top + 15;
  EXPECT_NE(TGameHarness::PixelAt(shot, sword->Left + 2, cy),
            TGameHarness::PixelAt(game.PlayArea(), sword->Left + 2, cy))
      << "the button's face must be drawn over the play area";

  int32_t power = IdeaPower;
  ASSERT_EQ(game.ClickIdeaButton(CaptionSlash), TGameHarness::TIdeaClick::Clicked);
  EXPECT_EQ(IdeaPower, power - 1);
  EXPECT_TRUE(Encounter.empty()) << "the sword ends the encounter";
  ASSERT_GE(MessageCount, 1) << Log();
  EXPECT_EQ(Messages[0], "現出させた剣を一閃、オオカミを倒した！") << Log();
  EXPECT_TRUE(HasItem("【毛皮】")) << "the wolf drops its fur";
  EXPECT_FALSE(sword->Visible && sword->Caption == CaptionSlash) << Buttons(game);
  EXPECT_NE(ShownButton(CaptionScan), nullptr) << "a gained item offers ★走査; " << Buttons(game);
  EXPECT_TRUE(ButtonParticles[sword->Tag][0].Active) << "the clicked button bursts into sparks";
  EXPECT_EQ(game.SoundsPlayed().back(), "dat\\cap_von01.wav");

  // The next press dismisses the buttons still on screen and goes on with the story.
  game.Press(kAwayX, kAwayY);
  EXPECT_EQ(ShownButton(CaptionScan), nullptr) << Buttons(game);
  EXPECT_EQ(HP, 10) << "a slain enemy does not attack";
}

TEST(GamePress, AnEnemyStandingAttacksOnEveryPress) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);
  PressUntilLine(game, "オオカミが現れた。");
  game.Press(kAwayX, kAwayY);
  EXPECT_EQ(HP, 7) << Log();
  EXPECT_EQ(game.SoundsPlayed().back(), "dat\\dun2.wav");
  EXPECT_TRUE(FlashPending) << "the hit asks for a red flash in the next frame";
  EXPECT_NE(ShownButton(CaptionHeal), nullptr) << Buttons(game);
  game.RunFrames(1);
  EXPECT_TRUE(AllPixels(game.PlayArea(), RGB(255, 0, 0))) << "the red flash covers the whole play area";
  game.RunFrames(1);
  EXPECT_FALSE(AllPixels(game.PlayArea(), RGB(255, 0, 0))) << "the flash lasts exactly one frame";
}

TEST(GamePress, APressOnAGreyedOutButtonDoesNothing) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);
  IdeaPower = 0;  // nothing to pay with: the buttons come greyed out
  PressUntilLine(game, "オオカミが現れた。");
  TPushButton* sword = ShownButton(CaptionSlash);
  ASSERT_NE(sword, nullptr) << Buttons(game);
  EXPECT_FALSE(sword->Enabled);
  game.RunFrames(6);
  int lines = ScriptLineCount;
  int x = 0, y = 0;
  ASSERT_EQ(game.IdeaButtonPoint(CaptionSlash, x, y), TGameHarness::TIdeaClick::GreyedOut)
      << "a replay's click must refuse a greyed-out button";
  EXPECT_EQ(game.ClickIdeaButton(CaptionSlash), TGameHarness::TIdeaClick::GreyedOut);
  game.Press(x, y);  // the player's press on it reaches the play area
  EXPECT_EQ(HP, 10) << "no battle turn may run; " << Log();
  EXPECT_EQ(ScriptLineCount, lines) << "the story must not advance; " << Lines();
  EXPECT_TRUE(sword->Showing()) << "the greyed-out button stays";
}

TEST(GamePress, AClickLandsOnTheButtonsPartInsideThePlayAreaAndKeysGoToTheFocusedButton) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);
  PressUntilLine(game, "案内所がある。");
  TPushButton* info = ShownButton(CaptionInfo);
  ASSERT_NE(info, nullptr) << Buttons(game);
  int x = 0, y = 0;
  info->Top = -30;  // as it spawned
  EXPECT_EQ(game.ClickIdeaButton(CaptionInfo), TGameHarness::TIdeaClick::AbovePlayArea);
  info->Top = 424;  // fallen out, hidden on the next frame
  EXPECT_EQ(game.ClickIdeaButton(CaptionInfo), TGameHarness::TIdeaClick::BelowPlayArea);
  info->Top = -20;  // ten rows show
  ASSERT_EQ(game.IdeaButtonPoint(CaptionInfo, x, y), TGameHarness::TIdeaClick::Clicked);
  EXPECT_EQ(x, 70);
  EXPECT_EQ(y, 5) << "the middle of the ten rows inside the play area";
  EXPECT_EQ(game.ClickIdeaButton("★無い"), TGameHarness::TIdeaClick::NotShown);

  // Pressed and released beside it, the button does not click but keeps the focus: Alt and
  // F10 are swallowed, Enter clicks it.
  info->Top = 100;
  game.Input().MouseDown(TMouseButton::Left, 0, 70, 115);
  game.Input().MouseUp(TMouseButton::Left, 0, 300, 300);
  ASSERT_EQ(game.Input().Focused(), info);
  game.PressKey(VK_MENU);
  game.PressKey(VK_F10);
  EXPECT_TRUE(DescriptionTitle.empty()) << "Alt and F10 must do nothing";
  game.PressKey(VK_RETURN);
  EXPECT_EQ(DescriptionTitle, CaptionInfo) << "Enter on the focused button clicks it";
}

TEST(GamePress, TheDescriptionViewClosesOnTheNextPressWithoutAdvancing) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);
  PressUntilLine(game, "案内所がある。");
  game.RunFrames(6);
  ASSERT_EQ(game.ClickIdeaButton(CaptionInfo), TGameHarness::TIdeaClick::Clicked) << Buttons(game);
  EXPECT_EQ(DescriptionTitle, CaptionInfo);
  EXPECT_FALSE(DescriptionLines.empty());
  game.RunFrames(2);
  // Outside the view the black side of the scene stays black; inside, the tint is green.
  EXPECT_EQ(TGameHarness::PixelAt(game.PlayArea(), 5, 395), RGB(0, 0, 0));
  TColor tinted = TGameHarness::PixelAt(game.PlayArea(), 370, 370);
  EXPECT_GE(Green(tinted), 191) << "two passes of the green tint lie over the view's middle";
  EXPECT_EQ(Red(tinted), 0);
  int lines = ScriptLineCount;
  // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): the line as it was before the press
  const std::string first = ScriptLines[0];
  game.Press(kAwayX, kAwayY);
  EXPECT_TRUE(DescriptionTitle.empty()) << "the press closes the view";
  EXPECT_EQ(ScriptLineCount, lines) << Lines();
  EXPECT_EQ(ScriptLines[0], first) << Lines();
}

TEST(GamePress, DeathShowsGameOverAndThePressAfterRestartsFromTheTitle) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);
  PressUntilLine(game, "毒で倒れた。");
  EXPECT_LE(HP, 0) << Log();
  game.RunFrames(2);
  EXPECT_FALSE(game.Ended());
  TColor corner = TGameHarness::PixelAt(game.PlayArea(), 5, 395);
  EXPECT_EQ(corner, RGB(128, 0, 0)) << "the game-over tint turns the black side dark red";

  game.Press(kAwayX, kAwayY);
  EXPECT_TRUE(TitleShowing) << "the game starts again from the title";
  EXPECT_EQ(HP, MaxHP);
  ASSERT_EQ(ScriptLineCount, 1) << Lines();
  EXPECT_EQ(ScriptLines[0], "港町ファロウに着いた。") << "the first step from @start";
  EXPECT_TRUE(game.IdeaButtonCaptions().empty()) << Buttons(game);
  EXPECT_EQ(game.SoundsPlayed().back(), "dat\\farrow.mid") << "the title music again";
  game.RunFrames(2);
  game.Press(kAwayX, kAwayY);
  EXPECT_FALSE(TitleShowing);
  EXPECT_EQ(ScriptLineCount, 1) << "the press after the restart only dismisses the title; " << Lines();
}

TEST(GamePress, ARestartAfterDyingOnTheLastStepPlaysTheStoryAgain) {
  // Death by poison on the scenario's last line, and death by the wolf on the press that
  // reaches "#end": both steps also end the scenario.
  const std::vector<std::vector<std::string>> stories = {
      {"@start", "港町ファロウに着いた。", "#poison 100"},
      {"@start", "港町ファロウに着いた。", "#xxenemy 獣 オオカミ 30", "オオカミが現れた。", "#end"},
  };
  for (const auto& story : stories) {
    GameFolder folder(story);
    TGameHarness game(kSeed);
    for (int round = 0; round < 2; ++round) {
      game.RunFrames(2);
      game.Press(kAwayX, kAwayY);  // the title
      for (int i = 0; i < 4 && HP > 0; ++i) {
        game.Press(kAwayX, kAwayY);
        game.RunFrames(2);
      }
      ASSERT_LE(HP, 0) << "round " << round << "; " << Log();
      ASSERT_TRUE(Script->IsEnded()) << "the death came on the step that ended the scenario";
      game.Press(kAwayX, kAwayY);  // the restart
      EXPECT_TRUE(TitleShowing);
      EXPECT_FALSE(Script->IsEnded()) << "a new game runs its scenario again";
      ASSERT_EQ(ScriptLineCount, 1) << "round " << round << "; " << Lines();
      EXPECT_EQ(ScriptLines[0], "港町ファロウに着いた。");
    }
  }
}

// ---- The end of the program -----------------------------------------------------------------------

TEST(GameEnd, FinishEndsTheProgramAndNoFrameFollows) {
  GameFolder folder(Story);
  {
    TGameHarness game(kSeed);
    game.Press(kAwayX, kAwayY);
    PressUntilLine(game, "毒で倒れた。");
    // Dead: the next press restarts, so give the hero back his life to reach "#finish".
    HP = 5;
    game.Press(kAwayX, kAwayY);
    EXPECT_TRUE(game.Ended()) << "#finish must end the program; " << Lines();
    uint64_t frames = game.FramesDrawn();
    game.RunFrames(3);
    EXPECT_EQ(game.FramesDrawn(), frames);
  }
  EXPECT_EQ(FormMain, nullptr);
  EXPECT_EQ(Script, nullptr) << "the engine is freed at the end";
  EXPECT_EQ(ScreenBmp, nullptr) << "the drawing resources are freed at the end";
  EXPECT_EQ(IdeaButtons[0], nullptr);
  EXPECT_TRUE(TQuilTimer::Threads().empty());
}

TEST(GameEnd, TheExitButtonAndClosingTheWindowEndTheProgram) {
  GameFolder folder({"@start", "#xxexit", "出口がある。", "まだ続く。"});
  {
    TGameHarness game(kSeed);
    game.Press(kAwayX, kAwayY);
    game.RunFrames(6);
    ASSERT_EQ(game.ClickIdeaButton(CaptionExit), TGameHarness::TIdeaClick::Clicked) << Buttons(game);
    EXPECT_TRUE(game.Ended());
  }
  {
    TGameHarness game(kSeed);
    game.RunFrames(2);
    game.CloseWindow();
    EXPECT_TRUE(game.Ended());
  }
}

// ---- Missing and broken files ---------------------------------------------------------------------

TEST(GameFiles, AMissingOrBrokenPictureStopsTheStartNamingTheFile) {
  {
    GameFolder folder(Story, false);
    folder.CopyDat("a.bmp");
    folder.CopyDat("una.bmp");
    try {
      TGameHarness game(kSeed);
      FAIL() << "the game started without dat/a2.bmp";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find("dat/a2.bmp"), std::string::npos) << U8(error.what());
    }
    EXPECT_EQ(FormMain, nullptr);
    EXPECT_EQ(ScreenBmp, nullptr) << "what was set up before the failure is freed";
    EXPECT_EQ(Script, nullptr);
  }
  {
    GameFolder folder(Story);
    folder.Dir().Write("dat/una.bmp", "BM not really a bitmap");
    try {
      TGameHarness game(kSeed);
      FAIL() << "the game started with a broken dat/una.bmp";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find("dat/una.bmp"), std::string::npos) << U8(error.what());
    }
  }
}

// The game plays on with an empty story; standard error says which file and why.
TEST(GameFiles, AMissingOrBrokenScenarioLeavesAnEmptyStoryAndTheGameRunning) {
  struct TCase {
    const char* Name;
    std::function<void(const ScratchDir&)> Damage;
    const char* Reason;
  };
  const std::string story = "dat/story.crp.txt";
  std::string tooLong;
  for (int i = 0; i < 10001; ++i) tooLong += "x\r\n";
  const TCase cases[] = {
      {"missing", [](const ScratchDir&) {}, "(No such file or directory)"},
      {"garbage", [&](const ScratchDir& d) { d.Write(story, "garbage\r\nmore garbage\r\n"); },
       "(not an enciphered story: 【エラー】不正なヘッダ)"},
      {"empty", [&](const ScratchDir& d) { d.Write(story, ""); }, "(the file is empty)"},
      {"a folder", [&](const ScratchDir& d) { fs::create_directories(d.File(story)); }, "(is a folder)"},
      {"too long", [&](const ScratchDir& d) { d.Write(story, tooLong); }, "(more than 10000 lines)"},
  };
  for (const TCase& c : cases) {
    GameFolder folder({});
    c.Damage(folder.Dir());
    testing::internal::CaptureStderr();
    TGameHarness game(kSeed);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              U8("farrowmere: cannot load the story " + story + " " + c.Reason + "; the game starts without it\n"))
        << c.Name;
    ASSERT_NE(Script, nullptr);
    game.RunFrames(2);
    for (int i = 0; i < 3; ++i) {
      game.Press(kAwayX, kAwayY);
      game.RunFrames(2);
    }
    EXPECT_EQ(ScriptLineCount, 0) << Lines();
    EXPECT_FALSE(game.Ended());
    EXPECT_EQ(game.FramesDrawn(), 8u) << c.Name << " scenario: the frames go on";
  }
}

// ---- The program itself -----------------------------------------------------------------------------

namespace {

// Runs the game program in the current folder, its output caught there.
TRun RunGameProgram() { return RunIn(".", std::string("timeout 20 ") + BuildPaths::Program + " --data dat", "."); }

}  // namespace

TEST(GameWarp, AWarpByReplayHandsTheProgramsFormOverInTheStateTheReplayReached) {
  GameFolder folder(Story);
  std::istringstream script(
      U8("press 300 300\nframes 2\npress 300 300\nframes 12\nclick ★情報\nframes 2\n"
         "press 300 300\nframes 2\npress 300 300\nframes 5\n"));
  std::vector<TReplayStep> steps;
  int errorLine = 0;
  std::string error;
  ASSERT_TRUE(ParseReplayScript(script, steps, errorLine, error)) << error;
  std::ostringstream unseen;
  std::string replayed;
  {
    TGameHarness game(kSeed);
    RunReplay(game, steps, ".", unseen);
    replayed = GameStateBlock();
  }
  // As the program does it: its own form, driven before its message loop runs; a player who
  // started before, as the harness plays, so that no first start's notice tells them apart.
  FixedRandomSeed = kSeed;
  StartUnits();
  WelcomeNewPlayers(false);
  auto form = std::make_unique<TFormMain>();
  WelcomeNewPlayers(true);
  {
    TGameHarness warp(*form);
    RunReplay(warp, steps, ".", unseen);
  }
  EXPECT_EQ(GameStateBlock(), replayed);
  EXPECT_NE(replayed.find(U8("idea: 6\nitems: 0\nencounter: 敵\n")), std::string::npos)
      << "a click paid, a wolf stands: " << replayed;
  form.reset();
  Application.ProcessMessages();  // the frame loop's call goes with the form
  StopUnits();
  FixedRandomSeed.reset();
  Application.ResetTerminated();
}

TEST(GameProgram, FinishExitsWithZeroAndAMissingPictureWithAnErrorNamingIt) {
  {
    GameFolder folder({"@start", "#finish", "ここには来ない。"});
    for (const char* name : {"farrow.mid", "cap_von01.wav"}) folder.CopyDat(name);
    TRun run = RunGameProgram();
    EXPECT_EQ(run.Status, 0) << run.Err;
  }
  {
    GameFolder folder(Story, false);
    folder.CopyDat("a.bmp");
    TRun run = RunGameProgram();
    EXPECT_NE(run.Status, 0);
    EXPECT_NE(run.Err.find(U8("ファイル dat/a2.bmp を開けません（No such file or directory）")), std::string::npos)
        << "the message must name the file and why: " << run.Err;
  }
}

TEST(GameProgram, AWarpToALabelTheStoryLacksIsAWrongOptionAndOneToALabelItHasPlays) {
  GameFolder folder({"@start", "#finish", "  @there  // a passage", "#finish"});
  for (const char* name : {"farrow.mid", "cap_von01.wav"}) folder.CopyDat(name);
  TRun wrong = RunIn(".", std::string("timeout 20 ") + BuildPaths::Program + " --data dat --warp @nope", ".");
  EXPECT_EQ(wrong.Status, 2) << "as every other wrong option, before a window or a box: " << wrong.Err;
  EXPECT_EQ(wrong.Err, "farrowmere: --warp @nope: the story has no such label\n");
  TRun there = RunIn(".", std::string("timeout 20 ") + BuildPaths::Program + " --data dat --warp @there", ".");
  EXPECT_EQ(there.Status, 0) << there.Err;
}

TEST(GameProgram, WithoutAnyFontTheTitleStillRunsAndStandardErrorNamesTheFaces) {
  GameFolder folder(Story);
  folder.Dir().Write("empty-fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
  TRun run = RunIn(
      ".",
      std::string("FONTCONFIG_FILE=$PWD/empty-fonts.conf timeout -s TERM 3 ") + BuildPaths::Program + " --data dat",
      ".");
  EXPECT_EQ(run.Status, 124) << run.Err;
  EXPECT_NE(run.Err.find(U8("farrowmere: no font for the face ＭＳ ")), std::string::npos) << run.Err;
  EXPECT_NE(run.Err.find("nor any fallback face); its texts will not show\n"), std::string::npos) << run.Err;
}

TEST(GameProgram, ACutTuneLeavesTheTitleSilentTheLogShortAndTheProgramEndsOnSigterm) {
  GameFolder folder(Story);
  const std::string tune = ReadAll(fs::path(BuildPaths::SourceDir) / "dat" / "farrow.mid");
  ASSERT_GT(tune.size(), 100u);
  folder.Dir().Write("dat/farrow.mid", tune.substr(0, tune.size() / 2));
  // Four seconds on the title, then SIGTERM; SIGKILL only if that did not end it.
  TRun run = RunIn(".", std::string("timeout -k 10 -s TERM 4 ") + BuildPaths::Program + " --data dat", ".");
  EXPECT_EQ(run.Status, 124) << "124: ended by SIGTERM; 137: it had to be killed";
  EXPECT_LT(run.Err.size(), 2000u) << run.Err.substr(0, 500);
}
