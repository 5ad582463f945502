// CommandTable -- the twenty scenario commands: names and parameter counts, in registration
// order. ScriptSetup registers these; the story tool checks scenarios against the same table.
#pragma once
#include <array>

struct TCommandSpec {
  const char* Name;  // with its "#"
  int MinParams;
  int MaxParams;
};

inline constexpr int CommandCount = 20;
extern const std::array<TCommandSpec, CommandCount> CommandTable;
