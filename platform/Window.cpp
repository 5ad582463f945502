// Window -- the SDL window of a form: opening it, its size at a whole factor, and fullscreen.
#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/Application.h"
#include "platform/TextCodec.h"
#include "platform/WindowInternal.h"

namespace Platform {

namespace {

// The window's icon when the form brings none: a gold star on dark blue.
void DefaultIcon(TBitmap& icon) {
  icon.SetSize(32, 32);
  icon.Canvas().Brush.Color = RGB(24, 32, 96);
  icon.Canvas().FillRect(TRect{0, 0, 32, 32});
  icon.Canvas().Font = TFont{"ＭＳ ゴシック", 30, fsBold, RGB(255, 210, 40)};
  icon.Canvas().Brush.Style = TBrushStyle::Clear;
  icon.Canvas().TextOut((32 - icon.Canvas().TextWidth("★")) / 2, 1, "★");
}

}  // namespace

TWindow::~TWindow() {
  if (source_ != nullptr) SDL_FreeSurface(source_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool TWindow::Open(std::string& error) {
  // On X11, plain shared-memory drawing: SDL would otherwise put the window's surface on
  // OpenGL, which without a graphics card is a software renderer costing more than the whole
  // frame. Wayland has no surface of its own: SDL draws it through a renderer, which the same
  // setting would forbid, leaving the window blank.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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
  // Gamepads are a convenience: without them the game plays on, as with a mouse only.
  std::string padError;
  if (pads_.Open(padError)) {
    pads_.OnPad = [this](const TPadEvent& pad) { Pad(pad); };
  } else {
    Application.Warn("no gamepads: " + padError);
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

}  // namespace Platform
