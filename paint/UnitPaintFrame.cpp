// UnitPaintFrame -- the drawing set-up and teardown, and the frame callback that stacks the
// layers of the play area every 50 ms.
#include "paint/UnitPaintFrame.h"

#include <stdexcept>

#include "game/UnitMain.h"
#include "paint/UnitPaintDraw.h"
#include "platform/DataFiles.h"

namespace {

Platform::TPaintBox* PaintTarget = nullptr;  // the play area that shows the frames

// Every effect reads the pictures' first 400 rows and columns unchecked, so a smaller picture
// is refused here, naming the file like a missing one.
void LoadPicture(TQuilBitmap& picture, const char* fileName) {
  picture.LoadFromFile(fileName);
  if (picture.Width() < CanvasSize || picture.Height() < CanvasSize) {
    throw std::runtime_error(
        "ビットマップ イメージが小さすぎます (" + Platform::PathText(Platform::NativeFileName(fileName)) + ": " +
        std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()) + "、400 x 400 以上が必要です)。");
  }
}

}  // namespace

void FetchRows(const TQuilBitmap& bmp, TCanvasRows& rows) {
  for (int y = 0; y < CanvasSize; ++y) rows[y] = bmp.Rows[y];
}

void PaintSetup(Platform::TPanel& page, Platform::TPaintBox& paintBox,
                const std::function<void(Platform::TPushButton&)>& onClick) {
  if (PaintTarget != nullptr) PaintTarget->Lend(nullptr);  // it may show the bitmap replaced below
  PaintTarget = &paintBox;
  ScreenBmp = std::make_unique<TQuilBitmap>();
  PictureA = std::make_unique<TQuilBitmap>();
  PictureA2 = std::make_unique<TQuilBitmap>();
  PictureUna = std::make_unique<TQuilBitmap>();
  ShatterBmp = std::make_unique<TQuilBitmap>();
  CreateIdeaButtonControls();
  ScreenBmp->SetSize(CanvasSize, CanvasSize);
  LoadPicture(*PictureA, "dat\\a.bmp");
  LoadPicture(*PictureA2, "dat\\a2.bmp");
  LoadPicture(*PictureUna, "dat\\una.bmp");
  ShatterBmp->SetSize(CanvasSize, CanvasSize);
  SetUpIdeaButtons(page, onClick);
  BuildGlowKernel();
  CaptureTitle();
}

void PaintFree() {
  // The play area shows the screen bitmap itself: it must stop before the bitmap goes.
  if (PaintTarget != nullptr) PaintTarget->Lend(nullptr);
  ScreenBmp.reset();
  PictureA.reset();
  PictureA2.reset();
  PictureUna.reset();
  ShatterBmp.reset();
  FreeIdeaButtons();
  PaintTarget = nullptr;
}

void FrameCallback() {
  if (TitleShowing) {
    DrawTitle();
  } else {
    // Later layers paint over earlier ones: this order is the stacking order of the play area.
    if (ShatterActive) {
      DrawOtherScene();
    } else {
      DrawScene();
    }
    DrawParticles();
    DrawStatus();
    DrawScriptLines();
    DrawMessageLog();
    DrawTiles();
    DrawDescription();
    DrawGameOver();
    DrawFlash();
    MoveIdeaButtons();  // real controls: drawn by the window over the play area, never hidden
  }
  if (PaintTarget != nullptr) ScreenBmp->CopyToPaintBox(*PaintTarget);
}
