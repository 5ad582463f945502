// Random -- seeding the generator.
#include "paint/Random.h"

// (<chrono> cannot be compiled to CP932: it holds a "µs" literal.)
#include <ctime>

void Randomize() {
  timespec now{};
  timespec_get(&now, TIME_UTC);
  SetRandomSeed(static_cast<uint32_t>(now.tv_sec) * 1000000007u + static_cast<uint32_t>(now.tv_nsec));
}

void SetRandomSeed(uint32_t seed) { RandomDetail::State = seed; }
