// QuilBmp -- the game's one drawing surface: a 24-bit bitmap with a canvas and direct pixel
// access through a table of row addresses, plus the 3-byte pixel and the colour helpers.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Graphics.h"

// A pixel as a 24-bit bitmap stores it: blue, green, red.
struct TPixel {
  uint8_t B;
  uint8_t G;
  uint8_t R;
};
static_assert(sizeof(TPixel) == 3, "a pixel is three bytes in a row");

// Inline: the effects call these for each of 160,000 pixels a frame.
constexpr TPixel MakePixel(uint8_t r, uint8_t g, uint8_t b) { return TPixel{b, g, r}; }
constexpr bool SamePixel(TPixel a, TPixel b) { return a.R == b.R && a.G == b.G && a.B == b.B; }
// The system colour of the pixel: red in the lowest byte.
constexpr Platform::TColor PixelToColor(TPixel p) { return Platform::RGB(p.R, p.G, p.B); }

inline constexpr TPixel PixelBlack = MakePixel(0, 0, 0);
inline constexpr TPixel PixelWhite = MakePixel(255, 255, 255);
inline constexpr TPixel PixelRed = MakePixel(255, 0, 0);
inline constexpr TPixel PixelGreen = MakePixel(0, 255, 0);
inline constexpr TPixel PixelBlue = MakePixel(0, 0, 255);

// The row addresses of a bitmap, line 0 at the top. Asking for a line outside the bitmap
// throws std::out_of_range; columns 0 .. width-1 are the caller's to keep to.
class TPixelTable {
 public:
  TPixel* operator[](int64_t y) const;
  size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }

 private:
  friend class TQuilBitmap;
  std::vector<TPixel*> rows_;
};

class TQuilBitmap : public Platform::TBitmap {
 public:
  // Empty; font "ＭＳ ゴシック", height 20, bold, black; clear brush.
  TQuilBitmap();

  TPixelTable Rows;  // valid after BuildRows until the next size change or load
  // Optional mask for DrawTo; owned and freed with this bitmap. Nothing in the game sets one.
  std::unique_ptr<TQuilBitmap> Mask;
  void SetMask(std::unique_ptr<TQuilBitmap> mask) { Mask = std::move(mask); }

  // A name ending in ".jpg" or ".jpeg" (exactly so, case-sensitive) is read as JPEG, any other
  // as a Windows bitmap file; then BuildRows. A missing or undecodable file throws and leaves
  // Rows as it was.
  void LoadFromFile(const std::string& fileName);
  // Width, then height; BuildRows; Fill(PixelWhite).
  void SetSize(int width, int height);
  // The bitmap is always 24 bits here; this rebuilds the row table.
  void BuildRows();
  void Fill(TPixel p);

  void SetFontName(const std::string& name);
  void SetFontHeight(int height);
  void SetFontStyle(unsigned style);  // Platform::fsBold | fsItalic | fsUnderline | fsStrikeOut
  void SetFontColor(TPixel p);
  void SetBrushClear();
  void TextOut(int x, int y, const std::string& text);

  // The paint box shows this whole bitmap at (0, 0) from now on, and the window repaints. The
  // box refers to the bitmap rather than copying it: lend the box something else (or nothing)
  // before this bitmap goes.
  void CopyToPaintBox(Platform::TPaintBox& box);
  // The whole bitmap to (x, y) of target: one SRCCOPY, or with a mask the mask SRCAND then this
  // bitmap SRCPAINT (the mask's white keeps the target, its black takes this bitmap).
  void DrawTo(TQuilBitmap& target, int x, int y);
};
