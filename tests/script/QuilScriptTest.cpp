// Tests of the script engine: the word rule, loading, label jumps, dispatch and the run modes.
#include "script/QuilScript.h"

#include <memory>

#include "tests/TestSupport.h"

namespace {

// What the output procedures and handlers saw, in order.
std::vector<std::string> Events;
std::string LineAnswer = "【成功】";

void RecordLine(const std::string& line, std::string& result) {
  Events.push_back("line " + line);
  result = LineAnswer;
}
void RecordPage(std::string& result) {
  Events.push_back("page");
  result = "【成功】";
}
void RecordParagraph(const TStringArray& lines, std::string& result) {
  std::string joined;
  for (const auto& l : lines) joined += (joined.empty() ? "" : "|") + l;
  Events.push_back("paragraph " + joined);
  result = "【成功】";
}
void RecordCommand(const TStringArray& words, std::string& result) {
  std::string joined;
  for (const auto& w : words) joined += (joined.empty() ? "" : " ") + w;
  Events.push_back("command " + joined);
  result = "【成功】";
}
void FailCommand(const TStringArray&, std::string& result) { result = "【エラー】だめ"; }
std::string PageAnswer = "【成功】";
void RefusingPage(std::string& result) {
  Events.push_back("page");
  result = PageAnswer;
}
// "#count": counts its runs; the run numbered CountLimit jumps to "@done".
TQuilScript* CountingScript = nullptr;
int Counted = 0;
int CountLimit = 0;
void CountCommand(const TStringArray&, std::string& result) {
  result = "【成功】";
  if (++Counted == CountLimit) CountingScript->JumpToLabel("@done", result);
}
void PassCommand(const TStringArray&, std::string& result) { result = "【不実行】"; }

class ScriptTest : public testing::Test {
 protected:
  ScratchDir dir;
  std::unique_ptr<TQuilScript> script = std::make_unique<TQuilScript>();
  std::string result;

  void SetUp() override {
    Events.clear();
    LineAnswer = "【成功】";
    PageAnswer = "【成功】";
  }

  // Loads the lines as the scenario of a file named "s.txt" (which must exist).
  void Load(const std::vector<std::string>& lines) {
    std::string name = dir.Write("s.txt", "");
    script->LoadLines(name, lines, static_cast<int>(lines.size()), result);
    ASSERT_EQ(U8(result), U8("【成功】"));
  }
  std::string Where() const { return "\r\nin " + script->FileName; }
  void LineMode() {
    script->SetLineOutput(RecordLine, RecordPage);
    script->SetPageSize(4);
  }
  std::string Step() {
    script->Step(result);
    return result;
  }
};

}  // namespace

TEST(Words, BlanksTabsAndFullWidthSpacesSeparateWords) {
  EXPECT_EQ(TQuilScriptCommand::SplitWords("  #say\t hello　world  "), (TStringArray{"#say", "hello", "world"}));
  EXPECT_EQ(TQuilScriptCommand::SplitWords(""), (TStringArray{""}));
  EXPECT_EQ(TQuilScriptCommand::SplitWords("   "), (TStringArray{""}));
  // ソ ends in 0x5C and 表 too: neither is a separator nor splits.
  EXPECT_EQ(TQuilScriptCommand::SplitWords("ソ表 能"), (TStringArray{"ソ表", "能"}));
  std::string word = "kept";
  EXPECT_FALSE(TQuilScriptCommand::GetWord("one", 1, word));
  EXPECT_EQ(word, "kept");
  EXPECT_TRUE(TQuilScriptCommand::IsCommand("  #SAY x", "#say"));
  EXPECT_FALSE(TQuilScriptCommand::IsCommand("#sayx", "#say"));
}

TEST(Words, OnlyTheFullWidthSpaceAmongDoubleByteCharactersSeparates) {
  // 　 is 0x81 0x40; ＠ shares its lead byte (0x81 0x97), ァ its trail byte (0x83 0x40).
  EXPECT_EQ(TQuilScriptCommand::SplitWords("#say　a＠b　ァ＠"), (TStringArray{"#say", "a＠b", "ァ＠"}));
  EXPECT_EQ(TQuilScriptCommand::SplitWords("　　a　"), (TStringArray{"a"})) << "full-width blanks are trimmed too";
}

TEST_F(ScriptTest, LabelLinesAreStoredBareAndCommentsRemoved) {
  Load({" \t@start  rest of line", "// note", "text // note", "＠full", "plain"});
  EXPECT_EQ(script->Lines[0], "@start");
  EXPECT_EQ(script->Lines[1], "") << "a comment-only line becomes a blank line";
  EXPECT_EQ(script->Lines[2], "text ") << "text keeps its trailing blank";
  EXPECT_EQ(script->Lines[3], "＠full") << "the full-width at sign makes no label";
  EXPECT_EQ(script->LineCount, 6);
  EXPECT_EQ(script->Lines[5], "#end");
  EXPECT_EQ(script->Position, 0);
  script->JumpToLabel("@start", result);
  EXPECT_EQ(result, "【成功】");
  EXPECT_EQ(script->Position, 0);
}

TEST_F(ScriptTest, EmptyScenarioHoldsOnlyTheEndLine) {
  Load({});
  EXPECT_EQ(script->LineCount, 1);
  EXPECT_EQ(script->Lines[0], "#end");
}

TEST_F(ScriptTest, FailedLoadsChangeNothing) {
  Load({"@start", "old"});
  std::string name = script->FileName;
  script->Position = 1;

  std::vector<std::string> dup = {"@a", "text", "  @a  x"};
  std::string other = dir.Write("dup.txt", "");
  script->LoadLines(other, dup, 3, result);
  EXPECT_EQ(U8(result), U8("【エラー】ラベル重複：@a\r\nin " + other));

  script->LoadLines(dir.File("missing.txt"), dup, 3, result);
  EXPECT_EQ(U8(result), U8("【エラー】存在しないファイル：" + dir.File("missing.txt")));

  std::vector<std::string> huge(TQuilScript::MaxLines, "x");
  script->LoadLines(other, huge, TQuilScript::MaxLines, result);
  EXPECT_NE(result, "【成功】") << "a scenario of 10,000 lines leaves no room for the end line";
  EXPECT_EQ(result.rfind("【エラー】", 0), 0u);

  EXPECT_EQ(script->FileName, name);
  EXPECT_EQ(script->LineCount, 3);
  EXPECT_EQ(script->Lines[1], "old");
  EXPECT_EQ(script->Position, 1);
}

TEST_F(ScriptTest, MaximalScenarioOf9999LinesLoads) {
  std::vector<std::string> lines(TQuilScript::MaxScenarioLines, "x");
  Load(lines);
  EXPECT_EQ(script->LineCount, TQuilScript::MaxLines);
  EXPECT_EQ(script->Lines[TQuilScript::MaxLines - 1], "#end");
}

TEST_F(ScriptTest, JumpsAreCaseSensitiveAndFailuresKeepThePosition) {
  Load({"text", "@start", "more"});
  script->JumpToLabel("@Start", result);
  EXPECT_EQ(U8(result), U8("【エラー】@Startが見つかりませんでした。" + Where()));
  EXPECT_EQ(script->Position, 0);
  script->JumpToLabel("start", result);
  EXPECT_EQ(U8(result), U8("【エラー】不正なアドレス名：start" + Where()));
  script->JumpToLabel("@start", result);
  EXPECT_EQ(script->Position, 1) << "a jump lands on the label line itself";
}

TEST_F(ScriptTest, WorkedExampleOfLineMode) {
  Load({"@start", "Line A", "Line B", "#say hello", "Line C", "", "Line D", "#goto @next", "@other", "Line X", "@next",
        "Line E"});
  script->AddCommand("#say", RecordCommand, 1);
  LineMode();
  script->JumpToLabel("@start", result);

  const std::vector<std::vector<std::string>> expected = {
      {"page", "line Line A"}, {"line Line B"},         {"command #say hello", "line Line C"},
      {"page", "line Line D"}, {"page", "line Line E"}, {},
  };
  const int shown[] = {1, 2, 3, 1, 1, 1};
  for (size_t i = 0; i < expected.size(); ++i) {
    Events.clear();
    EXPECT_EQ(Step(), "【成功】") << "step " << i + 1;
    EXPECT_EQ(Events, expected[i]) << "step " << i + 1;
    EXPECT_EQ(script->ShownCount, shown[i]) << "step " << i + 1;
  }
  EXPECT_TRUE(script->IsEnded());
  Events.clear();
  EXPECT_EQ(Step(), "【成功】");
  EXPECT_TRUE(Events.empty()) << "an ended scenario delivers nothing";
}

TEST_F(ScriptTest, FifthLineStartsANewPageAndBlankLinesEachCallThePageProcedure) {
  Load({"1", "2", "3", "4", "5", "", "", "6"});
  LineMode();
  for (int i = 0; i < 4; ++i) Step();
  Events.clear();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"page", "line 5"}));
  Events.clear();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"page", "page", "line 6"}));
  Events.clear();
  Step();
  EXPECT_TRUE(Events.empty()) << "the step after the last text line only ends the scenario";
  EXPECT_TRUE(script->IsEnded());
}

TEST_F(ScriptTest, ParameterCountsAreCheckedBeforeTheHandler) {
  Load({"#say"});
  script->AddCommand("#say", RecordCommand, 1);
  LineMode();
  EXPECT_EQ(U8(Step()), U8("【エラー】パラメータ過少：#say" + Where()));
  EXPECT_TRUE(script->IsEnded());
  EXPECT_TRUE(Events.empty());

  Load({"#say a b // comment"});
  script->Ended = false;
  EXPECT_EQ(U8(Step()), U8("【エラー】パラメータ過多：#say a b " + Where()));
  EXPECT_TRUE(Events.empty());

  // A line that ends in a lone lead byte still has its words: the byte is a character.
  Load({"#say abc\x82"});
  script->Ended = false;
  EXPECT_EQ(U8(Step()), U8("【成功】"));
  EXPECT_EQ(Events, std::vector<std::string>{"command #say abc\x82"});
}

TEST_F(ScriptTest, CommandsMatchWithoutCaseAndUnknownOnesAreText) {
  Load({"#SAY hello", "#nosuch x", "#Enemy a b c"});
  script->AddCommand("#say", RecordCommand, 1);
  script->AddCommandRange("#enemy", RecordCommand, 3, 4);
  LineMode();
  Step();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"command #SAY hello", "line #nosuch x", "command #Enemy a b c"}));
}

TEST_F(ScriptTest, FirstRegisteredCommandWinsAndNotExecutedPassesOn) {
  Load({"#x", "#y"});
  script->AddCommand("#x", PassCommand, 0);
  script->AddCommand("#x", RecordCommand, 0);
  script->AddCommand("#y", RecordCommand, 0);
  script->AddCommand("#y", FailCommand, 0);
  LineMode();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"command #x", "command #y"}));
}

TEST_F(ScriptTest, HandlerErrorEndsTheScenarioWithTheLocation) {
  Load({"#bad", "after"});
  script->AddCommand("#bad", FailCommand, 0);
  LineMode();
  EXPECT_EQ(U8(Step()), U8("【エラー】だめ" + Where()));
  EXPECT_TRUE(script->IsEnded());
  EXPECT_EQ(script->Position, 1) << "the position stays after the failing line";
  EXPECT_EQ(Step(), "【成功】");
  EXPECT_TRUE(Events.empty());
}

TEST_F(ScriptTest, EndAndGotoLines) {
  Load({"#END now", "never"});
  LineMode();
  Step();
  EXPECT_TRUE(script->IsEnded());
  EXPECT_TRUE(Events.empty());

  Load({"#goto", "never"});
  script->Ended = false;
  EXPECT_EQ(U8(Step()), U8("【エラー】不正な#goto：#goto" + Where()));
  EXPECT_TRUE(script->IsEnded());

  Load({"#Goto @missing", "after", "#GOTO start", "last"});
  script->Ended = false;
  Step();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"line after", "line last"}))
      << "a jump to a missing or invalid label is passed over";
}

TEST_F(ScriptTest, AJumpNeverRevivesAnEndedScenario) {
  Load({"@start", "text"});
  LineMode();
  script->Ended = true;
  script->JumpToLabel("@start", result);
  EXPECT_EQ(Step(), "【成功】");
  EXPECT_TRUE(Events.empty());
}

TEST_F(ScriptTest, LineListenersHearInOrderOnlyTheLinesTheOutputTook) {
  Load({"1", "2", "3"});
  LineMode();
  std::vector<std::string> heard;
  Platform::TSubscription first =
      script->SubscribeLines([&heard](const std::string& line) { heard.push_back("first " + line); });
  Platform::TSubscription second =
      script->SubscribeLines([&heard](const std::string& line) { heard.push_back("second " + line); });
  Step();
  LineAnswer = "【不成功】";  // the output is full: line 2 never reaches the screen
  Step();
  LineAnswer = "【成功】";
  first.Reset();
  Step();
  EXPECT_EQ(heard, (std::vector<std::string>{"first 1", "second 1", "second 3"}));
  // A subscription may outlive its story (a story reloaded): it then has nothing to remove.
  first = script->SubscribeLines([](const std::string&) {});
  script.reset();
}

TEST_F(ScriptTest, ARefusedPageKeepsThePageFullUntilThePageProcedureAccepts) {
  Load({"1", "2", "3", "4", "5", "6"});
  script->SetLineOutput(RecordLine, RefusingPage);
  script->SetPageSize(4);
  for (int i = 0; i < 4; ++i) Step();
  Events.clear();
  PageAnswer = "【不成功】";
  EXPECT_EQ(Step(), "【不成功】");
  EXPECT_EQ(Step(), "【不成功】");
  EXPECT_EQ(Events, (std::vector<std::string>{"page", "page"})) << "no line is delivered while the page is refused";
  EXPECT_TRUE(script->PageFull);
  EXPECT_EQ(script->ShownCount, 4);
  Events.clear();
  PageAnswer = "【成功】";
  EXPECT_EQ(Step(), "【成功】");
  EXPECT_EQ(Events, (std::vector<std::string>{"page", "line 5"}));
  EXPECT_EQ(script->ShownCount, 1);
}

TEST_F(ScriptTest, ARestartRunsAnEndedScenarioAgainFromItsLabel) {
  Load({"@start", "one", "two", "#end", "never"});
  LineMode();
  Step();
  Step();
  Step();
  ASSERT_TRUE(script->IsEnded());
  script->Restart("@start", result);
  EXPECT_EQ(result, "【成功】");
  EXPECT_FALSE(script->IsEnded());
  Events.clear();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"page", "line one"}));

  // A failed restart leaves the scenario as it was: ended, and still ended after a step.
  Step();
  Step();
  script->Restart("@missing", result);
  EXPECT_NE(result, "【成功】");
  EXPECT_TRUE(script->IsEnded());
}

TEST_F(ScriptTest, AReloadGoesOnInTheSamePassageAtTheSameOffset) {
  Load({"@start", "one", "#goto @b", "@b", "b1", "b2", "b3"});
  LineMode();
  Step();
  Step();
  Step();  // b2 shown: the passage @b, two lines below it
  std::vector<std::string> edited = {"@start", "one", "new", "new", "#goto @b", "@b", "B1", "B2", "B3"};
  script->ReloadLines(script->FileName, edited, static_cast<int>(edited.size()), result);
  ASSERT_EQ(result, "【成功】");
  Events.clear();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"line B3"}));

  // A failed reload (a label twice) keeps the old lines and the place.
  Load({"@start", "one", "two", "three"});
  Step();
  std::vector<std::string> broken = {"@start", "@start", "x"};
  script->ReloadLines(script->FileName, broken, 3, result);
  EXPECT_NE(result, "【成功】");
  Events.clear();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"line two"}));
}

TEST_F(ScriptTest, RefusedLineIsTheStepsAnswer) {
  Load({"text"});
  LineMode();
  LineAnswer = "【不成功】";
  EXPECT_EQ(Step(), "【不成功】");
}

TEST_F(ScriptTest, ParagraphModeCollectsUpToAPageAndSkipsLeadingBlanks) {
  Load({"", "", "a", "b", "", "c", "d", "e", "f", "g"});
  script->SetParagraphOutput(RecordParagraph);
  script->SetPageSize(4);
  Step();
  Step();
  Step();
  Step();
  EXPECT_EQ(Events, (std::vector<std::string>{"paragraph a|b", "paragraph c|d|e|f", "paragraph g"}));
  EXPECT_TRUE(script->IsEnded());
}

TEST_F(ScriptTest, KickRunsEveryCommandToTheEndWithoutOutput) {
  Load({"text", "#say one", "more", "#say two"});
  script->AddCommand("#say", RecordCommand, 1);
  EXPECT_EQ(Step(), "【成功】");
  EXPECT_EQ(Events, (std::vector<std::string>{"command #say one", "command #say two"}));
  EXPECT_FALSE(script->IsEnded()) << "Kick clears the end flag";
}

TEST_F(ScriptTest, KickAllowsTenThousandRunsAndNoMore) {
  // Run 1 stops at "@a"; each later run counts once and stops at "@a" again, until the count
  // reaches its limit and jumps to "@done"; the run after "@done" ends the scenario. A limit
  // of n therefore ends the scenario on run n + 2.
  Load({"@a", "#count", "#goto @a", "@done"});
  script->AddCommand("#count", CountCommand, 0);
  CountingScript = script.get();
  for (int runs : {9999, 10000, 10001}) {
    Counted = 0;
    CountLimit = runs - 2;
    script->Position = 0;
    script->Ended = false;
    const std::string answer = Step();
    if (runs <= 10000) {
      EXPECT_EQ(U8(answer), U8("【成功】")) << "a scenario that ends on run " << runs;
      EXPECT_EQ(Counted, CountLimit);
    } else {
      EXPECT_EQ(U8(answer), U8("【エラー】Kickループが終わらないin " + script->FileName))
          << "a scenario that would end on run " << runs;
    }
  }
  CountingScript = nullptr;
}

TEST_F(ScriptTest, AStepGivesUpOnALabelThatJumpsToItselfAndEndsTheScenario) {
  // Each run of "@a" / "#goto @a" yields a blank result: the step would never find a line.
  const std::vector<std::string> loop = {"@start", "@a", "#goto @a", "never"};
  Load(loop);
  LineMode();
  EXPECT_EQ(U8(Step()), U8("【エラー】Stepループが終わらないin " + script->FileName)) << "line mode";
  EXPECT_TRUE(script->IsEnded()) << "the next press must not loop again";
  EXPECT_EQ(U8(Step()), U8("【成功】"));

  Load(loop);
  script->Ended = false;  // loading leaves the end flag as it was
  script->SetParagraphOutput([](const TStringArray&, std::string& r) { r = "【成功】"; });
  script->SetPageSize(4);
  EXPECT_EQ(U8(Step()), U8("【エラー】Stepループが終わらないin " + script->FileName)) << "paragraph mode";
  EXPECT_TRUE(script->IsEnded());
}

TEST_F(ScriptTest, AStepStillPassesAScenarioOfBlankLinesUpToItsLastLine) {
  std::vector<std::string> lines(9998, "");
  lines.push_back("found");
  Load(lines);
  LineMode();
  EXPECT_EQ(U8(Step()), U8("【成功】"));
  EXPECT_EQ(Events.back(), "line found");
}

TEST_F(ScriptTest, KickGivesUpOnAnEndlessLoop) {
  Load({"@a", "#goto @a"});
  EXPECT_EQ(U8(Step()), U8("【エラー】Kickループが終わらないin " + script->FileName));
}
