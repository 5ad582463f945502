// ImageFileTest -- screenshots as PNG files: the pixels read back as written, the same picture
// gives the same bytes, and a file that cannot be written is an error naming it.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/Files.h"
#include "platform/ImageFile.h"
#include "tests/TestSupport.h"

using namespace Platform;

namespace {

std::string Bytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// A 5 x 2 picture (the rows padded to 16 bytes) with a different colour at every pixel.
void Paint(TBitmap& bmp) {
  bmp.SetSize(5, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x) {
      uint8_t* p = bmp.ScanLine(y) + 3 * x;
      p[0] = static_cast<uint8_t>(10 * x);       // blue
      p[1] = static_cast<uint8_t>(100 + y);      // green
      p[2] = static_cast<uint8_t>(200 + x + y);  // red
    }
  }
}

}  // namespace

TEST(ImageFile, APngReadsBackPixelForPixelAndTheSamePictureGivesTheSameBytes) {
  ScratchDir dir;
  TBitmap bmp;
  Paint(bmp);
  ASSERT_GT(bmp.Stride(), 15) << "the test needs padded rows";
  SavePngFile(bmp, dir.File("a.png"));
  SavePngFile(bmp, dir.File("b.png"));
  EXPECT_EQ(Bytes(dir.File("a.png")), Bytes(dir.File("b.png"))) << "screenshots of one frame must be byte-identical";

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_file(&image, dir.File("a.png").c_str()), 0) << image.message;
  EXPECT_EQ(image.width, 5u);
  EXPECT_EQ(image.height, 2u);
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0) << image.message;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x) {
      const uint8_t* p = &rgb[3 * (5 * static_cast<size_t>(y) + static_cast<size_t>(x))];
      EXPECT_EQ(p[0], 200 + x + y) << "red at " << x << "," << y;
      EXPECT_EQ(p[1], 100 + y) << "green at " << x << "," << y;
      EXPECT_EQ(p[2], 10 * x) << "blue at " << x << "," << y;
    }
  }
}

TEST(ImageFile, AnUnwritableFileOrAnEmptyPictureIsAnErrorNamingTheFile) {
  ScratchDir dir;
  TBitmap bmp;
  try {
    SavePngFile(bmp, dir.File("empty.png"));
    FAIL() << "an empty picture was written";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("empty.png"), std::string::npos) << error.what();
  }
  Paint(bmp);
  const std::string blocker = dir.File("plain");
  ASSERT_EQ(Platform::WriteFileSafely(blocker, "a file, not a folder"), "");
  try {
    SavePngFile(bmp, blocker + "/shot.png");
    FAIL() << "a file under a plain file was written";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("plain/shot.png"), std::string::npos) << error.what();
  }
}
