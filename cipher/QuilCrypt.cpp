// QuilCrypt -- symbol packing, the chained block cipher and the check line.
#include "cipher/QuilCrypt.h"

#include <memory>
#include <stdexcept>

#include "platform/TextCodec.h"
#include "script/QuilFileAccess.h"
#include "script/ResultTags.h"

const char* const TQuilCrypt::Header = "Velumon";
const std::string TQuilCrypt::SymbolSet = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-_";
const std::string TQuilCrypt::CheckPrefix = "CheckCode:";

namespace {

struct TPass {
  int High;  // rotation of the high halves, 1 to 4
  int Low;   // rotation of the low halves, 9 to 12
  int Mul;   // odd multiplier, 3 to 33
};

TPass PassFor(uint8_t k) { return {k / 64 + 1, (k / 16) % 4 + 9, (k % 16) * 2 + 3}; }

// Inverses modulo 256 of every odd number, built once: deciphering divides by the multiplier.
const std::array<uint8_t, 256>& Inverses() {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    for (int m = 1; m < 256; m += 2) {
      for (int v = 1; v < 256; v += 2) {
        if ((m * v) % 256 == 1) t[m] = static_cast<uint8_t>(v);
      }
    }
    return t;
  }();
  return table;
}

// new[j] = old[(j - n) mod 48] for the high and the low halves separately (n is 1 to 47).
void RotateHalves(TQuilCrypt::TBlock& b, int high, int low) {
  TQuilCrypt::TBlock out;
  const int n = TQuilCrypt::BlockSize;
  for (int j = 0; j < n; ++j) {
    int from = j - high < 0 ? j - high + n : j - high;
    int fromLow = j - low < 0 ? j - low + n : j - low;
    out[static_cast<size_t>(j)] =
        static_cast<uint8_t>((b[static_cast<size_t>(from)] & 0xF0) | (b[static_cast<size_t>(fromLow)] & 0x0F));
  }
  b = out;
}

// The check code's fixed starting block.
TQuilCrypt::TBlock CheckStart() {
  TQuilCrypt::TBlock b{};
  for (int i = 0; i < TQuilCrypt::BlockSize; ++i) b[static_cast<size_t>(i)] = static_cast<uint8_t>((i * 73 + 41) % 256);
  return b;
}

// The offending character for an error text: a double-byte character comes whole.
std::string CharacterAt(const std::string& s, size_t i) {
  if (Platform::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) return s.substr(i, 2);
  return s.substr(i, 1);
}

int SymbolValue(char c) {
  size_t at = TQuilCrypt::SymbolSet.find(c);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

}  // namespace

void TQuilCrypt::EncipherBlock(TBlock& block, const std::string& keyText) {
  for (unsigned char k : keyText) {
    TPass p = PassFor(k);
    RotateHalves(block, p.High, p.Low);
    for (int i = 0; i < BlockSize; ++i) {
      auto& b = block[static_cast<size_t>(i)];
      b = static_cast<uint8_t>((b * p.Mul + i + 1) % 256);
    }
  }
}

void TQuilCrypt::DecipherBlock(TBlock& block, const std::string& keyText) {
  const auto& inverse = Inverses();
  for (auto it = keyText.rbegin(); it != keyText.rend(); ++it) {
    TPass p = PassFor(static_cast<uint8_t>(*it));
    for (int i = 0; i < BlockSize; ++i) {
      auto& b = block[static_cast<size_t>(i)];
      int t = ((b - i - 1) % 256 + 256) % 256;
      b = static_cast<uint8_t>((t * inverse[static_cast<size_t>(p.Mul)]) % 256);
    }
    RotateHalves(block, BlockSize - p.High, BlockSize - p.Low);
  }
}

std::string TQuilCrypt::BlockToSymbols(const TBlock& block) {
  std::string out;
  out.reserve(SymbolsPerBlock);
  // 48 bytes = 16 groups of 3 bytes = 64 groups of 6 bits, most significant bit first.
  for (size_t i = 0; i < block.size(); i += 3) {
    uint32_t bits = (block[i] << 16) | (block[i + 1] << 8) | block[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) out += SymbolSet[(bits >> shift) & 63];
  }
  return out;
}

bool TQuilCrypt::SymbolsToBlock(const std::string& symbols, TBlock& block, std::string& result) {
  if (symbols.size() < static_cast<size_t>(SymbolsPerBlock)) {
    result = std::string(ResultError) + "不正な行：" + symbols;
    return false;
  }
  for (size_t g = 0; g < static_cast<size_t>(SymbolsPerBlock / 4); ++g) {
    uint32_t bits = 0;
    for (size_t s = 0; s < 4; ++s) {
      size_t at = g * 4 + s;
      int v = SymbolValue(symbols[at]);
      if (v < 0) {
        result = std::string(ResultError) + "不正な文字：" + CharacterAt(symbols, at);
        return false;
      }
      bits = (bits << 6) | static_cast<uint32_t>(v);
    }
    block[g * 3] = static_cast<uint8_t>(bits >> 16);
    block[g * 3 + 1] = static_cast<uint8_t>(bits >> 8);
    block[g * 3 + 2] = static_cast<uint8_t>(bits);
  }
  return true;
}

bool TQuilCrypt::DecodeCipherLine(const std::string& line, const std::string& keyText, std::string& plain,
                                  std::string& result) {
  int length = BlockSize;
  if (line.size() == static_cast<size_t>(SymbolsPerBlock) + 1) {
    int v = SymbolValue(line[SymbolsPerBlock]);
    if (v < 0) {
      result = std::string(ResultError) + "不正な文字：" + CharacterAt(line, SymbolsPerBlock);
      return false;
    }
    length = v + 1;
  } else if (line.size() != static_cast<size_t>(SymbolsPerBlock)) {
    result = std::string(ResultError) + "不正な行：" + line;
    return false;
  }
  TBlock block{};
  if (!SymbolsToBlock(line, block, result)) return false;
  // The count is judged only once all 64 symbols have been read: a bad symbol is named first.
  // A count above 48 cannot come from a block.
  if (length > BlockSize) throw std::runtime_error("partial block count above 48");
  DecipherBlock(block, keyText);
  plain.assign(block.begin(), block.begin() + length);
  return true;
}

std::string TQuilCrypt::MakeCheckCode(std::span<const std::string> lines) {
  TBlock state = CheckStart();
  for (const std::string& line : lines) EncipherBlock(state, line);
  return CheckPrefix + BlockToSymbols(state);
}

void TQuilCrypt::ReadCipherFile(const std::string& fileName, const std::string& keyText, std::string& result,
                                int& count, int highIndex, std::span<std::string> lines) {
  if (highIndex < 0 || static_cast<size_t>(highIndex) >= lines.size()) {
    result = std::string(ResultError) + "復号化失敗";
    return;
  }
  const size_t capacity = static_cast<size_t>(highIndex) + 1;
  auto fileLines = std::make_unique<std::string[]>(capacity);
  int fileCount = 0;
  TQuilFileAccess::InTextSet(fileName, std::span<std::string>(fileLines.get(), capacity), fileCount, result);
  if (result != ResultSuccess) return;

  try {
    if (fileCount < 1 || fileLines[0] != Header) {
      result = std::string(ResultError) + "不正なヘッダ";
      return;
    }
    size_t plainCount = 0;
    std::string pending;
    for (int i = 1; i < fileCount; ++i) {
      std::string plain;
      if (!DecodeCipherLine(fileLines[static_cast<size_t>(i)], keyText + fileLines[static_cast<size_t>(i - 1)], plain,
                            result)) {
        return;
      }
      for (char c : plain) {
        pending += c;
        if (pending.size() >= 2 && pending.compare(pending.size() - 2, 2, "\r\n") == 0) {
          pending.resize(pending.size() - 2);
          if (plainCount >= capacity) throw std::runtime_error("too many plain lines");
          lines[plainCount++] = std::move(pending);
          pending.clear();
        }
      }
    }
    if (!pending.empty()) {
      if (plainCount >= capacity) throw std::runtime_error("too many plain lines");
      lines[plainCount++] = std::move(pending);
    }
    if (plainCount == 0) throw std::runtime_error("no plain line");

    const size_t textCount = plainCount - 1;
    if (lines[textCount] != MakeCheckCode(lines.first(textCount))) {
      result = std::string(ResultError) + "不正なデータ";
      return;
    }
    count = static_cast<int>(textCount);
    result = ResultSuccess;
  } catch (const std::exception&) {
    result = std::string(ResultError) + "復号化失敗";
  }
}

std::vector<std::string> TQuilCrypt::EncodeLines(std::span<const std::string> lines, const std::string& keyText) {
  std::string plain;
  for (const std::string& line : lines) plain += line + "\r\n";
  plain += MakeCheckCode(lines) + "\r\n";

  std::vector<std::string> file{Header};
  for (size_t at = 0; at < plain.size(); at += BlockSize) {
    size_t length = std::min(plain.size() - at, static_cast<size_t>(BlockSize));
    TBlock block{};
    for (size_t i = 0; i < length; ++i) block[i] = static_cast<uint8_t>(plain[at + i]);
    EncipherBlock(block, keyText + file.back());
    std::string symbols = BlockToSymbols(block);
    if (length < static_cast<size_t>(BlockSize)) symbols += SymbolSet[length - 1];
    file.push_back(symbols);
  }
  return file;
}
