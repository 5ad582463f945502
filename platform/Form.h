// Form -- the top-level window as a plain object: caption, size and place, window procedure,
// child-key filter, and posting messages to it.
// Game forms (app/QuilForm and what derives from it) subclass TForm; Application delivers
// posted messages to WndProc, and the input router (Input.h) asks WantChildKey.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Listeners.h"

namespace Platform {

// Window messages used here, with their Windows numbers.
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_USER = 0x0400;
// Virtual-key codes, with their Windows numbers. Letters and digits are their upper-case
// ASCII codes ('A' .. 'Z', '0' .. '9'); F1 .. F12 follow each other from VK_F1.
constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12;  // Alt
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_PRIOR = 0x21;  // Page Up
constexpr uint32_t VK_NEXT = 0x22;   // Page Down
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_F1 = 0x70;
constexpr uint32_t VK_F5 = 0x74;
constexpr uint32_t VK_F7 = 0x76;
constexpr uint32_t VK_F8 = 0x77;
constexpr uint32_t VK_F9 = 0x78;
constexpr uint32_t VK_F10 = 0x79;
constexpr uint32_t VK_F11 = 0x7A;
constexpr uint32_t VK_F12 = 0x7B;

class TInputRouter;
struct TPadEvent;

// A key as the form's key preview sees it: the key message (WM_KEYDOWN, WM_SYSKEYUP, ...),
// the virtual-key code, the shift state (ssShift, ssAlt, ssCtrl) and whether it is the
// keyboard's auto-repeat.
struct TKeyEvent {
  uint32_t Msg = 0;
  uint32_t VirtualKey = 0;
  unsigned Shift = 0;
  bool Repeat = false;
  bool Down() const { return Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN; }
};

struct TMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// The screen the forms are centred on; Application fills it from the display.
struct TScreen {
  int Width = 1024;
  int Height = 768;
};
extern TScreen Screen;

enum class TBorderStyle { Single };  // fixed single border, not resizable
enum : unsigned { biSystemMenu = 1, biMinimize = 2 };

class TForm : public TControl {
 public:
  TForm();
  ~TForm() override;

  std::string Caption;  // CP932
  TBorderStyle BorderStyle = TBorderStyle::Single;
  unsigned BorderIcons = biSystemMenu | biMinimize;
  TColor Color = RGB(240, 240, 240);
  TBitmap Icon;  // 32 x 32; an empty icon gets a plain default one

  // Width and Height are the outer size: the client area plus the frame below.
  static constexpr int FrameWidth = 3;      // left and right border, each
  static constexpr int CaptionHeight = 26;  // title bar and top border
  static constexpr int FrameBottom = 3;
  int ClientWidth() const override { return Width - 2 * FrameWidth; }
  int ClientHeight() const override { return Height - CaptionHeight - FrameBottom; }
  void SetClientWidth(int w) override { Width = w + 2 * FrameWidth; }
  void SetClientHeight(int h) override { Height = h + CaptionHeight + FrameBottom; }

  // The window handle: a number that posted messages are addressed to. Asking for it creates
  // it; messages to a destroyed form are dropped.
  uint32_t Handle();
  bool HandleAllocated() const { return handle_ != 0; }

  // The window procedure; the default handles nothing.
  virtual void WndProc(TMessage& message) { DefaultHandler(message); }
  virtual void DefaultHandler(TMessage&) {}
  // Asked for every key message that reaches a child control; true consumes it.
  virtual bool WantChildKey(TControl& child, TMessage& message);

  // Key preview: hears every key before the focused child does, listener by listener; one
  // that answers true takes it. The router that routes the key comes along, so a listener can
  // press where a mouse would.
  TListeners<TInputRouter&, const TKeyEvent&> KeyPreview;
  // The mouse wheel turned by notches (positive: away from the user) with the pointer at
  // (x, y) of the client area; the form's window gets it wherever the pointer is.
  TListeners<TInputRouter&, int /*notches*/, unsigned /*shift*/, int /*x*/, int /*y*/> MouseWheel;
  // A mouse button pressed over the client area, heard before the router passes the press on;
  // one that answers true takes it, and no control sees it.
  TListeners<TInputRouter&, TMouseButton> MousePress;
  // A gamepad's button pressed, released or repeated (Gamepad.h), listener by listener; one
  // that answers true takes it. The router comes along, as with the key preview.
  TListeners<TInputRouter&, const TPadEvent&> PadButton;

  // Closing the main form ends the application; the Closing listeners hear of it first (the
  // window closes whatever they answer), once: a close while the application is already ending
  // (the desktop's close of the last window comes with a quit request) does nothing.
  void Close();
  TListeners<> Closing;

 private:
  uint32_t handle_ = 0;
};

// The form whose window has this handle, or nullptr.
TForm* FindForm(uint32_t handle);

// Queues a message for the form's window procedure; the message loop delivers it later.
// False when the handle belongs to no form.
bool PostMessageA(uint32_t handle, uint32_t msg, uintptr_t wParam, intptr_t lParam);

}  // namespace Platform
