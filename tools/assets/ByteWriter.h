// ByteWriter -- appends the little-endian numbers and four-letter tags of the BMP and WAV
// file headers.
#pragma once
#include <cstdint>
#include <vector>

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  void U8(uint32_t v) { out_.push_back(static_cast<uint8_t>(v & 0xFF)); }
  void U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Tag(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) U8(static_cast<uint8_t>(*p));
  }

 private:
  std::vector<uint8_t>& out_;
};
