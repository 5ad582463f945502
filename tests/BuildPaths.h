// BuildPaths -- where the tests and benchmarks find the repository and the build's programs.
// These differ from clone to clone, so the build writes them into one source of its own
// (tests/CMakeLists.txt) rather than into every test's compile flags: the tests' objects then
// compile alike in every clone, and ccache gives them back in a new one.
#pragma once

namespace BuildPaths {

extern const char* const SourceDir;      // the repository
extern const char* const BuildDir;       // the build folder
extern const char* const DatDir;         // the repository's dat/
extern const char* const StorySource;    // story/story.txt
extern const char* const Routes;         // tests/story/Routes.txt
extern const char* const ReplayScripts;  // tests/replay
extern const char* const Program;        // the game
extern const char* const ReplayTool;     // farrow-replay
extern const char* const StoryTool;      // farrow-story

}  // namespace BuildPaths
