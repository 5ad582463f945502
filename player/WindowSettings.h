// WindowSettings -- the window's size: fullscreen and back (a pad's Back, as F11 does in the
// window), and the remembered factor and fullscreen put back once the window exists.
#pragma once

void ToggleFullscreen();
// Puts the remembered factor and fullscreen back on the first pass of the frame loop.
void RestoreWindowSettingsSoon();
void WindowSettingsFree();
