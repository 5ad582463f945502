// UnitPaint -- idea buttons, particle pools and the visual requests of game code.
#include "paint/UnitPaint.h"

#include <algorithm>

#include "paint/Random.h"
#include "paint/UnitPaintState.h"
#include "script/Checked.h"

using Platform::TControl;
using Platform::TPushButton;

std::array<std::unique_ptr<TPushButton>, IdeaButtonCount> IdeaButtons;
int32_t NextIdeaButton = 0;
TIdeaPayableProc IdeaPayableProc = nullptr;

std::array<TParticlePool, IdeaButtonCount> ButtonParticles;
std::array<TParticle, PowerSparkCount> PowerSparks;
std::array<TParticle, BurstParticleCount> BurstParticles;

bool FlashPending = false;
TPixel FlashColor;
bool ShatterActive = false;
std::array<std::array<TShatterTile, TileColumns>, TileRows> Tiles;
int32_t HuePhase = 0;
bool Zooming = false;
bool ZoomedIn = false;
int32_t ZoomPercent = 100;
std::array<TGlow, GlowCount> Glows;

int32_t TitlePixelCount = 0;
std::array<TScreenPoint, MaxTitlePixels> TitleTarget;
std::array<TPixel, MaxTitlePixels> TitleColor;
std::array<TScreenPoint, MaxTitlePixels> TitlePos;

// Created and freed by the drawing set-up (UnitPaintFrame); a shatter snapshots into them.
std::unique_ptr<TQuilBitmap> ScreenBmp;
std::unique_ptr<TQuilBitmap> PictureA;
std::unique_ptr<TQuilBitmap> PictureA2;
std::unique_ptr<TQuilBitmap> PictureUna;
std::unique_ptr<TQuilBitmap> ShatterBmp;

// ---- Idea buttons -------------------------------------------------------------------------

void CreateIdeaButtons(Platform::TPanel& page, const std::function<void(TPushButton&)>& onClick) {
  CreateIdeaButtonControls();
  SetUpIdeaButtons(page, onClick);
}

void CreateIdeaButtonControls() {
  for (auto& button : IdeaButtons) button = std::make_unique<TPushButton>();
}

void SetUpIdeaButtons(Platform::TPanel& page, const std::function<void(TPushButton&)>& onClick) {
  for (int i = 0; i < IdeaButtonCount; ++i) {
    TPushButton* button = IdeaButtons[i].get();
    button->Tag = i;
    button->Visible = false;
    button->SetParent(&page);
    button->FontBold = true;
    button->Width = IdeaButtonWidth;
    button->Height = IdeaButtonHeight;
    button->Left = IdeaButtonLeft;
    button->OnClick = onClick;
    button->TabStop = false;
  }
}

void FreeIdeaButtons() {
  for (auto& button : IdeaButtons) button.reset();
}

void SpawnIdeaButton(const std::string& caption) {
  // The rest of the program never asks for more than five between rewinds; a sixth is dropped.
  if (NextIdeaButton < 0 || NextIdeaButton >= IdeaButtonCount) return;
  TPushButton* button = IdeaButtons[NextIdeaButton].get();
  if (button == nullptr) return;  // not created (the drawing set-up has not run)
  button->Caption = caption;
  button->Top = -button->Height;
  button->Enabled = IdeaButtonsUsable();
  button->Visible = true;
  NextIdeaButton += 1;
}

bool IdeaButtonsUsable() { return IdeaPayableProc != nullptr && IdeaPayableProc(); }

void MoveIdeaButtons() {
  // A button may come no closer than 10 pixels above the previous visible one in table order.
  int32_t limit = 800;
  for (auto& button : IdeaButtons) {
    if (button == nullptr || !button->Visible) continue;
    if (button->Top >= IdeaButtonFallenOut) {
      button->Visible = false;
      continue;
    }
    int32_t n = IdeaButtonFallStep(button->Top);
    if (n + button->Height + 10 >= limit) n = limit - button->Height - 10;
    button->Top = n;
    limit = n;
  }
}

namespace {

// The pool of a button, chosen by its Tag.
TParticlePool& PoolOf(const TPushButton& button) {
  Checked::CheckIndex(button.Tag, IdeaButtonCount);
  return ButtonParticles[button.Tag];
}

}  // namespace

void BurstIdeaButton(TPushButton& button) {
  if (!button.Visible) return;
  // Light green sparks rise from the button's face and never die by chance.
  for (TParticle& p : PoolOf(button)) {
    p.Active = true;
    p.Color = MakePixel(128, 255, 128);
    p.VX = Random(5) - 2;
    p.VY = -1 - Random(10);
    p.X = button.Left + Random(100);
    p.Y = button.Top + Random(30);
    p.Chance = 100;
  }
  button.Visible = false;
  // The click may have spent the last 理力 or the silver bullet.
  bool usable = IdeaButtonsUsable();
  for (auto& other : IdeaButtons) {
    if (other != nullptr && other->Visible) other->Enabled = usable;
  }
}

void ShatterIdeaButtons() {
  NextIdeaButton = 0;
  for (auto& button : IdeaButtons) {
    if (button == nullptr || !button->Visible) continue;
    // Grey sparks sink from the button's face, surviving a frame 76 times in 100.
    for (TParticle& p : PoolOf(*button)) {
      p.Active = true;
      p.Color = MakePixel(192, 192, 192);
      p.VX = Random(3) - 1;
      p.VY = 1 + Random(2);
      p.X = button->Left + Random(100);
      p.Y = button->Top + Random(30);
      p.Chance = 75;
    }
    button->Visible = false;
  }
}

std::vector<TIdeaButtonShown> IdeaButtonsShown(const TControl& playArea) {
  int areaLeft = 0, areaTop = 0;
  playArea.ClientOrigin(areaLeft, areaTop);
  std::vector<TIdeaButtonShown> shown;
  for (const auto& button : IdeaButtons) {
    if (button == nullptr || !button->Showing()) continue;
    int left = 0, top = 0;
    button->ClientOrigin(left, top);
    TIdeaButtonShown b{button.get(), {}, false, false, 0, 0};
    b.Part.Left = std::max(left, areaLeft);
    b.Part.Right = std::min(left + button->Width, areaLeft + playArea.Width);
    b.Part.Top = std::max(top, areaTop);
    b.Part.Bottom = std::min(top + button->Height, areaTop + playArea.Height);
    b.InPlayArea = b.Part.Left < b.Part.Right && b.Part.Top < b.Part.Bottom;
    b.AbovePlayArea = !b.InPlayArea && top + button->Height <= areaTop;
    b.MiddleX = b.Part.Left + (b.Part.Right - b.Part.Left) / 2;
    b.MiddleY = b.Part.Top + (b.Part.Bottom - b.Part.Top) / 2;
    shown.push_back(b);
  }
  return shown;
}

bool IsOnDisabledIdeaButton(int32_t x, int32_t y) {
  for (const auto& button : IdeaButtons) {
    if (button == nullptr || !button->Visible || button->Enabled) continue;
    if (button->Left <= x && x <= button->Left + button->Width - 1 && button->Top <= y &&
        y <= button->Top + button->Height - 1) {
      return true;
    }
  }
  return false;
}

// ---- Requests -------------------------------------------------------------------------------

void RequestFlash(TPixel color) {
  FlashPending = true;
  FlashColor = color;
}

void StartBurst() {
  for (TParticle& p : BurstParticles) {
    p.Active = true;
    uint8_t red = static_cast<uint8_t>(192 + Random(64));
    uint8_t green = static_cast<uint8_t>(64 + Random(64));
    uint8_t blue = static_cast<uint8_t>(64 + Random(64));
    p.Color = MakePixel(red, green, blue);
    p.VX = Random(5) - 2;
    p.VY = -1 - Random(3);
    p.X = 150 + Random(101);
    p.Y = 330 + Random(51);
    p.Chance = 99;
  }
}

void StartShatter() {
  ShatterActive = true;
  // The last frame drawn is what breaks apart.
  if (ScreenBmp != nullptr && ShatterBmp != nullptr) ScreenBmp->DrawTo(*ShatterBmp, 0, 0);
  for (int r = 0; r < TileRows; ++r) {
    for (int c = 0; c < TileColumns; ++c) {
      TShatterTile& t = Tiles[r][c];
      t.Active = true;
      t.X = TileSize * c;
      t.Y = TileSize * r;
      t.VX = -Random(2);
      t.VY = Random(3);
    }
  }
}

void RedGlows() {
  for (TGlow& g : Glows) g.Red = true;
}

void StartZoom() { Zooming = true; }

void PaintReset() {
  FlashPending = false;
  for (auto& button : IdeaButtons) {
    if (button != nullptr) button->Visible = false;
  }
  NextIdeaButton = 0;
  for (auto& pool : ButtonParticles) {
    for (TParticle& p : pool) p.Active = false;
  }
  for (TParticle& p : PowerSparks) p.Active = false;
  for (TParticle& p : BurstParticles) p.Active = false;
  ShatterActive = false;
  HuePhase = 0;
  for (auto& row : Tiles) {
    for (TShatterTile& t : row) t.Active = false;
  }
  for (TGlow& g : Glows) {
    g.Red = false;
    g.VX = -1 - Random(5);
    g.VY = 1 + Random(5);
    g.X = Random(400);
    g.Y = Random(400);
  }
  for (int32_t i = 0; i < TitlePixelCount; ++i) {
    int32_t y = Random(400);  // y is drawn first
    TitlePos[i] = TScreenPoint{Random(400), y};
  }
  ZoomedIn = false;
  ZoomPercent = 100;
  Zooming = false;
}

int ScriptLineWidth(const std::string& line) {
  static Platform::TBitmap measure;
  measure.Canvas().Font.Name = ScriptLineFont;
  measure.Canvas().Font.Height = ScriptLineFontHeight;
  return measure.Canvas().TextWidth(line);
}
