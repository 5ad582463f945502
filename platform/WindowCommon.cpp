// WindowCommon -- what every system's window does alike: the input mapped onto the client
// area, and what changed since the window last showed the form.
#include "platform/Window.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

namespace Platform {

void TWindow::PointerDown(TMouseButton button, unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseDown(button, shift, x, y);
}

void TWindow::PointerUp(TMouseButton button, unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseUp(button, shift, x, y);
}

void TWindow::PointerMove(unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseMove(shift, x, y);
}

void TWindow::Key(bool down, uint32_t virtualKey, unsigned shift, bool repeat) {
  // F11 or Alt+Enter switch fullscreen; their releases and auto-repeats go nowhere either.
  if (virtualKey == VK_F11 || ((shift & ssAlt) != 0 && virtualKey == VK_RETURN)) {
    if (down && !repeat) SetFullscreen(!fullscreen_);
    return;
  }
  router_.KeyEvent(down, virtualKey, shift, repeat);
}

void TWindow::Wheel(int notches, unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseWheel(notches, shift, x, y);
}

void TWindow::Pad(const TPadEvent& pad) { form_.PadButton.Notify(router_, pad); }

void TWindow::SnapshotChildren(const TControl& parent, std::vector<int64_t>& s) const {
  for (const TControl* c : parent.Children()) {
    s.insert(s.end(), {reinterpret_cast<intptr_t>(c), c->Left, c->Top, c->Width, c->Height, c->Visible, c->Enabled});
    if (!c->Visible) continue;
    if (auto* b = dynamic_cast<const TPushButton*>(c)) {
      s.insert(s.end(), {b->Pressed, b->FontBold, static_cast<int64_t>(std::hash<std::string>{}(b->Caption))});
    } else if (auto* p = dynamic_cast<const TPaintBox*>(c)) {
      s.push_back(static_cast<int64_t>(p->Version));
    } else if (auto* panel = dynamic_cast<const TPanel*>(c)) {
      s.push_back(panel->Color);
    }
    SnapshotChildren(*c, s);
  }
}

bool TWindow::Changed(bool force, bool& placed, bool& titled) {
  // Everything the picture depends on, so that an unchanged window is not repainted. The
  // vectors keep their storage from one present to the next.
  now_.clear();
  now_.insert(now_.end(), {form_.Left, form_.Top, form_.Width, form_.Height,
                           static_cast<int64_t>(std::hash<std::string>{}(form_.Caption))});
  SnapshotChildren(form_, now_);
  if (!force && !exposed_ && now_ == shown_) return false;
  placed = shown_.size() >= 4 && std::equal(now_.begin(), now_.begin() + 4, shown_.begin());
  titled = shown_.size() >= 5 && now_[4] == shown_[4];
  std::swap(now_, shown_);
  return true;
}

}  // namespace Platform
