// SaveView -- drawing and hit-testing the save/load view, and the saves' small pictures.
#include "player/SaveView.h"

#include <algorithm>

#include "platform/TextCodec.h"

using namespace Platform;

namespace {

// Two columns of seven rows: the quick save and the autosave, then the numbered slots 1 .. 6
// down the left and 7 .. 12 down the right.
constexpr int kColumns = 2, kRows = 7, kNumberedRows = kRows - 1, kCells = 2 + SaveSlotCount;
constexpr int kLeft = 12, kTop = 22, kCellWidth = 186, kCellHeight = 54, kGap = 2;
constexpr int kTextLeft = ThumbnailSide + 8;
static_assert(kColumns * kNumberedRows == SaveSlotCount);

void CellPlace(int index, int& column, int& row) {
  if (index < 2) {
    column = index;
    row = 0;
  } else {
    column = (index - 2) / kNumberedRows;
    row = 1 + (index - 2) % kNumberedRows;
  }
}

int CellAt(int column, int row) { return row == 0 ? column : 2 + column * kNumberedRows + row - 1; }

TRect CellRect(int index) {
  int column = 0, row = 0;
  CellPlace(index, column, row);
  const int x = kLeft + column * (kCellWidth + kGap * 2), y = kTop + row * kCellHeight;
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

void DrawCell(TBitmap& surface, const TSlotSummary& slot, int index, bool selected, bool asking) {
  TCanvas& c = surface.Canvas();
  const TRect r = CellRect(index);
  c.Brush.Style = TBrushStyle::Solid;
  c.Brush.Color = asking ? RGB(255, 255, 0) : selected ? RGB(255, 255, 255) : RGB(96, 128, 96);
  c.FillRect(r);
  c.Brush.Color = RGB(16, 40, 16);
  c.FillRect(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
  c.Brush.Color = RGB(0, 0, 0);
  c.FillRect(TRect{r.Left + 2, r.Top + 1, r.Left + 2 + ThumbnailSide, r.Top + 1 + ThumbnailSide});
  DrawThumbnail(surface, slot.Save, r.Left + 2, r.Top + 1);
  c.Brush.Style = TBrushStyle::Clear;
  const int x = r.Left + kTextLeft, width = r.Right - x - 3;
  const TCellText text = CellText(slot);
  c.Font = TFont{"ＭＳ ゴシック", 12, fsBold, RGB(255, 255, 255)};
  c.TextOut(x, r.Top + 4, Fit(c, text.Head, width));
  if (asking) {
    c.Font.Color = RGB(255, 255, 0);
    c.TextOut(x, r.Top + 20, Fit(c, kAsking, width));
    return;
  }
  if (text.Refused) {
    c.Font.Color = RGB(255, 160, 160);
    c.TextOut(x, r.Top + 20, Fit(c, text.Body, width));
    return;
  }
  c.Font = TFont{"ＭＳ Ｐ明朝", 12, 0, RGB(255, 255, 255)};
  c.TextOut(x, r.Top + 20, Fit(c, slot.Save.TitleShowing ? std::string("タイトル") : text.Body, width));
  c.Font = TFont{"ＭＳ ゴシック", 12, 0, RGB(200, 255, 200)};
  c.TextOut(x, r.Top + 36, text.Date);
}

}  // namespace

std::vector<TSlotSummary> PeekViewSlots() {
  std::vector<TSlotSummary> slots{PeekSlot("quick"), PeekSlot("auto")};
  for (int i = 1; i <= SaveSlotCount; ++i) slots.push_back(PeekSlot(std::to_string(i)));
  return slots;
}

std::string SlotName(const std::string& slot) {
  if (slot == "quick") return "クイック";
  if (slot == "auto") return "オート";
  return slot;
}

TCellText CellText(const TSlotSummary& slot) {
  TCellText text;
  text.Head = SlotName(slot.Slot);
  if (!slot.Refusal.empty()) {
    // The refusal without the slot's name, which the head gives.
    const size_t colon = slot.Refusal.find("：");
    text.Body = colon == std::string::npos ? slot.Refusal : slot.Refusal.substr(colon + 2);
    text.Refused = true;
  } else if (slot.Empty) {
    text.Head += "  空き";
  } else {
    text.Date = slot.Save.SavedAt.substr(0, 16);
    text.Body = slot.Save.ScriptLines.empty() ? "" : slot.Save.ScriptLines.back();
  }
  return text;
}

void DrawSaveView(TBitmap& surface, const TSaveViewModel& view) {
  Dim(surface);
  TCanvas& c = surface.Canvas();
  c.Brush.Style = TBrushStyle::Clear;
  c.Font = TFont{"ＭＳ ゴシック", 15, fsBold, RGB(255, 255, 255)};
  c.TextOut(kLeft + 4, 3, view.Saving ? "セーブ" : "ロード");
  c.Font = TFont{"ＭＳ ゴシック", 12, fsBold, RGB(200, 255, 200)};
  c.TextOut(kLeft + 70, 6,
            view.Pad ? "十字で選び A で決定、B で戻る、Y で切替" : "矢印で選び Enter で決定、Esc で戻る");
  for (size_t i = 0; i < view.Slots.size() && i < static_cast<size_t>(kCells); ++i) {
    const int index = static_cast<int>(i);
    DrawCell(surface, view.Slots[i], index, index == view.Selected, index == view.Asking);
  }
  c.Brush.Style = TBrushStyle::Solid;
}

int SaveViewSlotAt(int x, int y) {
  for (int i = 0; i < kCells; ++i) {
    const TRect r = CellRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
  }
  return -1;
}

int MoveSaveViewSelection(int selected, int dx, int dy) {
  int column = 0, row = 0;
  CellPlace(std::clamp(selected, 0, kCells - 1), column, row);
  return CellAt(std::clamp(column + dx, 0, kColumns - 1), std::clamp(row + dy, 0, kRows - 1));
}

void MakeThumbnail(const TBitmap& picture, TSaveGame& save) {
  const int w = picture.Width(), h = picture.Height();
  save.Thumbnail.clear();
  save.ThumbnailWidth = save.ThumbnailHeight = 0;
  if (w < ThumbnailSide || h < ThumbnailSide) return;
  // Each thumbnail pixel is the mean of its block of the picture.
  std::string pixels;
  for (int ty = 0; ty < ThumbnailSide; ++ty) {
    const int y0 = ty * h / ThumbnailSide, y1 = (ty + 1) * h / ThumbnailSide;
    for (int tx = 0; tx < ThumbnailSide; ++tx) {
      const int x0 = tx * w / ThumbnailSide, x1 = (tx + 1) * w / ThumbnailSide;
      unsigned sum[3] = {0, 0, 0};
      for (int y = y0; y < y1; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = x0; x < x1; ++x) {
          for (int c = 0; c < 3; ++c) sum[c] += row[3 * x + c];
        }
      }
      const unsigned n = static_cast<unsigned>((y1 - y0) * (x1 - x0));
      // Rows are blue, green, red; the save holds red, green, blue.
      for (int c = 2; c >= 0; --c) pixels += static_cast<char>(sum[c] / n);
    }
  }
  save.Thumbnail = std::move(pixels);
  save.ThumbnailWidth = save.ThumbnailHeight = ThumbnailSide;
}
