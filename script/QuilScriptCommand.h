// QuilScriptCommand -- one registered scenario command, and the word rule of scenario lines.
#pragma once
#include <string>

#include "script/QuilString.h"

// A command handler: word 0 is the command word as written, words 1.. are the parameters.
// It must set result: "【成功】" goes on, "【不実行】" passes the line on, anything else stops.
using TScriptCommandProc = void (*)(const TStringArray& words, std::string& result);

class TQuilScriptCommand {
 public:
  TQuilScriptCommand(const std::string& name, TScriptCommandProc handler, int minParams, int maxParams);

  std::string Name;  // with its "#", e.g. "#say"
  int MinParams;
  int MaxParams;
  TScriptCommandProc Handler;

  // Tries one scenario line (comment already removed) against this command.
  void Execute(const std::string& line, std::string& result) const;

  // The words of a line: full-width spaces and tabs count as blanks, runs of blanks are one,
  // leading and trailing characters up to 0x20 are trimmed. An empty line is one empty word.
  static TStringArray SplitWords(const std::string& line);
  // Word n (0 is the head word) when the line has more than n words.
  static bool GetWord(const std::string& line, int n, std::string& word);
  // The head word equals name without regard to letter case.
  static bool IsCommand(const std::string& line, const std::string& name);
};
