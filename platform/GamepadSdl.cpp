// GamepadSdl -- SDL's game controllers reported to the pads, and SDL's virtual pad.
#include <SDL.h>

#include "platform/Gamepad.h"
#include "platform/SdlInternal.h"

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

void Add(TGamepads& pads, int deviceIndex) {
  // SDL also reports the pads that were there when the subsystem started, and may report one twice.
  if (pads.Has(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  pads.Added(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller)), controller);
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
  for (TPad& pad : pads_) CloseDevice(pad.Device);
  pads_.clear();
  repeatKey_ = 0;
  if (open_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  open_ = false;
}

void TGamepads::CloseDevice(void* device) { SDL_GameControllerClose(static_cast<SDL_GameController*>(device)); }

bool RoutePadEvent(TGamepads& pads, const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Add(pads, event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      pads.Removed(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (uint32_t vk = VirtualKey(event.cbutton.button); vk != 0) {
        pads.Button(event.cbutton.which, vk, event.type == SDL_CONTROLLERBUTTONDOWN);
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        pads.Stick(event.caxis.which, event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY, event.caxis.value);
      }
      return true;
    default:
      return false;
  }
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
    SDL_JoystickClose(static_cast<SDL_Joystick*>(joystick_));
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
    if (b.VirtualKey == virtualKey)
      SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(joystick_), b.Sdl, down ? SDL_PRESSED : SDL_RELEASED);
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
    for (int i = 0; i < n; ++i) RoutePadEvent(*pads_, events[i]);
  }
  // The joystick's own events, which the controller's were made of, are not the game's.
  SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYBATTERYUPDATED);
}

}  // namespace Platform
