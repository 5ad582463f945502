// StoryGraph -- passages and their jumps as DOT.
#include "tools/story/StoryGraph.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

#include "author/StoryFlow.h"
#include "game/GameTexts.h"

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
// Where runs stop: "#end", "#finish", "★退出", the end of the file.
const char* const EndNode = "(end)";

// The captions of the idea buttons whose bursts jump or end the program, by command.
struct TButtonJump {
  const char* Command;
  const char* Caption;
};
const TButtonJump ButtonJumps[] = {
    {"#xxbind_alone", CaptionBindAlone},
    {"#xxbind_load", CaptionBindLoad},
    {"#xxbind_heart", CaptionBindHeart},
    {"#xxexit", CaptionExit},
};

std::string ButtonOf(const std::string& command) {
  for (const TButtonJump& jump : ButtonJumps) {
    if (command == jump.Command) return command + " " + ShowText(jump.Caption);
  }
  return command;
}

// The graph's boxes: a passage runs from its label, or from the line below a "#xxwonder",
// whose run goes on there without the princess and jumps to "@REAL" with her.
class TSegments {
 public:
  explicit TSegments(const TStoryFlow& flow) : flow_(flow), start_(flow.Lines.size(), -1) {
    int current = -1;
    for (size_t i = 0; i < flow.Lines.size(); ++i) {
      if (flow.Lines[i].Kind == TLineKind::Label) current = static_cast<int>(i);
      start_[i] = current;
      if (IsWonder(i)) current = static_cast<int>(i + 1);
    }
  }

  bool IsWonder(size_t i) const {
    const TStoryLine& line = flow_.Lines[i];
    return line.Kind == TLineKind::Command && std::string(line.Command->Name) == "#xxwonder";
  }

  std::string Name(size_t i) const {
    int start = start_[i];
    if (start < 0) return TopNode;
    const TStoryLine& first = flow_.Lines[static_cast<size_t>(start)];
    if (first.Kind == TLineKind::Label) return ShowText(first.Words[0]);
    // The run on below a fork: the passage's name and the line it starts at.
    int label = flow_.PassageOf(static_cast<size_t>(start));
    std::string passage = label < 0 ? TopNode : ShowText(flow_.Lines[static_cast<size_t>(label)].Words[0]);
    return passage + ":" + std::to_string(start + 1);
  }

 private:
  const TStoryFlow& flow_;
  std::vector<int> start_;  // the first line of each line's box; -1 before the first label
};

// The lines a run can be on: from the top and from every label (a jump may land there).
std::vector<bool> Live(const TStoryFlow& flow) {
  std::vector<bool> live(flow.Lines.size(), false);
  std::vector<size_t> pending;
  if (!flow.Lines.empty()) pending.push_back(0);
  for (const auto& [label, at] : flow.Labels) pending.push_back(at);
  while (!pending.empty()) {
    size_t i = pending.back();
    pending.pop_back();
    if (live[i]) continue;
    live[i] = true;
    for (const TFlowStep& step : flow.Next(i)) pending.push_back(step.To);
  }
  return live;
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
  TSegments segments(flow);
  std::vector<bool> live = Live(flow);
  std::vector<std::string> nodes;  // in the order of the file
  auto node = [&](const std::string& name, const std::string& shape) {
    for (const std::string& seen : nodes) {
      if (seen.rfind(DotString(name), 0) == 0) return;
    }
    nodes.push_back(DotString(name) + shape);
  };
  std::set<std::tuple<std::string, std::string, std::string>> edges;  // from, to, attributes
  auto edge = [&](const std::string& from, const std::string& to, const std::string& label) {
    edges.insert({from, to, label.empty() ? " [style=dashed]" : " [label=" + DotString(label) + "]"});
  };
  bool top = false;  // lines before the first label that are more than blanks and comments
  for (size_t i = 0; i < flow.Lines.size() && flow.Lines[i].Kind != TLineKind::Label; ++i) {
    top = top || flow.Lines[i].Kind != TLineKind::Blank;
  }
  if (top) node(TopNode, "");
  for (size_t i = 0; i < flow.Lines.size(); ++i) {
    const TStoryLine& line = flow.Lines[i];
    if (line.Kind == TLineKind::Label && flow.Labels.at(line.Words[0]) == i) node(segments.Name(i), "");
    const std::string from = segments.Name(i);
    // After an end and before the next label no run is here; nor in comments before the first.
    if (!live[i] || (from == TopNode && !top)) continue;
    const std::string command = line.Kind == TLineKind::Command ? line.Command->Name : "";
    if (segments.IsWonder(i)) {
      // The fork: with 【フィア姫】 the world breaks and the run jumps; without, it goes on.
      const std::string fork = "#xxwonder:" + std::to_string(i + 1);
      node(fork, " [shape=diamond]");
      edges.insert({from, fork, ""});
      if (flow.Labels.contains(WonderLabel)) edge(fork, WonderLabel, ShowText("【フィア姫】"));
      if (i + 1 < flow.Lines.size()) {
        node(segments.Name(i + 1), "");
        edge(fork, segments.Name(i + 1), ShowText("なし"));
      }
      continue;
    }
    if (line.Kind == TLineKind::End) edge(from, EndNode, "#end");
    if (command == "#finish") edge(from, EndNode, "#finish");
    if (command == "#xxexit") edge(from, EndNode, ButtonOf(command));
    std::vector<TFlowStep> next = flow.Next(i);
    if (next.empty() && line.Kind != TLineKind::End && command != "#finish") edge(from, EndNode, "");  // the file's end
    for (const TFlowStep& step : next) {
      const std::string to = segments.Name(step.To);
      if (step.Kind == TEdge::Next && from != to) edge(from, to, "");
      if (step.Kind == TEdge::Goto) edge(from, to, "#goto");
      if (step.Kind == TEdge::Heart) edge(from, to, ButtonOf(command));
    }
  }
  std::ostringstream dot;
  dot << "digraph story {\n  node [shape=box];\n";
  for (const std::string& n : nodes) dot << "  " << n << ";\n";
  bool ends = false;
  for (const auto& [from, to, attributes] : edges) ends = ends || to == EndNode;
  if (ends) dot << "  " << DotString(EndNode) << " [shape=plaintext];\n";
  for (const auto& [from, to, attributes] : edges) {
    dot << "  " << DotString(from) << " -> " << DotString(to) << attributes << ";\n";
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
