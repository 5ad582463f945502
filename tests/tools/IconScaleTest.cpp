// IconScaleTest -- the menu icons are the game's icon enlarged without blurring: every pixel of
// an enlarged icon is the icon pixel it lies over.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Graphics.h"
#include "tests/BuildPaths.h"
#include "tools/icons/IconScale.h"

using namespace Platform;

TEST(IconScale, EveryEnlargedPixelIsTheIconPixelUnderIt) {
  TBitmap icon;
  icon.LoadFromFile(std::string(BuildPaths::SourceDir) + "/dat/icon.bmp");
  ASSERT_EQ(icon.Width(), 32);
  ASSERT_EQ(icon.Height(), 32);
  for (int factor : {1, 2, 4, 8}) {
    TBitmap scaled;
    Icons::ScaleNearest(icon, 32 * factor, scaled);
    ASSERT_EQ(scaled.Width(), 32 * factor);
    ASSERT_EQ(scaled.Height(), 32 * factor);
    // Each icon pixel must fill a factor x factor block.
    int wrong = 0;
    for (int iy = 0; iy < 32; ++iy) {
      for (int ix = 0; ix < 32; ++ix) {
        for (int y = iy * factor; y < (iy + 1) * factor; ++y) {
          for (int x = ix * factor; x < (ix + 1) * factor; ++x) {
            if (std::memcmp(scaled.ScanLine(y) + 3 * x, icon.ScanLine(iy) + 3 * ix, 3) != 0) ++wrong;
          }
        }
      }
    }
    EXPECT_EQ(wrong, 0) << 32 * factor << " px: pixels that are not the icon pixel under them";
  }
}
