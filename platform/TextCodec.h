// TextCodec -- CP932 <-> UTF-8 conversion, used only at the edges (drawing, tool output, test messages).
#pragma once
#include <string>

namespace Platform {

// CP932 bytes to UTF-8. Bytes that CP932 does not define come out as U+FFFD.
std::string Cp932ToUtf8(const std::string& cp932);

// UTF-8 to CP932. Returns false when a character has no CP932 form (or the UTF-8 is broken);
// badOffset is then the byte offset of that character in the input.
bool Utf8ToCp932(const std::string& utf8, std::string& cp932, size_t& badOffset);

// True for a CP932 lead byte: it always takes the next byte with it.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace Platform
