// CommandTable -- the twenty scenario commands, each written once: name, parameter counts and
// handler, in registration order. ScriptSetup registers them with their handlers; the story tool
// checks scenarios against the names and counts alone, without linking the handlers.
#pragma once
#include <array>

#include "script/QuilScript.h"

// X(name with its "#", fewest parameters, most parameters, handler of game/UnitScript.h).
#define FARROW_SCENARIO_COMMANDS(X)      \
  X("#finish", 0, 0, CmdFinish)          \
  X("#xxinfo", 0, 0, CmdInfo)            \
  X("#xxexit", 0, 0, CmdExit)            \
  X("#xxenemy", 3, 4, CmdEnemy)          \
  X("#say", 1, 1, CmdSay)                \
  X("#xxepitaph", 0, 0, CmdEpitaph)      \
  X("#xxstone", 2, 2, CmdStone)          \
  X("#xxbox", 1, 1, CmdBox)              \
  X("#sea", 1, 1, CmdSea)                \
  X("#inn", 0, 0, CmdInn)                \
  X("#phia", 0, 0, CmdPhia)              \
  X("#sage", 0, 0, CmdSage)              \
  X("#poison", 1, 1, CmdPoison)          \
  X("#deforce", 0, 0, CmdDeforce)        \
  X("#xxwonder", 0, 0, CmdWonder)        \
  X("#ending", 1, 1, CmdEnding)          \
  X("#xxself", 0, 0, CmdSelf)            \
  X("#xxbind_alone", 0, 0, CmdBindAlone) \
  X("#xxbind_load", 0, 0, CmdBindLoad)   \
  X("#xxbind_heart", 0, 0, CmdBindHeart)

struct TCommandInfo {
  const char* Name;  // with its "#"
  int MinParams;
  int MaxParams;
};

// Counted from the rows, so that a row added or deleted can never leave an empty command.
#define FARROW_COMMAND_NAME(name, minParams, maxParams, handler) name,
inline constexpr const char* CommandNames[] = {FARROW_SCENARIO_COMMANDS(FARROW_COMMAND_NAME)};
#undef FARROW_COMMAND_NAME
inline constexpr int CommandCount = static_cast<int>(std::size(CommandNames));
extern const std::array<TCommandInfo, CommandCount> CommandTable;

// Registers every command of the table on the engine, in table order, with the handler that
// handlerOf gives for its index ("#xxenemy" takes 3 to 4 parameters, every other command a
// fixed count).
void RegisterCommands(TQuilScript& script, TScriptCommandProc (*handlerOf)(int index));
