// Cp932Enumerate -- the C library's CP932 converter asked about every code and every character.
#include "tools/cp932/Cp932Tool.h"

#include <iconv.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/TextCodec.h"

namespace {

// One iconv conversion descriptor; each Convert starts from the initial state.
class TConverter {
 public:
  TConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~TConverter() {
    if (Open()) iconv_close(cd_);
  }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  // iconv_open answers (iconv_t)-1 when it has no such converter.
  bool Open() const { return reinterpret_cast<std::intptr_t>(cd_) != -1; }

  // Converts all of in into out: 0, or the errno of the first byte the converter stopped at
  // (EILSEQ: not convertible, EINVAL: cut short).
  int Convert(const std::string& in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string source = in;
    char* src = source.data();
    size_t srcLeft = source.size();
    char buffer[64];
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const bool ok = iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1);
    const int error = ok ? 0 : errno;
    out.assign(buffer, dst - buffer);
    return error;
  }

 private:
  iconv_t cd_;
};

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

// UTF-32LE, the converter's side that needs no decoding of its own.
std::string Utf32(char32_t c) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((c >> shift) & 0xFF);
  return bytes;
}

// The one character of a UTF-32LE text, or false when it holds another number of characters.
bool OneCharacter(const std::string& utf32, char32_t& c) {
  if (utf32.size() != 4) return false;
  c = 0;
  for (int i = 3; i >= 0; --i) c = c << 8 | static_cast<unsigned char>(utf32[i]);
  return true;
}

}  // namespace

bool EnumerateCp932(TCp932Charset& charset, std::string& why) {
  TConverter reader("UTF-32LE", "CP932"), writer("CP932", "UTF-32LE");
  if (!reader.Open() || !writer.Open()) {
    why = NoCp932Converter;
    return false;
  }
  std::string out;
  char32_t c = 0;
  for (unsigned b = 0; b <= 0xFF; ++b) {
    const int error = reader.Convert(std::string(1, static_cast<char>(b)), out);
    // A byte cut short is a lead byte: the converter waits for its trail byte.
    if ((error == EINVAL) != Platform::IsLeadByte(b)) {
      why = "the converter's lead bytes differ from IsLeadByte at " + Hex(b);
      return false;
    }
    if (error == 0 && !OneCharacter(out, c)) {
      why = "the byte " + Hex(b) + " reads as other than one character";
      return false;
    }
    if (error == 0) charset.Decode[b] = c;
    if (error != EINVAL) continue;
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      const uint16_t code = b << 8 | trail;
      const std::string bytes{static_cast<char>(b), static_cast<char>(trail)};
      if (reader.Convert(bytes, out) != 0) continue;
      if (!OneCharacter(out, c)) {
        why = "the code " + Hex(code) + " reads as other than one character";
        return false;
      }
      charset.Decode[code] = c;
    }
  }
  for (char32_t u = 0; u <= 0x10FFFF; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;  // surrogates are no characters
    if (writer.Convert(Utf32(u), out) != 0) continue;
    // The converter drops the language tags (U+E0000..U+E007F) without a word; they have no code.
    if (out.empty()) continue;
    const bool single = out.size() == 1 && !Platform::IsLeadByte(out[0]);
    const bool twoBytes = out.size() == 2 && Platform::IsLeadByte(out[0]);
    if (!single && !twoBytes) {
      why = "the character U+" + Hex(u).substr(2) + " writes as other than one code";
      return false;
    }
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(out[i]); };
    charset.Encode[u] = single ? byte(0) : byte(0) << 8 | byte(1);
  }
  return true;
}
