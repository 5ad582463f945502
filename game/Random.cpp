// Random -- a 32-bit linear congruential generator; its high bits pick the value.
#include "game/Random.h"

// (<chrono> cannot be compiled to CP932: it holds a "µs" literal.)
#include <ctime>

namespace {
uint32_t State = 0;
}

int Random(int n) {
  State = State * 1664525u + 1013904223u;
  if (n <= 0) return 0;
  // The low bits of an LCG repeat with short periods; scaling by the whole state uses the high ones.
  return static_cast<int>((static_cast<uint64_t>(State) * static_cast<uint32_t>(n)) >> 32);
}

void Randomize() {
  timespec now{};
  timespec_get(&now, TIME_UTC);
  SetRandomSeed(static_cast<uint32_t>(now.tv_sec) * 1000000007u + static_cast<uint32_t>(now.tv_nsec));
}

void SetRandomSeed(uint32_t seed) { State = seed; }
