// UnitPaintTextTest -- the text layers: status, scenario lines, message log, description view
// and the game-over overlay.
#include "tests/paint/PaintFixture.h"

namespace {

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

}  // namespace
