// PlayerState -- what the player layer's own files share: its one state and the steps each
// file offers the others. Nothing outside player/ includes it.
#pragma once
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Gamepad.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "player/Backlog.h"
#include "player/Notice.h"
#include "player/ReadMarks.h"
#include "player/Settings.h"

struct TSaveGame;

enum class TOverlay { None, Backlog, Keys };
enum class TPlayMode { Off, Skip, Auto };

struct TPlayer {
  Platform::TForm* Form = nullptr;
  Platform::TPaintBox* PlayArea = nullptr;
  Platform::TPanel* Page = nullptr;              // the play area's panel, where the overlays lie
  std::unique_ptr<Platform::TPaintBox> Overlay;  // over the play area and its buttons while it shows
  Platform::TBitmap Frozen;                      // the play area as it was when the overlay opened
  TOverlay Showing = TOverlay::None;
  bool OverlayPause = false;  // each holds one pause of the frame loop
  bool HiddenPause = false;
  TBacklog Lines;
  bool TitleSeen = false;       // the lines were already cleared for the title showing now
  bool Follow = false;          // Shift+C: each new line goes to the clipboard
  std::string Caption;          // the form's own caption
  bool CaptionMessage = false;  // the title names a saved screenshot for a while
  TSettings Settings;           // as last read or written
  bool PadUsedLast = false;     // a pad's button came after the last key: the key list shows the pad's
  int KeyListener = 0, PadListener = 0, WheelListener = 0, HiddenListener = 0, LineListener = 0, CloseListener = 0;
  int MouseListener = 0, FocusListener = 0;

  TReadMarks Read;        // the lines seen, in this run and before
  int Unwritten = 0;      // marks made since the file was last written
  bool KeepMarks = true;  // false: the file was refused and stays as it is
  TPlayMode Mode = TPlayMode::Off;
  bool SkipHeld = false;                    // skip lasts while Ctrl is held
  bool ResumeAuto = false;                  // the held skip began in auto mode, which comes back after
  Platform::TInputRouter* Input = nullptr;  // the router of the last key: skip and auto press through it
  bool Pressing = false;                    // skip or auto is pressing: not the player's press
  const char* Halt = nullptr;               // the mode waits for the player, for this reason (CP932)
  bool Acted = false;                       // the player pressed while it waited
  int ModePresses = 0;                      // presses made since the mode began
  uint32_t ModeSince = 0, AutoSince = 0;    // the clock when the mode began; at the last line or press
  int AutoChars = 0;                        // the characters of the line auto mode waits after
  int AutoPace = 3;                         // 1 .. AutoPaces, as chosen (Settings)
  int32_t ModeHP = 0;                       // HP at the last look: less is damage
  bool ModeShatter = false;                 // the world was broken at the last look
};

// The layer while it is set up, else nullptr.
extern std::unique_ptr<TPlayer> Player;

// Takes (hold) or gives back one pause of the frame loop, kept in held.
void HoldPause(bool& held, bool hold);

// ---- Overlay.cpp: the frozen play area under the backlog or the key list ----------------------
void ShowOverlay(TOverlay what);
void HideOverlay();
void DrawOverlay();
// A fault while drawing is said once on standard error; the game goes on.
void ReportOnce(const std::exception& error);

// ---- Backlog: opening and scrolling (Overlay.cpp), keeping lines (Player.cpp) ---------------
void OpenBacklog();
void ScrollBacklog(int lines);
void ForgetAnEndedGame();
// A save carries the backlog; a load puts it back (Player.cpp).
void CaptureBacklog(TSaveGame& save);
void RestoreBacklog(const TSaveGame& save);

// ---- TitleBar.cpp: the title, the clipboard, mute and screenshots ----------------------------
void ShowCaption();
void EndCaptionMessage();
void ToggleMute();
void TakeScreenshot();
void CopyLinesOnScreen();
void ToggleFollow();
// The title says a line (CP932) for two seconds (or ms), and so does the play area (Notice).
void TellInTitle(const std::string& cp932, int32_t ms = NoticeMs);
// Music (else the sounds) one step louder (step 1) or quieter (-1); the title says the level.
void ChangeVolume(bool music, int step);

// Fullscreen and back, as F11 switches it; nothing without a window.
void ToggleFullscreen();

// ---- Remembered settings (TitleBar.cpp) --------------------------------------------------------
// Reads the settings and puts mute and the volumes back; the window's factor and fullscreen
// follow on the first pass of the frame loop, once the window exists.
void ApplyRememberedSettings();
// The window exists once the frame loop runs: its remembered factor and fullscreen are put back
// then, by this timer entry.
void RestoreWindowSettings();
// Writes the settings when they differ from those last read or written.
void RememberSettings();

// ---- SaveMenu.cpp: the quick slot and the save/load view ---------------------------------------
void SaveMenuSetup();
void SaveMenuFree();
void QuickSave();
void QuickLoad();
// Opens the view to save (the first empty slot chosen) or to load (the newest save chosen).
void OpenSaveMenu(bool saving);
void CloseSaveMenu();
// In the open view: moves the choice by an arrow key; takes the chosen slot.
void MoveSaveChoice(uint32_t arrow);
void TakeSaveChoice();
// S saves, L loads, any other key (the pad's Y) switches between them.
void SwitchSaveMenu(uint32_t key);
// Puts a small picture of the play area as the player sees it into a save being written.
void AddThumbnail(TSaveGame& save);

// ---- ContinueOffer.cpp: the autosave at each passage and the title's offer of it ---------------
void AutosaveSetup();
void AutosaveFree();
// Makes the offer's panel, hidden; before the overlays, which lie over it.
void ContinueOfferSetup();
// Shows the offer when the autosave slot holds a save this story loads; it goes with the title.
void ShowContinueOffer();
bool ContinueOfferShowing();
// Loads the autosave; a refusal is said in the title.
void TakeContinueOffer();
void FreeContinueOffer();

// ---- Presses.cpp: presses made as the mouse would make them ----------------------------------
// One press on the play area where no idea button lies.
void PressPlayArea(Platform::TInputRouter& input);
// Clicks the n-th (1-based) idea button with a part in the play area, counted from the top.
void ClickIdeaButton(Platform::TInputRouter& input, int n);
// The idea buttons with a part in the play area, from the top: the n-th above is [n - 1].
std::vector<const Platform::TPushButton*> IdeaButtonsFromTheTop();

// ---- PlayModes.cpp: read marks, skip and auto mode ---------------------------------------------
// Skip presses once a frame while the lines it shows were read before; Ctrl holds it, Tab
// toggles it. Auto presses a while after each line. Both wait before what the player must see
// and go on after the player's press; some stops, and any other key, end them.
void ToggleSkip();
void HoldSkip(bool held);
void ToggleAuto();
// Auto mode's next pace (slower to faster, then round again); the title says it.
void NextAutoPace();
bool PlayModeOn();
// Turns skip or auto off; why (CP932) is said in the title, nullptr says nothing.
void StopPlayMode(const char* why);
// A key, click or pad button of the player's own while a mode presses: stops it. False when the
// input should still do what it does: the mode waits for the player, or it is a chord with the
// Ctrl that began a hold (Ctrl+C).
bool StopPlayModeByInput();
// Each line the story showed: marked read; an unread one stops skip, a new one restarts auto's wait.
void MarkLineShown(const std::string& line);
// Writes the marks when any are new.
void RememberReadMarks();
void PlayModesSetup();
void PlayModesFree();

// ---- PadFocus.cpp: the pad's choice among the idea buttons on screen ----------------------------
// Makes the ring that marks the choice; before the overlays, which lie over it.
void PadFocusSetup();
void PadFocusFree();
// Moves the choice to the next idea button down the screen (step 1) or up (-1), round at the ends.
void MovePadFocus(int step);
// Clicks the chosen idea button, else presses the play area.
void PadPress(Platform::TInputRouter& input);

// ---- Bindings.cpp: keys, pad buttons and wheel ------------------------------------------------
bool OnKey(Platform::TInputRouter& input, const Platform::TKeyEvent& key);
// A pad's button goes through OnKey as a key of its own code, its release as a key-up.
bool OnPad(Platform::TInputRouter& input, const Platform::TPadEvent& pad);
bool OnWheel(Platform::TInputRouter& input, int notches, unsigned shift, int x, int y);
