// SoakBench -- an hour of play (72,000 frames) of random presses and idea-button clicks on the
// shipped story through the harness, with a fixed seed; a new game after every ending. Fails
// when anything throws past the game's own error reports, or when resident memory after the
// first tenth grows by 1 MB or more. Runs in the source folder (the shipped dat/).
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "app/Harness.h"
#include "game/UnitMain.h"
#include "platform/Application.h"
#include "platform/TextCodec.h"

namespace {

constexpr int kFrames = 72000;  // 20 frames a second for an hour
constexpr uint32_t kSeed = 13;
constexpr long kAllowedGrowth = 1024 * 1024;

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

double Seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

int main() {
  // A tool like the replay harness: headless unless told otherwise.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (chdir(FARROW_SOURCE_DIR) != 0) {
    std::fprintf(stderr, "soak: cannot enter %s\n", FARROW_SOURCE_DIR);
    return 1;
  }
  std::map<std::string, int> reports;  // the top-level handler's texts, as UTF-8
  Platform::Application.OnException = [&reports](const std::string& text) {
    ++reports[Platform::Cp932ToUtf8(text)];
  };

  std::mt19937 random(kSeed);
  const double start = Seconds();
  long frames = 0, presses = 0, clicks = 0, games = 0, deaths = 0;
  long residentAtTenth = 0;
  try {
    std::unique_ptr<TGameHarness> game;
    bool dead = false;
    while (frames < kFrames) {
      if (game == nullptr || game->Ended()) {
        game.reset();
        game = std::make_unique<TGameHarness>(kSeed + static_cast<uint32_t>(games));
        ++games;
      }
      std::vector<std::string> captions = game->IdeaButtonCaptions();
      if (!captions.empty() && random() % 3 == 0) {
        const std::string& caption = captions[random() % captions.size()];
        if (game->ClickIdeaButton(caption) == TGameHarness::TIdeaClick::Clicked) ++clicks;
      } else {
        game->Press(static_cast<int>(random() % 400), static_cast<int>(random() % 400));
        ++presses;
      }
      if (HP <= 0 && !dead) ++deaths;
      dead = HP <= 0;
      int count = 1 + static_cast<int>(random() % 4);
      game->RunFrames(count);
      long before = frames;
      frames += count;
      if (before < kFrames / 10 && frames >= kFrames / 10) residentAtTenth = ResidentBytes();
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "soak: FAILED: thrown past the game's error reports: %s\n",
                 Platform::Cp932ToUtf8(error.what()).c_str());
    return 1;
  } catch (...) {
    std::fprintf(stderr, "soak: FAILED: something not an error was thrown\n");
    return 1;
  }
  const long residentAtEnd = ResidentBytes();
  const long growth = residentAtEnd - residentAtTenth;
  std::printf("soak: %ld frames in %.1f s: %ld presses, %ld clicks, %ld games, %ld deaths\n", frames,
              Seconds() - start, presses, clicks, games, deaths);
  std::printf("soak: resident memory %ld KiB after a tenth, %ld KiB at the end (%+ld KiB)\n",
              residentAtTenth / 1024, residentAtEnd / 1024, growth / 1024);
  for (const auto& [text, count] : reports) std::printf("soak: error report x%d: %s\n", count, text.c_str());
  if (growth >= kAllowedGrowth) {
    std::fprintf(stderr, "soak: FAILED: resident memory grew by %ld KiB after the first tenth\n", growth / 1024);
    return 1;
  }
  std::printf("soak: passed\n");
  return 0;
}
