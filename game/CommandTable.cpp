// CommandTable -- the scenario commands' names and counts, in registration order.
#include "game/CommandTable.h"

const std::array<TCommandInfo, CommandCount> CommandTable = {{
#define FARROW_COMMAND_INFO(name, minParams, maxParams, handler, buttons, params) \
  {name, minParams, maxParams, buttons, params},
    FARROW_SCENARIO_COMMANDS(FARROW_COMMAND_INFO)
#undef FARROW_COMMAND_INFO
}};

void RegisterCommands(TQuilScript& script, TScriptCommandProc (*handlerOf)(int index)) {
  for (int i = 0; i < CommandCount; ++i) {
    const TCommandInfo& entry = CommandTable[i];
    if (entry.MinParams == entry.MaxParams) {
      script.AddCommand(entry.Name, handlerOf(i), entry.MinParams);
    } else {
      script.AddCommandRange(entry.Name, handlerOf(i), entry.MinParams, entry.MaxParams);
    }
  }
}
