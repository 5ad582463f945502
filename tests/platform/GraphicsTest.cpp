// The drawing stand-in: fonts, text over pixels, lines, fills, block copies, picture files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Graphics.h"
#include "platform/TextCodec.h"
#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"

using namespace Platform;

namespace {

struct Bgr {
  uint8_t B, G, R;
  bool operator==(const Bgr&) const = default;
};

Bgr At(TBitmap& bmp, int x, int y) {
  const uint8_t* p = bmp.ScanLine(y) + 3 * x;
  return Bgr{p[0], p[1], p[2]};
}

void Paint(TBitmap& bmp, TColor c) {
  bmp.Canvas().Brush.Color = c;
  bmp.Canvas().FillRect(TRect{0, 0, bmp.Width(), bmp.Height()});
}

// A pattern that text could not produce by accident: every pixel different.
void Pattern(TBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      uint8_t* p = bmp.ScanLine(y) + 3 * x;
      p[0] = static_cast<uint8_t>(x * 7 + 1);
      p[1] = static_cast<uint8_t>(y * 5 + 2);
      p[2] = static_cast<uint8_t>(x + y + 3);
    }
  }
}

// 16 x 8 pixels: the left half red, the right half blue.
const unsigned char kRedBlueJpeg[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
    0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02, 0x01, 0x01, 0x01, 0x02, 0x02, 0x02,
    0x02, 0x02, 0x04, 0x03, 0x02, 0x02, 0x02, 0x02, 0x05, 0x04, 0x04, 0x03, 0x04, 0x06, 0x05, 0x06, 0x06, 0x06, 0x05,
    0x06, 0x06, 0x06, 0x07, 0x09, 0x08, 0x06, 0x07, 0x09, 0x07, 0x06, 0x06, 0x08, 0x0B, 0x08, 0x09, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x06, 0x08, 0x0B, 0x0C, 0x0B, 0x0A, 0x0C, 0x09, 0x0A, 0x0A, 0x0A, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x02,
    0x02, 0x02, 0x02, 0x02, 0x02, 0x05, 0x03, 0x03, 0x05, 0x0A, 0x07, 0x06, 0x07, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A,
    0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03, 0x01, 0x11, 0x00,
    0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xC4, 0x00, 0x16, 0x01, 0x01, 0x01,
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x08, 0x09, 0xFF, 0xC4,
    0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0x17, 0xA5, 0x36, 0xFE,
    0x08, 0x65, 0x50, 0x35, 0xEF, 0xFF, 0xD9};

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

// A bottom-up Windows bitmap file of 2 x 2 pixels: 24 bits, or 8 bits with a palette.
// Top row: red, green; bottom row: blue, white.
std::vector<uint8_t> SmallBmp(int bits) {
  std::vector<uint8_t> palette, pixels;
  if (bits == 24) {
    pixels = {0xFF, 0, 0,    0xFF, 0xFF, 0xFF, 0, 0,   // bottom row: blue, white, padding
              0,    0, 0xFF, 0,    0xFF, 0,    0, 0};  // top row: red, green, padding
  } else {
    palette = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};  // red, green, blue, white
    pixels = {2, 3, 0, 0, 0, 1, 0, 0};
  }
  uint32_t offset = 14 + 40 + static_cast<uint32_t>(palette.size());
  std::vector<uint8_t> f = {'B', 'M'};
  Put32(f, offset + static_cast<uint32_t>(pixels.size()));
  Put32(f, 0);
  Put32(f, offset);
  Put32(f, 40);
  Put32(f, 2);
  Put32(f, 2);
  f.insert(f.end(), {1, 0, static_cast<uint8_t>(bits), 0});
  Put32(f, 0);
  Put32(f, static_cast<uint32_t>(pixels.size()));
  Put32(f, 2835);
  Put32(f, 2835);
  Put32(f, bits == 8 ? 4 : 0);
  Put32(f, 0);
  f.insert(f.end(), palette.begin(), palette.end());
  f.insert(f.end(), pixels.begin(), pixels.end());
  return f;
}

}  // namespace

TEST(Fonts, TheFourFacesOfTheGameMapToTheIpaFaces) {
  EXPECT_EQ(FontFamilyFor("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_EQ(FontFamilyFor("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(FontFamilyFor("ＭＳ 明朝"), "IPAMincho");
  EXPECT_EQ(FontFamilyFor("ＭＳ Ｐ明朝"), "IPAPMincho");
}

TEST(Fonts, AnUnknownFaceFallsBackToAJapaneseFaceOfTheSameKind) {
  std::string gothic = FontFamilyFor("ありえない書体");
  std::string mincho = FontFamilyFor("ありえない明朝");
  EXPECT_NE(gothic.find("IPA"), std::string::npos) << "fell back to " << gothic << ", a face without kana";
  EXPECT_NE(gothic.find("Gothic"), std::string::npos) << gothic;
  EXPECT_NE(mincho.find("Mincho"), std::string::npos) << mincho;
}

TEST(Text, APositiveHeightIsTheCellHeight) {
  TBitmap bmp;
  bmp.SetSize(10, 10);
  for (int h : {12, 20, 32}) {
    bmp.Canvas().Font = TFont{"ＭＳ ゴシック", h, 0, 0};
    EXPECT_NEAR(bmp.Canvas().TextHeight("あ"), h, 1) << "height " << h;
  }
  bmp.Canvas().Font = TFont{"ＭＳ ゴシック", 20, 0, 0};
  int normal = bmp.Canvas().TextWidth("体力");
  bmp.Canvas().Font.Height = 40;
  EXPECT_NEAR(bmp.Canvas().TextWidth("体力"), 2 * normal, 2);
}

TEST(Text, ClearBrushLeavesThePixelsBetweenTheStrokes) {
  TBitmap bmp;
  bmp.SetSize(60, 40);
  Pattern(bmp);
  TBitmap before;
  before.SetSize(60, 40);
  BitBlt(before, 0, 0, 60, 40, bmp, 0, 0, SRCCOPY);
  bmp.Canvas().Font = TFont{"ＭＳ ゴシック", 20, fsBold, RGB(0, 0, 0)};
  bmp.Canvas().Brush.Style = TBrushStyle::Clear;
  bmp.Canvas().TextOut(10, 10, "口");
  // Inside the box of 口 nothing is drawn; its strokes are.
  EXPECT_EQ(At(bmp, 19, 20), At(before, 19, 20)) << "the middle of 口 was painted over";
  int changed = 0, black = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (!(At(bmp, x, y) == At(before, x, y))) ++changed;
      if (At(bmp, x, y) == Bgr{0, 0, 0}) ++black;
      if (x < 10 || y < 10 || x >= 32 || y >= 32) {
        EXPECT_EQ(At(bmp, x, y), At(before, x, y)) << "pixel (" << x << ", " << y << ") outside the text cell changed";
      }
    }
  }
  EXPECT_GT(black, 20) << "the strokes of 口 should be solid black";
  EXPECT_LT(changed, 200) << "the whole cell was painted, not just the strokes";
}

TEST(Text, TheTopLeftOfTheCellIsAtTheGivenPoint) {
  TBitmap bmp;
  bmp.SetSize(80, 80);
  Paint(bmp, RGB(255, 255, 255));
  bmp.Canvas().Font = TFont{"ＭＳ ゴシック", 20, 0, RGB(0, 0, 0)};
  bmp.Canvas().Brush.Style = TBrushStyle::Clear;
  bmp.Canvas().TextOut(30, 40, "■");
  int top = 80, left = 80, bottom = -1;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 80; ++x) {
      if (At(bmp, x, y).R < 128) {
        top = std::min(top, y);
        left = std::min(left, x);
        bottom = std::max(bottom, y);
      }
    }
  }
  EXPECT_GE(top, 40);
  EXPECT_LE(top, 44);
  EXPECT_GE(left, 30);
  EXPECT_LE(left, 33);
  EXPECT_LT(bottom, 60) << "the square reaches below its 20-pixel cell";
}

TEST(Text, IsClippedToTheBitmapAndTheClipRect) {
  // Each case: where the text goes, and the region that must stay as it was.
  struct Case {
    int x, y;
    TRect clip, untouched;
  } cases[] = {
      {-12, -12, {0, 0, 30, 30}, {0, 12, 30, 30}},  // hanging over the top-left corner
      {20, 25, {0, 0, 30, 30}, {0, 0, 20, 25}},     // hanging over the bottom-right corner
      {5, 5, {0, 0, 10, 30}, {10, 0, 30, 30}},      // cut by the clip rectangle
  };
  for (const Case& c : cases) {
    TBitmap bmp, before;
    bmp.SetSize(30, 30);
    before.SetSize(30, 30);
    Pattern(bmp);
    BitBlt(before, 0, 0, 30, 30, bmp, 0, 0, SRCCOPY);
    bmp.Canvas().Font = TFont{"ＭＳ 明朝", 24, 0, RGB(255, 0, 0)};
    bmp.Canvas().Brush.Style = TBrushStyle::Clear;
    bmp.Canvas().ClipRect = c.clip;
    bmp.Canvas().TextOut(c.x, c.y, "敵が現れた");
    int changed = 0;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 30; ++x) {
        bool same = At(bmp, x, y) == At(before, x, y);
        changed += !same;
        bool mustStay =
            x >= c.untouched.Left && x < c.untouched.Right && y >= c.untouched.Top && y < c.untouched.Bottom;
        if (mustStay) {
          EXPECT_TRUE(same) << "text at (" << c.x << ", " << c.y << ") drew outside at (" << x << ", " << y << ")";
        }
      }
    }
    EXPECT_GT(changed, 0) << "text at (" << c.x << ", " << c.y << ") drew nothing";
  }
}

TEST(Lines, TheEndPointIsNotDrawnAndThePenMovesThere) {
  TBitmap bmp;
  bmp.SetSize(10, 10);
  Paint(bmp, RGB(255, 255, 255));
  TCanvas& c = bmp.Canvas();
  c.Pen.Color = RGB(255, 0, 0);
  c.MoveTo(1, 2);
  c.LineTo(6, 2);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(At(bmp, x, 2), (Bgr{0, 0, 255})) << "x " << x;
  EXPECT_EQ(At(bmp, 6, 2), (Bgr{255, 255, 255})) << "the end point was drawn";
  EXPECT_EQ(c.PenX, 6);
  c.LineTo(6, 6);
  EXPECT_EQ(At(bmp, 6, 2), (Bgr{0, 0, 255})) << "the second line starts where the first ended";
  EXPECT_EQ(At(bmp, 6, 6), (Bgr{255, 255, 255}));
  c.MoveTo(0, 0);
  c.LineTo(4, 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(bmp, i, i), (Bgr{0, 0, 255})) << "diagonal " << i;
}

TEST(Lines, RunningOffTheBitmapIsClipped) {
  TBitmap bmp;
  bmp.SetSize(5, 5);
  Paint(bmp, RGB(0, 0, 0));
  bmp.Canvas().Pen.Color = RGB(255, 255, 255);
  bmp.Canvas().MoveTo(-10, 2);
  bmp.Canvas().LineTo(20, 2);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(At(bmp, x, 2), (Bgr{255, 255, 255}));
  EXPECT_EQ(At(bmp, 0, 1), (Bgr{0, 0, 0}));
}

TEST(Fills, RightAndBottomEdgesAreExcludedAndTheRestClipped) {
  TBitmap bmp;
  bmp.SetSize(8, 8);
  Paint(bmp, RGB(0, 0, 0));
  bmp.Canvas().Brush.Color = RGB(10, 20, 30);
  bmp.Canvas().FillRect(TRect{2, 3, 5, 6});
  int filled = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      bool inside = x >= 2 && x < 5 && y >= 3 && y < 6;
      EXPECT_EQ(At(bmp, x, y) == (Bgr{30, 20, 10}), inside) << "(" << x << ", " << y << ")";
      filled += inside;
    }
  }
  EXPECT_EQ(filled, 9);
  bmp.Canvas().FillRect(TRect{-5, -5, 100, 1});  // mostly outside: only row 0 changes
  EXPECT_EQ(At(bmp, 7, 0), (Bgr{30, 20, 10}));
  EXPECT_EQ(At(bmp, 7, 1), (Bgr{0, 0, 0}));
}

TEST(BlockCopies, CopyAndOrCombineAndAreClipped) {
  TBitmap src, dst;
  src.SetSize(4, 4);
  dst.SetSize(4, 4);
  Paint(src, RGB(0xF0, 0x0F, 0x33));
  Paint(dst, RGB(0x3C, 0x3C, 0x3C));
  BitBlt(dst, 0, 0, 1, 1, src, 0, 0, SRCAND);
  EXPECT_EQ(At(dst, 0, 0), (Bgr{0x30, 0x0C, 0x30}));
  BitBlt(dst, 1, 0, 1, 1, src, 0, 0, SRCPAINT);
  EXPECT_EQ(At(dst, 1, 0), (Bgr{0x3F, 0x3F, 0xFC}));
  BitBlt(dst, 2, 0, 1, 1, src, 0, 0, SRCCOPY);
  EXPECT_EQ(At(dst, 2, 0), (Bgr{0x33, 0x0F, 0xF0}));
  // Partly outside on every side: only the overlap is copied, nothing else is touched.
  Paint(dst, RGB(0, 0, 0));
  Paint(src, RGB(255, 255, 255));
  BitBlt(dst, -2, 3, 4, 4, src, 0, 0, SRCCOPY);
  BitBlt(dst, 3, -3, 10, 4, src, 0, 0, SRCCOPY);
  EXPECT_EQ(At(dst, 0, 3), (Bgr{255, 255, 255}));
  EXPECT_EQ(At(dst, 1, 3), (Bgr{255, 255, 255}));
  EXPECT_EQ(At(dst, 2, 3), (Bgr{0, 0, 0}));
  EXPECT_EQ(At(dst, 3, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(At(dst, 3, 1), (Bgr{0, 0, 0}));
  // A source rectangle beyond the source copies only what exists.
  Paint(dst, RGB(0, 0, 0));
  BitBlt(dst, 0, 0, 4, 4, src, 2, 2, SRCCOPY);
  EXPECT_EQ(At(dst, 1, 1), (Bgr{255, 255, 255}));
  EXPECT_EQ(At(dst, 2, 2), (Bgr{0, 0, 0}));
}

TEST(BlockCopies, DownwardsWithinOneBitmapDoesNotSmear) {
  TBitmap bmp;
  bmp.SetSize(1, 4);
  for (int y = 0; y < 4; ++y) bmp.ScanLine(y)[0] = static_cast<uint8_t>(y);
  BitBlt(bmp, 0, 1, 1, 3, bmp, 0, 0, SRCCOPY);
  EXPECT_EQ(bmp.ScanLine(1)[0], 0);
  EXPECT_EQ(bmp.ScanLine(2)[0], 1);
  EXPECT_EQ(bmp.ScanLine(3)[0], 2);
}

TEST(Bitmaps, ALineOutsideTheBitmapThrows) {
  TBitmap bmp;
  bmp.SetSize(3, 3);
  EXPECT_THROW(bmp.ScanLine(3), std::out_of_range);
  EXPECT_THROW(bmp.ScanLine(-1), std::out_of_range);
}

TEST(Pictures, WindowsBitmapsOfAnyDepthComeOutAs24BitTopDown) {
  for (int bits : {24, 8}) {
    WriteFile("small.bmp", SmallBmp(bits));
    TBitmap bmp;
    bmp.LoadFromFile("small.bmp");
    ASSERT_EQ(bmp.Width(), 2);
    ASSERT_EQ(bmp.Height(), 2);
    EXPECT_EQ(At(bmp, 0, 0), (Bgr{0, 0, 255})) << bits << " bits: top left should be red";
    EXPECT_EQ(At(bmp, 1, 0), (Bgr{0, 255, 0})) << bits << " bits";
    EXPECT_EQ(At(bmp, 0, 1), (Bgr{255, 0, 0})) << bits << " bits";
    EXPECT_EQ(At(bmp, 1, 1), (Bgr{255, 255, 255})) << bits << " bits";
  }
}

TEST(Pictures, AGameStyleNameOpensBelowTheWorkingFolder) {
  // In a folder of its own, the working folder for the while: nothing is left behind.
  ScratchDir scratch;
  std::filesystem::create_directories(scratch.File("dat"));
  WriteFile(scratch.File("dat/small.bmp"), SmallBmp(24));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(scratch.File(""));
  TBitmap bmp;
  EXPECT_NO_THROW(bmp.LoadFromFile("dat\\small.bmp"));
  std::filesystem::current_path(before);
  EXPECT_EQ(bmp.Width(), 2);
}

TEST(Pictures, MissingOrBrokenFilesThrowAndLeaveTheBitmap) {
  TBitmap bmp;
  bmp.SetSize(5, 5);
  EXPECT_THROW(bmp.LoadFromFile("no-such-file.bmp"), std::runtime_error);
  WriteFile("broken.bmp", {'B', 'M', 1, 2, 3});
  EXPECT_THROW(bmp.LoadFromFile("broken.bmp"), std::runtime_error);
  EXPECT_EQ(bmp.Width(), 5);
  TJPEGImage jpeg;
  EXPECT_THROW(jpeg.LoadFromFile("broken.bmp"), std::runtime_error);
}

// Each costs gigabytes and seconds when decoded first: the header's size is checked before.
TEST(Pictures, PicturesClaimingAHugeSizeAreRefusedBeforeDecoding) {
  // 60,000 x 60,000 is 10 GB decoded; a long strip is refused too, each side at most 8192.
  const std::pair<unsigned, unsigned> sizes[] = {{60000, 60000}, {20000, 8}, {8, 20000}};
  for (auto [width, height] : sizes) {
    std::vector<uint8_t> bytes(std::begin(kRedBlueJpeg), std::end(kRedBlueJpeg));
    size_t frame = 0;
    while (!(bytes[frame] == 0xFF && bytes[frame + 1] == 0xC0)) ++frame;
    // The frame header: marker, length (2), precision, height (2), width (2).
    bytes[frame + 5] = static_cast<uint8_t>(height >> 8), bytes[frame + 6] = static_cast<uint8_t>(height);
    bytes[frame + 7] = static_cast<uint8_t>(width >> 8), bytes[frame + 8] = static_cast<uint8_t>(width);
    WriteFile("huge.jpg", bytes);
    TJPEGImage jpeg;
    try {
      jpeg.LoadFromFile("huge.jpg");
      FAIL() << "a " << width << " x " << height << " picture was accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
  }

  // Width at offset 18, height at 22; a negative height (rows top-down) counts by its size.
  for (int32_t height : {4, -4}) {
    std::vector<uint8_t> bmp = SmallBmp(24);
    bmp.resize(18);
    Put32(bmp, 72220678);
    Put32(bmp, static_cast<uint32_t>(height));
    std::vector<uint8_t> rest = SmallBmp(24);
    bmp.insert(bmp.end(), rest.begin() + 26, rest.end());
    WriteFile("huge.bmp", bmp);
    TBitmap picture;
    try {
      picture.LoadFromFile("huge.bmp");
      FAIL() << "a 72,220,678 x " << height << " bitmap was accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << height << ": " << e.what();
    }
  }

  // Headers whose pixel count is small but that cannot be true: width at 18, height at 22,
  // depth at 28, compression at 30.
  struct Claim {
    uint32_t width, height;
    uint16_t bits;
    uint32_t compression;
    const char* why;
  };
  const Claim claims[] = {
      {1, 33613835, 24, 1, "too large"},     // one side far over 8192 (a fuzzed file)
      {1, 8193, 24, 0, "too large"},         // one side just over
      {2, 2, 24, 1, "cannot go with"},       // run-length coding of 24 bits
      {2, 4, 24, 0, "cannot be in a file"},  // four rows of 8 bytes in a file holding two
      {2, 2, 8, 2, "cannot go with"},        // 4-bit run-length coding of 8 bits
  };
  for (const Claim& claim : claims) {
    std::vector<uint8_t> bmp = SmallBmp(24);
    auto put = [&](size_t at, uint32_t v, int count) {
      for (int i = 0; i < count; ++i) bmp[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(18, claim.width, 4);
    put(22, claim.height, 4);
    put(28, claim.bits, 2);
    put(30, claim.compression, 4);
    WriteFile("claim.bmp", bmp);
    TBitmap picture;
    try {
      picture.LoadFromFile("claim.bmp");
      FAIL() << claim.width << " x " << claim.height << " was accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(claim.why), std::string::npos) << e.what();
    }
  }

  // A fuzzed file of 32 bytes ends inside its header: SDL read the missing fields as zeros and
  // allocated 748 MB for the 16,000 x 15,600 it claims before it refused the file.
  TBitmap cut;
  try {
    cut.LoadFromFile(std::string(BuildPaths::SourceDir) + "/tests/fuzz/picture/findings/short-header.bmp");
    FAIL() << "a header cut short was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("the header ends after 32 bytes"), std::string::npos) << e.what();
  }
}

TEST(Pictures, JpegDecodesToBlueGreenRed) {
  WriteFile("pic.jpg", std::vector<uint8_t>(std::begin(kRedBlueJpeg), std::end(kRedBlueJpeg)));
  TJPEGImage jpeg;
  jpeg.LoadFromFile("pic.jpg");
  TBitmap bmp;
  bmp.Assign(jpeg);
  ASSERT_EQ(bmp.Width(), 16);
  ASSERT_EQ(bmp.Height(), 8);
  Bgr red = At(bmp, 2, 4), blue = At(bmp, 13, 4);
  EXPECT_GT(red.R, 200);
  EXPECT_LT(red.B, 60);
  EXPECT_GT(blue.B, 200);
  EXPECT_LT(blue.R, 60);
}
