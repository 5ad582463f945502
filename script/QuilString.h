// QuilString -- cutting CP932 strings; every search is character-aware (never inside a
// double-byte character).
#pragma once
#include <string>
#include <vector>

// A growable array of strings: the words of a scenario line, the lines of a multi-line text.
using TStringArray = std::vector<std::string>;

class TQuilString {
 public:
  TQuilString() = delete;

  // The first n bytes of s (all of s when n is at least its length).
  static std::string LeftText(const std::string& s, int n);
  // The last n bytes of s (all of s when n is at least its length).
  static std::string RightText(const std::string& s, int n);
  // Cuts s at every occurrence of separator: k separators give k + 1 parts, empty parts stay.
  // An empty separator leaves parts as it was.
  static void Split(const std::string& s, const std::string& separator, TStringArray& parts);

  // Byte offset of the first occurrence of pattern that starts on a character boundary at or
  // after from (itself a character boundary), or std::string::npos.
  static size_t Find(const std::string& s, const std::string& pattern, size_t from = 0);
  // Equality without regard to the letter case of single-byte letters.
  static bool SameText(const std::string& a, const std::string& b);
};
