// UnitPaintScene -- the title (its capture and its frames), the normal backdrop and the
// wobbling lines.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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
  // comes from up to 3 source pixels further right and down, new every frame. That part of the
  // harbour, its black turned light grey, is taken first, each pixel with a fourth byte so that
  // it is copied as one word: the spare byte lands on the next pixel, written after it (the
  // row's last pixel is copied as three bytes).
  constexpr int span = CanvasSize / 3 + 4;
  struct TWide {
    TPixel P;
    uint8_t Spare;
  };
  static_assert(sizeof(TWide) == 4);
  static std::array<std::array<TWide, span>, span> part;
  for (int sy = 0; sy < span; ++sy) {
    const TPixel* in = picture[sy + 50] + 100;
    for (int sx = 0; sx < span; ++sx) part[sy][sx] = TWide{SamePixel(in[sx], PixelBlack) ? grey : in[sx], 0};
  }
  // A row's numbers, drawn together: column, row, column, row, ... (the column's is drawn first).
  static std::array<uint8_t, 2 * CanvasSize> draws;
  for (int y = 0; y < CanvasSize; ++y) {
    auto* out = reinterpret_cast<uint8_t*>(screen[y]);
    const std::array<TWide, span>* rows = &part[y / 3];
    RandomFill(draws.data(), 2 * CanvasSize, 4);
    for (int x = 0; x < CanvasSize - 1; ++x) {
      std::memcpy(out + 3 * x, &rows[draws[2 * x + 1]][x / 3 + draws[2 * x]], sizeof(TWide));
    }
    constexpr int last = CanvasSize - 1;
    screen[y][last] = rows[draws[2 * last + 1]][last / 3 + draws[2 * last]].P;
  }
  // Each title pixel closes a tenth of its way home and then trembles by one pixel right and
  // down (two numbers each, drawn a row's worth of pixels at a time). A pixel at x = 399 would
  // also be written at x = 400: writes off the canvas are skipped.
  for (int32_t first = 0; first < TitlePixelCount; first += CanvasSize) {
    const int32_t count = std::min<int32_t>(TitlePixelCount - first, CanvasSize);
    RandomFill(draws.data(), 2 * count, 2);
    for (int32_t k = 0; k < count; ++k) {
      const int32_t i = first + k;
      TScreenPoint& pos = TitlePos[i];
      const TScreenPoint& target = TitleTarget[i];
      pos.X = target.X + (pos.X - target.X) * 9 / 10 + draws[2 * k];
      pos.Y = target.Y + (pos.Y - target.Y) * 9 / 10 + draws[2 * k + 1];
      if (static_cast<uint32_t>(pos.Y) >= static_cast<uint32_t>(CanvasSize)) continue;
      TPixel* row = screen[pos.Y];
      if (static_cast<uint32_t>(pos.X) < static_cast<uint32_t>(CanvasSize)) row[pos.X] = TitleColor[i];
      if (static_cast<uint32_t>(pos.X + 1) < static_cast<uint32_t>(CanvasSize)) row[pos.X + 1] = TitleColor[i];
    }
  }
}

void DrawScene() {
  // The picture, its white turned to sky (black at the top, brightest blue on row 200), under
  // black sides that leave a band from x = 140 to 259; column 399 and row 399 stay unfilled.
  // Only what the sides leave showing is taken from the picture: the same pixels as the whole
  // picture copied and painted over, for a third of the work.
  constexpr Platform::TRect left{0, 0, 140, 399}, right{260, 0, 399, 399};
  static_assert(left.Left == 0 && left.Top == 0 && right.Top == 0 && right.Bottom == left.Bottom);
  static TCanvasRows screen;
  static TCanvasRows picture;
  FetchRows(*ScreenBmp, screen);
  FetchRows(*PictureA, picture);
  for (int y = 0; y < CanvasSize; ++y) {
    const TPixel* in = picture[y];
    TPixel* out = screen[y];
    const TPixel sky{SkyBlue[y], 0, 0};
    auto take = [&](int from, int to) {
      for (int x = from; x < to; ++x) out[x] = IsWhite(in[x]) ? sky : in[x];
    };
    if (y >= left.Bottom) {
      take(0, CanvasSize);
    } else {
      take(left.Right, right.Left);
      take(right.Right, CanvasSize);
    }
  }
  Platform::TCanvas& canvas = ScreenBmp->Canvas();
  canvas.Brush.Color = PixelToColor(PixelBlack);
  canvas.FillRect(left);
  canvas.FillRect(right);
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
