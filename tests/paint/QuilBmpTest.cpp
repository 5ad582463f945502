// The game's bitmaps: pixels, the row table, picture loading by name, text, copies and masks.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "paint/QuilBmp.h"

using namespace Platform;

namespace {

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

}  // namespace

TEST(Pixels, HelpersAndConstants) {
  EXPECT_TRUE(SamePixel(MakePixel(192, 192, 192), MakePixel(192, 192, 192)));
  EXPECT_FALSE(SamePixel(MakePixel(192, 192, 192), MakePixel(192, 192, 191)));
  EXPECT_EQ(PixelToColor(PixelRed), 255u) << "red belongs in the lowest byte of a system colour";
  EXPECT_EQ(PixelToColor(PixelBlue), 0xFF0000u);
  TPixel p = MakePixel(1, 2, 3);
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&p);
  EXPECT_EQ(bytes[0], 3) << "a pixel is stored blue, green, red";
  EXPECT_EQ(bytes[2], 1);
}

TEST(QuilBitmap, SetSizeGivesAWhiteBitmapWithOneRowPerLine) {
  TQuilBitmap bmp;
  EXPECT_TRUE(bmp.Rows.empty());
  EXPECT_EQ(bmp.Mask, nullptr);
  bmp.SetSize(400, 400);
  ASSERT_EQ(bmp.Rows.size(), 400u);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_TRUE(SamePixel(bmp.Rows[y][x], PixelWhite)) << x << ", " << y;
  EXPECT_EQ(reinterpret_cast<uint8_t*>(bmp.Rows[7]), bmp.ScanLine(7)) << "Rows must address the bitmap itself";
}

TEST(QuilBitmap, ARowOutsideTheBitmapThrows) {
  TQuilBitmap bmp;
  bmp.SetSize(4, 3);
  EXPECT_THROW(bmp.Rows[3], std::out_of_range);
  EXPECT_THROW(bmp.Rows[-1], std::out_of_range);
  EXPECT_NO_THROW(bmp.Rows[2]);
}

TEST(QuilBitmap, FillReachesEveryPixel) {
  TQuilBitmap bmp;
  bmp.SetSize(3, 2);
  bmp.Fill(MakePixel(10, 20, 30));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_TRUE(SamePixel(bmp.Rows[y][x], MakePixel(10, 20, 30)));
}

TEST(QuilBitmap, DefaultFontIsBoldBlackGothicOverAClearBrush) {
  TQuilBitmap bmp;
  bmp.SetSize(40, 30);
  bmp.Fill(MakePixel(0, 128, 0));
  bmp.TextOut(5, 5, "口");
  EXPECT_TRUE(SamePixel(bmp.Rows[15][15], MakePixel(0, 128, 0))) << "text must not paint a background box";
  int black = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) black += SamePixel(bmp.Rows[y][x], PixelBlack);
  EXPECT_GT(black, 20);
}

TEST(QuilBitmap, FontSettersReachTheCanvas) {
  TQuilBitmap bmp;
  bmp.SetFontName("ＭＳ Ｐ明朝");
  bmp.SetFontHeight(16);
  bmp.SetFontStyle(fsItalic | fsUnderline);
  bmp.SetFontColor(PixelRed);
  EXPECT_EQ(bmp.Canvas().Font.Name, "ＭＳ Ｐ明朝");
  EXPECT_EQ(bmp.Canvas().Font.Height, 16);
  EXPECT_EQ(bmp.Canvas().Font.Style, unsigned(fsItalic | fsUnderline));
  EXPECT_EQ(bmp.Canvas().Font.Color, 255u);
  bmp.Canvas().Brush.Style = TBrushStyle::Solid;
  bmp.SetBrushClear();
  EXPECT_EQ(bmp.Canvas().Brush.Style, TBrushStyle::Clear);
}

TEST(QuilBitmap, OnlyExactJpegNamesAreReadAsJpeg) {
  // The same bytes (not a JPEG, not a bitmap) under three names: the error text tells which
  // decoder was asked.
  WriteFile("x.jpg", "not a picture");
  WriteFile("x.jpeg", "not a picture");
  WriteFile("x.JPG", "not a picture");
  auto errorOf = [](const std::string& name) {
    TQuilBitmap bmp;
    try {
      bmp.LoadFromFile(name);
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_NE(errorOf("x.jpg").find("JPEG"), std::string::npos);
  EXPECT_NE(errorOf("x.jpeg").find("JPEG"), std::string::npos);
  EXPECT_NE(errorOf("x.JPG").find("ビットマップ"), std::string::npos) << "x.JPG must be read as a Windows bitmap";
}

TEST(QuilBitmap, AFailedLoadLeavesTheRowsAlone) {
  TQuilBitmap bmp;
  bmp.SetSize(5, 5);
  EXPECT_THROW(bmp.LoadFromFile("dat\\missing.bmp"), std::runtime_error);
  EXPECT_EQ(bmp.Rows.size(), 5u);
}

TEST(QuilBitmap, DrawToCopiesOrMasksAndIsClipped) {
  TQuilBitmap target, picture;
  target.SetSize(6, 6);
  picture.SetSize(3, 3);
  picture.Fill(PixelRed);
  picture.DrawTo(target, 4, 4);  // only 2 x 2 fit
  EXPECT_TRUE(SamePixel(target.Rows[5][5], PixelRed));
  EXPECT_TRUE(SamePixel(target.Rows[3][3], PixelWhite));
  // Mask: white keeps the target, black takes the picture (drawn black where the mask is white).
  target.Fill(PixelBlue);
  picture.Fill(PixelRed);
  picture.Rows[0][0] = PixelBlack;
  auto mask = std::make_unique<TQuilBitmap>();
  mask->SetSize(3, 3);
  mask->Fill(PixelBlack);
  mask->Rows[0][0] = PixelWhite;
  picture.SetMask(std::move(mask));
  picture.DrawTo(target, 0, 0);
  EXPECT_TRUE(SamePixel(target.Rows[0][0], PixelBlue)) << "the mask's white must keep the target";
  EXPECT_TRUE(SamePixel(target.Rows[1][1], PixelRed)) << "the mask's black must take the picture";
  EXPECT_TRUE(SamePixel(target.Rows[4][4], PixelBlue));
}

TEST(QuilBitmap, CopyToPaintBoxShowsTheWholeBitmap) {
  TPaintBox box;
  box.Width = box.Height = 4;
  TQuilBitmap bmp;
  bmp.SetSize(4, 4);
  bmp.Fill(PixelGreen);
  uint64_t before = box.Version;
  bmp.CopyToPaintBox(box);
  EXPECT_EQ(box.Shown().ScanLine(3)[3 * 3 + 1], 255);
  EXPECT_NE(box.Version, before) << "the window would not repaint";
}
