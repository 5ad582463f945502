// QuilFileAccess -- whole-file reading into a line table.
#include "script/QuilFileAccess.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/DataFiles.h"
#include "script/ResultTags.h"

bool TQuilFileAccess::FileExists(const std::string& fileName) {
  std::error_code ec;
  return std::filesystem::is_regular_file(Platform::NativeFileName(fileName), ec);
}

void TQuilFileAccess::InTextSet(const std::string& fileName, std::span<std::string> lines, int& count,
                                std::string& result) {
  if (!FileExists(fileName)) {
    result = std::string(ResultError) + "存在しないファイル：" + fileName;
    return;
  }
  count = 0;
  const std::string failed = std::string(ResultError) + "【TQuilFileAccess.InTextSet】" + fileName;
  std::ifstream in(Platform::NativeFileName(fileName), std::ios::binary);
  if (!in) {
    result = failed;
    return;
  }
  // Line by line, so that a file far longer than the table is read no further than one line
  // past what the table holds.
  std::string line;
  while (in.peek() != std::char_traits<char>::eof() && in.peek() != '\x1A') {  // Ctrl-Z ends the file
    if (static_cast<size_t>(count) >= lines.size()) {
      result = failed;
      return;
    }
    std::getline(in, line);
    if (in.bad()) break;
    size_t eof = line.find('\x1A');
    bool last = eof != std::string::npos;
    if (last) line.erase(eof);
    std::erase(line, '\r');  // CR before LF is the line end; a lone CR is dropped
    lines[static_cast<size_t>(count)] = std::move(line);
    ++count;
    if (last) break;
  }
  if (in.bad()) {
    result = failed;
    return;
  }
  result = ResultSuccess;
}
