// UnitPaintEffectsTest -- particles, the flash, the shatter and the shattered world (zoom,
// colour keys, hue, blur, glows).
#include "tests/paint/PaintFixture.h"

namespace {

// ---- Particles -----------------------------------------------------------------------------------

TEST_F(Paint, ParticleIsDrawnThenMovesOneOrTwoSteps) {
  ScreenBmp->Fill(PixelBlack);
  TParticle p{true, Rgb(1, 2, 3), 2, -1, 10, 10, 100};
  StepParticle(p);
  EXPECT_EQ(Px(10, 10), Rgb(1, 2, 3));
  EXPECT_TRUE(p.Active);
  EXPECT_TRUE(p.X == 12 || p.X == 14) << p.X;
  EXPECT_TRUE(p.Y == 9 || p.Y == 8) << p.Y;

  TParticle idle{false, Rgb(1, 2, 3), 1, 1, 50, 50, 100};
  StepParticle(idle);
  EXPECT_EQ(Px(50, 50), PixelBlack) << "an inactive particle is not drawn";
  EXPECT_EQ(idle.X, 50);
}

TEST_F(Paint, ParticleOnTheTopRowRisingIsDrawnOnceMoreThenGone) {
  ScreenBmp->Fill(PixelBlack);
  TParticle p{true, Rgb(1, 2, 3), 0, -1, 5, 0, 100};
  StepParticle(p);
  EXPECT_EQ(Px(5, 0), Rgb(1, 2, 3));
  ScreenBmp->Fill(PixelBlack);
  StepParticle(p);
  EXPECT_FALSE(p.Active);
  EXPECT_EQ(CountPixels(PixelBlack), 400 * 400);
}

TEST_F(Paint, ParticleChanceIsTheSurvivalPercentPerFrame) {
  ScreenBmp->Fill(PixelBlack);
  int survivors75 = 0;
  for (int i = 0; i < 2000; ++i) {
    TParticle p{true, PixelWhite, 0, 0, 200, 200, 75};
    StepParticle(p);
    survivors75 += p.Active;
  }
  EXPECT_GT(survivors75, 2000 * 70 / 100) << "Chance 75 survives 76 times in 100";
  EXPECT_LT(survivors75, 2000 * 82 / 100);
  TParticle sure{true, PixelWhite, 0, 0, 200, 200, 99};
  for (int i = 0; i < 2000; ++i) StepParticle(sure);
  EXPECT_TRUE(sure.Active) << "Chance 99 never dies by chance";
}

TEST_F(Paint, PowerSparksRiseOnlyWhileThereIsIdeaPower) {
  for (int frame = 0; frame < 30; ++frame) {
    ScreenBmp->Fill(PixelBlack);
    DrawParticles();
    for (const TParticle& p : PowerSparks) ASSERT_FALSE(p.Active) << "理力 0: no sparks, frame " << frame;
  }
  IdeaPower = 10;
  ScreenBmp->Fill(PixelBlack);
  DrawParticles();
  int green = 0;
  for (int y = 35; y < 40; ++y)
    for (int x = 60; x < 65; ++x) green += Px(x, y) == Rgb(0, 255, 0);
  EXPECT_GT(green, 0) << "sparks start at the 理力 line";
  for (const TParticle& p : PowerSparks) {
    EXPECT_TRUE(p.Active);
    EXPECT_LT(p.Y, 35) << "sparks rise";
  }
}

TEST_F(Paint, PowerSparksSpawnAndMoveDrawingTheirRandomNumbersInOrder) {
  IdeaPower = 4;                                                // about four in ten idle sparks respawn each frame
  std::array<TParticle, PowerSparkCount> sparks = PowerSparks;  // all idle since the reset
  TFrame want;
  // One step of a particle as the reference takes it.
  auto step = [&want](TParticle& p) {
    if (p.X < 0 || p.Y < 0 || p.X >= 400 || p.Y >= 400) p.Active = false;
    const int r = Random(100);
    if (p.Chance < r) p.Active = false;
    if (!p.Active) return;
    want[static_cast<size_t>(p.Y) * 400 + static_cast<size_t>(p.X)] = p.Color;
    p.X += (Random(2) + 1) * p.VX;
    p.Y += (Random(2) + 1) * p.VY;
  };
  for (uint32_t frame = 0; frame < 8; ++frame) {
    ScreenBmp->Fill(PixelBlack);
    SetRandomSeed(300 + frame);
    DrawParticles();

    SetRandomSeed(300 + frame);
    want.assign(400 * 400, PixelBlack);
    TParticle idle{};
    for (int i = 0; i < IdeaButtonCount * ParticlesPerButton; ++i) step(idle);  // the idle button sparks
    for (TParticle& p : sparks) {
      if (!p.Active && Random(10) < IdeaPower) {
        p.Active = true;
        p.Color = Rgb(0, 255, 0);
        p.VX = Random(3) - 1;
        p.VY = -Random(10) - 5;
        p.X = Random(5) + 60;
        p.Y = Random(5) + 35;
        p.Chance = 100;
      }
      step(p);
    }
    for (int i = 0; i < BurstParticleCount; ++i) step(idle);  // the idle fountain

    EXPECT_EQ(Differences(want), "") << "frame " << frame;
    for (int i = 0; i < PowerSparkCount; ++i) {
      EXPECT_EQ(Describe(PowerSparks[i]), Describe(sparks[i])) << "spark " << i << ", frame " << frame;
    }
  }
}

TEST_F(Paint, ParticlesLieOverTheBackdropAndUnderTheStatusLines) {
  ScreenBmp->Fill(PixelBlack);
  DrawStatus();
  int textX = -1, textY = -1;
  for (int y = 10; y < 30 && textX < 0; ++y)
    for (int x = 10; x < 100 && textX < 0; ++x)
      if (Px(x, y) == Rgb(255, 255, 0)) textX = x, textY = y;
  ASSERT_GE(textX, 0) << "the ＨＰ line must have a pixel of full yellow";
  ButtonParticles[0][0] = TParticle{true, Rgb(1, 2, 3), 0, 0, textX, textY, 100};
  ButtonParticles[0][1] = TParticle{true, Rgb(4, 5, 6), 0, 0, 200, 200, 100};
  FrameCallback();
  EXPECT_EQ(Px(textX, textY), Rgb(255, 255, 0)) << "the status line lies over the particle";
  EXPECT_EQ(Px(200, 200), Rgb(4, 5, 6)) << "the particle lies over the backdrop";
}

// ---- Flash and shatter -------------------------------------------------------------------------

TEST_F(Paint, FlashCoversTheWholeNextFrameOnceInTheLastColour) {
  HP = 0;
  DescriptionTitle = "【船】";
  MessageCount = 1;
  Messages[0] = "スライムが現れた！";
  FrameCallback();
  RequestFlash(PixelRed);
  RequestFlash(Rgb(0, 0, 255));
  FrameCallback();
  EXPECT_EQ(CountPixels(Rgb(0, 0, 255)), 400 * 400) << "over the game over, the description and the text";
  EXPECT_EQ(Box.Shown().ScanLine(200)[3 * 200], 255) << "the play area shows the flash";
  FrameCallback();
  EXPECT_LT(CountPixels(Rgb(0, 0, 255)), 400 * 400 / 2) << "the flash lasts one frame";
}

TEST_F(Paint, ShatterBreaksTheLastFrameIntoTilesThatBarelyMoveAtFirst) {
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) Px(x, y) = Rgb(x % 256, y % 256, (x + y) % 256);
  StartShatter();
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_EQ(ShatterBmp->Rows[y][x], Px(x, y)) << "snapshot at " << x << ", " << y;
  FrameCallback();
  for (int r = 0; r < TileRows; ++r) {
    for (int c = 0; c < TileColumns; ++c) {
      const TShatterTile& t = Tiles[r][c];
      ASSERT_TRUE(t.Active);
      ASSERT_TRUE(t.X >= 10 * c - 1 && t.X <= 10 * c) << "tile " << r << ", " << c;
      ASSERT_TRUE(t.Y >= 10 * r && t.Y <= 10 * r + 2) << "tile " << r << ", " << c;
      if (t.X + 5 < 400 && t.Y + 5 < 400) {
        ASSERT_EQ(Px(t.X + 5, t.Y + 5), ShatterBmp->Rows[10 * r + 5][10 * c + 5]) << "tile " << r << ", " << c;
      }
    }
  }
  for (int frame = 0; frame < 200; ++frame) FrameCallback();
  for (const auto& row : Tiles)
    for (const TShatterTile& t : row) EXPECT_FALSE(t.Active) << "tiles fall out of the play area";
}

// ---- Shattered world ---------------------------------------------------------------------------

TEST_F(Paint, ZoomPlungesIntoTheFirstPictureAndComesOutOfTheSecond) {
  // Pictures whose colour tells the source column (red) and the picture (green); every row is
  // the same, so the blur leaves them as they are.
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      PictureA2->Rows[y][x] = Rgb(x % 200 + 10, 7, 9);
      PictureUna->Rows[y][x] = Rgb(x % 200 + 10, 70, 9);
    }
  }
  ParkGlows();
  ShatterActive = true;
  StartZoom();
  const std::vector<int> expected = {101, 103, 107, 115, 133, 178, 320, 1034, 320, 178, 133, 115, 107, 103, 101, 100};
  std::vector<int> seen;
  for (size_t frame = 1; frame <= expected.size(); ++frame) {
    DrawOtherScene();
    seen.push_back(ZoomPercent);
    const int zoom = ZoomPercent;
    const int green = frame >= 8 ? 70 : 7;
    EXPECT_EQ(ZoomedIn, frame >= 8) << "frame " << frame;
    for (int x = 100; x < 300; ++x) {
      const int sx = (x - 200) * 100 / zoom + 200;
      ASSERT_EQ(Px(x, 300), Rgb(sx % 200 + 10, green, 9)) << "frame " << frame << " at " << zoom << " %, x " << x;
    }
  }
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(Zooming);
  DrawOtherScene();
  EXPECT_EQ(ZoomPercent, 100);
  EXPECT_EQ(Px(200, 300).G, 70) << "the world keeps the second picture";
}

TEST_F(Paint, NightSkyOfTheSilverBulletStopsTheZoom) {
  ParkGlows();
  ShatterActive = true;
  StartZoom();
  DrawOtherScene();
  SilverBurst = true;
  DrawOtherScene();
  DrawOtherScene();
  EXPECT_EQ(ZoomPercent, 101) << "the zoom stands still under the night sky";
  EXPECT_EQ(Px(200, 390).R, 0);
  EXPECT_GT(Px(200, 390).B, 200) << "deep blue at the bottom";
}

TEST_F(Paint, ColourKeysAnimateTheFiveKeyColoursAndNothingElse) {
  const std::vector<TPixel> stripes = {PixelBlack, Rgb(255, 255, 0),   PixelBlue,     Rgb(0, 255, 255),
                                       PixelRed,   Rgb(255, 255, 254), Rgb(0, 0, 254)};
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) Px(x, y) = stripes[x % stripes.size()];
  BuildColumnTables();
  const TPixel hue = StepHue();
  ASSERT_EQ(hue, Rgb(8, 119, 0)) << "the first step of the hue from reset";
  ApplyColorKeys(hue);
  for (int x = 0; x < 400; ++x) {
    ASSERT_TRUE(Wave[x] >= 180 && Wave[x] <= 200);
    if (x > 0) {
      ASSERT_LE(std::abs(Wave[x] - Wave[x - 1]), 1);
    }
    const int q = (200 - x) * (200 - x) * 20 / 40000;
    ASSERT_EQ(BandCentre[x], 80 - q);
    ASSERT_TRUE(BandWidth[x] >= q + 20 && BandWidth[x] <= q + 36);
    ASSERT_EQ(BandColor[x].G, BandColor[x].R + 96);
  }
  EXPECT_EQ(Wave[0], 180);
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      const TPixel p = Px(x, y);
      switch (x % stripes.size()) {
        case 0:
          ASSERT_EQ(p, hue) << x << ", " << y;
          break;
        case 1:
          ASSERT_EQ(p, Rgb(4, 59, 0)) << "half hue at " << x << ", " << y;
          break;
        case 2: {
          const int c = BandCentre[x], w = BandWidth[x], d = y - c;
          const TPixel band = BandColor[x];
          const TPixel want = c - w < y && y <= c + w
                                  ? Rgb((w * w - d * d) * band.R / (w * w), (w * w - d * d) * band.G / (w * w),
                                        (w * w - d * d) * band.B / (w * w))
                                  : Rgb(0, 0, (y * y * 255 / 400) / 400);
          ASSERT_EQ(p, want) << "night sky and light curtain at " << x << ", " << y;
          break;
        }
        case 3:
          ASSERT_EQ(p, Rgb(Wave[x] + 30, Wave[x], Wave[x])) << x << ", " << y;
          break;
        case 4:
          ASSERT_TRUE(p.R >= 128 && p.G == 0 && p.B == 0) << "fire at " << x << ", " << y;
          break;
        default:
          ASSERT_EQ(p, stripes[x % stripes.size()]) << "not a key colour: " << x << ", " << y;
      }
    }
  }
}

TEST_F(Paint, HueCyclesInFortyEightFrames) {
  std::vector<TPixel> cycle;
  cycle.reserve(48);
  for (int i = 0; i < 48; ++i) cycle.push_back(StepHue());
  EXPECT_EQ(HuePhase, 0);
  EXPECT_EQ(cycle[15], Rgb(127 - 0, 0, 0)) << "phase 128";
  EXPECT_EQ(cycle[16], Rgb(127 - 8, 0, 8)) << "phase 136";
  EXPECT_EQ(cycle[32], Rgb(0, 8, 119)) << "phase 264";
  EXPECT_EQ(StepHue(), cycle[0]);
}

TEST_F(Paint, BlurAveragesEachRowWithTheUnblurredRowsBelowIt) {
  auto original = [](int y) { return Rgb(y * 37 % 256, y * 11 % 256, (255 - y) & 255); };
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) Px(x, y) = original(y);
  BlurVertical();
  for (int y = 0; y < 400; ++y) {
    TPixel want = original(y);
    if (y <= 396) {
      const TPixel a = original(y), b = original(y + 1), c = original(y + 2), d = original(y + 3);
      want = Rgb((a.R + b.R + c.R + d.R) / 4, (a.G + b.G + c.G + d.G) / 4, (a.B + b.B + c.B + d.B) / 4);
    }
    ASSERT_EQ(Px(123, y), want) << "row " << y;
  }
}

TEST_F(Paint, GlowsBrightenAroundThemselvesAndReturnAtTheRightEdge) {
  ScreenBmp->Fill(PixelBlack);
  ParkGlows();
  DrawGlows();
  EXPECT_EQ(CountPixels(PixelBlack), 400 * 400) << "a glow back at the right edge is not yet on the canvas";
  for (const TGlow& g : Glows) EXPECT_EQ(g.X, 415);

  ParkGlows();
  Glows[0] = TGlow{true, 0, 0, 100, 200};
  Glows[1] = TGlow{false, 0, 0, 300, 200};
  DrawGlows();
  const TGlow red = Glows[0], white = Glows[1];
  EXPECT_EQ(Px(red.X, red.Y), Rgb(200, 0, 0)) << "a red glow adds red only";
  EXPECT_EQ(Px(white.X, white.Y), Rgb(200, 200, 200));
  EXPECT_EQ(Px(white.X + 15, white.Y), PixelBlack) << "the kernel's rim adds nothing";

  ScreenBmp->Fill(PixelBlack);
  ParkGlows();
  Glows[0] = TGlow{false, 0, 0, 100, 200};
  ZoomedIn = true;
  DrawGlows();
  EXPECT_EQ(Px(399 - Glows[0].X, Glows[0].Y), Rgb(200, 200, 200)) << "mirrored in the second picture's world";
  EXPECT_EQ(Px(Glows[0].X, Glows[0].Y), PixelBlack);
}

TEST_F(Paint, ZoomScalesBothPicturesAboutThePoint200By110) {
  PaintPlaces(*PictureA2, 0);
  PaintPlaces(*PictureUna, 1);
  const TFrame first = FrameOf(*PictureA2), second = FrameOf(*PictureUna);
  StartZoom();
  for (int frame = 1; frame <= 17; ++frame) {
    DrawZoomedPicture();
    const int zoom = ZoomPercent;
    const TFrame& picture = ZoomedIn ? second : first;
    TFrame want(400 * 400);
    for (int y = 0; y < 400; ++y) {
      for (int x = 0; x < 400; ++x) {
        const int sx = (x - 200) * 100 / zoom + 200, sy = (y - 110) * 100 / zoom + 110;
        want[static_cast<size_t>(y) * 400 + static_cast<size_t>(x)] =
            picture[static_cast<size_t>(sy) * 400 + static_cast<size_t>(sx)];
      }
    }
    EXPECT_EQ(Differences(want), "") << "frame " << frame << " at " << zoom << " %";
  }
}

TEST_F(Paint, ColumnTablesDrawTheWaveStepThenTheWidthThenTheColourColumnByColumn) {
  for (uint32_t seed : {99u, 100u}) {
    SetRandomSeed(seed);
    BuildColumnTables();
    SetRandomSeed(seed);
    int wave = 180;
    for (int x = 0; x < 400; ++x) {
      const int q = (200 - x) * (200 - x) * 20 / 40000;
      if (x > 0) wave = std::clamp(wave + Random(3) - 1, 180, 200);
      const int s = Random(5);
      const int t = Random(64);
      ASSERT_EQ(Wave[x], wave) << "column " << x << ", seed " << seed;
      ASSERT_EQ(BandWidth[x], q + s * s + 20) << "column " << x << ", seed " << seed;
      ASSERT_EQ(BandColor[x], Rgb(96 + t, 192 + t, 96 + t)) << "column " << x << ", seed " << seed;
      ASSERT_EQ(BandCentre[x], 80 - q) << "column " << x << ", seed " << seed;
    }
  }
}

TEST_F(Paint, GlowsDrawTheirRandomNumbersInOrderAndComeBackWhiteAtEitherEdge) {
  // Glows all over the canvas and its edges, a third of them red; two red ones about to leave,
  // through the bottom and through the left edge.
  for (int i = 0; i < GlowCount; ++i) {
    Glows[i] = TGlow{i % 3 == 0, -1 - i % 5, 1 + i % 4, i * 37 % 430 - 15, i * 53 % 430 - 15};
  }
  Glows[0] = TGlow{true, 0, 3, 200, 414};
  Glows[1] = TGlow{true, -4, 0, -12, 200};
  std::array<TGlow, GlowCount> glows = Glows;
  const TPixel ground = Rgb(10, 20, 30);
  for (uint32_t frame = 0; frame < 4; ++frame) {
    ScreenBmp->Fill(ground);
    SetRandomSeed(100 + frame);
    DrawGlows();

    SetRandomSeed(100 + frame);
    TFrame want(400 * 400, ground);
    for (TGlow& g : glows) {
      if (Random(5) == 0) g.VX -= Random(3);
      if (Random(5) == 0) g.VY += Random(2);
      g.X += g.VX;
      g.Y += g.VY;
      if (g.X + 15 < 0) g = TGlow{false, -Random(3), Random(3), 415, g.Y};
      if (g.Y - 15 > 400) {
        const int vx = -Random(3);
        g = TGlow{false, vx, Random(3), g.X, -15};
      }
      for (int dy = -15; dy <= 15; ++dy) {
        for (int dx = -15; dx <= 15; ++dx) {
          const int x = g.X + dx, y = g.Y + dy;
          if (x < 0 || x >= 400 || y < 0 || y >= 400) continue;
          TPixel& p = want[static_cast<size_t>(y) * 400 + static_cast<size_t>(x)];
          const int k = GlowKernel[dy + 15][dx + 15];
          p.R = static_cast<uint8_t>(std::min(255, p.R + k));
          if (!g.Red) {
            p.G = static_cast<uint8_t>(std::min(255, p.G + k));
            p.B = static_cast<uint8_t>(std::min(255, p.B + k));
          }
        }
      }
    }
    EXPECT_EQ(Differences(want), "") << "frame " << frame;
    for (int i = 0; i < GlowCount; ++i) {
      EXPECT_EQ(Describe(Glows[i]), Describe(glows[i])) << "glow " << i << ", frame " << frame;
    }
  }
  EXPECT_FALSE(Glows[0].Red) << "back in at the top, white";
  EXPECT_FALSE(Glows[1].Red) << "back in at the right, white";
}

}  // namespace
