// Window -- the SDL window of a form: opening it, its size at a whole factor, and fullscreen.
#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/Application.h"
#include "platform/SdlInternal.h"
#include "platform/TextCodec.h"

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

TWindow::TWindow(TForm& form) : form_(form), router_(form), system_(std::make_unique<TSystem>()) {}

TWindow::~TWindow() {
  if (system_->Source != nullptr) SDL_FreeSurface(system_->Source);
  if (system_->Window != nullptr) SDL_DestroyWindow(system_->Window);
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
  SDL_Window*& window = system_->Window;
  window = SDL_CreateWindow(Cp932ToUtf8(form_.Caption).c_str(), form_.Left + TForm::FrameWidth,
                            form_.Top + TForm::CaptionHeight, std::max(1, form_.ClientWidth()),
                            std::max(1, form_.ClientHeight()), SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (window == nullptr) {
    error = SDL_GetError();
    return false;
  }
  // The factor that fits the usable part (without panels and docks) of the display it opened on.
  int display = SDL_GetWindowDisplayIndex(window);
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
    SDL_SetWindowIcon(window, s);
    SDL_FreeSurface(s);
  }
  return true;
}

void TWindow::Show() {
  if (system_->Window == nullptr) return;
  SDL_ShowWindow(system_->Window);
  exposed_ = true;
  Present(true);
}

TViewport TWindow::Viewport() const {
  int pixelW = 0, pixelH = 0, pointW = 0, pointH = 0;
  if (SDL_Window* window = system_->Window; window != nullptr) {
    SDL_GetWindowSizeInPixels(window, &pixelW, &pixelH);
    SDL_GetWindowSize(window, &pointW, &pointH);
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
  if (system_->Window == nullptr || fullscreen_) return;
  int w = 0, h = 0;
  WindowSizeFor(Viewport(), form_.ClientWidth(), form_.ClientHeight(), scale_, w, h);
  SDL_SetWindowSize(system_->Window, w, h);
  system_->PlaceWindow(*this);
}

void TWindow::TSystem::PlaceWindow(const TWindow& w) {
  // The enlarged window keeps the centre of the form's client area where the form put it.
  int width = 0, height = 0;
  SDL_GetWindowSize(Window, &width, &height);
  const TForm& form = w.form_;
  int centreX = form.Left + TForm::FrameWidth + form.ClientWidth() / 2;
  int centreY = form.Top + TForm::CaptionHeight + form.ClientHeight() / 2;
  SDL_SetWindowPosition(Window, centreX - width / 2, centreY - height / 2);
}

void TWindow::SetFullscreen(bool on) {
  SDL_Window* window = system_->Window;
  if (window == nullptr || on == fullscreen_) return;
  if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
  fullscreen_ = on;
  exposed_ = true;
  if (on) return;
  // Back in a window: the form may have changed its size meanwhile.
  int w = 0, h = 0, want = 0, wantH = 0;
  SDL_GetWindowSize(window, &w, &h);
  WindowSizeFor(Viewport(), form_.ClientWidth(), form_.ClientHeight(), scale_, want, wantH);
  if (w != want || h != wantH) SDL_SetWindowSize(window, want, wantH);
}

}  // namespace Platform
