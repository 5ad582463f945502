// TextCodec -- CP932 <-> UTF-8 through the program's own CP932 table (Cp932Table), the same on
// every target.
#include "platform/TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "platform/Cp932Table.h"

namespace Platform {

namespace {

constexpr char32_t NoCharacter = 0xFFFFFFFF;
constexpr uint16_t NoCode = 0xFFFF;  // 0xFF is never a lead byte
constexpr char Replacement[] = "\xEF\xBF\xBD";

// The character a code reads as, or NoCharacter.
char32_t CharacterOf(uint16_t code) {
  const auto after = std::upper_bound(Cp932Runs.begin(), Cp932Runs.end(), code,
                                      [](uint16_t c, const TCp932Run& run) { return c < run.First; });
  if (after == Cp932Runs.begin()) return NoCharacter;
  const TCp932Run& run = *std::prev(after);
  if (code > run.Last) return NoCharacter;
  const unsigned offset = code - run.First;
  return run.Kind == TCp932Kind::Linear ? run.At + offset : Cp932Listed[run.At + offset];
}

// A code read but never written: the other code of a character CP932 holds twice.
bool ReadOnly(unsigned code) {
  return std::any_of(Cp932DecodeOnly.begin(), Cp932DecodeOnly.end(),
                     [code](const TCp932Range& range) { return code >= range.First && code <= range.Last; });
}

// The code written for each character of the Basic Multilingual Plane (NoCode where CP932 has
// none), made once from the table.
const std::vector<uint16_t>& Codes() {
  static const std::vector<uint16_t> codes = [] {
    std::vector<uint16_t> table(0x10000, NoCode);
    for (const TCp932Run& run : Cp932Runs) {
      for (unsigned code = run.First; code <= run.Last; ++code) {
        if (!ReadOnly(code)) table[CharacterOf(code)] = code;
      }
    }
    for (const TCp932OneWay& oneWay : Cp932EncodeOnly) table[oneWay.Unicode] = oneWay.Code;
    return table;
  }();
  return codes;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {  // every character of the table is in the Basic Multilingual Plane
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The first bytes of well-formed UTF-8 sequences of two to four bytes: the range of the second
// byte keeps out overlong forms, surrogates and code points above U+10FFFF.
struct TUtf8Lead {
  unsigned char First, Last;
  int Length;
  unsigned char SecondFirst, SecondLast;
};
constexpr TUtf8Lead Utf8Leads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// The character at `at`, which moves past it; NoCharacter when the bytes there are not
// well-formed UTF-8 (a sequence cut short included).
char32_t ReadUtf8(const std::string& utf8, size_t& at) {
  const auto byte = [&utf8](size_t i) { return static_cast<unsigned char>(utf8[i]); };
  const unsigned char first = byte(at);
  if (first < 0x80) {
    ++at;
    return first;
  }
  const auto lead = std::find_if(std::begin(Utf8Leads), std::end(Utf8Leads),
                                 [first](const TUtf8Lead& l) { return first >= l.First && first <= l.Last; });
  if (lead == std::end(Utf8Leads) || utf8.size() - at < static_cast<size_t>(lead->Length)) return NoCharacter;
  if (byte(at + 1) < lead->SecondFirst || byte(at + 1) > lead->SecondLast) return NoCharacter;
  char32_t c = first & (0x7F >> lead->Length);
  for (int i = 1; i < lead->Length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return NoCharacter;
    c = c << 6 | (byte(at + i) & 0x3F);
  }
  at += lead->Length;
  return c;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (size_t at = 0; at < cp932.size();) {
    const auto byte = static_cast<unsigned char>(cp932[at]);
    // A lead byte takes its trail byte with it; one at the end stands alone, and reads as nothing.
    const bool pair = IsLeadByte(byte) && at + 1 < cp932.size();
    const uint16_t code = pair ? byte << 8 | static_cast<unsigned char>(cp932[at + 1]) : byte;
    const char32_t c = CharacterOf(code);
    if (c == NoCharacter) {  // the next byte starts again: an invalid trail byte may be a character
      out += Replacement;
      ++at;
      continue;
    }
    AppendUtf8(out, c);
    at += pair ? 2 : 1;
  }
  return out;
}

bool Utf8ToCp932(const std::string& utf8, std::string& cp932, size_t& badOffset) {
  cp932.clear();
  const std::vector<uint16_t>& codes = Codes();
  for (size_t at = 0; at < utf8.size();) {
    const size_t start = at;
    const char32_t c = ReadUtf8(utf8, at);
    const uint16_t code = c < codes.size() ? codes[c] : NoCode;
    if (code == NoCode) {
      badOffset = start;
      return false;
    }
    if (code > 0xFF) cp932 += static_cast<char>(code >> 8);
    cp932 += static_cast<char>(code & 0xFF);
  }
  return true;
}

}  // namespace Platform
