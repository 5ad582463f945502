// Window -- the SDL window of a form: painting the controls and routing the display's events.
#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>
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
      c.Brush.Color = RGB(panel->Color >> 16, panel->Color >> 8, panel->Color);
      c.FillRect(bounds);
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

uint32_t VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
  switch (key) {
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
    case SDLK_RETURN: return VK_RETURN;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_TAB: return 0x09;
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    default: return 0;
  }
}

unsigned ShiftState() {
  SDL_Keymod mod = SDL_GetModState();
  unsigned shift = 0;
  if (mod & KMOD_SHIFT) shift |= ssShift;
  if (mod & KMOD_ALT) shift |= ssAlt;
  if (mod & KMOD_CTRL) shift |= ssCtrl;
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
  c.Brush.Color = form.Color;
  c.FillRect(all);
  PaintChildren(form, frame, all);
}

TWindow::~TWindow() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool TWindow::Open(std::string& error) {
  // Plain X11 shared-memory drawing: SDL would otherwise put the window's surface on OpenGL,
  // which without a graphics card is a software renderer costing more than the whole frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  window_ = SDL_CreateWindow(Cp932ToUtf8(form_.Caption).c_str(), form_.Left + TForm::FrameWidth,
                             form_.Top + TForm::CaptionHeight, std::max(1, form_.ClientWidth()),
                             std::max(1, form_.ClientHeight()), SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    error = SDL_GetError();
    return false;
  }
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

std::vector<int64_t> TWindow::Snapshot() const {
  // Everything the picture depends on, so that an unchanged window is not repainted.
  std::vector<int64_t> s{form_.Left, form_.Top, form_.Width, form_.Height,
                         static_cast<int64_t>(std::hash<std::string>{}(form_.Caption))};
  std::function<void(const TControl&)> walk = [&](const TControl& parent) {
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
      walk(*c);
    }
  };
  walk(form_);
  return s;
}

void TWindow::Present(bool force) {
  if (window_ == nullptr) return;
  std::vector<int64_t> now = Snapshot();
  if (!force && !exposed_ && now == shown_) return;
  if (now.size() >= 4 && (shown_.size() < 4 || now[0] != shown_[0] || now[1] != shown_[1])) {
    SDL_SetWindowPosition(window_, form_.Left + TForm::FrameWidth, form_.Top + TForm::CaptionHeight);
  }
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  if (w != form_.ClientWidth() || h != form_.ClientHeight()) {
    SDL_SetWindowSize(window_, std::max(1, form_.ClientWidth()), std::max(1, form_.ClientHeight()));
  }
  if (shown_.size() < 5 || now[4] != shown_[4]) SDL_SetWindowTitle(window_, Cp932ToUtf8(form_.Caption).c_str());
  shown_ = std::move(now);
  exposed_ = false;
  PaintForm(form_, frame_);
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (target == nullptr || frame_.Empty()) return;
  if (SDL_Surface* source = SurfaceOf(frame_)) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
  }
  SDL_UpdateWindowSurface(window_);
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
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (MouseButton(event.button.button, button)) {
        unsigned shift = ShiftState() | (event.button.clicks >= 2 ? static_cast<unsigned>(ssDouble) : 0u);
        router_.MouseDown(button, shift, event.button.x, event.button.y);
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (MouseButton(event.button.button, button)) router_.MouseUp(button, ShiftState(), event.button.x, event.button.y);
      break;
    case SDL_MOUSEMOTION:
      router_.MouseMove(ShiftState(), event.motion.x, event.motion.y);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      uint32_t vk = VirtualKey(event.key.keysym.sym);
      if (vk == 0) break;
      bool system = vk == VK_MENU || vk == VK_F10 || (event.key.keysym.mod & KMOD_ALT) != 0;
      uint32_t msg = event.type == SDL_KEYDOWN ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
      if (!router_.Key(msg, vk)) {
        TMessage message{msg, vk, 0, 0};
        form_.WndProc(message);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace Platform
