// QuilScript -- the script engine: holds the scenario as a fixed table of lines, finds labels,
// steps through it, runs "#goto", "#end" and registered commands, and reports every outcome
// as a result string ("【成功】", "【不成功】", "【不実行】", "【エラー】…", "【結果未設定】…").
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Listeners.h"
#include "script/QuilScriptCommand.h"
#include "script/QuilString.h"

using TScriptLineProc = void (*)(const std::string& line, std::string& result);
using TScriptPageProc = void (*)(std::string& result);
using TScriptParagraphProc = void (*)(const TStringArray& lines, std::string& result);

class TQuilScript {
 public:
  // The table holds 10,000 lines: a scenario has at most 9,999, the loader appends "#end".
  static constexpr int MaxLines = 10000;
  static constexpr int MaxScenarioLines = MaxLines - 1;

  TQuilScript();
  ~TQuilScript();
  TQuilScript(const TQuilScript&) = delete;
  TQuilScript& operator=(const TQuilScript&) = delete;

  std::string FileName;
  std::array<std::string, MaxLines> Lines;
  int LineCount = 0;                                          // scenario lines plus the appended "#end"
  int Position = 0;                                           // index of the next line to read
  std::vector<std::unique_ptr<TQuilScriptCommand>> Commands;  // in registration order

  int PageSize = 0;
  TScriptLineProc LineProc = nullptr;
  TScriptPageProc PageProc = nullptr;
  TScriptParagraphProc ParagraphProc = nullptr;
  bool Ended = false;
  int ShownCount = 0;
  bool PageFull = false;

  // Reads the enciphered scenario file and installs its lines; on failure the engine keeps
  // what it held and result is the reader's error.
  void LoadScenario(const std::string& cipherFileName, const std::string& keyText, std::string& result);
  // Installs lines[0 .. count-1] (labels reduced to their head word, comments removed, "#end"
  // appended). A missing file, a duplicate label or more than 9,999 lines change nothing.
  void LoadLines(const std::string& fileName, std::span<const std::string> lines, int count, std::string& result);
  // Installs new lines as LoadLines does but keeps the place: the run goes on in the passage it
  // was in (the label above the line last read) at the same distance below that label; when the
  // label is gone, at the same line number. Ended and the page on screen are kept. A failed
  // load changes nothing.
  void ReloadLines(const std::string& fileName, std::span<const std::string> lines, int count, std::string& result);
  // Sets Position to the label line; Ended is not touched.
  void JumpToLabel(const std::string& label, std::string& result);
  // Starts the scenario again at the label (a new game): after a successful jump the ended
  // state and the page are cleared. A failed jump changes nothing.
  void Restart(const std::string& label, std::string& result);
  static bool IsLabel(const std::string& word);

  void AddCommand(const std::string& name, TScriptCommandProc handler, int count);
  void AddCommandRange(const std::string& name, TScriptCommandProc handler, int minParams, int maxParams);
  void ClearCommands();

  // Line mode (the program's): sets the line and page procedures, clears the paragraph one.
  void SetLineOutput(TScriptLineProc lineProc, TScriptPageProc pageProc);
  // Listeners to the line output, told in order of each line the line procedure took (answered
  // ResultSuccess) once it has; a line it refused never reaches them. Removed when the answer goes.
  [[nodiscard]] Platform::TSubscription SubscribeLines(const std::function<void(const std::string& line)>& listener);
  // Paragraph mode: lines are handed over together, up to PageSize at a time.
  void SetParagraphOutput(TScriptParagraphProc paragraphProc);
  void SetPageSize(int n);

  // One step in the selected mode (paragraph, line, or Kick with no output set).
  void Step(std::string& result);
  bool IsEnded() const { return Ended; }
  // Runs to the next line of story text (an empty line for a blank or label line).
  void RunScript(std::string& line, std::string& result);

  void StepLine(std::string& result);
  void StepParagraph(std::string& result);
  // Runs the scenario to its end, discarding its text (at most 10,000 runs), and clears Ended.
  void Kick(std::string& result);

 private:
  Platform::TListeners<const std::string&> lineListeners_;
  // Runs of the run loop allowed to one step or one Kick.
  static constexpr int StepCallLimit = 10000;
  bool StepLoopEndless(int calls, std::string& result);
  bool AtEnd() const;
  std::string NextLine();
  std::string Location() const;  // "\r\nin " + FileName
};
