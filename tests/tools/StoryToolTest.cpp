// StoryToolTest -- farrow-story run as a program: encode/decode round trips, the reader's
// errors, check's findings, trace's events and the usage errors.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cipher/QuilCrypt.h"
#include "script/QuilScript.h"
#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// Test files and expected output are UTF-8; plain literals in this program are CP932. A u8
// literal with a character CP932 lacks stays out of EXPECT_* arguments: the macros quote
// their arguments as plain (CP932) strings.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The lines of an enciphered file (CR LF line ends).
std::vector<std::string> FileLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::string text = ReadAll(path);
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void WriteFileLines(const fs::path& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  WriteAll(path, text);
}

class StoryTool : public testing::Test {
 protected:
  fs::path Dir;      // where the scenarios live; the tool runs here
  fs::path Capture;  // the tool's standard output and error

  void SetUp() override {
    static int serial = 0;
    fs::path base =
        fs::temp_directory_path() / ("farrow-story-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    Dir = base / "work";
    Capture = base / "capture";
    fs::create_directories(Dir);
    fs::create_directories(Capture);
  }

  void TearDown() override { fs::remove_all(Dir.parent_path()); }

  TRun Run(const std::string& args) {
    return RunIn(Dir.string(), std::string("'") + BuildPaths::StoryTool + "' " + args, Capture.string());
  }

  void Write(const std::string& name, const std::string& text) { WriteAll(Dir / name, text); }

  // Encodes a source with the default key; the scenario file must come out.
  void Encode(const std::string& source, const std::string& out) {
    TRun run = Run("encode " + source + " " + out);
    ASSERT_EQ(run.Status, 0) << "encode failed: " << run.Err;
    ASSERT_TRUE(fs::exists(Dir / out));
  }
};

// Japanese text, empty lines, lines longer than a block, and ソ 表 能, whose second byte is a
// backslash (0x5C) in CP932.
const std::string JapaneseScenario = Utf8(
    u8"@start\n"
    u8"ソ表能の町に着いた。\n"
    u8"\n"
    u8"これは四十八バイトより長い一行です。暗号の区切りをまたいで続きます。\n"
    u8"#say ソフト表示能力\n"
    u8"  前後に空白  \n"
    u8"\n"
    u8"#end\n");

TEST_F(StoryTool, EncodeThenDecodeGivesBackTheScenario) {
  Write("story.txt", JapaneseScenario);
  Encode("story.txt", "story.crp.txt");
  TRun decoded = Run("decode story.crp.txt");
  EXPECT_EQ(decoded.Status, 0) << decoded.Err;
  EXPECT_EQ(decoded.Out, JapaneseScenario);

  // The same source always gives the same file.
  Encode("story.txt", "again.crp.txt");
  EXPECT_EQ(ReadAll(Dir / "story.crp.txt"), ReadAll(Dir / "again.crp.txt"));
}

TEST_F(StoryTool, EncodedFileHasTheLayoutTheGameReads) {
  Write("story.txt", JapaneseScenario);
  Encode("story.txt", "story.crp.txt");
  std::vector<std::string> lines = FileLines(Dir / "story.crp.txt");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Velumon");
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t wanted = i + 1 < lines.size() ? 64 : lines[i].size() == 65 ? 65 : 64;
    EXPECT_EQ(lines[i].size(), wanted) << "cipher line " << i + 1 << ": only the last may carry a partial block";
    EXPECT_EQ(lines[i].find_first_not_of(TQuilCrypt::SymbolSet), std::string::npos)
        << "cipher line " << i + 1 << " holds a character outside the symbol set";
  }

  // The game's own loader takes it, with its CP932 lines (plain literals here are CP932).
  auto script = std::make_unique<TQuilScript>();
  std::string result;
  script->LoadScenario((Dir / "story.crp.txt").string(), "fable.txt", result);
  ASSERT_EQ(result, "【成功】");
  ASSERT_EQ(script->LineCount, 9) << "eight scenario lines and the appended #end";
  EXPECT_EQ(script->Lines[1], "ソ表能の町に着いた。");
  EXPECT_EQ(script->Lines[2], "");
  EXPECT_EQ(script->Lines[4], "#say ソフト表示能力");
  EXPECT_EQ(script->Lines[5], "  前後に空白  ");
}

TEST_F(StoryTool, KeyAndCp932SourceOptions) {
  Write("story.txt", JapaneseScenario);
  ASSERT_EQ(Run("encode story.txt keyed.crp --key=secret").Status, 0);
  EXPECT_EQ(Run("decode keyed.crp --key secret").Out, JapaneseScenario);
  EXPECT_EQ(Run("decode keyed.crp").Status, 1) << "the default key must not read a file made with another";

  Write("sjis.txt", "@start\r\nソ表能\r\n");  // CP932 bytes, CR LF
  ASSERT_EQ(Run("encode --cp932 sjis.txt sjis.crp").Status, 0);
  EXPECT_EQ(Run("decode sjis.crp").Out, Utf8(u8"@start\nソ表能\n"));
}

TEST_F(StoryTool, DamagedFilesGiveTheReadersErrors) {
  Write("story.txt", JapaneseScenario);
  Encode("story.txt", "story.crp.txt");
  const std::vector<std::string> good = FileLines(Dir / "story.crp.txt");
  ASSERT_GE(good.size(), 4u);

  auto decodeWith = [&](const std::vector<std::string>& lines, const std::string& extra = "") {
    WriteFileLines(Dir / "damaged.txt", lines);
    return Run("decode damaged.txt" + extra);
  };
  auto expectError = [&](const TRun& run, const std::string& error, const char* what) {
    EXPECT_EQ(run.Status, 1) << what;
    EXPECT_EQ(run.Err, error + "\n") << what;
    EXPECT_EQ(run.Out, "") << what << ": nothing of the scenario may be printed";
  };

  std::vector<std::string> swapped = good;
  std::swap(swapped[1], swapped[2]);
  expectError(decodeWith(swapped), Utf8(u8"【エラー】不正なデータ"), "two cipher lines exchanged");

  std::vector<std::string> header = good;
  header[0] = "Velumon2";
  expectError(decodeWith(header), Utf8(u8"【エラー】不正なヘッダ"), "header changed");

  expectError(decodeWith(good, " --key other.txt"), Utf8(u8"【エラー】不正なデータ"), "another key");

  std::vector<std::string> shortLine = good;
  shortLine[2].pop_back();
  expectError(decodeWith(shortLine), Utf8(u8"【エラー】不正な行：") + shortLine[2], "a 63-symbol line");

  std::vector<std::string> badSymbol = good;
  badSymbol[2][10] = '*';
  expectError(decodeWith(badSymbol), Utf8(u8"【エラー】不正な文字：*"), "a symbol outside the set");

  expectError(decodeWith({"Velumon"}), Utf8(u8"【エラー】復号化失敗"), "a file of only the header");

  TRun missing = Run("decode nosuch.txt");
  EXPECT_EQ(missing.Status, 1);
  EXPECT_EQ(missing.Err, Utf8(u8"【エラー】存在しないファイル：nosuch.txt\n"));
}

TEST_F(StoryTool, UnrepresentableCharacterWritesNothing) {
  Write("story.txt", Utf8(u8"@start\nよい行\n顔文字 😀 と 한\n"));
  TRun run = Run("encode story.txt out.crp");
  EXPECT_EQ(run.Status, 1);
  const std::string expected = Utf8(u8"story.txt:3: error: column 5: \"😀\" (U+1F600) cannot be written in CP932\n") +
                               Utf8(u8"story.txt:3: error: column 9: \"한\" (U+D55C) cannot be written in CP932\n");
  EXPECT_EQ(run.Err, expected);
  EXPECT_FALSE(fs::exists(Dir / "out.crp"));

  // A scenario already there stays as it was, and no temporary file is left behind.
  Write("out.crp", "previous");
  EXPECT_EQ(Run("encode story.txt out.crp").Status, 1);
  EXPECT_EQ(ReadAll(Dir / "out.crp"), "previous");
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 2);
}

TEST_F(StoryTool, EncodeRefusesScenariosTheGameCannotHold) {
  std::string tooMany = "@start\n";
  for (int i = 0; i < 9999; ++i) tooMany += "x\n";
  Write("many.txt", tooMany);
  TRun many = Run("encode many.txt out.crp");
  EXPECT_EQ(many.Status, 1);
  EXPECT_EQ(many.Err, "many.txt:10000: error: more than 9,999 lines; the game holds at most 9,999\n");

  // 9,999 lines, but their enciphered file would pass the reader's 10,000 lines.
  std::string tooBig = "@start\n";
  for (int i = 0; i < 9998; ++i) tooBig += std::string(46, 'x') + "\n";
  Write("big.txt", tooBig);
  TRun big = Run("encode big.txt out.crp");
  EXPECT_EQ(big.Status, 1);
  EXPECT_NE(big.Err.find("would have 10001 lines"), std::string::npos) << big.Err;
  EXPECT_FALSE(fs::exists(Dir / "out.crp"));
}

TEST_F(StoryTool, CheckFindsWhatStopsTheGame) {
  Write("errors.txt", Utf8(u8"@start\n"
                           u8"#say\n"
                           u8"#SAY a b\n"
                           u8"#xxenemy 獣 オオカミ\n"
                           u8"#xxenemy 獣 オオカミ 三 毛皮\n"
                           u8"#xxenemy 獣 オオカミ 3 毛皮\n"
                           u8"#poison 1.5\n"
                           u8"#poison -5\n"
                           u8"#goto\n"
                           u8"#goto nowhere\n"
                           u8"#goto @missing\n"
                           u8"@start\n"
                           u8"ハングル 한\n"));
  TRun run = Run("check errors.txt");
  EXPECT_EQ(run.Status, 1);
  const std::string expected =
      Utf8(
          u8"errors.txt:2:1: error: \"#say\" takes 1 parameter, not 0\n"
          u8"errors.txt:3:1: error: \"#SAY\" takes 1 parameter, not 2\n"
          u8"errors.txt:4:1: error: \"#xxenemy\" takes 3 to 4 parameters, not 2\n"
          u8"errors.txt:5:17: error: \"#xxenemy\" power \"三\" is not a decimal integer; the game stops with a "
          u8"conversion error\n"
          u8"errors.txt:7:9: error: \"#poison\" damage \"1.5\" is not a decimal integer; the game stops with a "
          u8"conversion error\n"
          u8"errors.txt:9:1: error: \"#goto\" has no target label; the scenario stops here\n"
          u8"errors.txt:10:7: error: \"#goto\" target \"nowhere\" is not a label (labels begin with \"@\")\n"
          u8"errors.txt:11:7: error: \"#goto\" target \"@missing\" does not exist\n"
          u8"errors.txt:12:1: error: label \"@start\" is already defined on line 1; the game refuses to load "
          u8"the scenario\n") +
      Utf8(u8"errors.txt:13:6: error: \"한\" (U+D55C) cannot be written in CP932\n");
  EXPECT_EQ(run.Out, expected);

  Write("nostart.txt", "@begin\ntext\n");
  EXPECT_EQ(Run("check nostart.txt").Out, "nostart.txt:1:1: error: no \"@start\" label; the game starts there\n");

  std::string tooMany = "@start\n";
  for (int i = 0; i < 9999; ++i) tooMany += "x\n";
  Write("many.txt", tooMany);
  EXPECT_EQ(Run("check many.txt").Out,
            "many.txt:10000:1: error: more than 9,999 lines; the game holds at most 9,999\n");
}

TEST_F(StoryTool, CheckWarnsAboutWhatTheGameWouldMisshow) {
  Write("warnings.txt", Utf8(u8"@start\n"
                             u8"#sya hello\n"
                             u8"二十四文字の漢字は三百六十画素で文字の列より広い行\n"
                             u8"この行は文字の列に入る\n"
                             u8"Visit http://example.com today\n"
                             u8"Line // a comment is fine\n"
                             u8"#goto @next\n"
                             u8"@orphan\n"
                             u8"never shown\n"
                             u8"\n"
                             u8"#xxwonder\n"
                             u8"@next\n"
                             u8"#xxwonder\n"
                             u8"#end\n"
                             u8"@REAL\n"
                             u8"reached by #xxwonder\n"
                             u8"#end\n"
                             u8"@HEART\n"
                             u8"no #xxbind command leads here\n"));
  TRun run = Run("check warnings.txt");
  EXPECT_EQ(run.Status, 0) << "warnings alone do not fail the check";
  EXPECT_EQ(run.Out,
            Utf8(u8"warnings.txt:2:1: warning: \"#sya\" names no command; the line is shown as story text\n"
                 u8"warnings.txt:3:25: warning: story line is 364 pixels wide; the text column holds 350 (from x "
                 u8"= 50 to the play area's edge)\n"
                 u8"warnings.txt:5:12: warning: \"//\" starts a comment inside the text; \"//example.com today\" is "
                 u8"dropped\n"
                 u8"warnings.txt:8:1: warning: label \"@orphan\" is never jumped to; lines 8-11 cannot be reached "
                 u8"from \"@start\"\n"
                 u8"warnings.txt:18:1: warning: label \"@HEART\" is never jumped to; lines 18-19 cannot be "
                 u8"reached from \"@start\"\n"));

  // A parameter the command table forbids, and a step that drops more buttons than fall; a
  // label the run falls into names its passage and is no finding.
  Write("table.txt", Utf8(u8"@start\n"
                          u8"#xxbox 【薬】\n"
                          u8"  #xxstone フィア 姫\n"
                          u8"@passage\n"
                          u8"#xxinfo\n#xxexit\n#xxself\n#xxepitaph\n#sage\n#say ok\n#xxwonder\n"
                          u8"shown\n"
                          u8"#xxinfo\n#xxexit\n#xxself\n#xxepitaph\n#xxwonder\n"
                          u8"#end\n@REAL\n#xxinfo\nthe wonder's jump drops no button\n"));
  EXPECT_EQ(Run("check table.txt").Out,
            Utf8(u8"table.txt:2:8: warning: \"#xxbox\" item \"【薬】\" is written in brackets; the game adds 【】 "
                 u8"itself and would show \"【【薬】】\"\n"
                 u8"table.txt:8:1: warning: this step can drop 6 idea buttons; only 5 fall, the rest are lost\n"));

  Write("bind.txt", "@start\n#xxbind_heart\n#end\n@HEART\nthe bound passage\n");
  EXPECT_EQ(Run("check bind.txt").Out, "") << "an idea burst of #xxbind_heart reaches @HEART";
}

TEST_F(StoryTool, GraphDrawsPassagesWithTheirJumpsForksAndEnds) {
  // @c runs on into @REAL across a blank line (the usual layout); "#xxwonder" forks @a.
  Write("graph.txt",
        "// a comment before the first label draws nothing\n@start\nA\n#goto @b\n@a\n#xxwonder\n#end\n@b\n"
        "#xxbind_heart\n@c\nC\n\n@REAL\nR\n#end\n@HEART\nH\n");
  TRun run = Run("graph graph.txt");
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, Utf8(u8"digraph story {\n  node [shape=box];\n"
                          u8"  \"@start\";\n  \"@a\";\n  \"#xxwonder:6\" [shape=diamond];\n  \"@a:7\";\n"
                          u8"  \"@b\";\n  \"@c\";\n  \"@REAL\";\n  \"@HEART\";\n  \"(end)\" [shape=plaintext];\n"
                          u8"  \"#xxwonder:6\" -> \"@REAL\" [label=\"【フィア姫】\"];\n"
                          u8"  \"#xxwonder:6\" -> \"@a:7\" [label=\"なし\"];\n"
                          u8"  \"@HEART\" -> \"(end)\" [style=dashed];\n"
                          u8"  \"@REAL\" -> \"(end)\" [label=\"#end\"];\n"
                          u8"  \"@a\" -> \"#xxwonder:6\";\n"
                          u8"  \"@a:7\" -> \"(end)\" [label=\"#end\"];\n"
                          u8"  \"@b\" -> \"@HEART\" [label=\"#xxbind_heart ★同調\"];\n"
                          u8"  \"@b\" -> \"@c\" [style=dashed];\n"
                          u8"  \"@c\" -> \"@REAL\" [style=dashed];\n"
                          u8"  \"@start\" -> \"@b\" [label=\"#goto\"];\n"
                          u8"}\n"));
}

TEST_F(StoryTool, CoverageListsTheStoryLinesNoReplayShowsWithTheShare) {
  // Run where no dat/ lies: the pictures and sounds are the installed data's, as the game's.
  Write("cover.txt", "@start\none\n#goto @two\nnever\n@two\ntwo\nthree\n#end\n");
  Write("first.replay", "press 300 200\nframes 2\n");                            // the title goes: "one" is on screen
  Write("second.replay", "press 300 200\nframes 2\npress 300 200\nframes 2\n");  // and "two"
  TRun run = Run("coverage cover.txt first.replay second.replay");
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "cover.txt:4: not shown: never\ncover.txt:7: not shown: three\n"
            "shown 2 of 4 story lines (50.0%) in 2 replays\n");

  // A data folder without the game's files, or none, or a missing file: one line (trace's is
  // its load event) and status 1, never an abort.
  fs::create_directory(Dir / "empty");
  Write("clean.txt", "@start\none\n");
  for (const char* args :
       {"coverage clean.txt first.replay --data empty", "coverage clean.txt first.replay --data none",
        "decode --data none", "decode missing.crp", "trace missing.txt", "graph missing.txt", "check missing.txt",
        "encode missing.txt out.crp", "coverage missing.txt first.replay"}) {
    TRun bad = Run(args);
    EXPECT_EQ(bad.Status, 1) << "farrow-story " << args;
    const std::string said = bad.Out + bad.Err;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "farrow-story " << args << ": " << said;
  }
}

TEST_F(StoryTool, DecodeWithoutAFileReadsTheGamesOwnStory) {
  TRun run = Run("decode");
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out.rfind("// story.txt", 0), 0u) << "the installed dat/story.crp.txt, as UTF-8";
  EXPECT_NE(run.Out.find(Utf8(u8"港町ファロウ。霧の朝。")), std::string::npos);
}

// The worked example: '@start', 'Line A', '#say hello', 'Line C' in a.txt.
const std::string TraceExample = Utf8(
    u8"load 【成功】\n"
    u8"jump 【成功】\n"
    u8"step 1\npage\nline Line A\nresult 【成功】\n"
    u8"step 2\ncommand #say hello\nline Line C\nresult 【成功】\n"
    u8"step 3\nresult 【成功】\n"
    u8"ended\n");

TEST_F(StoryTool, TraceShowsEveryStepOfTheRun) {
  Write("a.txt", "@start\nLine A\n#say hello\nLine C\n");
  TRun plain = Run("trace a.txt");
  EXPECT_EQ(plain.Status, 0);
  EXPECT_EQ(plain.Out, TraceExample);

  Encode("a.txt", "a.crp");
  EXPECT_EQ(Run("trace a.crp").Out, TraceExample) << "the enciphered file runs like its source";

  EXPECT_EQ(
      Run("trace a.txt --steps 1").Out,
      Utf8(u8"load 【成功】\njump 【成功】\nstep 1\npage\nline Line A\nresult 【成功】\nstopped after 1 steps\n"));
}

TEST_F(StoryTool, TraceShowsFailuresAsTheGameSeesThem) {
  Write("dup.txt", "@start\n@a\n  @a  x\n");
  TRun dup = Run("trace dup.txt");
  EXPECT_EQ(dup.Status, 1);
  EXPECT_EQ(dup.Out, Utf8(u8"load 【エラー】ラベル重複：@a\\r\\nin dup.txt\n")) << "the load line, then nothing";

  // A command with too many parameters ends the scenario with the engine's error; a line
  // carriage return inside a story line is shown as \r.
  Write("bad.txt", "@start\nA\rB\n#inn now\nnever\n");
  EXPECT_EQ(Run("trace bad.txt").Out, Utf8(u8"load 【成功】\njump 【成功】\n"
                                           u8"step 1\npage\nline A\\rB\nresult 【成功】\n"
                                           u8"step 2\nresult 【エラー】パラメータ過多：#inn now\\r\\nin bad.txt\n"
                                           u8"ended\n"));

  Write("nostart.txt", "text\n");
  EXPECT_EQ(Run("trace nostart.txt").Out,
            Utf8(u8"load 【成功】\njump 【エラー】@startが見つかりませんでした。\\r\\nin nostart.txt\n"
                 u8"step 1\nline text\nresult 【成功】\nstep 2\nresult 【成功】\nended\n"));
}

TEST_F(StoryTool, WrongInvocationsExitWithTwo) {
  Write("a.txt", "@start\n");
  for (const char* args :
       {"", "frobnicate a.txt", "encode a.txt", "decode a b", "check a.txt extra", "trace a.txt --steps",
        "trace a.txt --steps many", "decode a.txt --cp932", "check a.txt --key x", "encode a.txt out --bogus"}) {
    TRun run = Run(args);
    EXPECT_EQ(run.Status, 2) << "farrow-story " << args;
    EXPECT_NE(run.Err.find("Usage: farrow-story"), std::string::npos) << "farrow-story " << args;
  }
  for (const char* args : {"--help", "encode --help", "decode --help", "check --help", "trace --help"}) {
    TRun run = Run(args);
    EXPECT_EQ(run.Status, 0) << "farrow-story " << args;
    EXPECT_EQ(run.Out.find("Usage: farrow-story"), 0u) << "farrow-story " << args;
  }
}

}  // namespace
