// MessageBox -- the error box: laid out and painted like a form, shown in a window of its own
// with an event loop of its own.
#include "platform/MessageBox.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/Form.h"
#include "platform/TextCodec.h"
#include "platform/WindowInternal.h"
#include "platform/WindowPaint.h"

namespace Platform {

namespace {

constexpr int kMargin = 20;
constexpr int kMaxTextWidth = 560;  // longer lines wrap
constexpr int kMinWidth = 240;
constexpr int kButtonWidth = 88, kButtonHeight = 26, kGap = 16;
constexpr SDL_Keycode kCloseKeys[] = {SDLK_RETURN, SDLK_KP_ENTER, SDLK_ESCAPE, SDLK_SPACE};

TFont TextFont() { return TFont{"ＭＳ Ｐゴシック", -14, 0, RGB(0, 0, 0)}; }

struct TLayout {
  std::vector<std::string> Lines;
  int LineHeight = 0;
  int Width = 0, Height = 0;
  TRect Button;
  bool Readable = false;  // a font draws the text
};

// The byte offsets where the characters of a CP932 line begin.
std::vector<size_t> CharacterStarts(const std::string& line) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < line.size(); i += IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1) starts.push_back(i);
  return starts;
}

// Splits at "\n" and wraps what is wider than the box allows.
std::vector<std::string> WrapLines(TCanvas& c, const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    while (c.TextWidth(line) > kMaxTextWidth) {
      const std::vector<size_t> starts = CharacterStarts(line);
      // The most characters that fit, one at least.
      size_t fit = 1, over = starts.size();
      while (over - fit > 1) {
        size_t mid = (fit + over) / 2;
        if (c.TextWidth(line.substr(0, starts[mid])) <= kMaxTextWidth) {
          fit = mid;
        } else {
          over = mid;
        }
      }
      // English breaks at the last space that fits, not inside a word; Japanese anywhere.
      size_t cut = starts[fit];
      if (line[cut] != ' ' && line[cut - 1] != ' ') {
        const size_t space = line.rfind(' ', cut - 1);
        if (space != std::string::npos && space > 0) cut = space;
      }
      lines.push_back(line.substr(0, cut));
      line.erase(0, line[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

TCanvas& MeasuringCanvas(TBitmap& measure) {
  measure.SetSize(1, 1);
  measure.Canvas().Font = TextFont();
  return measure.Canvas();
}

TLayout Layout(const std::string& text) {
  TBitmap measure;
  TCanvas& c = MeasuringCanvas(measure);
  TLayout l;
  l.Lines = WrapLines(c, text);
  l.Readable = c.TextHeight("あ") > 0;
  l.LineHeight = std::max(1, c.TextHeight("あ"));
  int textWidth = 0;
  for (const std::string& line : l.Lines) textWidth = std::max(textWidth, c.TextWidth(line));
  l.Width = std::max({textWidth + 2 * kMargin, kButtonWidth + 2 * kMargin, kMinWidth});
  const int buttonTop = kMargin + static_cast<int>(l.Lines.size()) * l.LineHeight + kGap;
  l.Height = buttonTop + kButtonHeight + kMargin / 2 + 2;
  const int buttonLeft = (l.Width - kButtonWidth) / 2;
  l.Button = TRect{buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight};
  return l;
}

void Paint(const TLayout& l, bool pressed, TBitmap& box) {
  TForm form;
  form.SetClientWidth(l.Width);
  form.SetClientHeight(l.Height);
  TPushButton ok(&form);
  ok.Caption = "OK";
  ok.Left = l.Button.Left;
  ok.Top = l.Button.Top;
  ok.Width = l.Button.Right - l.Button.Left;
  ok.Height = l.Button.Bottom - l.Button.Top;
  ok.Pressed = pressed;
  PaintForm(form, box);
  TCanvas& c = box.Canvas();
  c.Font = TextFont();
  c.Brush.Style = TBrushStyle::Clear;
  for (size_t i = 0; i < l.Lines.size(); ++i)
    c.TextOut(kMargin, kMargin + static_cast<int>(i) * l.LineHeight, l.Lines[i]);
}

void Show(SDL_Window* window, TBitmap& picture) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  SDL_Surface* source = SurfaceOf(picture);
  if (target != nullptr && source != nullptr) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window);
  }
  if (source != nullptr) SDL_FreeSurface(source);
}

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

// Nobody can close a box on the dummy or off-screen display (tests, the replay harness).
bool NobodyCanClose() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver == nullptr || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
}

// SDL's own box, for when no font draws the text: it speaks in the X server's core fonts, which
// have no Japanese, but English and file names show. It runs a loop of its own; what was pressed
// on the game meanwhile is dropped, as under the program's own box.
bool ShowSimpleBox(const std::string& caption, const std::string& text, SDL_Window* owner) {
  if (NobodyCanClose()) return true;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, Cp932ToUtf8(caption).c_str(), Cp932ToUtf8(text).c_str(), owner);
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) <= 0;
}

}  // namespace

void PaintMessageBox(const std::string& text, TBitmap& box) { Paint(Layout(text), false, box); }

std::vector<std::string> MessageBoxLines(const std::string& text) {
  TBitmap measure;
  return WrapLines(MeasuringCanvas(measure), text);
}

TBoxStep MessageBoxStep(const SDL_Event& e, uint32_t boxWindow, const TRect& ok, bool& pressed) {
  switch (e.type) {
    case SDL_QUIT:
      return TBoxStep::Quit;
    case SDL_WINDOWEVENT:
      if (e.window.windowID != boxWindow) return TBoxStep::Wait;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) return TBoxStep::Close;
      return e.window.event == SDL_WINDOWEVENT_EXPOSED ? TBoxStep::Repaint : TBoxStep::Wait;
    case SDL_KEYDOWN: {
      const bool closes =
          std::find(std::begin(kCloseKeys), std::end(kCloseKeys), e.key.keysym.sym) != std::end(kCloseKeys);
      return e.key.windowID == boxWindow && e.key.repeat == 0 && closes ? TBoxStep::Close : TBoxStep::Wait;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (e.button.windowID != boxWindow || e.button.button != SDL_BUTTON_LEFT) return TBoxStep::Wait;
      const bool onOk = Inside(ok, e.button.x, e.button.y);
      // Pressed on OK and let go there, as a button is clicked.
      if (e.type == SDL_MOUSEBUTTONUP && pressed && onOk) return TBoxStep::Close;
      pressed = e.type == SDL_MOUSEBUTTONDOWN && onOk;
      return TBoxStep::Repaint;
    }
    default:
      return TBoxStep::Wait;
  }
}

bool ShowMessageBox(const std::string& caption, const std::string& text, SDL_Window* owner, TBitmap* shown) {
  const TLayout layout = Layout(text);
  if (!layout.Readable) {
    if (shown != nullptr) shown->SetSize(0, 0);
    return ShowSimpleBox(caption, text, owner);
  }
  TBitmap picture;
  Paint(layout, false, picture);
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (owner != nullptr) {
    int ownerX = 0, ownerY = 0, ownerW = 0, ownerH = 0;
    SDL_GetWindowPosition(owner, &ownerX, &ownerY);
    SDL_GetWindowSize(owner, &ownerW, &ownerH);
    x = ownerX + (ownerW - layout.Width) / 2;
    y = ownerY + (ownerH - layout.Height) / 2;
  }
  SDL_Window* window =
      SDL_CreateWindow(Cp932ToUtf8(caption).c_str(), x, y, layout.Width, layout.Height, SDL_WINDOW_HIDDEN);
  if (window == nullptr) return true;  // the text is on standard error already
  if (owner != nullptr) SDL_SetWindowModalFor(window, owner);
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  Show(window, picture);
  if (shown != nullptr) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    shown->SetSize(surface != nullptr ? surface->w : 0, surface != nullptr ? surface->h : 0);
    SDL_Surface* copy = shown->Empty() ? nullptr : SurfaceOf(*shown);
    if (copy != nullptr) {
      SDL_BlitSurface(surface, nullptr, copy, nullptr);
      SDL_FreeSurface(copy);
    }
  }
  const uint32_t id = SDL_GetWindowID(window);
  bool done = NobodyCanClose(), quit = false, pressed = false;
  // Nobody waits there, but a quit request already made ends the box as it would anywhere.
  SDL_Event queued;
  if (done) quit = SDL_PeepEvents(&queued, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT) > 0;
  while (!done) {
    if (!WaitForDisplayEvent(250)) continue;
    SDL_Event e;
    // Every event is taken here, the owner's too: it waits, as under a modal box.
    while (!done && SDL_PollEvent(&e) != 0) {
      switch (MessageBoxStep(e, id, layout.Button, pressed)) {
        case TBoxStep::Quit:
          quit = done = true;
          break;
        case TBoxStep::Close:
          done = true;
          break;
        case TBoxStep::Repaint:
          Paint(layout, pressed, picture);
          Show(window, picture);
          break;
        case TBoxStep::Wait:
          break;
      }
    }
  }
  SDL_DestroyWindow(window);
  return !quit;
}

}  // namespace Platform
