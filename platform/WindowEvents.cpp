// WindowEvents -- SDL's events turned into the form's input: keys with their virtual-key code,
// pointer positions, gamepads (Gamepad.h), the window shown, hidden and closed.
#include "platform/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <stdexcept>

#include "platform/Application.h"
#include "platform/SdlInternal.h"
#include "platform/WindowInternal.h"

namespace Platform {

namespace {

// The keys the game and the player's conveniences know, by SDL's key code; letters, digits and
// F1 .. F12 come by range below. Anything else is no key to the game.
struct TKeyName {
  SDL_Keycode Sdl;
  uint32_t VirtualKey;
};
constexpr TKeyName kKeys[] = {
    {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},     {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL}, {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_SPACE, VK_SPACE},   {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_TAB, VK_TAB},       {SDLK_BACKSPACE, VK_BACK},
    {SDLK_PAGEUP, VK_PRIOR},  {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_LEFT, VK_LEFT},     {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},   {SDLK_DOWN, VK_DOWN},
};

uint32_t VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<uint32_t>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<uint32_t>(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<uint32_t>(key - SDLK_F1);
  for (const TKeyName& k : kKeys) {
    if (k.Sdl == key) return k.VirtualKey;
  }
  return 0;
}

unsigned KeyShift(uint16_t mod) {
  unsigned shift = 0;
  if (mod & KMOD_SHIFT) shift |= ssShift;
  if (mod & KMOD_ALT) shift |= ssAlt;
  if (mod & KMOD_CTRL) shift |= ssCtrl;
  return shift;
}

unsigned ShiftState() {
  unsigned shift = KeyShift(static_cast<uint16_t>(SDL_GetModState()));
  uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  if (buttons & SDL_BUTTON_LMASK) shift |= ssLeft;
  if (buttons & SDL_BUTTON_RMASK) shift |= ssRight;
  if (buttons & SDL_BUTTON_MMASK) shift |= ssMiddle;
  return shift;
}

bool MouseButton(uint8_t sdlButton, TMouseButton& button) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      button = TMouseButton::Left;
      return true;
    case SDL_BUTTON_RIGHT:
      button = TMouseButton::Right;
      return true;
    case SDL_BUTTON_MIDDLE:
      button = TMouseButton::Middle;
      return true;
    default:
      return false;
  }
}

// The window whose display connection the wait watches, by id: an id is never given again, so a
// window destroyed since is noticed (SDL_GetWindowFromID answers NULL) and nothing stale is read.
uint32_t watchedWindow = 0;

// Sleeps until the X connection has something to read or ms have passed. False when there is no
// connection to watch (another video driver, no window yet or any more, the connection closed):
// then the caller sleeps a short look instead. Reading the descriptor sends nothing to the server.
bool SleepOnDisplay(uint32_t ms) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_Window* window = watchedWindow != 0 ? SDL_GetWindowFromID(watchedWindow) : nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return false;
  }
  Display* display = info.info.x11.display;
  // What we drew goes out first, and events Xlib has already read are in no descriptor: the
  // caller's next pump takes them.
  if (XEventsQueued(display, QueuedAfterFlush) > 0) return true;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  // A signal (SIGTERM) ends the sleep early too: SDL's handler queues a quit for the next pump.
  if (poll(&connection, 1, static_cast<int>(ms)) > 0 && (connection.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
    return false;
  }
  return true;
#else
  (void)ms;
  return false;
#endif
}

}  // namespace

// SDL's own wait (SDL_WaitEventTimeout) wakes itself on X11 by sending an event to the window
// over a second connection to the X server, which the server may carry out after the window was
// destroyed on the first: Xlib then ends the program with a BadWindow error when SDL closes the
// display. This wait sends nothing: it sleeps on the display connection's descriptor (poll), or
// looks at the queue between short sleeps where it cannot.
bool WaitForDisplayEvent(uint32_t timeoutMs) {
  // Without a connection to watch, or with a pad plugged in (its buttons are read by the pump,
  // not through the display), a look every few milliseconds: far below the frame loop's beat.
  constexpr uint32_t kLookMs = 4;
  const uint32_t start = SDL_GetTicks();
  // Each pump costs the display's and the pads' descriptors a look, so none is spent where the
  // caller's next pump comes anyway: the caller has just pumped, and what came since is in SDL's
  // queue, Xlib's or on the connection, which the sleep on the display looks at first. What
  // wakes that sleep (an event, a signal) the caller's pump then takes.
  for (;;) {
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return true;
    const uint32_t spent = SDL_GetTicks() - start;
    if (spent >= timeoutMs) return false;
    const uint32_t left = timeoutMs - spent;
    if (SDL_NumJoysticks() == 0 && SleepOnDisplay(left)) return SDL_GetTicks() - start < timeoutMs;
    SDL_Delay(std::min(left, kLookMs));
    SDL_PumpEvents();
  }
}

bool TWindow::PumpEvents() {
  watchedWindow = system_->Window != nullptr ? SDL_GetWindowID(system_->Window) : 0;
  SDL_Event event;
  bool any = false;
  while (SDL_PollEvent(&event) != 0) {
    any = true;
    try {
      system_->Route(*this, event);
    } catch (const std::exception& e) {
      Application.HandleException(e);
    }
  }
  try {
    if (pads_.Repeat()) any = true;
  } catch (const std::exception& e) {
    Application.HandleException(e);
  }
  return any;
}

void TWindow::TSystem::Route(TWindow& w, const SDL_Event& event) {
  if (RoutePadEvent(w.pads_, event)) return;
  TMouseButton button;
  switch (event.type) {
    case SDL_QUIT:
      w.form_.Close();
      break;
    case SDL_WINDOWEVENT:
      // An error box's window says it was hidden as it went: that is not the game's.
      if (event.window.windowID != SDL_GetWindowID(Window)) break;
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) w.form_.Close();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        w.exposed_ = true;
      }
      if (event.window.event == SDL_WINDOWEVENT_MINIMIZED || event.window.event == SDL_WINDOWEVENT_HIDDEN) {
        Application.WindowHidden.Notify(true);
      }
      if (event.window.event == SDL_WINDOWEVENT_RESTORED || event.window.event == SDL_WINDOWEVENT_SHOWN) {
        Application.WindowHidden.Notify(false);
      }
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) Application.FocusLost.Notify();
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (MouseButton(event.button.button, button)) {
        unsigned shift = ShiftState() | (event.button.clicks >= 2 ? static_cast<unsigned>(ssDouble) : 0u);
        w.PointerDown(button, shift, event.button.x, event.button.y);
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (MouseButton(event.button.button, button)) w.PointerUp(button, ShiftState(), event.button.x, event.button.y);
      break;
    case SDL_MOUSEMOTION:
      w.PointerMove(ShiftState(), event.motion.x, event.motion.y);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      uint32_t vk = VirtualKey(event.key.keysym.sym);
      if (vk == 0) break;
      w.Key(event.type == SDL_KEYDOWN, vk, KeyShift(event.key.keysym.mod), event.key.repeat != 0);
      break;
    }
    case SDL_MOUSEWHEEL: {
      int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      int windowX = 0, windowY = 0;
      SDL_GetMouseState(&windowX, &windowY);
      if (notches != 0) w.Wheel(notches, ShiftState(), windowX, windowY);
      break;
    }
    default:
      break;
  }
}

}  // namespace Platform
