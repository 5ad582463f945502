// ReadMarks -- the read marks' file, and the marks of this run.
#include "player/ReadMarks.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

#include "game/UnitScript.h"
#include "platform/Files.h"
#include "player/PlayerState.h"
#include "player/SaveFiles.h"

namespace {

constexpr char Magic[] = "farrowmere-read 1";
// Far more marks than a story of 9,999 lines leaves, even edited often.
constexpr std::uintmax_t ReadMarksMax = 4U << 20U;
constexpr size_t MarkDigits = 16;

}  // namespace

uint64_t LineMark(int index, const std::string& line) {
  // FNV-1a, 64 bits, over the index and the text.
  uint64_t hash = 14695981039346656037ULL;
  for (unsigned char c : std::to_string(index) + '\n' + line) hash = (hash ^ c) * 1099511628211ULL;
  return hash;
}

std::string ReadMarksFile() {
  const std::string folder = SavesFolder();
  return folder.empty() ? "" : Platform::JoinPath(folder, "read-marks");
}

std::string ReadMarksText(const TReadMarks& marks) {
  std::vector<uint64_t> sorted(marks.begin(), marks.end());
  std::sort(sorted.begin(), sorted.end());
  std::string text = std::string(Magic) + "\n";
  char digits[MarkDigits + 2];
  for (uint64_t mark : sorted) {
    std::snprintf(digits, sizeof digits, "%016llx\n", static_cast<unsigned long long>(mark));
    text += digits;
  }
  return text;
}

bool ParseReadMarks(const std::string& text, TReadMarks& marks, std::string& why) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != Magic) {
    why = "not a read-marks file of this version";
    return false;
  }
  TReadMarks read;
  for (int number = 2; std::getline(in, line); ++number) {
    if (line.size() != MarkDigits || line.find_first_not_of("0123456789abcdef") != std::string::npos) {
      why = "line " + std::to_string(number) + " is not understood";
      return false;
    }
    read.insert(std::stoull(line, nullptr, 16));
  }
  marks = std::move(read);
  return true;
}

bool ReadReadMarks(TReadMarks& marks) {
  marks.clear();
  const std::string path = ReadMarksFile();
  if (!Persisting() || path.empty() || !Platform::PathExists(path)) return true;
  std::string text;
  std::string why = ReadSmallFile(path, ReadMarksMax, text);
  if (why.empty()) ParseReadMarks(text, marks, why);
  if (why.empty()) return true;
  std::fprintf(stderr, "farrowmere: the read marks in %s are ignored and kept as they are: %s\n", path.c_str(),
               why.c_str());
  return false;
}

bool WriteReadMarks(const TReadMarks& marks) {
  if (!Persisting()) return true;
  const std::string path = ReadMarksFile();
  const std::string why =
      path.empty() ? "neither XDG_DATA_HOME nor HOME is set" : Platform::WriteFileSafely(path, ReadMarksText(marks));
  if (why.empty()) return true;
  std::fprintf(stderr, "farrowmere: the read marks were not written: %s\n", why.c_str());
  return false;
}

namespace {

// The marks are written after this many new ones (and on save, close and quit).
constexpr int kWriteEvery = 25;

struct TRunMarks {
  TReadMarks Read;        // the lines seen, in this run and before
  int Unwritten = 0;      // marks made since the file was last written
  bool KeepMarks = true;  // false: the file was refused and stays as it is
  Platform::TSubscription Closing;
};

std::unique_ptr<TRunMarks> run;

}  // namespace

void ReadMarksSetup() {
  ReadMarksFree();
  run = std::make_unique<TRunMarks>();
  run->KeepMarks = ReadReadMarks(run->Read);
  run->Closing = Player->Form->Closing.Subscribe([] {
    RememberReadMarks();
    return false;
  });
}

void ReadMarksFree() {
  RememberReadMarks();
  run.reset();
}

bool MarkLineRead(const std::string& line) {
  if (run == nullptr || Script == nullptr) return false;
  // The line output took the line just read: its place is one before the engine's.
  const bool added = run->Read.insert(LineMark(Script->Position - 1, line)).second;
  if (added && ++run->Unwritten >= kWriteEvery) RememberReadMarks();
  return added;
}

void RememberReadMarks() {
  if (run == nullptr || run->Unwritten == 0 || !run->KeepMarks) return;
  WriteReadMarks(run->Read);
  run->Unwritten = 0;  // a failure is said once, and tried again after more lines
}
