// Cp932Table -- the CP932 table TextCodec converts with. Cp932Table.cpp is written by
// farrow-cp932-table (tools/cp932) from the C library's CP932 converter and committed, so that
// every target, whatever its C library, converts the same way.
#pragma once
#include <cstdint>
#include <span>

namespace Platform {

// A code is a byte (0x00..0xFF) or a lead byte and its trail byte (0x8140..0xFCFC).
enum class TCp932Kind : uint8_t { Linear, Listed };

// The codes First..Last, every one of them defined. Linear: First reads as the character At,
// each next code as the next character. Listed: First reads as Cp932Listed[At], and so on.
struct TCp932Run {
  uint16_t First, Last;
  TCp932Kind Kind;
  uint16_t At;
};

struct TCp932Range {
  uint16_t First, Last;
};

// A character written as a code that reads back as another one (U+00A5 as 0x5C).
struct TCp932OneWay {
  char16_t Unicode;
  uint16_t Code;
};

// Every code read, by First; no run crosses a gap.
extern const std::span<const TCp932Run> Cp932Runs;
extern const std::span<const char16_t> Cp932Listed;
// Codes read but never written: a character CP932 holds twice (NEC's and IBM's ∵) is written
// as the code Windows picks, and its other code is here.
extern const std::span<const TCp932Range> Cp932DecodeOnly;
extern const std::span<const TCp932OneWay> Cp932EncodeOnly;

}  // namespace Platform
