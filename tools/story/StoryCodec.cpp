// StoryCodec -- enciphering a source into a scenario file (written atomically) and deciphering
// one for reading.
#include "tools/story/StoryCodec.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "author/StoryCheck.h"
#include "author/StorySource.h"
#include "cipher/QuilCrypt.h"
#include "platform/TextCodec.h"
#include "script/QuilScript.h"
#include "script/ResultTags.h"

namespace Story {

namespace {

// Writes the text to a temporary file next to path; false with the reason in error.
bool WriteTemporary(const std::string& path, const std::string& text, std::string& tempPath, std::string& error) {
  std::filesystem::path target(path);
  std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  // Appended rather than "." + name: GCC 12 at -O2 warns falsely (-Wrestrict) on a literal
  // prepended to a temporary string.
  std::string hidden = ".";
  hidden += target.filename().string();
  hidden += ".XXXXXX";
  std::string pattern = (folder / hidden).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  tempPath = name.data();
  // mkstemp makes the file private; a scenario is an ordinary file.
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      close(fd);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0 || close(fd) != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

// Reads the written file back the way the game does; it must give the source lines again.
bool ReadsBack(const std::string& path, const std::string& key, const std::vector<std::string>& lines,
               std::string& result) {
  auto table = std::make_unique<std::array<std::string, TQuilScript::MaxLines>>();
  int count = 0;
  TQuilCrypt::ReadCipherFile(path, key, result, count, TQuilScript::MaxLines - 1, *table);
  if (result != ResultSuccess) return false;
  if (static_cast<size_t>(count) != lines.size() || !std::equal(lines.begin(), lines.end(), table->begin())) {
    result = "the enciphered file does not read back as the source";
    return false;
  }
  return true;
}

}  // namespace

int Encode(const std::string& sourcePath, const std::string& outPath, const std::string& key, bool isCp932) {
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(sourcePath, bytes, error)) {
    std::cerr << "farrow-story: cannot read " << sourcePath << ": " << error << "\n";
    return 1;
  }
  TSource source = ConvertSource(bytes, isCp932);
  for (const TBadCharacter& bad : source.Bad) {
    std::cerr << sourcePath << ":" << bad.Line << ": error: " << BadCharacterText(bad) << "\n";
  }
  if (!source.Bad.empty()) return 1;
  if (source.Lines.size() > static_cast<size_t>(TQuilScript::MaxScenarioLines)) {
    std::cerr << sourcePath << ":" << TQuilScript::MaxScenarioLines + 1
              << ": error: more than 9,999 lines; the game holds at most 9,999\n";
    return 1;
  }
  size_t fileLines = EncipheredLineCount(source.Lines);
  if (fileLines > static_cast<size_t>(TQuilScript::MaxLines)) {
    std::cerr << sourcePath << ": error: the enciphered file would have " << fileLines
              << " lines; the game reads at most 10,000 (about 480,000 bytes of text)\n";
    return 1;
  }

  std::string text;
  for (const std::string& line : TQuilCrypt::EncodeLines(source.Lines, key)) text += line + "\r\n";
  std::string tempPath;
  if (!WriteTemporary(outPath, text, tempPath, error)) {
    if (!tempPath.empty()) std::remove(tempPath.c_str());
    std::cerr << "farrow-story: cannot write " << outPath << ": " << error << "\n";
    return 1;
  }
  std::string result;
  if (!ReadsBack(tempPath, key, source.Lines, result)) {
    std::remove(tempPath.c_str());
    std::cerr << "farrow-story: " << outPath << " was not written: " << ShowResult(result, tempPath) << "\n";
    return 1;
  }
  if (std::rename(tempPath.c_str(), outPath.c_str()) != 0) {
    error = std::strerror(errno);
    std::remove(tempPath.c_str());
    std::cerr << "farrow-story: cannot write " << outPath << ": " << error << "\n";
    return 1;
  }
  return 0;
}

int Decode(const std::string& path, const std::string& key) {
  auto table = std::make_unique<std::array<std::string, TQuilScript::MaxLines>>();
  int count = 0;
  std::string result;
  TQuilCrypt::ReadCipherFile(path, key, result, count, TQuilScript::MaxLines - 1, *table);
  if (result != ResultSuccess) {
    std::cerr << ShowResult(result, path) << "\n";
    return 1;
  }
  std::string out;
  for (int i = 0; i < count; ++i) out += Platform::Cp932ToUtf8((*table)[static_cast<size_t>(i)]) + "\n";
  std::cout << out;
  return 0;
}

}  // namespace Story
