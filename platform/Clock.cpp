// Clock -- the system's steady clock (ClockPosix.cpp, or a page's), or whatever clock a test
// installed.
#include "platform/Clock.h"

namespace Platform {

namespace {

TClockSource* current = nullptr;  // a test's clock; none: the system's

}  // namespace

uint32_t timeGetTime() { return Clock().Now(); }
void timeBeginPeriod(uint32_t) {}
void timeEndPeriod(uint32_t) {}

void SetClock(TClockSource* clock) { current = clock; }
TClockSource& Clock() { return current != nullptr ? *current : SteadyClock(); }

}  // namespace Platform
