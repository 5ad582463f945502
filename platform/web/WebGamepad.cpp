// WebGamepad -- the Gamepad API's pads of the standard mapping reported to the pads, looked at
// each time the window takes the page's events; the harness's pad is one the Gamepad API answers
// with, made in the page.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <string>

#include "platform/Gamepad.h"
#include "platform/web/WebInternal.h"

// clang-format off
// The harness's pad: the Gamepad API answers with one pad of the standard mapping, whose
// buttons the harness holds and lets go, as a pad in a person's hands.
EM_JS(void, farrow_fake_pad_plug, (int plugged), {
  const buttons = [];
  for (let i = 0; i < 17; ++i) buttons.push({pressed: false, touched: false, value: 0});
  const pad = {id: 'Farrowmere harness pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
               timestamp: performance.now(), axes: [0, 0, 0, 0], buttons: buttons};
  Object.defineProperty(navigator, 'getGamepads', {configurable: true, writable: true,
                                                    value: () => plugged ? [pad] : []});
  window.farrowHarnessPad = pad;
});
EM_JS(void, farrow_fake_pad_set, (int index, int down), {
  const pad = window.farrowHarnessPad;
  if (!pad) return;
  pad.buttons[index] = {pressed: down != 0, touched: down != 0, value: down ? 1 : 0};
  pad.timestamp = performance.now();
});
// clang-format on

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
uint32_t harnessPadsConnected = 0;  // the harness's view of the Gamepad API, as the window's

// Looks at the Gamepad API and tells pads what changed since connected was taken.
void PollPageGamepads(TGamepads& pads, uint32_t& connected);

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

void TWindow::TSystem::PollPads(TGamepads& pads) { PollPageGamepads(pads, PadsConnected); }

namespace {

void PollPageGamepads(TGamepads& pads, uint32_t& connected) {
  if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
  const uint32_t before = connected;
  connected = 0;
  const int count = std::min(emscripten_get_num_gamepads(), kMaxPads);
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
    if ((before & ~connected & (1u << i)) == 0) continue;
    for (const TPadName& b : kButtons) pads.Button(i, b.VirtualKey, false);
    pads.Stick(i, false, 0);
    pads.Stick(i, true, 0);
    pads.Removed(i);
  }
}

}  // namespace

bool TVirtualPad::Plug(TGamepads& pads, std::string& error) {
  Unplug();
  if (!pads.Open(error)) return false;
  pads_ = &pads;
  device_ = 0;
  farrow_fake_pad_plug(1);
  Deliver();
  return true;
}

void TVirtualPad::Unplug() {
  if (pads_ == nullptr) return;
  farrow_fake_pad_plug(0);
  Deliver();
  pads_ = nullptr;
  device_ = -1;
}

void TVirtualPad::Set(uint32_t virtualKey, bool down) {
  if (pads_ == nullptr) return;
  for (const TPadName& b : kButtons) {
    if (b.VirtualKey == virtualKey) farrow_fake_pad_set(b.Index, down ? 1 : 0);
  }
  Deliver();
}

void TVirtualPad::Deliver() { PollPageGamepads(*pads_, harnessPadsConnected); }

}  // namespace Platform
