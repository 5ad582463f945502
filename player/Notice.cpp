// Notice -- the band across the play area that says what the title says.
#include "player/Notice.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "paint/QuilTimer.h"
#include "platform/WindowPaint.h"
#include "player/PlayerState.h"

using namespace Platform;

namespace {

// The band lies between the idea buttons' column and the story lines, over the picture.
constexpr int kBandTop = 176;
constexpr int kLineHeight = 18, kPadding = 4, kMargin = 10;
constexpr int kMaxLines = 2;  // a longer line (a screenshot's path) is cut off after two
constexpr int32_t kRedrawMs = 50;

struct TNotice {
  std::unique_ptr<TPaintBox> Band;
  TPaintBox* PlayArea = nullptr;
  std::string Text;
  std::vector<std::string> Lines;  // the text cut to the band's width
};

std::unique_ptr<TNotice> notice;
bool welcome = true;

TFont NoticeFont() { return TFont{"ＭＳ ゴシック", 13, fsBold, RGB(255, 226, 160)}; }

// A lead byte of CP932 takes the next byte with it.
bool LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The text cut into lines no wider than width, between characters; at most kMaxLines.
std::vector<std::string> Cut(TCanvas& c, const std::string& text, int width) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size() && lines.size() <= kMaxLines;) {
    const size_t length = LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    const std::string character = text.substr(i, length);
    if (!lines.back().empty() && c.TextWidth(lines.back() + character) > width) lines.emplace_back();
    lines.back() += character;
    i += length;
  }
  if (lines.size() > kMaxLines) lines.resize(kMaxLines);
  return lines;
}

// The picture under the band darkened, the message log's orange rules above and below it, the
// words centred. Drawn each frame, so that the picture moves on under it.
void DrawUnguarded() {
  TPaintBox& band = *notice->Band;
  band.Surface.SetSize(band.Width, band.Height);
  const TBitmap& under = notice->PlayArea->Shown();
  if (under.Width() >= band.Width && under.Height() >= kBandTop + band.Height) {
    BitBlt(band.Surface, 0, 0, band.Width, band.Height, under, 0, kBandTop, SRCCOPY);
  }
  for (int y = 0; y < band.Height; ++y) {
    uint8_t* row = band.Surface.ScanLine(y);
    for (int x = 0; x < 3 * band.Width; ++x) row[x] = static_cast<uint8_t>(row[x] / 4);
  }
  TCanvas& c = band.Surface.Canvas();
  c.Brush.Style = TBrushStyle::Solid;
  c.Brush.Color = RGB(255, 128, 0);
  c.FillRect(TRect{0, 0, band.Width, 1});
  c.FillRect(TRect{0, band.Height - 1, band.Width, band.Height});
  c.Font = NoticeFont();
  c.Brush.Style = TBrushStyle::Clear;
  int y = kPadding;
  for (const std::string& line : notice->Lines) {
    c.TextOut(std::max(kMargin, (band.Width - c.TextWidth(line)) / 2), y, line);
    y += kLineHeight;
  }
  c.Brush.Style = TBrushStyle::Solid;
  band.Invalidate();
}

void Draw() {
  if (notice == nullptr || notice->Lines.empty()) return;
  try {
    DrawUnguarded();
  } catch (const std::exception& error) {
    ReportOnce(error);  // without fonts the band stays dark; the game goes on
  }
}

void EndNotice() {
  TQuilTimer::Remove(EndNotice);
  TQuilTimer::Remove(Draw);
  if (notice == nullptr) return;
  notice->Band->Visible = false;
  notice->Text.clear();
  notice->Lines.clear();
}

}  // namespace

void NoticeSetup(TPanel& page, TPaintBox& playArea) {
  NoticeFree();
  notice = std::make_unique<TNotice>();
  notice->PlayArea = &playArea;
  notice->Band = std::make_unique<TPaintBox>(&page);
  TPaintBox& band = *notice->Band;
  band.Name = "Notice";
  band.Visible = false;
  band.Enabled = false;  // a press on the band lands on what lies under it
  band.Left = playArea.Left;
  band.Top = playArea.Top + kBandTop;
  band.Width = playArea.Width;
}

void NoticeFree() {
  EndNotice();
  notice.reset();
}

void ShowNotice(const std::string& cp932, int32_t ms) {
  if (notice == nullptr) return;
  notice->Text = cp932;
  try {
    TBitmap measure;
    measure.Canvas().Font = NoticeFont();
    notice->Lines = Cut(measure.Canvas(), cp932, notice->Band->Width - 2 * kMargin);
  } catch (const std::exception& error) {
    ReportOnce(error);
    notice->Lines = {cp932};
  }
  notice->Band->Height = 2 * kPadding + kLineHeight * static_cast<int>(notice->Lines.size());
  notice->Band->Visible = true;
  Draw();
  TQuilTimer::Remove(EndNotice);
  TQuilTimer::Remove(Draw);
  TQuilTimer::Add(EndNotice, ms, "", true);
  TQuilTimer::Add(Draw, kRedrawMs, "", true);
}

std::string NoticeText() { return notice != nullptr ? notice->Text : ""; }

namespace {

// Hides the band while it lives, and shows it again after.
class THiddenBand {
 public:
  THiddenBand() : shown_(notice != nullptr && notice->Band->Visible) {
    if (shown_) notice->Band->Visible = false;
  }
  ~THiddenBand() {
    if (shown_ && notice != nullptr) notice->Band->Visible = true;
  }
  THiddenBand(const THiddenBand&) = delete;
  THiddenBand& operator=(const THiddenBand&) = delete;

 private:
  bool shown_;
};

}  // namespace

void PaintWithoutNotice(TForm& form, TBitmap& out) {
  const THiddenBand hidden;
  PaintForm(form, out);
}

void PaintPartWithoutNotice(TForm& form, const TControl& control, TBitmap& part) {
  const THiddenBand hidden;
  PaintFormPart(form, control, part);
}

void WelcomeNewPlayers(bool on) { welcome = on; }

bool WelcomingNewPlayers() { return welcome; }
