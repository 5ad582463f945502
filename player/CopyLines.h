// CopyLines -- the story lines to the clipboard: Ctrl+C copies those on screen, Shift+C turns
// on (and off) a mode that copies each new line as the story shows it.
#pragma once

// Listens to the story's line output for the mode.
void CopyLinesSetup();
void CopyLinesFree();
void CopyLinesOnScreen();
void ToggleFollow();
// The mode is on (the title says so).
bool FollowingLines();
