// Press -- the rules of a press on the play area and of an idea button's click.
#include "game/Press.h"

#include <string>

#include "game/UnitMain.h"
#include "game/UnitMainEffects.h"
#include "game/UnitScript.h"
#include "media/QuilMidi.h"
#include "paint/UnitPaint.h"

void StepStory() {
  if (Script == nullptr) return;
  std::string result;
  Script->Step(result);  // an ended or failed scenario just shows nothing more
}

void PressPlayAreaAt(int x, int y) {
  if (TitleShowing) {
    TitleShowing = false;
    TQuilMidi::Stop();
    return;
  }
  if (IsOnDisabledIdeaButton(x, y)) return;
  if (HP <= 0) {
    ResetGame();
    StepStory();
    return;
  }
  if (!DescriptionTitle.empty()) {
    DescriptionTitle.clear();
    return;
  }
  ShatterIdeaButtons();
  BattleTurn();
  StepStory();
}

void ClickIdeaButton(Platform::TPushButton& sender) {
  std::string caption = sender.Caption;  // the effect may change the button; the caption counts
  if (caption.empty()) return;           // nothing to pay for
  PayForIdea();
  BurstIdeaButton(sender);
  RunIdeaEffect(caption);  // an unknown caption has cost its price and does nothing else
}
