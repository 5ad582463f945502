// Screenshot -- F12's picture: the window's play area as a PNG in the user's pictures folder.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "platform/Graphics.h"
#include "platform/ImageFile.h"
#include "platform/TextCodec.h"
#include "player/Notice.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/Screenshot.h"
#include "player/TitleBar.h"

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The desktop's own answer; "" when the tool is missing or says nothing.
std::string AskXdgUserDir() {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen("xdg-user-dir PICTURES 2>/dev/null", "r"), pclose);
  if (pipe == nullptr) return "";
  std::string answer;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) answer += buffer;
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
  return answer;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return fs::path(a).lexically_normal() == fs::path(b).lexically_normal() ||
         fs::path(a + "/").lexically_normal() == fs::path(b + "/").lexically_normal();
}

}  // namespace

std::string ScreenshotFolder() {
  const std::string home = Environment("HOME");
  std::string pictures = AskXdgUserDir();
  // Without a pictures folder of its own the tool answers the home folder.
  if (pictures.empty() || (!home.empty() && SameFolder(pictures, home))) pictures = Environment("XDG_PICTURES_DIR");
  if (pictures.empty()) pictures = (fs::path(home.empty() ? "." : home) / "Pictures").string();
  return (fs::path(pictures) / "Farrowmere").string();
}

std::string SaveScreenshot(Platform::TForm& form) {
  try {
    Platform::TBitmap shot;
    PaintWithoutNotice(form, shot);
    const fs::path folder = ScreenshotFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "farrowmere-%Y%m%d-%H%M%S", &local);
    fs::path path = folder / (std::string(stamp) + ".png");
    for (int n = 2; fs::exists(path, ec) && n < 1000; ++n) {
      path = folder / (std::string(stamp) + "-" + std::to_string(n) + ".png");
    }
    Platform::SavePngFile(shot, path.string());
    return path.string();
  } catch (const std::exception& error) {
    // The game goes on; the player learns why on the terminal.
    std::fprintf(stderr, "farrowmere: the screenshot was not saved: %s\n", Platform::Cp932ToUtf8(error.what()).c_str());
    return "";
  }
}

void TakeScreenshot() {
  std::string path = SaveScreenshot(*Player->Form);
  std::string cp932;
  size_t bad = 0;
  if (!Platform::Utf8ToCp932(path, cp932, bad)) cp932 = "(" + std::to_string(path.size()) + " bytes)";
  // A player started from the menu never sees standard error: the title says it either way.
  TellInTitle(path.empty() ? "スクリーンショットを保存できませんでした" : "保存しました: " + cp932);
}
