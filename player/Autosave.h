// Autosave -- the autosave slot, written at the start of every passage (so a crash costs at
// most the passage) and when the window closes mid-game; the next title offers it
// (ContinueOffer). Never on the title or the game-over screen.
#pragma once

// Listens to the story's lines and the form's closing.
void AutosaveSetup();
void AutosaveFree();
