// Form -- window handles, posting, closing.
#include "platform/Form.h"

#include <map>

#include "platform/Application.h"

namespace Platform {

TScreen Screen;

namespace {

std::map<uint32_t, TForm*>& Handles() {
  static std::map<uint32_t, TForm*> handles;
  return handles;
}

}  // namespace

TForm::TForm() = default;

TForm::~TForm() {
  if (handle_ != 0) Handles().erase(handle_);
}

uint32_t TForm::Handle() {
  static uint32_t next = 0x100;
  if (handle_ == 0) {
    handle_ = next++;
    Handles()[handle_] = this;
  }
  return handle_;
}

bool TForm::WantChildKey(TControl&, TMessage&) { return false; }

void TForm::Close() {
  const bool main = Application.MainForm() == this || Application.MainForm() == nullptr;
  if (main && Application.Terminated()) return;
  Closing.Notify();
  if (main) {
    Application.Terminate();
  } else {
    Visible = false;
  }
}

TForm* FindForm(uint32_t handle) {
  auto it = Handles().find(handle);
  return it != Handles().end() ? it->second : nullptr;
}

bool PostMessageA(uint32_t handle, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  if (FindForm(handle) == nullptr) return false;
  Application.Post(handle, msg, wParam, lParam);
  return true;
}

}  // namespace Platform
