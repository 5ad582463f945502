// GameFolder -- what the tests that play the whole game share: a folder holding the game's
// data and a story of the test's own, the story they mostly play, a fixed seed, a point of the
// play area no idea button covers, and pressing on until a line shows.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Harness.h"
#include "cipher/QuilCrypt.h"
#include "game/UnitMain.h"
#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// The story the tests play: a town, an information booth, a wolf, poison, the end.
const std::vector<std::string> Story = {
    "@start",
    "港町ファロウに着いた。",
    "#xxinfo",
    "案内所がある。",
    "#xxenemy 獣 オオカミ 3 毛皮",
    "オオカミが現れた。",
    "森を抜けた。",
    "#poison 100",
    "毒で倒れた。",
    "#finish",
};

// A working folder with dat/ holding copies of the game's pictures and icon and, unless told
// otherwise, the scenario enciphered as the game ships it. The test runs inside it.
class GameFolder {
 public:
  explicit GameFolder(const std::vector<std::string>& story, bool withPictures = true) {
    fs::create_directories(dir_.File("dat"));
    if (withPictures) {
      for (const char* name : {"a.bmp", "a2.bmp", "una.bmp", "icon.bmp"}) CopyDat(name);
    }
    if (!story.empty()) {
      std::string bytes;
      for (const std::string& line : TQuilCrypt::EncodeLines(story, "fable.txt")) bytes += line + "\r\n";
      dir_.Write("dat/story.crp.txt", bytes);
    }
    fs::current_path(dir_.File(""));
  }
  ~GameFolder() { fs::current_path(old_); }

  void CopyDat(const std::string& name) const {
    fs::copy_file(fs::path(BuildPaths::SourceDir) / "dat" / name, dir_.File("dat/" + name),
                  fs::copy_options::overwrite_existing);
  }
  const ScratchDir& Dir() const { return dir_; }

 private:
  fs::path old_ = fs::current_path();
  ScratchDir dir_;
};

inline constexpr uint32_t kSeed = 20240601;
// A point of the play area where no idea button ever falls (they keep to x = 20 .. 119).
inline constexpr int kAwayX = 300, kAwayY = 300;

inline std::string Lines() {
  std::string text = "scenario lines on screen:";
  for (int i = 0; i < ScriptLineCount; ++i) text += " [" + U8(ScriptLines[i]) + "]";
  return text;
}

// Presses until the story shows a line, at most ten times.
inline void PressUntilLine(TGameHarness& game, const std::string& line) {
  for (int i = 0; i < 10; ++i) {
    for (int k = 0; k < ScriptLineCount; ++k) {
      if (ScriptLines[k] == line) return;
    }
    game.Press(kAwayX, kAwayY);
    game.RunFrames(2);
  }
  FAIL() << "the story never showed " << U8(line) << "; " << Lines();
}

}  // namespace
