// Harness -- driving the real game without a person.
#include "app/Harness.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <utility>

#include "app/Program.h"
#include "app/UnitCommon.h"
#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "platform/Gamepad.h"
#include "platform/HarnessInput.h"
#include "platform/Sound.h"
#include "platform/WindowPaint.h"
#include "player/Notice.h"

using namespace Platform;

namespace {

TGameHarness* current = nullptr;  // the harness whose sounds are recorded

// Virtual time a frame may take at most before RunFrames gives up waiting for it (a frame that
// throws never arrives).
constexpr uint32_t kFramePeriodMs = FramePeriodMs + 1;  // a frame comes when more than the period has passed
constexpr uint32_t kSlackMs = 1000;

}  // namespace

void TGameHarness::TFrameClock::Idle(uint32_t ms) {
  // Called by the frame loop when it would wait: the pass that drew the last frame is over.
  if (owner_.stopping_ || owner_.FramesDrawn() >= owner_.frameTarget_ ||
      static_cast<int32_t>(Now() - owner_.deadline_) >= 0) {
    owner_.stopping_ = true;
    Application.Terminate();
    return;
  }
  TVirtualClock::Idle(ms);
}

void TGameHarness::RecordSound(const std::string& fileName) {
  if (current != nullptr) current->sounds_.push_back(fileName);
}

TGameHarness::TGameHarness(uint32_t seed, bool newPlayer) : clock_(*this) {
  WelcomeNewPlayers(newPlayer);
  SetClock(&clock_);
  Application.ResetTerminated();
  current = this;
  SoundHook = RecordSound;
  FixedRandomSeed = seed;
  StartUnits();
  try {
    form_ = std::make_unique<TFormMain>();
  } catch (...) {
    StopUnits();
    Application.ProcessMessages();  // drops the call message of the form that never was
    FixedRandomSeed.reset();
    SoundHook = nullptr;
    current = nullptr;
    SetClock(nullptr);
    WelcomeNewPlayers(true);
    throw;
  }
  main_ = form_.get();
  router_ = std::make_unique<TInputRouter>(*main_);
}

TGameHarness::TGameHarness(TFormMain& programForm) : clock_(*this), main_(&programForm), adopted_(true) {
  clock_.Set(timeGetTime());
  SetClock(&clock_);
  current = this;
  SoundHook = RecordSound;
  router_ = std::make_unique<TInputRouter>(*main_);
}

TGameHarness::~TGameHarness() {
  pads_.OnPad = nullptr;
  pad_.Unplug();
  pads_.Close();
  router_.reset();
  if (adopted_) {
    SoundHook = nullptr;
    current = nullptr;
    SetClock(nullptr);
    // The frame loop ran inside the call message the form posted at set-up; the program's
    // message loop enters it again from a new one.
    if (loopStarted_ && !Application.Terminated()) TQuilTimer::Start(*main_);
    return;
  }
  form_.reset();
  Application.ProcessMessages();  // a call message still queued goes with the form
  StopUnits();
  CloseSound();
  FixedRandomSeed.reset();
  SoundHook = nullptr;
  current = nullptr;
  Application.ResetTerminated();
  SetClock(nullptr);
  WelcomeNewPlayers(true);
}

void TGameHarness::Press(int x, int y, TMouseButton button) {
  try {
    SendPointer(*router_, TPointerAction::Move, button, 0, x, y);
    SendPointer(*router_, TPointerAction::Down, button, 0, x, y);
    SendPointer(*router_, TPointerAction::Up, button, 0, x, y);
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
}

TGameHarness::TIdeaClick TGameHarness::IdeaButtonPoint(const std::string& caption, int& x, int& y) {
  for (const TIdeaButtonShown& shown : IdeaButtonsShown(main_->PaintMain)) {
    if (shown.Button->Caption != caption) continue;
    if (!shown.InPlayArea) return shown.AbovePlayArea ? TIdeaClick::AbovePlayArea : TIdeaClick::BelowPlayArea;
    x = shown.MiddleX;
    y = shown.MiddleY;
    if (!shown.Button->Enabled) return TIdeaClick::GreyedOut;
    if (router_->ControlAt(x, y) != shown.Button) return TIdeaClick::Covered;
    return TIdeaClick::Clicked;
  }
  return TIdeaClick::NotShown;
}

TGameHarness::TIdeaClick TGameHarness::ClickIdeaButton(const std::string& caption) {
  int x = 0, y = 0;
  TIdeaClick outcome = IdeaButtonPoint(caption, x, y);
  if (outcome == TIdeaClick::Clicked) Press(x, y);
  return outcome;
}

void TGameHarness::PressKey(uint32_t virtualKey, unsigned shift) {
  // A modifier's own key comes with the modifiers held so far, its own included, as SDL reports it.
  constexpr std::pair<unsigned, uint32_t> kModifiers[] = {{ssCtrl, VK_CONTROL}, {ssAlt, VK_MENU}, {ssShift, VK_SHIFT}};
  try {
    unsigned held = 0;
    for (auto [bit, key] : kModifiers) {
      if ((shift & bit) == 0 || key == virtualKey) continue;
      held |= bit;
      SendKey(*router_, true, key, held);
    }
    SendKey(*router_, true, virtualKey, shift);
    SendKey(*router_, false, virtualKey, shift);
    for (auto it = std::rbegin(kModifiers); it != std::rend(kModifiers); ++it) {
      if ((held & it->first) == 0) continue;
      held &= ~it->first;
      SendKey(*router_, false, it->second, held);
    }
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
}

void TGameHarness::HoldKey(uint32_t virtualKey, unsigned shift, int frames) {
  try {
    SendKey(*router_, true, virtualKey, shift);
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
  RunFrames(frames);
  try {
    SendKey(*router_, false, virtualKey, shift);
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
}

bool TGameHarness::PressPadButton(uint32_t virtualKey, std::string& error) {
  if (!pad_.Plugged()) {
    pads_.OnPad = [this](const TPadEvent& pad) { main_->PadButton.Notify(*router_, pad); };
    if (!pad_.Plug(pads_, error)) return false;
  }
  try {
    pad_.Set(virtualKey, true);
    pad_.Set(virtualKey, false);
  } catch (const std::exception& e) {
    Application.HandleException(e);
  }
  return true;
}

void TGameHarness::TurnWheel(int notches) {
  try {
    SendWheel(*router_, notches, 0, main_->PaintMain.Width / 2, main_->PaintMain.Height / 2);
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
}

void TGameHarness::Minimize() { Application.WindowHidden.Notify(true); }

void TGameHarness::Restore() { Application.WindowHidden.Notify(false); }

void TGameHarness::CloseWindow() { main_->Close(); }

bool TGameHarness::Ended() const { return Application.Terminated(); }

uint64_t TGameHarness::FramesDrawn() const { return main_->PaintMain.Version; }

void TGameHarness::RunFrames(int count) {
  if (count <= 0 || Ended()) return;
  frameTarget_ = FramesDrawn() + static_cast<uint64_t>(count);
  deadline_ = Now() + static_cast<uint32_t>(count) * kFramePeriodMs + kSlackMs;
  stopping_ = false;
  if (!loopStarted_) {
    // As in the program: the message loop dispatches the form's call message, which enters the
    // frame loop. An error escaping a frame is handled there.
    loopStarted_ = true;
    Application.ProcessMessages();
  } else {
    try {
      TQuilTimer::RunLoop();
    } catch (const std::exception& error) {
      Application.HandleException(error);
    }
  }
  // Only the harness's own stop is taken back; a real end of the program stays.
  if (stopping_) Application.ResetTerminated();
  stopping_ = false;
}

std::vector<std::string> TGameHarness::IdeaButtonCaptions() const {
  std::vector<std::string> captions;
  for (const TIdeaButtonShown& shown : IdeaButtonsShown(form_->PaintMain)) captions.push_back(shown.Button->Caption);
  return captions;
}

void TGameHarness::Screenshot(TBitmap& out) { PaintForm(*main_, out); }

TColor TGameHarness::PixelAt(const TBitmap& bitmap, int x, int y) {
  const uint8_t* p = bitmap.ScanLine(y) + 3 * x;
  return RGB(p[2], p[1], p[0]);
}
