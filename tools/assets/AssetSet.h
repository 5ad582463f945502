// AssetSet -- every file of dat/ that the generators make, written into one folder.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace AssetSet {
struct File {
  std::string name;  // e.g. "a.bmp"
  std::vector<uint8_t> bytes;
};

// All generated files, in a fixed order.
std::vector<File> Generate();
// Generate() written into folder (created if missing); throws on a write failure.
void WriteAll(const std::string& folder);
}  // namespace AssetSet
