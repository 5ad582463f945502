// WindowSettings -- fullscreen and the window's factor.
#include "player/WindowSettings.h"

#include "paint/QuilTimer.h"
#include "platform/Application.h"
#include "platform/Window.h"
#include "player/RememberedSettings.h"

using namespace Platform;

namespace {

// The window exists once the frame loop runs: its remembered factor and fullscreen are put back
// then, by this timer entry.
void RestoreWindowSettings() {
  TQuilTimer::Remove(RestoreWindowSettings);
  if (TWindow* window = Application.Window(); window != nullptr) {
    const TSettings& settings = RememberedSettings();
    if (settings.Factor > 0) window->SetWindowScale(settings.Factor);
    if (settings.Fullscreen) window->SetFullscreen(true);
  }
}

}  // namespace

// As F11 does in the window; the setting is written on closing, as F11's is.
void ToggleFullscreen() {
  if (TWindow* window = Application.Window(); window != nullptr) window->SetFullscreen(!window->Fullscreen());
}

void RestoreWindowSettingsSoon() {
  const TSettings& settings = RememberedSettings();
  if (settings.Factor > 0 || settings.Fullscreen) TQuilTimer::Add(RestoreWindowSettings, 1, "");
}

void WindowSettingsFree() { TQuilTimer::Remove(RestoreWindowSettings); }
