// Window -- the SDL window of a form: painting the controls and routing the display's events.
#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "platform/Application.h"
#include "platform/TextCodec.h"

namespace Platform {

namespace {

// The classic three-dimensional colours.
const TColor kFace = RGB(192, 192, 192);
const TColor kHighlight = RGB(255, 255, 255);
const TColor kLight = RGB(223, 223, 223);
const TColor kShadow = RGB(128, 128, 128);
const TColor kDarkShadow = RGB(0, 0, 0);

TRect Intersect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

// One-pixel frame: top and left edges in one colour, bottom and right in the other.
void Bevel(TCanvas& c, const TRect& r, TColor topLeft, TColor bottomRight) {
  c.Pen.Color = topLeft;
  c.MoveTo(r.Left, r.Bottom - 1);
  c.LineTo(r.Left, r.Top);
  c.LineTo(r.Right - 1, r.Top);
  c.Pen.Color = bottomRight;
  c.LineTo(r.Right - 1, r.Bottom - 1);
  c.LineTo(r.Left - 1, r.Bottom - 1);
}

void PaintButton(TPushButton& b, TCanvas& c, int left, int top) {
  TRect r{left, top, left + b.Width, top + b.Height};
  c.Brush.Color = kFace;
  c.FillRect(r);
  TRect inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  if (b.Pressed) {
    Bevel(c, r, kDarkShadow, kHighlight);
    Bevel(c, inner, kShadow, kLight);
  } else {
    Bevel(c, r, kHighlight, kDarkShadow);
    Bevel(c, inner, kLight, kShadow);
  }
  c.Font.Name = "ＭＳ Ｐゴシック";
  c.Font.Height = -12;
  c.Font.Style = b.FontBold ? static_cast<unsigned>(fsBold) : 0u;
  c.Brush.Style = TBrushStyle::Clear;
  int x = left + (b.Width - c.TextWidth(b.Caption)) / 2 + (b.Pressed ? 1 : 0);
  int y = top + (b.Height - c.TextHeight(b.Caption)) / 2 + (b.Pressed ? 1 : 0);
  TRect saved = c.ClipRect;
  c.ClipRect = Intersect(saved, TRect{inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1});
  if (b.Enabled) {
    c.Font.Color = RGB(0, 0, 0);
    c.TextOut(x, y, b.Caption);
  } else {
    // Greyed: the etched look, a white copy one pixel down and right under a grey one.
    c.Font.Color = kHighlight;
    c.TextOut(x + 1, y + 1, b.Caption);
    c.Font.Color = kShadow;
    c.TextOut(x, y, b.Caption);
  }
  c.ClipRect = saved;
  c.Brush.Style = TBrushStyle::Solid;
}

// True when the child shows and paints every pixel of area, so that nothing under it need be
// painted first: a panel, or a paint box whose image is at least as large as the box.
bool PaintsAll(const TControl& child, const TRect& area) {
  if (!child.Visible) return false;
  int left = 0, top = 0;
  child.ClientOrigin(left, top);
  if (left > area.Left || top > area.Top || left + child.Width < area.Right || top + child.Height < area.Bottom) return false;
  if (dynamic_cast<const TPanel*>(&child) != nullptr) return true;
  if (auto* box = dynamic_cast<const TPaintBox*>(&child)) {
    return box->Surface.Width() >= box->Width && box->Surface.Height() >= box->Height;
  }
  return false;
}

bool CoveredByChild(const TControl& parent, const TRect& area) {
  for (const TControl* child : parent.Children()) {
    if (PaintsAll(*child, area)) return true;
  }
  return false;
}

void PaintChildren(TControl& parent, TBitmap& frame, const TRect& clip) {
  TCanvas& c = frame.Canvas();
  for (TControl* child : parent.Children()) {
    if (!child->Visible) continue;
    int left = 0, top = 0;
    child->ClientOrigin(left, top);
    TRect bounds{left, top, left + child->Width, top + child->Height};
    TRect area = Intersect(clip, bounds);
    c.ClipRect = area;
    if (auto* panel = dynamic_cast<TPanel*>(child)) {
      // The play area's panel lies wholly under its paint box: a fill there would be lost.
      if (!CoveredByChild(*panel, area)) {
        c.Brush.Color = RGB(panel->Color >> 16, panel->Color >> 8, panel->Color);
        c.FillRect(bounds);
      }
    } else if (auto* box = dynamic_cast<TPaintBox*>(child)) {
      BitBlt(frame, left, top, child->Width, child->Height, box->Surface, 0, 0, SRCCOPY);
    } else if (auto* button = dynamic_cast<TPushButton*>(child)) {
      PaintButton(*button, c, left, top);
    }
    PaintChildren(*child, frame, area);
  }
  c.ClipRect = clip;
}

// The window's icon when the form brings none: a gold star on dark blue.
void DefaultIcon(TBitmap& icon) {
  icon.SetSize(32, 32);
  icon.Canvas().Brush.Color = RGB(24, 32, 96);
  icon.Canvas().FillRect(TRect{0, 0, 32, 32});
  icon.Canvas().Font = TFont{"ＭＳ ゴシック", 30, fsBold, RGB(255, 210, 40)};
  icon.Canvas().Brush.Style = TBrushStyle::Clear;
  icon.Canvas().TextOut((32 - icon.Canvas().TextWidth("★")) / 2, 1, "★");
}

SDL_Surface* SurfaceOf(TBitmap& bmp) {
  return SDL_CreateRGBSurfaceWithFormatFrom(bmp.ScanLine(0), bmp.Width(), bmp.Height(), 24, bmp.Stride(),
                                            SDL_PIXELFORMAT_BGR24);
}

// The keys the game and the player's conveniences know, by SDL's key code; letters, digits and
// F1 .. F12 come by range below. Anything else is no key to the game.
struct TKeyName {
  SDL_Keycode Sdl;
  uint32_t VirtualKey;
};
constexpr TKeyName kKeys[] = {
    {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},       {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},   {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_SPACE, VK_SPACE},   {SDLK_ESCAPE, VK_ESCAPE},   {SDLK_TAB, VK_TAB},       {SDLK_BACKSPACE, VK_BACK},
    {SDLK_PAGEUP, VK_PRIOR},  {SDLK_PAGEDOWN, VK_NEXT},   {SDLK_LEFT, VK_LEFT},     {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},   {SDLK_DOWN, VK_DOWN},
};

uint32_t VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<uint32_t>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<uint32_t>(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<uint32_t>(key - SDLK_F1);
  for (const TKeyName& k : kKeys) {
    if (k.Sdl == key) return k.VirtualKey;
  }
  return 0;
}

unsigned KeyShift(uint16_t mod) {
  unsigned shift = 0;
  if (mod & KMOD_SHIFT) shift |= ssShift;
  if (mod & KMOD_ALT) shift |= ssAlt;
  if (mod & KMOD_CTRL) shift |= ssCtrl;
  return shift;
}

unsigned ShiftState() {
  unsigned shift = KeyShift(static_cast<uint16_t>(SDL_GetModState()));
  uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  if (buttons & SDL_BUTTON_LMASK) shift |= ssLeft;
  if (buttons & SDL_BUTTON_RMASK) shift |= ssRight;
  if (buttons & SDL_BUTTON_MMASK) shift |= ssMiddle;
  return shift;
}

bool MouseButton(uint8_t sdlButton, TMouseButton& button) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: button = TMouseButton::Left; return true;
    case SDL_BUTTON_RIGHT: button = TMouseButton::Right; return true;
    case SDL_BUTTON_MIDDLE: button = TMouseButton::Middle; return true;
    default: return false;
  }
}

}  // namespace

void PaintForm(TForm& form, TBitmap& frame) {
  frame.SetSize(std::max(0, form.ClientWidth()), std::max(0, form.ClientHeight()));
  if (frame.Empty()) return;
  TCanvas& c = frame.Canvas();
  TRect all{0, 0, frame.Width(), frame.Height()};
  c.ClipRect = all;
  if (!CoveredByChild(form, all)) {
    c.Brush.Color = form.Color;
    c.FillRect(all);
  }
  PaintChildren(form, frame, all);
}

TWindow::~TWindow() {
  if (source_ != nullptr) SDL_FreeSurface(source_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool TWindow::Open(std::string& error) {
  // Plain X11 shared-memory drawing: SDL would otherwise put the window's surface on OpenGL,
  // which without a graphics card is a software renderer costing more than the whole frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // High-DPI: where the system scales the display, the window's surface has real pixels and
  // the factor below is chosen in them, so the system does not enlarge the picture again.
  window_ = SDL_CreateWindow(Cp932ToUtf8(form_.Caption).c_str(), form_.Left + TForm::FrameWidth,
                             form_.Top + TForm::CaptionHeight, std::max(1, form_.ClientWidth()),
                             std::max(1, form_.ClientHeight()), SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (window_ == nullptr) {
    error = SDL_GetError();
    return false;
  }
  // The factor that fits the usable part (without panels and docks) of the display it opened on.
  int display = SDL_GetWindowDisplayIndex(window_);
  SDL_Rect usable;
  int scale = 1;
  if (display >= 0 && SDL_GetDisplayUsableBounds(display, &usable) == 0) {
    TViewport view = Viewport();
    scale = WindowScaleFor(usable.w * view.Pixels / view.Points, usable.h * view.Pixels / view.Points,
                           form_.ClientWidth(), form_.ClientHeight());
  }
  SetWindowScale(scale);
  TBitmap fallback;
  TBitmap* icon = &form_.Icon;
  if (icon->Empty()) {
    DefaultIcon(fallback);
    icon = &fallback;
  }
  if (SDL_Surface* s = SurfaceOf(*icon)) {
    SDL_SetWindowIcon(window_, s);
    SDL_FreeSurface(s);
  }
  return true;
}

void TWindow::Show() {
  if (window_ == nullptr) return;
  SDL_ShowWindow(window_);
  exposed_ = true;
  Present(true);
}

TViewport TWindow::Viewport() const {
  int pixelW = 0, pixelH = 0, pointW = 0, pointH = 0;
  if (window_ != nullptr) {
    SDL_GetWindowSizeInPixels(window_, &pixelW, &pixelH);
    SDL_GetWindowSize(window_, &pointW, &pointH);
  }
  TViewport view = FitViewport(pixelW, pixelH, form_.ClientWidth(), form_.ClientHeight(), fullscreen_ ? 0 : scale_);
  if (pixelW > 0 && pointW > 0) {
    view.Pixels = pixelW;
    view.Points = pointW;
  }
  return view;
}

namespace {

// The window size, in the window's own units (the view's pixels to points), that holds the
// client area at a factor.
void WindowSizeFor(const TViewport& view, int clientWidth, int clientHeight, int scale, int& w, int& h) {
  const int64_t pixels = view.Pixels, points = view.Points;
  // Rounded up, so that the surface never falls a pixel short of the scaled area.
  w = static_cast<int>((static_cast<int64_t>(std::max(1, clientWidth)) * scale * points + pixels - 1) / pixels);
  h = static_cast<int>((static_cast<int64_t>(std::max(1, clientHeight)) * scale * points + pixels - 1) / pixels);
}

}  // namespace

void TWindow::SetWindowScale(int scale) {
  scale_ = std::max(1, scale);
  exposed_ = true;
  if (window_ == nullptr || fullscreen_) return;
  int w = 0, h = 0;
  WindowSizeFor(Viewport(), form_.ClientWidth(), form_.ClientHeight(), scale_, w, h);
  SDL_SetWindowSize(window_, w, h);
  PlaceWindow();
}

void TWindow::PlaceWindow() {
  // The enlarged window keeps the centre of the form's client area where the form put it.
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  int centreX = form_.Left + TForm::FrameWidth + form_.ClientWidth() / 2;
  int centreY = form_.Top + TForm::CaptionHeight + form_.ClientHeight() / 2;
  SDL_SetWindowPosition(window_, centreX - w / 2, centreY - h / 2);
}

void TWindow::SetFullscreen(bool on) {
  if (window_ == nullptr || on == fullscreen_) return;
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
  fullscreen_ = on;
  exposed_ = true;
  if (on) return;
  // Back in a window: the form may have changed its size meanwhile.
  int w = 0, h = 0, want = 0, wantH = 0;
  SDL_GetWindowSize(window_, &w, &h);
  WindowSizeFor(Viewport(), form_.ClientWidth(), form_.ClientHeight(), scale_, want, wantH);
  if (w != want || h != wantH) SDL_SetWindowSize(window_, want, wantH);
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

bool TWindow::PumpEvents() {
  SDL_Event event;
  bool any = false;
  while (SDL_PollEvent(&event) != 0) {
    any = true;
    try {
      Route(event);
    } catch (const std::exception& e) {
      Application.HandleException(e);
    }
  }
  return any;
}

void TWindow::PointerDown(TMouseButton button, unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseDown(button, shift, x, y);
}

void TWindow::PointerUp(TMouseButton button, unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseUp(button, shift, x, y);
}

void TWindow::PointerMove(unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseMove(shift, x, y);
}

void TWindow::Key(bool down, uint32_t virtualKey, unsigned shift, bool repeat) {
  // F11 or Alt+Enter switch fullscreen; their releases and auto-repeats go nowhere either.
  if (virtualKey == VK_F11 || ((shift & ssAlt) != 0 && virtualKey == VK_RETURN)) {
    if (down && !repeat) SetFullscreen(!fullscreen_);
    return;
  }
  router_.KeyEvent(down, virtualKey, shift, repeat);
}

void TWindow::Wheel(int notches, unsigned shift, int windowX, int windowY) {
  int x = 0, y = 0;
  WindowToClient(Viewport(), windowX, windowY, x, y);
  router_.MouseWheel(notches, shift, x, y);
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

void TWindow::Route(const SDL_Event& event) {
  TMouseButton button;
  switch (event.type) {
    case SDL_QUIT:
      form_.Close();
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) form_.Close();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        exposed_ = true;
      }
      if (event.window.event == SDL_WINDOWEVENT_MINIMIZED || event.window.event == SDL_WINDOWEVENT_HIDDEN) {
        if (Application.OnMinimize) Application.OnMinimize();
      }
      if (event.window.event == SDL_WINDOWEVENT_RESTORED || event.window.event == SDL_WINDOWEVENT_SHOWN) {
        if (Application.OnRestore) Application.OnRestore();
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (MouseButton(event.button.button, button)) {
        unsigned shift = ShiftState() | (event.button.clicks >= 2 ? static_cast<unsigned>(ssDouble) : 0u);
        PointerDown(button, shift, event.button.x, event.button.y);
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (MouseButton(event.button.button, button)) PointerUp(button, ShiftState(), event.button.x, event.button.y);
      break;
    case SDL_MOUSEMOTION:
      PointerMove(ShiftState(), event.motion.x, event.motion.y);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      uint32_t vk = VirtualKey(event.key.keysym.sym);
      if (vk == 0) break;
      Key(event.type == SDL_KEYDOWN, vk, KeyShift(event.key.keysym.mod), event.key.repeat != 0);
      break;
    }
    case SDL_MOUSEWHEEL: {
      int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      int windowX = 0, windowY = 0;
      SDL_GetMouseState(&windowX, &windowY);
      if (notches != 0) Wheel(notches, ShiftState(), windowX, windowY);
      break;
    }
    default:
      break;
  }
}

}  // namespace Platform
