// UnitEnemyTest -- enemies, the damage rule and the battle turn.
#include "tests/game/GameFixture.h"

using DamageRule = GameFixture;
using Battle = GameFixture;

TEST_F(DamageRule, ArmourHalvesUpwardThenShieldTakesThree) {
  Hold({ArmourItem, ShieldItem});
  TakeDamage("", 10);
  EXPECT_EQ(HP, 8);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"10⇒5⇒2ダメージを受けた！"}) << Log();
  EXPECT_TRUE(FlashPending);
  EXPECT_TRUE(FlashColor.R == 255 && FlashColor.G == 0 && FlashColor.B == 0) << "damage flashes red";
  EXPECT_EQ(SoundsPlayed(), std::vector<std::string>{"dat\\dun2.wav"});
}

TEST_F(DamageRule, ShieldAloneNeverGoesBelowZero) {
  Hold({ShieldItem});
  TakeDamage("", 2);
  EXPECT_EQ(HP, 10);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"2⇒0ダメージを受けた！"}) << Log();
  EXPECT_TRUE(Captions().empty()) << "no wound, no heal button; " << CaptionsText();
}

TEST_F(DamageRule, ArmourAloneRoundsOddAmountsUp) {
  Hold({ArmourItem});
  TakeDamage("", 1);
  EXPECT_EQ(HP, 9) << "1 halved upward is still 1";
  TakeDamage("", 5);
  EXPECT_EQ(HP, 6) << "5 halved upward is 3";
  EXPECT_EQ(Messages[0], "1⇒1ダメージを受けた！") << Log();
  EXPECT_EQ(Messages[1], "5⇒3ダメージを受けた！") << Log();
}

TEST_F(DamageRule, NegativeDamageHealsBeyondMaximum) {
  TakeDamage("", -5);
  EXPECT_EQ(HP, 15);
  EXPECT_EQ(Messages[0], "-5ダメージを受けた！") << Log();
  EXPECT_TRUE(Captions().empty()) << CaptionsText();
}

TEST_F(DamageRule, WoundSpawnsHealAndDeathSpawnsDeathKill) {
  TakeDamage("", 3);
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionHeal}) << CaptionsText();
  TakeDamage("", 7);
  EXPECT_EQ(HP, 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionHeal, CaptionDeathKill})) << CaptionsText();
}

TEST_F(DamageRule, OverflowingHpThrows) {
  HP = INT32_MIN + 1;
  EXPECT_THROW(TakeDamage("", 2), std::overflow_error);
}

TEST_F(Battle, EnemyIsAnnouncedWithItsKindNameAndPower) {
  SetEnemy("獣", "オオカミ", 3, "");
  EXPECT_EQ(DescribeEnemy(), "【獣】オオカミ(3)");
  EnemyAppears(EncounterEnemy);
  EXPECT_EQ(Encounter, EncounterEnemy);
  EXPECT_EQ(LogLines(), std::vector<std::string>{"敵が現れた：【獣】オオカミ(3)"}) << Log();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionSlash}) << CaptionsText();
}

TEST_F(Battle, UnknownKindKeepsThePreviousEnemysAttack) {
  SetEnemy("魔物", "スライム", 4, "");
  SetEnemy("亡霊", "かげ", 2, "");
  EXPECT_EQ(Enemy.AttackName, "攻撃");
  EXPECT_EQ(Enemy.PowerLoss, 1);
}

TEST_F(Battle, BeastChargesOnceAndIsExhausted) {
  Stand("獣", "オオカミ", 3);
  BattleTurn();
  EXPECT_EQ(HP, 7);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"オオカミの突進＞＞＞3ダメージを受けた！", "オオカミは力尽きた。"}))
      << Log();
  EXPECT_TRUE(Encounter.empty()) << "the exhausted beast is gone";
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionHeal}) << CaptionsText();
}

TEST_F(Battle, MonsterTiresByOneEachTurn) {
  MaxHP = HP = 100;
  Stand("魔物", "スライム", 5);
  for (int expected = 5; expected >= 1; --expected) {
    ShatterIdeaButtons();
    int before = HP;
    BattleTurn();
    EXPECT_EQ(before - HP, expected) << "turn dealing " << expected;
    if (expected > 1) {
      EXPECT_EQ(Messages[1], "【魔物】スライム(" + std::to_string(expected - 1) + ")") << Log();
      EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionHeal, CaptionSlash})) << CaptionsText();
    } else {
      EXPECT_EQ(Messages[1], "スライムは力尽きた。") << Log();
      EXPECT_TRUE(Encounter.empty());
    }
  }
}

TEST_F(Battle, DragonAndVampireStrikeAtFullPowerEveryTurn) {
  MaxHP = HP = 100;
  Stand("竜", "ドラゴン", 6);
  for (int turn = 0; turn < 3; ++turn) {
    ShatterIdeaButtons();
    BattleTurn();
  }
  EXPECT_EQ(HP, 82);
  EXPECT_EQ(Messages[0], "ドラゴンの炎撃＞＞＞6ダメージを受けた！") << Log();
  EXPECT_EQ(Encounter, EncounterEnemy) << "a dragon never tires";

  Stand("吸血鬼", "伯爵", 4);
  for (int turn = 0; turn < 3; ++turn) {
    ShatterIdeaButtons();
    BattleTurn();
  }
  EXPECT_EQ(HP, 70);
  EXPECT_EQ(Messages[0], "伯爵の愛撫＞＞＞4ダメージを受けた！") << Log();
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionHeal, CaptionSilverBullet}))
      << "a vampire is fought with the silver bullet; " << CaptionsText();
}

TEST_F(Battle, SaintCancelsHpAndStays) {
  Hold({ArmourItem, ShieldItem});
  Stand("聖者", "聖女", 9);
  BattleTurn();
  EXPECT_EQ(HP, 0) << "armour and shield do not help against the saint";
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"【☆おやすみ】＞＞＞ＨＰを打ち消された！", "【聖者】聖女(9)"}))
      << Log();
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionDeathKill, CaptionSlash})) << CaptionsText();
  EXPECT_EQ(Encounter, EncounterEnemy);
  EXPECT_EQ(SoundsPlayed(), std::vector<std::string>{"dat\\kisyu.wav"});
  EXPECT_FALSE(FlashPending) << "the saint's attack does not flash";
}

TEST_F(Battle, EnemyWithoutPowerDealsNothingAndIsExhausted) {
  Stand("魔物", "かかし", 0);
  BattleTurn();
  EXPECT_EQ(HP, 10);
  EXPECT_EQ(Messages[1], "かかしは力尽きた。") << Log();
  EXPECT_TRUE(Encounter.empty());
}

TEST_F(Battle, PowerLossOverflowThrows) {
  SetEnemy("魔物", "スライム", 1, "");
  Stand("亡霊", "かげ", INT32_MIN);  // keeps the monster's loss of 1
  HP = -10;
  EXPECT_THROW(BattleTurn(), std::overflow_error);
}

TEST_F(Battle, EmptyCopperEntryDoesNotCountSoTheSwordSlays) {
  Hold({"【銅弾×０】", SwordItem});
  Stand("獣", "オオカミ", 3, "毛皮");
  BattleTurn();
  EXPECT_EQ(HP, 10);
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{"碧光の尾を引く刃を一閃、オオカミを倒した！", "【毛皮】を手に入れた！"}))
      << Log();
  EXPECT_EQ(Items[0], "【銅弾×０】") << "the empty entry is untouched";
  EXPECT_EQ(SoundsPlayed(), std::vector<std::string>{"dat\\dun.wav"});
  EXPECT_TRUE(Encounter.empty());
}

TEST_F(Battle, LowestHeldCopperCountShootsFirstAndCountsDown) {
  Hold({"【銅弾×３】", SwordItem, "【銅弾×１】"});
  Stand("獣", "オオカミ", 3);
  BattleTurn();
  EXPECT_EQ(LogLines(), std::vector<std::string>{"銅弾Shoot！　オオカミを倒した！"})
      << "the bullet comes before the sword; " << Log();
  EXPECT_EQ(Items[2], "【銅弾×０】");
  EXPECT_EQ(Items[0], "【銅弾×３】") << "only the first held count is used";
  EXPECT_EQ(SoundsPlayed(), std::vector<std::string>{"dat\\dh2.wav"});
  EXPECT_TRUE(FlashColor.R == 255 && FlashColor.G == 127 && FlashColor.B == 0);
}

TEST_F(Battle, CopperBulletsDoNotHitMonsters) {
  Hold({"【銅弾×９】"});
  Stand("魔物", "スライム", 2);
  BattleTurn();
  EXPECT_EQ(HP, 8);
  EXPECT_EQ(Items[0], "【銅弾×９】");
}

TEST_F(Battle, SwordDoesNotHelpAgainstADragonButTheMeteorDoes) {
  Hold({SwordItem});
  Stand("竜", "ドラゴン", 4, "鱗");
  BattleTurn();
  EXPECT_EQ(HP, 6) << "the sword does not cut a dragon";

  Hold({MeteorItem});
  ShatterIdeaButtons();
  BattleTurn();
  EXPECT_EQ(HP, 6);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"【☆メテオ】を失った！", "ドラゴンにドオオオオオン！　星葬した！"}))
      << Log();
  EXPECT_FALSE(HasItem(MeteorItem)) << "the meteor is used up";
  EXPECT_FALSE(HasItem("【鱗】")) << "the meteor gains no drop";
  EXPECT_TRUE(BurstParticles[0].Active) << "the meteor's fountain starts";
  EXPECT_TRUE(Encounter.empty());
}

TEST_F(Battle, FanBlowsAwayBeastsMonstersAndDragonsOnly) {
  Hold({FanItem});
  for (const char* kind : {"獣", "魔物", "竜"}) {
    ClearMessages();
    SoundsPlayed().clear();
    SetEnemy(kind, "敵役", 5, "毛皮");
    EnemyAppears(EncounterEnemy);
    EXPECT_TRUE(Encounter.empty()) << U8(kind) << " should be blown away";
    EXPECT_EQ(Messages[1], "【芭蕉扇】で吹き飛ばした！") << Log();
    EXPECT_EQ(SoundsPlayed(), std::vector<std::string>{"dat\\hyuun.wav"});
  }
  EXPECT_TRUE(Captions().empty()) << "no attack button after the fan; " << CaptionsText();
  EXPECT_EQ(ItemCount, 1) << "the fan stays and no drop is gained";
  for (const char* kind : {"聖者", "吸血鬼"}) {
    SetEnemy(kind, "敵役", 5, "");
    EnemyAppears(EncounterEnemy);
    EXPECT_EQ(Encounter, EncounterEnemy) << U8(kind) << " is not blown away";
  }
}

TEST_F(Battle, PendingEventsResolveOnTheNextPress) {
  Encounter = EncounterPrincess;
  BattleTurn();
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"王「おおフィア、どこへ！？」", "【フィア姫】を手に入れた！"}))
      << Log();
  EXPECT_TRUE(HasItem(PrincessItem));
  EXPECT_TRUE(Encounter.empty());

  Encounter = EncounterMeteor;
  BattleTurn();
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"賢者「そら、これを知っていけ！」", "【☆メテオ】を手に入れた！"}))
      << Log();
  EXPECT_TRUE(HasItem(MeteorItem));

  Encounter = EncounterDeforce;
  BattleTurn();
  EXPECT_EQ(LogLines(), std::vector<std::string>{"すべての理力が打ち消された！"}) << Log();
  EXPECT_EQ(IdeaPower, 0);
  EXPECT_EQ(SoundsPlayed().back(), "dat\\duty.wav");

  IdeaPower = 3;
  Encounter = EncounterAfterDeDeforce;
  BattleTurn();
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"「理力殺しすら殺せるほど、理力は万能でしたか。",
                                                  "……なるほど、小ざかしい屁理屈だ！」"}))
      << Log();
  EXPECT_EQ(IdeaPower, 3) << "the countered deforce cancels nothing";
  EXPECT_TRUE(Encounter.empty());

  BattleTurn();
  EXPECT_EQ(MessageCount, 0) << "a quiet press empties the log";
}

TEST_F(Battle, ClearedGameLeavesTheLogAlone) {
  AddMessage("めでたし");
  Encounter = EncounterCleared;
  BattleTurn();
  EXPECT_EQ(LogLines(), std::vector<std::string>{"めでたし"}) << Log();
  EXPECT_EQ(Encounter, EncounterCleared);
}
