// farrow-cp932-table: writes platform/Cp932Table.cpp, the CP932 table of platform/TextCodec, from
// the C library's CP932 converter, so that every target converts as this machine's C library does.
//   farrow-cp932-table FILE          write the table to FILE
//   farrow-cp932-table --check FILE  exit 1 when FILE differs from what would be written
// Exits 77 (a skipped test) when the C library has no CP932 converter to compare with.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/cp932/Cp932Tool.h"

namespace {

constexpr int NoConverter = 77;

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: farrow-cp932-table [--check] FILE\n");
    return 2;
  }
  const char* path = argv[argc - 1];
  TCp932Charset charset;
  std::string source, why;
  if (!EnumerateCp932(charset, why)) {
    std::fprintf(stderr, "farrow-cp932-table: %s\n", why.c_str());
    return why == NoCp932Converter ? NoConverter : 1;
  }
  if (!WriteCp932Table(charset, source, why)) {
    std::fprintf(stderr, "farrow-cp932-table: %s\n", why.c_str());
    return 1;
  }
  if (check) {
    if (ReadFile(path) == source) return 0;
    std::fprintf(stderr, "farrow-cp932-table: %s differs from the C library's CP932 table; run `make cp932-table`\n",
                 path);
    return 1;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << source;
  out.close();
  if (!out) {
    std::fprintf(stderr, "farrow-cp932-table: cannot write %s\n", path);
    return 1;
  }
  return 0;
}
