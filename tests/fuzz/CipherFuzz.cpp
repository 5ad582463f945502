// CipherFuzz -- the cipher reader on arbitrary file bytes, into the game's table and into a
// table of five lines. A file it accepts must come back the same through the writer.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cipher/QuilCrypt.h"
#include "script/QuilScript.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

const std::string Key = "fable.txt";

// Reads the file into a table whose highest index is highIndex; the plain lines on success.
bool Read(const std::string& fileName, int highIndex, std::vector<std::string>& plain) {
  static std::vector<std::string> table;  // kept from input to input: 10,000 lines are costly to make
  table.assign(static_cast<size_t>(highIndex) + 1, std::string());
  std::string result;
  int count = -1;
  TQuilCrypt::ReadCipherFile(fileName, Key, result, count, highIndex, table);
  if (result != "【成功】") return false;
  if (count < 0 || count > highIndex) {
    std::fprintf(stderr, "ReadCipherFile succeeded with %d lines for a table of %d\n", count, highIndex + 1);
    std::abort();
  }
  plain.assign(table.begin(), table.begin() + count);
  return true;
}

void ExpectRoundTrip(const std::vector<std::string>& plain) {
  std::string bytes;
  for (const std::string& line : TQuilCrypt::EncodeLines(plain, Key)) bytes += line + "\r\n";
  std::vector<std::string> again;
  if (!Read(Fuzz::WriteScratch(".again.crp.txt", bytes), TQuilScript::MaxLines - 1, again) || again != plain) {
    std::fprintf(stderr, "the writer's file of %zu accepted lines does not read back the same\n", plain.size());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string file = Fuzz::WriteScratch(".crp.txt", std::string(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> plain;
  if (Read(file, TQuilScript::MaxLines - 1, plain)) ExpectRoundTrip(plain);
  if (Read(file, 4, plain)) ExpectRoundTrip(plain);
  return 0;
}
