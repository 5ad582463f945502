// UnitForm -- the main form's event handlers. Until the form itself is in, its click handler
// lives here as a free function under the name the form will use.
#pragma once
#include "platform/Controls.h"

// The click of any of the five idea buttons: pays, bursts the button, runs its caption's effect.
void IdeaButtonClick(Platform::TPushButton& sender);
