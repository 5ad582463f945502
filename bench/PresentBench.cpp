// Benchmark: the present path of one frame, from the play area's new picture to the window's
// pixels, at 1x and 3x, in a window and fullscreen: the snapshot of what is shown, painting the
// form (the play area with two idea buttons over it), and the enlarged copy in the window's
// format. Runs on SDL's dummy display, whose window surface has the 32-bit format of an X11 one;
// what the display server does with the pixels afterwards is not the game's time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Window.h"
#include "tests/BuildPaths.h"

namespace {

using namespace Platform;

// The main form's layout: a 400 x 400 page, the paint box over it, two idea buttons falling.
struct TPlayForm {
  TForm Form;
  TPanel Page{&Form};
  TPaintBox Paint{&Page};
  TPushButton Slash{&Page};
  TPushButton Heal{&Page};
  TPlayForm() {
    Form.Caption = "Farrowmere";
    Form.SetClientWidth(400);
    Form.SetClientHeight(400);
    Page.Width = Page.Height = 400;
    Paint.Width = Paint.Height = 400;
    Paint.Surface.SetSize(400, 400);
    TBitmap picture;
    picture.LoadFromFile("dat/a.bmp");
    BitBlt(Paint.Surface, 0, 0, 400, 400, picture, 0, 0, SRCCOPY);
    int top = 60;
    for (TPushButton* b : {&Slash, &Heal}) {
      b->Left = 20;
      b->Top = top;
      b->Width = 100;
      b->Height = 30;
      b->FontBold = true;
      top += 40;
    }
    Slash.Caption = "★斬撃";
    Heal.Caption = "★癒し";
  }
};

void Present(benchmark::State& state, int scale, bool fullscreen) {
  static bool opened = false;
  if (!opened) {
    opened = true;
    std::filesystem::current_path(BuildPaths::SourceDir);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!Application.Initialize()) {
      state.SkipWithError(Application.InitError().c_str());
      return;
    }
  }
  TPlayForm play;
  TWindow window(play.Form);
  std::string error;
  if (!window.Open(error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  window.SetWindowScale(scale);
  window.SetFullscreen(fullscreen);
  window.Present(true);
  for (auto _ : state) {
    play.Paint.Invalidate();  // a new frame, as the frame callback leaves it
    window.Present();
  }
  state.counters["scale"] = window.Viewport().Scale;
}

}  // namespace

static void PresentWindow1x(benchmark::State& state) { Present(state, 1, false); }
BENCHMARK(PresentWindow1x)->Unit(benchmark::kMillisecond);
static void PresentWindow3x(benchmark::State& state) { Present(state, 3, false); }
BENCHMARK(PresentWindow3x)->Unit(benchmark::kMillisecond);
// The dummy display is 1024 x 768: fullscreen shows the play area at 1x, centred.
static void PresentFullscreen(benchmark::State& state) { Present(state, 1, true); }
BENCHMARK(PresentFullscreen)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
