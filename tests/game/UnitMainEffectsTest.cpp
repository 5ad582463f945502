// UnitMainEffectsTest -- clicking idea buttons: payment, every caption's effect, the catalogue.
#include "tests/game/GameFixture.h"

using IdeaPayment = GameFixture;
using IdeaEffect = GameFixture;
using Catalogue = GameFixture;

TEST_F(IdeaPayment, LastIdeaPowerDisablesTheOtherButtons) {
  IdeaPower = 1;
  SpawnIdeaButton(CaptionUnderstand);
  SpawnIdeaButton(CaptionHeal);
  Click(CaptionUnderstand);
  EXPECT_EQ(IdeaPower, 0);
  EXPECT_EQ(SoundsPlayed().front(), "dat\\cap_von01.wav");
  ASSERT_EQ(Captions(), std::vector<std::string>{CaptionHeal}) << CaptionsText();
  EXPECT_FALSE(IdeaButtons[1]->Enabled) << "nothing left to pay with";
}

TEST_F(IdeaPayment, SilverBulletPaysWhenIdeaPowerIsGone) {
  IdeaPower = 0;
  Hold({SilverBulletItem});
  SpawnIdeaButton(CaptionInfo);
  SpawnIdeaButton(CaptionHeal);
  EXPECT_TRUE(IdeaButtons[0]->Enabled) << "the silver bullet keeps buttons usable";
  Click(CaptionInfo);
  EXPECT_FALSE(HasItem(SilverBulletItem)) << "the bullet is spent";
  EXPECT_EQ(LogLines(), std::vector<std::string>{"【銀弾×１】を失った！"})
      << "a description keeps the loss line; " << Log();
  EXPECT_EQ(SoundsPlayed().front(), "dat\\cap_von05.wav");
  EXPECT_FALSE(IdeaButtons[1]->Enabled);
  EXPECT_EQ(DescriptionTitle, CaptionInfo);
}

TEST_F(IdeaPayment, EmptyCaptionCostsNothingAndUnknownCaptionOnlyCosts) {
  SpawnIdeaButton("");
  IdeaButtons[0]->OnClick(*IdeaButtons[0]);
  EXPECT_EQ(IdeaPower, 7);
  EXPECT_TRUE(IdeaButtons[0]->Visible) << "an empty caption does nothing at all";

  SpawnIdeaButton("★謎");
  Click("★謎");
  EXPECT_EQ(IdeaPower, 6);
  EXPECT_EQ(MessageCount, 0) << Log();
  EXPECT_TRUE(DescriptionTitle.empty());
}

TEST_F(IdeaEffect, SlashSlaysAnyEnemyAndGainsItsDrop) {
  Stand("竜", "ドラゴン", 9);
  SpawnAttackButton();
  Click(CaptionSlash);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"現出させた剣を一閃、ドラゴンを倒した！"}) << Log();
  EXPECT_TRUE(Encounter.empty());
  EXPECT_TRUE(FlashPending && FlashColor.R == 0 && FlashColor.G == 0 && FlashColor.B == 0) << "a black flash";

  Stand("獣", "オオカミ", 3, "毛皮");
  SpawnAttackButton();
  Click(CaptionSlash);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"現出させた剣を一閃、オオカミを倒した！", "【毛皮】を手に入れた！"}))
      << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionScan}) << CaptionsText();
}

TEST_F(IdeaEffect, SilverBulletShootsTheVampireAndTurnsTheSkyToNight) {
  Stand("吸血鬼", "伯爵", 9, "牙");
  SpawnAttackButton();
  Click(CaptionSilverBullet);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"銀弾を理力に変換し、イデアバーストを起こし、",
                                                  "銀弾を生成して伯爵を撃ち殺した！"}))
      << Log();
  EXPECT_TRUE(SilverBurst);
  EXPECT_TRUE(Glows[0].Red && Glows[49].Red) << "the glows turn red";
  EXPECT_FALSE(HasItem("【牙】")) << "the silver bullet gains no drop";
  EXPECT_TRUE(Encounter.empty());
}

TEST_F(IdeaEffect, DeathKillLeavesOneHpAndOffersAHeal) {
  HP = -4;
  SpawnIdeaButton(CaptionDeathKill);
  Click(CaptionDeathKill);
  EXPECT_EQ(HP, 1);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"死そのものを殺した。"}) << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionHeal}) << CaptionsText();
  Click(CaptionHeal);
  EXPECT_EQ(HP, MaxHP);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"負傷をすべて消しさった。"}) << Log();
}

TEST_F(IdeaEffect, GraspDoublesMaximumHpOnly) {
  HP = 7;
  SpawnIdeaButton(CaptionGrasp);
  Click(CaptionGrasp);
  EXPECT_EQ(HP, 7);
  EXPECT_EQ(MaxHP, 20);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"あなたはレベルが上がった！", "最大ＨＰが２倍になった！"})) << Log();

  MaxHP = INT32_MAX / 2 + 1;
  ClearMessages();
  EXPECT_THROW(GraspBurst(), std::overflow_error);
  EXPECT_EQ(MessageCount, 0) << "an overflow announces no level-up; " << Log();
}

TEST_F(IdeaEffect, DispelAndKeyGiveTheNamedItems) {
  StoneName = "ボッシュ";
  ChestItem = "フィア";
  SpawnIdeaButton(CaptionDispel);
  SpawnIdeaButton(CaptionKey);
  Click(CaptionDispel);
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{"「ありがとう、あなたについていきます！」", "【ボッシュ】を手に入れた！"}))
      << Log();
  Click(CaptionKey);
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{"あなたの手に鍵が現出。ぬるりと鍵穴を満たした。", "【フィア】を手に入れた！"}))
      << Log();
  EXPECT_TRUE(HasItem("【ボッシュ】") && HasItem("【フィア】"));
}

TEST_F(IdeaEffect, DeDeforceTurnsTheAmbushIntoARetort) {
  Encounter = EncounterDeforce;
  SpawnIdeaButton(CaptionDeDeforce);
  Click(CaptionDeDeforce);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"あなたはデ・デフォースを始動した。", "デフォースを打ち消した。"}))
      << Log();
  EXPECT_EQ(Encounter, EncounterAfterDeDeforce);
  Press();
  EXPECT_EQ(IdeaPower, 6) << "the deforce was countered";
  EXPECT_EQ(Messages[0], "「理力殺しすら殺せるほど、理力は万能でしたか。") << Log();
}

TEST_F(IdeaEffect, UnderstandEndsTheEncounter) {
  Stand("魔物", "スライム", 3);
  SpawnIdeaButton(CaptionUnderstand);
  Click(CaptionUnderstand);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"何について？"}) << Log();
  EXPECT_TRUE(Encounter.empty());
}

TEST_F(IdeaEffect, BindBurstsDifferOnlyInTheirFirstLineAndStartTheHeartPassage) {
  struct {
    const char* caption;
    const char* line;
  } binds[] = {{CaptionBindAlone, "孤独を撃ち殺した！"},
               {CaptionBindLoad, "無損失疎通路を開いた！"},
               {CaptionBindHeart, "ハートチャンネルを開いた！"}};
  for (const auto& bind : binds) {
    LoadStory({"@start", "旅", "@HEART", "心の奥"});
    Zooming = false;
    ScriptLineCount = 0;
    SpawnIdeaButton(bind.caption);
    Click(bind.caption);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{bind.line, "ファロウと自我が融合した！"})) << Log();
    EXPECT_TRUE(Zooming) << "the zoom starts";
    ASSERT_EQ(ScriptLineCount, 1) << "the @HEART passage starts at once";
    EXPECT_EQ(ScriptLines[0], "心の奥");
    ShatterIdeaButtons();
  }
}

TEST_F(IdeaEffect, DescriptionsAndExit) {
  const std::pair<const char*, int> descriptions[] = {{CaptionInfo, 14}, {CaptionSelf, 16}, {CaptionDecode, 11}};
  for (const auto& [caption, lines] : descriptions) {
    SpawnIdeaButton(caption);
    Click(caption);
    EXPECT_EQ(DescriptionTitle, caption);
    EXPECT_EQ(static_cast<int>(DescriptionLines.size()), lines) << U8(caption);
  }
  EXPECT_EQ(MessageCount, 0) << "a description writes no message; " << Log();
  SpawnIdeaButton(CaptionExit);
  Click(CaptionExit);
  EXPECT_TRUE(Platform::Application.Terminated()) << "★退出 ends the program";
  EXPECT_EQ(IdeaPower, 3) << "even the exit is paid for";
}

TEST_F(Catalogue, ScanDescribesTheItemGainedLast) {
  AddItem("【りんご】");
  AddItem(PebbleItem);
  Click(CaptionScan);
  EXPECT_EQ(DescriptionTitle, PebbleItem) << "both scans describe the second item";
  DescriptionTitle.clear();
  Click(CaptionScan);
  EXPECT_EQ(DescriptionTitle, PebbleItem);
  EXPECT_EQ(DescriptionLines.size(), 2u);
}

TEST_F(Catalogue, AShotIsNoGainSoNineBulletsAreStillDescribed) {
  AddItem(CopperBulletNames[9]);
  Stand("獣", "オオカミ", 3);
  BattleTurn();
  EXPECT_EQ(Items[0], "【銅弾×８】");
  DescribeLastItem();
  EXPECT_EQ(DescriptionTitle, "【銅弾×９】");
  EXPECT_EQ(DescriptionLines.size(), 4u);
}

TEST_F(Catalogue, UnknownItemsShowNothing) {
  for (const std::string& name : {CopperBulletNames[3], std::string("【毛皮】")}) {
    LastItem = name;
    DescribeLastItem();
    EXPECT_TRUE(DescriptionTitle.empty()) << U8(name) << " has no description";
  }
}
