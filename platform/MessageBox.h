// MessageBox -- the program's own modal box for an error: the text in the Japanese faces the game
// draws with, and an OK button. SDL's box on X11 draws with the server's core fonts, which
// have no Japanese, and a page has no box of its own.
// Application's top-level handler and its warnings show it; nothing else does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace Platform {

class TWindow;

// Lays the box out and paints it: the text (CP932; lines at "\n", long ones wrapped) with the
// OK button centred below it.
void PaintMessageBox(const std::string& text, TBitmap& box);
// The same in two steps, for the systems that show the box: where everything lies, and the box
// painted with OK up or pressed.
struct TBoxLayout {
  std::vector<std::string> Lines;
  int LineHeight = 0;
  int Width = 0, Height = 0;
  TRect Button;
  bool Readable = false;  // a font draws the text
};
TBoxLayout LayOutMessageBox(const std::string& text);
void PaintMessageBox(const TBoxLayout& layout, bool pressed, TBitmap& box);
// The lines the box shows text in: split at "\n"; a line too wide breaks at its last space that
// fits, or between two characters where there is none (Japanese).
std::vector<std::string> MessageBoxLines(const std::string& text);

// Shows the box in a small window of its own (over the canvas in a page), titled caption and
// centred over owner when there is one (the screen otherwise), and waits until Enter, Escape, a
// click on OK or the window's close ends it; owner meanwhile takes no input. False when a quit
// request (SIGTERM, SIGINT, the last window closed) ended it. On SDL's dummy and off-screen
// drivers nobody can close it: it is shown and taken down at once. shown, when given, gets what
// the window showed. When no font draws the text, the system's simple box shows it instead (on
// X11 in the server's own fonts; the browser's alert), and shown is left empty.
bool ShowMessageBox(const std::string& caption, const std::string& text, const TWindow* owner,
                    TBitmap* shown = nullptr);

}  // namespace Platform
