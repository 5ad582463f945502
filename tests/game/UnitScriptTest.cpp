// UnitScriptTest -- the twenty scenario commands, run from scenarios through the game's set-up.
#include "tests/game/GameFixture.h"

#include "game/CommandTable.h"

using Commands = GameFixture;

namespace {

std::string StepOnce() {
  std::string result;
  Script->Step(result);
  return result;
}

}  // namespace

TEST_F(Commands, SetupRegistersTheTableInOrderWithItsCounts) {
  LoadStory({"@start"});
  ASSERT_EQ(Script->Commands.size(), static_cast<size_t>(CommandCount));
  for (int i = 0; i < CommandCount; ++i) {
    EXPECT_EQ(Script->Commands[i]->Name, CommandTable[i].Name) << "command " << i;
    EXPECT_EQ(Script->Commands[i]->MinParams, CommandTable[i].MinParams) << CommandTable[i].Name;
    EXPECT_EQ(Script->Commands[i]->MaxParams, CommandTable[i].MaxParams) << CommandTable[i].Name;
  }
  EXPECT_EQ(Script->PageSize, 4);
}

// A play-through of a small story that runs every command once (two of them twice), one
// press at a time, as the player would see it.
TEST_F(Commands, EveryCommandRunsFromAScenario) {
  LoadStory({
      "@start",
      "#xxinfo",
      "#xxexit",
      "港に着いた。",  // A
      "#xxenemy 獣 オオカミ 3 毛皮",
      "霧の中に影。",  // B
      "#say 潮の香り",
      "狼の声。",  // C
      "#say 潮の香り",
      "公園へ。",  // D
      "#xxepitaph",
      "石碑の前。",  // E
      "#xxstone ボッシュ 大男",
      "貨物置き場。",  // F
      "#xxbox フィア",
      "宝箱。",  // G
      "#xxwonder",
      "不思議な気配。",  // H
      "#phia",
      "王宮。",  // I
      "#sage",
      "賢者の家。",  // J
      "#sea 北の",
      "#inn",
      "海辺の宿。",  // K
      "#poison 2",
      "水路。",  // L
      "#deforce",
      "奇襲。",  // M
      "#xxself",
      "#xxbind_alone",
      "#xxbind_load",
      "#xxbind_heart",
      "ひらめき。",  // N
      "#xxwonder",
      "届かない行。",  // O
      "@REAL",
      "本当の世界。",
      "#ending めでたし",
      "最後の行。",  // P
      "#finish",
      "おしまい。",  // Q
  });
  auto line = [] { return ScriptLineCount > 0 ? U8(ScriptLines[ScriptLineCount - 1]) : std::string("(none)"); };

  EXPECT_EQ(StepOnce(), "【成功】");  // A: the first step of a new game
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionInfo, CaptionExit})) << CaptionsText();

  Press();  // B
  EXPECT_EQ(LogLines(), std::vector<std::string>{"敵が現れた：【獣】オオカミ(3)"}) << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionSlash}) << CaptionsText();
  EXPECT_EQ(Enemy.Drop, "毛皮");

  Press();  // C: the wolf's turn fills the log, so "#say" is lost
  EXPECT_EQ(HP, 7);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"オオカミの突進＞＞＞3ダメージを受けた！", "オオカミは力尽きた。"}))
      << Log();

  Press();  // D
  EXPECT_EQ(LogLines(), std::vector<std::string>{"潮の香り"}) << Log();

  Press();  // E
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"開港記念公園に石碑があった。", "「戦う者よ、己の弱さを掌握せよ」"}))
      << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionGrasp}) << CaptionsText();

  Press();  // F
  EXPECT_EQ(StoneName, "ボッシュ");
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"- 貨物置き場 -", "大男の石像がある。"})) << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionDispel}) << CaptionsText();

  Press();  // G
  EXPECT_EQ(ChestItem, "フィア");
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"宝箱が置いてある。", "鍵がかかっていて開けられない。"})) << Log();
  Click(CaptionKey);
  EXPECT_TRUE(HasItem(PhiaItem));

  Press();  // H: no princess yet
  EXPECT_EQ(LogLines(), std::vector<std::string>{"分からない。"}) << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionUnderstand}) << CaptionsText();
  EXPECT_EQ(line(), U8("不思議な気配。"));

  Press();  // I
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"王「おお姫、帰ってきたか！」", "【フィア】を失った！"})) << Log();
  EXPECT_EQ(Encounter, EncounterPrincess);

  Press();  // J: the king cries after her; the sage's words are lost, his button is not
  EXPECT_TRUE(HasItem(PrincessItem));
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionScan, CaptionDecode})) << CaptionsText();

  Press();  // K: drowning, then the inn of the same step restores everything
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"北の海だ。", "お、溺れる！　40ダメージを受けた！"})) << Log();
  EXPECT_EQ(HP, 10);
  EXPECT_EQ(SoundsPlayed().back(), "dat\\cap_other03.wav");

  Press();  // L
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"毒の水路だ！", "2ダメージを受けた！"})) << Log();
  EXPECT_EQ(HP, 8);

  Press();  // M
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"クアッドパレスの奇襲！", "【☆デフォース】を始動してきた！"}))
      << Log();
  EXPECT_EQ(Encounter, EncounterDeforce);
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionDeDeforce}) << CaptionsText();

  Press();  // N: the deforce lands
  EXPECT_EQ(IdeaPower, 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionSelf, CaptionBindAlone, CaptionBindLoad, CaptionBindHeart}))
      << CaptionsText();
  EXPECT_FALSE(IdeaButtons[0]->Enabled) << "no 理力 left: the buttons are greyed out";

  Press();  // O: with the princess the world breaks open
  EXPECT_TRUE(ShatterActive);
  EXPECT_EQ(line(), U8("本当の世界。")) << "the story jumps to @REAL";
  EXPECT_EQ(SoundsPlayed().back(), "dat\\break.wav");

  Press();  // P
  EXPECT_EQ(LogLines(), std::vector<std::string>{"めでたし"}) << Log();
  EXPECT_EQ(Encounter, EncounterCleared);

  Press();  // Q: the ending message stays
  EXPECT_EQ(LogLines(), std::vector<std::string>{"めでたし"}) << Log();
  EXPECT_TRUE(Platform::Application.Terminated()) << "#finish ends the program";
}

TEST_F(Commands, EnemyTakesThreeOrFourParametersOnly) {
  LoadStory({"@start", "#xxenemy 獣 オオカミ", "x"});
  EXPECT_EQ(StepOnce().rfind("【エラー】パラメータ過少：", 0), 0u);
  LoadStory({"@start", "#xxenemy 獣 オオカミ 3 毛皮 余分", "x"});
  EXPECT_EQ(StepOnce().rfind("【エラー】パラメータ過多：", 0), 0u);
  EXPECT_TRUE(Encounter.empty()) << "a rejected line never reaches the handler";
  LoadStory({"@start", "#xxenemy 獣 オオカミ 3", "x"});
  EXPECT_EQ(StepOnce(), "【成功】");
  EXPECT_TRUE(Enemy.Drop.empty()) << "three parameters: no drop";
}

TEST_F(Commands, BadNumbersThrowOutOfTheStep) {
  SetEnemy("竜", "ドラゴン", 5, "");
  LoadStory({"@start", "#xxenemy 獣 オオカミ 三", "x"});
  EXPECT_THROW(StepOnce(), std::invalid_argument);
  EXPECT_EQ(Enemy.Name, "ドラゴン") << "the enemy is not touched";
  EXPECT_TRUE(Encounter.empty());
  EXPECT_EQ(MessageCount, 0) << Log();

  LoadStory({"@start", "#poison 1.5", "x"});
  EXPECT_THROW(StepOnce(), std::invalid_argument);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"毒の水路だ！"})
      << "the first message comes before the number; " << Log();
  EXPECT_EQ(HP, 10) << "no damage";

  LoadStory({"@start", "#xxenemy 獣 オオカミ 99999999999", "x"});
  EXPECT_THROW(StepOnce(), std::invalid_argument) << "a power beyond 32 bits";
}

TEST_F(Commands, SeaIsCrossedByShipOrCostsFortyLessTheShield) {
  LoadStory({"@start", "#sea 南の", "x"});
  Hold({ShieldItem});
  StepOnce();
  EXPECT_EQ(HP, -27);
  EXPECT_EQ(Messages[1], "お、溺れる！　40⇒37ダメージを受けた！") << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionDeathKill}) << CaptionsText();

  LoadStory({"@start", "#sea 南の", "x"});
  HP = 10;
  ClearMessages();
  Hold({ShipItem});
  StepOnce();
  EXPECT_EQ(HP, 10);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"南の海だ。", "お船に揺られてどんぶらこんぶら。"})) << Log();
  EXPECT_EQ(SoundsPlayed().back(), "dat\\tusu.wav");
}

TEST_F(Commands, PoisonOfZeroOrLessWoundsNobody) {
  LoadStory({"@start", "#poison 0", "#poison -5", "x"});
  StepOnce();
  EXPECT_EQ(HP, 15) << "negative poison heals, beyond the maximum";
  EXPECT_EQ(Messages[1], "0ダメージを受けた！") << Log();
  EXPECT_TRUE(Captions().empty()) << "no heal button at full ＨＰ; " << CaptionsText();
}

TEST_F(Commands, KingAndSageWithoutTheirItems) {
  LoadStory({"@start", "#phia", "x", "#sage", "y"});
  StepOnce();
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"王「姫がまだ帰ってこない！", "クソ、あの船乗りブッ殺す！」"}))
      << Log();
  EXPECT_TRUE(Encounter.empty());
  ClearMessages();
  StepOnce();
  EXPECT_EQ(LogLines(), std::vector<std::string>{"賢者「お主には永遠に理解できぬよ。」"}) << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionDecode}) << CaptionsText();
}

TEST_F(Commands, SageTradesThePebbleForTheMeteor) {
  LoadStory({"@start", "#sage", "x", "y"});
  Hold({PebbleItem});
  StepOnce();
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"賢者「そ、それは石ころ！」", "【石ころ】を失った！"})) << Log();
  EXPECT_EQ(Encounter, EncounterMeteor);
  Press();
  EXPECT_TRUE(HasItem(MeteorItem));
}
