// GameTexts -- the game's fixed texts in one place: item names, idea-button captions, the
// copper-bullet names, the item catalogue and the three description texts. Writers revise
// the texts in GameTexts.cpp; the rules read them from here.
#pragma once
#include <array>
#include <string>

// ---- Items the rules know (always with their brackets) --------------------------------------

inline constexpr char FanItem[] = "【芭蕉扇】";
inline constexpr char PebbleItem[] = "【石ころ】";
inline constexpr char PhiaItem[] = "【フィア】";
inline constexpr char ArmourItem[] = "【やわい鎧】";
inline constexpr char ShieldItem[] = "【かたい盾】";
inline constexpr char SwordItem[] = "【草薙の剣】";
inline constexpr char ShipItem[] = "【船】";
inline constexpr char PrincessItem[] = "【フィア姫】";
inline constexpr char SilverBulletItem[] = "【銀弾×１】";
inline constexpr char MeteorItem[] = "【☆メテオ】";

// 【銅弾×k】 for k = 0 .. 9: the copper bullets are one inventory entry whose name carries the count.
extern const std::array<std::string, 10> CopperBulletNames;

// ---- Values of Encounter: the event the next press on the play area resolves -----------------

inline constexpr char EncounterEnemy[] = "敵";
inline constexpr char EncounterPrincess[] = "フィア姫";
inline constexpr char EncounterMeteor[] = "メテオ";
inline constexpr char EncounterDeforce[] = "デフォース";
inline constexpr char EncounterAfterDeDeforce[] = "デデフォース後";
inline constexpr char EncounterCleared[] = "クリア";

// ---- Idea-button captions -------------------------------------------------------------------

inline constexpr char CaptionInfo[] = "★情報";
inline constexpr char CaptionExit[] = "★退出";
inline constexpr char CaptionSlash[] = "★斬撃";
inline constexpr char CaptionSilverBullet[] = "★銀弾";
inline constexpr char CaptionHeal[] = "★癒し";
inline constexpr char CaptionDeathKill[] = "★死殺";
inline constexpr char CaptionScan[] = "★走査";
inline constexpr char CaptionGrasp[] = "★掌握";
inline constexpr char CaptionDispel[] = "★解呪";
inline constexpr char CaptionKey[] = "★鍵";
inline constexpr char CaptionDeDeforce[] = "★デ・デ";
inline constexpr char CaptionUnderstand[] = "★理解";
inline constexpr char CaptionBindAlone[] = "★孤殺";
inline constexpr char CaptionBindLoad[] = "★疎通";
inline constexpr char CaptionBindHeart[] = "★同調";
inline constexpr char CaptionSelf[] = "★あなた";
inline constexpr char CaptionDecode[] = "★解読";

// ---- Description texts (lines separated by CR LF) --------------------------------------------

struct TCatalogueEntry {
  const char* Name;         // the full bracketed item name
  const char* Description;  // lines separated by CR LF
};
inline constexpr int CatalogueSize = 14;
// Every item the program can describe, in lookup order.
extern const std::array<TCatalogueEntry, CatalogueSize> ItemCatalogue;

// "★情報": the in-game manual (14 lines).
extern const char* const InfoText;
// "★あなた": the hero's profile (16 lines).
extern const char* const SelfText;
// "★解読": what an idea burst is and what it costs (11 lines).
extern const char* const DecodeText;

// The description view draws 12-pixel bold Gothic from x = 25: a line holds 58 CP932 bytes.
inline constexpr int DescriptionLineBytes = 58;
