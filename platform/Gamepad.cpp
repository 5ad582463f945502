// Gamepad -- what each pad holds, turned into pad button presses for the form, and the repeat
// of a held direction. The system's side (GamepadSdl.cpp, web/) reports the pads.
#include "platform/Gamepad.h"

#include <algorithm>
#include <iterator>

#include "platform/Clock.h"

namespace Platform {

namespace {

// The buttons the game can use, in the order their changes are told.
constexpr uint32_t kButtons[] = {
    VK_GAMEPAD_A,
    VK_GAMEPAD_B,
    VK_GAMEPAD_X,
    VK_GAMEPAD_Y,
    VK_GAMEPAD_VIEW,
    VK_GAMEPAD_MENU,
    VK_GAMEPAD_LEFT_SHOULDER,
    VK_GAMEPAD_RIGHT_SHOULDER,
    VK_GAMEPAD_DPAD_UP,
    VK_GAMEPAD_DPAD_DOWN,
    VK_GAMEPAD_DPAD_LEFT,
    VK_GAMEPAD_DPAD_RIGHT,
};

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

TGamepads::TPad* TGamepads::Find(int32_t id) {
  for (TPad& pad : pads_) {
    if (pad.Id == id) return &pad;
  }
  return nullptr;
}

bool TGamepads::Has(int32_t id) const {
  return std::any_of(pads_.begin(), pads_.end(), [id](const TPad& pad) { return pad.Id == id; });
}

void TGamepads::Added(int32_t id, void* device) { pads_.push_back(TPad{device, id}); }

void TGamepads::Removed(int32_t id) {
  // The system has let go of what the pad held (its releases came first); should one not, no
  // direction of a pad that is gone goes on repeating.
  if (repeatPad_ == id) repeatKey_ = 0;
  TPad* pad = Find(id);
  if (pad == nullptr) return;
  CloseDevice(pad->Device);
  pads_.erase(pads_.begin() + (pad - pads_.data()));
}

void TGamepads::Button(int32_t id, uint32_t virtualKey, bool down) {
  TPad* pad = Find(id);
  if (pad == nullptr || std::find(std::begin(kButtons), std::end(kButtons), virtualKey) == std::end(kButtons)) return;
  uint32_t before = pad->Buttons | pad->Stick;
  pad->Buttons = down ? pad->Buttons | Bit(virtualKey) : pad->Buttons & ~Bit(virtualKey);
  Changed(*pad, before);
}

void TGamepads::Stick(int32_t id, bool vertical, int value) {
  TPad* pad = Find(id);
  if (pad == nullptr) return;
  uint32_t before = pad->Buttons | pad->Stick;
  uint32_t negative = Bit(vertical ? VK_GAMEPAD_DPAD_UP : VK_GAMEPAD_DPAD_LEFT);
  uint32_t positive = Bit(vertical ? VK_GAMEPAD_DPAD_DOWN : VK_GAMEPAD_DPAD_RIGHT);
  pad->Stick = (pad->Stick & ~(negative | positive)) | StickHolds(pad->Stick, value, negative, positive);
  Changed(*pad, before);
}

void TGamepads::Changed(const TPad& pad, uint32_t before) {
  uint32_t now = pad.Buttons | pad.Stick;
  for (uint32_t key : kButtons) {
    uint32_t bit = Bit(key);
    if ((before & bit) == (now & bit)) continue;
    bool down = (now & bit) != 0;
    if (down && IsDirection(key)) {
      // The direction pressed last repeats, as the key pressed last does on a keyboard.
      repeatPad_ = pad.Id;
      repeatKey_ = key;
      repeatDue_ = timeGetTime() + RepeatDelayMs;
    } else if (!down && repeatPad_ == pad.Id && repeatKey_ == key) {
      repeatKey_ = 0;
    }
    Send(TPadEvent{key, down, false});
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

}  // namespace Platform
