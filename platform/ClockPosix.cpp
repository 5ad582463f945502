// ClockPosix -- the steady system clock, by POSIX calls.
#include <ctime>

#include "platform/Clock.h"

namespace Platform {

namespace {

class TSteadyClock : public TClockSource {
 public:
  // POSIX calls rather than <chrono>: its micro sign has no CP932 form, and every file here is
  // compiled to CP932.
  uint32_t Now() override {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<uint32_t>(static_cast<uint64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000);
  }
  void Idle(uint32_t ms) override {
    timespec t{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
    while (nanosleep(&t, &t) != 0) {
    }
  }
};

}  // namespace

TClockSource& SteadyClock() {
  static TSteadyClock clock;
  return clock;
}

}  // namespace Platform
