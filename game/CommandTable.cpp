// CommandTable -- the scenario commands the game registers, in this order.
#include "game/CommandTable.h"

const std::array<TCommandInfo, CommandCount> CommandTable = {{
    {"#finish", 0, 0},
    {"#xxinfo", 0, 0},
    {"#xxexit", 0, 0},
    {"#xxenemy", 3, 4},
    {"#say", 1, 1},
    {"#xxepitaph", 0, 0},
    {"#xxstone", 2, 2},
    {"#xxbox", 1, 1},
    {"#sea", 1, 1},
    {"#inn", 0, 0},
    {"#phia", 0, 0},
    {"#sage", 0, 0},
    {"#poison", 1, 1},
    {"#deforce", 0, 0},
    {"#xxwonder", 0, 0},
    {"#ending", 1, 1},
    {"#xxself", 0, 0},
    {"#xxbind_alone", 0, 0},
    {"#xxbind_load", 0, 0},
    {"#xxbind_heart", 0, 0},
}};

void RegisterCommands(TQuilScript& script, TScriptCommandProc (*handlerOf)(const TCommandInfo& entry)) {
  for (const TCommandInfo& entry : CommandTable) {
    if (entry.MinParams == entry.MaxParams) {
      script.AddCommand(entry.Name, handlerOf(entry), entry.MinParams);
    } else {
      script.AddCommandRange(entry.Name, handlerOf(entry), entry.MinParams, entry.MaxParams);
    }
  }
}
