// Rng -- the generators' own fixed-seed random numbers, identical on every machine.
#pragma once
#include <cstdint>

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}

  // splitmix64: small, fast and fully specified by its integer arithmetic.
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // An integer 0 ... n - 1 (n > 0).
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  // An integer lo ... hi.
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  // A double in [0, 1) built from 53 bits, exact on every IEEE machine.
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  // A double in [-1, 1).
  double Signed() { return Unit() * 2.0 - 1.0; }

 private:
  uint64_t state_;
};
