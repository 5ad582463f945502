// Cp932Tool -- what farrow-cp932-table reads from the C library and writes as C++.
#pragma once
#include <cstdint>
#include <map>
#include <string>

// The C library's CP932 converter, enumerated. A code is a byte (0x00..0xFF) or a lead byte and
// its trail byte (0x8140..0xFCFC).
struct TCp932Charset {
  std::map<uint16_t, char32_t> Decode;  // every code the converter reads, and its character
  std::map<char32_t, uint16_t> Encode;  // every character it writes, and the code it picks
};

// Why EnumerateCp932 fails on a machine without the converter (the table's test is then skipped).
inline constexpr char NoCp932Converter[] = "the C library has no CP932 converter";

// Asks the converter about every byte, every lead byte with every trail byte and every Unicode
// character. False, with why, when the C library has no CP932 converter or it breaks what the
// table can hold (a lead byte IsLeadByte does not know, a code read as two characters, ...).
bool EnumerateCp932(TCp932Charset& charset, std::string& why);

// The source of platform/Cp932Table.cpp for charset; false, with why, when charset does not fit
// the table's form (a character outside the Basic Multilingual Plane).
bool WriteCp932Table(const TCp932Charset& charset, std::string& source, std::string& why);
