// WebEvents -- the page's events turned into the form's input: keys by the same virtual-key
// codes as on the desktop, the mouse and touches (a tap is a press of the left button), the
// Gamepad API's standard pads, the page hidden and shown. The browser's callbacks only queue
// what happened; the frame loop takes it when it next looks, as it takes a desktop's events.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Window.h"
#include "platform/WindowInternal.h"
#include "platform/web/WebInternal.h"

// clang-format off
// Where the canvas's top-left corner lies in the page's client coordinates (CSS pixels, times
// 16 for the fraction): pointer positions are taken from there, wherever the event arrived.
EM_JS(int, farrow_canvas_left16, (), {
  const c = document.getElementById('farrow-canvas');
  return c ? Math.round(c.getBoundingClientRect().left * 16) : 0;
});
EM_JS(int, farrow_canvas_top16, (), {
  const c = document.getElementById('farrow-canvas');
  return c ? Math.round(c.getBoundingClientRect().top * 16) : 0;
});
// Sleeps ms milliseconds, letting the browser run. A timer set by a timer's callback, five deep,
// is stretched to 4 ms at least, and the frame loop's waits would nest so: this one is set from
// a message's task, where it nests no deeper than one, so that a frame comes on time.
EM_ASYNC_JS(void, farrow_sleep, (int ms), {
  await new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => setTimeout(resolve, ms);
    channel.port2.postMessage(0);
  });
});
// clang-format on

namespace Platform {

namespace {

// The keys the game and the player's conveniences know, by KeyboardEvent.code; letters and
// digits come by KeyboardEvent.key (the layout's, as SDL's key codes are), F1 .. F12 by range.
struct TKeyName {
  const char* Code;
  uint32_t VirtualKey;
};
constexpr TKeyName kKeys[] = {
    {"AltLeft", VK_MENU},        {"AltRight", VK_MENU},        {"ShiftLeft", VK_SHIFT}, {"ShiftRight", VK_SHIFT},
    {"ControlLeft", VK_CONTROL}, {"ControlRight", VK_CONTROL}, {"Enter", VK_RETURN},    {"NumpadEnter", VK_RETURN},
    {"Space", VK_SPACE},         {"Escape", VK_ESCAPE},        {"Tab", VK_TAB},         {"Backspace", VK_BACK},
    {"PageUp", VK_PRIOR},        {"PageDown", VK_NEXT},        {"ArrowLeft", VK_LEFT},  {"ArrowUp", VK_UP},
    {"ArrowRight", VK_RIGHT},    {"ArrowDown", VK_DOWN},
};

uint32_t VirtualKey(const EmscriptenKeyboardEvent& e) {
  const char* key = e.key;
  if (key[0] != '\0' && key[1] == '\0') {
    const char c = key[0];
    if (c >= 'a' && c <= 'z') return static_cast<uint32_t>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint32_t>(c);
  }
  // Digits with Shift held give their symbols as key: the code still says which digit.
  if (std::strncmp(e.code, "Digit", 5) == 0 && e.code[5] >= '0' && e.code[5] <= '9' && e.code[6] == '\0') {
    return static_cast<uint32_t>(e.code[5]);
  }
  if (std::strncmp(e.code, "Key", 3) == 0 && e.code[3] >= 'A' && e.code[3] <= 'Z' && e.code[4] == '\0') {
    return static_cast<uint32_t>(e.code[3]);
  }
  if (e.code[0] == 'F' && e.code[1] >= '1' && e.code[1] <= '9') {
    const int n =
        e.code[2] == '\0' ? e.code[1] - '0' : (e.code[3] == '\0' ? (e.code[1] - '0') * 10 + (e.code[2] - '0') : 0);
    if (n >= 1 && n <= 12) return VK_F1 + static_cast<uint32_t>(n - 1);
  }
  for (const TKeyName& k : kKeys) {
    if (std::strcmp(k.Code, e.code) == 0) return k.VirtualKey;
  }
  return 0;
}

}  // namespace

const char* PageKeyCode(uint32_t virtualKey) {
  for (const TKeyName& k : kKeys) {
    if (k.VirtualKey == virtualKey) return k.Code;
  }
  return nullptr;
}

namespace {

unsigned ButtonsHeld = 0;  // ssLeft, ssRight, ssMiddle, as the last mouse event said

unsigned KeyShift(bool shift, bool alt, bool ctrl) {
  return (shift ? ssShift : 0u) | (alt ? ssAlt : 0u) | (ctrl ? ssCtrl : 0u);
}

unsigned MouseHeld(unsigned short buttons) {
  return ((buttons & 1) != 0 ? ssLeft : 0u) | ((buttons & 2) != 0 ? ssRight : 0u) |
         ((buttons & 4) != 0 ? ssMiddle : 0u);
}

void Queue(const TPageEvent& e) { PageEvents().push_back(e); }

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
  const uint32_t vk = VirtualKey(*e);
  if (vk == 0) return EM_FALSE;  // the browser's own keys stay the browser's
  TPageEvent event;
  event.Kind = type == EMSCRIPTEN_EVENT_KEYDOWN ? TPageEvent::TKind::KeyDown : TPageEvent::TKind::KeyUp;
  event.VirtualKey = vk;
  event.Repeat = e->repeat != 0;
  event.Shift = KeyShift(e->shiftKey, e->altKey, e->ctrlKey) | ButtonsHeld;
  Queue(event);
  return EM_TRUE;  // F1, F5, Tab, Space and the arrows are the game's, not the page's
}

void CanvasPoint(long clientX, long clientY, int& x, int& y) {
  x = static_cast<int>((clientX * 16 - farrow_canvas_left16()) / 16);
  y = static_cast<int>((clientY * 16 - farrow_canvas_top16()) / 16);
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void*) {
  TPageEvent event;
  ButtonsHeld = MouseHeld(e->buttons);
  event.Shift = KeyShift(e->shiftKey, e->altKey, e->ctrlKey) | ButtonsHeld;
  CanvasPoint(e->clientX, e->clientY, event.X, event.Y);
  switch (type) {
    case EMSCRIPTEN_EVENT_MOUSEDOWN:
    case EMSCRIPTEN_EVENT_MOUSEUP:
      if (e->button > 2) return EM_FALSE;
      event.Kind = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? TPageEvent::TKind::PointerDown : TPageEvent::TKind::PointerUp;
      // The DOM numbers the middle button 1 and the right 2.
      event.Button =
          e->button == 0 ? TMouseButton::Left : (e->button == 1 ? TMouseButton::Middle : TMouseButton::Right);
      break;
    default:
      event.Kind = TPageEvent::TKind::PointerMove;
      break;
  }
  Queue(event);
  return EM_TRUE;
}

EM_BOOL OnWheel(int, const EmscriptenWheelEvent* e, void*) {
  // A notch of the wheel is 100 pixels in most browsers, or 3 lines; a touchpad's small moves
  // add up to notches as they come.
  static double pending = 0;
  const double unit = e->deltaMode == DOM_DELTA_LINE ? 3 : (e->deltaMode == DOM_DELTA_PAGE ? 1 : 100);
  pending -= e->deltaY / unit;
  const int notches = static_cast<int>(pending);
  if (notches == 0) return EM_TRUE;
  pending -= notches;
  TPageEvent event;
  event.Kind = TPageEvent::TKind::Wheel;
  event.Notches = notches;
  event.Shift = KeyShift(e->mouse.shiftKey, e->mouse.altKey, e->mouse.ctrlKey) | ButtonsHeld;
  CanvasPoint(e->mouse.clientX, e->mouse.clientY, event.X, event.Y);
  Queue(event);
  return EM_TRUE;
}

// A tap is a press and release of the left button where the finger was; only the first finger
// counts, and the browser makes no mouse events of it.
EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void*) {
  static long finger = -1;
  for (int i = 0; i < e->numTouches; ++i) {
    const EmscriptenTouchPoint& t = e->touches[i];
    if (t.isChanged == 0) continue;
    TPageEvent event;
    CanvasPoint(t.clientX, t.clientY, event.X, event.Y);
    if (type == EMSCRIPTEN_EVENT_TOUCHSTART && finger < 0) {
      finger = t.identifier;
      event.Kind = TPageEvent::TKind::PointerDown;
      event.Shift = ssLeft;
    } else if (t.identifier != finger) {
      continue;
    } else if (type == EMSCRIPTEN_EVENT_TOUCHMOVE) {
      event.Kind = TPageEvent::TKind::PointerMove;
      event.Shift = ssLeft;
    } else {
      finger = -1;
      event.Kind = TPageEvent::TKind::PointerUp;
    }
    Queue(event);
  }
  return EM_TRUE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
  TPageEvent event;
  event.Kind = e->hidden != 0 ? TPageEvent::TKind::Hidden : TPageEvent::TKind::Shown;
  Queue(event);
  return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
  TPageEvent event;
  event.Kind = TPageEvent::TKind::FocusLost;
  Queue(event);
  return EM_FALSE;
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
  TPageEvent event;
  event.Kind = TPageEvent::TKind::Resized;
  Queue(event);
  return EM_FALSE;
}

EM_BOOL OnFullscreen(int, const EmscriptenFullscreenChangeEvent*, void*) { return OnResize(0, nullptr, nullptr); }

}  // namespace

std::deque<TPageEvent>& PageEvents() {
  static std::deque<TPageEvent> events;
  return events;
}

void ListenToPage() {
  static bool listening = false;
  if (listening) return;
  listening = true;
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, nullptr, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(window, nullptr, EM_TRUE, OnKey);
  // Pressed on the canvas; let go and moved anywhere, so that a button pressed on it and let go
  // beside it is let go for the game too.
  emscripten_set_mousedown_callback("#farrow-canvas", nullptr, EM_TRUE, OnMouse);
  emscripten_set_mouseup_callback(window, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mousemove_callback(window, nullptr, EM_TRUE, OnMouse);
  emscripten_set_wheel_callback("#farrow-canvas", nullptr, EM_TRUE, OnWheel);
  emscripten_set_touchstart_callback("#farrow-canvas", nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchmove_callback("#farrow-canvas", nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchend_callback("#farrow-canvas", nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchcancel_callback("#farrow-canvas", nullptr, EM_TRUE, OnTouch);
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
  emscripten_set_blur_callback(window, nullptr, EM_FALSE, OnBlur);
  emscripten_set_resize_callback(window, nullptr, EM_FALSE, OnResize);
  emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, OnFullscreen);
}

void SleepInPage(uint32_t ms) { farrow_sleep(static_cast<int>(ms)); }

bool WaitForDisplayEvent(uint32_t timeoutMs) {
  // The browser runs its callbacks while the program sleeps: a look every few milliseconds, far
  // below the frame loop's beat (a pad's buttons are looked at by the pump).
  constexpr uint32_t kLookMs = 4;
  const double start = emscripten_get_now();
  for (;;) {
    if (!PageEvents().empty()) return true;
    const double spent = emscripten_get_now() - start;
    if (spent >= timeoutMs) return false;
    SleepInPage(std::min<uint32_t>(kLookMs, timeoutMs - static_cast<uint32_t>(spent)));
  }
}

bool TWindow::PumpEvents() {
  bool any = false;
  auto handled = [](auto&& step) {
    try {
      step();
    } catch (const std::exception& e) {
      Application.HandleException(e);
    }
  };
  while (!PageEvents().empty()) {
    const TPageEvent e = PageEvents().front();
    PageEvents().pop_front();
    any = true;
    handled([&] {
      switch (e.Kind) {
        case TPageEvent::TKind::KeyDown:
        case TPageEvent::TKind::KeyUp:
          Key(e.Kind == TPageEvent::TKind::KeyDown, e.VirtualKey, e.Shift & (ssShift | ssAlt | ssCtrl), e.Repeat);
          break;
        case TPageEvent::TKind::PointerDown:
          PointerDown(e.Button, e.Shift, e.X, e.Y);
          break;
        case TPageEvent::TKind::PointerUp:
          PointerUp(e.Button, e.Shift, e.X, e.Y);
          break;
        case TPageEvent::TKind::PointerMove:
          PointerMove(e.Shift, e.X, e.Y);
          break;
        case TPageEvent::TKind::Wheel:
          Wheel(e.Notches, e.Shift, e.X, e.Y);
          break;
        case TPageEvent::TKind::Hidden:
        case TPageEvent::TKind::Shown:
          Application.WindowHidden.Notify(e.Kind == TPageEvent::TKind::Hidden);
          break;
        case TPageEvent::TKind::FocusLost:
          Application.FocusLost.Notify();
          break;
        case TPageEvent::TKind::Resized: {
          // Fullscreen may have ended by the browser's own Escape.
          EmscriptenFullscreenChangeEvent now;
          if (emscripten_get_fullscreen_status(&now) == EMSCRIPTEN_RESULT_SUCCESS) fullscreen_ = now.isFullscreen != 0;
          SetWindowScale(scale_);
          break;
        }
      }
    });
  }
  handled([&] {
    system_->PollPads(pads_);
    if (pads_.Repeat()) any = true;
  });
  return any;
}

}  // namespace Platform
