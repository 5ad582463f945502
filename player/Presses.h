// Presses -- keys and pad buttons that play as the mouse would, through the input router.
#pragma once
#include <vector>

#include "platform/Controls.h"
#include "platform/Input.h"

// One press on the play area where no idea button lies.
void PressPlayArea(Platform::TInputRouter& input);
// Clicks the n-th (1-based) idea button with a part in the play area, counted from the top.
void ClickIdeaButton(Platform::TInputRouter& input, int n);
// The idea buttons with a part in the play area, from the top: the n-th above is [n - 1].
std::vector<const Platform::TPushButton*> IdeaButtonsFromTheTop();
