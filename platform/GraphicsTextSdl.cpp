// GraphicsTextSdl -- texts drawn by the desktop's faces: face names through fontconfig, glyphs
// through SDL_ttf, with the opened fonts cached.
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>

#include "platform/Application.h"
#include "platform/Graphics.h"
#include "platform/GraphicsInternal.h"
#include "platform/TextCodec.h"

namespace Platform {

namespace {

// The MS faces of the game and their IPA stand-ins, in fontconfig's own terms (UTF-8).
const char8_t kAliases[] =
    u8R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same"><family>ＭＳ ゴシック</family><prefer><family>IPAGothic</family></prefer></alias>
  <alias binding="same"><family>ＭＳ Ｐゴシック</family><prefer><family>IPAPGothic</family></prefer></alias>
  <alias binding="same"><family>ＭＳ 明朝</family><prefer><family>IPAMincho</family></prefer></alias>
  <alias binding="same"><family>ＭＳ Ｐ明朝</family><prefer><family>IPAPMincho</family></prefer></alias>
  <alias binding="same"><family>MS Gothic</family><prefer><family>IPAGothic</family></prefer></alias>
  <alias binding="same"><family>MS PGothic</family><prefer><family>IPAPGothic</family></prefer></alias>
  <alias binding="same"><family>MS Mincho</family><prefer><family>IPAMincho</family></prefer></alias>
  <alias binding="same"><family>MS PMincho</family><prefer><family>IPAPMincho</family></prefer></alias>
</fontconfig>
)";

struct TFaceFile {
  std::string Path;
  int Index = 0;
  std::string Family;  // UTF-8
};

FcConfig* FontConfig() {
  static FcConfig* config = [] {
    FcInit();
    FcConfig* c = FcConfigGetCurrent();
    FcConfigParseAndLoadFromMemory(c, reinterpret_cast<const FcChar8*>(kAliases), FcTrue);
    return c;
  }();
  return config;
}

bool HasKana(FcPattern* font) {
  FcCharSet* chars = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch) return false;
  return FcCharSetHasChar(chars, 0x3042) && FcCharSetHasChar(chars, 0x30A2);  // あ, ア
}

bool SameFamily(FcPattern* font, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0) return true;
  }
  return false;
}

// Asks fontconfig for a Japanese face; when strict, only the wanted family itself (after the
// aliases) with kana will do.
bool Match(const std::string& family, bool strict, TFaceFile& out) {
  FcConfig* config = FontConfig();
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcChar8* wanted = nullptr;
  FcPatternGetString(pattern, FC_FAMILY, 0, &wanted);
  std::string wantedFamily = wanted != nullptr ? reinterpret_cast<const char*>(wanted) : family;
  FcResult result;
  FcPattern* font = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  bool ok = false;
  if (font != nullptr) {
    FcChar8* file = nullptr;
    FcChar8* name = nullptr;
    int index = 0;
    if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch &&
        (!strict || (SameFamily(font, wantedFamily) && HasKana(font)))) {
      FcPatternGetInteger(font, FC_INDEX, 0, &index);
      FcPatternGetString(font, FC_FAMILY, 0, &name);
      out.Path = reinterpret_cast<const char*>(file);
      out.Index = index;
      out.Family = name != nullptr ? reinterpret_cast<const char*>(name) : "";
      ok = true;
    }
    FcPatternDestroy(font);
  }
  return ok;
}

std::string FromU8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

bool LooksMincho(const std::string& utf8) {
  std::string lower = utf8;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return utf8.find(FromU8(u8"明朝")) != std::string::npos || lower.find("mincho") != std::string::npos ||
         lower.find("serif") != std::string::npos;
}

const TFaceFile& FaceFile(const std::string& faceName) {
  static std::map<std::string, TFaceFile> faces;
  auto it = faces.find(faceName);
  if (it != faces.end()) return it->second;
  std::string utf8 = Cp932ToUtf8(faceName);
  TFaceFile face;
  // A face without kana would show the game's text as boxes: fall back to a Japanese one.
  if (!Match(utf8, true, face)) Match(LooksMincho(utf8) ? "serif" : "sans-serif", false, face);
  return faces.emplace(faceName, face).first->second;
}

// An opened font at the size and style a TFont asks for; nullptr when nothing could be opened.
TTF_Font* OpenFont(const TFont& f) {
  struct TKey {
    std::string Name;
    int Height;
    unsigned Style;
    bool operator<(const TKey& o) const { return std::tie(Name, Height, Style) < std::tie(o.Name, o.Height, o.Style); }
  };
  static std::map<TKey, TTF_Font*> fonts;
  static std::map<std::string, int> cellOf100;  // cell height of each face file at 100 px em
  TKey key{f.Name, f.Height, f.Style};
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  if (TTF_WasInit() == 0 && TTF_Init() != 0) return nullptr;
  const TFaceFile& face = FaceFile(f.Name);
  TTF_Font* font = nullptr;
  if (!face.Path.empty() && f.Height != 0) {
    int em = -f.Height;
    if (f.Height > 0) {
      // A positive height is the whole cell (ascent + descent): scale the em to fit it.
      auto probe = cellOf100.find(face.Path);
      if (probe == cellOf100.end()) {
        TTF_Font* p = TTF_OpenFontIndex(face.Path.c_str(), 100, face.Index);
        probe = cellOf100.emplace(face.Path, p != nullptr ? TTF_FontHeight(p) : 100).first;
        if (p != nullptr) TTF_CloseFont(p);
      }
      em = std::max(1, static_cast<int>(std::lround(f.Height * 100.0 / std::max(1, probe->second))));
    }
    font = TTF_OpenFontIndex(face.Path.c_str(), em, face.Index);
    if (font != nullptr) TTF_SetFontStyle(font, static_cast<int>(f.Style & 15));
  }
  // Without a font every text of that face is missing from the screen: say so once per face.
  static std::set<std::string> warned;
  if (font == nullptr && f.Height != 0 && warned.insert(f.Name).second) {
    std::string why = face.Path.empty() ? "fontconfig finds neither it, nor its IPA stand-in, nor any fallback face"
                                        : "cannot open " + face.Path + ": " + TTF_GetError();
    TApplication::Warn("no font for the face " + Cp932ToUtf8(f.Name) + " (" + why + "); its texts will not show");
  }
  fonts.emplace(key, font);
  return font;
}

}  // namespace

bool RenderText(const TFont& f, const std::string& text, TTextRun& run) {
  TTF_Font* font = OpenFont(f);
  if (font == nullptr || text.empty()) return false;
  SDL_Surface* s = TTF_RenderUTF8_Blended(font, Cp932ToUtf8(text).c_str(), SDL_Color{255, 255, 255, 255});
  if (s != nullptr) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (argb != nullptr) {
      run.Width = argb->w;
      run.Height = argb->h;
      run.Coverage.resize(static_cast<size_t>(argb->w) * argb->h);
      SDL_LockSurface(argb);
      for (int y = 0; y < argb->h; ++y) {
        const uint32_t* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
          run.Coverage[static_cast<size_t>(y) * argb->w + x] = static_cast<uint8_t>(row[x] >> 24);
      }
      SDL_UnlockSurface(argb);
      SDL_FreeSurface(argb);
    }
  }
  return true;
}

int FontCellHeight(const TFont& f) {
  TTF_Font* font = OpenFont(f);
  return font != nullptr ? TTF_FontHeight(font) : 0;
}

std::string FontFamilyFor(const std::string& faceName) { return FaceFile(faceName).Family; }

}  // namespace Platform
