// CommandLine -- the game program's options: --data DIR, an author's --story FILE, --warp LABEL
// and --warp-replay SCRIPT, --no-persist, --help, --version.
// Called by the program entry before anything else starts.
#pragma once
#include <string>
#include <vector>

struct TCommandLine {
  enum class TAction { Play, Help, Version, Wrong };
  TAction Action = TAction::Play;
  std::string DataFolder;  // --data DIR; empty: the installed data
  std::string Story;       // --story FILE: a plain scenario source instead of the enciphered story
  std::string Warp;        // --warp LABEL: start the story there
  std::string WarpReplay;  // --warp-replay SCRIPT: play it unseen, then hand the game over
  bool Persist = true;     // --no-persist: no saves or settings read or written
  std::string Error;       // for Wrong: one line saying what is wrong
};

// The options after the program's name.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The first lines of --help, also printed after a wrong option.
std::string UsageText();
// The whole of --help: the usage, the options, the keys and the data folder it would use.
std::string HelpText(const std::string& dataFolder);
