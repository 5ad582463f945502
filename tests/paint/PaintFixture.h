// PaintFixture -- the drawing set-up of the game with the real pictures, a fixed seed and a
// quiet game state, and the helpers the drawing tests share: pixels, whole frames compared
// with their differences described, particles and glows described.
#pragma once
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
#include "tests/BuildPaths.h"

inline bool operator==(const TPixel& a, const TPixel& b) { return SamePixel(a, b); }
inline void PrintTo(const TPixel& p, std::ostream* os) { *os << "(" << +p.R << ", " << +p.G << ", " << +p.B << ")"; }

inline TPixel Rgb(int r, int g, int b) {
  return MakePixel(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
}

inline TPixel& Px(int x, int y) { return ScreenBmp->Rows[y][x]; }

// A whole 400 x 400 picture, row by row; the expected frames are built in these.
using TFrame = std::vector<TPixel>;

inline TFrame FrameOf(const TQuilBitmap& bmp) {
  TFrame frame;
  frame.reserve(400 * 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) frame.push_back(bmp.Rows[y][x]);
  return frame;
}

// "" when the canvas shows the expected frame, else how many pixels differ and the first one.
inline std::string Differences(const TFrame& want) {
  int count = 0;
  std::string first;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      const TPixel got = Px(x, y), w = want[static_cast<size_t>(y) * 400 + static_cast<size_t>(x)];
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
inline void PaintPlaces(TQuilBitmap& picture, int mark) {
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) picture.Rows[y][x] = Rgb(x & 255, y & 255, 1 + (x >> 8) + 2 * (y >> 8) + 4 * mark);
}

inline std::string Describe(const TParticle& p) {
  return std::string(p.Active ? "active" : "idle") + " colour (" + std::to_string(p.Color.R) + ", " +
         std::to_string(p.Color.G) + ", " + std::to_string(p.Color.B) + ") speed " + std::to_string(p.VX) + ", " +
         std::to_string(p.VY) + " at " + std::to_string(p.X) + ", " + std::to_string(p.Y) + " chance " +
         std::to_string(p.Chance);
}

inline std::string Describe(const TGlow& g) {
  return std::string(g.Red ? "red" : "white") + " speed " + std::to_string(g.VX) + ", " + std::to_string(g.VY) +
         " at " + std::to_string(g.X) + ", " + std::to_string(g.Y);
}

// The drawing set-up of the game with the real pictures, a fixed seed and a quiet game state.
class Paint : public ::testing::Test {
 protected:
  Platform::TPanel Page;
  Platform::TPaintBox Box{&Page};

  void SetUp() override {
    std::filesystem::current_path(BuildPaths::SourceDir);
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
