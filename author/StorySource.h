// StorySource -- a scenario source as the story tool reads it: its lines in CP932, the
// characters CP932 cannot hold, and the UTF-8 forms of CP932 text for the terminal.
#pragma once
#include <string>
#include <vector>

namespace Story {

// A character of the source that has no CP932 form (or is not valid in the source's encoding).
struct TBadCharacter {
  int Line;             // 1-based
  int Column;           // 1-based, counting characters, not bytes
  std::string Problem;  // e.g. '"😀" (U+1F600) cannot be written in CP932' (UTF-8)
};

struct TSource {
  std::vector<std::string> Lines;  // CP932, without line ends; a bad character reads as "?"
  std::vector<TBadCharacter> Bad;  // in source order
};

// Reads a whole file; false with the reason in error.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Cuts text into lines at LF; a CR right before the LF belongs to the line end. A final line
// without a line end counts; a line end at the very end makes no extra empty line.
std::vector<std::string> SplitLines(const std::string& text);

// A UTF-8 source (a leading byte-order mark is dropped), or a CP932 one, as CP932 lines.
TSource ConvertSource(const std::string& bytes, bool isCp932);

// "column C: " + the problem, for after "FILE:LINE: error: ".
std::string BadCharacterText(const TBadCharacter& bad);

// CP932 text as UTF-8 for the terminal; a carriage return is shown as "\r", a line feed as "\n".
std::string ShowText(const std::string& cp932);
// An engine result as ShowText does, except that the file name inside it (which came from the
// command line and is not CP932) is kept as it is.
std::string ShowResult(const std::string& result, const std::string& fileName);

// The key text from the command line (UTF-8) as the CP932 bytes the cipher uses.
bool KeyToCp932(const std::string& utf8, std::string& key);

}  // namespace Story
