// Controls -- the window controls as plain objects: panel, paint box, push button (the form is in Form.h).
// They exist and behave without a display, so tests and the replay harness can drive them;
// the window (Window.h) only shows them; Input.h routes mouse and keys to them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace Platform {

enum class TMouseButton { Left, Right, Middle };

// Shift state of a mouse or key event, as flags.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

class TControl {
 public:
  explicit TControl(TControl* parent = nullptr);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  std::string Name;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
  bool Enabled = true;

  TControl* Parent() const { return parent_; }
  // Moves the control to the end of the new parent's child order (nullptr detaches it).
  void SetParent(TControl* parent);
  // Children in creation order; later children lie on top of earlier ones.
  const std::vector<TControl*>& Children() const { return children_; }

  // Plain controls have no border: the client area is the whole control.
  virtual int ClientWidth() const { return Width; }
  virtual int ClientHeight() const { return Height; }
  virtual void SetClientWidth(int w) { Width = w; }
  virtual void SetClientHeight(int h) { Height = h; }

  // Visible here and in every parent.
  bool Showing() const;
  // Top-left corner in the coordinates of the top-level control (the form's client area).
  void ClientOrigin(int& x, int& y) const;

 private:
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
};

class TPanel : public TControl {
 public:
  using TControl::TControl;
  uint32_t Color = 0x444444;  // 0xRRGGBB
};

class TPaintBox : public TControl {
 public:
  using TControl::TControl;
  // What the paint box shows: its own Surface, or a bitmap its owner lends it so that a frame
  // drawn elsewhere is shown without a copy. The owner keeps a lent bitmap alive until it
  // lends another or none. Whoever changes what it shows calls Invalidate so that the window
  // repaints (Lend does).
  TBitmap Surface;
  const TBitmap& Shown() const { return lent_ != nullptr ? *lent_ : Surface; }
  void Lend(const TBitmap* bitmap) {
    lent_ = bitmap;
    Invalidate();
  }
  uint64_t Version = 0;
  void Invalidate() { ++Version; }
  // Mouse-down with the button, the shift state and the point in the paint box's coordinates.
  std::function<void(TPaintBox& sender, TMouseButton button, unsigned shift, int x, int y)> OnMouseDown;

 private:
  const TBitmap* lent_ = nullptr;
};

class TPushButton : public TControl {
 public:
  using TControl::TControl;
  std::string Caption;  // CP932
  int Tag = 0;
  bool TabStop = true;
  bool FontBold = false;
  bool Pressed = false;  // held down by the mouse: drawn sunken
  std::function<void(TPushButton& sender)> OnClick;
};

}  // namespace Platform
