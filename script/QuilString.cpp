// QuilString -- CP932-aware cutting and searching.
#include "script/QuilString.h"

#include "platform/TextCodec.h"

std::string TQuilString::LeftText(const std::string& s, int n) {
  if (n <= 0) return {};
  return s.substr(0, static_cast<size_t>(n));
}

std::string TQuilString::RightText(const std::string& s, int n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= s.size()) return s;
  return s.substr(s.size() - static_cast<size_t>(n));
}

size_t TQuilString::Find(const std::string& s, const std::string& pattern, size_t from) {
  if (pattern.empty()) return from;
  for (size_t i = from; i + pattern.size() <= s.size();) {
    if (s.compare(i, pattern.size(), pattern) == 0) return i;
    i += Platform::IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
  }
  return std::string::npos;
}

void TQuilString::Split(const std::string& s, const std::string& separator, TStringArray& parts) {
  if (separator.empty()) return;
  parts.clear();
  // The text followed by one separator: every part, the last included, ends at a separator.
  std::string work = s + separator;
  size_t start = 0;
  for (size_t i = 0; i + separator.size() <= work.size();) {
    if (work.compare(i, separator.size(), separator) == 0) {
      parts.push_back(work.substr(start, i - start));
      i += separator.size();
      start = i;
      continue;
    }
    // A lead byte that ends s stands alone: it must not swallow the appended separator.
    bool pair = Platform::IsLeadByte(static_cast<unsigned char>(work[i])) && i + 1 != s.size();
    i += pair ? 2 : 1;
  }
}

bool TQuilString::SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (Platform::IsLeadByte(x)) {
      // A double-byte character compares exactly, trail byte included.
      if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}
