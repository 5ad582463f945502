// QuilBmp -- pixels, the row table and the canvas shortcuts of the game's bitmaps.
#include "paint/QuilBmp.h"

#include <stdexcept>

using namespace Platform;

TPixel* TPixelTable::operator[](int64_t y) const {
  if (y < 0 || y >= static_cast<int64_t>(rows_.size())) {
    throw std::out_of_range("行 " + std::to_string(y) + " はビットマップの範囲外です (高さ " +
                            std::to_string(rows_.size()) + ")。");
  }
  return rows_[static_cast<size_t>(y)];
}

TQuilBitmap::TQuilBitmap() {
  Canvas().Font = TFont{"ＭＳ ゴシック", 20, fsBold, PixelToColor(PixelBlack)};
  Canvas().Brush.Style = TBrushStyle::Clear;
}

void TQuilBitmap::LoadFromFile(const std::string& fileName) {
  auto endsWith = [&](const std::string& tail) {
    return fileName.size() >= tail.size() && fileName.compare(fileName.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (endsWith(".jpg") || endsWith(".jpeg")) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(fileName);
    Assign(jpeg);
  } else {
    TBitmap::LoadFromFile(fileName);
  }
  BuildRows();
}

void TQuilBitmap::SetSize(int width, int height) {
  SetWidth(width);
  SetHeight(height);
  BuildRows();
  Fill(PixelWhite);
}

void TQuilBitmap::BuildRows() {
  Rows.rows_.resize(static_cast<size_t>(Height()));
  for (int y = 0; y < Height(); ++y) Rows.rows_[y] = reinterpret_cast<TPixel*>(ScanLine(y));
}

void TQuilBitmap::Fill(TPixel p) {
  for (int y = 0; y < Height(); ++y) {
    TPixel* row = Rows[y];
    for (int x = 0; x < Width(); ++x) row[x] = p;
  }
}

void TQuilBitmap::SetFontName(const std::string& name) { Canvas().Font.Name = name; }
void TQuilBitmap::SetFontHeight(int height) { Canvas().Font.Height = height; }
void TQuilBitmap::SetFontStyle(unsigned style) { Canvas().Font.Style = style; }
void TQuilBitmap::SetFontColor(TPixel p) { Canvas().Font.Color = PixelToColor(p); }
void TQuilBitmap::SetBrushClear() { Canvas().Brush.Style = TBrushStyle::Clear; }
void TQuilBitmap::TextOut(int x, int y, const std::string& text) { Canvas().TextOut(x, y, text); }

// The window reads the box's picture only when it repaints, between frames, so lending the
// bitmap shows the same pixels as a block copy would, without copying 160,000 of them.
void TQuilBitmap::CopyToPaintBox(TPaintBox& box) { box.Lend(this); }

void TQuilBitmap::DrawTo(TQuilBitmap& target, int x, int y) {
  if (Mask == nullptr) {
    BitBlt(target, x, y, Width(), Height(), *this, 0, 0, SRCCOPY);
    return;
  }
  BitBlt(target, x, y, Width(), Height(), *Mask, 0, 0, SRCAND);
  BitBlt(target, x, y, Width(), Height(), *this, 0, 0, SRCPAINT);
}
