// UnitScript -- script set-up and the scenario command handlers.
#include "game/UnitScript.h"

#include <array>

#include "game/CommandTable.h"
#include "game/GameSave.h"
#include "game/GameTexts.h"
#include "game/UnitEnemy.h"
#include "game/UnitMain.h"
#include "game/UnitMainEffects.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "platform/DataFiles.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "script/Checked.h"
#include "script/ResultTags.h"

std::unique_ptr<TQuilScript> Script;
std::string StoryId;
std::string StoryFileId;

std::string StoryIdentity(const std::string& nativePath, bool shipped, bool authorSource) {
  if (shipped) return "farrowmere";
  return (authorSource ? "story-" : "data-") + HashText(Platform::AbsolutePath(nativePath));
}

namespace {

// The handlers in the order of the command table, from the same list.
constexpr std::array<TScriptCommandProc, CommandCount> Handlers = {
#define FARROW_COMMAND_HANDLER(name, minParams, maxParams, handler, buttons, params) handler,
    FARROW_SCENARIO_COMMANDS(FARROW_COMMAND_HANDLER)
#undef FARROW_COMMAND_HANDLER
};

// Why the scenario did not load, for the one line on standard error: the file's own fault
// when it cannot be read, else what the reader found wrong with it.
std::string StoryProblem(const std::string& cipherFileName, const std::string& result) {
  const std::string path = Platform::NativeFileName(cipherFileName);
  std::string why = Platform::UnreadableReason(path);
  Platform::TFileStamp stamp;
  if (!why.empty()) {
  } else if (Platform::FileStamp(path, stamp) && stamp.Size == 0) {
    why = "the file is empty";
  } else if (result.rfind(std::string(ResultError) + "【TQuilFileAccess.InTextSet】", 0) == 0) {
    why = "more than " + std::to_string(TQuilScript::MaxLines) + " lines";
  } else {
    why = "not an enciphered story: " + Platform::Cp932ToUtf8(result);
  }
  return "cannot load the story " + path + " (" + why + "); the game starts without it";
}

std::string StoryFileName;            // UseStoryLines: a plain scenario instead of the file
std::vector<std::string> StoryLines;  // its CP932 lines
std::string StartLabel = "@start";

TScriptCommandProc HandlerOf(int index) {
  Checked::CheckIndex(index, CommandCount);
  return Handlers[index];
}

// The game's line and page outputs, page size 4 and the commands of the table.
void ConnectScript() {
  Script->SetLineOutput(AddScriptLine, ClearScriptLines);
  Script->SetPageSize(MaxScriptLines);
  RegisterCommands(*Script, HandlerOf);
}

}  // namespace

void ScriptSetup() {
  if (StoryFileName.empty()) {
    ScriptSetupFrom("dat\\story.crp.txt", "fable.txt");
    return;
  }
  Script = std::make_unique<TQuilScript>();
  // An author's source has saves of its own, apart from the shipped story's and other sources',
  // kept over its edits.
  StoryId = StoryIdentity(StoryFileName, false, true);
  StoryFileId = HashStoryFile(StoryFileName);
  std::string result;
  Script->LoadLines(StoryFileName, StoryLines, static_cast<int>(StoryLines.size()), result);
  if (result != ResultSuccess) Platform::TApplication::Warn("cannot load the story " + StoryFileName);
  ConnectScript();
}

void UseStoryLines(const std::string& fileName, std::vector<std::string> lines) {
  StoryFileName = fileName;
  StoryLines = std::move(lines);
}

void SetStartLabel(const std::string& label) { StartLabel = label; }

void ScriptSetupFrom(const std::string& cipherFileName, const std::string& keyText) {
  Script = std::make_unique<TQuilScript>();
  const std::string path = Platform::NativeFileName(cipherFileName);
  // The shipped story lies in the installed data (or the working folder's dat/, as tests and
  // the replay harness play it) under its own name.
  const std::string installed = Platform::InstalledDataFolder();
  const bool shipped = cipherFileName == "dat\\story.crp.txt" &&
                       (Platform::DataFolder() == "dat" || (!installed.empty() && Platform::DataFolder() == installed));
  StoryId = StoryIdentity(path, shipped, false);
  StoryFileId = HashStoryFile(path);
  std::string result;
  // A scenario that does not load leaves the engine empty: every step ends the story at once.
  Script->LoadScenario(cipherFileName, keyText, result);
  if (result != ResultSuccess) Platform::TApplication::Warn(StoryProblem(cipherFileName, result));
  ConnectScript();
}

void ScriptTeardown() { Script.reset(); }

void JumpToStart() {
  if (Script == nullptr) return;
  std::string result;
  Script->Restart(StartLabel, result);  // a new game runs its scenario again, even one that ended
}

// ---- Handlers: word 0 is the command word, words 1.. its parameters (counts checked by the engine)

void CmdFinish(const TStringArray&, std::string& result) {
  Platform::Application.Terminate();
  result = ResultSuccess;
}

void CmdInfo(const TStringArray&, std::string& result) {
  SpawnIdeaButton(CaptionInfo);
  result = ResultSuccess;
}

void CmdExit(const TStringArray&, std::string& result) {
  SpawnIdeaButton(CaptionExit);
  result = ResultSuccess;
}

void CmdEnemy(const TStringArray& words, std::string& result) {
  std::string drop = words.size() > 4 ? words.at(4) : std::string();
  int32_t power = Checked::StrToInt(words.at(3));  // a bad number throws before anything changes
  SetEnemy(words.at(1), words.at(2), power, drop);
  EnemyAppears(EncounterEnemy);
  result = ResultSuccess;
}

void CmdSay(const TStringArray& words, std::string& result) {
  AddMessage(words.at(1));
  result = ResultSuccess;
}

void CmdEpitaph(const TStringArray&, std::string& result) {
  AddMessage("開港記念公園に石碑があった。");
  AddMessage("「戦う者よ、己の弱さを掌握せよ」");
  SpawnIdeaButton(CaptionGrasp);
  result = ResultSuccess;
}

void CmdStone(const TStringArray& words, std::string& result) {
  StoneName = words.at(1);
  AddMessage("- 貨物置き場 -");
  AddMessage(words.at(2) + "の石像がある。");
  SpawnIdeaButton(CaptionDispel);
  result = ResultSuccess;
}

void CmdBox(const TStringArray& words, std::string& result) {
  ChestItem = words.at(1);
  AddMessage("宝箱が置いてある。");
  AddMessage("鍵がかかっていて開けられない。");
  SpawnIdeaButton(CaptionKey);
  result = ResultSuccess;
}

void CmdSea(const TStringArray& words, std::string& result) {
  AddMessage(words.at(1) + "海だ。");
  if (HasItem(ShipItem)) {
    PlayWave("dat\\tusu.wav");
    AddMessage("お船に揺られてどんぶらこんぶら。");
  } else {
    TakeDamage("お、溺れる！　", 40);
  }
  result = ResultSuccess;
}

void CmdInn(const TStringArray&, std::string& result) {
  PlayWave("dat\\cap_other03.wav");
  RequestFlash(MakePixel(255, 255, 255));
  HP = MaxHP;
  AddMessage("宿泊！　ＨＰが全回復した。");
  result = ResultSuccess;
}

void CmdPhia(const TStringArray&, std::string& result) {
  if (HasItem(PhiaItem)) {
    AddMessage("王「おお姫、帰ってきたか！」");
    RemoveItem(PhiaItem);
    Encounter = EncounterPrincess;
  } else {
    AddMessage("王「姫がまだ帰ってこない！");
    AddMessage("クソ、あの船乗りブッ殺す！」");
  }
  result = ResultSuccess;
}

void CmdSage(const TStringArray&, std::string& result) {
  if (HasItem(PebbleItem)) {
    AddMessage("賢者「そ、それは石ころ！」");
    RemoveItem(PebbleItem);
    Encounter = EncounterMeteor;
  } else {
    AddMessage("賢者「お主には永遠に理解できぬよ。」");
    SpawnIdeaButton(CaptionDecode);
  }
  result = ResultSuccess;
}

void CmdPoison(const TStringArray& words, std::string& result) {
  AddMessage("毒の水路だ！");
  TakeDamage("", Checked::StrToInt(words.at(1)));  // a bad number throws before any damage
  result = ResultSuccess;
}

void CmdDeforce(const TStringArray&, std::string& result) {
  AddMessage("クアッドパレスの奇襲！");
  AddMessage("【☆デフォース】を始動してきた！");
  Encounter = EncounterDeforce;
  SpawnIdeaButton(CaptionDeDeforce);
  result = ResultSuccess;
}

void CmdWonder(const TStringArray&, std::string& result) {
  if (HasItem(PrincessItem)) {
    PlayMusic("dat\\farrow.mid");
    BreakScreen();
    if (Script != nullptr) {
      std::string jumped;
      Script->JumpToLabel("@REAL", jumped);  // the step goes on at the label
    }
  } else {
    AddMessage("分からない。");
    SpawnIdeaButton(CaptionUnderstand);
  }
  result = ResultSuccess;
}

void CmdEnding(const TStringArray& words, std::string& result) {
  AddMessage(words.at(1));
  Encounter = EncounterCleared;
  result = ResultSuccess;
}

void CmdSelf(const TStringArray&, std::string& result) {
  SpawnIdeaButton(CaptionSelf);
  result = ResultSuccess;
}

void CmdBindAlone(const TStringArray&, std::string& result) {
  SpawnIdeaButton(CaptionBindAlone);
  result = ResultSuccess;
}

void CmdBindLoad(const TStringArray&, std::string& result) {
  SpawnIdeaButton(CaptionBindLoad);
  result = ResultSuccess;
}

void CmdBindHeart(const TStringArray&, std::string& result) {
  SpawnIdeaButton(CaptionBindHeart);
  result = ResultSuccess;
}
