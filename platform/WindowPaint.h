// WindowPaint -- painting a form's controls as the window shows them, without a display.
// The window paints every frame with it; the replay harness takes its screenshots with it.
#pragma once

#include "platform/Form.h"
#include "platform/Graphics.h"

namespace Platform {

// Paints the form's client area as the window shows it: panels in their colour, each paint
// box's picture, and the visible push buttons over them in child order, in the classic
// bevelled look (bold 12-pixel Gothic caption, greyed when disabled, sunken while pressed).
void PaintForm(TForm& form, TBitmap& frame);

// The part of the form that control covers, as the window shows it (what lies over the control
// too), in a picture of the control's size: a view over the play area holds it still under it.
void PaintFormPart(TForm& form, const TControl& control, TBitmap& part);

}  // namespace Platform
