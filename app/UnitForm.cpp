// UnitForm -- the main form's event handlers.
#include "app/UnitForm.h"

#include "game/UnitMainEffects.h"
#include "paint/UnitPaint.h"

void IdeaButtonClick(Platform::TPushButton& sender) {
  std::string caption = sender.Caption;
  if (caption.empty()) return;  // nothing to pay for
  PayForIdea();
  BurstIdeaButton(sender);
  RunIdeaEffect(caption);  // an unknown caption has cost its price and does nothing else
}
