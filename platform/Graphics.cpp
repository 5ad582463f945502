// Graphics -- bitmap storage, pen lines, rectangle fills and block copies.
// (Text is in GraphicsText.cpp, picture files in GraphicsFiles.cpp.)
#include "platform/Graphics.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace Platform {

namespace {

TRect Intersect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

// Where drawing into bmp may go: its canvas clip inside its bounds.
TRect DrawableArea(TBitmap& bmp) { return Intersect(bmp.Canvas().ClipRect, TRect{0, 0, bmp.Width(), bmp.Height()}); }

void PutPixel(TBitmap& bmp, const TRect& area, int x, int y, TColor c) {
  if (x < area.Left || x >= area.Right || y < area.Top || y >= area.Bottom) return;
  uint8_t* p = bmp.ScanLine(y) + 3 * x;
  p[0] = static_cast<uint8_t>(c >> 16);
  p[1] = static_cast<uint8_t>(c >> 8);
  p[2] = static_cast<uint8_t>(c);
}

}  // namespace

TBitmap::TBitmap() : canvas_(*this) {}

void TBitmap::SetSize(int w, int h) {
  if (w < 0 || h < 0) throw std::invalid_argument("ビットマップの大きさが負です。");
  if (w == width_ && h == height_) return;
  int stride = (w * 3 + 3) & ~3;
  std::vector<uint8_t> pixels(static_cast<size_t>(stride) * h, 0);
  int keepBytes = std::min(width_, w) * 3;
  for (int y = 0; y < std::min(height_, h); ++y) {
    std::memcpy(pixels.data() + static_cast<size_t>(y) * stride, pixels_.data() + static_cast<size_t>(y) * stride_,
                keepBytes);
  }
  width_ = w;
  height_ = h;
  stride_ = stride;
  pixels_.swap(pixels);
  canvas_.ClipRect = TRect{0, 0, w, h};
}

uint8_t* TBitmap::ScanLine(int y) { return const_cast<uint8_t*>(static_cast<const TBitmap*>(this)->ScanLine(y)); }

const uint8_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_) {
    throw std::out_of_range("走査線 " + std::to_string(y) + " はビットマップの範囲外です。");
  }
  return pixels_.data() + static_cast<size_t>(y) * stride_;
}

void TBitmap::Assign(const TJPEGImage& jpeg) {
  SetSize(0, 0);
  SetSize(jpeg.Width, jpeg.Height);
  for (int y = 0; y < height_; ++y) {
    std::memcpy(ScanLine(y), jpeg.Pixels.data() + static_cast<size_t>(y) * width_ * 3, width_ * 3);
  }
}

void TCanvas::MoveTo(int x, int y) {
  PenX = x;
  PenY = y;
}

void TCanvas::LineTo(int x, int y) {
  // Bresenham from the pen position; the end point belongs to the next line, as in GDI.
  TRect area = DrawableArea(owner_);
  int x0 = PenX, y0 = PenY;
  int dx = std::abs(x - x0), dy = -std::abs(y - y0);
  int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  while (x0 != x || y0 != y) {
    PutPixel(owner_, area, x0, y0, Pen.Color);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  MoveTo(x, y);
}

void TCanvas::FillRect(const TRect& r) {
  TRect area = Intersect(DrawableArea(owner_), r);
  uint8_t b = static_cast<uint8_t>(Brush.Color >> 16), g = static_cast<uint8_t>(Brush.Color >> 8),
          red = static_cast<uint8_t>(Brush.Color);
  for (int y = area.Top; y < area.Bottom; ++y) {
    uint8_t* p = owner_.ScanLine(y) + 3 * area.Left;
    if (b == g && g == red) {  // black, white and the greys: one byte value throughout
      std::memset(p, b, static_cast<size_t>(area.Right - area.Left) * 3);
      continue;
    }
    for (int x = area.Left; x < area.Right; ++x, p += 3) {
      p[0] = b;
      p[1] = g;
      p[2] = red;
    }
  }
}

void BitBlt(TBitmap& dst, int x, int y, int w, int h, const TBitmap& src, int sx, int sy, uint32_t rop) {
  // Clip the source rectangle to src, then the destination to dst's drawable area,
  // moving both corners together.
  TRect from = Intersect(TRect{sx, sy, sx + w, sy + h}, TRect{0, 0, src.Width(), src.Height()});
  TRect to{x + (from.Left - sx), y + (from.Top - sy), x + (from.Right - sx), y + (from.Bottom - sy)};
  TRect area = Intersect(to, DrawableArea(dst));
  int cols = area.Right - area.Left;
  if (cols <= 0 || area.Bottom <= area.Top) return;
  int srcLeft = from.Left + (area.Left - to.Left);
  int srcTop = from.Top + (area.Top - to.Top);
  int rows = area.Bottom - area.Top;
  // A copy inside one bitmap downwards walks the rows bottom-up so it never reads what it wrote.
  bool upwards = &src == &dst && area.Top > srcTop;
  for (int i = 0; i < rows; ++i) {
    int row = upwards ? rows - 1 - i : i;
    const uint8_t* s = src.ScanLine(srcTop + row) + 3 * srcLeft;
    uint8_t* d = dst.ScanLine(area.Top + row) + 3 * area.Left;
    size_t n = static_cast<size_t>(cols) * 3;
    if (rop == SRCCOPY) {
      std::memmove(d, s, n);
    } else if (rop == SRCAND) {
      for (size_t b = 0; b < n; ++b) d[b] &= s[b];
    } else if (rop == SRCPAINT) {
      for (size_t b = 0; b < n; ++b) d[b] |= s[b];
    } else {
      throw std::invalid_argument("BitBlt: 未対応のラスタ演算です。");
    }
  }
}

}  // namespace Platform
