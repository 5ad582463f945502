// ReadMarks -- the story lines the player has seen, remembered across runs beside the saves:
// $XDG_DATA_HOME/farrowmere/saves/STORY/read-marks (SavesFolder()). A mark is a hash of a line's
// place in the story and its text, so a line an author edits or moves (--story, Shift+R) reads
// as new. The file is "farrowmere-read 1" and then one mark a line, 16 hex digits; it is
// written through a flushed temporary file and read defensively: a file the game cannot read
// or understand is ignored with one line on standard error and left as it is.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_set>

using TReadMarks = std::unordered_set<uint64_t>;

// The mark of the line at index (0-based, of the story's lines) with this text.
uint64_t LineMark(int index, const std::string& line);

// The file's path ("" without HOME or XDG_DATA_HOME).
std::string ReadMarksFile();
// The marks the file holds, into marks; none (quietly) when there is none or persistence is off.
// False, with none and one line on standard error, when it cannot be read or understood: the
// game then leaves it as it is and writes no marks.
bool ReadReadMarks(TReadMarks& marks);
// Writes them; false (and one line on standard error) when the file cannot be written.
bool WriteReadMarks(const TReadMarks& marks);
// The text of the file, and back (false with why when it is not understood).
std::string ReadMarksText(const TReadMarks& marks);
bool ParseReadMarks(const std::string& text, TReadMarks& marks, std::string& why);

// The marks of this run: read when the player's layer is set up, written after every few new
// ones, with each save, on closing and when the layer goes.
void ReadMarksSetup();
void ReadMarksFree();
// Marks the line the story has just shown; true when it had not been read before.
bool MarkLineRead(const std::string& line);
// Writes the marks when any are new.
void RememberReadMarks();
