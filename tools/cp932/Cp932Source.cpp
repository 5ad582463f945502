// Cp932Source -- the enumerated CP932 converter written as the C++ table platform/TextCodec reads.
#include "tools/cp932/Cp932Tool.h"

#include <cstdio>
#include <iterator>
#include <vector>

namespace {

// A stretch of codes whose characters follow each other is written as a range when it is at
// least this long; shorter ones are listed code by code.
constexpr size_t LinearAtLeast = 8;

struct TRun {
  uint16_t First, Last;
  bool Linear;
  uint32_t At;  // the first character (linear) or the index of the first listed one
};

std::string Hex4(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

// Codes, each followed by its character's code point plus one, as far as the stretch goes.
size_t LinearLength(const std::map<uint16_t, char32_t>& decode, std::map<uint16_t, char32_t>::const_iterator at) {
  size_t length = 1;
  for (auto next = std::next(at); next != decode.end(); at = next++, ++length) {
    if (next->first != at->first + 1 || next->second != at->second + 1) break;
  }
  return length;
}

// Runs of codes without a gap, each linear or listed, and the listed characters in code order.
void SplitRuns(const std::map<uint16_t, char32_t>& decode, std::vector<TRun>& runs, std::vector<char32_t>& listed) {
  for (auto at = decode.begin(); at != decode.end();) {
    const size_t length = LinearLength(decode, at);
    if (length >= LinearAtLeast) {
      const auto last = std::next(at, static_cast<long>(length) - 1);
      runs.push_back({at->first, last->first, true, at->second});
      at = std::next(last);
      continue;
    }
    const bool follows = !runs.empty() && !runs.back().Linear && runs.back().Last + 1 == at->first;
    if (follows) {
      runs.back().Last = at->first;
    } else {
      runs.push_back({at->first, at->first, false, static_cast<uint32_t>(listed.size())});
    }
    listed.push_back(at->second);
    ++at;
  }
}

// Ranges of codes without a gap.
std::vector<std::pair<uint16_t, uint16_t>> Ranges(const std::vector<uint16_t>& codes) {
  std::vector<std::pair<uint16_t, uint16_t>> ranges;
  for (uint16_t code : codes) {
    if (!ranges.empty() && ranges.back().second + 1 == code) {
      ranges.back().second = code;
    } else {
      ranges.emplace_back(code, code);
    }
  }
  return ranges;
}

const char* const Heading =
    "// Cp932Table -- every CP932 code and its character, and the code written for each character.\n"
    "// Written by farrow-cp932-table (tools/cp932) from the C library's CP932 converter: do not edit,\n"
    "// run `make cp932-table`.\n"
    "#include \"platform/Cp932Table.h\"\n"
    "\n"
    "// clang-format off\n"
    "namespace Platform {\n"
    "\n"
    "namespace {\n";

const char* const Closing =
    "}  // namespace\n"
    "\n"
    "const std::span<const TCp932Run> Cp932Runs(Runs);\n"
    "const std::span<const char16_t> Cp932Listed(Listed);\n"
    "const std::span<const TCp932Range> Cp932DecodeOnly(DecodeOnly);\n"
    "const std::span<const TCp932OneWay> Cp932EncodeOnly(EncodeOnly);\n"
    "\n"
    "}  // namespace Platform\n"
    "// clang-format on\n";

}  // namespace

bool WriteCp932Table(const TCp932Charset& charset, std::string& source, std::string& why) {
  std::vector<uint16_t> decodeOnly;
  for (const auto& [code, c] : charset.Decode) {
    if (c > 0xFFFF) {
      why = "the code " + Hex4(code) + " reads as a character outside the Basic Multilingual Plane";
      return false;
    }
    const auto written = charset.Encode.find(c);
    if (written == charset.Encode.end() || written->second != code) decodeOnly.push_back(code);
  }
  std::vector<std::pair<char32_t, uint16_t>> encodeOnly;
  for (const auto& [c, code] : charset.Encode) {
    const auto read = charset.Decode.find(code);
    if (read == charset.Decode.end()) {
      why = "the code " + Hex4(code) + " is written but not read";
      return false;
    }
    if (read->second != c) encodeOnly.emplace_back(c, code);
  }
  std::vector<TRun> runs;
  std::vector<char32_t> listed;
  SplitRuns(charset.Decode, runs, listed);

  source = Heading;
  source += "\n// Every code the converter reads, in order.\nconstexpr TCp932Run Runs[] = {\n";
  for (const TRun& run : runs) {
    source += "    {" + Hex4(run.First) + ", " + Hex4(run.Last) +
              ", TCp932Kind::" + (run.Linear ? "Linear, " : "Listed, ") +
              (run.Linear ? Hex4(run.At) : std::to_string(run.At)) + "},\n";
  }
  source += "};\n\n// The characters of the listed runs, run after run.\nconstexpr char16_t Listed[] = {\n";
  for (const TRun& run : runs) {
    if (run.Linear) continue;
    source += "    // " + Hex4(run.First) + ".." + Hex4(run.Last) + "\n";
    const size_t count = run.Last - run.First + 1;
    for (size_t i = 0; i < count; ++i) {
      source += (i % 12 == 0 ? "    " : " ") + Hex4(listed[run.At + i]) + ",";
      if (i % 12 == 11 || i + 1 == count) source += "\n";
    }
  }
  source += "};\n\n// Codes read but never written: the converter writes the other code of the same character.\n";
  source += "constexpr TCp932Range DecodeOnly[] = {\n";
  for (const auto& [first, last] : Ranges(decodeOnly)) source += "    {" + Hex4(first) + ", " + Hex4(last) + "},\n";
  source += "};\n\n// Characters written as a code that reads as another character.\n";
  source += "constexpr TCp932OneWay EncodeOnly[] = {\n";
  for (const auto& [c, code] : encodeOnly) source += "    {" + Hex4(c) + ", " + Hex4(code) + "},\n";
  source += "};\n\n";
  source += Closing;
  return true;
}
