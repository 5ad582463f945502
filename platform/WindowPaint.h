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

}  // namespace Platform
