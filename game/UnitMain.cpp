// UnitMain -- game state, message log, inventory and the battle turn.
#include "game/UnitMain.h"

#include "game/GameTexts.h"
#include "game/UnitEnemy.h"
#include "game/UnitMainEffects.h"
#include "game/UnitScript.h"
#include "media/QuilMidi.h"
#include "media/QuilWave.h"
#include "paint/UnitPaint.h"
#include "script/Checked.h"
#include "script/ResultTags.h"

bool TitleShowing = false;
int32_t MaxHP = 0;
int32_t HP = 0;
int32_t IdeaPower = 0;
std::array<std::string, MaxItems> Items;
int32_t ItemCount = 0;
std::string LastItem;
std::string Encounter;
std::array<std::string, MaxScriptLines> ScriptLines;
int32_t ScriptLineCount = 0;
std::array<std::string, MaxMessages> Messages;
int32_t MessageCount = 0;
std::string DescriptionTitle;
TStringArray DescriptionLines;
std::string StoneName;
std::string ChestItem;
bool SilverBurst = false;

void (*SoundHook)(const std::string& fileName) = nullptr;

void PlayWave(const std::string& fileName) {
  if (SoundHook != nullptr) SoundHook(fileName);
  TQuilWave::Play(fileName, false);
}

void PlayMusic(const std::string& fileName) {
  if (SoundHook != nullptr) SoundHook(fileName);
  std::string result;
  TQuilMidi::Play(fileName, true, result);  // a tune that will not play leaves the game silent
}

// LastItem, Enemy, DescriptionLines and the entries beyond the counts are left as they were.
void ResetGame() {
  PlayMusic("dat\\farrow.mid");
  TitleShowing = true;
  MaxHP = 10;
  HP = MaxHP;
  IdeaPower = 7;
  ItemCount = 0;
  ScriptLineCount = 0;
  Encounter.clear();
  MessageCount = 0;
  DescriptionTitle.clear();
  StoneName.clear();
  ChestItem.clear();
  SilverBurst = false;
  PaintReset();
  JumpToStart();
}

void AddScriptLine(const std::string& line, std::string& result) {
  if (ScriptLineCount >= MaxScriptLines) {
    result = ResultFailure;
    return;
  }
  ScriptLines[ScriptLineCount] = line;
  ScriptLineCount += 1;
  result = ResultSuccess;
}

void ClearScriptLines(std::string& result) {
  ScriptLineCount = 0;
  result = ResultSuccess;
}

void AddMessage(const std::string& text, std::string& result) {
  if (MessageCount >= MaxMessages) {
    result = ResultFailure;
    return;
  }
  Messages[MessageCount] = text;
  MessageCount += 1;
  result = ResultSuccess;
}

void AddMessage(const std::string& text) {
  std::string ignored;
  AddMessage(text, ignored);
}

void ClearMessages() { MessageCount = 0; }

void ShowDescription(const std::string& title, const std::string& text) {
  DescriptionTitle = title;
  TQuilString::Split(text, "\r\n", DescriptionLines);
}

void AddItem(const std::string& name) {
  Checked::CheckIndex(ItemCount, MaxItems);  // the eleventh item fails before anything changes
  Items[ItemCount] = name;
  ItemCount += 1;
  AddMessage(name + "を手に入れた！");
  SpawnIdeaButton(CaptionScan);
  LastItem = name;
}

void RemoveItem(const std::string& name) {
  for (int32_t i = 0; i < ItemCount; ++i) {
    if (Items[i] != name) continue;
    AddMessage(name + "を失った！");
    ItemCount -= 1;
    for (int32_t j = i; j < ItemCount; ++j) Items[j] = Items[j + 1];
    return;
  }
}

bool HasItem(const std::string& name) {
  for (int32_t i = 0; i < ItemCount; ++i) {
    if (Items[i] == name) return true;
  }
  return false;
}

void UseCopperBullet(int k) {
  Checked::CheckIndex(k - 1, 9);  // 1 .. 9: a count of zero is no bullet
  for (int32_t i = 0; i < ItemCount; ++i) {
    if (Items[i] == CopperBulletNames[k]) {
      Items[i] = CopperBulletNames[k - 1];
      return;
    }
  }
}

namespace {

// The enemy's turn while Encounter is "敵": a held item slays it, or it attacks.
void EnemyTurn() {
  if (Enemy.Kind == "獣") {
    for (int k = 1; k <= 9; ++k) {
      if (!HasItem(CopperBulletNames[k])) continue;
      CopperBulletStrike();
      UseCopperBullet(k);  // only the lowest held count shoots
      return;
    }
  }
  if (HasItem(MeteorItem) && Enemy.Kind == "竜") {
    MeteorStrike();
    return;
  }
  if (HasItem(SwordItem) && (Enemy.Kind == "獣" || Enemy.Kind == "魔物")) {
    SwordStrike();
    return;
  }
  if (Enemy.Kind == "聖者") {
    SaintAttack();
  } else {
    TakeDamage(Enemy.Name + "の" + Enemy.AttackName + "＞＞＞", Enemy.Power);  // the power before the loss
    Enemy.Power = Checked::Sub(Enemy.Power, Enemy.PowerLoss);
  }
  if (Enemy.Power > 0) {
    AddMessage(DescribeEnemy());
    SpawnAttackButton();
  } else {
    AddMessage(Enemy.Name + "は力尽きた。");
    Encounter.clear();
  }
}

}  // namespace

void BattleTurn() {
  if (Encounter == EncounterCleared) return;  // the ending message stays on screen
  ClearMessages();
  if (Encounter.empty()) return;
  if (Encounter == EncounterEnemy) {
    EnemyTurn();
  } else if (Encounter == EncounterPrincess) {
    AddMessage("王「おおフィア、どこへ！？」");
    AddItem(PrincessItem);
    Encounter.clear();
  } else if (Encounter == EncounterMeteor) {
    AddMessage("賢者「そら、これを知っていけ！」");
    AddItem(MeteorItem);
    Encounter.clear();
  } else if (Encounter == EncounterDeforce) {
    PlayWave("dat\\duty.wav");
    AddMessage("すべての理力が打ち消された！");
    IdeaPower = 0;
    Encounter.clear();
  } else if (Encounter == EncounterAfterDeDeforce) {
    AddMessage("「理力殺しすら殺せるほど、理力は万能でしたか。");
    AddMessage("……なるほど、小ざかしい屁理屈だ！」");
    Encounter.clear();
  }
}
