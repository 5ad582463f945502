// farrow-frame-bench -- the frame benchmark in a page (make bench-web): the frame function on the
// title and in play, FRAMES frames each after a warm-up, timed with the page's steady clock
// (performance.now; the page runs on one thread, so this is the frame's CPU time). Prints one
// line per case: NAME MEAN_MS MEDIAN_MS FRAMES.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/FrameStage.h"
#include "game/UnitMain.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintFrame.h"

namespace {

constexpr int kWarmUp = 50;
constexpr int kFrames = 1000;

void Measure(const char* name) {
  for (int i = 0; i < kWarmUp; ++i) FrameCallback();
  std::vector<double> times;
  double total = 0;
  for (int i = 0; i < kFrames; ++i) {
    const double start = NowMs();
    FrameCallback();
    times.push_back(NowMs() - start);
    total += times.back();
  }
  std::sort(times.begin(), times.end());
  std::printf("%s %.4f %.4f %d\n", name, total / kFrames, times[times.size() / 2], kFrames);
}

}  // namespace

int main() {
  SetUpOnce();  // the page's working folder holds the data package's dat/
  PaintReset();
  TitleShowing = true;
  Measure("TitleFrame");
  StagePlaying();
  Measure("SceneWithText");
  return 0;
}
