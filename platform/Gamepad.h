// Gamepad -- game controllers as input for the form. The system opens each pad as it is plugged
// in (on the desktop SDL's GameController, with SDL's own mapping database and
// SDL_GAMECONTROLLERCONFIG, which Steam sets; in a page the browser's Gamepad API) and closes it
// when it goes; what the pad's buttons do reaches the form's PadButton listeners.
//  - Buttons come by the virtual-key codes Windows gives a gamepad's (VK_GAMEPAD_A, ...).
//  - The d-pad and the left stick are the same four directions; a direction held repeats, as
//    a keyboard's key does, by the frame loop's clock (timeGetTime), without a thread.
//  - A pad pulled out lets go of what it held; one plugged in again plays on.
// The window owns the pads and hands them what the system reports of them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Platform {

// A gamepad's buttons, with their Windows numbers (the triggers, 0xC9 and 0xCA, are not used).
constexpr uint32_t VK_GAMEPAD_A = 0xC3;
constexpr uint32_t VK_GAMEPAD_B = 0xC4;
constexpr uint32_t VK_GAMEPAD_X = 0xC5;
constexpr uint32_t VK_GAMEPAD_Y = 0xC6;
constexpr uint32_t VK_GAMEPAD_RIGHT_SHOULDER = 0xC7;
constexpr uint32_t VK_GAMEPAD_LEFT_SHOULDER = 0xC8;
constexpr uint32_t VK_GAMEPAD_DPAD_UP = 0xCB;  // the d-pad or the left stick, alike
constexpr uint32_t VK_GAMEPAD_DPAD_DOWN = 0xCC;
constexpr uint32_t VK_GAMEPAD_DPAD_LEFT = 0xCD;
constexpr uint32_t VK_GAMEPAD_DPAD_RIGHT = 0xCE;
constexpr uint32_t VK_GAMEPAD_MENU = 0xCF;  // Start
constexpr uint32_t VK_GAMEPAD_VIEW = 0xD0;  // Back (Select)

// A pad's button pressed, released, or repeated while a direction is held.
struct TPadEvent {
  uint32_t VirtualKey = 0;  // VK_GAMEPAD_...
  bool Down = false;
  bool Repeat = false;
};

class TGamepads {
 public:
  // A held direction repeats after this long, then at this interval.
  static constexpr uint32_t RepeatDelayMs = 400;
  static constexpr uint32_t RepeatIntervalMs = 150;

  TGamepads() = default;
  ~TGamepads() { Close(); }
  TGamepads(const TGamepads&) = delete;
  TGamepads& operator=(const TGamepads&) = delete;

  // Starts the system's game controllers; the pads already plugged in then arrive as added.
  // False, with the system's reason, when there are none to be had: the game plays on without.
  bool Open(std::string& error);
  void Close();

  // What the system reports of its pads, each by an id no other pad has while it is plugged in.
  bool Has(int32_t id) const;
  // A pad plugged in; device is the system's handle of it, closed when the pad goes.
  void Added(int32_t id, void* device);
  void Removed(int32_t id);
  // A button (VK_GAMEPAD_...) of the pad went down or up.
  void Button(int32_t id, uint32_t virtualKey, bool down);
  // The left stick along one axis: -32768 (left, up) .. 32767 (right, down).
  void Stick(int32_t id, bool vertical, int value);
  // Sends the repeat of the held direction when one is due; true when it did.
  bool Repeat();
  // Milliseconds until the next repeat is due (0: now), or UINT32_MAX when nothing repeats.
  uint32_t UntilRepeat() const;

  // Where the presses, releases and repeats go.
  std::function<void(const TPadEvent& pad)> OnPad;

 private:
  struct TPad {
    void* Device = nullptr;
    int32_t Id = -1;
    uint32_t Buttons = 0;  // one bit per button held, the d-pad's included (Bit below)
    uint32_t Stick = 0;    // the directions the left stick holds, by the same bits
  };
  TPad* Find(int32_t id);
  static void CloseDevice(void* device);
  // Tells what changed between what the pad held before and holds now.
  void Changed(const TPad& pad, uint32_t before);
  void Send(const TPadEvent& event);
  bool open_ = false;
  std::vector<TPad> pads_;
  int32_t repeatPad_ = -1;  // the pad and direction that repeat, and when next
  uint32_t repeatKey_ = 0;
  uint32_t repeatDue_ = 0;
};

// A pad of the system's own making plugged into pads (on the desktop SDL's virtual joystick,
// mapped as a game controller): where no pad is at hand (the replay harness, tests), its
// buttons are pressed and come back as a real pad's do, through the system's events.
class TVirtualPad {
 public:
  TVirtualPad() = default;
  ~TVirtualPad() { Unplug(); }
  TVirtualPad(const TVirtualPad&) = delete;
  TVirtualPad& operator=(const TVirtualPad&) = delete;

  // Opens pads and plugs the pad in; false with the system's reason.
  bool Plug(TGamepads& pads, std::string& error);
  void Unplug();
  bool Plugged() const { return pads_ != nullptr; }
  // Holds the button (VK_GAMEPAD_...) down or lets it go; what the system makes of it reaches
  // pads before this returns.
  void Set(uint32_t virtualKey, bool down);

 private:
  // Lets the system look at the pad and hands pads the events it made.
  void Deliver();
  TGamepads* pads_ = nullptr;
  int device_ = -1;
  [[maybe_unused]] void* joystick_ = nullptr;  // the system's handle of the pad (a page needs none)
};

}  // namespace Platform
