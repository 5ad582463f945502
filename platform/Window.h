// Window -- the form on the screen: an SDL window that shows the form's controls and turns
// the display's events into input for them.
// Application creates the window of the main form and calls PumpEvents and Present from its
// message loop; nothing else uses TWindow. PaintForm needs no display (tests use it).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

struct SDL_Window;
union SDL_Event;

namespace Platform {

// Paints the form's client area as the window shows it: panels in their colour, each paint
// box's Surface, and the visible push buttons over them in child order, in the classic
// bevelled look (bold 12-pixel Gothic caption, greyed when disabled, sunken while pressed).
void PaintForm(TForm& form, TBitmap& frame);

class TWindow {
 public:
  explicit TWindow(TForm& form) : form_(form), router_(form) {}
  ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // Creates the SDL window (hidden) at the form's place; false with error when SDL refuses.
  bool Open(std::string& error);
  void Show();
  // Handles every event the display has queued; true when there was at least one.
  // An error escaping a handler goes to Application.HandleException.
  bool PumpEvents();
  // Repaints when anything shown has changed (or always when forced).
  void Present(bool force = false);

  TInputRouter& Router() { return router_; }
  TForm& Form() { return form_; }

 private:
  void Route(const SDL_Event& event);
  std::vector<int64_t> Snapshot() const;
  TForm& form_;
  TInputRouter router_;
  SDL_Window* window_ = nullptr;
  TBitmap frame_;
  std::vector<int64_t> shown_;
  bool exposed_ = true;
};

}  // namespace Platform
