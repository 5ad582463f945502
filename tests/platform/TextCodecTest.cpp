// TextCodecTest -- CP932 <-> UTF-8 at the edges of the table: what reads as what, which code is
// written for a character CP932 holds twice, and what is refused. The CP932 side is written in
// escapes, the UTF-8 side as u8 literals, so that neither depends on the compiler's charset.
#include <gtest/gtest.h>

#include <string>

#include "platform/TextCodec.h"

using namespace Platform;

namespace {

std::string Utf8(const std::u8string& text) { return {text.begin(), text.end()}; }

// Bytes for a failure message.
std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) out += std::string(out.empty() ? "" : " ") + digits[b >> 4] + digits[b & 15];
  return out;
}

struct TReadCase {
  const char* What;
  std::string Cp932;
  std::u8string Utf8;
};

TEST(TextCodecTest, ReadsEveryKindOfCodeAndReplacesWhatIsNotOne) {
  const TReadCase cases[] = {
      {"ASCII, backslash and tilde as themselves", "A\\~\x7F", u8"A\\~\x7F"},
      {"NUL inside a text", std::string("a\0b", 3), std::u8string(u8"a\0b", 3)},
      {"half-width katakana, first and last", "\xA1\xB1\xDF", u8"｡ｱﾟ"},
      {"bytes no code starts with", "\x80\xA0\xFD\xFE\xFF", u8"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"JIS rows", "\x81\x40\x82\xA0\x88\x9F\x98\x72\xEA\xA4", u8"\u3000あ亜腕熙"},
      {"0x8160 and 0x815C as Windows reads them", "\x81\x60\x81\x5C\x81\x61\x81\x7C", u8"～―∥－"},
      {"NEC row 13", "\x87\x40\x87\x54\x87\x82\x87\x9A\x87\x9C", u8"①Ⅰ№∵∪"},
      {"NEC-selected IBM extensions", "\xED\x40\xEE\xEC\xEE\xEF\xEE\xF9\xEE\xFC", u8"纊黑ⅰ￢＂"},
      {"IBM extensions", "\xFA\x40\xFA\x4A\xFA\x54\xFA\x5B\xFA\x5C\xFC\x4B", u8"ⅰⅠ￢∵纊黑"},
      {"user-defined area, first and last", "\xF0\x40\xF9\xFC", u8"\uE000\uE757"},
      {"a lead byte at the end", "A\x82", u8"A\uFFFD"},
      {"an invalid trail byte reads again on its own", "\x82\x20\x81\x7F", u8"\uFFFD \uFFFD\x7F"},
      {"a gap in a row: the trail byte is half-width katakana", "\x81\xAD", u8"\uFFFDｭ"},
      {"a lead byte no code uses, after the last IBM code", "\x85\x40\xFC\x4C", u8"\uFFFD@\uFFFDL"},
      {"a lead byte as trail byte", "\x82\x82\x82", u8"ｂ\uFFFD"},
  };
  for (const TReadCase& c : cases) {
    EXPECT_EQ(Cp932ToUtf8(c.Cp932), Utf8(c.Utf8)) << c.What << ": " << Hex(c.Cp932);
  }
}

struct TWriteCase {
  const char* What;
  std::u8string Utf8;
  std::string Cp932;  // what is written, or empty when refused
  size_t BadOffset;   // where the refused character starts
};

TEST(TextCodecTest, WritesTheCodeWindowsPicksAndRefusesWhatHasNone) {
  const TWriteCase cases[] = {
      {"ASCII and NUL", std::u8string(u8"A~\\\0", 4), std::string("A~\\\0", 4), 0},
      {"half-width katakana", u8"｡ｱﾟ", "\xA1\xB1\xDF", 0},
      {"JIS rows", u8"\u3000あ亜熙", "\x81\x40\x82\xA0\x88\x9F\xEA\xA4", 0},
      {"NEC row 13 for its own characters", u8"①Ⅰ№㈱", "\x87\x40\x87\x54\x87\x82\x87\x8A", 0},
      {"the JIS row over NEC's and IBM's ∵ ￢ ∪", u8"∵￢∪", "\x81\xE6\x81\xCA\x81\xBE", 0},
      {"IBM extensions over NEC's selection", u8"ⅰ纊黑＂", "\xFA\x40\xFA\x5C\xFC\x4B\xFA\x57", 0},
      {"wave dash and full-width tilde both as 0x8160", u8"〜～", "\x81\x60\x81\x60", 0},
      {"dashes, yen, overline, cent", u8"—―¥‾¢", "\x81\x5C\x81\x5C\x5C\x7E\x81\x91", 0},
      {"user-defined area, first and last", u8"\uE000\uE757", "\xF0\x40\xF9\xFC", 0},
      {"past the user-defined area", u8"A\uE758", "", 1},
      {"a Latin letter", u8"Aé", "", 1},
      {"the euro sign", u8"ab€", "", 2},
      {"a character outside the Basic Multilingual Plane", u8"あ😀", "", 3},
      {"a language tag", u8"A\U000E0001", "", 1},
      {"UTF-8 cut short", u8"A\xE3\x81", "", 1},
      {"an overlong A in two bytes", u8"A\xC1\x81", "", 1},
      {"an overlong A in three bytes", u8"\xE0\x81\x81", "", 0},
      {"an overlong A in four bytes", u8"\xF0\x80\x81\x81", "", 0},
      {"a surrogate", u8"\xED\xA0\x80", "", 0},
      {"a lone continuation byte", u8"\xE3\x81\x82\x80", "", 3},
      {"a bad continuation byte",
       u8"\xE3\x81"
       u8"A",
       "", 0},
  };
  for (const TWriteCase& c : cases) {
    std::string cp932;
    size_t bad = 99;
    const bool written = Utf8ToCp932(Utf8(c.Utf8), cp932, bad);
    if (c.Cp932.empty()) {
      EXPECT_FALSE(written) << c.What << ": written as " << Hex(cp932);
      EXPECT_EQ(bad, c.BadOffset) << c.What;
    } else {
      EXPECT_TRUE(written) << c.What << ": refused at " << bad;
      EXPECT_EQ(Hex(cp932), Hex(c.Cp932)) << c.What;
    }
  }
}

}  // namespace
