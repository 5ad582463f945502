// Input -- hit testing, button capture and key filtering.
#include "platform/Input.h"

namespace Platform {

namespace {

bool Inside(const TControl& c, int x, int y) {
  int left = 0, top = 0;
  c.ClientOrigin(left, top);
  return x >= left && x < left + c.Width && y >= top && y < top + c.Height;
}

TControl* Hit(TControl& parent, int x, int y) {
  const auto& children = parent.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    TControl* child = *it;
    if (!child->Visible || !child->Enabled || !Inside(*child, x, y)) continue;
    TControl* inner = Hit(*child, x, y);
    return inner != nullptr ? inner : child;
  }
  return nullptr;
}

bool Usable(const TControl* c) { return c != nullptr && c->Showing() && c->Enabled; }

// A destroyed control leaves its parent's children, so a pointer not found in the tree is stale.
bool InTree(const TControl& root, const TControl* c) {
  for (const TControl* child : root.Children()) {
    if (child == c || InTree(*child, c)) return true;
  }
  return false;
}

}  // namespace

TControl* TInputRouter::ControlAt(int x, int y) const { return Hit(form_, x, y); }

void TInputRouter::ForgetLost() {
  if (captured_ != nullptr && !InTree(form_, captured_)) captured_ = nullptr;
  if (focused_ != nullptr && !InTree(form_, focused_)) focused_ = nullptr;
}

TPushButton* TInputRouter::Captured() {
  ForgetLost();
  return captured_;
}

TControl* TInputRouter::Focused() {
  ForgetLost();
  return Usable(focused_) ? focused_ : nullptr;
}

void TInputRouter::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (form_.MousePress.Notify(*this, button)) return;
  ForgetLost();
  if (captured_ != nullptr) return;  // a second button while one is held goes to the holder
  TControl* target = ControlAt(x, y);
  if (auto* pushButton = dynamic_cast<TPushButton*>(target)) {
    // Buttons answer the left button only; other buttons do nothing on them.
    if (button == TMouseButton::Left) {
      captured_ = pushButton;
      focused_ = pushButton;
      pushButton->Pressed = true;
    }
  } else if (auto* paintBox = dynamic_cast<TPaintBox*>(target)) {
    int left = 0, top = 0;
    paintBox->ClientOrigin(left, top);
    if (paintBox->OnMouseDown) paintBox->OnMouseDown(*paintBox, button, shift, x - left, y - top);
  }
}

void TInputRouter::MouseMove(unsigned, int x, int y) {
  // A held button pops up while the pointer is off it and goes down again when it returns.
  ForgetLost();
  if (captured_ != nullptr) captured_->Pressed = Usable(captured_) && Inside(*captured_, x, y);
}

void TInputRouter::MouseUp(TMouseButton button, unsigned, int x, int y) {
  ForgetLost();
  if (captured_ == nullptr || button != TMouseButton::Left) return;
  TPushButton* pushButton = captured_;
  captured_ = nullptr;
  bool click = pushButton->Pressed && Usable(pushButton) && Inside(*pushButton, x, y);
  pushButton->Pressed = false;
  if (click && pushButton->OnClick) pushButton->OnClick(*pushButton);
}

bool TInputRouter::Key(uint32_t msg, uint32_t virtualKey) {
  TControl* child = Focused();
  if (child == nullptr) return false;
  TMessage message{msg, virtualKey, 0, 0};
  if (form_.WantChildKey(*child, message)) return true;
  // A focused push button clicks on Enter at once, and on Space pressed then released.
  auto* pushButton = dynamic_cast<TPushButton*>(child);
  if (pushButton == nullptr) return true;
  if (virtualKey == VK_RETURN) {
    if (msg == WM_KEYDOWN && pushButton->OnClick) pushButton->OnClick(*pushButton);
    return true;
  }
  if (virtualKey != VK_SPACE) return true;  // the child ignores it
  if (msg == WM_KEYDOWN) {
    spaceDown_ = true;
    pushButton->Pressed = true;
  } else if (msg == WM_KEYUP && spaceDown_) {
    spaceDown_ = false;
    pushButton->Pressed = false;
    if (pushButton->OnClick) pushButton->OnClick(*pushButton);
  }
  return true;
}

void TInputRouter::KeyEvent(bool down, uint32_t virtualKey, unsigned shift, bool repeat) {
  bool system = virtualKey == VK_MENU || virtualKey == VK_F10 || (shift & ssAlt) != 0;
  uint32_t msg = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  if (form_.KeyPreview.Notify(*this, TKeyEvent{msg, virtualKey, shift, repeat})) return;
  if (Key(msg, virtualKey)) return;
  TMessage message{msg, virtualKey, 0, 0};
  form_.WndProc(message);
}

void TInputRouter::MouseWheel(int notches, unsigned shift, int x, int y) {
  if (notches != 0) form_.MouseWheel.Notify(*this, notches, shift, x, y);
}

}  // namespace Platform
