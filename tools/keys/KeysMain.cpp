// KeysMain -- farrow-keys: writes the key tables of the README and of the manual page from the
// bindings table (player/Bindings.cpp), between their marker lines, the keys named as
// platform/KeyNames names them, so that a key is named in one place. With --check it only
// compares, for the test that a committed copy is current.
// Exit status: 0 current (or written), 1 a copy differs or a file cannot be read or written,
// 2 wrong invocation.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/TextCodec.h"
#include "player/Player.h"

namespace {

// The sections a file holds, by the name in its markers.
struct TSection {
  const char* Name;
  TKeyGroup Group;
  const char* Heading;  // the README table's first column
};
const TSection Sections[] = {
    {"keys", TKeyGroup::Keys, "key"},
    {"pad", TKeyGroup::Pad, "button"},
    {"author", TKeyGroup::Authoring, "key"},
};

// Roff text: a backslash doubled, a minus written as one, a leading dot or quote escaped.
std::string Roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

std::string Sentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text + ".";
}

// A section's text in the README (a Markdown table) or the manual (a tagged paragraph a key).
std::string SectionText(const TSection& section, bool manual) {
  std::string text;
  if (!manual) text = std::string("| ") + section.Heading + " | what it does |\n|---|---|\n";
  for (const TKeyHelp& row : KeyListOf(section.Group)) {
    // The table holds CP932 for the game's own list, which draws it; these files are UTF-8.
    const std::string keys = Platform::Cp932ToUtf8(row.Keys);
    const std::string what = Platform::Cp932ToUtf8(row.English);
    if (manual) {
      text.append(".TP\n.B \"").append(Roff(keys)).append("\"\n").append(Roff(Sentence(what))).append("\n");
    } else {
      text.append("| ").append(keys).append(" | ").append(what).append(" |\n");
    }
  }
  return text;
}

// Replaces what lies between each section's marker lines; false with the problem.
bool Fill(const std::string& path, std::string& text, std::string& problem) {
  const bool manual = !path.ends_with(".md");
  int found = 0;
  for (const TSection& section : Sections) {
    const std::string name = section.Name;
    const std::string begin = manual ? ".\\\" BEGIN " + name + "\n" : "<!-- BEGIN " + name + " -->\n";
    const std::string end = manual ? ".\\\" END " + name + "\n" : "<!-- END " + name + " -->\n";
    size_t from = text.find(begin);
    if (from == std::string::npos) continue;
    from += begin.size();
    size_t to = text.find(end, from);
    if (to == std::string::npos) {
      problem = path;
      problem.append(": the section ").append(name).append(" has no end marker");
      return false;
    }
    text.replace(from, to - from, SectionText(section, manual));
    ++found;
  }
  if (found == 0) problem = path + ": no key table markers";
  return found > 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool check = !args.empty() && args[0] == "--check";
  if (check) args.erase(args.begin());
  if (args.empty() || args[0].starts_with("-")) {
    std::cerr << "Usage: farrow-keys [--check] FILE...\n"
                 "Writes the key tables of each FILE (README.md, dist/farrowmere.6) from the bindings\n"
                 "table, between its BEGIN and END markers; --check only says which differ.\n";
    return 2;
  }
  int status = 0;
  for (const std::string& path : args) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    if (!in) {
      std::cerr << "farrow-keys: cannot read " << path << "\n";
      return 1;
    }
    std::string text = read.str(), problem;
    const std::string old = text;
    if (!Fill(path, text, problem)) {
      std::cerr << "farrow-keys: " << problem << "\n";
      return 1;
    }
    if (text == old) continue;
    if (check) {
      std::cerr << "farrow-keys: " << path << " differs from the bindings table; run make keys\n";
      status = 1;
      continue;
    }
    std::ofstream out(path + ".new", std::ios::binary);
    out << text;
    out.close();
    if (!out || std::rename((path + ".new").c_str(), path.c_str()) != 0) {
      std::cerr << "farrow-keys: cannot write " << path << "\n";
      return 1;
    }
  }
  return status;
}
