// WebClock -- the page's steady clock (performance.now), and a sleep that lets the browser run.
#include <emscripten.h>

#include "platform/Clock.h"

namespace Platform {

namespace {

class TPageClock : public TClockSource {
 public:
  uint32_t Now() override { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }
  void Idle(uint32_t ms) override { emscripten_sleep(ms); }
};

}  // namespace

TClockSource& SteadyClock() {
  static TPageClock clock;
  return clock;
}

}  // namespace Platform
