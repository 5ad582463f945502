// UnitMainEffects -- what an idea burst does: paying for a click, the effect of every caption,
// the strikes of the battle and the screen break, and the item catalogue's lookup.
#pragma once
#include <string>

// A click can be paid for: 理力 above 0 or the silver bullet held. Installed as the idea
// buttons' IdeaPayableProc at set-up.
bool CanPayForIdea();
// Pays for a click: one 理力 while there is any, else the silver bullet (if held).
void PayForIdea();
// Runs the effect of a caption; a caption the game does not know does nothing.
void RunIdeaEffect(const std::string& caption);

// Effects of the idea buttons.
void SlashBurst();
void SilverBulletBurst();
void HealBurst();
void DeathKillBurst();
void GraspBurst();
void DispelBurst();
void KeyBurst();
void DeDeforceBurst();
void UnderstandBurst();
void BindBurst(const std::string& message);

// Strikes of the battle turn (the hero's items slay the enemy) and of "#xxwonder".
void SwordStrike();
void MeteorStrike();
void CopperBulletStrike();
void BreakScreen();

// Shows the catalogue description of the item gained last; nothing for an item it lacks.
void DescribeLastItem();
