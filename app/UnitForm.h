// UnitForm -- the main form: the window's layout (a 400 x 400 play area), the start-up and
// shut-down of the game, the press on the play area and the click of an idea button.
#pragma once
#include "app/QuilForm.h"
#include "platform/Controls.h"

class TFormMain : public TQuilForm {
 public:
  // Lays the form out, sets the game up, resets it and shows the first step of the story.
  // A missing or broken picture throws (naming the file) after undoing the set-up.
  TFormMain();
  ~TFormMain() override;

  Platform::TPanel PageMain{this};
  Platform::TPaintBox PaintMain{&PageMain};

  // A press of any mouse button on the play area: dismisses the title, or ignores a press on
  // a greyed-out idea button, or restarts after death, or closes the description view, or
  // else dismisses the idea buttons, runs the battle turn and steps the story.
  void PaintMainMouseDown(Platform::TPaintBox& sender, Platform::TMouseButton button, unsigned shift, int x, int y);
  // What that press does at (x, y) of the play area. It touches only the game's state, so code
  // that plays without a window (the story's route tests) presses through it too.
  static void PressPlayArea(int x, int y);
  // The click of any of the five idea buttons: pays, bursts the button, runs its caption's
  // effect. It touches only the game's state, so it needs no form instance.
  static void IdeaButtonClick(Platform::TPushButton& sender);
};

// The one main form, set while it exists.
extern TFormMain* FormMain;
