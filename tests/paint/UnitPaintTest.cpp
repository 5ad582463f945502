// UnitPaintTest -- the idea buttons (spawn, fall, stacking, bursts, hit test) and the visual
// requests of game code.
#include "tests/game/GameFixture.h"

using IdeaButtonFall = GameFixture;
using IdeaButtonBursts = GameFixture;
using VisualRequests = GameFixture;

TEST_F(IdeaButtonFall, SpawnPlacesTheButtonAboveTheTopEdge) {
  SpawnIdeaButton(CaptionInfo);
  const auto& b = *IdeaButtons[0];
  EXPECT_TRUE(b.Visible);
  EXPECT_EQ(b.Caption, CaptionInfo);
  EXPECT_EQ(b.Top, -30);
  EXPECT_EQ(b.Left, 20);
  EXPECT_EQ(b.Width, 100);
  EXPECT_EQ(b.Height, 30);
  EXPECT_TRUE(b.FontBold);
  EXPECT_FALSE(b.TabStop);
  EXPECT_EQ(b.Parent(), &Page);
  EXPECT_TRUE(b.Enabled);
  EXPECT_EQ(NextIdeaButton, 1);
}

TEST_F(IdeaButtonFall, SixthSpawnBetweenRewindsIsIgnored) {
  for (int i = 0; i < 5; ++i) SpawnIdeaButton("★" + std::to_string(i));
  SpawnIdeaButton(CaptionHeal);
  EXPECT_EQ(NextIdeaButton, 5);
  EXPECT_EQ(IdeaButtons[4]->Caption, "★4") << "the last button keeps its caption";
  EXPECT_EQ(Captions().size(), 5u);
  ShatterIdeaButtons();
  SpawnIdeaButton(CaptionHeal);
  EXPECT_EQ(IdeaButtons[0]->Caption, CaptionHeal) << "after a rewind index 0 is used again";
}

TEST_F(IdeaButtonFall, ALoneButtonTakesEightyThreeSteps) {
  SpawnIdeaButton(CaptionHeal);
  const std::vector<int> expected = {
      3, 28, 46, 60, 70, 78, 84, 88, 91, 94, 96, 97, 98, 99, 100,  // easing in
  };
  std::vector<int> tops;
  int steps = 0;
  while (IdeaButtons[0]->Visible && steps < 200) {
    MoveIdeaButtons();
    ++steps;
    if (IdeaButtons[0]->Visible) tops.push_back(IdeaButtons[0]->Top);
  }
  EXPECT_EQ(steps, 83) << "steps from spawn until hidden";
  ASSERT_GE(tops.size(), 82u);
  EXPECT_EQ(std::vector<int>(tops.begin(), tops.begin() + 15), expected);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(tops[15 + i], 101 + i) << "crawl step " << i;
  const std::vector<int> falling = {151, 152, 153, 155, 157, 160, 164, 169, 176,
                                    185, 197, 213, 235, 264, 303, 355, 424};
  EXPECT_EQ(std::vector<int>(tops.begin() + 65, tops.end()), falling);
  EXPECT_FALSE(ButtonParticles[0][0].Active) << "falling out throws no sparks";
}

TEST_F(IdeaButtonFall, ButtonsSpawnedTogetherQueueTenPixelsApart) {
  SpawnIdeaButton(CaptionHeal);
  SpawnIdeaButton(CaptionSlash);
  MoveIdeaButtons();
  EXPECT_EQ(IdeaButtons[0]->Top, 3);
  EXPECT_EQ(IdeaButtons[1]->Top, -37) << "held 40 pixels above the first";
  for (int i = 0; i < 64; ++i) {  // easing in and crawling
    MoveIdeaButtons();
    ASSERT_EQ(IdeaButtons[0]->Top - IdeaButtons[1]->Top, 40) << "frame " << i;
  }
  for (int i = 0; i < 10; ++i) MoveIdeaButtons();
  EXPECT_GT(IdeaButtons[0]->Top - IdeaButtons[1]->Top, 40) << "the second falls behind once the first drops away";
}

TEST_F(IdeaButtonFall, HiddenPredecessorNoLongerHoldsBack) {
  SpawnIdeaButton(CaptionHeal);
  SpawnIdeaButton(CaptionSlash);
  MoveIdeaButtons();
  Click(CaptionHeal);
  MoveIdeaButtons();
  EXPECT_EQ(IdeaButtons[1]->Top, 100 - 3 * 137 / 4) << "eases in freely from -37";
}

TEST_F(IdeaButtonFall, GreyedOutButtonsAreHitTested) {
  IdeaPower = 0;
  SpawnIdeaButton(CaptionHeal);
  for (int i = 0; i < 15; ++i) MoveIdeaButtons();  // now at Top 100
  ASSERT_EQ(IdeaButtons[0]->Top, 100);
  EXPECT_FALSE(IdeaButtons[0]->Enabled) << "no 理力, no silver bullet";
  EXPECT_TRUE(IsOnDisabledIdeaButton(20, 100));
  EXPECT_TRUE(IsOnDisabledIdeaButton(119, 129));
  EXPECT_FALSE(IsOnDisabledIdeaButton(120, 110));
  EXPECT_FALSE(IsOnDisabledIdeaButton(50, 130));
  EXPECT_FALSE(IsOnDisabledIdeaButton(19, 110));
  IdeaButtons[0]->Enabled = true;
  EXPECT_FALSE(IsOnDisabledIdeaButton(50, 110)) << "enabled buttons take their own clicks";
  IdeaButtons[0]->Enabled = false;
  ShatterIdeaButtons();
  EXPECT_FALSE(IsOnDisabledIdeaButton(50, 110)) << "a hidden button is not hit";
}

TEST_F(IdeaButtonBursts, ClickThrowsGreenSparksFromThatButtonOnly) {
  SpawnIdeaButton(CaptionHeal);
  SpawnIdeaButton(CaptionSlash);
  MoveIdeaButtons();
  Click(CaptionSlash);
  EXPECT_FALSE(IdeaButtons[1]->Visible);
  EXPECT_TRUE(IdeaButtons[0]->Visible) << "the other button keeps falling";
  EXPECT_FALSE(ButtonParticles[0][0].Active);
  int top = IdeaButtons[1]->Top;
  for (const TParticle& p : ButtonParticles[1]) {
    ASSERT_TRUE(p.Active);
    ASSERT_TRUE(p.Color.R == 128 && p.Color.G == 255 && p.Color.B == 128);
    ASSERT_TRUE(p.VX >= -2 && p.VX <= 2);
    ASSERT_TRUE(p.VY >= -10 && p.VY <= -1) << "sparks rise";
    ASSERT_TRUE(p.X >= 20 && p.X < 120);
    ASSERT_TRUE(p.Y >= top && p.Y < top + 30);
    ASSERT_EQ(p.Chance, 100);
  }
}

TEST_F(IdeaButtonBursts, PressDismissesEveryButtonInGreySparks) {
  SpawnIdeaButton(CaptionHeal);
  SpawnIdeaButton(CaptionSlash);
  SpawnIdeaButton(CaptionScan);
  IdeaButtons[1]->Visible = false;  // clicked earlier
  ShatterIdeaButtons();
  EXPECT_TRUE(Captions().empty()) << CaptionsText();
  EXPECT_EQ(NextIdeaButton, 0);
  EXPECT_FALSE(ButtonParticles[1][0].Active) << "a hidden button throws nothing";
  for (int i : {0, 2}) {
    for (const TParticle& p : ButtonParticles[i]) {
      ASSERT_TRUE(p.Active);
      ASSERT_TRUE(p.Color.R == 192 && p.Color.G == 192 && p.Color.B == 192);
      ASSERT_TRUE(p.VX >= -1 && p.VX <= 1);
      ASSERT_TRUE(p.VY == 1 || p.VY == 2) << "sparks sink";
      ASSERT_EQ(p.Chance, 75);
    }
  }
  EXPECT_EQ(IdeaPower, 7) << "nothing is paid";
}

TEST_F(VisualRequests, LastFlashOfAFrameWins) {
  RequestFlash(MakePixel(255, 0, 0));
  RequestFlash(MakePixel(0, 0, 255));
  EXPECT_TRUE(FlashPending);
  EXPECT_TRUE(FlashColor.R == 0 && FlashColor.G == 0 && FlashColor.B == 255);
}

TEST_F(VisualRequests, ShatterLaysOutTheTilesOverTheSnapshot) {
  StartShatter();
  EXPECT_TRUE(ShatterActive);
  for (int r = 0; r < TileRows; ++r) {
    for (int c = 0; c < TileColumns; ++c) {
      const TShatterTile& t = Tiles[r][c];
      ASSERT_TRUE(t.Active);
      ASSERT_EQ(t.X, 10 * c);
      ASSERT_EQ(t.Y, 10 * r);
      ASSERT_TRUE(t.VX == 0 || t.VX == -1) << "tiles slide left";
      ASSERT_TRUE(t.VY >= 0 && t.VY <= 2) << "tiles fall";
    }
  }
}

TEST_F(VisualRequests, MeteorFountainRisesFromTheLowerMiddle) {
  StartBurst();
  for (const TParticle& p : BurstParticles) {
    ASSERT_TRUE(p.Active);
    ASSERT_TRUE(p.Color.R >= 192 && p.Color.G >= 64 && p.Color.G < 128 && p.Color.B >= 64 && p.Color.B < 128);
    ASSERT_TRUE(p.VY >= -3 && p.VY <= -1);
    ASSERT_TRUE(p.X >= 150 && p.X <= 250 && p.Y >= 330 && p.Y <= 380);
    ASSERT_EQ(p.Chance, 99);
  }
}

TEST_F(VisualRequests, PaintResetClearsEveryEffect) {
  TitlePixelCount = 3;
  SpawnIdeaButton(CaptionHeal);
  Click(CaptionHeal);
  SpawnIdeaButton(CaptionSlash);
  StartBurst();
  StartShatter();
  RedGlows();
  StartZoom();
  ZoomedIn = true;
  ZoomPercent = 320;
  HuePhase = 200;
  PowerSparks[3].Active = true;
  RequestFlash(MakePixel(1, 2, 3));

  PaintReset();

  EXPECT_FALSE(FlashPending);
  EXPECT_TRUE(Captions().empty()) << CaptionsText();
  EXPECT_EQ(NextIdeaButton, 0);
  EXPECT_FALSE(ButtonParticles[0][0].Active);
  EXPECT_FALSE(PowerSparks[3].Active);
  EXPECT_FALSE(BurstParticles[999].Active);
  EXPECT_FALSE(ShatterActive);
  EXPECT_FALSE(Tiles[39][39].Active);
  EXPECT_EQ(HuePhase, 0);
  EXPECT_FALSE(Zooming);
  EXPECT_FALSE(ZoomedIn);
  EXPECT_EQ(ZoomPercent, 100);
  for (const TGlow& g : Glows) {
    ASSERT_FALSE(g.Red);
    ASSERT_TRUE(g.VX >= -5 && g.VX <= -1 && g.VY >= 1 && g.VY <= 5);
    ASSERT_TRUE(g.X >= 0 && g.X < 400 && g.Y >= 0 && g.Y < 400);
  }
  // The title pixels are scattered with y drawn before x: replay the draws to check.
  SetRandomSeed(99);
  PaintReset();
  std::vector<TScreenPoint> scattered(TitlePos.begin(), TitlePos.begin() + 3);
  SetRandomSeed(99);
  for (int i = 0; i < GlowCount * 4; ++i) Random(400);
  for (int i = 0; i < 3; ++i) {
    int y = Random(400);
    int x = Random(400);
    EXPECT_EQ(scattered[i].X, x) << "title pixel " << i;
    EXPECT_EQ(scattered[i].Y, y) << "title pixel " << i;
  }
  TitlePixelCount = 0;
}
