// ContinueOffer -- the title's offer to go on with the game in the autosave slot (Autosave
// writes it). A small panel of its own lies over the bottom of the title while the title shows;
// its key (C, a row of Bindings) and a press on it load the autosave, a press anywhere else
// starts a new game as ever. Without an autosave nothing shows and the title is the game's own.
#pragma once

// Makes the offer's panel, hidden; before the overlays, which lie over it.
void ContinueOfferSetup();
// Shows the offer when the autosave slot holds a save this story loads; it goes with the title.
void ShowContinueOffer();
bool ContinueOfferShowing();
// Loads the autosave; a refusal is said in the title.
void TakeContinueOffer();
void FreeContinueOffer();
