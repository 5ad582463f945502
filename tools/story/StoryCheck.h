// StoryCheck -- `farrow-story check`: finds what would make the game refuse, stop or misshow a
// scenario, reading it the way the game's loader and run loop do.
#pragma once
#include <string>
#include <vector>

#include "tools/story/StorySource.h"

namespace Story {

struct TDiagnostic {
  int Line;  // 1-based
  bool IsError;
  std::string Text;  // UTF-8
};

// The play area shows 46 CP932 bytes of a story line (x = 50, a 15-pixel font, 400 pixels).
inline constexpr int PlayAreaBytes = 46;

// Every error and warning of the source, by line.
std::vector<TDiagnostic> CheckScenario(const TSource& source);

// Prints "FILE:LINE: error: …" / "FILE:LINE: warning: …"; returns 1 if any error, else 0.
int Check(const std::string& path, bool isCp932);

}  // namespace Story
