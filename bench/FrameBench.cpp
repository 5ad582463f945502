// Benchmark: one frame of the play area (the frame callback) for the title, the normal scene
// with its text, and the worst case: the broken world while zooming, with glows, tiles, the
// description view, the game-over overlay and every particle alive. A frame is due every
// 50 ms; the aim is the worst frame under 2 ms. "max_ms" is the slowest single frame seen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

#include "bench/FrameStage.h"
#include "game/UnitMain.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintFrame.h"
#include "tests/BuildPaths.h"

namespace {

// With the pictures of dat/ below the source folder.
void SetUp() {
  std::filesystem::current_path(BuildPaths::SourceDir);
  SetUpOnce();
}

void RunFrames(benchmark::State& state, void (*restage)()) {
  double worst = 0;
  for (auto _ : state) {
    if (restage != nullptr) {
      state.PauseTiming();
      restage();
      state.ResumeTiming();
    }
    const double start = NowMs();
    FrameCallback();
    worst = std::max(worst, NowMs() - start);
  }
  state.counters["max_ms"] = worst;
}

}  // namespace

static void TitleFrame(benchmark::State& state) {
  SetUp();
  PaintReset();
  TitleShowing = true;
  RunFrames(state, nullptr);
}
BENCHMARK(TitleFrame)->Unit(benchmark::kMillisecond);

static void SceneWithText(benchmark::State& state) {
  SetUp();
  StagePlaying();
  RunFrames(state, nullptr);
}
BENCHMARK(SceneWithText)->Unit(benchmark::kMillisecond);

static void BrokenWorldWorstCase(benchmark::State& state) {
  SetUp();
  StageWorstCase();
  RunFrames(state, RestoreWorstCase);
}
BENCHMARK(BrokenWorldWorstCase)->Unit(benchmark::kMillisecond);

// The silver bullet's night sky: every pixel is sky, most of the top third is light curtain.
static void BrokenWorldNightSky(benchmark::State& state) {
  SetUp();
  StageWorstCase();
  SilverBurst = true;
  RunFrames(state, RestoreWorstCase);
  SilverBurst = false;
}
BENCHMARK(BrokenWorldNightSky)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
