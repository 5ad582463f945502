// WebClipboard -- the browser's clipboard for what is copied; what the page copied last for
// what is read back (a page may read the clipboard only with the person's leave, each time).
#include <emscripten.h>

#include "platform/Clipboard.h"

// clang-format off
EM_JS(void, farrow_copy_text, (const char* utf8), {
  const text = UTF8ToString(utf8);
  if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(text).catch(() => {});
});
// clang-format on

namespace Platform {

namespace {

std::string local;  // the text last copied

}  // namespace

bool SetClipboardText(const std::string& utf8) {
  local = utf8;
  farrow_copy_text(utf8.c_str());
  return true;
}

std::string ClipboardText() { return local; }

}  // namespace Platform
