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
    {"--story FILE",
     "play the plain scenario source FILE (UTF-8, as farrow-story\n"
     "checks it) instead of the enciphered story; saving FILE or\n"
     "Shift+R reloads it where the game stands"},
    {"--warp LABEL", "start the story at LABEL instead of @start"},
    {"--warp-replay SCRIPT",
     "play the replay SCRIPT unseen and at full speed, then hand\n"
     "the game over in the state it reached"},
    {"--no-persist",
     "read and write no saves and no settings (saves then last until\n"
     "the game ends)"},
    {"--help", "print this help and exit"},
    {"--version", "print the version and exit"},
};

// "  NAME        MEANING", continuation lines indented under the meaning.
template <size_t N>
std::string Table(const TLine (&lines)[N]) {
  constexpr size_t column = 24;
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

// The field an option with a value fills ("--data DIR" or "--data=DIR"), or nullptr.
std::string* ValueOf(TCommandLine& line, const std::string& arg) {
  const std::pair<const char*, std::string TCommandLine::*> options[] = {
      {"--data", &TCommandLine::DataFolder},
      {"--story", &TCommandLine::Story},
      {"--warp", &TCommandLine::Warp},
      {"--warp-replay", &TCommandLine::WarpReplay},
  };
  const std::string name = arg.substr(0, arg.find('='));
  for (const auto& [option, field] : options) {
    if (name == option) return &(line.*field);
  }
  return nullptr;
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
    } else if (std::string* value = ValueOf(line, arg)) {
      std::string name = arg.substr(0, arg.find('='));
      *value = name == arg ? (i + 1 < args.size() ? args[++i] : "") : arg.substr(name.size() + 1);
      if (value->empty()) return wrong(name + " needs " + (name == "--data" ? "a folder" : "a value"));
    } else {
      return wrong("unknown option '" + arg + "'");
    }
  }
  return line;
}

std::string UsageText() {
  return "Usage: farrowmere [--data DIR] [--story FILE] [--warp LABEL] [--warp-replay SCRIPT]\n"
         "                  [--no-persist]\n"
         "       farrowmere --help | --version\n";
}

std::string HelpText(const std::string& dataFolder) {
  return UsageText() + "\nA small Japanese adventure game played with the mouse.\n\nOptions:\n" + Table(Options) +
         "\nThe mouse plays the whole game. Keys:\n" + KeyListText() + "\nData folder: " + dataFolder + "\n";
}
