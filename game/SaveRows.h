// SaveRows -- the save text's rows, SaveText's own: each key of the format once, with how its
// value is written and read, so that one table serves both directions and a new variable of
// the game is one row. Also the values' spellings (escaped texts, whole numbers, words) and the
// line writer and reader that walk the rows.
#pragma once
#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/GameSave.h"
#include "game/SaveText.h"

// One key, bound to the fields of one record. Write gives the values of its lines, in order
// (none, one or many); Read takes the value of one line, the index-th with this key, and says
// why not ("out of range..." first when the value is outside its range).
struct TSaveRow {
  const char* Key = "";
  size_t Most = 1;    // lines with this key at most
  bool Exact = true;  // exactly Most of them (else 0 to Most)
  int Since = 1;      // the format that brought it: older files have none, and none is written
  std::function<std::vector<std::string>()> Write = {};
  std::function<bool(const std::string& value, size_t index, std::string& why)> Read = {};
};

// The kinds most keys are of.
TSaveRow TextRow(const char* key, std::string& field);                             // a text of the game
TSaveRow TextsRow(const char* key, std::vector<std::string>& field, size_t most);  // one a line
TSaveRow NumberRow(const char* key, int32_t& field, int32_t low = INT32_MIN, int32_t high = INT32_MAX);
TSaveRow FlagRow(const char* key, bool& field);  // yes or no

// The format's rows bound to a record, in the order they are written (SaveText.cpp).
std::vector<TSaveRow> SaveRows(TSaveGame& save);

// The text of the rows as the given format, and back: the first line names the format, the
// last is "end". A refusal may have changed the rows' fields.
std::string WriteRows(const std::vector<TSaveRow>& rows, int version);
TSaveRead ReadRows(const std::string& text, const std::vector<TSaveRow>& rows);

namespace SaveValue {

// The spellings of values. A text of the game (CP932) as UTF-8 with '%', control characters
// and DEL as %XX, and back (false with why: a broken escape, not CP932, too long).
std::string Escape(const std::string& cp932);
bool Unescape(const std::string& value, std::string& cp932, std::string& why);
int HexDigit(char c);  // -1 for none
// A 32-bit whole number as to_string writes it (no '+'); with the range, why says what is wrong.
bool ReadInt(const std::string& text, int32_t& value);
bool ReadNumber(const std::string& text, int32_t& value, int32_t low, int32_t high, std::string& why);
// The words of a value, split at single blanks; the last takes the rest of the line.
std::vector<std::string> Words(const std::string& value, size_t count);

}  // namespace SaveValue
