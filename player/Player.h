// Player -- what players of this kind of game expect and the original lacked. None of it
// changes a rule of the game or a pixel it draws while unused:
//  - a backlog of the story lines shown since the game started (wheel up, Page Up, Up), over
//    the frozen play area; the game is paused while it is open;
//  - keyboard play: Space, Enter, Right and Down press the play area where no idea button
//    lies (Space and Enter still click the focused idea button); 1 .. 5 click the idea
//    buttons on screen counted from the top;
//  - M or Ctrl+U mutes and unmutes every sound and the tune, for the session;
//  - F12 or Alt+S saves the window's picture as a PNG in the pictures folder;
//  - Ctrl+C copies the story lines on screen; Shift+C copies each new line as it appears;
//  - the game is paused while the window is minimized or hidden;
//  - F1 shows the key list until the next key or press;
//  - F5 and F9 save and load the quick slot, S and L open the save/load view (SaveMenu);
//    closing the window mid-game saves to the autosave slot, which the next title offers
//    (ContinueOffer, key C); the backlog goes with every save;
//  - mute, the volumes (F7, F8, with Shift the sounds) and fullscreen are remembered
//    (Settings), the title naming a new volume for two seconds.
// It sits between the application shell and the platform: the shell attaches it to the main
// form, the game's units never call it. It acts on the game only as the player would, through
// the input router (a key is a mouse press where a press would land), and pauses the game by
// taking the frame callback out of the frame loop's table.
#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"

// Attaches everything to the main form: its key preview and wheel, the application's minimize
// and restore, the story's line output, and an overlay on the play-area panel (hidden until the
// backlog or the key list shows). Called once the game is set up, before the first step.
void PlayerSetup(Platform::TForm& form, Platform::TPanel& page, Platform::TPaintBox& playArea);
// Detaches it all again; the game goes on as it would without it.
void PlayerFree();

// The backlog as it stands; Lines are the ones shown (CP932), First is 1-based.
struct TBacklogView {
  bool Open = false;
  int First = 0;
  int Count = 0;
  std::vector<std::string> Lines;
};
TBacklogView Backlog();
// The most lines the backlog keeps; older ones drop out.
inline constexpr int BacklogCapacity = 2000;
bool Muted();

// Where F12 saves: xdg-user-dir's pictures folder (unless it answers the home folder, its
// "none"), else $XDG_PICTURES_DIR, else ~/Pictures; then Farrowmere/ below it.
std::string ScreenshotFolder();
// Saves what the window shows of the play area as farrowmere-YYYYMMDD-HHMMSS.png (with -2,
// -3 ... when the name is taken) and answers its path; a failure says why on standard error
// and answers "".
std::string SaveScreenshot(Platform::TForm& form);

// The key list: the keys (CP932), what they do in English and in Japanese (CP932).
struct TKeyHelp {
  const char* Keys;
  const char* English;
  const char* Japanese;
};
const std::vector<TKeyHelp>& KeyList();
// The key list for a terminal (--help, the manual): one "  KEYS  what" a line, UTF-8.
std::string KeyListText();
