// CommandTable -- the twenty scenario commands: names and parameter counts, in registration
// order. ScriptSetup registers these; the story tool checks scenarios against the same table.
#pragma once
#include <array>

#include "script/QuilScript.h"

struct TCommandInfo {
  const char* Name;  // with its "#"
  int MinParams;
  int MaxParams;
};

inline constexpr int CommandCount = 20;
extern const std::array<TCommandInfo, CommandCount> CommandTable;

// Registers every command of the table on the engine, in table order, with the handler that
// handlerOf gives for it ("#xxenemy" takes 3 to 4 parameters, every other command a fixed count).
void RegisterCommands(TQuilScript& script, TScriptCommandProc (*handlerOf)(const TCommandInfo& entry));
