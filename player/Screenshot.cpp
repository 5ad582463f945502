// Screenshot -- F12's picture: the window's play area as a PNG in the user's pictures folder.
#include <cstdio>
#include <ctime>
#include <exception>
#include <string>

#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/ImageFile.h"
#include "platform/TextCodec.h"
#include "player/Notice.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/Screenshot.h"
#include "player/TitleBar.h"

std::string ScreenshotFolder() { return Platform::JoinPath(Platform::PicturesFolder(), "Farrowmere"); }

std::string SaveScreenshot(Platform::TForm& form) {
  try {
    Platform::TBitmap shot;
    PaintWithoutNotice(form, shot);
    const std::string folder = ScreenshotFolder();
    Platform::MakeFolders(folder);  // a folder that cannot be made fails the write, which says why
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "farrowmere-%Y%m%d-%H%M%S", &local);
    std::string path = Platform::JoinPath(folder, std::string(stamp) + ".png");
    for (int n = 2; Platform::PathExists(path) && n < 1000; ++n) {
      path = Platform::JoinPath(folder, std::string(stamp) + "-" + std::to_string(n) + ".png");
    }
    Platform::SavePngFile(shot, path);
    return path;
  } catch (const std::exception& error) {
    // The game goes on; the player learns why on the terminal.
    std::fprintf(stderr, "farrowmere: the screenshot was not saved: %s\n", Platform::Cp932ToUtf8(error.what()).c_str());
    return "";
  }
}

void TakeScreenshot() {
  std::string path = SaveScreenshot(*Player->Form);
  if (!path.empty()) path = Platform::OfferFile(path);
  std::string cp932;
  size_t bad = 0;
  if (!Platform::Utf8ToCp932(path, cp932, bad)) cp932 = "(" + std::to_string(path.size()) + " bytes)";
  // A player started from the menu never sees standard error: the title says it either way.
  TellInTitle(path.empty() ? "スクリーンショットを保存できませんでした" : "保存しました: " + cp932);
}
