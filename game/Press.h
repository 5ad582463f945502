// Press -- what a press on the play area and the click of an idea button do to the game. They
// touch only the game's state, so the main form, the story's route tests and the fuzzers press
// through the same rules without a window.
#pragma once
#include "platform/Controls.h"

// A press of any mouse button at (x, y) of the play area: dismisses the title (the tune stops),
// or ignores a press on a greyed-out idea button, or restarts after death, or closes the
// description view, or else dismisses the idea buttons, runs the battle turn and steps the story.
void PressPlayAreaAt(int x, int y);

// The click of any of the five idea buttons: pays, bursts the button, runs its caption's effect.
void ClickIdeaButton(Platform::TPushButton& sender);

// One step of the story to its next line; an ended or failed scenario just shows nothing more.
void StepStory();
