// StoryGraph -- `farrow-story graph`: the passages of a scenario (its labels) and the jumps
// between them as a Graphviz DOT graph, optionally rendered to SVG by Graphviz's dot.
#pragma once
#include <string>

#include "author/StorySource.h"

namespace Story {

// The DOT text: a box for each label, an arrow for each "#goto", a dashed one where a passage
// runs on into the next label (across blank lines too); a diamond for each "#xxwonder" whose
// arrows go to "@REAL" (with 【フィア姫】) and to the rest of its passage (a box "LABEL:LINE");
// the jumps of the idea buttons ("#xxbind_…" and its caption to "@HEART"); and arrows to
// "(end)" where a run stops ("#end", "#finish", "#xxexit ★退出", the file's end).
std::string PassageGraph(const TSource& source);

// Prints the graph of the source at path, or renders it to svgPath through dot. Exit status:
// 0 done, 1 the source is unreadable or dot is missing or failed.
int Graph(const std::string& path, const std::string& svgPath);

}  // namespace Story
