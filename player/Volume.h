// Volume -- mute (M, Ctrl+U) and the music's and the sounds' volumes (F7, F8, with Shift the
// sounds), each change remembered; the title says the new state.
#pragma once

void ToggleMute();
// Music (else the sounds) one step louder (step 1) or quieter (-1); the title says the level.
void ChangeVolume(bool music, int step);
// The sound as the game has it without the layer: on, at full volume.
void VolumeFree();
