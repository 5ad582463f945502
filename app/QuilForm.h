// QuilForm -- the base form of the game's window: a deferred call that runs when the form's own
// posted message arrives (how the frame loop starts inside the message loop), the swallowing
// of Alt and F10 for child controls, and a few layout helpers.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"

class TQuilForm;

// Called with the form and the call message when that message arrives.
using TPostedProc = void (*)(TQuilForm& form, Platform::TMessage& message);

// The call message: WM_USER + 10, posted with both parameters 0.
constexpr uint32_t WM_QUILCALL = Platform::WM_USER + 10;

class TQuilForm : public Platform::TForm {
 public:
  TQuilForm() = default;

  TPostedProc PostedProc = nullptr;
  std::vector<Platform::TControl*> Pages;  // the page panels that ShowPage found

  // Stores proc and posts the call message to the form's own window (creating its handle if
  // needed); proc runs when the message loop dispatches it.
  void PostCall(TPostedProc proc);
  // The call message runs PostedProc and nothing else; every other message goes on.
  void WndProc(Platform::TMessage& message) override;
  // Consumes Alt (VK_MENU) and F10, so that they do nothing while a child has the focus.
  bool WantChildKey(Platform::TControl& child, Platform::TMessage& message) override;

  void SetClientSize(int width, int height);
  // Centres the form's outer rectangle on the screen (negative when the form is larger).
  void CenterOnScreen();
  // Moves the control to (0, 0) of its parent and gives it the parent's client size.
  void FitToParent(Platform::TControl& control);
  // Among the form's own children, every panel whose name starts with "Page" is fitted to the
  // form and hidden, except the given one, which is shown.
  void ShowPage(Platform::TPanel& panel);
};
