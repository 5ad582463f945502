// StoryGraph -- `farrow-story graph`: the passages of a scenario (its labels) and the jumps
// between them as a Graphviz DOT graph, optionally rendered to SVG by Graphviz's dot.
#pragma once
#include <string>

#include "author/StorySource.h"

namespace Story {

// The DOT text: a node for each label, an edge for each "#goto", for the jumps of "#xxwonder"
// (to "@REAL") and of the "#xxbind_…" buttons (to "@HEART"), and a dashed one where a passage
// runs on into the next label.
std::string PassageGraph(const TSource& source);

// Prints the graph of the source at path, or renders it to svgPath through dot. Exit status:
// 0 done, 1 the source is unreadable or dot is missing or failed.
int Graph(const std::string& path, const std::string& svgPath);

}  // namespace Story
