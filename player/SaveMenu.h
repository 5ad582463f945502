// SaveMenu -- saving and loading as the player does it: F5 and F9 on the quick slot, and the
// save/load view over the paused game (arrows, the d-pad or the mouse choose a slot, Enter, A
// or a press loads it or saves into it, asking once before saving over a save; S, L or Y
// switch between saving and loading; Esc, B or a press beside the slots goes back). Each save carries a
// small picture of the play area as the player saw it. Its keys are rows of Bindings; what the
// player layer's own files call is in the second part.
#pragma once
#include <cstdint>
#include <string>

struct TSaveGame;

bool SaveMenuOpen();
// While open: saving (else loading), and the chosen slot ("quick", "auto", "1" .. "12").
bool SaveMenuSaving();
std::string SaveMenuChoice();
// What the open view's cell says, its lines joined by "\n" (CP932): index 0 is the quick save,
// 1 the autosave, 2 .. 13 slots 1 .. 12.
std::string SaveMenuSlotText(int index);

// ---- For the player layer's own files --------------------------------------------------------
// Makes the view on the play area's panel, hidden.
void SaveMenuSetup();
void SaveMenuFree();
void QuickSave();
void QuickLoad();
// Opens the view to save (the first empty slot chosen) or to load (the newest save chosen).
void OpenSaveMenu(bool saving);
void CloseSaveMenu();
// In the open view: moves the choice by an arrow key; takes the chosen slot.
void MoveSaveChoice(uint32_t arrow);
void TakeSaveChoice();
// S saves, L loads, any other key (the pad's Y) switches between them.
void SwitchSaveMenu(uint32_t key);
// Puts a small picture of the play area as the player sees it into a save being written (the
// picture under the open view, else the play area now).
void AddThumbnail(TSaveGame& save);
