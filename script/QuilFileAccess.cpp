// QuilFileAccess -- whole-file reading into a line table.
#include "script/QuilFileAccess.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <filesystem>

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
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    result = failed;
    return;
  }
  // Ctrl-Z marks the end of the file.
  size_t end = data.find('\x1A');
  if (end == std::string::npos) end = data.size();

  size_t pos = 0;
  while (pos < end) {
    if (static_cast<size_t>(count) >= lines.size()) {
      result = failed;
      return;
    }
    size_t lf = data.find('\n', pos);
    size_t stop = (lf == std::string::npos || lf > end) ? end : lf;
    std::string line;
    line.reserve(stop - pos);
    for (size_t i = pos; i < stop; ++i) {
      if (data[i] != '\r') line += data[i];  // CR before LF is the line end; a lone CR is dropped
    }
    lines[static_cast<size_t>(count)] = std::move(line);
    ++count;
    pos = (stop == end) ? end : stop + 1;
  }
  result = ResultSuccess;
}
