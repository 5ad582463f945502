// WebHarnessInput -- a harness's input in a page, as a person's arrives: DOM events dispatched
// on the canvas (which bubble up to the window) and on the window, taken by the page's own
// listeners (WebEvents) and handed to the router as the window hands them, at once.
#include <emscripten.h>

#include <string>

#include "platform/HarnessInput.h"
#include "platform/web/WebInternal.h"

// clang-format off
// kind: 0 move, 1 down, 2 up; button as the DOM numbers it; buttons: those held after the event.
EM_JS(void, farrow_harness_mouse, (int kind, int button, int buttons, int shift, int x, int y), {
  const canvas = document.getElementById('farrow-canvas');
  const box = canvas.getBoundingClientRect();
  canvas.dispatchEvent(new MouseEvent(['mousemove', 'mousedown', 'mouseup'][kind], {
    bubbles: true, cancelable: true, view: window, clientX: box.left + x, clientY: box.top + y,
    button: button, buttons: buttons, shiftKey: (shift & 1) != 0, altKey: (shift & 2) != 0, ctrlKey: (shift & 4) != 0}));
});
EM_JS(void, farrow_harness_wheel, (int notches, int shift, int x, int y), {
  const canvas = document.getElementById('farrow-canvas');
  const box = canvas.getBoundingClientRect();
  canvas.dispatchEvent(new WheelEvent('wheel', {
    bubbles: true, cancelable: true, view: window, clientX: box.left + x, clientY: box.top + y,
    deltaY: -100 * notches, deltaMode: 0,
    shiftKey: (shift & 1) != 0, altKey: (shift & 2) != 0, ctrlKey: (shift & 4) != 0}));
});
EM_JS(void, farrow_harness_key, (int down, const char* key, const char* code, int shift), {
  window.dispatchEvent(new KeyboardEvent(down ? 'keydown' : 'keyup', {
    bubbles: true, cancelable: true, key: UTF8ToString(key), code: UTF8ToString(code),
    shiftKey: (shift & 1) != 0, altKey: (shift & 2) != 0, ctrlKey: (shift & 4) != 0}));
});
// clang-format on

namespace Platform {

namespace {

// The DOM's numbers of a mouse button, and of the buttons held.
int DomButton(TMouseButton button) {
  return button == TMouseButton::Left ? 0 : (button == TMouseButton::Middle ? 1 : 2);
}
int DomButtonBit(TMouseButton button) {
  return button == TMouseButton::Left ? 1 : (button == TMouseButton::Middle ? 4 : 2);
}

// What the listeners queued goes to the router as the window would hand it; the page's own
// focus, visibility and size are not the harness's (its script hides and shows).
void Deliver(TInputRouter& router) {
  while (!PageEvents().empty()) {
    const TPageEvent e = PageEvents().front();
    PageEvents().pop_front();
    switch (e.Kind) {
      case TPageEvent::TKind::KeyDown:
      case TPageEvent::TKind::KeyUp:
        router.KeyEvent(e.Kind == TPageEvent::TKind::KeyDown, e.VirtualKey, e.Shift & (ssShift | ssAlt | ssCtrl),
                        e.Repeat);
        break;
      case TPageEvent::TKind::PointerDown:
        router.MouseDown(e.Button, e.Shift, e.X, e.Y);
        break;
      case TPageEvent::TKind::PointerUp:
        router.MouseUp(e.Button, e.Shift, e.X, e.Y);
        break;
      case TPageEvent::TKind::PointerMove:
        router.MouseMove(e.Shift, e.X, e.Y);
        break;
      case TPageEvent::TKind::Wheel:
        router.MouseWheel(e.Notches, e.Shift, e.X, e.Y);
        break;
      default:
        break;
    }
  }
}

// The key and code a keyboard gives for a key the listeners know; false for one they do not.
bool PageKey(uint32_t virtualKey, unsigned shift, std::string& key, std::string& code) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    const char c = static_cast<char>(virtualKey);
    key = std::string(1, (shift & ssShift) != 0 ? c : static_cast<char>(c - 'A' + 'a'));
    code = std::string("Key") + c;
  } else if (virtualKey >= '0' && virtualKey <= '9') {
    key = std::string(1, static_cast<char>(virtualKey));
    code = "Digit" + key;
  } else if (virtualKey >= VK_F1 && virtualKey <= VK_F12) {
    code = key = "F" + std::to_string(virtualKey - VK_F1 + 1);
  } else if (const char* name = PageKeyCode(virtualKey); name != nullptr) {
    code = name;
    key = virtualKey == VK_SPACE ? " " : code;
  } else {
    return false;
  }
  return true;
}

}  // namespace

void SendPointer(TInputRouter& router, TPointerAction action, TMouseButton button, unsigned shift, int x, int y) {
  ListenToPage();
  static int held = 0;  // the DOM's buttons held, as the page's mouse would report them
  int kind = 0;
  if (action == TPointerAction::Down) {
    held |= DomButtonBit(button);
    kind = 1;
  } else if (action == TPointerAction::Up) {
    held &= ~DomButtonBit(button);
    kind = 2;
  }
  farrow_harness_mouse(kind, DomButton(button), held, static_cast<int>(shift), x, y);
  Deliver(router);
}

void SendKey(TInputRouter& router, bool down, uint32_t virtualKey, unsigned shift) {
  ListenToPage();
  std::string key, code;
  if (!PageKey(virtualKey, shift, key, code)) return;  // a key no page's keyboard brings
  farrow_harness_key(down ? 1 : 0, key.c_str(), code.c_str(), static_cast<int>(shift));
  Deliver(router);
}

void SendWheel(TInputRouter& router, int notches, unsigned shift, int x, int y) {
  ListenToPage();
  farrow_harness_wheel(notches, static_cast<int>(shift), x, y);
  Deliver(router);
}

}  // namespace Platform
