// Clipboard -- text on the desktop's clipboard, for players who copy the story's lines into a
// dictionary or a screen reader. Without a display the text stays inside the program, so that
// headless runs (tests, the replay harness) can read back what was copied.
#pragma once
#include <string>

namespace Platform {

// Puts UTF-8 text on the clipboard; false when the desktop refused it (the text is kept
// inside the program all the same).
bool SetClipboardText(const std::string& utf8);
// What the clipboard holds (UTF-8); empty when it holds no text.
std::string ClipboardText();

}  // namespace Platform
