// Program -- the program from start to end: the units' start, the application and its title,
// the main form, the message loop, and everything stopped again in reverse order.
#pragma once
#include <functional>

class TFormMain;

// The units' start, in the order the program starts them: sound effects (all stopped), the
// MIDI player (output device chosen), the frame loop's table (emptied, 1 ms timer resolution).
void StartUnits();
// Their end, in reverse: the frame loop's table, then the MIDI tune stopped and the player
// released, then every sound purged.
void StopUnits();

// The whole program. Answers the exit status: 0 after a normal end ("#finish", "★退出" or
// closing the window), 1 when there is no display or the start-up failed (a missing or broken
// picture is reported in a message box naming the file).
// prepare, when given, runs once the main form is made and before the message loop starts (an
// author's warp); an error it throws is reported like one of the start-up.
int RunProgram(const std::function<void(TFormMain&)>& prepare = {});
