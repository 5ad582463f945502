// CommandTable -- the twenty scenario commands, each written once: name, parameter counts and
// handler, in registration order. ScriptSetup registers them with their handlers; the story tool
// checks scenarios against the names and counts alone, without linking the handlers.
#pragma once
#include <array>

#include "script/QuilScript.h"

// X(name with its "#", fewest parameters, most parameters, handler of game/UnitScript.h, the
//   most idea buttons one run drops, its parameters). A parameter written "name:number" must be
//   a decimal integer (anything else stops the game with a conversion error); "name:item" is an
//   item name the game puts in 【】 itself, so it must not carry them.
#define FARROW_SCENARIO_COMMANDS(X)                                    \
  X("#finish", 0, 0, CmdFinish, 0, "")                                 \
  X("#xxinfo", 0, 0, CmdInfo, 1, "")                                   \
  X("#xxexit", 0, 0, CmdExit, 1, "")                                   \
  X("#xxenemy", 3, 4, CmdEnemy, 1, "kind name power:number drop:item") \
  X("#say", 1, 1, CmdSay, 0, "message")                                \
  X("#xxepitaph", 0, 0, CmdEpitaph, 1, "")                             \
  X("#xxstone", 2, 2, CmdStone, 1, "person:item statue")               \
  X("#xxbox", 1, 1, CmdBox, 1, "item:item")                            \
  X("#sea", 1, 1, CmdSea, 1, "name")                                   \
  X("#inn", 0, 0, CmdInn, 0, "")                                       \
  X("#phia", 0, 0, CmdPhia, 0, "")                                     \
  X("#sage", 0, 0, CmdSage, 1, "")                                     \
  X("#poison", 1, 1, CmdPoison, 1, "damage:number")                    \
  X("#deforce", 0, 0, CmdDeforce, 1, "")                               \
  X("#xxwonder", 0, 0, CmdWonder, 1, "")                               \
  X("#ending", 1, 1, CmdEnding, 0, "message")                          \
  X("#xxself", 0, 0, CmdSelf, 1, "")                                   \
  X("#xxbind_alone", 0, 0, CmdBindAlone, 1, "")                        \
  X("#xxbind_load", 0, 0, CmdBindLoad, 1, "")                          \
  X("#xxbind_heart", 0, 0, CmdBindHeart, 1, "")

struct TCommandInfo {
  const char* Name;  // with its "#"
  int MinParams;
  int MaxParams;
  int Buttons;         // the most idea buttons one run drops
  const char* Params;  // "kind name power:number drop:item": names, and kinds after ":"
};

// Counted from the rows, so that a row added or deleted can never leave an empty command.
#define FARROW_COMMAND_NAME(name, minParams, maxParams, handler, buttons, params) name,
inline constexpr const char* CommandNames[] = {FARROW_SCENARIO_COMMANDS(FARROW_COMMAND_NAME)};
#undef FARROW_COMMAND_NAME
inline constexpr int CommandCount = static_cast<int>(std::size(CommandNames));
extern const std::array<TCommandInfo, CommandCount> CommandTable;

// Registers every command of the table on the engine, in table order, with the handler that
// handlerOf gives for its index ("#xxenemy" takes 3 to 4 parameters, every other command a
// fixed count).
void RegisterCommands(TQuilScript& script, TScriptCommandProc (*handlerOf)(int index));
