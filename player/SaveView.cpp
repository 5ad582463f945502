// SaveView -- drawing and hit-testing the save/load view.
#include "player/SaveView.h"

#include <algorithm>

#include "platform/TextCodec.h"

using namespace Platform;

namespace {

constexpr int kColumns = 2, kRows = 6;
constexpr int kLeft = 12, kTop = 48, kCellWidth = 190, kCellHeight = 56, kGap = 4;
constexpr int kTextLeft = ThumbnailSide + 8;

TRect CellRect(int index) {
  const int column = index / kRows, row = index % kRows;
  const int x = kLeft + column * (kCellWidth + kGap), y = kTop + row * kCellHeight;
  return TRect{x, y, x + kCellWidth, y + kCellHeight - kGap};
}

// The picture darkened to a quarter and tinted as the description view is.
void Dim(TBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    uint8_t* row = bmp.ScanLine(y);
    for (int x = 0; x < 3 * bmp.Width(); x += 3) {
      row[x] = static_cast<uint8_t>(row[x] / 4);
      row[x + 1] = static_cast<uint8_t>(255 - (255 - row[x + 1] / 4) / 2);
      row[x + 2] = static_cast<uint8_t>(row[x + 2] / 8);
    }
  }
}

// Text cut at a whole character so that it fits width pixels.
std::string Fit(TCanvas& c, const std::string& text, int width) {
  if (c.TextWidth(text) <= width) return text;
  std::string cut;
  for (size_t i = 0; i < text.size();) {
    const size_t n = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    if (c.TextWidth(cut + text.substr(i, n) + "…") > width) break;
    cut += text.substr(i, n);
    i += n;
  }
  return cut + "…";
}

void DrawThumbnail(TBitmap& surface, const TSaveGame& save, int left, int top) {
  if (save.Thumbnail.size() != static_cast<size_t>(save.ThumbnailWidth) * save.ThumbnailHeight * 3) return;
  for (int y = 0; y < save.ThumbnailHeight && top + y < surface.Height(); ++y) {
    uint8_t* row = surface.ScanLine(top + y);
    for (int x = 0; x < save.ThumbnailWidth && left + x < surface.Width(); ++x) {
      const char* p = save.Thumbnail.data() + 3 * (static_cast<size_t>(y) * save.ThumbnailWidth + x);
      uint8_t* out = row + 3 * (left + x);
      out[0] = static_cast<uint8_t>(p[2]);
      out[1] = static_cast<uint8_t>(p[1]);
      out[2] = static_cast<uint8_t>(p[0]);
    }
  }
}

void DrawCell(TBitmap& surface, const TSlotSummary& slot, int index, bool selected) {
  TCanvas& c = surface.Canvas();
  const TRect r = CellRect(index);
  c.Brush.Style = TBrushStyle::Solid;
  c.Brush.Color = selected ? RGB(255, 255, 255) : RGB(96, 128, 96);
  c.FillRect(r);
  c.Brush.Color = RGB(16, 40, 16);
  c.FillRect(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
  c.Brush.Color = RGB(0, 0, 0);
  c.FillRect(TRect{r.Left + 2, r.Top + 1, r.Left + 2 + ThumbnailSide, r.Top + 1 + ThumbnailSide});
  DrawThumbnail(surface, slot.Save, r.Left + 2, r.Top + 1);
  c.Brush.Style = TBrushStyle::Clear;
  const int x = r.Left + kTextLeft, width = r.Right - x - 3;
  c.Font = TFont{"ＭＳ ゴシック", 12, fsBold, RGB(255, 255, 255)};
  std::string head = std::to_string(index + 1) + "  ";
  if (slot.Empty) {
    c.TextOut(x, r.Top + 4, head + "空き");
    return;
  }
  if (!slot.Refusal.empty()) {
    c.TextOut(x, r.Top + 4, head);
    c.Font.Color = RGB(255, 160, 160);
    c.TextOut(x, r.Top + 20, Fit(c, slot.Refusal.substr(slot.Refusal.find("：") + 2), width));
    return;
  }
  c.TextOut(x, r.Top + 4, Fit(c, head + slot.Save.SavedAt.substr(0, 16), width));
  const std::string line = slot.Save.ScriptLines.empty() ? "" : slot.Save.ScriptLines.back();
  c.Font = TFont{"ＭＳ Ｐ明朝", 12, 0, RGB(255, 255, 255)};
  c.TextOut(x, r.Top + 22, Fit(c, line, width));
  if (slot.Save.TitleShowing) c.TextOut(x, r.Top + 36, "タイトル");
}

}  // namespace

std::vector<TSlotSummary> PeekNumberedSlots() {
  std::vector<TSlotSummary> slots;
  for (int i = 1; i <= SaveSlotCount; ++i) slots.push_back(PeekSlot(std::to_string(i)));
  return slots;
}

void DrawSaveView(TBitmap& surface, const TSaveViewModel& view) {
  Dim(surface);
  TCanvas& c = surface.Canvas();
  c.Brush.Style = TBrushStyle::Clear;
  c.Font = TFont{"ＭＳ ゴシック", 15, fsBold, RGB(255, 255, 255)};
  c.TextOut(kLeft + 4, 14, view.Saving ? "セーブ" : "ロード");
  c.Font = TFont{"ＭＳ ゴシック", 12, fsBold, RGB(200, 255, 200)};
  c.TextOut(kLeft + 70, 17, "矢印で選び Enter で決定、Esc で戻る");
  for (size_t i = 0; i < view.Slots.size() && i < static_cast<size_t>(kColumns) * kRows; ++i) {
    DrawCell(surface, view.Slots[i], static_cast<int>(i), static_cast<int>(i) == view.Selected);
  }
  c.Brush.Style = TBrushStyle::Solid;
}

int SaveViewSlotAt(int x, int y) {
  for (int i = 0; i < kColumns * kRows; ++i) {
    const TRect r = CellRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
  }
  return -1;
}

int MoveSaveViewSelection(int selected, int dx, int dy) {
  int column = selected / kRows, row = selected % kRows;
  column = std::clamp(column + dx, 0, kColumns - 1);
  row = std::clamp(row + dy, 0, kRows - 1);
  return column * kRows + row;
}
