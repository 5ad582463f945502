// StoryCheck -- `farrow-story check` and the check the game runs on an author's --story: finds
// what would make the game refuse, stop or misshow a scenario, reading it the way the game's
// loader and run loop do.
#pragma once
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "author/StorySource.h"

namespace Story {

struct TDiagnostic {
  int Line;    // 1-based
  int Column;  // 1-based, in characters
  bool IsError;
  std::string Text;  // UTF-8
};

// The most idea buttons that fall at once; a sixth spawn between two presses is dropped.
inline constexpr int FallingButtons = 5;

// Every error and warning of the source, by line and column; each finding once.
std::vector<TDiagnostic> CheckScenario(const TSource& source);

// Prints "FILE:LINE:COL: error: …" / "FILE:LINE:COL: warning: …" lines; true if any is an error.
bool PrintDiagnostics(const std::string& path, const std::vector<TDiagnostic>& found, std::ostream& out);

// Reads and checks the file, printing the findings to out; returns 1 if any error, else 0.
int Check(const std::string& path, bool isCp932);

// How many lines the enciphered file of these plain lines has (header included). The game
// reads at most 10,000, so a scenario of long lines can be too big even under 9,999 lines.
size_t EncipheredLineCount(std::span<const std::string> lines);

}  // namespace Story
