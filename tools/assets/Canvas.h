// Canvas -- a 24-bit picture the generators paint on, with key colours kept apart from ordinary paint.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Point {
  double x, y;
};

// Blend a toward b by t (0 ... 256, 256 is all b), integer only.
Rgb Mix(Rgb a, Rgb b, int t);
// Scale a colour's brightness by t / 256 (t may exceed 256; channels clamp).
Rgb Shade(Rgb c, int t);

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Colours that the game animates (or treats as sky): only Key() may paint them, so a gradient or
  // an edge that happens to land on one is nudged to a neighbour instead.
  void Reserve(Rgb colour);
  bool IsReserved(Rgb colour) const;

  Rgb Get(int x, int y) const { return pixels_[Index(x, y)]; }
  bool IsKey(int x, int y) const { return keyed_[Index(x, y)] != 0; }

  // Ordinary paint; clipped. A reserved colour is nudged off by one step.
  void Set(int x, int y, Rgb colour);
  // Paint a key colour on purpose; clipped.
  void Key(int x, int y, Rgb colour);

  // Shapes take a painter so one routine draws both ordinary and key colours.
  enum class Ink { Plain, KeyColour };
  void Put(int x, int y, Rgb colour, Ink ink) { ink == Ink::KeyColour ? Key(x, y, colour) : Set(x, y, colour); }
  void FillRect(int x0, int y0, int x1, int y1, Rgb colour, Ink ink = Ink::Plain);  // x1, y1 excluded
  // Pixels whose centres lie inside the polygon (even-odd rule); hard edges, no anti-aliasing.
  void FillPolygon(const std::vector<Point>& polygon, Rgb colour, Ink ink = Ink::Plain);
  void FillEllipse(double cx, double cy, double rx, double ry, Rgb colour, Ink ink = Ink::Plain);
  void Line(int x0, int y0, int x1, int y1, Rgb colour, Ink ink = Ink::Plain);

  // Pixels covered by a polygon, for shapes that are shaded per pixel.
  std::vector<std::pair<int, int>> Cover(const std::vector<Point>& polygon) const;

  // A key pixel with no neighbour of its colour would flicker alone on screen: it takes a neighbour's colour.
  void DropLoneKeys();

  // Every reserved colour on the canvas was painted with Key(); throws otherwise.
  void CheckKeys() const;

  // A Windows bitmap file: 24 bits, bottom-up rows padded to four bytes.
  std::vector<uint8_t> ToBmp() const;

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
  int width_, height_;
  std::vector<Rgb> pixels_;
  std::vector<uint8_t> keyed_;
  std::vector<Rgb> reserved_;
};
