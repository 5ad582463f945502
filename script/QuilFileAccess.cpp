// QuilFileAccess -- whole-file reading into a line table.
#include "script/QuilFileAccess.h"

#include "platform/DataFiles.h"
#include "platform/Files.h"
#include "script/ResultTags.h"

bool TQuilFileAccess::FileExists(const std::string& fileName) {
  return Platform::IsPlainFile(Platform::NativeFileName(fileName));
}

void TQuilFileAccess::InTextSet(const std::string& fileName, std::span<std::string> lines, int& count,
                                std::string& result) {
  if (!FileExists(fileName)) {
    result = std::string(ResultError) + "存在しないファイル：" + fileName;
    return;
  }
  count = 0;
  const std::string failed = std::string(ResultError) + "【TQuilFileAccess.InTextSet】" + fileName;
  std::string bytes;
  if (Platform::ReadBoundedFile(Platform::NativeFileName(fileName), Platform::WholeFileMax, bytes).Problem !=
      Platform::TFileProblem::None) {
    result = failed;
    return;
  }
  size_t at = 0;
  while (at < bytes.size() && bytes[at] != '\x1A') {  // Ctrl-Z ends the file
    if (static_cast<size_t>(count) >= lines.size()) {
      result = failed;
      return;
    }
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    at = end + 1;
    size_t eof = line.find('\x1A');
    bool last = eof != std::string::npos;
    if (last) line.erase(eof);
    std::erase(line, '\r');  // CR before LF is the line end; a lone CR is dropped
    lines[static_cast<size_t>(count)] = std::move(line);
    ++count;
    if (last) break;
  }
  result = ResultSuccess;
}
