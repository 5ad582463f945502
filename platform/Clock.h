// Clock -- the millisecond clock of the frame loop (timeGetTime), replaceable by a virtual one.
// Called by paint/QuilTimer (readings) and by Application (waiting for the next message).
// Tests and the replay harness install a TVirtualClock so that time only moves when they say.
#pragma once
#include <cstdint>

namespace Platform {

// Milliseconds since an arbitrary start; wraps after 2^32 ms like the system's clock.
uint32_t timeGetTime();

// The system timer's resolution: the steady clock is always 1 ms here, so both are no-ops.
void timeBeginPeriod(uint32_t ms);
void timeEndPeriod(uint32_t ms);

// A source of time. Idle is called when the program has nothing to do for up to ms
// milliseconds and no way to be woken early (no display): a real clock sleeps, a virtual one
// simply moves on.
class TClockSource {
 public:
  virtual ~TClockSource() = default;
  virtual uint32_t Now() = 0;
  virtual void Idle(uint32_t ms) = 0;
  // True for clocks whose waiting must never block on the display's events.
  virtual bool IsVirtual() const { return false; }
};

// A clock that only moves when told to: by Advance, or by Idle when the program waits.
class TVirtualClock : public TClockSource {
 public:
  explicit TVirtualClock(uint32_t start = 0) : now_(start) {}
  uint32_t Now() override { return now_; }
  void Idle(uint32_t ms) override { now_ += ms; }
  bool IsVirtual() const override { return true; }
  void Advance(uint32_t ms) { now_ += ms; }
  void Set(uint32_t now) { now_ = now; }

 private:
  uint32_t now_;
};

// Installs the clock that timeGetTime reads; nullptr puts the real clock back.
// The caller keeps ownership and must restore the real clock before the object dies.
void SetClock(TClockSource* clock);
TClockSource& Clock();
// The system's own steady clock, which Clock answers when no test installed one.
TClockSource& SteadyClock();

}  // namespace Platform
