// FuzzTarget -- the scratch files of a fuzz target.
#include "tests/fuzz/FuzzTarget.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

#include <unistd.h>

namespace Fuzz {

namespace {

// Names made so far, removed at exit (an AFL++ run ends the process with exit as well).
std::map<std::string, std::string>& ScratchNames() {
  static std::map<std::string, std::string> names;
  return names;
}

void RemoveScratch() {
  for (const auto& [suffix, name] : ScratchNames()) std::remove(name.c_str());
}

}  // namespace

std::string WriteScratch(const std::string& suffix, const std::string& bytes) {
  auto& names = ScratchNames();
  auto found = names.find(suffix);
  if (found == names.end()) {
    if (names.empty()) std::atexit(RemoveScratch);
    std::string name =
        (std::filesystem::temp_directory_path() / ("farrow-fuzz-" + std::to_string(::getpid()) + suffix)).string();
    found = names.emplace(suffix, name).first;
  }
  FILE* file = std::fopen(found->second.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write the scratch file " + found->second);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) throw std::runtime_error("cannot write the scratch file " + found->second);
  return found->second;
}

}  // namespace Fuzz
