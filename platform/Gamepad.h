// Gamepad -- game controllers as input for the form. SDL's GameController opens each pad as it
// is plugged in, with SDL's own mapping database (and SDL_GAMECONTROLLERCONFIG, which Steam
// sets), and closes it when it goes; what the pad's buttons do reaches the form's PadButton listeners.
//  - Buttons come by the virtual-key codes Windows gives a gamepad's (VK_GAMEPAD_A, ...).
//  - The d-pad and the left stick are the same four directions; a direction held repeats, as
//    a keyboard's key does, by the frame loop's clock (timeGetTime), without a thread.
//  - A pad pulled out lets go of what it held (SDL releases it); one plugged in again plays on.
// The window owns the pads and hands them the display's controller events.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct _SDL_GameController;  // NOLINT(bugprone-reserved-identifier): SDL's name
struct _SDL_Joystick;        // NOLINT(bugprone-reserved-identifier): SDL's name
union SDL_Event;

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

  // Starts SDL's game controllers; the pads already plugged in then arrive as events. False,
  // with SDL's reason, when there are none to be had: the game plays on without.
  bool Open(std::string& error);
  void Close();

  // Takes a controller event (a pad added or removed, a button, an axis); false for any other.
  bool Route(const SDL_Event& event);
  // Sends the repeat of the held direction when one is due; true when it did.
  bool Repeat();
  // Milliseconds until the next repeat is due (0: now), or UINT32_MAX when nothing repeats.
  uint32_t UntilRepeat() const;

  // Where the presses, releases and repeats go.
  std::function<void(const TPadEvent& pad)> OnPad;

 private:
  struct TPad {
    _SDL_GameController* Controller = nullptr;
    int32_t Id = -1;
    uint32_t Buttons = 0;  // one bit per button held, the d-pad's included (Bit below)
    uint32_t Stick = 0;    // the directions the left stick holds, by the same bits
  };
  TPad* Find(int32_t id);
  void Add(int deviceIndex);
  void Remove(int32_t id);
  void Axis(TPad& pad, int axis, int value);
  // Tells what changed between what the pad held before and holds now.
  void Changed(const TPad& pad, uint32_t before);
  void Send(const TPadEvent& event);
  bool open_ = false;
  std::vector<TPad> pads_;
  int32_t repeatPad_ = -1;  // the pad and direction that repeat, and when next
  uint32_t repeatKey_ = 0;
  uint32_t repeatDue_ = 0;
};

// A pad of SDL's own making (its virtual joystick, mapped as a game controller) plugged into
// pads: where no pad is at hand (the replay harness, tests), its buttons are pressed and come
// back as a real pad's do, as SDL's game-controller events through pads' Route.
class TVirtualPad {
 public:
  TVirtualPad() = default;
  ~TVirtualPad() { Unplug(); }
  TVirtualPad(const TVirtualPad&) = delete;
  TVirtualPad& operator=(const TVirtualPad&) = delete;

  // Opens pads and plugs the pad in; false with SDL's reason.
  bool Plug(TGamepads& pads, std::string& error);
  void Unplug();
  bool Plugged() const { return pads_ != nullptr; }
  // Holds the button (VK_GAMEPAD_...) down or lets it go; what SDL makes of it reaches pads
  // before this returns.
  void Set(uint32_t virtualKey, bool down);

 private:
  // Lets SDL look at the pad and hands pads the game-controller events it made.
  void Deliver();
  TGamepads* pads_ = nullptr;
  int device_ = -1;
  _SDL_Joystick* joystick_ = nullptr;
};

}  // namespace Platform
