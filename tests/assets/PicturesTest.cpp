// PicturesTest -- the committed pictures are what the renderer expects: size, depth, sky and key colours.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "tests/assets/AssetFiles.h"

namespace {

using Rgb = std::array<uint8_t, 3>;
constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0}, kYellow{255, 255, 0}, kBlue{0, 0, 255}, kCyan{0, 255, 255},
    kRed{255, 0, 0};

// A 24-bit Windows bitmap as the game's loader reads it (bottom-up rows padded to four bytes).
struct Picture {
  int width = 0, height = 0, bits = 0, compression = -1;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels.at(static_cast<size_t>(y) * width + x); }
};

Picture Load(const std::string& name) {
  using namespace AssetFiles;
  std::vector<uint8_t> d = Read(DatPath(name));
  Picture p;
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return p;
  const uint32_t offset = Le32(d, 10);
  p.width = static_cast<int>(Le32(d, 18));
  p.height = static_cast<int>(Le32(d, 22));
  p.bits = static_cast<int>(Le16(d, 28));
  p.compression = static_cast<int>(Le32(d, 30));
  if (p.bits != 24 || p.width <= 0 || p.height <= 0) return p;
  const size_t row = (static_cast<size_t>(p.width) * 3 + 3) & ~size_t{3};
  if (d.size() < offset + row * p.height) return p;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      size_t i = offset + (p.height - 1 - y) * row + x * 3;
      p.pixels.push_back({d[i + 2], d[i + 1], d[i]});
    }
  return p;
}

void ExpectPlainBitmap(const Picture& p, int size, const std::string& name) {
  EXPECT_EQ(p.width, size) << name;
  EXPECT_EQ(p.height, size) << name;
  EXPECT_EQ(p.bits, 24) << name;
  EXPECT_EQ(p.compression, 0) << name << " must be uncompressed";
  EXPECT_EQ(p.pixels.size(), static_cast<size_t>(size) * size) << name << " is cut short";
}

TEST(Pictures, AllAreFourHundredSquareTwentyFourBitBitmaps) {
  for (const char* name : {"a.bmp", "a2.bmp", "una.bmp"}) ExpectPlainBitmap(Load(name), 400, name);
}

TEST(Pictures, IconIsThirtyTwoSquare) { ExpectPlainBitmap(Load("icon.bmp"), 32, "icon.bmp"); }

// The town picture: white sky above the band of the normal scene, and no white anywhere but the sky,
// since the renderer paints all white blue.
TEST(Pictures, PortTownSkyIsWhiteAboveTheBandAndNowhereElse) {
  Picture p = Load("a.bmp");
  ASSERT_EQ(p.pixels.size(), 160000u);
  for (int x = 140; x <= 259; ++x)
    for (int y = 0; y < 20; ++y) {
      ASSERT_EQ(p.At(x, y), kWhite) << "sky pixel (" << x << ", " << y << ") of a.bmp is not white";
    }
  int skyInBand = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 140; x <= 259; ++x) skyInBand += p.At(x, y) == kWhite;
  EXPECT_GT(skyInBand, 120 * 100) << "the normal scene would show little sky";

  // Anything white that is not sky: a lone white pixel, or white on the water.
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) {
      if (p.At(x, y) != kWhite) continue;
      EXPECT_LT(y, 240) << "white on the water at (" << x << ", " << y << ") of a.bmp would turn into sky";
      int whiteNeighbours = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if ((dx || dy) && x + dx >= 0 && x + dx < 400 && y + dy >= 0 && y + dy < 400)
            whiteNeighbours += p.At(x + dx, y + dy) == kWhite;
      ASSERT_GT(whiteNeighbours, 0) << "stray white at (" << x << ", " << y << ") of a.bmp would turn into sky";
    }
}

// The title shows (100 ... 236, 50 ... 186) enlarged, black turned grey, under red text on rows 83 ... 100 of it.
TEST(Pictures, PortTownTitleRegionHasSkyBehindTheTitleAndShapesBelow) {
  Picture p = Load("a.bmp");
  ASSERT_EQ(p.pixels.size(), 160000u);
  int whiteBehindTitle = 0, blackInRegion = 0;
  for (int y = 83; y <= 100; ++y)
    for (int x = 110; x <= 200; ++x) whiteBehindTitle += p.At(x, y) == kWhite;
  for (int y = 50; y <= 186; ++y)
    for (int x = 100; x <= 236; ++x) blackInRegion += p.At(x, y) == kBlack;
  EXPECT_GT(whiteBehindTitle, 18 * 91 * 3 / 4) << "the red title needs a light backdrop";
  EXPECT_GT(blackInRegion, 2000) << "the title backdrop needs silhouettes to turn into grey mist";
}

std::map<Rgb, int> CountKeys(const Picture& p) {
  std::map<Rgb, int> counts;
  for (const Rgb& c : p.pixels)
    for (const Rgb& k : {kBlack, kYellow, kBlue, kCyan, kRed})
      if (c == k) ++counts[k];
  return counts;
}

TEST(Pictures, BrokenWorldPicturesHoldEveryKeyColour) {
  const std::map<Rgb, const char*> names = {{kBlack, "black (hue)"},
                                            {kYellow, "yellow (half hue)"},
                                            {kBlue, "blue (night sky)"},
                                            {kCyan, "cyan (shimmer)"},
                                            {kRed, "red (fire)"}};
  for (const char* name : {"a2.bmp", "una.bmp"}) {
    Picture p = Load(name);
    ASSERT_EQ(p.pixels.size(), 160000u) << name;
    std::map<Rgb, int> counts = CountKeys(p);
    for (const auto& [key, keyName] : names) EXPECT_GE(counts[key], 40) << name << " lacks the key colour " << keyName;
  }
}

// The light curtain is drawn over blue pixels on rows of about 15 to 130: most of that sky must be blue.
TEST(Pictures, BrokenWorldSkyCarriesTheLightCurtain) {
  for (const char* name : {"a2.bmp", "una.bmp"}) {
    Picture p = Load(name);
    ASSERT_EQ(p.pixels.size(), 160000u) << name;
    int blue = 0;
    for (int y = 15; y <= 130; ++y)
      for (int x = 0; x < 400; ++x) blue += p.At(x, y) == kBlue;
    EXPECT_GT(blue, 116 * 400 / 2) << name;
  }
}

// The zoom plunges in and out about (200, 110): something other than plain sky must be there.
TEST(Pictures, BrokenWorldSubjectSitsOnTheZoomPoint) {
  for (const char* name : {"a2.bmp", "una.bmp"}) {
    Picture p = Load(name);
    ASSERT_EQ(p.pixels.size(), 160000u) << name;
    int sky = 0;
    for (int y = 100; y < 120; ++y)
      for (int x = 180; x < 220; ++x) sky += p.At(x, y) == kBlue;
    EXPECT_LT(sky, 40) << name << " shows only sky where the zoom centres";
  }
}

// A key colour from an anti-aliased edge shows as a lone pixel: every key pixel must have a same-coloured neighbour.
TEST(Pictures, BrokenWorldKeyColoursFormShapesNotStrayPixels) {
  for (const char* name : {"a2.bmp", "una.bmp"}) {
    Picture p = Load(name);
    ASSERT_EQ(p.pixels.size(), 160000u) << name;
    for (int y = 0; y < 400; ++y)
      for (int x = 0; x < 400; ++x) {
        Rgb c = p.At(x, y);
        if (c != kBlack && c != kYellow && c != kBlue && c != kCyan && c != kRed) continue;
        bool neighbour = (x > 0 && p.At(x - 1, y) == c) || (x < 399 && p.At(x + 1, y) == c) ||
                         (y > 0 && p.At(x, y - 1) == c) || (y < 399 && p.At(x, y + 1) == c);
        ASSERT_TRUE(neighbour) << "lone key colour at (" << x << ", " << y << ") of " << name;
      }
  }
}

}  // namespace
