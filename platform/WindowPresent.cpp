// WindowPresent -- showing the form in the window: what changed, the form painted, and the
// picture enlarged into the window's pixels.
#include "platform/Window.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/TextCodec.h"
#include "platform/WindowInternal.h"
#include "platform/WindowPaint.h"

namespace Platform {

SDL_Surface* SurfaceOf(TBitmap& bmp) {
  return SDL_CreateRGBSurfaceWithFormatFrom(bmp.ScanLine(0), bmp.Width(), bmp.Height(), 24, bmp.Stride(),
                                            SDL_PIXELFORMAT_BGR24);
}

void TWindow::SnapshotChildren(const TControl& parent, std::vector<int64_t>& s) const {
  for (const TControl* c : parent.Children()) {
    s.insert(s.end(), {reinterpret_cast<intptr_t>(c), c->Left, c->Top, c->Width, c->Height, c->Visible, c->Enabled});
    if (!c->Visible) continue;
    if (auto* b = dynamic_cast<const TPushButton*>(c)) {
      s.insert(s.end(), {b->Pressed, b->FontBold, static_cast<int64_t>(std::hash<std::string>{}(b->Caption))});
    } else if (auto* p = dynamic_cast<const TPaintBox*>(c)) {
      s.push_back(static_cast<int64_t>(p->Version));
    } else if (auto* panel = dynamic_cast<const TPanel*>(c)) {
      s.push_back(panel->Color);
    }
    SnapshotChildren(*c, s);
  }
}

void TWindow::Snapshot(std::vector<int64_t>& s) const {
  // Everything the picture depends on, so that an unchanged window is not repainted. The
  // vector keeps its storage from one present to the next.
  s.clear();
  s.insert(s.end(), {form_.Left, form_.Top, form_.Width, form_.Height,
                     static_cast<int64_t>(std::hash<std::string>{}(form_.Caption))});
  SnapshotChildren(form_, s);
}

void TWindow::DrawScaled(const TViewport& view, SDL_Surface* target) {
  const int w = frame_.Width(), h = frame_.Height(), scale = view.Scale;
  const SDL_PixelFormat& f = *target->format;
  if (f.BytesPerPixel != 4 || f.Rloss != 0 || f.Gloss != 0 || f.Bloss != 0) {
    // An unusual window format: SDL converts, still pixel for pixel.
    if (source_ == nullptr || source_->pixels != frame_.ScanLine(0) || source_->w != w || source_->h != h) {
      if (source_ != nullptr) SDL_FreeSurface(source_);
      source_ = SurfaceOf(frame_);
      if (source_ == nullptr) return;
    }
    SDL_Rect to{view.Left, view.Top, w * scale, h * scale};
    SDL_BlitScaled(source_, nullptr, target, &to);
    return;
  }
  // The common case, one pass: each frame row is converted once to the window's format and
  // enlarged in a buffer, which is copied onto every window row it covers.
  const int x0 = std::max(0, view.Left), x1 = std::min(target->w, view.Left + w * scale);
  const int y0 = std::max(0, view.Top), y1 = std::min(target->h, view.Top + h * scale);
  if (x0 >= x1 || y0 >= y1) return;
  row_.resize(static_cast<size_t>(w) * (scale + 1));  // sized once: the row at 1x, then enlarged
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
  auto* pixels = static_cast<uint8_t*>(target->pixels);
  const uint32_t red = f.Rshift, green = f.Gshift, blue = f.Bshift, alpha = f.Amask;
  const bool usual = red == 16 && green == 8 && blue == 0;  // X11's layout
  const size_t bytes = static_cast<size_t>(x1 - x0) * 4;
  uint32_t* row = row_.data();
  uint32_t* wide = scale == 1 ? row : row + w;
  for (int y = (y0 - view.Top) / scale; y < h; ++y) {
    const int top = std::max(y0, view.Top + y * scale), bottom = std::min(y1, view.Top + (y + 1) * scale);
    if (top >= bottom) break;
    const uint8_t* p = frame_.ScanLine(y);
    if (usual) {
      // Shifts the compiler knows: several pixels per instruction.
      for (int x = 0; x < w; ++x) row[x] = (uint32_t{p[3 * x + 2]} << 16) | (uint32_t{p[3 * x + 1]} << 8) | p[3 * x] | alpha;
    } else {
      for (int x = 0; x < w; ++x) row[x] = (uint32_t{p[3 * x + 2]} << red) | (uint32_t{p[3 * x + 1]} << green) | (uint32_t{p[3 * x]} << blue) | alpha;
    }
    // The common factors with a fixed stride, which the compiler turns into vector shuffles.
    if (scale == 2) {
      for (int x = 0; x < w; ++x) wide[2 * x] = wide[2 * x + 1] = row[x];
    } else if (scale == 3) {
      for (int x = 0; x < w; ++x) wide[3 * x] = wide[3 * x + 1] = wide[3 * x + 2] = row[x];
    } else if (scale > 3) {
      for (int x = 0; x < w; ++x) std::fill_n(wide + static_cast<size_t>(x) * scale, scale, row[x]);
    }
    for (int r = top; r < bottom; ++r) {
      std::memcpy(pixels + static_cast<size_t>(r) * target->pitch + x0 * 4, wide + (x0 - view.Left), bytes);
    }
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}

void TWindow::Present(bool force) {
  if (window_ == nullptr) return;
  Snapshot(now_);
  if (!force && !exposed_ && now_ == shown_) return;
  bool placed = shown_.size() >= 4 && std::equal(now_.begin(), now_.begin() + 4, shown_.begin());
  bool titled = shown_.size() >= 5 && now_[4] == shown_[4];
  std::swap(now_, shown_);
  if (!placed) SetWindowScale(scale_);  // the form moved or changed its size
  if (!titled) SDL_SetWindowTitle(window_, Cp932ToUtf8(form_.Caption).c_str());
  bool whole = exposed_ || force;
  exposed_ = false;
  PaintForm(form_, frame_);
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (target == nullptr || frame_.Empty()) return;
  TViewport view = FitViewport(target->w, target->h, frame_.Width(), frame_.Height(), fullscreen_ ? 0 : scale_);
  if (target != shownSurface_ || target->w != shownWidth_ || target->h != shownHeight_) whole = true;
  shownSurface_ = target;
  shownWidth_ = target->w;
  shownHeight_ = target->h;
  // The black margin of fullscreen is painted once, when the window's surface is new.
  if (whole) SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
  DrawScaled(view, target);
  if (whole) {
    SDL_UpdateWindowSurface(window_);
    return;
  }
  SDL_Rect area{std::max(0, view.Left), std::max(0, view.Top), 0, 0};
  area.w = std::min(target->w, view.Left + frame_.Width() * view.Scale) - area.x;
  area.h = std::min(target->h, view.Top + frame_.Height() * view.Scale) - area.y;
  if (area.w > 0 && area.h > 0) SDL_UpdateWindowSurfaceRects(window_, &area, 1);
}

void TWindow::ReadBack(TBitmap& out) {
  SDL_Surface* shown = window_ != nullptr ? SDL_GetWindowSurface(window_) : nullptr;
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
