// Soak: an hour of play (72,000 frames at 20 a second) of random presses and idea-button clicks
// on the shipped story, through the in-process harness with a fixed seed. A death is followed
// by a press (which starts again); an ending (#finish, ★退出) by a new game. Fails (status 1)
// when anything escapes other than the errors the game's top-level handler reports, or when
// resident memory grows by 1 MB or more between 10 % of the frames and the end. After every
// action the game is saved and loaded (in memory, as with --no-persist), after every 500th into
// a new game first: it fails too when a load is refused, the loaded game differs from the saved
// one, or a save read and written again is not the same text. (A new game starts the title tune,
// and every load of it keeps a few KB of the MIDI player's: hence not after every action.)
// Runs from the repository root (its dat/); the SDL drivers come from the environment.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include <malloc.h>
#include <unistd.h>

#include "app/Harness.h"
#include "game/SaveText.h"
#include "game/UnitMain.h"
#include "platform/Application.h"
#include "platform/TextCodec.h"
#include "player/PlayerSave.h"
#include "player/SaveFiles.h"
#include "tests/BuildPaths.h"

namespace {

constexpr uint64_t kTotalFrames = 72000;
constexpr uint64_t kBaselineFrames = kTotalFrames / 10;
constexpr long kMaxGrowthBytes = 1024 * 1024;
constexpr uint32_t kSeed = 20240613;

// (<chrono> cannot be compiled to CP932: it holds a "µs" literal.)
double NowSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Freed memory that glibc keeps in its arenas is handed back first, so the two readings compare
// what the game holds, not what the allocator happens to cache (that alone moves by ~1.3 MB).
long ResidentBytes() {
  malloc_trim(0);
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

// Heap bytes in use: tells a leak (this grows too) from a heap that only spreads out.
long HeapInUseBytes() {
  struct mallinfo2 info = mallinfo2();
  return static_cast<long>(info.uordblks + info.hblkhd);
}

struct TCounts {
  uint64_t Frames = 0, Presses = 0, Clicks = 0, Deaths = 0, Endings = 0, Games = 0;
  uint64_t Errors = 0;
  uint64_t RoundTrips = 0;
  std::string RoundTripFault;                  // the first, UTF-8
  std::map<std::string, uint64_t> ErrorTexts;  // UTF-8, by how often
};

// One random action on a running game: a press at a random point of the play area, a click on
// a visible enabled idea button, or a run of frames. After a death the action is a press.
void Act(TGameHarness& game, std::mt19937& rng, TCounts& counts) {
  std::uniform_int_distribution<int> point(0, 399);
  int kind = std::uniform_int_distribution<int>(0, 9)(rng);
  if (HP <= 0) kind = 0;
  if (kind < 4) {
    game.Press(point(rng), point(rng));
    ++counts.Presses;
  } else if (kind < 7) {
    std::vector<std::string> clickable;
    for (const std::string& caption : game.IdeaButtonCaptions()) {
      int x = 0, y = 0;
      if (game.IdeaButtonPoint(caption, x, y) == TGameHarness::TIdeaClick::Clicked) clickable.push_back(caption);
    }
    if (!clickable.empty()) {
      game.ClickIdeaButton(clickable[std::uniform_int_distribution<size_t>(0, clickable.size() - 1)(rng)]);
      ++counts.Clicks;
    }
  }
  // Every action is followed by a few frames, a run of frames by more.
  uint64_t before = game.FramesDrawn();
  game.RunFrames(kind < 7 ? std::uniform_int_distribution<int>(1, 4)(rng)
                          : std::uniform_int_distribution<int>(5, 40)(rng));
  counts.Frames += game.FramesDrawn() - before;
}

// What a save holds of the game as it stands, without the time of day.
std::string Captured() {
  TSaveGame save = CaptureGame();
  save.SavedAt.clear();
  return WriteSaveText(save);
}

// Saves and loads, as a player would with F5 and F9, with a new game between them when asked.
void RoundTrip(TCounts& counts, bool newGame) {
  const std::string before = Captured();
  TSaveGame read;
  if (ReadSaveText(before, read).Problem != TSaveProblem::None || WriteSaveText(read) != before) {
    counts.RoundTripFault = "a save read and written again differs:\n" + Platform::Cp932ToUtf8(before);
    return;
  }
  const std::string saved = SaveGameTo("quick");
  if (newGame) ResetGame();
  const std::string refusal = saved.empty() ? LoadGameFrom("quick") : saved;
  if (!refusal.empty()) {
    counts.RoundTripFault = Platform::Cp932ToUtf8(refusal) + " for:\n" + Platform::Cp932ToUtf8(before);
  } else if (Captured() != before) {
    counts.RoundTripFault = "the loaded game differs from the saved one:\n" + Platform::Cp932ToUtf8(before);
  }
  SetPersistence(false);  // lets go of the save held in memory, which the memory check would count
  ++counts.RoundTrips;
}

}  // namespace

int main() {
  std::filesystem::current_path(BuildPaths::SourceDir);
  TCounts counts;
  Platform::Application.OnException = [&counts](const std::string& cp932) {
    ++counts.Errors;
    std::string text = Platform::Cp932ToUtf8(cp932);
    for (char& c : text) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    ++counts.ErrorTexts[text];
  };

  SetPersistence(false);
  std::mt19937 rng(kSeed);
  long baseline = 0, heapBaseline = 0, end = 0, heapEnd = 0;
  const double start = NowSeconds();
  try {
    while (counts.Frames < kTotalFrames) {
      TGameHarness game(static_cast<uint32_t>(rng()));
      ++counts.Games;
      while (!game.Ended() && counts.Frames < kTotalFrames) {
        bool alive = HP > 0;
        uint64_t framesBefore = counts.Frames;
        Act(game, rng, counts);
        if (!game.Ended()) RoundTrip(counts, counts.RoundTrips % 500 == 0);
        if (!counts.RoundTripFault.empty()) {
          std::printf("soak: FAILED: save and load: %s\n", counts.RoundTripFault.c_str());
          return 1;
        }
        if (alive && HP <= 0) ++counts.Deaths;
        if (framesBefore < kBaselineFrames && counts.Frames >= kBaselineFrames) {
          baseline = ResidentBytes();
          heapBaseline = HeapInUseBytes();
        }
        if (counts.Frames >= kTotalFrames) {  // read while a game runs, as at 10 %
          end = ResidentBytes();
          heapEnd = HeapInUseBytes();
        }
      }
      if (game.Ended()) ++counts.Endings;
    }
  } catch (const std::exception& error) {
    std::printf("soak: FAILED: an error escaped after %llu frames: %s\n",
                static_cast<unsigned long long>(counts.Frames), Platform::Cp932ToUtf8(error.what()).c_str());
    return 1;
  } catch (...) {
    std::printf("soak: FAILED: something not an error escaped after %llu frames\n",
                static_cast<unsigned long long>(counts.Frames));
    return 1;
  }
  Platform::Application.OnException = nullptr;

  auto n = [](uint64_t v) { return static_cast<unsigned long long>(v); };
  std::printf("soak: %llu frames in %.1f s: %llu presses, %llu clicks, %llu deaths, %llu endings, %llu games\n",
              n(counts.Frames), NowSeconds() - start, n(counts.Presses), n(counts.Clicks), n(counts.Deaths),
              n(counts.Endings), n(counts.Games));
  std::printf("soak: %llu errors reported by the game\n", n(counts.Errors));
  std::printf("soak: %llu saves loaded back unchanged\n", n(counts.RoundTrips));
  for (const auto& [text, times] : counts.ErrorTexts) std::printf("soak:   %llu x %s\n", n(times), text.c_str());
  const long growth = end - baseline;
  std::printf("soak: resident memory %ld KB at 10 %%, %ld KB at the end (%+ld KB)\n", baseline / 1024, end / 1024,
              growth / 1024);
  std::printf("soak: heap in use %ld KB at 10 %%, %ld KB at the end (%+ld KB)\n", heapBaseline / 1024, heapEnd / 1024,
              (heapEnd - heapBaseline) / 1024);
  if (growth >= kMaxGrowthBytes) {
    std::printf("soak: FAILED: resident memory grew by 1 MB or more\n");
    return 1;
  }
  return 0;
}
