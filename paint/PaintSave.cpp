// PaintSave -- capturing and restoring the play area's lasting effect state.
#include "paint/PaintSave.h"

#include "paint/UnitPaintState.h"

static_assert(SavedGlowCount == GlowCount);

TPaintSave CapturePaint() {
  TPaintSave s;
  for (int i = 0; i < IdeaButtonCount; ++i) {
    const auto& button = IdeaButtons[i];
    if (button == nullptr) continue;
    s.Buttons[i] = {button->Visible, button->Enabled, button->Top, button->Caption};
  }
  s.NextButton = NextIdeaButton;
  s.FlashPending = FlashPending;
  s.FlashColor = FlashColor;
  s.Shattered = ShatterActive;
  s.HuePhase = HuePhase;
  s.Zooming = Zooming;
  s.ZoomedIn = ZoomedIn;
  s.ZoomPercent = ZoomPercent;
  for (int i = 0; i < GlowCount; ++i) s.Glows[i] = {Glows[i].Red, Glows[i].VX, Glows[i].VY, Glows[i].X, Glows[i].Y};
  return s;
}

void RestorePaint(const TPaintSave& s) {
  for (int i = 0; i < IdeaButtonCount; ++i) {
    const auto& button = IdeaButtons[i];
    if (button == nullptr) continue;
    button->Caption = s.Buttons[i].Caption;
    button->Top = s.Buttons[i].Top;
    button->Enabled = s.Buttons[i].Enabled;
    button->Visible = s.Buttons[i].Visible;
  }
  NextIdeaButton = s.NextButton;
  FlashPending = s.FlashPending;
  FlashColor = s.FlashColor;
  ShatterActive = s.Shattered;
  HuePhase = s.HuePhase;
  Zooming = s.Zooming;
  ZoomedIn = s.ZoomedIn;
  ZoomPercent = s.ZoomPercent;
  for (int i = 0; i < GlowCount; ++i) {
    const TGlowSave& g = s.Glows[i];
    Glows[i] = TGlow{g.Red, g.VX, g.VY, g.X, g.Y};
  }
  for (auto& pool : ButtonParticles) {
    for (TParticle& p : pool) p.Active = false;
  }
  for (TParticle& p : PowerSparks) p.Active = false;
  for (TParticle& p : BurstParticles) p.Active = false;
  for (auto& row : Tiles) {
    for (TShatterTile& t : row) t.Active = false;
  }
}
