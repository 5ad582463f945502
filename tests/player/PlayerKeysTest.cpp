// The player's conveniences (player/) end to end: keys, clipboard, screenshots and the backlog
// on the real main form, as GameEndToEndTest plays the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <utility>

#include "app/Harness.h"
#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintFrame.h"
#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/ImageFile.h"
#include "platform/Sound.h"
#include "player/Notice.h"
#include "player/Player.h"
#include "player/ReadMarks.h"
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
  TBitmap shown;  // what the window shows before the notice of the screenshot comes over it
  game.Screenshot(shown);
  game.PressKey(VK_F12);
  std::vector<fs::path> saved;
  for (const auto& entry : fs::directory_iterator(pictures / "Farrowmere")) {
    if (ReadAll(entry.path()) != "taken") saved.push_back(entry.path());
  }
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_TRUE(std::regex_match(saved[0].filename().string(), std::regex(R"(farrowmere-\d{8}-\d{6}-2\.png)")))
      << saved[0];
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

TEST(PlayerKeys, AGameThatEndsLeavesNoListenerOnTheApplication) {
  {
    GameFolder folder(Story);
    TGameHarness game(kSeed);
    game.Press(kAwayX, kAwayY);
  }
  // One left behind would call into a player already freed at the next minimize.
  EXPECT_TRUE(Application.WindowHidden.Empty());
  EXPECT_TRUE(Application.FocusLost.Empty());
}

namespace {

// XDG_DATA_HOME and XDG_CONFIG_HOME of the test's own, for the read marks and the settings; the
// tests' usual ones come back after.
class TestHomes {
 public:
  explicit TestHomes(const ScratchDir& dir) {
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      const char* old = std::getenv(name);
      old_.emplace_back(name, old != nullptr ? old : "");
    }
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
  }
  ~TestHomes() {
    for (const auto& [name, value] : old_) setenv(name.c_str(), value.c_str(), 1);
  }
  TestHomes(const TestHomes&) = delete;
  TestHomes& operator=(const TestHomes&) = delete;

 private:
  std::vector<std::pair<std::string, std::string>> old_;
};

std::string LastLine() { return ScriptLineCount > 0 ? ScriptLines[ScriptLineCount - 1] : ""; }

void SkipFor(TGameHarness& game, int frames) {
  game.PressKey(VK_TAB);
  game.RunFrames(frames);
}

}  // namespace

TEST(PlayModes, SkipRunsThroughTheLinesReadInAnEarlierRunAndStopsOrWaitsWhereThePlayerMustLook) {
  struct TCase {
    const char* Name;
    std::vector<std::string> Middle;  // between the first three lines and the last two
    int FirstPresses;                 // the first run's, after the title's (which shows 一の文。)
    std::function<void(TGameHarness&)> Second;
    std::string Line;   // the last line on screen where skip stopped
    std::string Title;  // what the title says after "Farrowmere - "
    const char* Mode;   // "skip" while it waits for the player
  };
  const auto skip = [](TGameHarness& g) { SkipFor(g, 20); };
  const std::vector<TCase> cases = {
      {"the first unread line", {}, 1, skip, "三の文。", "スキップ終了：未読の文", ""},
      {"a line read before, again later", {"二の文。"}, 2, skip, "二の文。", "スキップ終了：未読の文", ""},
      {"Ctrl held",
       {},
       1,
       [](TGameHarness& g) { g.HoldKey(VK_CONTROL, ssCtrl, 20); },
       "三の文。",
       "スキップ終了：未読の文",
       ""},
      {"the end", {}, 5, skip, "五の文。", "スキップ終了：物語の終わり", ""},
      {"death", {"#poison 100", "毒で倒れた。"}, 4, skip, "毒で倒れた。", "スキップ終了：ゲームオーバー", ""},
      {"an enemy", {"#xxenemy 魔物 小鬼 3", "小鬼が現れた。"}, 4, skip, "小鬼が現れた。", "スキップ停止：敵", "skip"},
      {"damage", {"#poison 3", "毒だ。"}, 4, skip, "毒だ。", "スキップ停止：ダメージ", "skip"},
      {"an idea button",
       {"#xxinfo", "案内所がある。"},
       5,
       [](TGameHarness& g) {
         SkipFor(g, 20);
         EXPECT_EQ(g.IdeaButtonCaptions(), std::vector<std::string>{"★情報"}) << "never dismissed by skip";
       },
       "案内所がある。",
       "スキップ停止：アイデアボタン",
       "skip"},
      {"the player's press after an idea button",
       {"#xxinfo", "案内所がある。"},
       5,
       [](TGameHarness& g) {
         SkipFor(g, 20);
         g.Press(kAwayX, kAwayY);  // the player's decision: past the button
         g.RunFrames(20);
       },
       "五の文。",
       "スキップ終了：物語の終わり",
       ""},
      {"a new idea button dropped by the player's press, still above the play area",
       {"#xxinfo", "案内所がある。", "#xxinfo", "また案内所がある。"},
       6,
       [](TGameHarness& g) {
         SkipFor(g, 20);
         g.Press(kAwayX, kAwayY);  // past the first ★情報: the next line drops another above the play area
         // Skip's next look may come before the frame that moves the button in; here it does.
         TQuilTimer::Remove(FrameCallback);
         g.RunFrames(1);
         TQuilTimer::Add(FrameCallback, 50, "");
         g.RunFrames(12);
         EXPECT_EQ(g.IdeaButtonCaptions(), std::vector<std::string>{"★情報"}) << "never shattered unseen";
       },
       "また案内所がある。",
       "スキップ停止：アイデアボタン",
       "skip"},
      {"a description",
       {"#xxinfo", "案内所がある。"},
       5,
       [](TGameHarness& g) {
         SkipFor(g, 20);
         g.RunFrames(12);
         ASSERT_EQ(g.ClickIdeaButton("★情報"), TGameHarness::TIdeaClick::Clicked);
         g.RunFrames(3);
       },
       "案内所がある。",
       "スキップ停止：説明",
       "skip"},
      {"a click",
       {},
       5,
       [](TGameHarness& g) {
         SkipFor(g, 2);
         const std::string before = Lines();
         g.Press(kAwayX, kAwayY);
         EXPECT_EQ(Lines(), before) << "the click only stops skip";
       },
       "三の文。",
       "スキップ終了：入力",
       ""},
      {"a key",
       {},
       5,
       [](TGameHarness& g) {
         SkipFor(g, 2);
         g.PressKey('M');
         EXPECT_FALSE(Muted()) << "the key only stops skip";
       },
       "三の文。",
       "スキップ終了：入力",
       ""},
      {"a hidden window",
       {},
       5,
       [](TGameHarness& g) {
         SkipFor(g, 2);
         g.Minimize();
         g.Restore();
         g.RunFrames(3);
       },
       "三の文。",
       "スキップ終了：ウィンドウ",
       ""},
      {"a window without the focus",
       {},
       5,
       [](TGameHarness& g) {
         SkipFor(g, 2);
         Application.FocusLost.Notify();
         g.RunFrames(3);
       },
       "三の文。",
       "スキップ終了：ウィンドウ",
       ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<std::string> story = {"@start", "一の文。", "二の文。", "三の文。"};
    story.insert(story.end(), c.Middle.begin(), c.Middle.end());
    story.insert(story.end(), {"四の文。", "五の文。"});
    GameFolder folder(story);
    TestHomes homes(folder.Dir());
    {
      TGameHarness first(kSeed);
      for (int i = 0; i <= c.FirstPresses; ++i) first.Press(kAwayX, kAwayY);
    }
    TGameHarness game(kSeed);
    game.Press(kAwayX, kAwayY);  // the title
    c.Second(game);
    EXPECT_EQ(LastLine(), c.Line) << Lines();
    EXPECT_STREQ(PlayMode(), c.Mode);
    EXPECT_EQ(game.Form().Caption, "Farrowmere - " + c.Title);
  }
}

TEST(PlayModes, ACtrlChordStaysAChordAndAutoWaitsLongerForALongerLineAtTheChosenPace) {
  GameFolder folder({"@start", "一の文。", "二の文。", "とても長い三の文です、とても長い。", "四の文。", "五の文。"});
  TestHomes homes(folder.Dir());
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);  // the title, and the first line
  game.Input().KeyEvent(true, VK_CONTROL, ssCtrl);
  game.PressKey('C', ssCtrl);
  game.Input().KeyEvent(false, VK_CONTROL, ssCtrl);
  EXPECT_EQ(ClipboardText(), U8("一の文。")) << "Ctrl+C copies; the Ctrl it began with skips nothing";
  EXPECT_STREQ(PlayMode(), "");
  game.RunFrames(10);
  EXPECT_EQ(LastLine(), "一の文。");

  // Auto: 1,000 ms and 80 ms a character at pace 3; Shift+A's pace 4 takes 70 % of that.
  const auto waitFor = [&game](const std::string& line) {
    const uint32_t from = game.Now();
    for (int i = 0; i < 200 && LastLine() != line; ++i) game.RunFrames(1);
    EXPECT_EQ(LastLine(), line);
    return game.Now() - from;
  };
  game.PressKey('A');
  EXPECT_STREQ(PlayMode(), "auto");
  EXPECT_EQ(game.Form().Caption, "Farrowmere - オート中");
  const uint32_t first = waitFor("二の文。");  // at once on: the base time
  EXPECT_GE(first, 1000u);
  EXPECT_LT(first, 1000u + 110);
  const uint32_t second = waitFor("とても長い三の文です、とても長い。");  // after 二の文。, four characters
  EXPECT_GE(second, 1000u + 4 * 80);
  EXPECT_LT(second, 1000u + 4 * 80 + 110);
  game.PressKey('A', ssShift);
  const uint32_t third = waitFor("四の文。");  // after the seventeen characters of the long line
  EXPECT_GE(third, (1000u + 17 * 80) * 70 / 100);
  EXPECT_LT(third, (1000u + 17 * 80) * 70 / 100 + 110);
  game.PressKey('A');
  EXPECT_STREQ(PlayMode(), "");
  game.RunFrames(100);
  EXPECT_EQ(LastLine(), "四の文。") << "off again";
}

TEST(Notice, WhatTheTitleSaysShowsInABandOfThePlayAreaForTwoSecondsAndANewcomerIsToldTheKeyList) {
  GameFolder folder(Story);
  TestHomes homes(folder.Dir());
  const auto bandShows = [](TGameHarness& g) {
    TBitmap shown;
    g.Screenshot(shown);
    return TGameHarness::PixelAt(shown, 200, 176) == RGB(255, 128, 0);  // its orange rule
  };
  {
    TGameHarness game(kSeed, true);
    EXPECT_EQ(NoticeText(), "F1（パッドは Start）でキー操作の一覧") << "the first start: no settings file yet";
    game.RunFrames(2);
    EXPECT_TRUE(bandShows(game));
  }
  TGameHarness game(kSeed, true);
  EXPECT_EQ(NoticeText(), "") << "said once only";
  game.RunFrames(2);
  EXPECT_FALSE(bandShows(game)) << "nothing said, nothing drawn";
  game.Press(kAwayX, kAwayY);
  game.RunFrames(2);
  game.PressKey(VK_F5);
  EXPECT_EQ(NoticeText(), "クイックセーブしました");
  EXPECT_EQ(game.Form().Caption, "Farrowmere - クイックセーブしました");
  game.RunFrames(2);
  EXPECT_TRUE(bandShows(game));
  game.RunFrames(36);  // 1.9 s
  EXPECT_EQ(NoticeText(), "クイックセーブしました");
  game.RunFrames(4);
  EXPECT_EQ(NoticeText(), "") << "about two seconds";
  EXPECT_FALSE(bandShows(game));
  game.PressKey('M');
  EXPECT_EQ(NoticeText(), "消音中") << "mute, which the title shows as long as it lasts, is said too";
}

TEST(Settings, TheVolumesAndThePaceStayInRangeAndComeBackAsChosen) {
  GameFolder folder(Story);
  TestHomes homes(folder.Dir());
  {
    TGameHarness game(kSeed);
    game.PressKey(VK_F8);
    EXPECT_EQ(NoticeText(), "音楽 10/10") << "already the loudest";
    for (int i = 0; i < 3; ++i) game.PressKey(VK_F7);
    for (int i = 0; i < 6; ++i) game.PressKey(VK_F7, ssShift);
    for (int i = 0; i < 3; ++i) game.PressKey('A', ssShift);  // from 3: 4, 5 and round to 1
    EXPECT_EQ(NoticeText(), "オートの速さ 1/5");
    game.PressKey('M');
  }
  testing::internal::CaptureStderr();
  TGameHarness game(kSeed);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the settings written are read back whole";
  EXPECT_EQ(MusicVolume(), 7);
  EXPECT_EQ(SoundVolume(), 4);
  EXPECT_TRUE(Muted());
  game.PressKey('A', ssShift);
  EXPECT_EQ(NoticeText(), "オートの速さ 2/5") << "the pace came back as chosen";
}

TEST(PlayModes, ModifierKeysLeaveAutoOnAndTheReadMarksAreWrittenDuringPlay) {
  std::vector<std::string> story = {"@start"};
  for (int i = 1; i <= 40; ++i) story.push_back("line " + std::to_string(i));
  GameFolder folder(story);
  TestHomes homes(folder.Dir());
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);
  game.PressKey('A');
  for (const auto& [key, shift] : {std::pair<uint32_t, unsigned>{'A', ssShift}, {'C', ssCtrl}, {VK_MENU, ssAlt}}) {
    game.PressKey(key, shift);  // Shift, Ctrl or Alt first, as a keyboard sends them
    EXPECT_STREQ(PlayMode(), "auto") << key;
  }
  game.PressKey('A');
  // The harness sends a chord as a keyboard does: the modifiers' own keys around the key.
  std::vector<std::string> sent;
  const int listener = game.Form().KeyPreview.Add([&sent](TInputRouter&, const TKeyEvent& key) {
    sent.push_back(std::to_string(key.VirtualKey) + (key.Down() ? " down " : " up ") + std::to_string(key.Shift));
    return false;
  });
  game.PressKey('Q', ssShift | ssAlt);
  game.Form().KeyPreview.Remove(listener);
  const auto event = [](uint32_t key, bool down, unsigned shift) {
    return std::to_string(key) + (down ? " down " : " up ") + std::to_string(shift);
  };
  EXPECT_EQ(sent, (std::vector<std::string>{event(VK_MENU, true, ssAlt), event(VK_SHIFT, true, ssAlt | ssShift),
                                            event('Q', true, ssAlt | ssShift), event('Q', false, ssAlt | ssShift),
                                            event(VK_SHIFT, false, ssAlt), event(VK_MENU, false, 0)}));
  // Thirty lines read and the game still running, as a kill would leave it: most of them are on disk.
  for (int i = 0; i < 30; ++i) game.Press(kAwayX, kAwayY);
  TReadMarks marks;
  std::string why;
  ASSERT_TRUE(ParseReadMarks(ReadAll(ReadMarksFile()), marks, why)) << why;
  EXPECT_GE(marks.size(), 25u);
}

TEST(PadFocus, TheRingLeavesAButtonThatGoesEvenWhenANewOneFallsInItsPlace) {
  GameFolder folder({"@start", "一の文。", "#xxinfo", "案内所がある。", "#xxinfo", "また案内所がある。"});
  TestHomes homes(folder.Dir());
  TGameHarness game(kSeed);
  game.Press(kAwayX, kAwayY);  // the title
  game.RunFrames(2);
  game.Press(kAwayX, kAwayY);  // ★情報 falls
  game.RunFrames(12);
  std::string error;
  ASSERT_TRUE(game.PressPadButton(VK_GAMEPAD_DPAD_DOWN, error)) << error;  // through SDL's controller
  EXPECT_EQ(PadChoice(), 1);
  // A press dismisses it and the next line drops a new one in its place; the frame moves that
  // into the play area before the ring's next look, as it may when both are due at once.
  ShatterIdeaButtons();
  SpawnIdeaButton("★情報");
  MoveIdeaButtons();
  EXPECT_EQ(game.IdeaButtonCaptions(), std::vector<std::string>{"★情報"});
  EXPECT_EQ(PadChoice(), 0) << "a new button is not the one the player chose";
}
