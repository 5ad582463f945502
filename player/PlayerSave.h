// PlayerSave -- a save of the game as the player has it, assembled from each part's capture
// (the rules and the play area, the backlog, a small picture of the play area as the player
// sees it) and written into a slot; and a slot loaded back into the running game. The quick
// slot, the save/load view, the autosave and the replay harness all save and load through it.
#pragma once
#include <string>

// Saves the game as it stands into a slot, with the backlog and the picture while the player
// layer is set up; "" when done, else the one line (CP932) that says why not. The game goes on
// either way.
std::string SaveGameTo(const std::string& slot);
// Loads a slot into the running game; "" when done, else the one line (CP932) of the
// refusal, and nothing has changed; a refusal is also one line on standard error with the
// file, the line and the reason. The backlog comes back with it. A save of a story edited
// since goes on at its line, found again in its passage.
std::string LoadGameFrom(const std::string& slot);
// What the title says after a load: done, and that the story changed when the last load
// found it so (CP932).
std::string LoadedWords(const std::string& done);
