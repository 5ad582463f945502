// Harness -- the real game run in-process without a person: the units and the main form as the
// program starts them, a virtual clock, a fixed random seed, input through the platform's input
// router (in a page as the page's own events, which its listeners hand on: platform/HarnessInput.h),
// and frames drawn by the real frame loop. Used by the end-to-end tests and by tools that
// replay a game.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/UnitForm.h"
#include "platform/Clock.h"
#include "platform/Gamepad.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

class TGameHarness {
 public:
  // Starts the units and creates the main form, which reads the working folder's dat/.
  // Throws what the start-up throws (a missing or broken picture), with everything undone.
  // The game plays as for a player who started it before, unless newPlayer: then a start
  // without a settings file tells where the key list is, as the game does a newcomer.
  explicit TGameHarness(uint32_t seed, bool newPlayer = false);
  // Drives the program's own form before its message loop runs (--warp-replay): the units are
  // the program's, the virtual clock starts at the real one's time, sounds play and are recorded.
  // The destructor hands the form back with the real clock and the frame loop posted again.
  explicit TGameHarness(TFormMain& programForm);
  ~TGameHarness();
  TGameHarness(const TGameHarness&) = delete;
  TGameHarness& operator=(const TGameHarness&) = delete;

  TFormMain& Form() { return *main_; }
  Platform::TInputRouter& Input() { return *router_; }

  // Moves the pointer to (x, y) of the play area (the form's client area: the play area fills
  // it) and presses and releases a mouse button there.
  // An error escaping a handler goes to Application.HandleException, as in the running game.
  void Press(int x, int y, Platform::TMouseButton button = Platform::TMouseButton::Left);
  // What became of a click on an idea button.
  enum class TIdeaClick {
    Clicked,
    NotShown,       // no visible idea button has this caption
    AbovePlayArea,  // the first one has not yet fallen into the play area
    BelowPlayArea,  // it has fallen out at the bottom (hidden on the next frame)
    GreyedOut,      // it is disabled: a press on it would do nothing
    Covered,        // another control lies over its visible part
  };
  // Presses with the left button at the centre of the part inside the play area of the first
  // visible idea button (lowest index) with this caption. Only a Clicked outcome pressed.
  TIdeaClick ClickIdeaButton(const std::string& caption);
  // Where that press lands: the centre of the button's part inside the play area. NotShown
  // leaves x and y alone.
  TIdeaClick IdeaButtonPoint(const std::string& caption, int& x, int& y);
  // Presses and releases a key (a Windows virtual-key code, with ssShift, ssCtrl or ssAlt held)
  // through the window's rule (TInputRouter::KeyEvent): the form's key preview, the focused
  // control, then the form. Alt, F10 and keys with Alt come as system keys. As a keyboard sends
  // a chord: each modifier's own key goes down first (Ctrl, Alt, Shift), then the key goes down
  // and up, then the modifiers come up in the reverse order.
  void PressKey(uint32_t virtualKey, unsigned shift = 0);
  // Holds a key down while count frames run, then lets it go (Ctrl held to skip).
  void HoldKey(uint32_t virtualKey, unsigned shift, int frames);
  // Presses and releases a pad's button (VK_GAMEPAD_...) on a pad of SDL's making (in a page, one
  // the Gamepad API answers with), plugged in at the first press: SDL's game controller (the
  // Gamepad API) turns it into events, and the platform's gamepad code hands them to the form's
  // PadButton listeners with the router, as the window does a real pad's. False with why when
  // SDL has no such pad to give.
  bool PressPadButton(uint32_t virtualKey, std::string& error);
  // Turns the mouse wheel by notches (positive: up) with the pointer over the play area.
  void TurnWheel(int notches);
  // Minimizes and restores the window, as the desktop would tell the game.
  void Minimize();
  void Restore();
  // Closes the window as the player would.
  void CloseWindow();

  // Lets the frame loop run until count more frames have been drawn; the virtual clock moves
  // on to each frame's time. Nothing runs once the program has been told to end.
  void RunFrames(int count);
  // The program has been told to end ("#finish", "★退出", closing the window).
  bool Ended() const;

  uint64_t FramesDrawn() const;
  uint32_t Now() { return clock_.Now(); }
  // Captions of the visible idea buttons, in table order.
  std::vector<std::string> IdeaButtonCaptions() const;
  // The play area as the last frame left it (the canvas without the buttons).
  const Platform::TBitmap& PlayArea() const { return form_->PaintMain.Shown(); }
  // The client area as the player sees it: the play area with the idea buttons over it.
  void Screenshot(Platform::TBitmap& out);
  // The colour of one pixel of a bitmap.
  static Platform::TColor PixelAt(const Platform::TBitmap& bitmap, int x, int y);
  // Every sound and tune file played since start, in order.
  const std::vector<std::string>& SoundsPlayed() const { return sounds_; }

 private:
  // A virtual clock that stops the frame loop, instead of moving on, once enough frames are in.
  class TFrameClock : public Platform::TVirtualClock {
   public:
    explicit TFrameClock(TGameHarness& owner) : owner_(owner) {}
    void Idle(uint32_t ms) override;

   private:
    TGameHarness& owner_;
  };
  static void RecordSound(const std::string& fileName);

  TFrameClock clock_{*this};
  std::unique_ptr<TFormMain> form_;
  TFormMain* main_ = nullptr;  // form_, or the program's form, which is not ours to free
  bool adopted_ = false;
  std::unique_ptr<Platform::TInputRouter> router_;
  bool loopStarted_ = false;
  uint64_t frameTarget_ = 0;
  uint32_t deadline_ = 0;
  bool stopping_ = false;
  std::vector<std::string> sounds_;
  Platform::TGamepads pads_;  // before pad_, which goes first
  Platform::TVirtualPad pad_;
};
