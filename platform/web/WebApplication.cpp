// WebApplication -- the page is the display: always there, as large as the browser's window.
#include <emscripten/html5.h>

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/web/WebInternal.h"

namespace Platform {

bool TApplication::Initialize() {
  if (display_) return true;
  LoadKeptFiles();
  int width = 0, height = 0;
  emscripten_get_screen_size(&width, &height);
  if (width > 0 && height > 0) {
    Screen.Width = width;
    Screen.Height = height;
  }
  display_ = true;
  return true;
}

void TApplication::CloseDisplay() { PageEvents().clear(); }

}  // namespace Platform
