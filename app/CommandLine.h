// CommandLine -- the game program's options: --data DIR, --no-persist, --help, --version.
// Called by the program entry before anything else starts.
#pragma once
#include <string>
#include <vector>

struct TCommandLine {
  enum class TAction { Play, Help, Version, Wrong };
  TAction Action = TAction::Play;
  std::string DataFolder;  // --data DIR; empty: the installed data
  bool Persist = true;     // --no-persist: no saves or settings read or written
  std::string Error;       // for Wrong: one line saying what is wrong
};

// The options after the program's name.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The first lines of --help, also printed after a wrong option.
std::string UsageText();
// The whole of --help: the usage, the options, the keys and the data folder it would use.
std::string HelpText(const std::string& dataFolder);
