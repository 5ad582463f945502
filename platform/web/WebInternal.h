// WebInternal -- what the page's side of the platform shares: the window's canvas, the page's
// events as the browser's callbacks queue them, and the waits that let the browser run.
#pragma once
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/Controls.h"
#include "platform/Window.h"

namespace Platform {

// One event of the page, queued by a callback while the program sleeps and taken by the window
// (or the error box) when it next looks. Positions are in the page's CSS pixels from the
// canvas's top-left corner.
struct TPageEvent {
  enum class TKind { KeyDown, KeyUp, PointerDown, PointerUp, PointerMove, Wheel, Hidden, Shown, FocusLost, Resized };
  TKind Kind = TKind::Resized;
  uint32_t VirtualKey = 0;  // keys
  bool Repeat = false;
  unsigned Shift = 0;  // ssShift, ssAlt, ssCtrl, and the mouse buttons held
  TMouseButton Button = TMouseButton::Left;
  int X = 0, Y = 0;
  int Notches = 0;  // the wheel: positive away from the user
};
std::deque<TPageEvent>& PageEvents();

// Starts listening to the page (once): keys on the window, the pointer and touches on the
// canvas, visibility, focus and size.
void ListenToPage();

// The KeyboardEvent.code the listeners take for a key that is neither a letter, a digit nor F1 ..
// F12 (the first of several: the left one), or null.
const char* PageKeyCode(uint32_t virtualKey);

// How the page shows the client area: every client pixel is Scale device pixels, and a CSS
// pixel is DeviceMilli / 1000 of them.
struct TPageFit {
  int Scale = 1;
  int DeviceMilli = 1000;
};
// Sizes the canvas (client width x height) to the largest whole factor that fits the page.
TPageFit FitCanvas(int width, int height);

struct TWindow::TSystem {
  bool Opened = false;
  TPageFit Fit;
  std::vector<uint8_t> Rgba;   // the frame as the canvas takes it
  uint32_t PadsConnected = 0;  // one bit per index of the Gamepad API

  // Looks at the Gamepad API and tells pads what changed.
  void PollPads(TGamepads& pads);
};

// Fills the player's folders from the browser's storage (once), before the game reads them.
void LoadKeptFiles();

// Lets the browser run (its events, its timers) for about ms milliseconds.
void SleepInPage(uint32_t ms);

}  // namespace Platform
