// UnitScript -- the one script engine and the twenty scenario commands the game registers.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "script/QuilScript.h"

// The engine; made by ScriptSetup, freed by ScriptTeardown.
extern std::unique_ptr<TQuilScript> Script;
// The identity of the story the engine was set up with; saves carry it and are kept in a
// folder of that name. The shipped story is "farrowmere" whatever its bytes, so an update keeps
// its saves; another enciphered story (--data) is "data-" and an author's source (--story)
// "story-" and a hash of where its file lies.
extern std::string StoryId;
// The identity saves of format 1 carry: a hash of the story file's bytes.
extern std::string StoryFileId;
// The identity of the story file at path (native); shipped: the game's own story.
std::string StoryIdentity(const std::string& nativePath, bool shipped, bool authorSource);

// Makes the engine with "dat\story.crp.txt" (key "fable.txt"), the game's line and page
// outputs, page size 4 and the commands of the command table.
void ScriptSetup();
// The same with another enciphered scenario (tests, the replay harness).
void ScriptSetupFrom(const std::string& cipherFileName, const std::string& keyText);
void ScriptTeardown();
// Starts the scenario again at the start label (ended or not); the result is not looked at.
void JumpToStart();

// An author's plain scenario (CP932 lines, already checked) that ScriptSetup loads instead of
// the enciphered file; set before the form is made. Empty fileName: the enciphered file again.
void UseStoryLines(const std::string& fileName, std::vector<std::string> lines);
// The label every new game starts at: "@start" unless an author warps elsewhere.
void SetStartLabel(const std::string& label);

// The command handlers, named after their commands.
void CmdFinish(const TStringArray& words, std::string& result);
void CmdInfo(const TStringArray& words, std::string& result);
void CmdExit(const TStringArray& words, std::string& result);
void CmdEnemy(const TStringArray& words, std::string& result);
void CmdSay(const TStringArray& words, std::string& result);
void CmdEpitaph(const TStringArray& words, std::string& result);
void CmdStone(const TStringArray& words, std::string& result);
void CmdBox(const TStringArray& words, std::string& result);
void CmdSea(const TStringArray& words, std::string& result);
void CmdInn(const TStringArray& words, std::string& result);
void CmdPhia(const TStringArray& words, std::string& result);
void CmdSage(const TStringArray& words, std::string& result);
void CmdPoison(const TStringArray& words, std::string& result);
void CmdDeforce(const TStringArray& words, std::string& result);
void CmdWonder(const TStringArray& words, std::string& result);
void CmdEnding(const TStringArray& words, std::string& result);
void CmdSelf(const TStringArray& words, std::string& result);
void CmdBindAlone(const TStringArray& words, std::string& result);
void CmdBindLoad(const TStringArray& words, std::string& result);
void CmdBindHeart(const TStringArray& words, std::string& result);
