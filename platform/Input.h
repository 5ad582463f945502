// Input -- mouse and keyboard input routed to a form's controls as Windows routes it.
// The window feeds it real events; tests and the replay harness feed it synthetic ones.
// Coordinates are in the form's client area.
//  - A press of the left button on a showing, enabled push button presses it (drawn sunken)
//    and captures the mouse; the button's OnClick fires when the button is released over it.
//  - Disabled or hidden controls are not hit: a press on them falls through to the control
//    below (the paint box), exactly where the game's play-area handler expects it.
//  - Any button pressed on a paint box calls its OnMouseDown (a double click is two presses).
//  - A key from the keyboard (KeyEvent, the one rule the window and the replay harness share)
//    comes as a system key message when it is Alt or F10 or held with Alt; the form's key
//    preview sees it first, then the focused child, then the form's window procedure.
//  - Key messages for the focused child pass through the form's WantChildKey first; a focused
//    push button clicks on Enter, and on Space pressed and released.
//  - The mouse wheel goes to the form's wheel listeners (MouseWheel).
#pragma once
#include <cstdint>

#include "platform/Controls.h"
#include "platform/Form.h"

namespace Platform {

class TInputRouter {
 public:
  explicit TInputRouter(TForm& form) : form_(form) {}

  void MouseDown(TMouseButton button, unsigned shift, int x, int y);
  void MouseMove(unsigned shift, int x, int y);
  void MouseUp(TMouseButton button, unsigned shift, int x, int y);
  // A key message (WM_KEYDOWN, WM_SYSKEYDOWN, ...) with its virtual-key code. True when a
  // child has the focus: the form's filter or the child took it. False: it is the form's.
  bool Key(uint32_t msg, uint32_t virtualKey);
  // A key pressed or released on the keyboard, routed as the rule above says.
  void KeyEvent(bool down, uint32_t virtualKey, unsigned shift, bool repeat = false);
  // The wheel turned by notches (positive: away from the user), the pointer at (x, y).
  void MouseWheel(int notches, unsigned shift, int x, int y);

  // The showing, enabled control under the point, the innermost and topmost one; nullptr
  // outside every child.
  TControl* ControlAt(int x, int y) const;
  // The button holding the mouse (pressed with the left button and not yet released).
  TPushButton* Captured();
  // The control that gets key messages: the button last pressed, while it shows and is enabled.
  TControl* Focused();

 private:
  // Drops the held and focused buttons that were destroyed or moved out of the form.
  void ForgetLost();
  TForm& form_;
  TPushButton* captured_ = nullptr;
  TPushButton* focused_ = nullptr;
  bool spaceDown_ = false;
};

}  // namespace Platform
