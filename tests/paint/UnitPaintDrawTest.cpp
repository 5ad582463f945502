// UnitPaintDrawTest -- the drawing of the play area on the pixel buffer, layer by layer: the
// set-up, the title, the normal backdrop, the text layers, the particles, the flash, the
// shatter, the shattered world (zoom, colour keys, blur, glows) and the stacking of a frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "game/UnitMain.h"
#include "paint/Random.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintDraw.h"
#include "paint/UnitPaintFrame.h"

bool operator==(const TPixel& a, const TPixel& b) { return SamePixel(a, b); }
void PrintTo(const TPixel& p, std::ostream* os) { *os << "(" << +p.R << ", " << +p.G << ", " << +p.B << ")"; }

namespace {

TPixel Rgb(int r, int g, int b) {
  return MakePixel(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
}

TPixel& Px(int x, int y) { return ScreenBmp->Rows[y][x]; }

// A whole 400 x 400 picture, row by row; the expected frames are built in these.
using TFrame = std::vector<TPixel>;

TFrame FrameOf(const TQuilBitmap& bmp) {
  TFrame frame;
  frame.reserve(400 * 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) frame.push_back(bmp.Rows[y][x]);
  return frame;
}

// "" when the canvas shows the expected frame, else how many pixels differ and the first one.
std::string Differences(const TFrame& want) {
  int count = 0;
  std::string first;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      const TPixel got = Px(x, y), w = want[static_cast<size_t>(y * 400 + x)];
      if (SamePixel(got, w)) continue;
      if (count++ == 0) {
        first = " pixels differ, the first at (" + std::to_string(x) + ", " + std::to_string(y) + "): (" +
                std::to_string(got.R) + ", " + std::to_string(got.G) + ", " + std::to_string(got.B) + ") instead of (" +
                std::to_string(w.R) + ", " + std::to_string(w.G) + ", " + std::to_string(w.B) + ")";
      }
    }
  }
  return count == 0 ? "" : std::to_string(count) + first;
}

// Every pixel of the picture tells its place: red its column and green its row (mod 256),
// blue the 256-pixel block plus a mark for the picture. Neither black nor white.
void PaintPlaces(TQuilBitmap& picture, int mark) {
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      picture.Rows[y][x] = Rgb(x & 255, y & 255, 1 + (x >> 8) + 2 * (y >> 8) + 4 * mark);
}

std::string Describe(const TParticle& p) {
  return std::string(p.Active ? "active" : "idle") + " colour (" + std::to_string(p.Color.R) + ", " +
         std::to_string(p.Color.G) + ", " + std::to_string(p.Color.B) + ") speed " + std::to_string(p.VX) + ", " +
         std::to_string(p.VY) + " at " + std::to_string(p.X) + ", " + std::to_string(p.Y) + " chance " +
         std::to_string(p.Chance);
}

std::string Describe(const TGlow& g) {
  return std::string(g.Red ? "red" : "white") + " speed " + std::to_string(g.VX) + ", " + std::to_string(g.VY) +
         " at " + std::to_string(g.X) + ", " + std::to_string(g.Y);
}

// The drawing set-up of the game with the real pictures, a fixed seed and a quiet game state.
class Paint : public ::testing::Test {
 protected:
  Platform::TPanel Page;
  Platform::TPaintBox Box{&Page};

  void SetUp() override {
    std::filesystem::current_path(FARROW_SOURCE_DIR);
    SetRandomSeed(20240601);
    Box.Width = 400;
    Box.Height = 400;
    PaintSetup(Page, Box, [](Platform::TPushButton&) {});
    PaintReset();
    TitleShowing = false;
    MaxHP = 10;
    HP = 10;
    IdeaPower = 0;
    ItemCount = 0;
    ScriptLineCount = 0;
    MessageCount = 0;
    DescriptionTitle.clear();
    DescriptionLines.clear();
    SilverBurst = false;
  }

  void TearDown() override { PaintFree(); }

  static int CountPixels(TPixel color) {
    int n = 0;
    for (int y = 0; y < 400; ++y)
      for (int x = 0; x < 400; ++x) n += Px(x, y) == color;
    return n;
  }

  // Glows parked off the canvas: on their next step they re-enter at the right edge, unseen.
  static void ParkGlows() {
    for (TGlow& g : Glows) g = TGlow{false, 0, 0, -1000, 100};
  }
};

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
  std::filesystem::current_path(FARROW_SOURCE_DIR);
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
        const TPixel p = picture[static_cast<size_t>(sy * 400 + sx)];
        want[static_cast<size_t>(y * 400 + x)] = SamePixel(p, PixelBlack) ? Rgb(192, 192, 192) : p;
      }
    }
    for (int i = 0; i < 5; ++i) {
      pos[i].X = targets[i].X + (pos[i].X - targets[i].X) * 9 / 10 + Random(2);
      pos[i].Y = targets[i].Y + (pos[i].Y - targets[i].Y) * 9 / 10 + Random(2);
      for (int x = pos[i].X; x <= pos[i].X + 1; ++x) {
        if (x < 400 && pos[i].Y < 400) want[static_cast<size_t>(pos[i].Y * 400 + x)] = TitleColor[i];
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
  PictureA->Rows[150][200] = Rgb(255, 255, 254);  // not quite white: left alone
  DrawScene();
  EXPECT_EQ(Px(200, 200), Rgb(0, 0, 255));
  EXPECT_EQ(Px(200, 0), Rgb(0, 0, 0));
  EXPECT_EQ(Px(200, 399), Rgb(0, 0, 3));
  EXPECT_EQ(Px(200, 100), Rgb(0, 0, 255 - (100 * 100 * 255 * 4 / 400) / 400));
  EXPECT_EQ(Px(200, 150), Rgb(255, 255, 254));
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

// ---- Text layers -------------------------------------------------------------------------------

TEST_F(Paint, MessagesAreCentredByTheirLengthInBytes) {
  const std::string twentyWide = "ああああああああああああああああああああ";
  ASSERT_EQ(twentyWide.size(), 40u);
  EXPECT_EQ(MessageLeft(twentyWide), 50);
  EXPECT_EQ(MessageLeft("abcd"), (400 - 30) / 2);
  ScreenBmp->Fill(PixelBlack);
  MessageCount = 1;
  Messages[0] = twentyWide;
  DrawMessageLog();
  int left = 400;
  for (int y = 332; y < 364; ++y)  // between the two orange lines
    for (int x = 0; x < 400; ++x)
      if (Px(x, y) != PixelBlack) left = std::min(left, x);
  EXPECT_GE(left, 50);
  EXPECT_LE(left, 55) << "the message should start at x = 50";
}

TEST_F(Paint, MessageLogIsFramedByOrangeLinesOnlyWhenItHoldsSomething) {
  ScreenBmp->Fill(PixelBlack);
  Messages[0] = "スライムが現れた！";
  DrawMessageLog();
  EXPECT_EQ(CountPixels(PixelBlack), 400 * 400) << "an empty log draws nothing";
  MessageCount = 2;
  Messages[1] = "スライムの攻撃！";
  DrawMessageLog();
  std::vector<int> orangeRows;
  for (int y = 0; y < 400; ++y)
    if (Px(0, y) == Rgb(255, 127, 0)) orangeRows.push_back(y);
  ASSERT_FALSE(orangeRows.empty());
  for (int y : orangeRows) EXPECT_TRUE((y >= 329 && y <= 331) || (y >= 384 && y <= 386)) << "orange on row " << y;
  EXPECT_GE(orangeRows.back(), 384) << "with two lines the lower line lies near row 385";
}

TEST_F(Paint, DescriptionTintsTwiceLeavingALighterFrame) {
  ScreenBmp->Fill(Rgb(100, 100, 100));
  DescriptionLines = {"港の鍛冶屋が鋳た。"};
  DrawDescription();
  EXPECT_EQ(CountPixels(Rgb(100, 100, 100)), 400 * 400) << "no title: no view, whatever its lines";
  DescriptionTitle = "Ｘ";
  DescriptionLines.clear();
  DrawDescription();
  const TPixel none = Rgb(100, 100, 100), once = Rgb(50, 178, 100), twice = Rgb(25, 217, 100);
  auto expected = [&](int v) { return v < 15 || v > 384 ? none : v < 20 || v > 379 ? once : twice; };
  for (int v = 0; v < 400; ++v) {
    EXPECT_EQ(Px(v, 200), expected(v)) << "row 200, column " << v;
    EXPECT_EQ(Px(200, v), expected(v)) << "column 200, row " << v;
  }
}

TEST_F(Paint, GameOverTurnsEverythingDarkRedWithWhiteLines) {
  ScreenBmp->Fill(Rgb(100, 200, 30));
  HP = 1;
  DrawGameOver();
  EXPECT_EQ(CountPixels(Rgb(100, 200, 30)), 400 * 400) << "ＨＰ 1 is not game over";
  HP = 0;
  DrawGameOver();
  EXPECT_EQ(Px(5, 50), Rgb(178, 100, 15));
  EXPECT_EQ(Px(395, 300), Rgb(178, 100, 15));
  int upper = 0, lower = 0;
  for (int y = 0; y < 400; ++y) {
    if (Px(0, y) != PixelWhite) continue;
    EXPECT_TRUE((y >= 150 && y < 170) || (y >= 230 && y < 250)) << "white on row " << y;
    upper += y < 200;
    lower += y >= 200;
  }
  EXPECT_GE(upper, 1);
  EXPECT_LE(upper, 4);
  EXPECT_GE(lower, 1);
  EXPECT_LE(lower, 4);
}

// A canvas of its own on which a test writes what a text layer must show, with the face,
// height, style and colour the layer must use, through the platform's text drawing.
class TTextReference {
 public:
  TTextReference() {
    bmp_.SetSize(400, 400);
    bmp_.Fill(PixelBlack);
  }
  void Text(const char* face, int height, unsigned style, TPixel color, int x, int y, const std::string& text) {
    bmp_.SetFontName(face);
    bmp_.SetFontHeight(height);
    bmp_.SetFontStyle(style);
    bmp_.SetFontColor(color);
    bmp_.SetBrushClear();
    bmp_.TextOut(x, y, text);
  }
  void Line(TPixel color, int x0, int y0, int x1, int y1) {
    bmp_.Canvas().Pen.Color = PixelToColor(color);
    bmp_.Canvas().MoveTo(x0, y0);
    bmp_.Canvas().LineTo(x1, y1);
  }
  // The square of pixels from .. to (both included) in x and y.
  void Square(TPixel color, int from, int to) {
    for (int y = from; y <= to; ++y)
      for (int x = from; x <= to; ++x) bmp_.Rows[y][x] = color;
  }
  TFrame Frame() const { return FrameOf(bmp_); }

 private:
  TQuilBitmap bmp_;
};

TEST_F(Paint, EachTextLayerHasItsFaceHeightColourAndPlace) {
  HP = 7;
  MaxHP = 12;
  IdeaPower = 3;
  ItemCount = 3;
  Items[0] = "【船】";
  Items[1] = "【石ころ】";
  Items[2] = "【毛皮】";
  {
    ScreenBmp->Fill(PixelBlack);
    DrawStatus();
    TTextReference want;
    want.Text("ＭＳ ゴシック", 15, 0, Rgb(255, 255, 0), 10, 10, "ＨＰ：7／12");
    want.Text("ＭＳ ゴシック", 15, 0, Rgb(0, 255, 0), 10, 30, "理力：3");
    for (int i = 0; i < 3; ++i) want.Text("ＭＳ ゴシック", 15, 0, Rgb(255, 0, 0), 280, 10 + 20 * i, Items[i]);
    EXPECT_EQ(Differences(want.Frame()), "") << "status lines and items";
  }
  {
    ScriptLineCount = 4;
    ScriptLines = {"霧の港町ファロウ。", "灯台の火が波間に揺れている。", "酒場の扉が軋んで開いた。", "Ａ ａ 1"};
    ScreenBmp->Fill(PixelBlack);
    DrawScriptLines();
    TTextReference want;
    for (int i = 0; i < 4; ++i) want.Text("ＭＳ Ｐ明朝", 15, 0, PixelWhite, 50, 250 + 20 * i, ScriptLines[i]);
    EXPECT_EQ(Differences(want.Frame()), "") << "scenario lines";
  }
  {
    MessageCount = 2;
    Messages = {"スライムが現れた！", "オオカミの攻撃！ＨＰが3減った。"};
    ScreenBmp->Fill(PixelBlack);
    SetRandomSeed(11);
    DrawMessageLog();
    TTextReference want;
    const TPixel orange = Rgb(255, 127, 0);
    for (int i = 0; i < 2; ++i) {
      const int length = static_cast<int>(Messages[i].size());
      want.Text("ＭＳ ゴシック", 15, 0, orange, (400 - length * 15 / 2) / 2, 340 + 20 * i, Messages[i]);
    }
    SetRandomSeed(11);
    for (int centre : {330, 345 + 20 * 2}) {
      for (int line = 0; line < 2; ++line) {
        const int y0 = Random(3) + centre - 1;
        const int y1 = Random(3) + centre - 1;
        want.Line(orange, 0, y0, 399, y1);
      }
    }
    EXPECT_EQ(Differences(want.Frame()), "") << "message log and its two pairs of lines";
  }
}

TEST_F(Paint, DescriptionViewAndGameOverHaveTheirFaceHeightColourAndPlace) {
  {
    DescriptionTitle = "【船】";
    DescriptionLines = {"港の鍛冶屋が鋳た。", "", "Ａ ａ 1 ア"};
    ScreenBmp->Fill(PixelBlack);
    DrawDescription();
    TTextReference want;
    want.Square(Rgb(0, 128, 0), 15, 384);  // black tinted once
    want.Square(Rgb(0, 192, 0), 20, 379);  // and twice
    want.Text("ＭＳ ゴシック", 15, Platform::fsBold, PixelWhite, 25, 25, DescriptionTitle);
    for (int i = 0; i < 3; ++i) {
      want.Text("ＭＳ ゴシック", 12, Platform::fsBold, PixelWhite, 25, 55 + 15 * i, DescriptionLines[i]);
    }
    EXPECT_EQ(Differences(want.Frame()), "") << "description view";
  }
  {
    HP = 0;
    ScreenBmp->Fill(PixelBlack);
    SetRandomSeed(12);
    DrawGameOver();
    TTextReference want;
    want.Square(Rgb(128, 0, 0), 0, 399);  // black turned dark red
    SetRandomSeed(12);
    for (int centre : {160, 160, 240, 240}) {
      for (int line = 0; line < 2; ++line) {
        const int y0 = Random(20) + centre - 10;
        const int y1 = Random(20) + centre - 10;
        want.Line(PixelWhite, 0, y0, 399, y1);
      }
    }
    want.Text("ＭＳ 明朝", 40, Platform::fsBold, Rgb(191, 127, 127), 20, 180, "ＧＡＭＥ　ＯＶＥＲ");
    want.Text("ＭＳ 明朝", 15, Platform::fsBold, PixelWhite, 125, 180, "あなたは去りました。");
    want.Text("ＭＳ 明朝", 15, Platform::fsBold, PixelWhite, 125, 200, "あなたは死にました。");
    EXPECT_EQ(Differences(want.Frame()), "") << "game over";
  }
}

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
  IdeaPower = 4;  // about four in ten idle sparks respawn each frame
  std::array<TParticle, PowerSparkCount> sparks = PowerSparks;  // all idle since the reset
  TFrame want;
  // One step of a particle as the reference takes it.
  auto step = [&want](TParticle& p) {
    if (p.X < 0 || p.Y < 0 || p.X >= 400 || p.Y >= 400) p.Active = false;
    const int r = Random(100);
    if (p.Chance < r) p.Active = false;
    if (!p.Active) return;
    want[static_cast<size_t>(p.Y * 400 + p.X)] = p.Color;
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
  EXPECT_EQ(Box.Surface.ScanLine(200)[3 * 200], 255) << "the play area shows the flash";
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
  const std::vector<TPixel> stripes = {PixelBlack, Rgb(255, 255, 0), PixelBlue, Rgb(0, 255, 255),
                                       PixelRed, Rgb(255, 255, 254), Rgb(0, 0, 254)};
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
        want[static_cast<size_t>(y * 400 + x)] = picture[static_cast<size_t>(sy * 400 + sx)];
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
          TPixel& p = want[static_cast<size_t>(y * 400 + x)];
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

// ---- A whole frame -----------------------------------------------------------------------------

TEST_F(Paint, FrameStacksTilesOverTextUnderDescriptionAndGameOverUnderFlash) {
  IdeaPower = 10;
  ItemCount = 2;
  Items[0] = "【船】";
  Items[1] = "【石ころ】";
  ScriptLineCount = 4;
  ScriptLines = {"霧の港町ファロウ。", "灯台の火が波間に揺れている。", "酒場の扉が軋んで開いた。", "老人は目を伏せた。"};
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
      ASSERT_EQ(Box.Surface.ScanLine(y)[3 * x + 2], Px(x, y).R) << "the frame is copied to the play area";

  SpawnIdeaButton("★斬撃");
  RequestFlash(PixelWhite);
  FrameCallback();
  EXPECT_EQ(CountPixels(PixelWhite), 400 * 400) << "the flash lies over everything";
  EXPECT_EQ(IdeaButtons[0]->Top, 3) << "and the idea buttons still fall";
}

}  // namespace
