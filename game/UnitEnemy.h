// UnitEnemy -- the one enemy: its record, its announcement, the hero's attack button against
// it, the damage rule every source of damage uses, and the saint's attack.
#pragma once
#include <cstdint>
#include <string>

struct TEnemy {
  std::string Name;
  std::string Kind;       // "獣", "魔物", "竜", "聖者", "吸血鬼" or any other word
  int32_t Power = 0;      // remaining strength, also the damage of its attack
  int32_t PowerLoss = 0;  // lost after each ordinary attack
  std::string AttackName;
  std::string Drop;  // item name without brackets, gained when slain by blade or copper; may be empty
};

// The current or last enemy; never cleared (Encounter tells whether one stands).
extern TEnemy Enemy;

// Fills Enemy (only "#xxenemy" calls it). Kinds the rules do not know keep the previous
// enemy's PowerLoss and AttackName.
void SetEnemy(const std::string& kind, const std::string& name, int32_t power, const std::string& drop);
// "【" + Kind + "】" + Name + "(" + Power + ")".
std::string DescribeEnemy();
// Sets Encounter to word and, for "敵", announces the enemy: the fan blows away beasts,
// monsters and dragons, anything else gets the attack button.
void EnemyAppears(const std::string& word);
// "★銀弾" against a vampire, "★斬撃" against anything else.
void SpawnAttackButton();
// Damage to the hero after armour and shield, with its message and a "★癒し" or "★死殺" button.
void TakeDamage(const std::string& prefix, int32_t amount);
// The saint's turn: ＨＰ to 0, no armour, no shield.
void SaintAttack();
