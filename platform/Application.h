// Application -- the application object: start-up, title, the message loop, posted messages,
// the terminate request and the top-level error handler.
// Called by the program entry (Initialize, Run), by paint/QuilTimer (ProcessMessages,
// WaitMessage, Terminated) and by the game's "#finish" (Terminate). Works without a display:
// then only posted messages flow, and errors go to standard error.
#pragma once
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <string>

#include "platform/Listeners.h"

namespace Platform {

class TForm;
class TWindow;

class TApplication {
 public:
  // Asks the program to end: the frame loop returns after its current pass.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // Tests and the replay harness start a fresh run.
  void ResetTerminated() { terminated_ = false; }

  // Opens the display (SDL video; a page is one). False, with InitError() saying why, when none;
  // the program can still run headless. Fills Screen from the display.
  bool Initialize();
  const std::string& InitError() const { return initError_; }
  bool HasDisplay() const { return display_; }
  std::string Title = "Farrowmere";  // CP932; also the caption of error boxes

  // Shows the main form in a window (when there is a display) and runs the message loop
  // until Terminate. Closing the window terminates.
  void Run(TForm& mainForm);
  TForm* MainForm() const { return mainForm_; }

  // Handles every pending message (display events and posted messages) and returns; never waits.
  void ProcessMessages();
  // Waits until a message is pending or timeoutMs has passed; true when one is pending.
  // Repaints the window first if anything on it changed.
  bool WaitMessage(uint32_t timeoutMs);

  // The top-level error handler: shows the text of an error that escaped an event handler on
  // standard error and, with a display, in a message box (over the window when there is one),
  // and lets the program go on; a quit request that ends the box terminates.
  void HandleException(const std::exception& error);
  // Tests and the replay harness can take the error texts (CP932) instead.
  std::function<void(const std::string& text)> OnException;

  // A fault the game plays on with (no font, no story): one line on standard error, always,
  // and, once the window is up, once in a message box, so that a player without a terminal
  // learns it too. The text is UTF-8.
  static void Warn(const std::string& text);

  // The window was minimized or hidden (true), or shown again (false): the window tells the
  // listeners in order, the replay harness too.
  TListeners<bool /*hidden*/> WindowHidden;
  // The window lost the keyboard's focus (another window took it).
  TListeners<> FocusLost;

  // Closes the window and the display; sound is closed by Platform::CloseSound.
  void Finalize();

  // Used by PostMessageA.
  void Post(uint32_t handle, uint32_t msg, uintptr_t wParam, intptr_t lParam);
  bool HasPostedMessages() const { return !posted_.empty(); }

  TWindow* Window() const { return window_; }

 private:
  struct TPosted {
    uint32_t Handle;
    uint32_t Msg;
    uintptr_t WParam;
    intptr_t LParam;
  };
  bool DeliverOne();
  // The display's own part of Finalize (SDL's video, or the page's event handlers).
  void CloseDisplay();
  void ShowBox(const std::string& text);
  void ShowWarnings();
  bool terminated_ = false;
  bool display_ = false;
  std::string initError_;
  TForm* mainForm_ = nullptr;
  TWindow* window_ = nullptr;
  std::deque<TPosted> posted_;
};

extern TApplication Application;

}  // namespace Platform
