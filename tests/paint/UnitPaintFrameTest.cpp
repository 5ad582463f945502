// UnitPaintFrameTest -- the drawing set-up (pictures, title capture, glow kernel) and the
// stacking of the layers in one frame.
#include "tests/BuildPaths.h"
#include "tests/paint/PaintFixture.h"

namespace {

// ---- Set-up ----------------------------------------------------------------------------------

// A 24-bit Windows bitmap file of one colour.
void WriteBmp(const std::string& path, int w, int h) {
  const int stride = (3 * w + 3) & ~3;
  std::string bytes(54 + static_cast<size_t>(stride) * h, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  bytes[26] = 1;
  bytes[28] = 24;
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(PaintSetupPictures, AMissingOrTooSmallPictureStopsTheSetUpNamingTheFile) {
  const auto dir = std::filesystem::temp_directory_path() / ("farrow-paint-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "dat");
  std::filesystem::current_path(dir);
  Platform::TPanel page;
  Platform::TPaintBox box(&page);
  auto setUpMessage = [&] {
    try {
      PaintSetup(page, box, [](Platform::TPushButton&) {});
    } catch (const std::runtime_error& e) {
      PaintFree();
      return std::string(e.what());
    }
    PaintFree();
    return std::string("(no error)");
  };
  EXPECT_NE(setUpMessage().find("dat/a.bmp"), std::string::npos) << "a missing harbour picture";
  WriteBmp("dat/a.bmp", 400, 400);
  WriteBmp("dat/a2.bmp", 399, 400);
  EXPECT_NE(setUpMessage().find("dat/a2.bmp"), std::string::npos)
      << "a picture narrower than the play area would be read past its rows";
  WriteBmp("dat/a2.bmp", 400, 400);
  WriteBmp("dat/una.bmp", 400, 400);
  EXPECT_EQ(setUpMessage(), "(no error)");
  std::filesystem::current_path(BuildPaths::SourceDir);
  std::filesystem::remove_all(dir);
}

TEST_F(Paint, TitleCaptureHoldsTheRedTitleAndTheGreyClickLine) {
  ASSERT_GT(TitlePixelCount, 1000);
  ASSERT_LE(TitlePixelCount, MaxTitlePixels);
  int red = 0, grey = 0;
  for (int i = 0; i < TitlePixelCount; ++i) {
    const TScreenPoint t = TitleTarget[i];
    ASSERT_TRUE(t.X >= 0 && t.X < 400 && t.Y >= 0 && t.Y < 400);
    if (i > 0) {
      const TScreenPoint before = TitleTarget[i - 1];
      ASSERT_TRUE(t.Y > before.Y || (t.Y == before.Y && t.X > before.X)) << "captured row by row, left to right";
    }
    const TPixel c = TitleColor[i];
    if (t.Y >= 100 && t.Y < 170) red += c.R == 255 && c.G == c.B && c.G < 255;
    if (t.Y >= 355 && t.Y < 380) grey += c.R == c.G && c.G == c.B;
  }
  EXPECT_GT(red, 500) << "霧のファロウ in red around row 100";
  EXPECT_GT(grey, 200) << "CLICK to START in dark grey around row 355";
}

TEST(GlowKernel, BrightestInTheMiddleFadingToNothing) {
  BuildGlowKernel();
  EXPECT_EQ(GlowKernel[15][15], 200);
  const std::vector<int> fromCentre = {200, 194, 180, 158, 132, 105, 79, 56, 38, 25, 15, 8, 4, 2, 1, 0};
  for (int d = 0; d <= 15; ++d) {
    EXPECT_EQ(GlowKernel[15][15 + d], fromCentre[d]) << "middle row, " << d << " right of the centre";
    EXPECT_EQ(GlowKernel[15][15 - d], fromCentre[d]) << "middle row, " << d << " left of the centre";
    EXPECT_EQ(GlowKernel[15 + d][15], fromCentre[d]) << "middle column, " << d << " below the centre";
  }
  int nonZero = 0;
  for (const auto& row : GlowKernel)
    for (uint8_t k : row) nonZero += k != 0;
  EXPECT_EQ(nonZero, 657);
}

// ---- A whole frame -----------------------------------------------------------------------------

TEST_F(Paint, FrameStacksTilesOverTextUnderDescriptionAndGameOverUnderFlash) {
  IdeaPower = 10;
  ItemCount = 2;
  Items[0] = "【船】";
  Items[1] = "【石ころ】";
  ScriptLineCount = 4;
  ScriptLines = {"霧の港町ファロウ。", "灯台の火が波間に揺れている。", "酒場の扉が軋んで開いた。",
                 "老人は目を伏せた。"};
  MessageCount = 2;
  Messages = {"スライムが現れた！", "スライムの攻撃！"};
  auto tileCentresAre = [](TPixel want, const char* layer) {
    int wrong = 0;
    for (int r = 0; r < TileRows; ++r)
      for (int c = 0; c < TileColumns; ++c) {
        const TShatterTile& t = Tiles[r][c];
        if (t.X + 5 < 400 && t.Y + 5 < 400 && !(Px(t.X + 5, t.Y + 5) == want)) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << layer;
  };
  ScreenBmp->Fill(Rgb(1, 2, 3));
  StartShatter();
  FrameCallback();
  tileCentresAre(Rgb(1, 2, 3), "tiles lie over the backdrop, particles, status and text");

  ScreenBmp->Fill(Rgb(1, 2, 3));
  StartShatter();
  DescriptionTitle = "Ｘ";
  FrameCallback();
  const TShatterTile& inside = Tiles[30][20];
  EXPECT_EQ(Px(inside.X + 5, inside.Y + 5), Rgb(0, 192, 3)) << "the description view lies over the tiles";

  ScreenBmp->Fill(Rgb(1, 2, 3));
  StartShatter();
  HP = 0;
  FrameCallback();
  EXPECT_EQ(Px(inside.X + 5, inside.Y + 5), Rgb(128, 96, 1)) << "the game over lies over the description";
  for (int y = 0; y < 400; y += 7)
    for (int x = 0; x < 400; x += 7)
      ASSERT_EQ(Box.Shown().ScanLine(y)[3 * x + 2], Px(x, y).R) << "the play area shows the frame";

  SpawnIdeaButton("★斬撃");
  RequestFlash(PixelWhite);
  FrameCallback();
  EXPECT_EQ(CountPixels(PixelWhite), 400 * 400) << "the flash lies over everything";
  EXPECT_EQ(IdeaButtons[0]->Top, 3) << "and the idea buttons still fall";

  PaintFree();
  EXPECT_EQ(&Box.Shown(), &Box.Surface) << "the play area would go on showing the freed screen bitmap";
}

}  // namespace
