// UnitPaintSceneTest -- the title frames and the normal backdrop.
#include "tests/paint/PaintFixture.h"

namespace {

// ---- Title -------------------------------------------------------------------------------------

TEST_F(Paint, TitlePixelsSettleWithinSeventyFrames) {
  TitleShowing = true;
  FrameCallback();
  int away = 0;
  for (int i = 0; i < TitlePixelCount; ++i) {
    away += std::abs(TitlePos[i].X - TitleTarget[i].X) > 1 || std::abs(TitlePos[i].Y - TitleTarget[i].Y) > 1;
  }
  EXPECT_GT(away, TitlePixelCount / 2) << "after the reset the pixels start scattered over the canvas";
  for (int frame = 1; frame < 70; ++frame) FrameCallback();
  for (int i = 0; i < TitlePixelCount; ++i) {
    const int dx = TitlePos[i].X - TitleTarget[i].X, dy = TitlePos[i].Y - TitleTarget[i].Y;
    ASSERT_TRUE(dx >= 0 && dx <= 1 && dy >= 0 && dy <= 1)
        << "title pixel " << i << " is " << dx << ", " << dy << " from its place after 70 frames";
  }
}

TEST_F(Paint, TitleFrameShowsOnlyTheMagnifiedPictureAndLeavesTheGameAlone) {
  PictureA->Fill(Rgb(50, 60, 70));
  PictureA->Rows[100][150] = PixelBlack;  // black parts of the harbour turn light grey
  TitlePixelCount = 0;
  TitleShowing = true;
  HP = 0;
  IdeaPower = 10;
  MessageCount = 1;
  Messages[0] = "スライムが現れた！";
  DescriptionTitle = "【船】";
  SpawnIdeaButton("★癒し");
  FrameCallback();
  EXPECT_EQ(CountPixels(Rgb(50, 60, 70)) + CountPixels(Rgb(192, 192, 192)), 400 * 400)
      << "no status, text, particles, description or game over on the title";
  EXPECT_GT(CountPixels(Rgb(192, 192, 192)), 0);
  EXPECT_EQ(IdeaButtons[0]->Top, -30) << "idea buttons wait above the edge while the title shows";
  EXPECT_FALSE(PowerSparks[0].Active);
}

TEST_F(Paint, TitlePixelOnTheLastColumnIsNotWrittenIntoTheNextRow) {
  PictureA->Fill(Rgb(50, 60, 70));
  TitlePixelCount = 1;
  TitleTarget[0] = TitlePos[0] = TScreenPoint{399, 10};
  TitleColor[0] = Rgb(1, 2, 3);
  TitleShowing = true;
  for (int frame = 0; frame < 20; ++frame) {
    FrameCallback();
    if (TitlePos[0].X == 399) {
      EXPECT_EQ(Px(399, TitlePos[0].Y), Rgb(1, 2, 3)) << "frame " << frame;
    }
    EXPECT_EQ(Px(0, TitlePos[0].Y + 1), Rgb(50, 60, 70)) << "x = 400 must be skipped, frame " << frame;
  }
  TitleTarget[0] = TitlePos[0] = TScreenPoint{399, 399};
  for (int frame = 0; frame < 20; ++frame) EXPECT_NO_THROW(FrameCallback()) << "y = 400 must be skipped too";
}

TEST_F(Paint, TitleFrameMagnifiesItsSourceAndDrawsColumnBeforeRowThenEachPixelXBeforeY) {
  PaintPlaces(*PictureA, 0);
  for (int y = 50; y < 190; y += 5)
    for (int x = 100; x < 240; x += 7) PictureA->Rows[y][x] = PixelBlack;  // black turns light grey
  const TFrame picture = FrameOf(*PictureA);
  // A few title pixels: far from their places, on the edges, one already home.
  TitlePixelCount = 5;
  const TScreenPoint targets[] = {{30, 100}, {399, 10}, {200, 399}, {0, 0}, {120, 355}};
  const TScreenPoint starts[] = {{350, 20}, {0, 300}, {200, 0}, {399, 399}, {120, 355}};
  std::vector<TScreenPoint> pos(starts, starts + 5);
  for (int i = 0; i < 5; ++i) {
    TitleTarget[i] = targets[i];
    TitlePos[i] = starts[i];
    TitleColor[i] = Rgb(250, 10 * i, 7);
  }
  TitleShowing = true;
  for (uint32_t seed : {7u, 8u}) {
    SetRandomSeed(seed);
    FrameCallback();

    SetRandomSeed(seed);
    TFrame want(400 * 400);
    for (int y = 0; y < 400; ++y) {
      for (int x = 0; x < 400; ++x) {
        const int sx = x / 3 + 100 + Random(4);
        const int sy = y / 3 + 50 + Random(4);
        const TPixel p = picture[static_cast<size_t>(sy) * 400 + static_cast<size_t>(sx)];
        want[static_cast<size_t>(y) * 400 + static_cast<size_t>(x)] = SamePixel(p, PixelBlack) ? Rgb(192, 192, 192) : p;
      }
    }
    for (int i = 0; i < 5; ++i) {
      pos[i].X = targets[i].X + (pos[i].X - targets[i].X) * 9 / 10 + Random(2);
      pos[i].Y = targets[i].Y + (pos[i].Y - targets[i].Y) * 9 / 10 + Random(2);
      for (int x = pos[i].X; x <= pos[i].X + 1; ++x) {
        if (x < 400 && pos[i].Y < 400)
          want[static_cast<size_t>(pos[i].Y) * 400 + static_cast<size_t>(x)] = TitleColor[i];
      }
    }
    EXPECT_EQ(Differences(want), "") << "seed " << seed;
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(TitlePos[i].X, pos[i].X) << "title pixel " << i << ", seed " << seed;
      EXPECT_EQ(TitlePos[i].Y, pos[i].Y) << "title pixel " << i << ", seed " << seed;
    }
  }
}

// ---- Normal backdrop ---------------------------------------------------------------------------

TEST_F(Paint, WhiteOfThePictureBecomesSkyBrightestOnRow200) {
  PictureA->Fill(PixelWhite);
  // Not quite white, in each of the three bytes: left alone.
  const TPixel nearly[] = {Rgb(255, 255, 254), Rgb(255, 254, 255), Rgb(254, 255, 255)};
  for (int i = 0; i < 3; ++i) PictureA->Rows[150][200 + i] = nearly[i];
  DrawScene();
  EXPECT_EQ(Px(200, 200), Rgb(0, 0, 255));
  EXPECT_EQ(Px(200, 0), Rgb(0, 0, 0));
  EXPECT_EQ(Px(200, 399), Rgb(0, 0, 3));
  EXPECT_EQ(Px(200, 100), Rgb(0, 0, 255 - (100 * 100 * 255 * 4 / 400) / 400));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Px(200 + i, 150), nearly[i]);
}

TEST_F(Paint, BlackSidesLeaveABandWithWobblingEdges) {
  PictureA->Fill(PixelWhite);
  std::vector<int> leftEdges;
  for (int frame = 0; frame < 5; ++frame) {
    DrawScene();
    int edgeBlack = 0;
    for (int y = 1; y < 399; ++y) {
      for (int x = 0; x < 138; ++x) ASSERT_EQ(Px(x, y), PixelBlack) << x << ", " << y;
      for (int x = 263; x < 399; ++x) ASSERT_EQ(Px(x, y), PixelBlack) << x << ", " << y;
      for (int x = 148; x < 252; ++x) ASSERT_NE(Px(x, y), PixelBlack) << "inside the band: " << x << ", " << y;
      for (int x = 140; x < 148; ++x) edgeBlack += Px(x, y) == PixelBlack;
      ASSERT_NE(Px(399, y), PixelBlack) << "column 399 is not filled";
    }
    EXPECT_NE(Px(0, 399), PixelBlack) << "row 399 is not filled";
    leftEdges.push_back(edgeBlack);
  }
  EXPECT_NE(std::count(leftEdges.begin(), leftEdges.end(), leftEdges[0]), 5) << "the band's edge wobbles";
}

}  // namespace
