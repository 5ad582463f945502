// CommandLine -- options of the game program and its help text.
#include "app/CommandLine.h"

#include <algorithm>

#include "player/Player.h"

namespace {

struct TLine {
  const char* Name;
  const char* Meaning;
};

const TLine Options[] = {
    {"--data DIR",
     "read the story, pictures, sounds and tune from DIR (DIR/a.bmp,\n"
     "DIR/story.crp.txt, ...) instead of the installed data"},
    {"--no-persist",
     "read and write no saves and no settings (saves then last until\n"
     "the game ends)"},
    {"--help", "print this help and exit"},
    {"--version", "print the version and exit"},
};

// "  NAME        MEANING", continuation lines indented under the meaning.
template <size_t N>
std::string Table(const TLine (&lines)[N]) {
  constexpr size_t column = 18;
  std::string text;
  for (const TLine& line : lines) {
    std::string name = std::string("  ") + line.Name;
    name.resize(std::max(column, name.size() + 2), ' ');
    std::string meaning = line.Meaning;
    for (size_t at = meaning.find('\n'); at != std::string::npos; at = meaning.find('\n', at + 1)) {
      meaning.insert(at + 1, column, ' ');
    }
    text += name + meaning + "\n";
  }
  return text;
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine line;
  auto wrong = [&](const std::string& error) {
    line.Action = TCommandLine::TAction::Wrong;
    line.Error = error;
    return line;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.Action = TCommandLine::TAction::Help;
    } else if (arg == "--version") {
      if (line.Action != TCommandLine::TAction::Help) line.Action = TCommandLine::TAction::Version;
    } else if (arg == "--no-persist") {
      line.Persist = false;
    } else if (arg == "--data" || arg.rfind("--data=", 0) == 0) {
      std::string folder = arg == "--data" ? (i + 1 < args.size() ? args[++i] : "") : arg.substr(7);
      if (folder.empty()) return wrong("--data needs a folder");
      line.DataFolder = folder;
    } else {
      return wrong("unknown option '" + arg + "'");
    }
  }
  return line;
}

std::string UsageText() {
  return "Usage: farrowmere [--data DIR] [--no-persist]\n       farrowmere --help | --version\n";
}

std::string HelpText(const std::string& dataFolder) {
  return UsageText() + "\nA small Japanese adventure game played with the mouse.\n\nOptions:\n" + Table(Options) +
         "\nThe mouse plays the whole game. Keys:\n" + KeyListText() + "\nData folder: " + dataFolder + "\n";
}
