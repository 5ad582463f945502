// StoryGraph -- passages and their jumps as DOT.
#include "tools/story/StoryGraph.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <sstream>
#include <tuple>

#include "author/StoryFlow.h"

namespace Story {

namespace {

// A DOT string: quotes and backslashes escaped.
std::string DotString(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Lines before the first label belong to no passage; they are drawn as one of their own.
const char* const TopNode = "(top)";

std::string PassageName(const TStoryFlow& flow, size_t i) {
  int label = flow.PassageOf(i);
  return label < 0 ? TopNode : ShowText(flow.Lines[static_cast<size_t>(label)].Words[0]);
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    std::error_code ec;
    if (!folder.empty() && std::filesystem::is_regular_file(std::filesystem::path(folder) / program, ec)) return true;
  }
  return false;
}

}  // namespace

std::string PassageGraph(const TSource& source) {
  TStoryFlow flow(source.Lines);
  std::ostringstream dot;
  dot << "digraph story {\n  node [shape=box];\n";
  bool top = false;  // lines before the first label that are more than blanks and comments
  for (size_t i = 0; i < flow.Lines.size() && flow.Lines[i].Kind != TLineKind::Label; ++i) {
    top = top || flow.Lines[i].Kind != TLineKind::Blank;
  }
  if (top) dot << "  " << DotString(TopNode) << ";\n";
  for (size_t i = 0; i < flow.Lines.size(); ++i) {
    if (flow.Lines[i].Kind == TLineKind::Label && flow.Labels.at(flow.Lines[i].Words[0]) == i) {
      dot << "  " << DotString(ShowText(flow.Lines[i].Words[0])) << ";\n";
    }
  }
  std::set<std::tuple<std::string, std::string, std::string>> edges;
  for (size_t i = 0; i < flow.Lines.size(); ++i) {
    const TStoryLine& line = flow.Lines[i];
    for (const TFlowStep& step : flow.Next(i)) {
      std::string from = PassageName(flow, i), to = PassageName(flow, step.To);
      std::string how = step.Kind == TEdge::Next ? "" : step.Kind == TEdge::Goto ? "#goto" : ShowText(line.Words[0]);
      if (step.Kind == TEdge::Next && (from == to || line.Kind == TLineKind::Blank)) continue;
      edges.insert({from, to, how});
    }
  }
  for (const auto& [from, to, how] : edges) {
    dot << "  " << DotString(from) << " -> " << DotString(to);
    dot << (how.empty() ? " [style=dashed]" : " [label=" + DotString(how) + "]") << ";\n";
  }
  dot << "}\n";
  return dot.str();
}

int Graph(const std::string& path, const std::string& svgPath) {
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) {
    std::cerr << "farrow-story: cannot read " << path << ": " << error << "\n";
    return 1;
  }
  std::string dot = PassageGraph(ConvertSource(bytes, false));
  if (svgPath.empty()) {
    std::cout << dot;
    return 0;
  }
  if (!OnPath("dot")) {
    std::cerr << "farrow-story: --svg needs Graphviz's dot, which is not installed (Debian: apt install graphviz); "
                 "without --svg the graph is printed as DOT\n";
    return 1;
  }
  std::string quoted = "'";
  for (char c : svgPath) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  FILE* pipe = popen(("dot -Tsvg -o " + quoted).c_str(), "w");
  if (pipe == nullptr) {
    std::cerr << "farrow-story: cannot run dot\n";
    return 1;
  }
  std::fwrite(dot.data(), 1, dot.size(), pipe);
  int status = pclose(pipe);
  if (status != 0) {
    std::cerr << "farrow-story: dot could not render " << svgPath << "\n";
    return 1;
  }
  return 0;
}

}  // namespace Story
