// UnitPaintScene -- the title (its capture and its frames), the normal backdrop and the
// wobbling lines.
#include <array>
#include <cstdint>

#include "paint/Random.h"
#include "paint/UnitPaintDraw.h"

namespace {

// Brightness of the sky on each row: 255 on row 200, falling to 0 on row 0 and 3 on row 399.
constexpr std::array<uint8_t, CanvasSize> SkyTable() {
  std::array<uint8_t, CanvasSize> sky{};
  for (int y = 0; y < CanvasSize; ++y) {
    int t = ((200 - y) * (200 - y) * 255 * 4 / 400) / 400;
    sky[y] = static_cast<uint8_t>(255 - t);
  }
  return sky;
}
constexpr std::array<uint8_t, CanvasSize> SkyBlue = SkyTable();

bool IsWhite(const TPixel& p) { return p.R == 255 && p.G == 255 && p.B == 255; }

void PenLine(int x0, int y0, int x1, int y1) {
  Platform::TCanvas& canvas = ScreenBmp->Canvas();
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

}  // namespace

void SetScreenFont(const char* name, int height, unsigned style, TPixel color) {
  ScreenBmp->SetFontName(name);
  ScreenBmp->SetFontHeight(height);
  ScreenBmp->SetFontStyle(style);
  ScreenBmp->SetFontColor(color);
  ScreenBmp->SetBrushClear();
}

void CaptureTitle() {
  ScreenBmp->Fill(PixelWhite);
  SetScreenFont("ＭＳ Ｐ明朝", 50, Platform::fsItalic, PixelRed);
  ScreenBmp->TextOut(30, 100, "霧のファロウ");
  SetScreenFont("ＭＳ Ｐ明朝", 20, 0, MakePixel(64, 64, 64));
  ScreenBmp->TextOut(35, 355, "CLICK to START");
  // Anti-aliased edges are captured with their own colours. The table holds 10,000 pixels;
  // the title artwork stays well below that, and anything beyond would simply be left out.
  TitlePixelCount = 0;
  for (int y = 0; y < CanvasSize; ++y) {
    const TPixel* row = ScreenBmp->Rows[y];
    for (int x = 0; x < CanvasSize; ++x) {
      if (IsWhite(row[x]) || TitlePixelCount >= MaxTitlePixels) continue;
      TitleTarget[TitlePixelCount] = TScreenPoint{x, y};
      TitleColor[TitlePixelCount] = row[x];
      TitlePixelCount += 1;
    }
  }
}

void DrawTitle() {
  static TCanvasRows screen;
  static TCanvasRows picture;
  FetchRows(*ScreenBmp, screen);
  FetchRows(*PictureA, picture);
  const TPixel grey = MakePixel(192, 192, 192);
  // About 133 x 133 pixels from (100, 50) of the harbour, three times enlarged; every pixel
  // comes from up to 3 source pixels further right and down, new every frame.
  for (int y = 0; y < CanvasSize; ++y) {
    TPixel* out = screen[y];
    const int rowBase = y / 3 + 50;
    for (int x = 0; x < CanvasSize; ++x) {
      int sx = x / 3 + 100 + Random(4);  // the column's number is drawn first
      int sy = rowBase + Random(4);
      TPixel p = picture[sy][sx];
      if (p.R == 0 && p.G == 0 && p.B == 0) p = grey;
      out[x] = p;
    }
  }
  // Each title pixel closes a tenth of its way home and then trembles by one pixel right and
  // down. A pixel at x = 399 would also be written at x = 400: writes off the canvas are skipped.
  for (int32_t i = 0; i < TitlePixelCount; ++i) {
    TScreenPoint& pos = TitlePos[i];
    const TScreenPoint& target = TitleTarget[i];
    pos.X = target.X + (pos.X - target.X) * 9 / 10 + Random(2);
    pos.Y = target.Y + (pos.Y - target.Y) * 9 / 10 + Random(2);
    if (static_cast<uint32_t>(pos.Y) >= static_cast<uint32_t>(CanvasSize)) continue;
    TPixel* row = screen[pos.Y];
    if (static_cast<uint32_t>(pos.X) < static_cast<uint32_t>(CanvasSize)) row[pos.X] = TitleColor[i];
    if (static_cast<uint32_t>(pos.X + 1) < static_cast<uint32_t>(CanvasSize)) row[pos.X + 1] = TitleColor[i];
  }
}

void DrawScene() {
  PictureA->DrawTo(*ScreenBmp, 0, 0);
  // The picture's white is sky: black at the top, brightest blue on row 200.
  static TCanvasRows screen;
  FetchRows(*ScreenBmp, screen);
  for (int y = 0; y < CanvasSize; ++y) {
    TPixel* row = screen[y];
    const uint8_t blue = SkyBlue[y];
    for (int x = 0; x < CanvasSize; ++x) {
      if (IsWhite(row[x])) row[x] = TPixel{blue, 0, 0};
    }
  }
  // Black sides leave a band from x = 140 to 259; column 399 and row 399 stay unfilled.
  Platform::TCanvas& canvas = ScreenBmp->Canvas();
  canvas.Brush.Color = PixelToColor(PixelBlack);
  canvas.FillRect(Platform::TRect{0, 0, 140, 399});
  canvas.FillRect(Platform::TRect{260, 0, 399, 399});
  JitterVLines(PixelBlack, 143, 10);
  JitterVLines(PixelBlack, 257, 10);
}

void JitterVLines(TPixel color, int centre, int spread) {
  ScreenBmp->Canvas().Pen.Color = PixelToColor(color);
  for (int i = 0; i < 2; ++i) {
    int x0 = Random(spread) + centre - spread / 2;
    int x1 = Random(spread) + centre - spread / 2;
    PenLine(x0, 0, x1, 399);
  }
}

void JitterHLines(TPixel color, int centre, int spread) {
  ScreenBmp->Canvas().Pen.Color = PixelToColor(color);
  for (int i = 0; i < 2; ++i) {
    int y0 = Random(spread) + centre - spread / 2;
    int y1 = Random(spread) + centre - spread / 2;
    PenLine(0, y0, 399, y1);
  }
}
