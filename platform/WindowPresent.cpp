// WindowPresent -- showing the form in the window: what changed, the form painted, and the
// picture enlarged into the window's pixels.
#include "platform/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <functional>
#if defined(__x86_64__) && defined(__ELF__)
#include <tmmintrin.h>
#define FARROW_SHUFFLE 1
#endif

#include "platform/SdlInternal.h"
#include "platform/TextCodec.h"
#include "platform/WindowInternal.h"
#include "platform/WindowPaint.h"

namespace Platform {

SDL_Surface* SurfaceOf(TBitmap& bmp) {
  return SDL_CreateRGBSurfaceWithFormatFrom(bmp.ScanLine(0), bmp.Width(), bmp.Height(), 24, bmp.Stride(),
                                            SDL_PIXELFORMAT_BGR24);
}

namespace {

// 32-bit pixels with 8 bits a colour: the window surfaces of X11, Wayland and the dummy driver.
bool Direct(const SDL_PixelFormat& f) { return f.BytesPerPixel == 4 && f.Rloss == 0 && f.Gloss == 0 && f.Bloss == 0; }

#if defined(FARROW_SHUFFLE)
// X11's layout enlarged 4 pixels at a time with byte shuffles, where the processor has them:
// the 12 bytes of 4 pixels become 4 * Scale words, word w of them pixel w / Scale. Returns how
// many pixels it did; a load reads 4 bytes past its pixels, so it stops where that would leave
// the row.
template <int Scale>
__attribute__((target("ssse3"))) int EnlargeShuffled(const uint8_t* p, int count, uint32_t* out, uint32_t alpha) {
  static constexpr auto masks = [] {
    std::array<std::array<int8_t, 16>, Scale> m{};
    for (int c = 0; c < Scale; ++c) {
      for (int k = 0; k < 16; ++k) {
        const int pixel = (4 * c + k / 4) / Scale, byte = k % 4;
        m[c][k] = static_cast<int8_t>(byte < 3 ? 3 * pixel + byte : -128);  // -128: a zero byte
      }
    }
    return m;
  }();
  const __m128i top = _mm_set1_epi32(static_cast<int>(alpha));
  int x = 0;
  for (; x + 6 <= count; x += 4) {
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 3 * static_cast<size_t>(x)));
    for (int c = 0; c < Scale; ++c) {
      const __m128i mask = _mm_loadu_si128(reinterpret_cast<const __m128i*>(masks[c].data()));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + static_cast<size_t>(Scale) * x + 4 * c),
                       _mm_or_si128(_mm_shuffle_epi8(in, mask), top));
    }
  }
  return x;
}

int Shuffled(const uint8_t* p, int count, uint32_t* out, int scale, uint32_t alpha) {
  static const bool usable = __builtin_cpu_supports("ssse3");
  if (!usable) return 0;
  switch (scale) {
    case 1:
      return EnlargeShuffled<1>(p, count, out, alpha);
    case 2:
      return EnlargeShuffled<2>(p, count, out, alpha);
    case 3:
      return EnlargeShuffled<3>(p, count, out, alpha);
    default:
      return 0;
  }
}
#endif

// count pixels of a 24-bit row (blue, green, red) in the window's format, each written scale
// times side by side. Usual is X11's layout, whose shifts the compiler then knows.
template <bool Usual>
void Enlarge(const uint8_t* p, int count, uint32_t* out, int scale, const SDL_PixelFormat& f) {
  if (count <= 0) return;
  const uint32_t red = Usual ? 16 : f.Rshift, green = Usual ? 8 : f.Gshift, blue = Usual ? 0 : f.Bshift;
  const uint32_t alpha = f.Amask;
  auto pixel = [&](int x) {
    return (uint32_t{p[3 * x + 2]} << red) | (uint32_t{p[3 * x + 1]} << green) | (uint32_t{p[3 * x]} << blue) | alpha;
  };
  // In X11's layout a little-endian word read at a pixel holds its blue, green and red where
  // they belong, under the next pixel's blue: one read instead of three. The row's last pixel
  // is read byte by byte, as its word may reach past the bitmap.
  auto fast = [&](int x) {
    if constexpr (Usual && std::endian::native == std::endian::little) {
      uint32_t word;
      std::memcpy(&word, p + 3 * static_cast<size_t>(x), sizeof word);
      return (word & 0xFFFFFFu) | alpha;
    } else {
      return pixel(x);
    }
  };
#if defined(FARROW_SHUFFLE)
  if constexpr (Usual) {
    const int done = Shuffled(p, count, out, scale, alpha);
    p += 3 * static_cast<size_t>(done);
    out += static_cast<size_t>(done) * scale;
    count -= done;
  }
#endif
  const int most = count - 1;
  // The common factors with a fixed stride, which the compiler turns into vector stores.
  switch (scale) {
    case 1:
      for (int x = 0; x < most; ++x) out[x] = fast(x);
      break;
    case 2:
      for (int x = 0; x < most; ++x) out[2 * x] = out[2 * x + 1] = fast(x);
      break;
    case 3:
      for (int x = 0; x < most; ++x) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = fast(x);
      break;
    default:
      for (int x = 0; x < most; ++x) std::fill_n(out + static_cast<size_t>(x) * scale, scale, fast(x));
      break;
  }
  std::fill_n(out + static_cast<size_t>(most) * scale, scale, pixel(most));
}

}  // namespace

void TWindow::TSystem::DrawScaled(TWindow& window, const TViewport& view, SDL_Surface* target) {
  TBitmap& frame = window.frame_;
  const TPaintBox* base = window.base_;
  const int w = frame.Width(), h = frame.Height(), scale = view.Scale;
  const SDL_PixelFormat& f = *target->format;
  if (!Direct(f)) {
    // An unusual window format: SDL converts, still pixel for pixel.
    if (Source == nullptr || Source->pixels != frame.ScanLine(0) || Source->w != w || Source->h != h) {
      if (Source != nullptr) SDL_FreeSurface(Source);
      Source = SurfaceOf(frame);
      if (Source == nullptr) return;
    }
    SDL_Rect to{view.Left, view.Top, w * scale, h * scale};
    SDL_BlitScaled(Source, nullptr, target, &to);
    return;
  }
  // The common case, one pass: each picture row is converted and enlarged straight into the
  // first window row it covers, which is then copied onto the others. The picture's rows come
  // from the paint box under everything, what lies over it from frame.
  const int x0 = std::max(0, view.Left), x1 = std::min(target->w, view.Left + w * scale);
  const int y0 = std::max(0, view.Top), y1 = std::min(target->h, view.Top + h * scale);
  if (x0 >= x1 || y0 >= y1) return;
  // A picture cut at the window's edges is enlarged in a buffer first.
  const bool cut = x0 != view.Left || x1 != view.Left + w * scale;
  if (cut) Row.resize(static_cast<size_t>(w) * scale);
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
  auto* pixels = static_cast<uint8_t*>(target->pixels);
  const bool usual = f.Rshift == 16 && f.Gshift == 8 && f.Bshift == 0;
  const auto enlarge = usual ? Enlarge<true> : Enlarge<false>;
  const size_t bytes = static_cast<size_t>(x1 - x0) * 4;
  int baseLeft = 0, baseTop = 0;
  if (base != nullptr) base->ClientOrigin(baseLeft, baseTop);
  for (int y = (y0 - view.Top) / scale; y < h; ++y) {
    const int top = std::max(y0, view.Top + y * scale), bottom = std::min(y1, view.Top + (y + 1) * scale);
    if (top >= bottom) break;
    uint8_t* first = pixels + static_cast<size_t>(top) * target->pitch + static_cast<size_t>(x0) * 4;
    uint32_t* out = cut ? Row.data() : reinterpret_cast<uint32_t*>(first);
    if (base == nullptr) {
      enlarge(frame.ScanLine(y), w, out, scale, f);
    } else {
      // The box lies at or above and left of the client area's corner (it covers it all).
      enlarge(base->Shown().ScanLine(y - baseTop) + 3 * static_cast<size_t>(-baseLeft), w, out, scale, f);
      for (const TRect& r : window.above_) {
        if (y < r.Top || y >= r.Bottom || r.Left >= r.Right) continue;
        enlarge(frame.ScanLine(y) + 3 * static_cast<size_t>(r.Left), r.Right - r.Left,
                out + static_cast<size_t>(r.Left) * scale, scale, f);
      }
    }
    if (cut) std::memcpy(first, Row.data() + (x0 - view.Left), bytes);
    for (int r = top + 1; r < bottom; ++r) {
      std::memcpy(pixels + static_cast<size_t>(r) * target->pitch + static_cast<size_t>(x0) * 4, first, bytes);
    }
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}

namespace {

// SDL writes the legacy WM_NAME as Latin-1 text holding UTF-8 bytes, which X11 tools show
// doubly encoded (_NET_WM_NAME is right); written again as compound text they read it.
void SetLegacyTitle(SDL_Window* window, const std::string& utf8) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  char* list[] = {const_cast<char*>(utf8.c_str())};
  XTextProperty text{};
  if (Xutf8TextListToTextProperty(info.info.x11.display, list, 1, XStdICCTextStyle, &text) < Success) return;
  XSetWMName(info.info.x11.display, info.info.x11.window, &text);
  XFree(text.value);
#else
  (void)window;
  (void)utf8;
#endif
}

}  // namespace

void TWindow::TSystem::Failed(const char* what) {
  // Said once: a window that stays blank must not stay silent, nor fill the log.
  if (PresentFailed) return;
  PresentFailed = true;
  std::fprintf(stderr, "farrowmere: cannot show the picture (%s): %s\n", what, SDL_GetError());
}

void TWindow::Present(bool force) {
  SDL_Window* window = system_->Window;
  bool placed = false, titled = false;
  if (window == nullptr || !Changed(force, placed, titled)) return;
  if (!placed) SetWindowScale(scale_);  // the form moved or changed its size
  if (!titled) {
    const std::string title = Cp932ToUtf8(form_.Caption);
    SDL_SetWindowTitle(window, title.c_str());
    SetLegacyTitle(window, title);
  }
  bool whole = exposed_ || force;
  exposed_ = false;
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (target == nullptr) {
    system_->Failed("no window surface");
    return;
  }
  // Painting the form whole is left to windows of an unusual format, which SDL converts.
  base_ = nullptr;
  if (Direct(*target->format)) {
    base_ = PaintFormAbove(form_, frame_, above_);
  } else {
    PaintForm(form_, frame_);
  }
  if (frame_.Empty()) return;
  TViewport view = FitViewport(target->w, target->h, frame_.Width(), frame_.Height(), fullscreen_ ? 0 : scale_);
  TSystem& sys = *system_;
  if (target != sys.ShownSurface || target->w != sys.ShownWidth || target->h != sys.ShownHeight) whole = true;
  sys.ShownSurface = target;
  sys.ShownWidth = target->w;
  sys.ShownHeight = target->h;
  SDL_Rect area{std::max(0, view.Left), std::max(0, view.Top), 0, 0};
  area.w = std::min(target->w, view.Left + frame_.Width() * view.Scale) - area.x;
  area.h = std::min(target->h, view.Top + frame_.Height() * view.Scale) - area.y;
  // The black margin of fullscreen is painted once, when the window's surface is new.
  if (whole) {
    const uint32_t black = SDL_MapRGB(target->format, 0, 0, 0);
    const SDL_Rect margins[] = {{0, 0, target->w, area.y},
                                {0, area.y + area.h, target->w, target->h - area.y - area.h},
                                {0, area.y, area.x, area.h},
                                {area.x + area.w, area.y, target->w - area.x - area.w, area.h}};
    for (const SDL_Rect& m : margins) {
      if (m.w > 0 && m.h > 0) SDL_FillRect(target, &m, black);
    }
  }
  sys.DrawScaled(*this, view, target);
  int sent = 0;
  if (whole) {
    sent = SDL_UpdateWindowSurface(window);
  } else if (area.w > 0 && area.h > 0) {
    sent = SDL_UpdateWindowSurfaceRects(window, &area, 1);
  }
  if (sent != 0) sys.Failed("the window refused the picture");
}

void TWindow::ReadBack(TBitmap& out) {
  SDL_Surface* shown = system_->Window != nullptr ? SDL_GetWindowSurface(system_->Window) : nullptr;
  if (shown == nullptr) {
    out.SetSize(0, 0);
    return;
  }
  out.SetSize(shown->w, shown->h);
  if (SDL_Surface* copy = SurfaceOf(out)) {
    SDL_BlitSurface(shown, nullptr, copy, nullptr);
    SDL_FreeSurface(copy);
  }
}

}  // namespace Platform
