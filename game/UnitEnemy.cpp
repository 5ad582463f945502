// UnitEnemy -- the enemy record and the damage rule.
#include "game/UnitEnemy.h"

#include "game/GameTexts.h"
#include "game/UnitMain.h"
#include "paint/UnitPaint.h"
#include "script/Checked.h"

TEnemy Enemy;

void SetEnemy(const std::string& kind, const std::string& name, int32_t power, const std::string& drop) {
  Enemy.Name = name;
  Enemy.Kind = kind;
  Enemy.Power = power;
  Enemy.Drop = drop;
  if (kind == "獣") {
    Enemy.PowerLoss = power;  // one charge with all it has
    Enemy.AttackName = "突進";
  } else if (kind == "魔物") {
    Enemy.PowerLoss = 1;
    Enemy.AttackName = "攻撃";
  } else if (kind == "竜") {
    Enemy.PowerLoss = 0;
    Enemy.AttackName = "炎撃";
  } else if (kind == "聖者") {
    Enemy.PowerLoss = 0;
  } else if (kind == "吸血鬼") {
    Enemy.PowerLoss = 0;
    Enemy.AttackName = "愛撫";
  }
}

std::string DescribeEnemy() { return "【" + Enemy.Kind + "】" + Enemy.Name + "(" + std::to_string(Enemy.Power) + ")"; }

void EnemyAppears(const std::string& word) {
  Encounter = word;
  if (word != EncounterEnemy) return;
  AddMessage("敵が現れた：" + DescribeEnemy());
  bool blowable = Enemy.Kind == "獣" || Enemy.Kind == "魔物" || Enemy.Kind == "竜";
  if (HasItem(FanItem) && blowable) {
    PlayWave("dat\\hyuun.wav");
    AddMessage("【芭蕉扇】で吹き飛ばした！");
    Encounter.clear();
    return;
  }
  SpawnAttackButton();
}

void SpawnAttackButton() {
  if (Enemy.Kind == "吸血鬼") {
    SpawnIdeaButton(CaptionSilverBullet);
  } else {
    SpawnIdeaButton(CaptionSlash);
  }
}

void TakeDamage(const std::string& prefix, int32_t amount) {
  RequestFlash(MakePixel(255, 0, 0));
  PlayWave("dat\\dun2.wav");
  std::string text = std::to_string(amount);
  if (HasItem(ArmourItem)) {
    amount = Checked::Add(amount, 1) / 2;  // an odd amount is halved upward
    text += "⇒" + std::to_string(amount);
  }
  if (HasItem(ShieldItem)) {
    amount = Checked::Sub(amount, 3);
    if (amount < 0) amount = 0;
    text += "⇒" + std::to_string(amount);
  }
  HP = Checked::Sub(HP, amount);  // not clamped: a negative amount heals
  AddMessage(prefix + text + "ダメージを受けた！");
  if (HP <= 0) {
    SpawnIdeaButton(CaptionDeathKill);
  } else if (HP < MaxHP) {
    SpawnIdeaButton(CaptionHeal);
  }
}

void SaintAttack() {
  PlayWave("dat\\kisyu.wav");
  AddMessage("【☆おやすみ】＞＞＞ＨＰを打ち消された！");
  HP = 0;
  SpawnIdeaButton(CaptionDeathKill);
}
