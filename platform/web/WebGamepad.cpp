// WebGamepad -- the Gamepad API's pads of the standard mapping reported to the pads, looked at
// each time the window takes the page's events, and the harness's pad of our own making.
#include <emscripten/html5.h>

#include <string>

#include "platform/Gamepad.h"
#include "platform/web/WebInternal.h"

namespace Platform {

namespace {

// The standard mapping's buttons the game can use, by their index there; the rest (triggers,
// stick clicks, the home button) are no button to the game.
struct TPadName {
  int Index;
  uint32_t VirtualKey;
};
constexpr TPadName kButtons[] = {
    {0, VK_GAMEPAD_A},
    {1, VK_GAMEPAD_B},
    {2, VK_GAMEPAD_X},
    {3, VK_GAMEPAD_Y},
    {4, VK_GAMEPAD_LEFT_SHOULDER},
    {5, VK_GAMEPAD_RIGHT_SHOULDER},
    {8, VK_GAMEPAD_VIEW},
    {9, VK_GAMEPAD_MENU},
    {12, VK_GAMEPAD_DPAD_UP},
    {13, VK_GAMEPAD_DPAD_DOWN},
    {14, VK_GAMEPAD_DPAD_LEFT},
    {15, VK_GAMEPAD_DPAD_RIGHT},
};

constexpr int kMaxPads = 32;
// The harness's pad, by an id no index of the Gamepad API takes.
constexpr int32_t kVirtualPad = 1000;

bool padsSampled = false;  // the Gamepad API answered at least once

}  // namespace

bool TGamepads::Open(std::string& error) {
  (void)error;
  open_ = true;
  return true;
}

void TGamepads::Close() {
  pads_.clear();
  repeatKey_ = 0;
  open_ = false;
}

void TGamepads::CloseDevice(void* device) { (void)device; }

void TWindow::TSystem::PollPads(TGamepads& pads) {
  if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
  padsSampled = true;
  const int count = std::min(emscripten_get_num_gamepads(), kMaxPads);
  uint32_t connected = 0;
  for (int i = 0; i < count; ++i) {
    EmscriptenGamepadEvent state;
    if (emscripten_get_gamepad_status(i, &state) != EMSCRIPTEN_RESULT_SUCCESS || state.connected == 0) continue;
    // Only the standard mapping says which button is which.
    if (std::string(state.mapping) != "standard") continue;
    connected |= 1u << i;
    if (!pads.Has(i)) pads.Added(i, nullptr);
    for (const TPadName& b : kButtons) {
      if (b.Index < state.numButtons) pads.Button(i, b.VirtualKey, state.digitalButton[b.Index] != 0);
    }
    if (state.numAxes >= 2) {
      pads.Stick(i, false, static_cast<int>(state.axis[0] * 32767));
      pads.Stick(i, true, static_cast<int>(state.axis[1] * 32767));
    }
  }
  // A pad pulled out lets go of what it held.
  for (int i = 0; i < kMaxPads; ++i) {
    if ((PadsConnected & ~connected & (1u << i)) == 0) continue;
    for (const TPadName& b : kButtons) pads.Button(i, b.VirtualKey, false);
    pads.Stick(i, false, 0);
    pads.Stick(i, true, 0);
    pads.Removed(i);
  }
  PadsConnected = connected;
}

bool TVirtualPad::Plug(TGamepads& pads, std::string& error) {
  Unplug();
  if (!pads.Open(error)) return false;
  pads_ = &pads;
  device_ = kVirtualPad;
  pads.Added(kVirtualPad, nullptr);
  return true;
}

void TVirtualPad::Unplug() {
  if (pads_ != nullptr) pads_->Removed(device_);
  pads_ = nullptr;
  device_ = -1;
}

void TVirtualPad::Set(uint32_t virtualKey, bool down) {
  if (pads_ != nullptr) pads_->Button(device_, virtualKey, down);
}

void TVirtualPad::Deliver() {}

}  // namespace Platform
