// DataFiles -- "dat\x" below the working folder or in the installed data folder.
#include "platform/DataFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/TextCodec.h"

namespace Platform {

namespace fs = std::filesystem;

namespace {

bool IsDataName(const std::string& name) { return name.rfind("dat\\", 0) == 0; }

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

// Asked on every open: tests and the replay harness change the working folder between games.
bool WorkingFolderHasData() { return IsFolder("dat"); }

bool InstalledDataExists() {
  std::string installed = InstalledDataFolder();
  return !installed.empty() && IsFolder(installed);
}

// A native (UTF-8) path as CP932 text for a message; kept as it is when CP932 cannot hold it.
std::string PathText(const fs::path& path) {
  std::string cp932;
  size_t badOffset = 0;
  return Utf8ToCp932(path.string(), cp932, badOffset) ? cp932 : path.string();
}

}  // namespace

std::string NativeFileName(const std::string& name) {
  std::string out = name;
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(out[i]))) {
      ++i;
    } else if (out[i] == '\\') {
      out[i] = '/';
    }
  }
  if (!IsDataName(name) || WorkingFolderHasData() || !InstalledDataExists()) return out;
  return InstalledDataFolder() + out.substr(3);  // "dat/x" -> FOLDER/x
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

std::string MissingDataFolderText(const std::string& name) {
  if (!IsDataName(name) || WorkingFolderHasData() || InstalledDataExists()) return "";
  std::error_code ec;
  std::string places = PathText(fs::current_path(ec) / "dat");
  if (!InstalledDataFolder().empty()) places += "、" + PathText(InstalledDataFolder());
  return "データのフォルダがありません（探した場所: " + places + "）。";
}

}  // namespace Platform
