// Random -- seeding the generator, and many numbers drawn at once.
#include "paint/Random.h"

#include <algorithm>
#include <array>
#include <bit>
// (<chrono> cannot be compiled to CP932: it holds a "µs" literal.)
#include <ctime>

namespace {

// The generator's step taken k + 1 times is one step too: state * Multipliers[k] + Increments[k].
// So each state of a block follows from the block's first alone.
constexpr int kBlock = 800;
struct TJumps {
  std::array<uint32_t, kBlock> Multipliers{}, Increments{};
};
constexpr TJumps MakeJumps() {
  TJumps jumps;
  uint32_t multiplier = RandomDetail::Multiplier, increment = RandomDetail::Increment;
  for (int k = 0; k < kBlock; ++k) {
    jumps.Multipliers[k] = multiplier;
    jumps.Increments[k] = increment;
    multiplier *= RandomDetail::Multiplier;
    increment = increment * RandomDetail::Multiplier + RandomDetail::Increment;
  }
  return jumps;
}
constexpr TJumps Jumps = MakeJumps();

// For n a power of two up to 256 the value is the state's top bits (what ValueOf gives it).
// Where the processor has AVX2 it multiplies eight states at once.
#if defined(__x86_64__) && defined(__ELF__)
__attribute__((target_clones("avx2", "default")))
#endif
void FillTopBits(uint8_t* out, int count, uint32_t first, int shift) {
  for (int k = 0; k < count; ++k) {
    out[k] = static_cast<uint8_t>((first * Jumps.Multipliers[k] + Jumps.Increments[k]) >> shift);
  }
}

}  // namespace

void RandomFill(uint8_t* out, int count, int n) {
  while (count > 0) {
    const int block = std::min(count, kBlock);
    const uint32_t first = RandomDetail::State;
    if (n > 1 && n <= 256 && (n & (n - 1)) == 0) {
      FillTopBits(out, block, first, 32 - std::countr_zero(static_cast<uint32_t>(n)));
    } else {
      for (int k = 0; k < block; ++k) {
        out[k] = static_cast<uint8_t>(RandomDetail::ValueOf(first * Jumps.Multipliers[k] + Jumps.Increments[k], n));
      }
    }
    RandomDetail::State = first * Jumps.Multipliers[block - 1] + Jumps.Increments[block - 1];
    out += block;
    count -= block;
  }
}

void Randomize() {
  timespec now{};
  timespec_get(&now, TIME_UTC);
  SetRandomSeed(static_cast<uint32_t>(now.tv_sec) * 1000000007u + static_cast<uint32_t>(now.tv_nsec));
}

void SetRandomSeed(uint32_t seed) { RandomDetail::State = seed; }
