// Program -- start-up and shut-down of the whole program.
#include "app/Program.h"

#include <cstdio>
#include <exception>
#include <memory>

#include "app/UnitForm.h"
#include "media/QuilMidi.h"
#include "media/QuilWave.h"
#include "paint/QuilTimer.h"
#include "platform/Application.h"
#include "platform/Sound.h"

using namespace Platform;

void StartUnits() {
  TQuilWave::Startup();
  TQuilMidi::Startup();
  TQuilTimer::Startup();
}

void StopUnits() {
  TQuilTimer::Shutdown();
  TQuilMidi::Shutdown();
  TQuilWave::Shutdown();
}

int RunProgram(const std::function<void(TFormMain&)>& prepare) {
  int status = 0;
  StartUnits();
  if (!Application.Initialize()) {
    // A window game has nothing to show without a display.
    std::fprintf(stderr, "farrowmere: %s\n", Application.InitError().c_str());
    status = 1;
  } else {
    Application.Title = "Farrowmere";
    // The soundfont takes longer to load than the whole title: it waits for the first frame.
    DeferMusic();
    std::unique_ptr<TFormMain> form;
    try {
      form = std::make_unique<TFormMain>();
      if (prepare) prepare(*form);
    } catch (const std::exception& error) {
      Application.HandleException(error);
      form.reset();
      status = 1;
    }
    if (form != nullptr) {
      Application.Run(*form);
      form.reset();  // GameTeardown: the drawing resources and the buttons, then the engine
    }
    Application.Finalize();
  }
  StopUnits();
  CloseSound();
  return status;
}
