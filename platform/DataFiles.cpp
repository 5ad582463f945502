// DataFiles -- "dat\x" in the data folder the program chose, or below the working folder.
#include "platform/DataFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/TextCodec.h"

namespace Platform {

namespace fs = std::filesystem;

namespace {

std::string& ChosenFolder() {
  static std::string folder;
  return folder;
}

}  // namespace

void SetDataFolder(const std::string& folder) { ChosenFolder() = folder; }

std::string DataFolder() { return ChosenFolder().empty() ? std::string("dat") : ChosenFolder(); }

std::string NativeFileName(const std::string& name) {
  std::string out = name;
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(out[i]))) {
      ++i;
    } else if (out[i] == '\\') {
      out[i] = '/';
    }
  }
  if (name.rfind("dat\\", 0) != 0 || ChosenFolder().empty()) return out;
  return (fs::path(ChosenFolder()) / out.substr(4)).string();  // "dat/x" -> FOLDER/x
}

std::string InstalledDataFolder() {
  static const std::string folder = [] {
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec || program.empty()) return std::string();
    return (program.parent_path() / FARROW_DATA_FROM_PROGRAM).lexically_normal().string();
  }();
  return folder;
}

std::string UnreadableReason(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  std::error_code ec;
  bool folder = fs::is_directory(path, ec);
  ::close(fd);
  return folder ? "is a folder" : "";
}

std::string PathText(const std::string& path) {
  std::string cp932;
  size_t badOffset = 0;
  return Utf8ToCp932(path, cp932, badOffset) ? cp932 : path;
}

}  // namespace Platform
