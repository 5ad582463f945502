// QuilCrypt -- the enciphered scenario file: a "Velumon" header, then one line of 64 symbols
// (65 for a partial block) for every 48-byte block of the plain text, each enciphered with the
// key text followed by the file line before it; the plain text ends with a check line.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TQuilCrypt {
 public:
  TQuilCrypt() = delete;

  static constexpr int BlockSize = 48;
  static constexpr int SymbolsPerBlock = 64;
  using TBlock = std::array<uint8_t, BlockSize>;

  static const char* const Header;       // "Velumon"
  static const std::string SymbolSet;    // the 64 symbols, by value
  static const std::string CheckPrefix;  // "CheckCode:"

  // Deciphers fileName into lines[0 .. count-1] (no CR LF, no check line); at most
  // highIndex + 1 file lines are read and as many plain lines produced. result is "【成功】"
  // or the error that says why (lines and count are then not to be used).
  static void ReadCipherFile(const std::string& fileName, const std::string& keyText, std::string& result, int& count,
                             int highIndex, std::span<std::string> lines);

  // One file line to its plain bytes; false with the error in result.
  static bool DecodeCipherLine(const std::string& line, const std::string& keyText, std::string& plain,
                               std::string& result);
  static bool SymbolsToBlock(const std::string& symbols, TBlock& block, std::string& result);
  static std::string BlockToSymbols(const TBlock& block);
  // One pass per key byte, first to last; deciphering undoes them last to first.
  static void EncipherBlock(TBlock& block, const std::string& keyText);
  static void DecipherBlock(TBlock& block, const std::string& keyText);
  // "CheckCode:" + 64 symbols, vouching for every line of the text in order.
  static std::string MakeCheckCode(std::span<const std::string> lines);

  // The writer's side, for the story tool: the file lines (header first) that carry the plain
  // lines and their check line. The same lines and key always give the same file.
  static std::vector<std::string> EncodeLines(std::span<const std::string> lines, const std::string& keyText);
};
