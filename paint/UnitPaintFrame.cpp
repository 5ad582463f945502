// UnitPaintFrame -- the drawing set-up and the frame callback.
#include "game/UnitMain.h"
#include "paint/UnitPaint.h"

std::unique_ptr<TQuilBitmap> ScreenBmp;
std::unique_ptr<TQuilBitmap> PictureA;
std::unique_ptr<TQuilBitmap> PictureA2;
std::unique_ptr<TQuilBitmap> PictureUna;
std::unique_ptr<TQuilBitmap> ShatterBmp;

namespace {

Platform::TPaintBox* PaintTarget = nullptr;  // the play area the frames are copied to

}  // namespace

void PaintSetup(Platform::TPanel& page, Platform::TPaintBox& paintBox,
                std::function<void(Platform::TPushButton&)> onClick) {
  PaintTarget = &paintBox;
  ScreenBmp = std::make_unique<TQuilBitmap>();
  PictureA = std::make_unique<TQuilBitmap>();
  PictureA2 = std::make_unique<TQuilBitmap>();
  PictureUna = std::make_unique<TQuilBitmap>();
  ShatterBmp = std::make_unique<TQuilBitmap>();
  ScreenBmp->SetSize(400, 400);
  PictureA->LoadFromFile("dat\\a.bmp");
  PictureA2->LoadFromFile("dat\\a2.bmp");
  PictureUna->LoadFromFile("dat\\una.bmp");
  ShatterBmp->SetSize(400, 400);
  CreateIdeaButtons(page, std::move(onClick));
}

void PaintFree() {
  ScreenBmp.reset();
  PictureA.reset();
  PictureA2.reset();
  PictureUna.reset();
  ShatterBmp.reset();
  FreeIdeaButtons();
  PaintTarget = nullptr;
}

void FrameCallback() {
  if (!TitleShowing) {
    PictureA->DrawTo(*ScreenBmp, 0, 0);
    MoveIdeaButtons();
  }
  if (PaintTarget != nullptr) ScreenBmp->CopyToPaintBox(*PaintTarget);
}
