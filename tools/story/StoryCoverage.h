// StoryCoverage -- `farrow-story coverage`: plays replay scripts on the game with a plain
// source as its story and lists the story lines none of them showed, with the share shown.
#pragma once
#include <string>
#include <vector>

namespace Story {

// Exit status: 0 done, 1 the source fails the check or a script cannot be read.
int Coverage(const std::string& sourcePath, const std::vector<std::string>& replayPaths);

}  // namespace Story
