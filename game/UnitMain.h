// UnitMain -- the game state of one play-through (ＨＰ, 理力, inventory, pending event, the
// scenario lines on screen, the message log, the description view), its operations, and the
// battle turn. The idea-burst effects and strikes are in UnitMainEffects.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "script/QuilString.h"

inline constexpr int MaxItems = 10;
inline constexpr int MaxScriptLines = 4;
inline constexpr int MaxMessages = 2;

extern bool TitleShowing;
extern int32_t MaxHP;
extern int32_t HP;                               // may be 0 or negative: game over
extern int32_t IdeaPower;                        // 理力
extern std::array<std::string, MaxItems> Items;  // the first ItemCount are held, in order of gaining
extern int32_t ItemCount;
extern std::string LastItem;   // the item gained last (read by the "★走査" burst)
extern std::string Encounter;  // the event the next press resolves: "", "敵", "フィア姫", ...
extern std::array<std::string, MaxScriptLines> ScriptLines;
extern int32_t ScriptLineCount;
extern std::array<std::string, MaxMessages> Messages;
extern int32_t MessageCount;
extern std::string DescriptionTitle;  // the description view is open while this is not empty
extern TStringArray DescriptionLines;
extern std::string StoneName;  // the person of the statue ("#xxstone")
extern std::string ChestItem;  // the contents of the chest ("#xxbox")
extern bool SilverBurst;       // the silver bullet's burst has happened: night sky in the broken world

// Starts a new play-through: title music, initial state, presentation reset, jump to "@start".
void ResetGame();

// The script engine's line output: one scenario line on screen ("【不成功】" when four are shown).
void AddScriptLine(const std::string& line, std::string& result);
// The script engine's page output: empties the scenario lines.
void ClearScriptLines(std::string& result);

// Appends to the two-line log; a third message before the log is emptied is dropped ("【不成功】").
void AddMessage(const std::string& text, std::string& result);
// Appends to the log and ignores the answer, as every caller in the game does.
void AddMessage(const std::string& text);
// Empties the log (the entries stay in place, unseen).
void ClearMessages();

// Opens the description view with text cut at every CR LF.
void ShowDescription(const std::string& title, const std::string& text);

// Gains an item (with its brackets): message, "★走査" button, LastItem. An eleventh item
// throws std::out_of_range before anything changes.
void AddItem(const std::string& name);
// Loses the first held item of that name, with a message; nothing when it is not held.
void RemoveItem(const std::string& name);
bool HasItem(const std::string& name);
// Lowers the held 【銅弾×k】 to 【銅弾×k-1】 in its slot, 1 <= k <= 9; nothing when not held.
void UseCopperBullet(int k);

// One battle turn of a press on the play area: the enemy attacks or falls, or the pending
// event resolves.
void BattleTurn();

// Sounds and music go through these, so the game's sounds can be followed (see SoundHook).
void PlayWave(const std::string& fileName);
void PlayMusic(const std::string& fileName);
// Told every file name PlayWave and PlayMusic play; for tests and the replay harness.
extern void (*SoundHook)(const std::string& fileName);
