// HarnessInput -- the desktop's harness input: straight into the router.
#include "platform/HarnessInput.h"

namespace Platform {

void SendPointer(TInputRouter& router, TPointerAction action, TMouseButton button, unsigned shift, int x, int y) {
  switch (action) {
    case TPointerAction::Move:
      router.MouseMove(shift, x, y);
      break;
    case TPointerAction::Down:
      router.MouseDown(button, shift, x, y);
      break;
    case TPointerAction::Up:
      router.MouseUp(button, shift, x, y);
      break;
  }
}

void SendKey(TInputRouter& router, bool down, uint32_t virtualKey, unsigned shift) {
  router.KeyEvent(down, virtualKey, shift);
}

void SendWheel(TInputRouter& router, int notches, unsigned shift, int x, int y) {
  router.MouseWheel(notches, shift, x, y);
}

}  // namespace Platform
