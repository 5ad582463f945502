// SaveMenu -- saving and loading as the player does it: F5 and F9 on the quick slot, and the
// save/load view over the paused game (arrows or the mouse choose a slot, Enter or a press
// saves over it or loads it, Esc or a press beside the slots goes back). Each save carries a
// small picture of the play area as the player saw it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Controls.h"
#include "platform/Form.h"

struct TSaveMenuHooks {
  std::function<void(bool paused)> Pause;        // the game stands still while the view shows
  std::function<void(const std::string&)> Tell;  // one line for the player (CP932), in the title
};

void SaveMenuSetup(Platform::TForm& form, Platform::TPanel& page, Platform::TPaintBox& playArea, TSaveMenuHooks hooks);
void SaveMenuFree();

void QuickSave();
void QuickLoad();
// Opens the view to save (else to load), the newest slot chosen.
void OpenSaveMenu(bool saving);
bool SaveMenuOpen();
// While open: saving (else loading), and the chosen slot, 1-based.
bool SaveMenuSaving();
int SaveMenuChoice();
void CloseSaveMenu();
// A key while the view is open (it takes every key).
void SaveMenuKey(uint32_t virtualKey);
