// Random -- the program's one pseudo-random generator, for presentation and particles only;
// the game rules never draw from it, so a game plays the same whatever the seed.
// A 32-bit linear congruential generator whose high bits pick the value. It is inline because
// the effects draw numbers for many of their pixels.
#pragma once
#include <cstdint>

namespace RandomDetail {
inline uint32_t State = 0;
inline constexpr uint32_t Multiplier = 1664525u, Increment = 1013904223u;
// The value 0 .. n - 1 a state gives; 0 when n is 0 or less.
inline int ValueOf(uint32_t state, int n) {
  if (n <= 0) return 0;
  // The low bits of an LCG repeat with short periods; scaling by the whole state uses the high ones.
  return static_cast<int>((static_cast<uint64_t>(state) * static_cast<uint32_t>(n)) >> 32);
}
}  // namespace RandomDetail

// An integer 0 .. n - 1; 0 when n is 0 or less.
inline int Random(int n) {
  RandomDetail::State = RandomDetail::State * RandomDetail::Multiplier + RandomDetail::Increment;
  return RandomDetail::ValueOf(RandomDetail::State, n);
}
// The numbers count calls of Random(n) give, in their order, into out; n at most 256. The
// title frame draws 800 a row: here they do not wait on each other.
void RandomFill(uint8_t* out, int count, int n);
// Seeds from the clock; called once at start-up.
void Randomize();
// Seeds with a fixed value, so tests and the replay harness see the same sequence every run.
void SetRandomSeed(uint32_t seed);
