// Gamepad -- SDL's game controllers turned into pad button presses for the form.
#include "platform/Gamepad.h"

#include <SDL.h>

#include <algorithm>

#include "platform/Clock.h"

namespace Platform {

namespace {

// The buttons the game can use, by SDL's name for them; the rest (guide, stick clicks,
// paddles) are no button to the game.
struct TPadName {
  SDL_GameControllerButton Sdl;
  uint32_t VirtualKey;
};
constexpr TPadName kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, VK_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, VK_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, VK_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, VK_GAMEPAD_Y},
    {SDL_CONTROLLER_BUTTON_BACK, VK_GAMEPAD_VIEW},
    {SDL_CONTROLLER_BUTTON_START, VK_GAMEPAD_MENU},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, VK_GAMEPAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, VK_GAMEPAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_GAMEPAD_DPAD_RIGHT},
};

uint32_t VirtualKey(uint8_t sdlButton) {
  for (const TPadName& b : kButtons) {
    if (b.Sdl == sdlButton) return b.VirtualKey;
  }
  return 0;
}

// A button's bit in what a pad holds.
uint32_t Bit(uint32_t virtualKey) { return 1u << (virtualKey - VK_GAMEPAD_A); }

bool IsDirection(uint32_t virtualKey) {
  return virtualKey >= VK_GAMEPAD_DPAD_UP && virtualKey <= VK_GAMEPAD_DPAD_RIGHT;
}

// The stick holds a direction from half way out and lets it go only near the middle, so that
// a stick resting at the threshold does not chatter.
constexpr int kStickPress = 16384;
constexpr int kStickRelease = 8192;

// What one axis of the stick holds now of its two directions (negative: left or up).
uint32_t StickHolds(uint32_t held, int value, uint32_t negative, uint32_t positive) {
  if (value <= -kStickPress) return negative;
  if (value >= kStickPress) return positive;
  if (value > -kStickRelease && value < kStickRelease) return 0;
  return held & (value < 0 ? negative : positive);
}

}  // namespace

bool TGamepads::Open(std::string& error) {
  if (open_) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    error = SDL_GetError();
    return false;
  }
  open_ = true;
  return true;
}

void TGamepads::Close() {
  for (TPad& pad : pads_) SDL_GameControllerClose(pad.Controller);
  pads_.clear();
  repeatKey_ = 0;
  if (open_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  open_ = false;
}

TGamepads::TPad* TGamepads::Find(int32_t id) {
  for (TPad& pad : pads_) {
    if (pad.Id == id) return &pad;
  }
  return nullptr;
}

bool TGamepads::Route(const SDL_Event& event) {
  TPad* pad = nullptr;
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Add(event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Remove(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      pad = Find(event.cbutton.which);
      if (uint32_t vk = VirtualKey(event.cbutton.button); pad != nullptr && vk != 0) {
        uint32_t before = pad->Buttons | pad->Stick;
        pad->Buttons = event.type == SDL_CONTROLLERBUTTONDOWN ? pad->Buttons | Bit(vk) : pad->Buttons & ~Bit(vk);
        Changed(*pad, before);
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      pad = Find(event.caxis.which);
      if (pad != nullptr) Axis(*pad, event.caxis.axis, event.caxis.value);
      return true;
    default:
      return false;
  }
}

void TGamepads::Add(int deviceIndex) {
  // SDL also reports the pads that were there when the subsystem started, and may report one twice.
  if (Find(SDL_JoystickGetDeviceInstanceID(deviceIndex)) != nullptr) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  pads_.push_back(TPad{controller, SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller))});
}

void TGamepads::Remove(int32_t id) {
  // SDL has let go of what the pad held (its releases came first); should a version not, no
  // direction of a pad that is gone goes on repeating.
  if (repeatPad_ == id) repeatKey_ = 0;
  TPad* pad = Find(id);
  if (pad == nullptr) return;
  SDL_GameControllerClose(pad->Controller);
  pads_.erase(pads_.begin() + (pad - pads_.data()));
}

void TGamepads::Axis(TPad& pad, int axis, int value) {
  uint32_t before = pad.Buttons | pad.Stick;
  uint32_t negative = 0, positive = 0;
  if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
    negative = Bit(VK_GAMEPAD_DPAD_LEFT);
    positive = Bit(VK_GAMEPAD_DPAD_RIGHT);
  } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
    negative = Bit(VK_GAMEPAD_DPAD_UP);
    positive = Bit(VK_GAMEPAD_DPAD_DOWN);
  } else {
    return;
  }
  pad.Stick = (pad.Stick & ~(negative | positive)) | StickHolds(pad.Stick, value, negative, positive);
  Changed(pad, before);
}

void TGamepads::Changed(const TPad& pad, uint32_t before) {
  uint32_t now = pad.Buttons | pad.Stick;
  for (const TPadName& b : kButtons) {
    uint32_t bit = Bit(b.VirtualKey);
    if ((before & bit) == (now & bit)) continue;
    bool down = (now & bit) != 0;
    if (down && IsDirection(b.VirtualKey)) {
      // The direction pressed last repeats, as the key pressed last does on a keyboard.
      repeatPad_ = pad.Id;
      repeatKey_ = b.VirtualKey;
      repeatDue_ = timeGetTime() + RepeatDelayMs;
    } else if (!down && repeatPad_ == pad.Id && repeatKey_ == b.VirtualKey) {
      repeatKey_ = 0;
    }
    Send(TPadEvent{b.VirtualKey, down, false});
  }
}

uint32_t TGamepads::UntilRepeat() const {
  if (repeatKey_ == 0) return UINT32_MAX;
  int32_t left = static_cast<int32_t>(repeatDue_ - timeGetTime());
  return left > 0 ? static_cast<uint32_t>(left) : 0;
}

bool TGamepads::Repeat() {
  if (repeatKey_ == 0 || UntilRepeat() > 0) return false;
  // After a stall (a long frame, a dragged window) the repeats go on from now rather than
  // catching up in a burst.
  uint32_t now = timeGetTime();
  repeatDue_ += RepeatIntervalMs;
  if (static_cast<int32_t>(repeatDue_ - now) <= 0) repeatDue_ = now + RepeatIntervalMs;
  Send(TPadEvent{repeatKey_, true, true});
  return true;
}

void TGamepads::Send(const TPadEvent& event) {
  if (OnPad) OnPad(event);
}

bool TVirtualPad::Plug(TGamepads& pads, std::string& error) {
  Unplug();
  if (!pads.Open(error)) return false;
  device_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0);
  if (device_ >= 0) joystick_ = SDL_JoystickOpen(device_);
  if (joystick_ == nullptr) {
    error = SDL_GetError();
    if (device_ >= 0) SDL_JoystickDetachVirtual(device_);
    device_ = -1;
    return false;
  }
  pads_ = &pads;
  Deliver();  // the pad is added as a real one is
  return true;
}

void TVirtualPad::Unplug() {
  if (joystick_ != nullptr) {
    SDL_JoystickClose(joystick_);
    SDL_JoystickDetachVirtual(device_);
    Deliver();  // the pad removed, as a real one pulled out
  }
  joystick_ = nullptr;
  device_ = -1;
  pads_ = nullptr;
}

void TVirtualPad::Set(uint32_t virtualKey, bool down) {
  if (joystick_ == nullptr) return;
  for (const TPadName& b : kButtons) {
    if (b.VirtualKey == virtualKey) SDL_JoystickSetVirtualButton(joystick_, b.Sdl, down ? SDL_PRESSED : SDL_RELEASED);
  }
  Deliver();
}

void TVirtualPad::Deliver() {
  if (pads_ == nullptr) return;
  SDL_GameControllerUpdate();  // the joystick's state becomes events, and SDL's controller events
  SDL_PumpEvents();
  SDL_Event events[16];
  for (int n;
       (n = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED)) > 0;) {
    for (int i = 0; i < n; ++i) pads_->Route(events[i]);
  }
  // The joystick's own events, which the controller's were made of, are not the game's.
  SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYBATTERYUPDATED);
}

}  // namespace Platform
