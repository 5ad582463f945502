// PressTest -- what a press on the play area does in each phase of the game, and in which
// order the phases are tested when several hold at once.
#include <algorithm>

#include "tests/game/GameFixture.h"

using PlayAreaPress = GameFixture;

namespace {

constexpr int AwayX = 300, AwayY = 300;  // no idea button ever falls here

const std::vector<std::string> Story = {
    "@start",       "港町ファロウに着いた。", "#xxenemy 獣 オオカミ 3 毛皮", "オオカミが現れた。",
    "森を抜けた。", "酒場に入った。",
};

void PressAt(int x, int y) { PressPlayAreaAt(x, y); }

}  // namespace

TEST_F(PlayAreaPress, TitleComesBeforeAGreyedButtonWhichComesBeforeDeathWhichComesBeforeTheDescription) {
  LoadStory(Story);
  IdeaPower = 0;  // nothing to pay with: the button is greyed out
  SpawnIdeaButton(CaptionHeal);
  for (int i = 0; i < 15; ++i) MoveIdeaButtons();
  const int buttonX = 70, buttonY = IdeaButtons[0]->Top + 15;
  ASSERT_TRUE(IsOnDisabledIdeaButton(buttonX, buttonY));
  TitleShowing = true;
  HP = 0;
  DescriptionTitle = "【船】";

  PressAt(buttonX, buttonY);
  EXPECT_FALSE(TitleShowing) << "the title goes first, even over a greyed-out button";
  EXPECT_EQ(HP, 0);
  EXPECT_EQ(U8(DescriptionTitle), U8("【船】"));

  PressAt(buttonX, buttonY);
  EXPECT_EQ(HP, 0) << "a press on a greyed-out button is ignored, even when dead";
  EXPECT_FALSE(TitleShowing);
  EXPECT_EQ(U8(DescriptionTitle), U8("【船】"));

  PressAt(AwayX, AwayY);
  EXPECT_EQ(HP, MaxHP) << "death restarts the game before the description is closed";
  EXPECT_TRUE(TitleShowing);
  ASSERT_EQ(ScriptLineCount, 1);
  EXPECT_EQ(U8(ScriptLines[0]), U8("港町ファロウに着いた。")) << "the restart shows the first step";

  PressAt(AwayX, AwayY);
  EXPECT_FALSE(TitleShowing);
  DescriptionTitle = "【船】";
  PressAt(AwayX, AwayY);
  EXPECT_TRUE(DescriptionTitle.empty());
  EXPECT_EQ(ScriptLineCount, 1) << "closing the view does not advance the story";
}

TEST_F(PlayAreaPress, InPlayTheButtonsGoThenTheBattleTurnRunsThenTheStoryStepsOnce) {
  LoadStory(Story);
  PressAt(AwayX, AwayY);
  ASSERT_EQ(ScriptLineCount, 1);
  PressAt(AwayX, AwayY);  // the wolf appears in this step
  EXPECT_EQ(Encounter, EncounterEnemy);
  EXPECT_EQ(HP, 10) << "the battle turn ran before the step that brought the enemy";
  EXPECT_EQ(ScriptLineCount, 2);

  SpawnIdeaButton(CaptionInfo);
  PressAt(AwayX, AwayY);
  EXPECT_EQ(HP, 7) << "a standing enemy attacks; " << Log();
  EXPECT_EQ(ScriptLineCount, 3) << "one step per press";
  const std::vector<std::string> captions = Captions();
  EXPECT_EQ(std::count(captions.begin(), captions.end(), CaptionInfo), 0) << "buttons on screen are dismissed";
  EXPECT_EQ(std::count(captions.begin(), captions.end(), CaptionHeal), 1)
      << "the battle turn's buttons come after the dismissal; " << CaptionsText();
}
