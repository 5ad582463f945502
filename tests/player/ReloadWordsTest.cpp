// ReloadWordsTest -- an author's reload (--story, Shift+R) told in the title bar's words: what
// was reloaded, or the first error of a broken edit for as long as the docs say.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/Harness.h"
#include "author/LiveStory.h"
#include "game/UnitScript.h"
#include "tests/TestSupport.h"
#include "tests/app/GameFolder.h"

using namespace Platform;

TEST(ReloadWords, ShiftRReloadsAnAuthorsStoryAndTheTitleSaysWhatWasReloadedOrWhyNot) {
  GameFolder folder({});  // the pictures; the story is the source below
  std::ofstream("story.txt") << "@start\nA\n#end\n";
  std::ostringstream findings;
  ASSERT_TRUE(Story::UseStory("story.txt", findings)) << findings.str();
  {
    TGameHarness game(kSeed);
    std::ofstream("story.txt") << "@start\nA, edited\n#end\n";
    game.PressKey('R', ssShift);
    EXPECT_EQ(game.Form().Caption, "Farrowmere - story.txt を読み込み直しました");
    game.RunFrames(45);  // 2.3 s
    EXPECT_EQ(game.Form().Caption, "Farrowmere") << "the title's words last two seconds";

    std::ofstream("story.txt") << "@start\n#goto @nowhere\n";
    testing::internal::CaptureStderr();
    game.PressKey('R', ssShift);
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("story.txt:2:", 0), 0u) << "the first error, once";
    EXPECT_EQ(game.Form().Caption.rfind("Farrowmere - story.txt:2:", 0), 0u) << game.Form().Caption;
    game.RunFrames(76);  // 3.9 s
    EXPECT_NE(game.Form().Caption, "Farrowmere") << "a broken edit shows for the four seconds the docs say";
    game.RunFrames(3);
    EXPECT_EQ(game.Form().Caption, "Farrowmere");

    // A broken edit soon after one that took: the first words' end does not cut it short.
    std::ofstream("story.txt") << "@start\nA, edited again\n#end\n";
    game.PressKey('R', ssShift);
    game.RunFrames(20);  // 1 s
    std::ofstream("story.txt") << "@start\n#goto @nowhere\n";
    testing::internal::CaptureStderr();
    game.PressKey('R', ssShift);
    testing::internal::GetCapturedStderr();
    game.RunFrames(76);
    EXPECT_EQ(game.Form().Caption.rfind("Farrowmere - story.txt:2:", 0), 0u) << game.Form().Caption;
  }
  UseStoryLines("", {});  // the other tests play the enciphered story
}
