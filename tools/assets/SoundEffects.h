// SoundEffects -- the twelve WAV sound effects of dat/, one recipe each.
#pragma once
#include <string>
#include <vector>

#include "tools/assets/Synth.h"

namespace SoundEffects {
struct Effect {
  std::string name;  // file name in dat/, e.g. "dun2.wav"
  Synth::Signal samples;
};
// All twelve, finished (loudness matched, ends faded), in a fixed order.
std::vector<Effect> MakeAll();
}  // namespace SoundEffects
