// ReplayToolTest -- farrow-replay run as a program. Scripts beside this file play the shipped
// game (the repository's dat/) or a scenario of their own; what they print must match the
// .expected file beside each script byte for byte.
//
// After a deliberate change of the game, renew an expected file from the repository root and
// read the difference before committing it:
//   build/tools/farrow-replay tests/replay/NAME.replay > tests/replay/NAME.expected
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cipher/QuilCrypt.h"
#include "platform/TextCodec.h"
#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

const fs::path Scripts = BuildPaths::ReplayScripts;

const fs::path Repository = BuildPaths::SourceDir;

// Runs the tool in folder with the arguments (already quoted where needed), after prefix (a
// change of the environment). Its home and XDG folders are the capture folder's, never the
// real ones.
TRun Replay(const fs::path& folder, const std::string& args, const ScratchDir& capture,
            const std::string& prefix = "") {
  const std::string home = "env HOME='" + capture.File("home") + "' XDG_DATA_HOME='" + capture.File("data") +
                           "' XDG_CONFIG_HOME='" + capture.File("config") + "' ";
  return RunIn(folder.string(), home + prefix + "timeout 120 " + BuildPaths::ReplayTool + " " + args, capture.File(""));
}

std::string ScriptArg(const std::string& name) { return "'" + (Scripts / (name + ".replay")).string() + "'"; }

// The first line where the output leaves the expected file, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream e(expected), a(actual);
  std::string le, la;
  for (int line = 1;; ++line) {
    bool moreE = static_cast<bool>(std::getline(e, le));
    bool moreA = static_cast<bool>(std::getline(a, la));
    if (!moreE && !moreA) return "same lines, different line ends";
    if (!moreE || !moreA || le != la) {
      return "output line " + std::to_string(line) + ": expected [" + (moreE ? le : "<end>") + "], printed [" +
             (moreA ? la : "<end>") + "]";
    }
  }
}

// Plays NAME.replay in folder and compares what it prints with NAME.expected.
TRun ExpectReplay(const std::string& name, int status, const fs::path& folder = Repository) {
  ScratchDir capture;
  TRun run = Replay(folder, "--shots '" + capture.File("") + "' " + ScriptArg(name), capture);
  EXPECT_EQ(run.Status, status) << name << ": " << run.Err;
  std::string expected = ReadAll(Scripts / (name + ".expected"));
  EXPECT_FALSE(expected.empty()) << name << ".expected is missing";
  EXPECT_TRUE(run.Out == expected) << name << ": " << FirstDifference(expected, run.Out);
  return run;
}

// A working folder with the game's pictures and a scenario of its own (UTF-8 source beside
// the scripts), enciphered as the game ships its story.
class OwnScenario {
 public:
  explicit OwnScenario(const std::string& storyName) {
    fs::create_directories(dir_.File("dat"));
    for (const char* name : {"a.bmp", "a2.bmp", "una.bmp", "icon.bmp", "farrow.mid", "cap_von01.wav", "dun.wav"}) {
      fs::copy_file(Repository / "dat" / name, dir_.File(std::string("dat/") + name));
    }
    std::ifstream in(Scripts / storyName);
    std::vector<std::string> lines;
    for (std::string utf8; std::getline(in, utf8);) {
      std::string cp932;
      size_t bad = 0;
      EXPECT_TRUE(Platform::Utf8ToCp932(utf8, cp932, bad)) << storyName << ": " << utf8;
      lines.push_back(cp932);
    }
    std::string bytes;
    for (const std::string& line : TQuilCrypt::EncodeLines(lines, "fable.txt")) bytes += line + "\r\n";
    dir_.Write("dat/story.crp.txt", bytes);
  }
  fs::path Folder() const { return dir_.File(""); }

 private:
  ScratchDir dir_;
};

}  // namespace

// ---- The shipped game ------------------------------------------------------------------------

TEST(ReplayShippedGame, TheTitlePressOnlyDismissesTheTitle) { ExpectReplay("title", 0); }

TEST(ReplayShippedGame, RouteMistClearsTheTownAndTheExitButtonEndsTheProgram) {
  TRun run = ExpectReplay("route-mist", 0);
  EXPECT_TRUE(run.Out.ends_with("terminated\n")) << "★退出 ends the program; the lines after it do not run";
}

TEST(ReplayShippedGame, RouteAwakeningBreaksTheWorldAndWakesUp) {
  TRun run = ExpectReplay("route-awakening", 0);
  EXPECT_NE(run.Out.find("world: broken"), std::string::npos);
  EXPECT_TRUE(run.Out.ends_with("terminated\n")) << "#finish ends the program";
}

TEST(ReplayShippedGame, DeathShowsGameOverAndThePressAfterRestartsFromTheTitle) { ExpectReplay("death-restart", 0); }

TEST(ReplayShippedGame, BackspaceAfterADeathGivesBackTheGameAsItStoodBeforeTheFatalPress) {
  TRun run = ExpectReplay("step-back-death", 0);
  std::vector<std::string> blocks;
  for (size_t at = run.Out.find("--- state"); at != std::string::npos;) {
    const size_t next = run.Out.find("--- state", at + 1);
    blocks.push_back(run.Out.substr(at, next - at));
    at = next;
  }
  ASSERT_EQ(blocks.size(), 6u);
  EXPECT_EQ(blocks[2], blocks[0]) << "Backspace on the game-over screen";
  EXPECT_NE(blocks[4].find("hp: -3/10"), std::string::npos) << "back over the new game: the game-over screen";
  EXPECT_NE(blocks[5].find("hp: 1/10"), std::string::npos) << "and over the death";
}

TEST(ReplayShippedGame, TheDeforceCounteredKeepsIdeaPower) { ExpectReplay("deforce-countered", 0); }

TEST(ReplayShippedGame, TheDeforceNotCounteredGreysTheButtonsAndTheirClickCannotBeDone) {
  TRun run = ExpectReplay("deforce-not-countered", 3);
  // The script's last line clicks the greyed-out ★斬撃.
  std::string script = ReadAll(Scripts / "deforce-not-countered.replay");
  int lastLine = static_cast<int>(std::count(script.begin(), script.end(), '\n'));
  EXPECT_NE(run.Err.find("deforce-not-countered.replay:" + std::to_string(lastLine) + ": "), std::string::npos)
      << "the message must name the script line: " << run.Err;
  EXPECT_NE(run.Err.find("greyed out"), std::string::npos) << run.Err;
}

TEST(ReplayShippedGame, DescriptionViewsOpenByTheirButtonsAndThePressAfterOnlyClosesThem) {
  ExpectReplay("descriptions", 0);
}

TEST(ReplayShippedGame, ClosingTheWindowEndsTheProgram) { ExpectReplay("close", 0); }

// ---- Scenarios of their own --------------------------------------------------------------------

TEST(ReplayOwnScenario, AnEleventhItemIsAnErrorPrintedWhereItHappensAndTheGameGoesOn) {
  OwnScenario game("eleventh-item.story.txt");
  ExpectReplay("eleventh-item", 0, game.Folder());
}

TEST(ReplayOwnScenario, TheBacklogHoldsTheGameStillScrollsClosesAndStartsEmptyInANewGame) {
  OwnScenario game("player.story.txt");
  ExpectReplay("player-backlog", 0, game.Folder());
}

TEST(ReplayOwnScenario, KeysAndPadButtonsPressThePlayAreaAndClickTheIdeaButtonsCountedFromTheTop) {
  OwnScenario game("player.story.txt");
  ExpectReplay("player-keys", 0, game.Folder());
  ExpectReplay("player-pad", 0, game.Folder());
}

TEST(ReplayOwnScenario, SpaceEnterRightAndDownPrintWhatAPressOnThePlayAreaPrints) {
  // Through the title, a battle, the deforce, death and the new game. No idea button is
  // clicked: the one clicked last keeps the focus, and Space and Enter click it when it shows.
  OwnScenario game("player.story.txt");
  auto route = [](const std::string& press) {
    std::string script;
    for (int i = 1; i <= 30; ++i) {
      script += press + "\nframes 2\n";
      if (i % 5 == 0) script += "state\n";
    }
    return script;
  };
  ScratchDir dir;
  auto play = [&](const std::string& press) {
    TRun run = Replay(game.Folder(), "'" + dir.Write("route.replay", route(press)) + "'", dir);
    EXPECT_EQ(run.Status, 0) << press << ": " << run.Err;
    return run.Out;
  };
  const std::string pressed = play("press 300 200");
  EXPECT_NE(pressed.find(U8("line: 鬼が現れた。")), std::string::npos) << pressed;
  for (const char* key : {"space", "enter", "right", "down"}) {
    std::string keyed = play(std::string("key ") + key);
    EXPECT_TRUE(keyed == pressed) << key << ": " << FirstDifference(pressed, keyed);
  }
}

// ---- Saves and settings across runs -----------------------------------------------------------

TEST(ReplaySaves, ClosingSavesTheGameTheNextStartOffersItAndSettingsAndSavesStayInTheXdgFolders) {
  ScratchDir dir;  // one home for every run below
  auto run = [&](const std::string& script, const std::string& options = "") {
    TRun r = Replay(Repository, options + " '" + dir.Write("run.replay", script) + "'", dir);
    EXPECT_EQ(r.Status, 0) << script << r.Err;
    return r.Out;
  };
  const std::string play = "press 300 200\nframes 2\n";
  // The game's state, without what the play area says of how it got there (saved, loaded).
  auto lastState = [](const std::string& out) {
    const size_t from = out.rfind("--- state");
    std::string state = from == std::string::npos ? "" : out.substr(from, out.find("---\n", from + 9) + 4 - from);
    if (const size_t notice = state.find("notice: "); notice != std::string::npos)
      state.erase(notice, state.find('\n', notice) + 1 - notice);
    return state;
  };
  std::string first = run(play + play + play + play + "key m\nkey s\nkey down\nstate\nkey enter\nstate\nclose\n");
  const std::string beforeClose = lastState(first);
  ASSERT_NE(first.find("saves: save 2\n"), std::string::npos) << first;
  const fs::path saves = fs::path(dir.File("data")) / "farrowmere" / "saves";
  ASSERT_TRUE(fs::is_directory(saves)) << "saves go under XDG_DATA_HOME";
  const fs::path story = fs::directory_iterator(saves)->path();
  EXPECT_TRUE(fs::exists(story / "auto.save")) << "closing mid-game saves";
  EXPECT_TRUE(fs::exists(story / "slot-02.save")) << "the view saved into slot 2";
  EXPECT_NE(ReadAll(dir.File("config/farrowmere/settings")).find("mute yes"), std::string::npos);

  // The next start: muted, the title offers the game; its key takes it.
  std::string second = run("frames 1\nstate\nkey c\nstate\n");
  EXPECT_TRUE(second.starts_with("--- state\ntitle: yes\n")) << second;
  EXPECT_NE(second.find("muted: yes\n"), std::string::npos) << second;
  EXPECT_EQ(lastState(second), beforeClose) << FirstDifference(beforeClose, lastState(second));

  // A press anywhere else starts a new game as ever; the autosave stays. The load view opens on
  // the newest save, the autosave; slot 2 is two rows down the left.
  std::string third =
      run("frames 1\n" + play + "state\nkey l\nkey left\nkey down\nkey down\nstate\nkey enter\nstate\n");
  EXPECT_NE(third.find("lines: 1\n"), std::string::npos) << third;
  EXPECT_NE(third.find("saves: load 2\n"), std::string::npos) << third;
  EXPECT_EQ(lastState(third), beforeClose) << FirstDifference(beforeClose, lastState(third));
  EXPECT_TRUE(fs::exists(story / "auto.save"));

  // --no-persist reads and writes nothing; F5 and F9 keep the quick save in memory.
  fs::remove_all(dir.File("data"));
  fs::remove_all(dir.File("config"));
  const std::string quiet =
      run(play + play + "key f5\nkey m\nstate\n" + play + "state\nkey f9\nstate\nclose\n", "--no-persist");
  std::vector<std::string> states;
  for (size_t at = quiet.find("--- state"); at != std::string::npos; at = quiet.find("--- state", at + 1)) {
    states.push_back(lastState(quiet.substr(0, quiet.find("---\n", at + 9) + 4)));
  }
  ASSERT_EQ(states.size(), 3u) << quiet;
  EXPECT_NE(states[1], states[0]);
  EXPECT_EQ(states[2], states[0]) << "F9 loads what F5 saved";
  EXPECT_FALSE(fs::exists(dir.File("data")));
  EXPECT_FALSE(fs::exists(dir.File("config")));
}

TEST(ReplaySaves, ASecondPlaySkippingNeedsUnderAQuarterOfTheInputsAndStopsAtTheFirstLineNotShownBefore) {
  // The first play: route-mist up to its fifth click; the second: route-mist-skip on the same
  // data folder, which holds the first play's read marks.
  const std::string route = ReadAll(Scripts / "route-mist.replay");
  const std::string firstPlay = route.substr(0, route.find("# 63 presses"));
  const std::string secondPlay = ReadAll(Scripts / "route-mist-skip.replay");
  auto inputs = [](const std::string& script) {
    int count = 0;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);) {
      for (const char* verb : {"press ", "click ", "key ", "hold ", "wheel "}) count += line.starts_with(verb) ? 1 : 0;
    }
    return count;
  };
  const int first = inputs(firstPlay), second = inputs(secondPlay);
  std::cout << "presses, keys and clicks: first play " << first << ", second play skipping " << second << "\n";
  EXPECT_LT(4 * second, first);

  ScratchDir dir;
  auto run = [&](const std::string& script, const std::string& options = "") {
    TRun r = Replay(Repository, options + " '" + dir.Write("run.replay", script) + "'", dir);
    EXPECT_EQ(r.Status, 0) << r.Err;
    return r.Out;
  };
  auto lastLine = [](const std::string& state) {
    const size_t at = state.rfind("\nline: ");
    return at == std::string::npos ? "" : state.substr(at + 7, state.find('\n', at + 1) - at - 7);
  };
  // What the first play would have shown with one press more.
  const std::string next = run(firstPlay + "press 300 200\nframes 2\nstate\n", "--no-persist");
  run(firstPlay);
  const std::string out = run(secondPlay);
  std::vector<std::string> states;
  for (size_t at = out.find("--- state"); at != std::string::npos; at = out.find("--- state", at + 1)) {
    states.push_back(out.substr(at, out.find("---\n", at + 9) + 4 - at));
  }
  ASSERT_EQ(states.size(), 3u) << out;
  EXPECT_NE(states[0].find("\nmode: skip\n"), std::string::npos) << "Tab: " << states[0];
  EXPECT_EQ(lastLine(states[1]), lastLine(next)) << "skip stops at the first line the first play did not show";
  EXPECT_EQ(states[1].find("mode: "), std::string::npos) << states[1];
  EXPECT_NE(states[2].find("\nmode: auto\n"), std::string::npos) << "A: " << states[2];
}

// ---- An author's plain story ------------------------------------------------------------------

TEST(ReplayAuthorStory, APlainSourcePlaysAndAReloadGoesOnInThePassageWithTheState) {
  ScratchDir dir;
  const std::string story = dir.Write("story.txt", U8("@start\nはじまり\n#goto @road\n@road\n道を行く。\n#poison 3\n"
                                                      "毒だ。\n次の行。\n#end\n"));
  // The edit puts two lines before the passage and changes its lines.
  dir.Write("edited.txt", U8("@start\nはじまり\n前置き\n前置き\n#goto @road\n@road\n道を行く。\n#poison 3\n"
                             "毒だ。\n書き換えた行。\n#end\n"));
  dir.Write("broken.txt", "@start\n#goto @nowhere\n");
  const std::string press = "press 300 200\nframes 2\n";
  std::string script = press + press + press + "state\nreload " + dir.File("broken.txt") + "\nreload " +
                       dir.File("edited.txt") + "\n" + press + "state\n";
  TRun run = Replay(Repository, "--story '" + story + "' '" + dir.Write("edit.replay", script) + "'", dir);
  ASSERT_EQ(run.Status, 0) << run.Err;
  size_t second = run.Out.find("--- state", 1);
  ASSERT_NE(second, std::string::npos) << run.Out;
  const std::string before = run.Out.substr(0, second), after = run.Out.substr(second);
  for (const char* kept : {"hp: 7/10\n", "idea: 7\n"}) {
    EXPECT_NE(before.find(kept), std::string::npos) << before;
    EXPECT_NE(after.find(kept), std::string::npos) << "a reload keeps the state: " << after;
  }
  EXPECT_NE(after.find(U8("line: 毒だ。\nline: 書き換えた行。\n")), std::string::npos) << after;
  // The broken text is reported once, as the check prints it, under the story's own name.
  EXPECT_EQ(run.Err, story + ":2:7: error: \"#goto\" target \"@nowhere\" does not exist\n");

  // A story the check refuses does not start.
  TRun refused = Replay(Repository, "--story '" + dir.File("broken.txt") + "' " + ScriptArg("title"), dir);
  EXPECT_EQ(refused.Status, 1);
  EXPECT_EQ(refused.Err, dir.File("broken.txt") + ":2:7: error: \"#goto\" target \"@nowhere\" does not exist\n");
}

// ---- Determinism -------------------------------------------------------------------------------

TEST(ReplayDeterminism, TheSameScriptAndSeedGiveTheSameOutputAndTheSameScreenshots) {
  // The README's screenshots: the town, the world breaking, the islands, the vampire, the offers
  // and the fusion.
  std::string script = "'" + (Repository / "docs/screenshots/screenshots.replay").string() + "'";
  ScratchDir first, second;
  TRun a = Replay(Repository, "--seed 7 --shots '" + first.File("") + "' " + script, first);
  TRun b = Replay(Repository, "--seed 7 --shots '" + second.File("") + "' " + script, second);
  ASSERT_EQ(a.Status, 0) << a.Err;
  ASSERT_EQ(b.Status, 0) << b.Err;
  EXPECT_TRUE(a.Out == b.Out) << FirstDifference(a.Out, b.Out);
  int shots = 0;
  for (const auto& entry : fs::directory_iterator(first.File(""))) {
    if (entry.path().extension() != ".png") continue;
    ++shots;
    fs::path twin = fs::path(second.File("")) / entry.path().filename();
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(twin)) << entry.path().filename() << " differs between two replays";
  }
  EXPECT_GE(shots, 6) << "the script takes the six screenshots of the README";

  // Another seed moves the sparks and the title's pixels: the pictures differ, the game does not.
  ScratchDir third;
  TRun c = Replay(Repository, "--seed 8 --shots '" + third.File("") + "' " + script, third);
  EXPECT_TRUE(a.Out == c.Out) << "the seed touches only the presentation; " << FirstDifference(a.Out, c.Out);
  EXPECT_FALSE(ReadAll(first.File("harbour.png")) == ReadAll(third.File("harbour.png")));
}

// ---- Invocation and script errors ---------------------------------------------------------------

TEST(ReplayInvocation, AWrongInvocationExitsWithTwoAndAStepThatCannotBeDoneWithThree) {
  ScratchDir dir;
  for (const std::string& args :
       {std::string(""), std::string("--seed x ") + ScriptArg("title"),
        std::string("--seed 4294967296 ") + ScriptArg("title"), std::string("--fast ") + ScriptArg("title"),
        ScriptArg("title") + " " + ScriptArg("close"), std::string("'") + dir.File("missing.replay") + "'"}) {
    TRun run = Replay(Repository, args, dir);
    EXPECT_EQ(run.Status, 2) << "farrow-replay " << args << ": " << run.Err;
    EXPECT_NE(run.Err.find("usage:"), std::string::npos) << run.Err;
  }
  struct TCase {
    std::string Script;
    int Line;
    std::string Says;
  };
  for (const TCase& c : std::vector<TCase>{
           {"state\n# fine\n\njump 3 4\n", 4, "unknown command 'jump'"},
           {"press 300\n", 1, "press needs X Y"},
           {"press 300 200 left\npress 10 20 double\n", 2, "left, right or middle"},
           {"frames -1\n", 1, "frames needs one count"},
           {"shot ../up.png\n", 1, "plain file name"},
           {"key shift+ctrl+c\nkey ctrl+home\n", 2, "key: no key is named 'home'"},
           {"key hyper+c\n", 1, "key: 'hyper' is no modifier (Ctrl, Alt, Shift)"},
           {"pad a\npad f1\n", 2, "pad: a, b, x, y, rb, lb, up, down, left, right, start, back, not 'f1'"},
           {"wheel sideways 2\n", 1, "wheel needs up or down"},
           {"press 400 10\n", 1, "outside the 400 x 400 play area"},
           {U8("press 300 200\nclick ★情報\n"), 2, "no idea button"},
           {"reload\n", 1, "plays no --story"},
           {"hold ctrl\n", 1, "hold needs a key and a count"},
       }) {
    std::string file = dir.Write("bad.replay", c.Script);
    TRun run = Replay(Repository, "--shots '" + dir.File("") + "' '" + file + "'", dir);
    EXPECT_EQ(run.Status, 3) << c.Script << run.Err;
    EXPECT_NE(run.Err.find("bad.replay:" + std::to_string(c.Line) + ": "), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find(c.Says), std::string::npos) << run.Err;
  }
}

TEST(ReplayInvocation, TheScriptComesFromStandardInputAndTheToolPicksHeadlessDriversItself) {
  ScratchDir dir;
  dir.Write("in.replay", "state  # at the start\r\nkey alt\nkey f10\nkey enter\nkey space\nshot start.png\n");
  // No display and no drivers named: the tool must still run without a window or a sound card.
  TRun run = Replay(Repository, "--shots '" + dir.File("shots") + "' - <'" + dir.File("in.replay") + "'", dir,
                    "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u SDL_AUDIODRIVER ");
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(run.Out.starts_with("--- state\ntitle: yes\n")) << run.Out;
  EXPECT_TRUE(fs::exists(dir.File("shots/start.png"))) << "--shots makes its folder";
}
