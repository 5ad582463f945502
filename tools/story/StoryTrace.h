// StoryTrace -- `farrow-story trace`: loads a scenario into the engine exactly as the game does
// and prints, one a line, what every step hands to the screen and the commands.
#pragma once
#include <string>

namespace Story {

inline constexpr int DefaultTraceSteps = 10000;

// FILE is enciphered when its first line is "Velumon", else a source (UTF-8, or CP932 when
// isCp932). Returns 1 when the load fails (after printing its result), else 0.
int Trace(const std::string& path, int steps, const std::string& key, bool isCp932);

}  // namespace Story
