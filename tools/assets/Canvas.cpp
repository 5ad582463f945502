// Canvas -- a 24-bit picture the generators paint on, with key colours kept apart from ordinary paint.
#include "tools/assets/Canvas.h"

#include "tools/assets/ByteWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
uint8_t Clamp8(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }
}  // namespace

Rgb Mix(Rgb a, Rgb b, int t) {
  t = std::clamp(t, 0, 256);
  auto m = [t](int p, int q) { return Clamp8((p * (256 - t) + q * t + 128) >> 8); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Rgb Shade(Rgb c, int t) {
  return {Clamp8((c.r * t + 128) >> 8), Clamp8((c.g * t + 128) >> 8), Clamp8((c.b * t + 128) >> 8)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height, fill),
      keyed_(static_cast<size_t>(width) * height, 0) {}

void Canvas::Reserve(Rgb colour) { reserved_.push_back(colour); }

bool Canvas::IsReserved(Rgb colour) const {
  return std::find(reserved_.begin(), reserved_.end(), colour) != reserved_.end();
}

void Canvas::Set(int x, int y, Rgb colour) {
  if (!Inside(x, y)) return;
  // Step the first channel that has room toward the middle; one step is invisible.
  while (IsReserved(colour)) {
    if (colour.g != 128) {
      colour.g = colour.g > 128 ? colour.g - 1 : colour.g + 1;
    } else {
      colour.r = colour.r > 128 ? colour.r - 1 : colour.r + 1;
    }
  }
  pixels_[Index(x, y)] = colour;
  keyed_[Index(x, y)] = 0;
}

void Canvas::Key(int x, int y, Rgb colour) {
  if (!Inside(x, y)) return;
  pixels_[Index(x, y)] = colour;
  keyed_[Index(x, y)] = 1;
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Rgb colour, Ink ink) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) Put(x, y, colour, ink);
}

std::vector<std::pair<int, int>> Canvas::Cover(const std::vector<Point>& polygon) const {
  std::vector<std::pair<int, int>> cells;
  if (polygon.size() < 3) return cells;
  double minY = polygon[0].y, maxY = polygon[0].y;
  for (const Point& p : polygon) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  int yStart = std::max(0, static_cast<int>(std::floor(minY)));
  int yEnd = std::min(height_ - 1, static_cast<int>(std::ceil(maxY)));
  std::vector<double> xs;
  for (int y = yStart; y <= yEnd; ++y) {
    double yc = y + 0.5;
    xs.clear();
    for (size_t i = 0; i < polygon.size(); ++i) {
      Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
      if ((a.y <= yc && yc < b.y) || (b.y <= yc && yc < a.y))
        xs.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      // Pixel x is inside when its centre x + 0.5 lies in [left, right).
      int xa = static_cast<int>(std::ceil(xs[i] - 0.5));
      int xb = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
      for (int x = std::max(0, xa); x < std::min(width_, xb); ++x) cells.emplace_back(x, y);
    }
  }
  return cells;
}

void Canvas::FillPolygon(const std::vector<Point>& polygon, Rgb colour, Ink ink) {
  for (auto [x, y] : Cover(polygon)) Put(x, y, colour, ink);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb colour, Ink ink) {
  int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Put(x, y, colour, ink);
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb colour, Ink ink) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Put(x0, y0, colour, ink);
    if (x0 == x1 && y0 == y1) break;
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
}

void Canvas::DropLoneKeys() {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (!IsKey(x, y)) continue;
      Rgb c = Get(x, y);
      bool alone = true;
      Rgb other = c;
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        if (!Inside(x + dx, y + dy)) continue;
        if (Get(x + dx, y + dy) == c)
          alone = false;
        else
          other = Get(x + dx, y + dy);
      }
      if (!alone) continue;
      if (IsReserved(other)) {
        Key(x, y, other);
      } else {
        Set(x, y, other);
      }
    }
}

void Canvas::CheckKeys() const {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (!IsKey(x, y) && IsReserved(Get(x, y)))
        throw std::logic_error("stray key colour at " + std::to_string(x) + "," + std::to_string(y));
}

std::vector<uint8_t> Canvas::ToBmp() const {
  const uint32_t rowBytes = (static_cast<uint32_t>(width_) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height_);
  const uint32_t fileBytes = 14 + 40 + imageBytes;
  std::vector<uint8_t> out;
  out.reserve(fileBytes);
  ByteWriter put(out);
  put.Tag("BM");
  put.U32(fileBytes);
  put.U32(0);
  put.U32(14 + 40);
  put.U32(40);  // BITMAPINFOHEADER
  put.U32(static_cast<uint32_t>(width_));
  put.U32(static_cast<uint32_t>(height_));  // positive: bottom-up rows
  put.U16(1);
  put.U16(24);
  put.U32(0);  // BI_RGB
  put.U32(imageBytes);
  put.U32(2835);  // 72 dpi
  put.U32(2835);
  put.U32(0);
  put.U32(0);
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      Rgb c = Get(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (uint32_t pad = static_cast<uint32_t>(width_) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}
