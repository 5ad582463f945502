// GraphicsText -- text output over the system's text drawing (GraphicsTextSdl.cpp, or a
// page's), with the rendered texts cached: the game draws the same texts every frame.
#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Graphics.h"
#include "platform/GraphicsInternal.h"

namespace Platform {

namespace {

const TTextRun* RenderRun(const TFont& f, const std::string& text) {
  static std::unordered_map<std::string, std::unique_ptr<TTextRun>> runs;
  std::string key = f.Name + '\0' + std::to_string(f.Height) + '\0' + std::to_string(f.Style) + '\0' + text;
  auto it = runs.find(key);
  if (it != runs.end()) return it->second.get();
  auto run = std::make_unique<TTextRun>();
  if (!RenderText(f, text, *run)) return nullptr;
  // Texts that change every frame must not grow the cache without bound. A frame draws a few
  // dozen texts; 256 runs hold them many times over and keep an hour's play from growing the
  // memory by megabytes as new story lines and messages pass.
  if (runs.size() >= 256) runs.clear();
  return runs.emplace(key, std::move(run)).first->second.get();
}

uint8_t Blend(uint8_t over, uint8_t under, unsigned a) {
  return static_cast<uint8_t>((over * a + under * (255 - a) + 127) / 255);
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
  const TTextRun* run = RenderRun(Font, text);
  if (run == nullptr) return;
  TRect area{std::max({x, ClipRect.Left, 0}), std::max({y, ClipRect.Top, 0}),
             std::min({x + run->Width, ClipRect.Right, owner_.Width()}),
             std::min({y + run->Height, ClipRect.Bottom, owner_.Height()})};
  if (area.Right <= area.Left || area.Bottom <= area.Top) return;
  if (Brush.Style == TBrushStyle::Solid) {
    FillRect(TRect{x, y, x + run->Width, y + run->Height});
  }
  uint8_t b = static_cast<uint8_t>(Font.Color >> 16), g = static_cast<uint8_t>(Font.Color >> 8),
          r = static_cast<uint8_t>(Font.Color);
  for (int py = area.Top; py < area.Bottom; ++py) {
    const uint8_t* cover = run->Coverage.data() + static_cast<size_t>(py - y) * run->Width;
    uint8_t* p = owner_.ScanLine(py) + 3 * area.Left;
    for (int px = area.Left; px < area.Right; ++px, p += 3) {
      unsigned a = cover[px - x];
      if (a == 0) continue;
      if (a == 255) {  // what Blend gives a whole cover, without its divisions
        p[0] = b;
        p[1] = g;
        p[2] = r;
        continue;
      }
      p[0] = Blend(b, p[0], a);
      p[1] = Blend(g, p[1], a);
      p[2] = Blend(r, p[2], a);
    }
  }
}

int TCanvas::TextWidth(const std::string& text) {
  const TTextRun* run = RenderRun(Font, text);
  return run != nullptr ? run->Width : 0;
}

int TCanvas::TextHeight(const std::string& text) {
  (void)text;
  return FontCellHeight(Font);
}

}  // namespace Platform
