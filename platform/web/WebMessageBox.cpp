// WebMessageBox -- the error box over the page: a canvas of its own centred over the game's,
// enlarged as the game is, and a loop of its own that waits (letting the browser run) until
// Enter, Escape, Space or a click on OK ends it. The game meanwhile takes no input.
#include <emscripten.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/TextCodec.h"
#include "platform/Window.h"
#include "platform/WindowInternal.h"
#include "platform/web/WebInternal.h"

// clang-format off
// Shows the box's pixels (RGBA) in its canvas over the page, each pixel scale device pixels.
EM_JS(void, farrow_box_show, (const unsigned char* rgba, int width, int height, int scale), {
  let box = document.getElementById('farrow-box');
  if (!box) {
    box = document.createElement('canvas');
    box.id = 'farrow-box';
    box.style.cssText = 'position:fixed;left:50%;top:50%;transform:translate(-50%,-50%);z-index:10;' +
                        'image-rendering:pixelated;image-rendering:crisp-edges;box-shadow:0 0 0 1px #000';
    box.farrowPoints = [];
    const point = (e, kind) => {
      const r = box.getBoundingClientRect();
      box.farrowPoints.push([kind, (e.clientX - r.left) * box.width / r.width, (e.clientY - r.top) * box.height / r.height]);
      e.preventDefault();
    };
    box.addEventListener('pointerdown', (e) => point(e, 1));
    box.addEventListener('pointerup', (e) => point(e, 2));
    document.body.appendChild(box);
  }
  box.width = width;
  box.height = height;
  const ratio = window.devicePixelRatio || 1;
  box.style.width = (width * scale / ratio) + 'px';
  box.style.height = (height * scale / ratio) + 'px';
  const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  box.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
});

// The next press (1) or release (2) on the box, its point in the box's pixels; 0 when none.
EM_JS(int, farrow_box_point, (int* x, int* y), {
  const box = document.getElementById('farrow-box');
  if (!box || box.farrowPoints.length == 0) return 0;
  const [kind, px, py] = box.farrowPoints.shift();
  HEAP32[x >> 2] = Math.floor(px);
  HEAP32[y >> 2] = Math.floor(py);
  return kind;
});

EM_JS(void, farrow_box_hide, (), {
  const box = document.getElementById('farrow-box');
  if (box) box.remove();
});

EM_JS(void, farrow_alert, (const char* utf8), { window.alert(UTF8ToString(utf8)); });
// clang-format on

namespace Platform {

namespace {

void Show(const TBitmap& picture, int scale) {
  std::vector<uint8_t> rgba(static_cast<size_t>(picture.Width()) * picture.Height() * 4);
  uint8_t* out = rgba.data();
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* p = picture.ScanLine(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3, out += 4) {
      out[0] = p[2];
      out[1] = p[1];
      out[2] = p[0];
      out[3] = 255;
    }
  }
  farrow_box_show(rgba.data(), picture.Width(), picture.Height(), scale);
}

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

bool ClosesBox(uint32_t virtualKey) {
  return virtualKey == VK_RETURN || virtualKey == VK_ESCAPE || virtualKey == VK_SPACE;
}

}  // namespace

bool ShowMessageBox(const std::string& caption, const std::string& text, const TWindow* owner, TBitmap* shown) {
  const TBoxLayout layout = LayOutMessageBox(text);
  if (!layout.Readable) {
    // No font: the browser's own box, which draws with the page's fonts.
    if (shown != nullptr) shown->SetSize(0, 0);
    farrow_alert(Cp932ToUtf8(caption + "\n\n" + text).c_str());
    PageEvents().clear();
    return true;
  }
  const int scale = owner != nullptr ? owner->Viewport().Scale : 1;
  TBitmap picture;
  PaintMessageBox(layout, false, picture);
  Show(picture, scale);
  if (shown != nullptr) {
    shown->SetSize(picture.Width(), picture.Height());
    BitBlt(*shown, 0, 0, picture.Width(), picture.Height(), picture, 0, 0, SRCCOPY);
  }
  bool done = false, pressed = false;
  while (!done) {
    WaitForDisplayEvent(16);
    // Every event of the page is taken here: the game waits, as under a modal box.
    while (!PageEvents().empty()) {
      const TPageEvent e = PageEvents().front();
      PageEvents().pop_front();
      if (e.Kind == TPageEvent::TKind::KeyDown && !e.Repeat && ClosesBox(e.VirtualKey)) done = true;
    }
    int x = 0, y = 0;
    for (int kind; !done && (kind = farrow_box_point(&x, &y)) != 0;) {
      const bool onOk = Inside(layout.Button, x, y);
      // Pressed on OK and let go there, as a button is clicked.
      if (kind == 2 && pressed && onOk) {
        done = true;
        break;
      }
      pressed = kind == 1 && onOk;
      PaintMessageBox(layout, pressed, picture);
      Show(picture, scale);
    }
  }
  farrow_box_hide();
  return true;
}

}  // namespace Platform
