// GraphicsInternal -- what the graphics' shared files ask of the system's text drawing
// (GraphicsTextSdl.cpp on the desktop, FreeType in a page) and picture reading.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace Platform {

// A text rendered once: its coverage (0 = untouched, 255 = full colour) per pixel.
struct TTextRun {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Coverage;
};

// Renders the text (CP932) in the font; false when no font draws it or the text is empty.
bool RenderText(const TFont& font, const std::string& text, TTextRun& run);
// The height of the font's text cell in pixels; 0 when no font draws it.
int FontCellHeight(const TFont& font);

// The error for a picture file that cannot be opened, naming the path really tried and why.
std::runtime_error CannotOpen(const std::string& path);

// A damaged header can claim 65,500 × 65,500 pixels from a few bytes; refuse such a picture
// before decoding rather than allocate gigabytes for it. Far above anything the game shows.
constexpr unsigned MaxPictureSide = 8192;

// What is wrong with a Windows bitmap's header (its first bytes, got of them read, of a file of
// fileSize bytes), before a reader allocates anything for it; empty when nothing is. A header of
// a few bytes can claim a picture of millions of rows (its rows stored upside down, a negative
// height, count by their number): each side is bounded, the rows of an uncompressed picture must
// fit in the file, and a compression must be one its depth can have. A file that ends before the
// fields read here is refused too: a reader would take the missing ones as zeros and allocate
// for the size before it found out.
constexpr size_t BmpHeaderBytes = 34;
std::string BmpHeaderProblem(const uint8_t (&header)[BmpHeaderBytes], size_t got, int64_t fileSize);

}  // namespace Platform
