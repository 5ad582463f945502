// The window's scale factor and the mapping of pointer positions back onto the client area.
#include <gtest/gtest.h>

#include "platform/Viewport.h"

using namespace Platform;

TEST(WindowScale, TheLargestWholeFactorWithin85PercentOfTheUsableAreaOr2xWhereItFillsIt) {
  EXPECT_EQ(WindowScaleFor(1920, 1050, 400, 400), 2) << "a 1920 x 1080 screen with a panel: 800 of 892";
  EXPECT_EQ(WindowScaleFor(1920, 1440, 400, 400), 3);
  EXPECT_EQ(WindowScaleFor(3840, 2160, 400, 400), 4);
  EXPECT_EQ(WindowScaleFor(800, 600, 400, 400), 1);
  EXPECT_EQ(WindowScaleFor(1000, 4000, 400, 400), 2) << "the narrower side decides";
  // At the edge: 1411 x 0.85 = 1199.35 holds no 1200, 1412 x 0.85 = 1200.2 does; 8000 x 0.85 is 17 x 400 exactly.
  EXPECT_EQ(WindowScaleFor(4000, 1411, 400, 400), 2);
  EXPECT_EQ(WindowScaleFor(4000, 1412, 400, 400), 3);
  EXPECT_EQ(WindowScaleFor(8000, 8000, 400, 400), 17);
  // 2x fills a screen with no room to spare, as a Steam Deck's 1280 x 800; a pixel less is 1x.
  EXPECT_EQ(WindowScaleFor(1280, 800, 400, 400), 2);
  EXPECT_EQ(WindowScaleFor(1280, 799, 400, 400), 1);
}

TEST(WindowScale, NeverBelowOneOnAScreenSmallerThanTheClientArea) {
  EXPECT_EQ(WindowScaleFor(320, 240, 400, 400), 1);
  EXPECT_EQ(WindowScaleFor(0, 0, 400, 400), 1);
  EXPECT_EQ(WindowScaleFor(1920, 1080, 0, 0), 1);
}

TEST(Viewport, FullscreenTakesTheLargestFactorThatFitsAndCentresOnBlack) {
  TViewport v = FitViewport(1920, 1080, 400, 400, 0);
  EXPECT_EQ(v.Scale, 2);
  EXPECT_EQ(v.Left, 560);
  EXPECT_EQ(v.Top, 140);
  v = FitViewport(1921, 1081, 400, 400, 0);
  EXPECT_EQ(v.Left, 560) << "an odd margin leaves its extra pixel on the right";
  EXPECT_EQ(v.Top, 140);
  v = FitViewport(2560, 1600, 400, 400, 0);
  EXPECT_EQ(v.Scale, 4);
  EXPECT_EQ(v.Top, 0);
  EXPECT_EQ(v.Left, 480);
}

TEST(Viewport, AWindowKeepsItsFactorAndATooSmallAreaCutsTheEdges) {
  TViewport v = FitViewport(1200, 1200, 400, 400, 3);
  EXPECT_EQ(v.Scale, 3);
  EXPECT_EQ(v.Left, 0);
  EXPECT_EQ(v.Top, 0);
  v = FitViewport(1920, 1080, 400, 400, 1);
  EXPECT_EQ(v.Scale, 1) << "the window's own factor is the limit";
  EXPECT_EQ(v.Left, 760);
  v = FitViewport(300, 300, 400, 400, 0);
  EXPECT_EQ(v.Scale, 1);
  EXPECT_EQ(v.Left, -50);
  EXPECT_EQ(v.Top, -50);
}

namespace {

struct TPoint {
  int X, Y;
  bool operator==(const TPoint&) const = default;
};

TPoint Map(const TViewport& view, int x, int y) {
  TPoint p{};
  WindowToClient(view, x, y, p.X, p.Y);
  return p;
}

}  // namespace

TEST(Viewport, PointerPositionsMapOntoTheClientAreaAtEveryFactor) {
  for (int scale = 1; scale <= 3; ++scale) {
    TViewport view{scale, 0, 0, 1, 1};
    SCOPED_TRACE(scale);
    EXPECT_EQ(Map(view, 0, 0), (TPoint{0, 0}));
    EXPECT_EQ(Map(view, scale - 1, scale - 1), (TPoint{0, 0})) << "a client pixel's whole block";
    EXPECT_EQ(Map(view, scale, 2 * scale), (TPoint{1, 2}));
    EXPECT_EQ(Map(view, 70 * scale + scale - 1, 75 * scale), (TPoint{70, 75}));
    EXPECT_EQ(Map(view, 400 * scale - 1, 400 * scale - 1), (TPoint{399, 399}));
    EXPECT_EQ(Map(view, 400 * scale, 400 * scale), (TPoint{400, 400}));
  }
}

TEST(Viewport, TheBlackMarginOfFullscreenLiesOutsideTheClientArea) {
  TViewport view = FitViewport(1920, 1080, 400, 400, 0);  // 2x at (560, 140)
  EXPECT_EQ(Map(view, 560, 140), (TPoint{0, 0}));
  EXPECT_EQ(Map(view, 559, 139), (TPoint{-1, -1})) << "the pixel left of the picture is not its edge";
  EXPECT_EQ(Map(view, 0, 0), (TPoint{-280, -70}));
  EXPECT_EQ(Map(view, 560 + 2 * 70 + 1, 140 + 2 * 75), (TPoint{70, 75}));
  EXPECT_EQ(Map(view, 1359, 939), (TPoint{399, 399}));
  EXPECT_EQ(Map(view, 1360, 940), (TPoint{400, 400}));
}

TEST(Viewport, OnAScaledDisplayPointerUnitsBecomeRealPixelsFirst) {
  // The system doubles: a 1200-pixel window is 600 units wide, and unit 100 starts at pixel 200.
  TViewport doubled{3, 0, 0, 2, 1};
  EXPECT_EQ(Map(doubled, 100, 50), (TPoint{66, 33}));
  EXPECT_EQ(Map(doubled, 599, 599), (TPoint{399, 399}));
  // One and a half: unit 3 starts at pixel 4.
  TViewport oneAndAHalf{2, 0, 0, 3, 2};
  EXPECT_EQ(Map(oneAndAHalf, 3, 533), (TPoint{2, 399}));
}
