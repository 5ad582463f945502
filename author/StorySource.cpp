// StorySource -- reading scenario sources and showing CP932 text in UTF-8.
#include "author/StorySource.h"

#include <cstdint>
#include <cstdio>
#include <sstream>

#include "platform/Files.h"
#include "platform/TextCodec.h"

namespace Story {

namespace {

const std::string ReplacementCharacter = "\xEF\xBF\xBD";

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the UTF-8 character at s[at]: its sequence length when well formed, else 1.
size_t Utf8CharacterLength(const std::string& s, size_t at) {
  unsigned char c = static_cast<unsigned char>(s[at]);
  size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  if (at + length > s.size()) return 1;
  for (size_t i = 1; i < length; ++i) {
    if (!IsContinuationByte(static_cast<unsigned char>(s[at + i]))) return 1;
  }
  return length;
}

int Utf8Column(const std::string& line, size_t offset) {
  int column = 1;
  for (size_t i = 0; i < offset && i < line.size(); ++i) {
    if (!IsContinuationByte(static_cast<unsigned char>(line[i]))) ++column;
  }
  return column;
}

std::string HexBytes(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%s0x%02X", out.empty() ? "" : " ", c);
    out += buffer;
  }
  return out;
}

// What is wrong with a UTF-8 character: no CP932 form, or not UTF-8 at all.
std::string Utf8Problem(const std::string& ch) {
  unsigned char c = static_cast<unsigned char>(ch[0]);
  if (ch.size() == 1 && c >= 0x80) return "byte " + HexBytes(ch) + " is not UTF-8";
  uint32_t code = ch.size() == 1 ? c : ch.size() == 2 ? (c & 0x1F) : ch.size() == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t i = 1; i < ch.size(); ++i) code = (code << 6) | (static_cast<unsigned char>(ch[i]) & 0x3F);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", code);
  std::string shown = (code < 0x20 || code == 0x7F) ? std::string(buffer) : "\"" + ch + "\" (" + buffer + ")";
  return shown + " cannot be written in CP932";
}

// One UTF-8 line to CP932; every character without a CP932 form is recorded and becomes "?".
std::string Utf8LineToCp932(const std::string& line, int lineNumber, std::vector<TBadCharacter>& bad) {
  std::string out;
  size_t at = 0;
  while (at < line.size()) {
    std::string part;
    size_t badOffset = 0;
    std::string rest = line.substr(at);
    if (Platform::Utf8ToCp932(rest, part, badOffset)) {
      out += part;
      break;
    }
    out += part;  // what converted before the bad character
    size_t badAt = at + badOffset;
    size_t length = Utf8CharacterLength(line, badAt);
    bad.push_back({lineNumber, Utf8Column(line, badAt), Utf8Problem(line.substr(badAt, length))});
    out += '?';
    at = badAt + length;
  }
  return out;
}

// Checks a CP932 line character by character; undefined characters are recorded, become "?".
std::string CheckCp932Line(const std::string& line, int lineNumber, std::vector<TBadCharacter>& bad) {
  if (Platform::Cp932ToUtf8(line).find(ReplacementCharacter) == std::string::npos) return line;
  std::string out;
  int column = 1;
  for (size_t i = 0; i < line.size(); ++column) {
    size_t length = Platform::IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
    std::string ch = line.substr(i, length);
    if (Platform::Cp932ToUtf8(ch).find(ReplacementCharacter) != std::string::npos) {
      std::string what = ch.size() == 1 ? "byte " + HexBytes(ch) + " is" : "bytes " + HexBytes(ch) + " are";
      bad.push_back({lineNumber, column, what + " not a CP932 character"});
      out += '?';
    } else {
      out += ch;
    }
    i += ch.size();
  }
  return out;
}

std::string EscapeLineEnds(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  const Platform::TFileRead read = Platform::ReadBoundedFile(path, Platform::WholeFileMax, bytes);
  error = read.Why;
  return read.Problem == Platform::TFileProblem::None;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    size_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') --length;
    lines.push_back(text.substr(start, length));
    start = end + 1;
  }
  return lines;
}

TSource ConvertSource(const std::string& bytes, bool isCp932) {
  TSource source;
  std::vector<std::string> lines;
  if (isCp932) {
    lines = SplitLines(bytes);
  } else {
    const std::string byteOrderMark = "\xEF\xBB\xBF";
    lines = SplitLines(bytes.starts_with(byteOrderMark) ? bytes.substr(byteOrderMark.size()) : bytes);
  }
  source.Lines.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    int lineNumber = static_cast<int>(i) + 1;
    source.Lines.push_back(isCp932 ? CheckCp932Line(lines[i], lineNumber, source.Bad)
                                   : Utf8LineToCp932(lines[i], lineNumber, source.Bad));
  }
  return source;
}

std::string BadCharacterText(const TBadCharacter& bad) {
  return "column " + std::to_string(bad.Column) + ": " + bad.Problem;
}

std::string ShowText(const std::string& cp932) { return EscapeLineEnds(Platform::Cp932ToUtf8(cp932)); }

std::string ShowResult(const std::string& result, const std::string& fileName) {
  size_t at = fileName.empty() ? std::string::npos : result.find(fileName);
  if (at == std::string::npos) return ShowText(result);
  return ShowText(result.substr(0, at)) + EscapeLineEnds(fileName) +
         ShowResult(result.substr(at + fileName.size()), fileName);
}

bool KeyToCp932(const std::string& utf8, std::string& key) {
  size_t badOffset = 0;
  return Platform::Utf8ToCp932(utf8, key, badOffset);
}

}  // namespace Story
