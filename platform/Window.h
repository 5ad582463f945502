// Window -- the form on the screen: a window of the system's (an SDL window on the desktop, a
// canvas in a page) that shows the form's controls and turns the display's events (and the
// gamepads') into input for them.
// Application creates the window of the main form and calls PumpEvents and Present from its
// message loop; nothing else uses TWindow. It paints the form with PaintForm (WindowPaint.h).
// The window shows the client area enlarged by a whole factor, pixel for pixel (chosen at
// opening to fit the display), or fullscreen centred on black; F11 and Alt+Enter switch.
// Pointer positions are mapped back, so the form only ever sees its own client coordinates.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/Gamepad.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Viewport.h"

namespace Platform {

class TWindow {
 public:
  explicit TWindow(TForm& form);
  ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // Creates the window (hidden), centred on the form's place, at the largest whole factor
  // that fits the display it opens on; false with error when the system refuses.
  bool Open(std::string& error);
  void Show();
  // Handles every event the display has queued; true when there was at least one.
  // An error escaping a handler goes to Application.HandleException.
  bool PumpEvents();
  // Repaints when anything shown has changed (or always when forced).
  void Present(bool force = false);

  // The factor of the window outside fullscreen; setting it resizes the window.
  int WindowScale() const { return scale_; }
  void SetWindowScale(int scale);
  bool Fullscreen() const { return fullscreen_; }
  void SetFullscreen(bool on);
  // Where the client area lies in the window now, and how pointer positions map onto it.
  TViewport Viewport() const;
  // What the window shows, in its real pixels.
  void ReadBack(TBitmap& out);

  // The display's input, as the window's events bring it: pointer positions in the window's
  // coordinates, mapped onto the client area for the router; keys with their virtual-key code.
  void PointerDown(TMouseButton button, unsigned shift, int windowX, int windowY);
  void PointerUp(TMouseButton button, unsigned shift, int windowX, int windowY);
  void PointerMove(unsigned shift, int windowX, int windowY);
  // F11 and Alt+Enter switch fullscreen; every other key takes the router's one rule
  // (TInputRouter::KeyEvent). shift: ssShift, ssAlt, ssCtrl held.
  void Key(bool down, uint32_t virtualKey, unsigned shift, bool repeat);
  // The wheel turned by notches (positive: away from the user), the pointer in the window.
  void Wheel(int notches, unsigned shift, int windowX, int windowY);
  // A gamepad's button, for the form's PadButton listeners.
  void Pad(const TPadEvent& pad);
  // Milliseconds until a held pad direction repeats (UINT32_MAX: none), so the wait ends in time.
  uint32_t UntilPadRepeat() const { return pads_.UntilRepeat(); }

  TInputRouter& Router() { return router_; }
  TForm& Form() { return form_; }

  // The system's side of the window (the SDL window and its surfaces, or the page's canvas),
  // which only the system's own files see.
  struct TSystem;
  TSystem& System() const { return *system_; }

 private:
  // True when anything the picture depends on changed since the last call (or force);
  // placed and titled then say whether the form kept its place and size, and its caption.
  bool Changed(bool force, bool& placed, bool& titled);
  void SnapshotChildren(const TControl& parent, std::vector<int64_t>& s) const;
  TForm& form_;
  TInputRouter router_;
  TGamepads pads_;
  std::unique_ptr<TSystem> system_;
  TBitmap frame_;
  // What the window last showed and what it would show now; both keep their storage.
  std::vector<int64_t> shown_, now_;
  const TPaintBox* base_ = nullptr;  // the paint box under everything, shown straight from what it shows
  std::vector<TRect> above_;         // the parts of frame_ painted over it
  bool exposed_ = true;              // everything, the margin too, must be painted and sent
  int scale_ = 1;
  bool fullscreen_ = false;
};

}  // namespace Platform
