// Files -- XDG folders, the safe write and the bounded reader over POSIX and <filesystem>.
#include "platform/Files.h"
#include "platform/FilesKept.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

namespace Platform {

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The XDG variable's folder, else HOME's below; a relative value is to be ignored, as the base
// directory rules say.
std::string BaseFolder(const char* variable, const char* belowHome) {
  std::string set = Environment(variable);
  if (!set.empty() && set.front() == '/') return set;
  const std::string home = Environment("HOME");
  return home.empty() ? "" : (fs::path(home) / belowHome).string();
}

// The desktop's own answer; "" when the tool is missing or says nothing.
std::string AskXdgUserDir() {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen("xdg-user-dir PICTURES 2>/dev/null", "r"), pclose);
  if (pipe == nullptr) return "";
  std::string answer;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) answer += buffer;
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
  return answer;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return fs::path(a).lexically_normal() == fs::path(b).lexically_normal() ||
         fs::path(a + "/").lexically_normal() == fs::path(b + "/").lexically_normal();
}

// When this run of the game began: a temporary file written before is not one of its writes.
const fs::file_time_type RunBegan = fs::file_time_type::clock::now();

constexpr std::string_view TemporaryMark = ".tmp-";

// The process id that ends a temporary file's name (NAME.tmp-PID), 0 when it has none.
pid_t TemporaryOwner(const std::string& name) {
  const size_t at = name.rfind(TemporaryMark);
  if (at == std::string::npos || at == 0) return 0;
  const std::string digits = name.substr(at + TemporaryMark.size());
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  return static_cast<pid_t>(std::stol(digits));
}

}  // namespace

std::string DataHome() { return BaseFolder("XDG_DATA_HOME", ".local/share"); }

std::string ConfigHome() { return BaseFolder("XDG_CONFIG_HOME", ".config"); }

std::string PicturesFolder() {
  const std::string home = Environment("HOME");
  std::string pictures = AskXdgUserDir();
  // Without a pictures folder of its own the tool answers the home folder.
  if (pictures.empty() || (!home.empty() && SameFolder(pictures, home))) pictures = Environment("XDG_PICTURES_DIR");
  if (pictures.empty()) pictures = (fs::path(home.empty() ? "." : home) / "Pictures").string();
  return pictures;
}

std::string JoinPath(const std::string& folder, const std::string& name) { return (fs::path(folder) / name).string(); }

std::string ParentFolder(const std::string& path) { return fs::path(path).parent_path().string(); }

std::string LastPart(const std::string& path) { return fs::path(path).filename().string(); }

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  fs::path where = fs::absolute(path, ec);
  if (ec) where = path;
  return where.lexically_normal().string();
}

bool PathExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool IsPlainFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

std::string MakeFolders(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return ec ? "cannot make " + folder + ": " + ec.message() : "";
}

std::string WriteFileSafely(const std::string& path, const std::string& bytes) {
  if (std::string why = MakeFolders(ParentFolder(path)); !why.empty()) return why;
  const std::string temporary = path + std::string(TemporaryMark) + std::to_string(::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return "cannot write " + temporary + ": " + std::strerror(errno);
  std::string why;
  size_t done = 0;
  while (done < bytes.size() && why.empty()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) why = std::string("cannot write ") + temporary + ": " + std::strerror(wrote < 0 ? errno : ENOSPC);
    if (wrote > 0) done += static_cast<size_t>(wrote);
  }
  if (why.empty() && ::fsync(fd) != 0) why = std::string("cannot flush ") + temporary + ": " + std::strerror(errno);
  if (::close(fd) != 0 && why.empty()) why = std::string("cannot close ") + temporary + ": " + std::strerror(errno);
  if (why.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
    why = "cannot rename " + temporary + ": " + std::strerror(errno);
  }
  if (!why.empty()) ::unlink(temporary.c_str());
  return why.empty() ? KeepWrittenFiles() : why;
}

int RemoveStaleTemporaries(const std::string& folder) {
  if (folder.empty()) return 0;
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    const pid_t owner = TemporaryOwner(it->path().filename().string());
    if (owner <= 0 || it->symlink_status(fileEc).type() != fs::file_type::regular) continue;
    const fs::file_time_type written = fs::last_write_time(it->path(), fileEc);
    // A game still running (another window on the same story) may be about to rename it. A
    // process numbered as this one is this one (a sandbox numbers each run alike), which has
    // written nothing yet.
    const bool ownerRuns = owner != ::getpid() && (::kill(owner, 0) == 0 || errno == EPERM);
    if (fileEc || written >= RunBegan || ownerRuns) continue;
    if (fs::remove(it->path(), fileEc)) ++removed;
  }
  return removed;
}

TFileRead ReadBoundedFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes, TLinks links) {
  TFileRead read;
  auto fail = [&read](TFileProblem problem, std::string why) {
    read.Problem = problem;
    read.Why = std::move(why);
    return read;
  };
  // Not blocking: opening a pipe would wait for a writer.
  const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (links == TLinks::Refuse ? O_NOFOLLOW : 0);
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0) return fail(errno == ENOENT ? TFileProblem::Missing : TFileProblem::Unreadable, std::strerror(errno));
  struct stat info{};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return fail(TFileProblem::NotPlain, "not a plain file");
  }
  const std::string tooLarge = "larger than " + std::to_string(maxBytes) + " bytes";
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
    ::close(fd);
    return fail(TFileProblem::TooLarge, tooLarge);
  }
  bytes.clear();
  char buffer[65536];
  // One byte more than the limit tells a file that grew since it was asked.
  while (read.Problem == TFileProblem::None && bytes.size() <= maxBytes) {
    const size_t want = static_cast<size_t>(std::min<std::uintmax_t>(sizeof buffer, maxBytes + 1 - bytes.size()));
    const ssize_t got = ::read(fd, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) fail(TFileProblem::Unreadable, std::strerror(errno));
    if (got <= 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  if (read.Problem == TFileProblem::None && bytes.size() > maxBytes) fail(TFileProblem::TooLarge, tooLarge);
  if (read.Problem != TFileProblem::None) bytes.clear();
  return read;
}

bool FileStamp(const std::string& path, TFileStamp& stamp) {
  std::error_code ec;
  const fs::file_time_type changed = fs::last_write_time(path, ec);
  if (ec) return false;
  stamp.Size = fs::file_size(path, ec);
  stamp.Changed = static_cast<std::int64_t>(changed.time_since_epoch().count());
  return !ec;
}

}  // namespace Platform
