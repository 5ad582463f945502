// AssetFiles -- reading the committed files of dat/ in the asset tests: whole files and little-endian fields.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/BuildPaths.h"

namespace AssetFiles {
inline std::string DatPath(const std::string& name) { return std::string(BuildPaths::DatDir) + "/" + name; }

inline std::vector<uint8_t> Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t Le16(const std::vector<uint8_t>& d, size_t at) { return d.at(at) | d.at(at + 1) << 8; }
inline uint32_t Le32(const std::vector<uint8_t>& d, size_t at) { return Le16(d, at) | Le16(d, at + 2) << 16; }
}  // namespace AssetFiles
