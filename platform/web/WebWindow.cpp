// WebWindow -- the form's window as a canvas in the page: the frame shown at the largest whole
// factor that fits the page, each pixel a square of device pixels (never smoothed), and
// fullscreen as the page's own.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <string>

#include "platform/TextCodec.h"
#include "platform/Window.h"
#include "platform/WindowInternal.h"
#include "platform/WindowPaint.h"
#include "platform/web/WebInternal.h"

// clang-format off
// The canvas inside a black screen that fills the page; made once, kept for the page's life.
EM_JS(void, farrow_make_canvas, (int width, int height), {
  if (document.getElementById('farrow-canvas')) return;
  const screen = document.createElement('div');
  screen.id = 'farrow-screen';
  screen.style.cssText = 'position:fixed;inset:0;display:flex;align-items:center;justify-content:center;' +
                         'background:#000;overflow:hidden;touch-action:none;user-select:none';
  const canvas = document.createElement('canvas');
  canvas.id = 'farrow-canvas';
  canvas.width = width;
  canvas.height = height;
  canvas.tabIndex = 0;
  canvas.style.cssText = 'image-rendering:pixelated;image-rendering:crisp-edges;display:block;outline:none';
  canvas.oncontextmenu = (e) => e.preventDefault();
  screen.appendChild(canvas);
  document.body.appendChild(screen);
  canvas.focus();
});

// The largest whole factor of device pixels at which the canvas fits the page; the canvas's CSS
// size set to it. Answers the factor * 100000 + the device pixel ratio in thousandths.
EM_JS(int, farrow_fit_canvas, (int width, int height), {
  const canvas = document.getElementById('farrow-canvas');
  const ratio = window.devicePixelRatio || 1;
  const screen = document.getElementById('farrow-screen');
  const areaW = (screen ? screen.clientWidth : window.innerWidth) * ratio;
  const areaH = (screen ? screen.clientHeight : window.innerHeight) * ratio;
  const scale = Math.max(1, Math.floor(Math.min(areaW / width, areaH / height)));
  if (canvas) {
    if (canvas.width != width || canvas.height != height) {
      canvas.width = width;
      canvas.height = height;
    }
    canvas.style.width = (width * scale / ratio) + 'px';
    canvas.style.height = (height * scale / ratio) + 'px';
  }
  return scale * 100000 + Math.round(ratio * 1000);
});

// Puts the RGBA pixels on the canvas.
EM_JS(void, farrow_show_frame, (const unsigned char* rgba, int width, int height), {
  const canvas = document.getElementById('farrow-canvas');
  if (!canvas) return;
  if (!canvas.farrowContext) canvas.farrowContext = canvas.getContext('2d', {alpha: false});
  const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  canvas.farrowContext.putImageData(new ImageData(pixels, width, height), 0, 0);
});

EM_JS(void, farrow_set_title, (const char* utf8), { document.title = UTF8ToString(utf8); });
// clang-format on

namespace Platform {

TPageFit FitCanvas(int width, int height) {
  const int answer = farrow_fit_canvas(std::max(1, width), std::max(1, height));
  return TPageFit{std::max(1, answer / 100000), std::max(1, answer % 100000)};
}

TWindow::TWindow(TForm& form) : form_(form), router_(form), system_(std::make_unique<TSystem>()) {}

TWindow::~TWindow() = default;

bool TWindow::Open(std::string& error) {
  (void)error;
  farrow_make_canvas(std::max(1, form_.ClientWidth()), std::max(1, form_.ClientHeight()));
  system_->Opened = true;
  system_->Fit = FitCanvas(form_.ClientWidth(), form_.ClientHeight());
  scale_ = system_->Fit.Scale;
  ListenToPage();
  std::string padError;
  if (pads_.Open(padError)) pads_.OnPad = [this](const TPadEvent& pad) { Pad(pad); };
  return true;
}

void TWindow::Show() {
  if (!system_->Opened) return;
  exposed_ = true;
  Present(true);
}

TViewport TWindow::Viewport() const {
  TViewport view;
  view.Scale = system_->Fit.Scale;
  view.Pixels = system_->Fit.DeviceMilli;
  view.Points = 1000;
  return view;
}

// The page chooses the factor: the largest that fits it, in a window or fullscreen alike.
void TWindow::SetWindowScale(int scale) {
  (void)scale;
  exposed_ = true;
  if (!system_->Opened) return;
  system_->Fit = FitCanvas(form_.ClientWidth(), form_.ClientHeight());
  scale_ = system_->Fit.Scale;
}

void TWindow::SetFullscreen(bool on) {
  if (!system_->Opened || on == fullscreen_) return;
  // A page may go fullscreen only from a person's own input: the request waits for the next
  // key or click when it comes from elsewhere.
  const EMSCRIPTEN_RESULT r =
      on ? emscripten_request_fullscreen("#farrow-screen", EM_TRUE) : emscripten_exit_fullscreen();
  if (r != EMSCRIPTEN_RESULT_SUCCESS && r != EMSCRIPTEN_RESULT_DEFERRED) return;
  fullscreen_ = on;
  exposed_ = true;
}

void TWindow::Present(bool force) {
  bool placed = false, titled = false;
  if (!system_->Opened || !Changed(force, placed, titled)) return;
  if (!placed) SetWindowScale(scale_);  // the form changed its size
  if (!titled) farrow_set_title(Cp932ToUtf8(form_.Caption).c_str());
  exposed_ = false;
  base_ = nullptr;
  PaintForm(form_, frame_);
  if (frame_.Empty()) return;
  const int w = frame_.Width(), h = frame_.Height();
  std::vector<uint8_t>& rgba = system_->Rgba;
  rgba.resize(static_cast<size_t>(w) * h * 4);
  uint8_t* out = rgba.data();
  for (int y = 0; y < h; ++y) {
    const uint8_t* p = frame_.ScanLine(y);
    for (int x = 0; x < w; ++x, p += 3, out += 4) {
      out[0] = p[2];
      out[1] = p[1];
      out[2] = p[0];
      out[3] = 255;
    }
  }
  farrow_show_frame(rgba.data(), w, h);
}

void TWindow::ReadBack(TBitmap& out) {
  // What the canvas shows, enlarged as the page shows it.
  const int scale = system_->Fit.Scale;
  if (frame_.Empty()) {
    out.SetSize(0, 0);
    return;
  }
  out.SetSize(frame_.Width() * scale, frame_.Height() * scale);
  for (int y = 0; y < out.Height(); ++y) {
    const uint8_t* from = frame_.ScanLine(y / scale);
    uint8_t* to = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x) std::copy_n(from + 3 * (x / scale), 3, to + 3 * x);
  }
}

}  // namespace Platform
