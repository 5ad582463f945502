// farrow-icons -- writes the desktop menu's icons (hicolor PNGs) from the game's icon bitmap.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/ImageFile.h"
#include "platform/TextCodec.h"
#include "tools/icons/IconScale.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: farrow-icons ICON.BMP FOLDER SIZE...\n"
                 "writes FOLDER/SIZExSIZE/farrowmere.png for every SIZE\n");
    return 2;
  }
  try {
    Platform::TBitmap icon;
    icon.LoadFromFile(argv[1]);
    for (int i = 3; i < argc; ++i) {
      int size = std::atoi(argv[i]);
      if (size <= 0 || size > 1024) {
        std::fprintf(stderr, "farrow-icons: not a size: %s\n", argv[i]);
        return 2;
      }
      std::filesystem::path folder =
          std::filesystem::path(argv[2]) / (std::to_string(size) + "x" + std::to_string(size));
      std::filesystem::create_directories(folder);
      Platform::TBitmap scaled;
      Icons::ScaleNearest(icon, size, scaled);
      Platform::SavePngFile(scaled, (folder / "farrowmere.png").string());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "farrow-icons: %s\n", Platform::Cp932ToUtf8(e.what()).c_str());
    return 1;
  }
  return 0;
}
