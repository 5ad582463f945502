// UnitForm -- the main form: the window's layout (a 400 x 400 play area), the start-up and
// shut-down of the game; a press on the play area goes to the game's rules (game/Press.h).
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

  // A press of any mouse button on the play area (PressPlayAreaAt).
  void PaintMainMouseDown(Platform::TPaintBox& sender, Platform::TMouseButton button, unsigned shift, int x, int y);
};

// The one main form, set while it exists.
extern TFormMain* FormMain;
