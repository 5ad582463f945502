// Random -- the program's one pseudo-random generator, for presentation and particles only;
// the game rules never draw from it, so a game plays the same whatever the seed.
// A 32-bit linear congruential generator whose high bits pick the value. It is inline because
// the title frame draws two numbers for every one of its 160,000 pixels.
#pragma once
#include <cstdint>

namespace RandomDetail {
inline uint32_t State = 0;
}

// An integer 0 .. n - 1; 0 when n is 0 or less.
inline int Random(int n) {
  RandomDetail::State = RandomDetail::State * 1664525u + 1013904223u;
  if (n <= 0) return 0;
  // The low bits of an LCG repeat with short periods; scaling by the whole state uses the high ones.
  return static_cast<int>((static_cast<uint64_t>(RandomDetail::State) * static_cast<uint32_t>(n)) >> 32);
}
// Seeds from the clock; called once at start-up.
void Randomize();
// Seeds with a fixed value, so tests and the replay harness see the same sequence every run.
void SetRandomSeed(uint32_t seed);
