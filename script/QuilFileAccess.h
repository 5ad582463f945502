// QuilFileAccess -- reads a whole text file into a caller's table of lines.
#pragma once
#include <span>
#include <string>

class TQuilFileAccess {
 public:
  TQuilFileAccess() = delete;

  // Reads fileName into lines[0 .. count-1]; the table's highest index is lines.size() - 1.
  // Lines end at LF (a CR before it belongs to the line end, a lone CR is dropped); Ctrl-Z ends
  // the file. result: "【成功】", "【エラー】存在しないファイル：" + name (count untouched), or
  // "【エラー】【TQuilFileAccess.InTextSet】" + name (count = lines read so far).
  static void InTextSet(const std::string& fileName, std::span<std::string> lines, int& count, std::string& result);

  // True when a file of that name (a "dat\x" name is looked up as dat/x) exists.
  static bool FileExists(const std::string& fileName);
};
