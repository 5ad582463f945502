// PlayModes -- skip and auto mode. Skip presses once a frame while the lines it shows were read
// before; Ctrl holds it, Tab toggles it. Auto presses a while after each line. Both wait before
// what the player must see and go on after the player's press; some stops, and any other key,
// end them.
#pragma once
#include <string>

#include "platform/Input.h"

// Listens to the form's presses, the window's focus and the story's lines.
void PlayModesSetup();
void PlayModesFree();
void ToggleSkip();
void HoldSkip(bool held);
void ToggleAuto();
// Auto mode's next pace (slower to faster, then round again); the title says it.
void NextAutoPace();
// Auto mode's pace, 1 .. AutoPaces (a remembered setting).
int AutoPace();
void SetAutoPace(int pace);
bool PlayModeOn();
// What the title adds while a mode is on (" - スキップ中", " - オート停止：敵"), else "" (CP932).
std::string PlayModeWords();
// Turns skip or auto off; why (CP932) is said in the title, nullptr says nothing.
void StopPlayMode(const char* why);
// A key, click or pad button of the player's own while a mode presses: stops it. False when the
// input should still do what it does: the mode waits for the player, or it is a chord with the
// Ctrl that began a hold (Ctrl+C).
bool StopPlayModeByInput();
// The router the player's last key came by: the modes press through it.
void NoteInput(Platform::TInputRouter& input);
