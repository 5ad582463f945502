// The player's conveniences (player/) end to end: keys, clipboard, screenshots and the backlog
// on the real main form, as GameEndToEndTest plays the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>

#include "app/Harness.h"
#include "game/UnitMain.h"
#include "platform/Clipboard.h"
#include "platform/ImageFile.h"
#include "player/Player.h"
#include "tests/TestSupport.h"
#include "tests/app/GameFolder.h"

using namespace Platform;

TEST(PlayerKeys, CtrlCCopiesTheStoryLinesOnScreenAndShiftCCopiesEachNewLine) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  SetClipboardText("before");
  game.PressKey('C', ssCtrl);
  EXPECT_EQ(ClipboardText(), "before") << "the title covers the story's lines: nothing to copy";
  game.Press(kAwayX, kAwayY);
  PressUntilLine(game, "案内所がある。");
  game.PressKey('C', ssCtrl);
  EXPECT_EQ(ClipboardText(), U8("港町ファロウに着いた。\n案内所がある。")) << "UTF-8, one line each";

  game.PressKey('C', ssShift);
  EXPECT_NE(game.Form().Caption.find("Farrowmere - "), std::string::npos) << "the title shows the mode";
  game.Press(kAwayX, kAwayY);
  EXPECT_EQ(ClipboardText(), U8("オオカミが現れた。")) << "each new line as it appears";
  game.PressKey('C', ssShift);
  EXPECT_EQ(game.Form().Caption, "Farrowmere");
  game.Press(kAwayX, kAwayY);
  EXPECT_EQ(ClipboardText(), U8("オオカミが現れた。")) << "off again: new lines stay off the clipboard";
}

TEST(PlayerKeys, F12SavesWhatTheWindowShowsInThePicturesFolderUnderANewNameAndSaysWhere) {
  GameFolder folder(Story);
  // A home without the desktop's folder list: the pictures folder comes from the environment.
  setenv("HOME", folder.Dir().File("home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", folder.Dir().File("home/.config").c_str(), 1);
  unsetenv("XDG_PICTURES_DIR");
  EXPECT_EQ(ScreenshotFolder(), folder.Dir().File("home/Pictures/Farrowmere"));
  const fs::path pictures = folder.Dir().File("pictures");
  setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);
  ASSERT_EQ(ScreenshotFolder(), (pictures / "Farrowmere").string());

  TGameHarness game(kSeed);
  game.RunFrames(3);
  // The names of this second and the next are taken: the picture gets a suffix.
  fs::create_directories(pictures / "Farrowmere");
  for (std::time_t t : {std::time(nullptr), std::time(nullptr) + 1}) {
    char name[64];
    std::tm local{};
    localtime_r(&t, &local);
    std::strftime(name, sizeof name, "farrowmere-%Y%m%d-%H%M%S.png", &local);
    std::ofstream(pictures / "Farrowmere" / name) << "taken";
  }
  game.PressKey(VK_F12);
  std::vector<fs::path> saved;
  for (const auto& entry : fs::directory_iterator(pictures / "Farrowmere")) {
    if (ReadAll(entry.path()) != "taken") saved.push_back(entry.path());
  }
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_TRUE(std::regex_match(saved[0].filename().string(), std::regex(R"(farrowmere-\d{8}-\d{6}-2\.png)")))
      << saved[0];
  TBitmap shown;
  game.Screenshot(shown);
  ASSERT_EQ(shown.Width(), 400);
  SavePngFile(shown, folder.Dir().File("shown.png"));
  EXPECT_TRUE(ReadAll(saved[0]) == ReadAll(folder.Dir().File("shown.png"))) << "the play area with its buttons";
  EXPECT_NE(game.Form().Caption.find(saved[0].string()), std::string::npos) << game.Form().Caption;
  game.RunFrames(45);  // 2.3 s
  EXPECT_EQ(game.Form().Caption, "Farrowmere") << "the title names the file for two seconds";

  // Alt+S too; a folder that cannot be made says so on standard error and the game goes on.
  setenv("XDG_PICTURES_DIR", folder.Dir().File("shown.png/below").c_str(), 1);
  testing::internal::CaptureStderr();
  game.PressKey('S', ssAlt);
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("farrowmere: the screenshot was not saved: "), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(game.Form().Caption, "Farrowmere - スクリーンショットを保存できませんでした") << "and so does the title";
  game.RunFrames(45);
  // M mutes and unmutes; the title says so meanwhile.
  game.PressKey('M');
  EXPECT_EQ(game.Form().Caption, "Farrowmere - 消音中");
  game.PressKey('M');
  EXPECT_EQ(game.Form().Caption, "Farrowmere");
  game.Press(kAwayX, kAwayY);
  EXPECT_FALSE(TitleShowing);
}

TEST(PlayerKeys, TheBacklogKeepsTheLast2000LinesInOrder) {
  std::vector<std::string> story = {"@start"};
  for (int i = 1; i <= 2050; ++i) story.push_back("line " + std::to_string(i));
  GameFolder folder(story);
  TGameHarness game(kSeed);
  for (int i = 0; i < 2050; ++i) game.Press(kAwayX, kAwayY);  // the title, then 2,049 steps
  game.TurnWheel(1);
  TBacklogView view = Backlog();
  ASSERT_TRUE(view.Open);
  EXPECT_EQ(view.Count, BacklogCapacity);
  ASSERT_FALSE(view.Lines.empty());
  EXPECT_EQ(view.Lines.back(), "line 2050") << "the newest page first";
  for (int i = 0; i < 200; ++i) game.PressKey(VK_PRIOR);
  view = Backlog();
  EXPECT_EQ(view.First, 1);
  ASSERT_FALSE(view.Lines.empty());
  EXPECT_EQ(view.Lines.front(), "line 51") << "the oldest lines drop out first";
}

TEST(PlayerKeys, AHeldKeyPlaysOnlyOnItsFirstPress) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);  // the title
  game.RunFrames(2);
  const std::string before = Lines();
  for (uint32_t key : {VK_SPACE, VK_RETURN, VK_RIGHT, VK_DOWN}) {
    game.Input().KeyEvent(true, key, 0, true);  // the keyboard repeating a held key
    EXPECT_EQ(Lines(), before) << "a held key " << key << " would play a turn at the keyboard's rate";
  }
}
