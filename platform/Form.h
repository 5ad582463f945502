// Form -- the top-level window as a plain object: caption, size and place, window procedure,
// child-key filter, and posting messages to it.
// Game forms (app/QuilForm and what derives from it) subclass TForm; Application delivers
// posted messages to WndProc, and the input router (Input.h) asks WantChildKey.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Controls.h"
#include "platform/Graphics.h"

namespace Platform {

// Window messages used here, with their Windows numbers.
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_USER = 0x0400;
// Virtual-key codes.
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_MENU = 0x12;  // Alt
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_F10 = 0x79;
constexpr uint32_t VK_F11 = 0x7A;

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

  // Closing the main form ends the application.
  void Close();

 private:
  uint32_t handle_ = 0;
};

// The form whose window has this handle, or nullptr.
TForm* FindForm(uint32_t handle);

// Queues a message for the form's window procedure; the message loop delivers it later.
// False when the handle belongs to no form.
bool PostMessageA(uint32_t handle, uint32_t msg, uintptr_t wParam, intptr_t lParam);

}  // namespace Platform
