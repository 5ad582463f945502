// SaveFiles -- slots, folders, the safe write and the defensive read of saved games.
#include "player/SaveFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>
#include <system_error>

#include "game/SaveText.h"
#include "game/UnitScript.h"

namespace fs = std::filesystem;

namespace {

bool persist = true;
std::map<std::string, std::string> memorySlots;  // --no-persist: slot file path -> text

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string SlotLabel(const std::string& slot) {
  if (slot == "quick") return "クイック";
  if (slot == "auto") return "オート";
  return slot;
}

std::string WriteFailure(const std::string& slot) { return "セーブ " + SlotLabel(slot) + "：書き込めませんでした"; }

// The file's bytes, at most SaveTextMax + 1 of them (one more tells a file too large).
TSaveRead ReadLimited(const std::string& path, std::string& bytes) {
  TSaveRead read;
  if (!persist) {
    auto found = memorySlots.find(path);
    if (found == memorySlots.end()) {
      read.Problem = TSaveProblem::Missing;
      read.Why = "no such save";
    } else {
      bytes = found->second;
    }
    return read;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  struct stat info{};
  if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    read.Problem = fd < 0 && errno == ENOENT ? TSaveProblem::Missing : TSaveProblem::Unreadable;
    read.Why = fd < 0 ? std::strerror(errno) : "not a plain file";
    if (fd >= 0) ::close(fd);
    return read;
  }
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      read.Problem = TSaveProblem::Unreadable;
      read.Why = std::strerror(errno);
      break;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
    if (bytes.size() > SaveTextMax) break;
  }
  ::close(fd);
  return read;
}

}  // namespace

void SetPersistence(bool on) {
  persist = on;
  memorySlots.clear();
}

bool Persisting() { return persist; }

TSaveRead ReadSlot(const std::string& slot, TSaveGame& save) {
  TSaveRead read;
  if (!IsSlotName(slot) || (persist && SavesFolder().empty())) {
    read.Problem = TSaveProblem::Unreadable;
    read.Why = "no saves folder";
    return read;
  }
  std::string bytes;
  read = ReadLimited(SlotFile(slot), bytes);
  // Saves made before stories were kept by name lie in a folder named by the file's hash.
  if (read.Problem == TSaveProblem::Missing && persist && !StoryFileId.empty() && StoryFileId != StoryId) {
    read = ReadLimited(
        (fs::path(SavesFolder()).parent_path() / StoryFileId / fs::path(SlotFile(slot)).filename()).string(), bytes);
  }
  if (read.Problem != TSaveProblem::None) return read;
  read = ReadSaveText(bytes, save);
  if (read.Problem != TSaveProblem::None) return read;
  if (std::string why = SaveMismatch(save); why == "another story") {
    read.Problem = TSaveProblem::OtherStory;
    read.Why = "a save of story " + save.Story;
  } else if (!why.empty()) {
    read.Problem = TSaveProblem::Unfit;
    read.Why = why;
    if (why.find(" is gone") != std::string::npos) read.Reason = "物語が変わり、保存した行がありません";
  }
  return read;
}

std::string SavesFolder() {
  std::string data = Environment("XDG_DATA_HOME");
  // A relative value is to be ignored, as the base directory rules say.
  if (data.empty() || data.front() != '/') {
    const std::string home = Environment("HOME");
    if (home.empty()) return "";
    data = (fs::path(home) / ".local" / "share").string();
  }
  return (fs::path(data) / "farrowmere" / "saves" / (StoryId.empty() ? "unknown" : StoryId)).string();
}

bool IsSlotName(const std::string& slot) {
  if (slot == "quick" || slot == "auto") return true;
  if (slot.empty() || slot.size() > 2 || slot.find_first_not_of("0123456789") != std::string::npos || slot[0] == '0')
    return false;
  return std::stoi(slot) <= SaveSlotCount;
}

std::string SlotFile(const std::string& slot) {
  std::string name = slot;
  if (slot != "quick" && slot != "auto") name = std::string("slot-") + (slot.size() == 1 ? "0" : "") + slot;
  return (fs::path(SavesFolder()) / (name + ".save")).string();
}

std::string WriteFileSafely(const std::string& path, const std::string& bytes) {
  const fs::path target(path);
  std::error_code ec;
  fs::create_directories(target.parent_path(), ec);
  if (ec) return "cannot make " + target.parent_path().string() + ": " + ec.message();
  const std::string temporary = path + ".tmp-" + std::to_string(::getpid());
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
  return why;
}

namespace {

// When this run of the game began: a temporary file written before is not one of its writes.
const fs::file_time_type RunBegan = fs::file_time_type::clock::now();

// The process id that ends a temporary file's name (NAME.tmp-PID), 0 when it has none.
pid_t TemporaryOwner(const std::string& name) {
  constexpr std::string_view mark = ".tmp-";
  const size_t at = name.rfind(mark);
  if (at == std::string::npos || at == 0) return 0;
  const std::string digits = name.substr(at + mark.size());
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  return static_cast<pid_t>(std::stol(digits));
}

}  // namespace

int RemoveStaleTemporaries() {
  const std::string folder = persist ? SavesFolder() : "";
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

std::string ReadSmallFile(const std::string& path, std::uintmax_t maxBytes, std::string& text) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > maxBytes) {
    return "not a plain file of at most " + std::to_string(maxBytes) + " bytes";
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in.good() && !in.eof()) return "cannot be read";
  text = bytes.str();
  return "";
}

std::string WriteSlot(const std::string& slot, const TSaveGame& save) {
  if (!IsSlotName(slot)) return WriteFailure(slot);
  const std::string text = WriteSaveText(save);
  if (!persist) {
    memorySlots[SlotFile(slot)] = text;
    return "";
  }
  const std::string why =
      SavesFolder().empty() ? "neither XDG_DATA_HOME nor HOME is set" : WriteFileSafely(SlotFile(slot), text);
  if (why.empty()) return "";
  std::fprintf(stderr, "farrowmere: the save was not written: %s\n", why.c_str());
  return WriteFailure(slot);
}

std::string LoadRefusal(const std::string& slot, const TSaveRead& read) {
  // A player started from a terminal, and a bug report, get the whole reason.
  if (read.Problem != TSaveProblem::Missing) {
    std::fprintf(stderr, "farrowmere: save %s (%s) not loaded: %s%s\n", slot.c_str(), SlotFile(slot).c_str(),
                 read.Line > 0 ? ("line " + std::to_string(read.Line) + ": ").c_str() : "", read.Why.c_str());
  }
  return SaveRefusalText(SlotLabel(slot), read);
}

bool SlotLoadable(const std::string& slot) {
  TSaveGame save;
  return ReadSlot(slot, save).Problem == TSaveProblem::None;
}

TSlotSummary PeekSlot(const std::string& slot) {
  TSlotSummary summary;
  summary.Slot = slot;
  TSaveRead read = ReadSlot(slot, summary.Save);
  summary.Empty = read.Problem == TSaveProblem::Missing;
  if (read.Problem != TSaveProblem::None) {
    summary.Save = TSaveGame{};
    if (!summary.Empty) summary.Refusal = SaveRefusalText(SlotLabel(slot), read);
  }
  return summary;
}
