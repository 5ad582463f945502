// ContinueOffer -- the title's offer to go on with the game the window was closed on (the
// autosave slot). A small panel of its own lies over the bottom of the title while the title
// shows; its key and a press on it load the autosave, a press anywhere else starts a new game
// as ever. Without an autosave nothing shows and the title is the game's own.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Controls.h"

// The key that takes the offer.
inline constexpr uint32_t ContinueKey = 'C';

// Shows the offer when the autosave slot holds a save this story loads (at start, before the
// title shows); it goes once the title has gone.
void ShowContinueOffer(Platform::TPanel& page, Platform::TPaintBox& playArea);
// Takes the offer: loads the autosave; true when it was showing. A refusal is shown in the
// window's title by the caller.
bool TakeContinueOffer(std::string& refusal);
bool ContinueOfferShowing();
void HideContinueOffer();
// Hides it and frees its panel (at the end of the game).
void FreeContinueOffer();
