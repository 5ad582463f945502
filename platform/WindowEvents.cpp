// WindowEvents -- the display's events turned into the form's input: keys with their
// virtual-key code, pointer positions mapped onto the client area.
#include "platform/Window.h"

#include <SDL.h>

#include <stdexcept>

#include "platform/Application.h"

namespace Platform {

namespace {

uint32_t VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
  switch (key) {
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
    case SDLK_RETURN: return VK_RETURN;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_TAB: return 0x09;
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    default: return 0;
  }
}

unsigned ShiftState() {
  SDL_Keymod mod = SDL_GetModState();
  unsigned shift = 0;
  if (mod & KMOD_SHIFT) shift |= ssShift;
  if (mod & KMOD_ALT) shift |= ssAlt;
  if (mod & KMOD_CTRL) shift |= ssCtrl;
  uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  if (buttons & SDL_BUTTON_LMASK) shift |= ssLeft;
  if (buttons & SDL_BUTTON_RMASK) shift |= ssRight;
  if (buttons & SDL_BUTTON_MMASK) shift |= ssMiddle;
  return shift;
}

bool MouseButton(uint8_t sdlButton, TMouseButton& button) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: button = TMouseButton::Left; return true;
    case SDL_BUTTON_RIGHT: button = TMouseButton::Right; return true;
    case SDL_BUTTON_MIDDLE: button = TMouseButton::Middle; return true;
    default: return false;
  }
}

}  // namespace

bool TWindow::PumpEvents() {
  SDL_Event event;
  bool any = false;
  while (SDL_PollEvent(&event) != 0) {
    any = true;
    try {
      Route(event);
    } catch (const std::exception& e) {
      Application.HandleException(e);
    }
  }
  return any;
}

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

void TWindow::Key(bool down, uint32_t virtualKey, bool alt, bool repeat) {
  // F11 or Alt+Enter switch fullscreen; their releases and auto-repeats go nowhere either.
  if (virtualKey == VK_F11 || (alt && virtualKey == VK_RETURN)) {
    if (down && !repeat) SetFullscreen(!fullscreen_);
    return;
  }
  bool system = virtualKey == VK_MENU || virtualKey == VK_F10 || alt;
  uint32_t msg = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  if (!router_.Key(msg, virtualKey)) {
    TMessage message{msg, virtualKey, 0, 0};
    form_.WndProc(message);
  }
}

void TWindow::Route(const SDL_Event& event) {
  TMouseButton button;
  switch (event.type) {
    case SDL_QUIT:
      form_.Close();
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) form_.Close();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        exposed_ = true;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (MouseButton(event.button.button, button)) {
        unsigned shift = ShiftState() | (event.button.clicks >= 2 ? static_cast<unsigned>(ssDouble) : 0u);
        PointerDown(button, shift, event.button.x, event.button.y);
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (MouseButton(event.button.button, button)) PointerUp(button, ShiftState(), event.button.x, event.button.y);
      break;
    case SDL_MOUSEMOTION:
      PointerMove(ShiftState(), event.motion.x, event.motion.y);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      uint32_t vk = VirtualKey(event.key.keysym.sym);
      if (vk == 0) break;
      Key(event.type == SDL_KEYDOWN, vk, (event.key.keysym.mod & KMOD_ALT) != 0, event.key.repeat != 0);
      break;
    }
    default:
      break;
  }
}

}  // namespace Platform
