// StoryFlow -- a scenario's lines as the run loop sees them (blank, label, "#end", "#goto",
// command, story text) and where a run can go from each: the next line, a "#goto", and the
// jumps the game makes itself ("#xxwonder" to "@REAL", the "#xxbind_…" buttons to "@HEART").
// The check, the passage graph and the coverage read it.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "game/CommandTable.h"
#include "script/QuilString.h"

namespace Story {

enum class TLineKind { Blank, Label, End, Goto, Command, Text };

struct TStoryLine {
  TLineKind Kind = TLineKind::Blank;
  TStringArray Words;            // after comment removal
  std::vector<int> WordColumns;  // 1-based character column of each word in the source line
  const TCommandInfo* Command = nullptr;
};

// How a run goes from one line to another.
enum class TEdge { Next, Goto, Wonder, Heart };

struct TFlowStep {
  size_t To;
  TEdge Kind;
};

// Labels the game jumps to from a command handler or an idea burst, not from a "#goto".
inline const char* const WonderLabel = "@REAL";
inline const char* const HeartLabel = "@HEART";

class TStoryFlow {
 public:
  // The lines in CP932, as in the source (comments still in).
  explicit TStoryFlow(const std::vector<std::string>& lines);

  std::vector<TStoryLine> Lines;
  std::map<std::string, size_t> Labels;  // label -> index of its first line

  // Where a run can go after line i: "#end" stops, a "#goto" to an existing label jumps, a
  // failed jump and everything else fall through; "#xxwonder" may also jump to "@REAL", a
  // "#xxbind_…" line offers a button that jumps to "@HEART".
  std::vector<TFlowStep> Next(size_t i) const;
  // Which lines a run from "@start" can reach (none without "@start").
  std::vector<bool> Reached() const;
  // The index of the label line above line i (the line itself if it is one), or -1.
  int PassageOf(size_t i) const;
};

// The line with "//" and everything after it removed.
std::string RemoveComment(const std::string& line);

}  // namespace Story
