// TitleBar -- what the window's title says: the game's own caption, then what is on (mute,
// the clipboard mode, skip or auto), or for a while a message (saved, loaded, refused, a volume,
// the pace, a screenshot), which the play area's band says too (Notice).
#pragma once
#include <cstdint>
#include <string>

#include "player/Notice.h"

// Remembers the form's own caption, to build on and to put back.
void TitleBarSetup();
void TitleBarFree();
// The title as it stands now, unless a message holds it.
void ShowCaption();
// Ends the message: the title shows what is on again.
void EndCaptionMessage();
// The title says a line (CP932) for two seconds (or ms), and so does the play area (Notice).
void TellInTitle(const std::string& cp932, int32_t ms = NoticeMs);
