// LiveStoryTest -- an author's story played with --story and watched while the game runs: a
// save of the file brings the new text into the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "app/Harness.h"
#include "author/LiveStory.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "tests/app/GameFolder.h"

// A typo fixed keeps the file's length: its new time alone must bring the fix into the game.
// (The durations come with <filesystem>; <chrono> itself cannot be compiled to CP932.)
TEST(LiveStory, ATypoFixedAndSavedIsPlayedThoughTheFileKeptItsLength) {
  GameFolder folder({});
  const std::string story = folder.Dir().Write("story.txt", U8("@start\n一行目。\n二行目だ。\n#end\n"));
  ASSERT_TRUE(Story::UseStory(story, std::cerr));
  {
    TGameHarness game(kSeed);
    Story::WatchStory(game.Form());
    game.Press(kAwayX, kAwayY);  // the title
    game.RunFrames(2);
    const auto saved = fs::last_write_time(story);
    const auto length = fs::file_size(story);
    folder.Dir().Write("story.txt", U8("@start\n一行目。\n二行目よ。\n#end\n"));
    ASSERT_EQ(fs::file_size(story), length);
    fs::last_write_time(story, saved + std::chrono::seconds(1));  // as a save a second later
    game.RunFrames(12);                                           // the watch looks twice a second
    game.Press(kAwayX, kAwayY);
    game.RunFrames(2);
    EXPECT_EQ(ScriptLineCount, 2) << Lines();
    EXPECT_EQ(ScriptLines[1], "二行目よ。") << Lines();
  }
  UseStoryLines("", {});
}
