// SaveFilesTest -- saves on disk: damaged and foreign saves are refused with their one line and
// change nothing while the good ones still load; a write cut short leaves the old save whole;
// a folder that cannot be written is one line and the game goes on. Every folder is a
// temporary one.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Harness.h"
#include "app/Replay.h"
#include "author/LiveStory.h"
#include "game/SaveText.h"
#include "game/UnitEnemy.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "platform/Files.h"
#include "player/PlayerSave.h"
#include "player/ReadMarks.h"
#include "player/SaveFiles.h"
#include "player/Settings.h"
#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// The shipped game started as the program starts it, its home and XDG folders temporary.
class SaveFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PointHomesAt(home_);
    fs::current_path(BuildPaths::SourceDir);
    game_ = std::make_unique<TGameHarness>(1);
  }
  void TearDown() override {
    game_.reset();
    SetPersistence(true);
  }

  // The game as a save would hold it, without the time of day.
  static std::string Game() {
    TSaveGame save = CaptureGame();
    save.SavedAt.clear();
    return WriteSaveText(save);
  }
  void Presses(int count) {
    for (int i = 0; i < count; ++i) {
      game_->Press(300, 200);
      game_->RunFrames(2);
    }
  }
  // A save of the game as it stands, in slot 1.
  std::string GoodSave() {
    EXPECT_EQ(SaveGameTo("1"), "");
    return ReadAll(SlotFile("1"));
  }

  ScratchDir home_;
  std::unique_ptr<TGameHarness> game_;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

}  // namespace

TEST_F(SaveFilesTest, DamagedAndForeignSavesAreRefusedWithTheirLineWhileTheOthersStillLoad) {
  Presses(12);
  const std::string good = GoodSave();
  const std::string atSave = Game();
  const std::string hp = "hp " + std::to_string(HP) + "\n";
  ASSERT_EQ(Platform::WriteFileSafely(SlotFile("2"), good), "");
  Presses(3);  // the game moves on from the saves
  struct TCase {
    const char* What;
    std::string Bytes;
    std::string Says;
  };
  const std::vector<TCase> cases = {
      {"cut short", good.substr(0, good.size() / 2), "セーブ 1：壊れています"},
      {"no end line", good.substr(0, good.size() - 4),
       ("セーブ 1：壊れています（" + std::to_string(std::count(good.begin(), good.end(), '\n')) +
        " 行目：途中で切れています）")},
      {"garbage",
       std::string("\x7f"
                   "ELF\x02\x01\x01\0\0\0",
                   10) +
           good,
       "セーブ 1：セーブではありません（1 行目）"},
      {"empty file", "", "セーブ 1：セーブではありません"},
      {"oversized", good + std::string(SaveTextMax, 'x'), "セーブ 1：大きすぎるので読みません"},
      {"a newer format", Replace(good, "farrowmere-save 2", "farrowmere-save 3"),
       "セーブ 1：この版の知らない形式です（1 行目）"},
      {"a broken story identity", Replace(good, "story ", "story X"),
       "セーブ 1：壊れています（2 行目：story の値が読めません）"},
      {"another story's identity", Replace(good, "story farrowmere\n", "story data-0123456789abcdef\n"),
       "セーブ 1：別の物語のセーブです"},
      {"an unknown key", Replace(good, hp, hp + "gold 100\n"), "セーブ 1：壊れています"},
      {"a missing key", Replace(good, hp, ""), "セーブ 1：壊れています"},
      {"a key twice", Replace(good, hp, hp + hp), "セーブ 1：壊れています"},
      {"an eleventh item", Replace(good, "last-item ", Repeat("item a\n", 11) + "last-item "),
       "セーブ 1：壊れています"},
      {"a number too large", Replace(good, hp, "hp 2147483648\n"), "セーブ 1：壊れています"},
      {"a broken escape", Replace(good, "encounter ", "encounter %G1"), "セーブ 1：壊れています"},
      {"a hue out of range", Replace(good, "hue 0\n", "hue 384\n"), "セーブ 1：壊れています"},
      {"an idea button below the bottom", Replace(good, "hidden enabled 0 ", "hidden enabled 484 "),
       "セーブ 1：壊れています"},
      {"a line gone from the story", Replace(good, "place 1 ", "place 1 9 x"),
       "セーブ 1：この物語に合いません（物語が変わり、保存した行がありません）"},
      {"a passage gone from the story", Replace(good, "passage @", "passage @gone"), "セーブ 1：この物語に合いません"},
      {"a glow far away", Replace(good, "glow white ", "glow white 2000000000 "), "セーブ 1：壊れています"},
      {"text after the end", good + "hp 99\n", "セーブ 1：壊れています"},
      {"a thumbnail short of its pixels", Replace(good, "end\n", "thumbnail 2 2 ffffff\nend\n"),
       "セーブ 1：壊れています"},
  };
  const std::string before = Game();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    ASSERT_EQ(Platform::WriteFileSafely(SlotFile("1"), c.Bytes), "");
    ::testing::internal::CaptureStderr();
    const std::string says = LoadGameFrom("1");
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(says.rfind(c.Says, 0), 0u) << U8(says);
    EXPECT_EQ(told.rfind("farrowmere: save 1 (" + SlotFile("1") + ") not loaded: ", 0), 0u) << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << "one line on standard error: " << told;
    EXPECT_EQ(Game(), before) << "a refused save changes nothing";
    EXPECT_EQ(ReadAll(SlotFile("1")), c.Bytes) << "a refused save stays on disk as it was";
  }
  EXPECT_EQ(LoadGameFrom("3"), "セーブ 3：空です");
  fs::create_directories(SlotFile("4"));
  EXPECT_EQ(LoadGameFrom("4"), "セーブ 4：読めません");
  fs::create_symlink(SlotFile("2"), SlotFile("5"));
  EXPECT_EQ(LoadGameFrom("5"), "セーブ 5：読めません") << "a save is a file the game wrote, never a link";
  EXPECT_EQ(Game(), before);

  EXPECT_EQ(LoadGameFrom("2"), "") << "the good save still loads";
  EXPECT_EQ(Game(), atSave);
}

TEST_F(SaveFilesTest, ASaveOfFormatOneInTheFolderNamedByTheFilesHashStillLoads) {
  Presses(12);
  const std::string atSave = Game();
  // Format 1 as the game wrote it: the story named by its file's hash, no place in the story.
  std::string text = Replace(Replace(Game(), "farrowmere-save 2", "farrowmere-save 1"), "story farrowmere\n",
                             "story " + StoryFileId + "\n");
  for (const char* key : {"\nstory-text ", "\npassage ", "\nplace "}) {
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    text.erase(at + 1, text.find('\n', at + 1) - at);
  }
  ASSERT_EQ(
      Platform::WriteFileSafely((fs::path(SavesFolder()).parent_path() / StoryFileId / "slot-05.save").string(), text),
      "");
  Presses(3);
  EXPECT_EQ(U8(LoadGameFrom("5")), "");
  EXPECT_EQ(Game(), atSave);

  // An idea button that fell out unpressed keeps its last top, up to 483.
  ASSERT_EQ(Platform::WriteFileSafely(SlotFile("6"), Replace(atSave, "hidden enabled 0 ", "hidden enabled 483 ")), "");
  EXPECT_EQ(U8(LoadGameFrom("6")), "");
}

TEST_F(SaveFilesTest, AWriteCutShortLeavesTheOldSaveWholeAndAFolderThatCannotBeWrittenIsOneLine) {
  const std::string old = GoodSave();
  Presses(12);
  const pid_t child = fork();
  if (child == 0) {
    // The disk is full after 100 bytes: the write fails part-way.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(SaveGameTo("1") == "セーブ 1：書き込めませんでした" ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failed write is one line";
  EXPECT_EQ(ReadAll(SlotFile("1")), old) << "the old save is whole";
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(fs::path(SlotFile("1")).parent_path())) {
    // Beside the saves: the read marks, and the autosave of each passage.
    if (entry.path().filename() != "read-marks" && entry.path().filename() != "auto.save")
      files.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(files, std::vector<std::string>{"slot-01.save"}) << "no temporary file is left behind";

  setenv("XDG_DATA_HOME", home_.Write("a-file", "").c_str(), 1);
  EXPECT_EQ(SaveGameTo("1"), "セーブ 1：書き込めませんでした");
  const std::string before = Game();
  Presses(1);
  EXPECT_NE(Game(), before) << "the game goes on";

  // Without persistence nothing reaches the disk; saves last as long as the program.
  setenv("XDG_DATA_HOME", home_.File("quiet").c_str(), 1);
  SetPersistence(false);
  EXPECT_EQ(SaveGameTo("5"), "");
  EXPECT_EQ(LoadGameFrom("5"), "");
  EXPECT_FALSE(fs::exists(home_.File("quiet")));
}

// A game killed while it wrote left its temporary file; the next start removes it, and only
// such files: none of a game still running, none written since the start, nothing else.
TEST_F(SaveFilesTest, TheNextStartRemovesTheTemporaryFilesAKilledGameLeftAndNothingElse) {
  const fs::path folder = SavesFolder();
  fs::create_directories(folder);
  const pid_t killed = fork();
  if (killed == 0) _exit(0);
  waitpid(killed, nullptr, 0);
  const pid_t other = fork();  // another game, still running
  if (other == 0) {
    pause();
    _exit(0);
  }
  struct TReaper {
    pid_t Pid;
    ~TReaper() {
      kill(Pid, SIGKILL);
      waitpid(Pid, nullptr, 0);
    }
  } reaper{other};
  const std::string gone = std::to_string(killed), running = std::to_string(other);
  // A file of this process's number is a killed run's too (a sandbox numbers each run alike).
  const std::vector<std::string> stale = {"slot-02.save.tmp-" + gone, "read-marks.tmp-" + gone,
                                          "auto.save.tmp-" + std::to_string(getpid())};
  const std::vector<std::string> kept = {"slot-02.save", "notes.tmp", "slot-03.save.tmp-" + running,
                                         "slot-04.save.tmp-x" + gone, "slot-05.save.tmp-" + gone};
  const auto before = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const std::vector<std::string>* names : {&stale, &kept}) {
    for (const std::string& name : *names) {
      std::ofstream(folder / name) << "x";
      if (name != kept.back()) fs::last_write_time(folder / name, before);  // the last one is new
    }
  }
  fs::create_directory(folder / ("slot-06.save.tmp-" + gone));
  fs::last_write_time(folder / ("slot-06.save.tmp-" + gone), before);

  game_ = std::make_unique<TGameHarness>(1);
  for (const std::string& name : stale) EXPECT_FALSE(fs::exists(folder / name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder / name)) << name;
  EXPECT_TRUE(fs::is_directory(folder / ("slot-06.save.tmp-" + gone)));
}

TEST_F(SaveFilesTest, DamagedReadMarksAreRefusedWithOneLineKeptAsTheyAreAndTheGamePlaysOn) {
  Presses(3);
  game_.reset();  // the marks are written as the game ends
  TReadMarks marks;
  ASSERT_TRUE(ReadReadMarks(marks));
  EXPECT_EQ(marks.size(), 3u) << "the three story lines shown";
  const std::string good = ReadAll(ReadMarksFile());
  for (const std::string& bad : {Replace(good, "farrowmere-read 1", "farrowmere-read 2"), good + "0123\n",
                                 good + "0123456789abcdeg\n", Repeat(good, 2)}) {
    home_.Write(ReadMarksFile().substr(home_.File("").size()), bad);
    testing::internal::CaptureStderr();
    game_ = std::make_unique<TGameHarness>(1);
    Presses(3);
    game_.reset();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("read marks"), std::string::npos) << said;
    EXPECT_EQ(ReadAll(ReadMarksFile()), bad) << "a refused file stays as it is";
  }
}

TEST(Settings, TheySurviveARestartAndAFileNotUnderstoodIsIgnoredWithOneLine) {
  ScratchDir home;
  setenv("HOME", home.File("home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
  EXPECT_EQ(SettingsFile(), home.File("config/farrowmere/settings"));
  EXPECT_EQ(ReadSettings(), TSettings{}) << "no file: the defaults";
  const TSettings chosen{3, true, true, 4, 7, 5};
  ASSERT_TRUE(WriteSettings(chosen));
  EXPECT_EQ(ReadSettings(), chosen);
  for (const std::string& bad : {std::string("factor 3\n"), SettingsText(chosen) + "volume 11\n",
                                 Replace(SettingsText(chosen), "music-volume 4", "music-volume 11"),
                                 Replace(SettingsText(chosen), "mute yes", "mute maybe"),
                                 Replace(SettingsText(chosen), "auto-pace 5", "auto-pace 6")}) {
    home.Write("config/farrowmere/settings", bad);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ReadSettings(), TSettings{}) << bad;
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsFile(), home.File("home/.config/farrowmere/settings"));
}

// An author adds two lines above the place a save was made: the save goes on at the same line
// of the edited story (the stray dog does not come again) and says the story changed; a save
// whose line was taken out is refused with why.
TEST_F(SaveFilesTest, ASaveGoesOnAtItsLineAfterTwoLinesWereAddedAboveItAndIsRefusedWhenTheLineIsGone) {
  game_.reset();
  const std::string story = home_.Write("story.txt", ReadAll(fs::path(BuildPaths::SourceDir) / "story" / "story.txt"));
  std::ostringstream findings;
  ASSERT_TRUE(Story::UseStory(story, findings)) << findings.str();
  game_ = std::make_unique<TGameHarness>(1);
  for (int i = 0; i < 60 && Enemy.Name != "野良犬"; ++i) Presses(1);
  ASSERT_EQ(Enemy.Name, "野良犬");
  Presses(2);
  ASSERT_EQ(SaveGameTo("1"), "");
  const std::string atSave = GameStateBlock();
  std::vector<std::string> goesOn;  // the run that was never saved
  for (int i = 0; i < 8; ++i) {
    Presses(1);
    goesOn.push_back(GameStateBlock());
  }
  game_.reset();

  std::string text = ReadAll(story);
  const std::string label = "\n@start\n";
  text.insert(text.find(label) + label.size(), U8("港の鐘が二つ鳴った。\n霧の向こうで誰かが笑った。\n"));
  home_.Write("story.txt", text);
  ASSERT_TRUE(Story::UseStory(story, findings)) << findings.str();
  game_ = std::make_unique<TGameHarness>(1);
  EXPECT_EQ(U8(LoadGameFrom("1")), "");
  EXPECT_EQ(LoadedWords("読み込みました"), "読み込みました（物語が変わっています）");
  EXPECT_EQ(GameStateBlock(), atSave);
  for (const std::string& expected : goesOn) {
    Presses(1);
    EXPECT_EQ(GameStateBlock(), expected) << "the same line and no second dog";
  }
  game_.reset();

  // The line the save stood at taken out of the story.
  TSaveGame saved;
  ASSERT_EQ(ReadSaveText(ReadAll(SlotFile("1")), saved).Why, "");
  const std::string gone = U8(saved.PlaceText) + "\n";
  ASSERT_NE(text.find(gone), std::string::npos);
  text.erase(text.find(gone), gone.size());
  home_.Write("story.txt", text);
  ASSERT_TRUE(Story::UseStory(story, findings)) << findings.str();
  game_ = std::make_unique<TGameHarness>(1);
  const std::string before = Game();
  EXPECT_EQ(LoadGameFrom("1"), "セーブ 1：この物語に合いません（物語が変わり、保存した行がありません）");
  EXPECT_EQ(Game(), before);
  game_.reset();
  UseStoryLines("", {});  // the shipped story again
}
