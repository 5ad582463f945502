// AflCoverage -- edge coverage for AFL++ from GCC's -fsanitize-coverage=trace-pc: each basic
// block's address, hashed, marks the edge from the block before it in AFL++'s map. Debian's
// afl-gcc-fast plugin refuses this GCC (built against an older package release), and clang
// cannot build our CP932 sources, so the map is fed here; AFL++'s runtime does the rest.
#include <cstdint>

extern "C" {
extern uint8_t* __afl_area_ptr;  // AFL++'s shared map (or its private stand-in before the fork server)
extern uint32_t __afl_map_size;
}

namespace {
thread_local uint32_t previousBlock = 0;
}

extern "C" __attribute__((no_sanitize_coverage, no_sanitize("address", "undefined"))) void __sanitizer_cov_trace_pc() {
  auto pc = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
  auto block = static_cast<uint32_t>((pc * 0x9E3779B97F4A7C15ull) >> 40);
  uint32_t edge = (block ^ previousBlock) % __afl_map_size;
  ++__afl_area_ptr[edge];
  previousBlock = block >> 1;
}
