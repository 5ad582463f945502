// WebText -- texts drawn by FreeType with the faces the page brings (subsets of the IPA faces,
// in /fonts), laid out as the desktop's SDL_ttf lays them out: hinted glyphs, whole-pixel
// advances, the cell from the face's ascender and descender, bold widened by a tenth of the em
// and italic slanted by 12 degrees, overlapping glyphs joined bit by bit (or), as there. Bold
// glyphs advance by their widening where the desktop's SDL_ttf is 2.22 or later (Debian 13).
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Application.h"
#include "platform/Graphics.h"
#include "platform/GraphicsInternal.h"
#include "platform/TextCodec.h"

namespace Platform {

namespace {

// The page's faces, by the face names of the game (UTF-8), and the family each stands in for.
struct TPageFace {
  const char8_t* Name;
  const char* File;
  const char* Family;
};
constexpr TPageFace kFaces[] = {
    {u8"ＭＳ ゴシック", "gothic.ttf", "IPAGothic"}, {u8"ＭＳ Ｐゴシック", "pgothic.ttf", "IPAPGothic"},
    {u8"ＭＳ 明朝", "mincho.ttf", "IPAMincho"},     {u8"ＭＳ Ｐ明朝", "pmincho.ttf", "IPAPMincho"},
    {u8"MS Gothic", "gothic.ttf", "IPAGothic"},     {u8"MS PGothic", "pgothic.ttf", "IPAPGothic"},
    {u8"MS Mincho", "mincho.ttf", "IPAMincho"},     {u8"MS PMincho", "pmincho.ttf", "IPAPMincho"},
};
constexpr const char* kFontFolder = "/fonts/";

// Any other face is drawn with the Gothic, or the Mincho when its name says it is one.
const TPageFace& PageFace(const std::string& faceName) {
  const std::string utf8 = Cp932ToUtf8(faceName);
  for (const TPageFace& f : kFaces) {
    if (utf8 == reinterpret_cast<const char*>(f.Name)) return f;
  }
  std::string lower = utf8;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  const bool mincho = utf8.find(reinterpret_cast<const char*>(u8"明朝")) != std::string::npos ||
                      lower.find("mincho") != std::string::npos || lower.find("serif") != std::string::npos;
  return kFaces[mincho ? 2 : 0];
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return library;
}

// 26.6 fixed point to whole pixels.
int Floor26(FT_Pos v) { return static_cast<int>((v & -64) / 64); }
int Ceil26(FT_Pos v) { return Floor26(v + 63); }

// An opened face at a size, with the metrics the layout needs.
struct TSizedFace {
  FT_Face Face = nullptr;
  int Ascent = 0, Height = 0, Overhang = 0;
  unsigned Style = 0;
};

// The face at the size and style a TFont asks for; nullptr when nothing could be opened.
const TSizedFace* OpenFont(const TFont& f) {
  using TKey = std::tuple<std::string, int, unsigned>;
  static std::map<TKey, TSizedFace> fonts;
  static std::map<std::string, int> cellOf100;  // cell height of each face file at 100 px em
  const TKey key{f.Name, f.Height, f.Style};
  if (auto it = fonts.find(key); it != fonts.end()) return it->second.Face != nullptr ? &it->second : nullptr;
  TSizedFace& sized = fonts[key];
  const std::string path = std::string(kFontFolder) + PageFace(f.Name).File;
  auto open = [&](int em, TSizedFace& out) {
    FT_Face face = nullptr;
    if (Library() == nullptr || FT_New_Face(Library(), path.c_str(), 0, &face) != 0) return false;
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(em) * 64, 0, 0) != 0) {
      FT_Done_Face(face);
      return false;
    }
    const FT_Fixed scale = face->size->metrics.y_scale;
    out.Face = face;
    out.Ascent = Ceil26(FT_MulFix(face->ascender, scale));
    out.Height = Ceil26(FT_MulFix(face->ascender - face->descender, scale));
    out.Overhang = face->size->metrics.y_ppem / 10;
    return true;
  };
  if (f.Height != 0) {
    int em = -f.Height;
    if (f.Height > 0) {
      // A positive height is the whole cell (ascent + descent): scale the em to fit it.
      auto probe = cellOf100.find(path);
      if (probe == cellOf100.end()) {
        TSizedFace p;
        probe = cellOf100.emplace(path, open(100, p) ? p.Height : 100).first;
        if (p.Face != nullptr) FT_Done_Face(p.Face);
      }
      em = std::max(1, static_cast<int>(std::lround(f.Height * 100.0 / std::max(1, probe->second))));
    }
    if (open(em, sized)) sized.Style = f.Style;
  }
  // Without a font every text of that face is missing from the screen: say so once per face.
  static std::set<std::string> warned;
  if (sized.Face == nullptr && f.Height != 0 && warned.insert(f.Name).second) {
    TApplication::Warn("no font for the face " + Cp932ToUtf8(f.Name) + " (cannot open " + path +
                       "); its texts will not show");
  }
  return sized.Face != nullptr ? &sized : nullptr;
}

// The next character of UTF-8 text, or U+FFFD for a broken sequence.
char32_t NextCharacter(const std::string& s, size_t& at) {
  const auto c = static_cast<unsigned char>(s[at++]);
  int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  char32_t v = more == 3 ? c & 7 : more == 2 ? c & 15 : more == 1 ? c & 31 : c;
  for (; more > 0 && at < s.size(); --more) v = v << 6 | (static_cast<unsigned char>(s[at++]) & 63);
  return more == 0 ? v : U'\uFFFD';
}

// One glyph's coverage and where its top-left corner lies from the pen on the baseline.
struct TGlyph {
  int Left = 0, Top = 0, Width = 0, Rows = 0;
  int BoxLeft = 0, BoxTop = 0, BoxWidth = 0, BoxRows = 0;  // the box the layout measures
  FT_Pos Advance = 0;
  std::vector<uint8_t> Coverage;
};

bool LoadGlyph(const TSizedFace& font, char32_t c, TGlyph& g) {
  FT_Face face = font.Face;
  if (FT_Load_Glyph(face, FT_Get_Char_Index(face, c), FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  const bool bold = (font.Style & fsBold) != 0, italic = (font.Style & fsItalic) != 0;
  const bool outline = slot->format == FT_GLYPH_FORMAT_OUTLINE;
  g.BoxLeft = slot->bitmap_left;
  g.BoxTop = slot->bitmap_top;
  g.BoxWidth = static_cast<int>(slot->bitmap.width) + (bold ? font.Overhang : 0);
  g.BoxRows = static_cast<int>(slot->bitmap.rows);
  // The slant: x moves by 0.2126 of y (12 degrees), in 16.16.
  constexpr FT_Fixed kSlant = 0x0366A;
  if (italic && outline) g.BoxWidth += static_cast<int>((kSlant * font.Height) >> 16);
  g.Advance = slot->metrics.horiAdvance + (bold && FARROW_BOLD_WIDENS_ADVANCE ? FT_Pos{font.Overhang} * 64 : 0);
  if (italic && outline) {
    FT_Matrix shear{1 << 16, kSlant, 0, 1 << 16};
    FT_Outline_Transform(&slot->outline, &shear);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
  const FT_Bitmap& b = slot->bitmap;
  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  g.Width = b.width == 0 ? 0 : static_cast<int>(b.width) + (bold ? font.Overhang : 0);
  g.Rows = b.width == 0 ? 0 : static_cast<int>(b.rows);
  g.Coverage.assign(static_cast<size_t>(g.Width) * g.Rows, 0);
  for (int y = 0; y < g.Rows; ++y) {
    std::memcpy(g.Coverage.data() + static_cast<size_t>(y) * g.Width, b.buffer + static_cast<ptrdiff_t>(y) * b.pitch,
                b.width);
  }
  // Bold: each pass adds the pixel on the left, up to full coverage.
  for (int pass = 0; bold && pass < font.Overhang; ++pass) {
    for (int y = 0; y < g.Rows; ++y) {
      uint8_t* row = g.Coverage.data() + static_cast<size_t>(y) * g.Width;
      for (int x = g.Width - 1; x > 0; --x) row[x] = static_cast<uint8_t>(std::min(255, row[x] + row[x - 1]));
    }
  }
  return true;
}

}  // namespace

bool RenderText(const TFont& f, const std::string& text, TTextRun& run) {
  const TSizedFace* font = OpenFont(f);
  if (font == nullptr || text.empty()) return false;
  const std::string utf8 = Cp932ToUtf8(text);
  std::vector<std::pair<FT_Pos, TGlyph>> placed;
  FT_Pos x = 0;
  int minX = 0, maxX = 0, minY = 0, maxY = font->Height;
  for (size_t at = 0; at < utf8.size();) {
    TGlyph g;
    if (!LoadGlyph(*font, NextCharacter(utf8, at), g)) continue;
    const int left = Floor26(x) + g.BoxLeft, top = font->Ascent - g.BoxTop;
    minX = std::min(minX, left);
    maxX = std::max(maxX, left + g.BoxWidth);
    minY = std::min(minY, top);
    maxY = std::max(maxY, top + g.BoxRows);
    const FT_Pos advance = g.Advance;
    placed.emplace_back(x, std::move(g));
    x += advance;
  }
  maxX = std::max(maxX, Floor26(x));
  run.Width = maxX - minX;
  run.Height = maxY - minY;
  if (run.Width == 0) {
    run.Height = 0;  // nothing to draw: a run of no size, as the desktop's
    return true;
  }
  run.Coverage.assign(static_cast<size_t>(run.Width) * run.Height, 0);
  for (const auto& [pen, g] : placed) {
    const int left = -minX + Floor26(pen) + g.Left, top = -minY + font->Ascent - g.Top;
    for (int y = std::max(0, -top); y < g.Rows && top + y < run.Height; ++y) {
      for (int gx = std::max(0, -left); gx < g.Width && left + gx < run.Width; ++gx) {
        uint8_t& to = run.Coverage[static_cast<size_t>(top + y) * run.Width + left + gx];
        to |= g.Coverage[static_cast<size_t>(y) * g.Width + gx];
      }
    }
  }
  return true;
}

int FontCellHeight(const TFont& f) {
  const TSizedFace* font = OpenFont(f);
  return font != nullptr ? font->Height : 0;
}

std::string FontFamilyFor(const std::string& faceName) { return PageFace(faceName).Family; }

}  // namespace Platform
