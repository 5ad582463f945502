// Application -- the message loop over posted messages and the display's events; the
// system's display is opened and closed in ApplicationSdl.cpp (or a page's own).
#include "platform/Application.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/Clock.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "platform/TextCodec.h"
#include "platform/Window.h"
#include "platform/WindowInternal.h"

namespace Platform {

TApplication Application;

namespace {

// Warnings said before the window could show them (UTF-8).
std::vector<std::string>& PendingWarnings() {
  static std::vector<std::string> pending;
  return pending;
}

// UTF-8 to CP932 for the box; a character CP932 does not have becomes "?".
std::string BoxText(const std::string& utf8) {
  std::string out, part;
  size_t at = 0;
  while (at < utf8.size()) {
    size_t bad = 0;
    if (Utf8ToCp932(utf8.substr(at), part, bad)) return out + part;
    std::string before;
    size_t ignored = 0;
    Utf8ToCp932(utf8.substr(at, bad), before, ignored);
    out += before + "?";
    at += bad + 1;
    while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80) ++at;
  }
  return out;
}

}  // namespace

void TApplication::Run(TForm& mainForm) {
  mainForm_ = &mainForm;
  if (display_ && window_ == nullptr) {
    window_ = new TWindow(mainForm);
    std::string error;
    if (!window_->Open(error)) {
      std::fprintf(stderr, "farrowmere: cannot open the window: %s\n", error.c_str());
      delete window_;
      window_ = nullptr;
      Terminate();
    }
  }
  mainForm.Visible = true;
  if (window_ != nullptr) window_->Show();
  while (!terminated_) {
    ProcessMessages();
    if (terminated_) break;
    // Without a display nothing can arrive except what is posted: stop when that runs dry.
    if (window_ == nullptr && posted_.empty()) break;
    WaitMessage(1000);
  }
}

bool TApplication::DeliverOne() {
  if (posted_.empty()) return false;
  TPosted p = posted_.front();
  posted_.pop_front();
  TForm* form = FindForm(p.Handle);
  if (form == nullptr) return true;  // the form is gone: the message with it
  TMessage message{p.Msg, p.WParam, p.LParam, 0};
  try {
    form->WndProc(message);
  } catch (const std::exception& e) {
    HandleException(e);
  }
  return true;
}

void TApplication::ProcessMessages() {
  ShowWarnings();
  for (;;) {
    bool any = window_ != nullptr && window_->PumpEvents();
    if (DeliverOne()) any = true;
    if (!any) break;
  }
  if (window_ != nullptr) window_->Present();
}

bool TApplication::WaitMessage(uint32_t timeoutMs) {
  if (!posted_.empty()) return true;
  if (window_ != nullptr) {
    // Painting counts against the wait, so that the frame loop keeps its beat.
    uint32_t start = timeGetTime();
    window_->Present();
    StartDeferredMusic();  // the first frame is out: now the tune deferred at start-up
    uint32_t spent = timeGetTime() - start;
    timeoutMs = spent < timeoutMs ? timeoutMs - spent : 0;
    // A held pad direction repeats on time even when the frame loop has long to wait.
    timeoutMs = std::min(timeoutMs, window_->UntilPadRepeat());
  }
  if (window_ != nullptr && !Clock().IsVirtual()) {
    return WaitForDisplayEvent(timeoutMs);
  }
  Clock().Idle(timeoutMs);
  return !posted_.empty();
}

void TApplication::Finalize() {
  delete window_;
  window_ = nullptr;
  posted_.clear();
  CloseDisplay();
  display_ = false;
}

void TApplication::Post(uint32_t handle, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  posted_.push_back(TPosted{handle, msg, wParam, lParam});
}

void TApplication::HandleException(const std::exception& error) {
  std::string text = error.what();
  if (OnException) {
    OnException(text);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", Cp932ToUtf8(Title).c_str(), Cp932ToUtf8(text).c_str());
  ShowBox(text);
}

void TApplication::ShowBox(const std::string& text) {
  if (!display_) return;
  // A quit request while the box shows closes as it would without the box.
  if (!ShowMessageBox(Title, text, window_)) {
    if (mainForm_ != nullptr) {
      mainForm_->Close();
    } else {
      Terminate();
    }
  }
  if (window_ != nullptr) window_->Present(true);  // what the box covered
}

void TApplication::Warn(const std::string& text) {
  std::fprintf(stderr, "farrowmere: %s\n", text.c_str());
  PendingWarnings().push_back(text);
}

void TApplication::ShowWarnings() {
  if (window_ == nullptr || PendingWarnings().empty()) return;
  std::string text;
  for (const std::string& warning : PendingWarnings()) text += (text.empty() ? "" : "\n") + warning;
  PendingWarnings().clear();
  ShowBox(BoxText(text));
}

}  // namespace Platform
