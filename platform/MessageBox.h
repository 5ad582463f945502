// MessageBox -- the program's own modal box for an error: the text in the Japanese faces the game
// draws with, and an OK button. SDL's box on X11 draws with the server's core fonts, which
// have no Japanese.
// Application's top-level handler and its warnings show it; nothing else does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Graphics.h"

struct SDL_Window;
union SDL_Event;

namespace Platform {

// Lays the box out and paints it: the text (CP932; lines at "\n", long ones wrapped) with the
// OK button centred below it.
void PaintMessageBox(const std::string& text, TBitmap& box);
// The lines the box shows text in: split at "\n"; a line too wide breaks at its last space that
// fits, or between two characters where there is none (Japanese).
std::vector<std::string> MessageBoxLines(const std::string& text);

// Shows the box in a small window of its own, titled caption and centred over owner when there
// is one (the screen otherwise), and waits until Enter, Escape, a click on OK or the window's
// close ends it; owner meanwhile takes no input. False when a quit request (SIGTERM, SIGINT,
// the last window closed) ended it. On SDL's dummy and off-screen drivers nobody can close it:
// it is shown and taken down at once. shown, when given, gets what the window showed. When no
// font draws the text, SDL's simple box shows it instead (in the X server's own fonts), and
// shown is left empty.
bool ShowMessageBox(const std::string& caption, const std::string& text, SDL_Window* owner, TBitmap* shown = nullptr);

// What the box makes of one of the display's events, all of which come to it while it shows:
// Enter, Escape or Space on the box, a click on OK (pressed and let go there) or the close of
// its window end it; a quit request ends it as Quit. pressed: the left button is down on OK.
enum class TBoxStep { Wait, Repaint, Close, Quit };
TBoxStep MessageBoxStep(const SDL_Event& event, uint32_t boxWindow, const TRect& ok, bool& pressed);

}  // namespace Platform
