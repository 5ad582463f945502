// Graphics -- the drawing stand-in: 24-bit bitmaps with a canvas (fonts, text, pen lines,
// rectangle fills), block copies, and pictures loaded from files.
// Called by paint/QuilBmp (the game's bitmaps), by TPaintBox (its screen image) and by the
// window's painter. Needs no display: fonts come from fontconfig and SDL_ttf (a page: FreeType).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace Platform {

// A system colour: red in the lowest byte, then green, then blue.
using TColor = uint32_t;
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum class TBrushStyle { Solid, Clear };

// Raster operations of BitBlt.
constexpr uint32_t SRCCOPY = 0x00CC0020;   // dst = src
constexpr uint32_t SRCAND = 0x008800C6;    // dst = dst & src
constexpr uint32_t SRCPAINT = 0x00EE0086;  // dst = dst | src

// A rectangle; the right and bottom edges lie outside it.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TFont {
  std::string Name = "ＭＳ Ｐゴシック";  // face name, CP932
  int Height = -12;                      // > 0: text cell height in pixels; < 0: character (em) height
  unsigned Style = 0;
  TColor Color = 0;
};

struct TBrush {
  TColor Color = RGB(255, 255, 255);
  // Only TextOut looks at the style: a solid brush paints a box behind the text.
  TBrushStyle Style = TBrushStyle::Solid;
};

struct TPen {
  TColor Color = 0;
};

class TBitmap;

class TCanvas {
 public:
  explicit TCanvas(TBitmap& owner) : owner_(owner) {}
  TFont Font;
  TBrush Brush;
  TPen Pen;
  // Drawing stays inside this rectangle and the bitmap; every size change resets it.
  TRect ClipRect;
  int PenX = 0, PenY = 0;

  void MoveTo(int x, int y);
  // A one-pixel line from the pen position to (x, y), (x, y) itself not drawn; the pen moves there.
  void LineTo(int x, int y);
  // Fills r (right and bottom excluded) with the brush colour.
  void FillRect(const TRect& r);
  // CP932 text, anti-aliased over what is there, with the top-left of its cell at (x, y).
  void TextOut(int x, int y, const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);

 private:
  TBitmap& owner_;
};

// A JPEG picture, decoded by libjpeg.
class TJPEGImage {
 public:
  // Throws std::runtime_error when the file is missing or not a JPEG it can decode.
  void LoadFromFile(const std::string& fileName);
  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;  // rows top to bottom, blue, green, red, no padding
};

// A device-independent bitmap, always 24 bits per pixel (blue, green, red), rows top to bottom,
// each row padded to 4 bytes like a Windows DIB.
class TBitmap {
 public:
  TBitmap();
  virtual ~TBitmap() = default;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Size changes keep the pixels that stay inside; new pixels are black.
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }
  void SetSize(int w, int h);
  // The first byte of line y (0 = top). Throws std::out_of_range outside 0 .. Height-1.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;
  int Stride() const { return stride_; }
  TCanvas& Canvas() { return canvas_; }

  // A Windows bitmap file of any depth SDL reads (a page: uncompressed), converted to 24 bits.
  // Throws std::runtime_error (CP932 text) when the file is missing or not a bitmap; unchanged.
  void LoadFromFile(const std::string& fileName);
  void Assign(const TJPEGImage& jpeg);

 private:
  int width_ = 0, height_ = 0, stride_ = 0;
  std::vector<uint8_t> pixels_;
  TCanvas canvas_;
};

// Block copy of w x h pixels from (sx, sy) of src to (x, y) of dst, clipped to both bitmaps
// and to dst's canvas ClipRect.
void BitBlt(TBitmap& dst, int x, int y, int w, int h, const TBitmap& src, int sx, int sy, uint32_t rop);

// The font family (UTF-8) that a face name (CP932) is drawn with: the IPA face for the four
// MS faces, otherwise the face itself if installed with kana, else a Japanese Gothic or Mincho.
std::string FontFamilyFor(const std::string& faceName);

}  // namespace Platform
