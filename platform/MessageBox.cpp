// MessageBox -- the error box laid out and painted like a form; each system shows it
// (MessageBoxSdl.cpp, web/).
#include "platform/MessageBox.h"

#include <algorithm>
#include <vector>

#include "platform/Form.h"
#include "platform/TextCodec.h"
#include "platform/WindowPaint.h"

namespace Platform {

namespace {

constexpr int kMargin = 20;
constexpr int kMaxTextWidth = 560;  // longer lines wrap
constexpr int kMinWidth = 240;
constexpr int kButtonWidth = 88, kButtonHeight = 26, kGap = 16;

TFont TextFont() { return TFont{"ＭＳ Ｐゴシック", -14, 0, RGB(0, 0, 0)}; }

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

}  // namespace

TBoxLayout LayOutMessageBox(const std::string& text) {
  TBitmap measure;
  TCanvas& c = MeasuringCanvas(measure);
  TBoxLayout l;
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

void PaintMessageBox(const TBoxLayout& l, bool pressed, TBitmap& box) {
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

void PaintMessageBox(const std::string& text, TBitmap& box) { PaintMessageBox(LayOutMessageBox(text), false, box); }

std::vector<std::string> MessageBoxLines(const std::string& text) {
  TBitmap measure;
  return WrapLines(MeasuringCanvas(measure), text);
}

}  // namespace Platform
