// Main -- the program entry of the game: its options, the data folder, then the game.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "platform/DataFiles.h"
#include "player/SaveFiles.h"

int main(int argc, char** argv) {
  TCommandLine line = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
  // The installed data (in the build tree a link to the repository's dat/), never a dat/ that
  // happens to lie in the working folder.
  const std::string data = line.DataFolder.empty() ? Platform::InstalledDataFolder() : line.DataFolder;
  std::error_code ec;
  if (line.Action == TCommandLine::TAction::Play && !line.DataFolder.empty() &&
      !std::filesystem::is_directory(line.DataFolder, ec)) {
    line.Action = TCommandLine::TAction::Wrong;
    line.Error = "--data " + line.DataFolder + ": not a folder";
  }
  switch (line.Action) {
    case TCommandLine::TAction::Help:
      std::fputs(HelpText(data).c_str(), stdout);
      return 0;
    case TCommandLine::TAction::Version:
      std::puts("farrowmere " FARROW_VERSION);
      return 0;
    case TCommandLine::TAction::Wrong:
      std::fprintf(stderr, "farrowmere: %s\n%s", line.Error.c_str(), UsageText().c_str());
      return 2;
    case TCommandLine::TAction::Play:
      break;
  }
  Platform::SetDataFolder(data);
  SetPersistence(line.Persist);
  return RunProgram();
}
