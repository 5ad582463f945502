// UnitPaintScene -- the title (its capture and its frames), the normal backdrop and the
// wobbling lines.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#if defined(__x86_64__) && defined(__ELF__)
#include <immintrin.h>
#define FARROW_X86 1
#endif

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

// A pixel of the title's source with a spare fourth byte, so that it is copied as one word: the
// spare byte lands on the next pixel, written after it.
struct TWide {
  TPixel P;
  uint8_t Spare;
};
static_assert(sizeof(TWide) == 4);

#if defined(FARROW_X86)
// A title row eight pixels a step where the processor gathers (AVX2): pixel x is word
// x / 3 + column + row * span of from, as one at a time below; the eight words are packed to 24
// bytes. Returns how many pixels it did: it stops where a 16-byte store would pass the row.
__attribute__((target("avx2"))) int GatherTitleRow(const TWide* from, int span, const uint8_t* draws, uint8_t* out) {
  static constexpr auto thirds = [] {
    std::array<int32_t, CanvasSize> t{};
    for (int x = 0; x < CanvasSize; ++x) t[x] = x / 3;
    return t;
  }();
  const __m256i low = _mm256_set1_epi32(0xFF), rows = _mm256_set1_epi32(span);
  // Each lane's four words become its first 12 bytes.
  const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                        0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int x = 0;
  for (; 3 * x + 28 <= 3 * CanvasSize; x += 8) {
    // Eight (column, row) byte pairs, each pair one 32-bit lane: column + 256 * row.
    const __m256i pairs = _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(draws + 2 * x)));
    const __m256i column = _mm256_and_si256(pairs, low), row = _mm256_srli_epi32(pairs, 8);
    const __m256i index = _mm256_add_epi32(
        _mm256_add_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(thirds.data() + x)), column),
        _mm256_mullo_epi32(row, rows));
    const __m256i words =
        _mm256_shuffle_epi8(_mm256_i32gather_epi32(reinterpret_cast<const int*>(from), index, 4), pack);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), _mm256_castsi256_si128(words));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x + 12), _mm256_extracti128_si256(words, 1));
  }
  return x;
}

int GatheredTitlePixels(const TWide* from, int span, const uint8_t* draws, uint8_t* out) {
  static const bool usable = __builtin_cpu_supports("avx2");
  return usable ? GatherTitleRow(from, span, draws, out) : 0;
}

// Pixels from to to of a scene row four a step where the processor shuffles bytes (SSSE3): a
// pixel whose three bytes are all 255 becomes sky. Returns where it stopped: a 16-byte load or
// store must not pass to.
__attribute__((target("ssse3"))) int SkyRowShuffled(const TPixel* in, TPixel* out, int from, int to, uint8_t sky) {
  const auto s = static_cast<char>(sky);
  const __m128i skyBytes = _mm_setr_epi8(s, 0, 0, s, 0, 0, s, 0, 0, s, 0, 0, 0, 0, 0, 0);
  // Each pixel's three bytes all take its blue's, green's or red's test (the last four bytes none).
  const __m128i blue = _mm_setr_epi8(0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, -1, -1, -1, -1);
  const __m128i green = _mm_add_epi8(blue, _mm_setr_epi8(1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0));
  const __m128i red = _mm_add_epi8(green, _mm_setr_epi8(1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0));
  int x = from;
  for (; 3 * x + 16 <= 3 * to; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
    const __m128i full = _mm_cmpeq_epi8(v, _mm_set1_epi8(-1));
    const __m128i white = _mm_and_si128(_mm_and_si128(_mm_shuffle_epi8(full, blue), _mm_shuffle_epi8(full, green)),
                                        _mm_shuffle_epi8(full, red));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                     _mm_or_si128(_mm_andnot_si128(white, v), _mm_and_si128(white, skyBytes)));
  }
  return x;
}

int SkyPixels(const TPixel* in, TPixel* out, int from, int to, uint8_t sky) {
  static const bool usable = __builtin_cpu_supports("ssse3");
  return usable ? SkyRowShuffled(in, out, from, to, sky) : from;
}
#else
int GatheredTitlePixels(const TWide*, int, const uint8_t*, uint8_t*) { return 0; }
int SkyPixels(const TPixel*, TPixel*, int from, int, uint8_t) { return from; }
#endif

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
  // harbour, its black turned light grey, is taken first as wide pixels (the row's last pixel is
  // copied as three bytes).
  constexpr int span = CanvasSize / 3 + 4;
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
    for (int x = GatheredTitlePixels(rows->data(), span, draws.data(), out); x < CanvasSize - 1; ++x) {
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
      for (int x = SkyPixels(in, out, from, to, sky.B); x < to; ++x) out[x] = IsWhite(in[x]) ? sky : in[x];
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
