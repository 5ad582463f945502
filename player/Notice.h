// Notice -- what the title says for a while (saved, loaded, refused and why, a volume, the pace,
// mute, a screenshot, a reload) also said in a band across the play area, so that a player in
// fullscreen, who sees no title, reads it too. The band shows only while a notice does: a game
// in which nothing was said draws as it always did. The title's words feed it (TellInTitle), so
// whatever is told there shows here without more work.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Graphics.h"

// How long a notice shows; the game's pause does not stop it.
inline constexpr int32_t NoticeMs = 2000;

// Makes the band, hidden, on the play area's panel; made after the player's views, it lies over
// them and the idea buttons, and lets every press through to what lies under it.
void NoticeSetup(Platform::TPanel& page, Platform::TPaintBox& playArea);
void NoticeFree();
// Shows the line (CP932) for ms, in place of the one showing.
void ShowNotice(const std::string& cp932, int32_t ms = NoticeMs);
// The line showing now (CP932); "" when none.
std::string NoticeText();
// The form as the window shows it but without the band: for the pictures the game keeps (a
// screenshot, a save's picture, the view frozen under the backlog or the saves).
void PaintWithoutNotice(Platform::TForm& form, Platform::TBitmap& out);
// The same for the part of the window a control covers (the play area held still under a view).
void PaintPartWithoutNotice(Platform::TForm& form, const Platform::TControl& control, Platform::TBitmap& part);
// The first start of a player (no settings file yet) tells the keys; the replay harness plays
// as a returning player and turns it off.
void WelcomeNewPlayers(bool on);
bool WelcomingNewPlayers();
