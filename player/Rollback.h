// Rollback -- Backspace (a pad's left shoulder) steps back one input, a press or a click, to
// the game exactly as it stood before it: the rules, the story's place, the play area and its
// idea buttons, the messages and the backlog. The last RollbackSteps inputs of the run are kept
// in memory, each taken just before its input; a load or a reloaded story starts afresh. On the
// game-over screen a line in the screen's own look says that Backspace undoes the fatal press.
#pragma once

inline constexpr int RollbackSteps = 100;

// Listens to the form's presses and keys and makes the game-over line; before the overlays,
// which lie over it.
void RollbackSetup();
void RollbackFree();
// Puts back the game as it stood before the last input that changed it; the title says so
// when there is none.
void StepBack();
// Forgets every step (after a load, which is no input of the run's).
void ForgetSteps();
// The steps kept now.
int StepsKept();
