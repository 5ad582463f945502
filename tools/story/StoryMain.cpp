// StoryMain -- farrow-story's command line: picks the subcommand, reads its options, prints help.
// Exit status: 0 done, 1 failed (a bad scenario or file), 2 wrong invocation.
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "author/StoryCheck.h"
#include "author/StorySource.h"
#include "platform/DataFiles.h"
#include "platform/TextCodec.h"
#include "tools/story/StoryCodec.h"
#include "tools/story/StoryCoverage.h"
#include "tools/story/StoryGraph.h"
#include "tools/story/StoryTrace.h"

namespace {

constexpr int UsageError = 2;

const char* const ToolUsage =
    "Usage: farrow-story COMMAND [ARGUMENTS] [OPTIONS]\n"
    "\n"
    "Prepares Farrowmere scenarios: the game loads the enciphered dat/story.crp.txt, or a\n"
    "source with farrowmere --story SOURCE.\n"
    "\n"
    "Commands:\n"
    "  encode SOURCE OUT [--key TEXT] [--cp932]   encipher a scenario source into OUT\n"
    "  decode [FILE] [--key TEXT] [--data DIR]    print the plain lines of an enciphered file\n"
    "  check SOURCE [--cp932]                     report errors and warnings in a source\n"
    "  trace [FILE] [--steps N] [--key TEXT] [--cp932] [--data DIR]\n"
    "                                             run a scenario as the game does, step by step\n"
    "  graph SOURCE [--svg OUT]                   the passages and their jumps as Graphviz DOT\n"
    "  coverage SOURCE REPLAY... [--data DIR]     the story lines the replay scripts never show\n"
    "\n"
    "The game's data (its story.crp.txt, pictures and sounds) is the installed data, found\n"
    "from the tool's own place as the game finds it, or --data DIR.\n"
    "farrow-story COMMAND --help explains a command.\n"
    "Exit status: 0 done, 1 failed, 2 wrong invocation.\n";

// Help texts are UTF-8 for the terminal (plain literals would be CP932).
struct TCommandHelp {
  const char* Name;
  const char* Usage;
  const char8_t* Text;
};

std::ostream& operator<<(std::ostream& out, const char8_t* text) { return out << reinterpret_cast<const char*>(text); }

const TCommandHelp Commands[] = {
    {"encode", "Usage: farrow-story encode SOURCE OUT [--key TEXT] [--cp932]\n",
     u8"\n"
     "Enciphers the scenario SOURCE (UTF-8; CP932 with --cp932) into OUT, the file the game\n"
     "loads (dat/story.crp.txt). Lines are stored in CP932 with CR LF line ends; the same\n"
     "source and key always give the same file.\n"
     "\n"
     "  --key TEXT   key text (default \"fable.txt\", the one the game uses)\n"
     "  --cp932      SOURCE is already CP932 (Shift-JIS)\n"
     "\n"
     "A character that CP932 cannot hold is an error naming its line and column. OUT is written\n"
     "through a temporary file and checked by reading it back; on any error OUT is left as it\n"
     "was. Exit status: 0 written, 1 not written, 2 wrong invocation.\n"},
    {"decode", "Usage: farrow-story decode [FILE] [--key TEXT] [--data DIR]\n",
     u8"\n"
     "Deciphers the enciphered scenario FILE (default: the game's story.crp.txt) and prints its\n"
     "lines as UTF-8, one a line.\n"
     "\n"
     "  --key TEXT   key text (default \"fable.txt\")\n"
     "  --data DIR   the game's data folder (default: the installed data)\n"
     "\n"
     "When the game could not read FILE, prints the reader's result (for example\n"
     "【エラー】不正なデータ) on standard error. Exit status: 0 read, 1 not readable,\n"
     "2 wrong invocation.\n"},
    {"check", "Usage: farrow-story check SOURCE [--cp932]\n",
     u8"\n"
     "Checks the scenario SOURCE (UTF-8; CP932 with --cp932) the way the game loads and runs it,\n"
     "printing FILE:LINE:COL: error: ... and FILE:LINE:COL: warning: ... lines.\n"
     "\n"
     "Errors: a label defined twice, no \"@start\", \"#goto\" without a target or to a missing\n"
     "label, a command with too few or too many parameters, a power of \"#xxenemy\" or a damage\n"
     "of \"#poison\" that is not a decimal integer, a character CP932 cannot hold, more than\n"
     "9,999 lines (or more text than the enciphered file can carry).\n"
     "Warnings: a \"#\" word that names no command (shown as story text), a story line wider\n"
     "than the text column in the game's font (350 pixels), an item name written in 【】,\n"
     "more idea buttons in one step than the five that fall, a label no jump reaches and the\n"
     "lines no run from \"@start\" reaches, \"//\" cutting a line inside its text.\n"
     "\n"
     "Exit status: 0 no errors (warnings allowed), 1 errors, 2 wrong invocation.\n"},
    {"trace", "Usage: farrow-story trace [FILE] [--steps N] [--key TEXT] [--cp932] [--data DIR]\n",
     u8"\n"
     "Loads FILE (default: the game's story.crp.txt) into the script engine as the game does (an enciphered file when "
     "its first\n"
     "line is \"Velumon\", else a source: UTF-8, or CP932 with --cp932), with pages of four\n"
     "lines and the game's twenty commands, whose handlers here only record their words.\n"
     "Jumps to \"@start\" and steps until the scenario ends or N steps have run, printing:\n"
     "  load RESULT, jump RESULT, then for each step: step N, page, command WORDS, line TEXT,\n"
     "  result RESULT; finally ended, or stopped after N steps.\n"
     "A carriage return is shown as \\r, a line feed as \\n.\n"
     "\n"
     "  --steps N    most steps to run (default 10000)\n"
     "  --key TEXT   key text of an enciphered FILE (default \"fable.txt\")\n"
     "  --cp932      a source FILE is CP932 (Shift-JIS)\n"
     "  --data DIR   the game's data folder (default: the installed data)\n"
     "\n"
     "Exit status: 0 traced, 1 the load failed, 2 wrong invocation.\n"},
    {"graph", "Usage: farrow-story graph SOURCE [--svg OUT]\n",
     u8"\n"
     "Prints the passage graph of the scenario SOURCE (UTF-8) as Graphviz DOT: a box for each\n"
     "label, an arrow for each \"#goto\", for the jump of \"#xxwonder\" to \"@REAL\" and of the\n"
     "\"#xxbind_...\" idea buttons to \"@HEART\", and a dashed one where a passage runs on into\n"
     "the next label. \"(top)\" stands for the lines before the first label.\n"
     "\n"
     "  --svg OUT   render the graph to the SVG file OUT with Graphviz's dot\n"
     "\n"
     "Exit status: 0 done, 1 unreadable source or dot missing or failing, 2 wrong invocation.\n"},
    {"coverage", "Usage: farrow-story coverage SOURCE REPLAY... [--data DIR]\n",
     u8"\n"
     "Plays each replay script (see farrow-replay) on the game, with the pictures and sounds of\n"
     "its installed data (or of --data DIR) and SOURCE as its story, as farrow-replay --story\n"
     "SOURCE would, and prints SOURCE:LINE: not shown: TEXT for every story line none of them showed, then\n"
     "the share shown: shown N of M story lines (P%) in K replays.\n"
     "\n"
     "A step that cannot be done ends its script (named on standard error); what it showed\n"
     "counts.\n"
     "\n"
     "  --data DIR   the game's data folder (default: the installed data)\n"
     "\n"
     "Exit status: 0 done, 1 the source fails the check, a script or the data cannot be read,\n"
     "2 wrong invocation.\n"},
};

// What one subcommand was given.
struct TArguments {
  std::vector<std::string> Positional;
  std::optional<std::string> Key;
  std::optional<std::string> Steps;
  std::optional<std::string> Svg;
  std::optional<std::string> Data;
  bool Cp932 = false;
  bool Help = false;
};

int Usage(const std::string& problem, const char* usage) {
  std::cerr << "farrow-story: " << problem << "\n" << usage;
  if (usage != ToolUsage) std::cerr << "See 'farrow-story --help'.\n";
  return UsageError;
}

// Reads the arguments after the command name; false with the problem when one is not allowed.
bool ParseArguments(const std::vector<std::string>& args, const std::string& allowed, TArguments& out,
                    std::string& problem) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      out.Positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      out.Help = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> value;
    if (size_t eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    if (allowed.find(" " + name + " ") == std::string::npos) {
      problem = "unknown option " + name;
      return false;
    }
    if (name == "--cp932") {
      if (value) {
        problem = "--cp932 takes no value";
        return false;
      }
      out.Cp932 = true;
      continue;
    }
    if (!value) {
      if (i + 1 >= args.size()) {
        problem = name + " needs a value";
        return false;
      }
      value = args[++i];
    }
    if (name == "--key") {
      out.Key = *value;
    } else if (name == "--svg") {
      out.Svg = *value;
    } else if (name == "--data") {
      out.Data = *value;
    } else {
      out.Steps = *value;
    }
  }
  return true;
}

// A step count: decimal digits only.
bool ParseSteps(const std::string& text, int& steps) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  steps = std::stoi(text);
  return true;
}

// The data folder the game would read (--data DIR, else the installed data beside the tool, as
// the game finds its own); false with one line on standard error when it is not a folder.
bool UseDataFolder(const std::optional<std::string>& chosen, std::string& folder) {
  folder = chosen.value_or(Platform::InstalledDataFolder());
  std::error_code ec;
  if (!folder.empty() && std::filesystem::is_directory(folder, ec)) {
    Platform::SetDataFolder(folder);
    return true;
  }
  std::cerr << "farrow-story: no game data in " << (folder.empty() ? "(unknown)" : folder)
            << (chosen ? "" : " (the installed data; give --data DIR)") << "\n";
  return false;
}

int Run(const std::vector<std::string>& args);

}  // namespace

// What a run throws (a picture or sound the game cannot read, ...) is one line, in UTF-8.
int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::string message = Platform::Cp932ToUtf8(e.what());
    for (char& c : message) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    std::cerr << "farrow-story: " << message << "\n";
    return 1;
  }
}

namespace {

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no command given", ToolUsage);
  if (args[0] == "--help" || args[0] == "-h") {
    std::cout << ToolUsage;
    return 0;
  }
  const TCommandHelp* command = nullptr;
  for (const TCommandHelp& c : Commands) {
    if (args[0] == c.Name) command = &c;
  }
  if (command == nullptr) return Usage("unknown command '" + args[0] + "'", ToolUsage);

  const std::string name = command->Name;
  const std::string allowed = name == "encode"   ? " --key --cp932 "
                              : name == "decode" ? " --key --data "
                              : name == "check"  ? " --cp932 "
                              : name == "graph"  ? " --svg "
                              : name == "trace"  ? " --key --cp932 --steps --data "
                                                 : " --data ";
  TArguments a;
  std::string problem;
  if (!ParseArguments(std::vector<std::string>(args.begin() + 1, args.end()), allowed, a, problem)) {
    return Usage(problem, command->Usage);
  }
  if (a.Help) {
    std::cout << command->Usage << command->Text;
    return 0;
  }
  // decode and trace read the game's own story when no file is named.
  const bool fileOptional = name == "decode" || name == "trace";
  const size_t wanted = name == "encode" || name == "coverage" ? 2 : 1;
  if (name == "coverage" ? a.Positional.size() < wanted
      : fileOptional     ? a.Positional.size() > wanted
                         : a.Positional.size() != wanted) {
    return Usage(a.Positional.size() < wanted ? "missing arguments" : "too many arguments", command->Usage);
  }

  std::string key = Story::DefaultKey;
  if (a.Key && !Story::KeyToCp932(*a.Key, key)) return Usage("the key text cannot be written in CP932", command->Usage);

  if (name == "coverage" || (fileOptional && (a.Data || a.Positional.empty()))) {
    std::string folder;
    if (!UseDataFolder(a.Data, folder)) return 1;
    if (a.Positional.empty()) a.Positional.push_back((std::filesystem::path(folder) / "story.crp.txt").string());
  }
  if (name == "encode") return Story::Encode(a.Positional[0], a.Positional[1], key, a.Cp932);
  if (name == "decode") return Story::Decode(a.Positional[0], key);
  if (name == "check") return Story::Check(a.Positional[0], a.Cp932);
  if (name == "graph") return Story::Graph(a.Positional[0], a.Svg.value_or(""));
  if (name == "coverage") {
    return Story::Coverage(a.Positional[0], std::vector<std::string>(a.Positional.begin() + 1, a.Positional.end()));
  }
  int steps = Story::DefaultTraceSteps;
  if (a.Steps && !ParseSteps(*a.Steps, steps)) return Usage("--steps needs a whole number", command->Usage);
  return Story::Trace(a.Positional[0], steps, key, a.Cp932);
}

}  // namespace
