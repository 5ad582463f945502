// FarrowTune -- dat/farrow.mid, the misty D minor tune that loops on the title and in the broken world.
#pragma once
#include <cstdint>
#include <vector>

namespace FarrowTune {
// The whole file; its last event falls exactly on the loop point.
std::vector<uint8_t> Build();
// The tune's length in seconds (24 bars of 4/4 at 72 beats a minute: 80 s).
double LengthSeconds();
}  // namespace FarrowTune
