// farrow-cp932-literals: copies C++ sources into a folder with every narrow string and character
// literal's non-ASCII text written as the octal escapes of its CP932 bytes, for a compiler that
// cannot turn the UTF-8 of a literal into CP932 itself (clang has no -fexec-charset=CP932). The
// objects then hold the bytes g++ writes, through the program's own table. Comments, u8/u/U/L
// literals and lines stay as they are; a copy that would not change is not written again, so
// that a build over the copies stays incremental.
//   farrow-cp932-literals OUT FILE...   (each FILE, a relative path, is written to OUT/FILE)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/TextCodec.h"

namespace {

bool IsIdentifier(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The bytes as three-digit octal escapes: a digit after them cannot lengthen them, as it would
// a hexadecimal escape.
std::string Escaped(const std::string& bytes) {
  std::string out;
  for (const unsigned char byte : bytes) {
    const char digits[] = {'\\', static_cast<char>('0' + (byte >> 6)), static_cast<char>('0' + (byte >> 3 & 7)),
                           static_cast<char>('0' + (byte & 7))};
    out.append(digits, sizeof digits);
  }
  return out;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
  } else {
    if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    }
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
  }
  out += static_cast<char>(0x80 | (c & 0x3F));
  return out;
}

class TRewriter {
 public:
  explicit TRewriter(const std::string& text) : text_(text) {}

  std::string Run() {
    while (at_ < text_.size()) {
      if (text_.compare(at_, 2, "//") == 0) {
        CopyUntil("\n", 0);
      } else if (text_.compare(at_, 2, "/*") == 0) {
        CopyUntil("*/", 2);
      } else if (text_[at_] == '"' || text_[at_] == '\'') {
        Literal();
      } else {
        out_ += text_[at_++];
      }
    }
    return out_;
  }

 private:
  const std::string& text_;
  size_t at_ = 0;
  std::string out_;

  [[noreturn]] void Fail(const std::string& why) const {
    const auto line = 1 + std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(at_), '\n');
    throw std::runtime_error("line " + std::to_string(line) + ": " + why);
  }

  // Copies up to and including `end` (the rest of the text when it is missing).
  void CopyUntil(const char* end, size_t from) {
    const size_t found = text_.find(end, at_ + from);
    const size_t stop = found == std::string::npos ? text_.size() : found + std::char_traits<char>::length(end);
    out_.append(text_, at_, stop - at_);
    at_ = stop;
  }

  // A quote: the identifier characters before it say what it opens.
  void Literal() {
    size_t start = at_;
    while (start > 0 && IsIdentifier(text_[start - 1])) --start;
    const std::string prefix = text_.substr(start, at_ - start);
    const char quote = text_[at_];
    if (!prefix.empty() && prefix.front() >= '0' && prefix.front() <= '9') {
      out_ += text_[at_++];  // a digit separator (1'000)
    } else if (quote == '"' && !prefix.empty() && prefix.back() == 'R') {
      Raw(prefix == "R");
    } else if (prefix == "u8" || prefix == "u" || prefix == "U" || prefix == "L") {
      Copy(quote);
    } else {
      Narrow(quote);
    }
  }

  // An encoded literal (u8"...", L'x'): the compiler's business, copied as it is.
  void Copy(char quote) {
    out_ += text_[at_++];
    while (at_ < text_.size() && text_[at_] != quote) {
      if (text_[at_] == '\\') out_ += text_[at_++];
      if (at_ < text_.size()) out_ += text_[at_++];
    }
    if (at_ < text_.size()) out_ += text_[at_++];
  }

  void Raw(bool narrow) {
    const size_t open = text_.find('(', at_);
    if (open == std::string::npos) Fail("a raw string without its (");
    const std::string close = ")" + text_.substr(at_ + 1, open - at_ - 1) + "\"";
    const size_t end = text_.find(close, open);
    if (end == std::string::npos) Fail("a raw string without its end");
    const std::string whole = text_.substr(at_, end + close.size() - at_);
    const auto nonAscii = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
    if (narrow && std::any_of(whole.begin(), whole.end(), nonAscii)) {
      Fail("a raw string holds non-ASCII text; write it as an ordinary string");
    }
    out_ += whole;
    at_ += whole.size();
  }

  // A narrow literal: ASCII and escapes as they are, each run of UTF-8 and each \u or \U as its
  // CP932 bytes.
  void Narrow(char quote) {
    out_ += text_[at_++];
    while (at_ < text_.size() && text_[at_] != quote) {
      const char c = text_[at_];
      if (c == '\n') Fail("a literal without its closing quote");
      if (static_cast<unsigned char>(c) >= 0x80) {
        size_t end = at_;
        while (end < text_.size() && static_cast<unsigned char>(text_[end]) >= 0x80) ++end;
        out_ += Cp932Escapes(text_.substr(at_, end - at_));
        at_ = end;
      } else if (c == '\\' && at_ + 1 < text_.size() && (text_[at_ + 1] == 'u' || text_[at_ + 1] == 'U')) {
        const size_t digits = text_[at_ + 1] == 'u' ? 4 : 8;
        const std::string hex = text_.substr(at_ + 2, digits);
        if (hex.size() != digits || !std::all_of(hex.begin(), hex.end(), IsHex)) Fail("a broken \\u escape");
        out_ += Cp932Escapes(Utf8Of(static_cast<char32_t>(std::stoul(hex, nullptr, 16))));
        at_ += 2 + digits;
      } else {
        if (c == '\\') out_ += text_[at_++];
        out_ += text_[at_++];
      }
    }
    if (at_ == text_.size()) Fail("a literal without its closing quote");
    out_ += text_[at_++];
  }

  std::string Cp932Escapes(const std::string& utf8) const {
    std::string cp932;
    size_t bad = 0;
    if (!Platform::Utf8ToCp932(utf8, cp932, bad)) Fail("a character CP932 has not: " + utf8.substr(bad));
    return Escaped(cp932);
  }
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read it");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: farrow-cp932-literals OUT FILE...\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::filesystem::path target = out / argv[i];
    try {
      const std::string copy = TRewriter(ReadFile(argv[i])).Run();
      if (std::filesystem::exists(target) && ReadFile(target) == copy) continue;
      std::filesystem::create_directories(target.parent_path());
      const std::filesystem::path temporary = target.string() + ".new";
      std::ofstream file(temporary, std::ios::binary);
      if (!(file << copy) || (file.close(), !file)) throw std::runtime_error("cannot write " + temporary.string());
      std::filesystem::rename(temporary, target);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "farrow-cp932-literals: %s: %s\n", argv[i], e.what());
      return 1;
    }
  }
  return 0;
}
