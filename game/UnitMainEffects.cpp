// UnitMainEffects -- idea-burst effects, strikes and the item catalogue's lookup.
#include "game/UnitMainEffects.h"

#include "game/GameTexts.h"
#include "game/UnitEnemy.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "script/Checked.h"

namespace {

// Gains the enemy's drop, if it has one, in brackets.
void GainDrop() {
  if (!Enemy.Drop.empty()) AddItem("【" + Enemy.Drop + "】");
}

// What each caption does when its button is clicked and paid for.
struct TIdeaEffect {
  const char* Caption;
  void (*Effect)();
};
const TIdeaEffect IdeaEffects[] = {
    {CaptionInfo, [] { ShowDescription(CaptionInfo, InfoText); }},
    {CaptionExit, [] { Platform::Application.Terminate(); }},
    {CaptionSlash, SlashBurst},
    {CaptionSilverBullet, SilverBulletBurst},
    {CaptionHeal, HealBurst},
    {CaptionDeathKill, DeathKillBurst},
    {CaptionScan, DescribeLastItem},
    {CaptionGrasp, GraspBurst},
    {CaptionDispel, DispelBurst},
    {CaptionKey, KeyBurst},
    {CaptionDeDeforce, DeDeforceBurst},
    {CaptionUnderstand, UnderstandBurst},
    {CaptionBindAlone, [] { BindBurst("孤独を撃ち殺した！"); }},
    {CaptionBindLoad, [] { BindBurst("無損失疎通路を開いた！"); }},
    {CaptionBindHeart, [] { BindBurst("ハートチャンネルを開いた！"); }},
    {CaptionSelf, [] { ShowDescription(CaptionSelf, SelfText); }},
    {CaptionDecode, [] { ShowDescription(CaptionDecode, DecodeText); }},
};

}  // namespace

bool CanPayForIdea() { return IdeaPower > 0 || HasItem(SilverBulletItem); }

void PayForIdea() {
  if (IdeaPower >= 1) {
    IdeaPower = Checked::Sub(IdeaPower, 1);
    PlayWave("dat\\cap_von01.wav");
  } else {
    RemoveItem(SilverBulletItem);
    PlayWave("dat\\cap_von05.wav");
  }
}

void RunIdeaEffect(const std::string& caption) {
  for (const TIdeaEffect& entry : IdeaEffects) {
    if (caption == entry.Caption) {
      entry.Effect();
      return;
    }
  }
}

void SlashBurst() {
  RequestFlash(MakePixel(0, 0, 0));
  Encounter.clear();
  ClearMessages();
  AddMessage("現出させた剣を一閃、" + Enemy.Name + "を倒した！");
  GainDrop();
}

void SilverBulletBurst() {
  RequestFlash(MakePixel(192, 192, 192));
  RedGlows();
  Encounter.clear();
  SilverBurst = true;
  ClearMessages();
  AddMessage("銀弾を理力に変換し、イデアバーストを起こし、");
  AddMessage("銀弾を生成して" + Enemy.Name + "を撃ち殺した！");
}

void HealBurst() {
  RequestFlash(MakePixel(255, 255, 255));
  HP = MaxHP;
  ClearMessages();
  AddMessage("負傷をすべて消しさった。");
}

void DeathKillBurst() {
  RequestFlash(MakePixel(255, 255, 255));
  HP = 1;
  ClearMessages();
  AddMessage("死そのものを殺した。");
  SpawnIdeaButton(CaptionHeal);
}

void GraspBurst() {
  // Doubled first, so an overflow fails before the level-up is announced.
  int32_t doubled = Checked::Mul(MaxHP, 2);
  RequestFlash(MakePixel(0, 0, 255));
  ClearMessages();
  AddMessage("あなたはレベルが上がった！");
  AddMessage("最大ＨＰが２倍になった！");
  MaxHP = doubled;
}

void DispelBurst() {
  RequestFlash(MakePixel(0, 255, 0));
  ClearMessages();
  AddMessage("「ありがとう、あなたについていきます！」");
  AddItem("【" + StoneName + "】");
}

void KeyBurst() {
  ClearMessages();
  AddMessage("あなたの手に鍵が現出。ぬるりと鍵穴を満たした。");
  AddItem("【" + ChestItem + "】");
}

void DeDeforceBurst() {
  ClearMessages();
  AddMessage("あなたはデ・デフォースを始動した。");
  AddMessage("デフォースを打ち消した。");
  Encounter = EncounterAfterDeDeforce;
}

void UnderstandBurst() {
  ClearMessages();
  AddMessage("何について？");
  Encounter.clear();
}

void BindBurst(const std::string& message) {
  RequestFlash(MakePixel(255, 192, 192));
  StartZoom();
  ClearMessages();
  AddMessage(message);
  AddMessage("ファロウと自我が融合した！");
  // The "@HEART" passage starts at once, without a further press.
  if (Script != nullptr) {
    std::string result;
    Script->JumpToLabel("@HEART", result);
    Script->Step(result);
  }
}

void SwordStrike() {
  PlayWave("dat\\dun.wav");
  RequestFlash(MakePixel(0, 0, 0));
  Encounter.clear();
  ClearMessages();
  AddMessage("碧光の尾を引く刃を一閃、" + Enemy.Name + "を倒した！");
  GainDrop();
}

void MeteorStrike() {
  PlayWave("dat\\cap_jan.wav");
  StartBurst();
  RequestFlash(MakePixel(255, 0, 0));
  ClearMessages();
  Encounter.clear();
  RemoveItem(MeteorItem);
  AddMessage(Enemy.Name + "にドオオオオオン！　星葬した！");
}

void CopperBulletStrike() {
  PlayWave("dat\\dh2.wav");
  RequestFlash(MakePixel(255, 127, 0));
  Encounter.clear();
  ClearMessages();
  AddMessage("銅弾Shoot！　" + Enemy.Name + "を倒した！");
  GainDrop();
}

void BreakScreen() {
  PlayWave("dat\\break.wav");
  StartShatter();
  RequestFlash(MakePixel(255, 255, 255));
}

void DescribeLastItem() {
  for (const TCatalogueEntry& entry : ItemCatalogue) {
    if (LastItem == entry.Name) {
      ShowDescription(entry.Name, entry.Description);
      return;
    }
  }
}
