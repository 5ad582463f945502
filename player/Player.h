// Player -- what players of this kind of game expect and the original lacked. None of it
// changes a rule of the game or a pixel it draws while unused: a backlog of the story so far,
// keyboard and pad play, mute and the volumes, screenshots, the story's lines copied, quick
// saves, a save/load view and an autosave the next title offers, steps back, skip and auto
// mode through the lines read (remembered per story), what the title says shown in a band
// across the play area too, the remembered settings, and the game paused while its window is
// hidden. Which key or pad button does what is said once, in the table of Bindings.cpp (F1
// shows it, --help prints it, `make keys` writes it into the README and the manual).
// It sits between the application shell and the platform: the shell attaches it to the main
// form, the game's units never call it. It listens where the lower layers let listeners in
// (the form's keys, pad buttons, wheel and closing, the window's hiding, the story's line
// output), acts on the game only as the player would, through the input router, and pauses the
// frame loop by its count.
// Each concern keeps its own state and header: Bindings (the keys and pad buttons), Overlay
// (backlog and key list), Backlog (the lines kept), Presses, PadFocus (the pad's choice of an idea
// button), TitleBar (what the title says), Notice (the title's words in the play area), CopyLines
// (the clipboard), Volume (mute and the volumes), WindowSettings (fullscreen), RememberedSettings,
// Screenshot, PlayerSave (a save assembled and put back), SaveMenu and SaveView (the quick slot
// and the save/load view), Autosave, ContinueOffer, Rollback, PlayModes (skip and auto), and on
// the disk SaveFiles, Settings and ReadMarks (with the marks of the run);
// Player.cpp attaches it all.
#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "player/Backlog.h"

// Attaches everything to the main form: a key, a pad button and a wheel listener, a listener to the window's
// hiding, to the story's line output and to the form's closing, and overlays on the play-area
// panel (hidden until the backlog, the key list or the save/load view shows; the offer to
// continue while the title shows, when there is an autosave); puts the remembered settings
// back. Called once the game and its story are set up.
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
inline constexpr int BacklogCapacity = TBacklog::Capacity;
bool Muted();
// "skip" or "auto" while one of them presses on the player's behalf, else "".
const char* PlayMode();
// The idea button the pad's d-pad has chosen, 1-based from the top as keys 1 .. 5 count; 0 for
// none.
int PadChoice();

// Where F12 saves: xdg-user-dir's pictures folder (unless it answers the home folder, its
// "none"), else $XDG_PICTURES_DIR, else ~/Pictures; then Farrowmere/ below it.
std::string ScreenshotFolder();
// Saves what the window shows of the play area as farrowmere-YYYYMMDD-HHMMSS.png (with -2,
// -3 ... when the name is taken) and answers its path; a failure says why on standard error
// and answers "".
std::string SaveScreenshot(Platform::TForm& form);

// The key list, made from the bindings: the keys (CP932), what they do in English and in
// Japanese (CP932); the pad's buttons instead while a pad's button came after the last key.
struct TKeyHelp {
  std::string Keys;
  const char* English;
  const char* Japanese;
};
std::vector<TKeyHelp> KeyList();
// Every listed row of one group, for the manual and the README (tools/keys writes their tables).
enum class TKeyGroup { Keys, Pad, Authoring };
std::vector<TKeyHelp> KeyListOf(TKeyGroup group);
// The key list for a terminal (--help, the manual): one "  KEYS  what" a line, UTF-8; then a
// blank line, "A gamepad:" and the pad's buttons the same way.
std::string KeyListText();
