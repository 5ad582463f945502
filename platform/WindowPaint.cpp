// WindowPaint -- the form's controls painted into a bitmap as the window shows them; no display needed.
#include "platform/WindowPaint.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/WindowInternal.h"

namespace Platform {

namespace {

// The classic three-dimensional colours.
const TColor kFace = RGB(192, 192, 192);
const TColor kHighlight = RGB(255, 255, 255);
const TColor kLight = RGB(223, 223, 223);
const TColor kShadow = RGB(128, 128, 128);
const TColor kDarkShadow = RGB(0, 0, 0);

TRect Intersect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

// One-pixel frame: top and left edges in one colour, bottom and right in the other.
void Bevel(TCanvas& c, const TRect& r, TColor topLeft, TColor bottomRight) {
  c.Pen.Color = topLeft;
  c.MoveTo(r.Left, r.Bottom - 1);
  c.LineTo(r.Left, r.Top);
  c.LineTo(r.Right - 1, r.Top);
  c.Pen.Color = bottomRight;
  c.LineTo(r.Right - 1, r.Bottom - 1);
  c.LineTo(r.Left - 1, r.Bottom - 1);
}

void PaintButton(TPushButton& b, TCanvas& c, int left, int top) {
  TRect r{left, top, left + b.Width, top + b.Height};
  c.Brush.Color = kFace;
  c.FillRect(r);
  TRect inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  if (b.Pressed) {
    Bevel(c, r, kDarkShadow, kHighlight);
    Bevel(c, inner, kShadow, kLight);
  } else {
    Bevel(c, r, kHighlight, kDarkShadow);
    Bevel(c, inner, kLight, kShadow);
  }
  c.Font.Name = "ＭＳ Ｐゴシック";
  c.Font.Height = -12;
  c.Font.Style = b.FontBold ? static_cast<unsigned>(fsBold) : 0u;
  c.Brush.Style = TBrushStyle::Clear;
  int x = left + (b.Width - c.TextWidth(b.Caption)) / 2 + (b.Pressed ? 1 : 0);
  int y = top + (b.Height - c.TextHeight(b.Caption)) / 2 + (b.Pressed ? 1 : 0);
  TRect saved = c.ClipRect;
  c.ClipRect = Intersect(saved, TRect{inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1});
  if (b.Enabled) {
    c.Font.Color = RGB(0, 0, 0);
    c.TextOut(x, y, b.Caption);
  } else {
    // Greyed: the etched look, a white copy one pixel down and right under a grey one.
    c.Font.Color = kHighlight;
    c.TextOut(x + 1, y + 1, b.Caption);
    c.Font.Color = kShadow;
    c.TextOut(x, y, b.Caption);
  }
  c.ClipRect = saved;
  c.Brush.Style = TBrushStyle::Solid;
}

// True when the child shows and paints every pixel of area, so that nothing under it need be
// painted first: a panel, or a paint box whose image is at least as large as the box.
bool PaintsAll(const TControl& child, const TRect& area) {
  if (!child.Visible) return false;
  int left = 0, top = 0;
  child.ClientOrigin(left, top);
  if (left > area.Left || top > area.Top || left + child.Width < area.Right || top + child.Height < area.Bottom)
    return false;
  if (dynamic_cast<const TPanel*>(&child) != nullptr) return true;
  if (auto* box = dynamic_cast<const TPaintBox*>(&child)) {
    return box->Shown().Width() >= box->Width && box->Shown().Height() >= box->Height;
  }
  return false;
}

bool CoveredByChild(const TControl& parent, const TRect& area) {
  for (const TControl* child : parent.Children()) {
    if (PaintsAll(*child, area)) return true;
  }
  return false;
}

// A paint that leaves out everything up to and including Base (whose pixels the caller takes
// from elsewhere) and lists the areas painted after it.
struct TPaintAbove {
  const TControl* Base = nullptr;
  bool Reached = false;
  std::vector<TRect>* Painted = nullptr;
};

void PaintChildren(TControl& parent, TBitmap& frame, const TRect& clip, TPaintAbove* above = nullptr) {
  TCanvas& c = frame.Canvas();
  for (TControl* child : parent.Children()) {
    if (!child->Visible) continue;
    int left = 0, top = 0;
    child->ClientOrigin(left, top);
    TRect bounds{left, top, left + child->Width, top + child->Height};
    TRect area = Intersect(clip, bounds);
    c.ClipRect = area;
    if (above != nullptr && !above->Reached) {
      above->Reached = child == above->Base;
    } else if (above != nullptr) {
      above->Painted->push_back(area);
      if (auto* button = dynamic_cast<TPushButton*>(child)) PaintButton(*button, c, left, top);
    } else if (auto* panel = dynamic_cast<TPanel*>(child)) {
      // The play area's panel lies wholly under its paint box: a fill there would be lost.
      if (!CoveredByChild(*panel, area)) {
        c.Brush.Color = RGB(panel->Color >> 16, panel->Color >> 8, panel->Color);
        c.FillRect(bounds);
      }
    } else if (auto* box = dynamic_cast<TPaintBox*>(child)) {
      BitBlt(frame, left, top, child->Width, child->Height, box->Shown(), 0, 0, SRCCOPY);
    } else if (auto* button = dynamic_cast<TPushButton*>(child)) {
      PaintButton(*button, c, left, top);
    }
    PaintChildren(*child, frame, area, above);
  }
  c.ClipRect = clip;
}

// The visible controls in the order they are painted, each with the area it may paint.
void InPaintOrder(const TControl& parent, const TRect& clip, std::vector<std::pair<const TControl*, TRect>>& out) {
  for (const TControl* child : parent.Children()) {
    if (!child->Visible) continue;
    int left = 0, top = 0;
    child->ClientOrigin(left, top);
    TRect area = Intersect(clip, TRect{left, top, left + child->Width, top + child->Height});
    out.emplace_back(child, area);
    InPaintOrder(*child, area, out);
  }
}

}  // namespace

void PaintForm(TForm& form, TBitmap& frame) {
  frame.SetSize(std::max(0, form.ClientWidth()), std::max(0, form.ClientHeight()));
  if (frame.Empty()) return;
  TCanvas& c = frame.Canvas();
  TRect all{0, 0, frame.Width(), frame.Height()};
  c.ClipRect = all;
  if (!CoveredByChild(form, all)) {
    c.Brush.Color = form.Color;
    c.FillRect(all);
  }
  PaintChildren(form, frame, all);
}

void PaintFormPart(TForm& form, const TControl& control, TBitmap& part) {
  TBitmap whole;
  PaintForm(form, whole);
  int left = 0, top = 0;
  control.ClientOrigin(left, top);
  part.SetSize(control.Width, control.Height);
  BitBlt(part, 0, 0, control.Width, control.Height, whole, left, top, SRCCOPY);
}

const TPaintBox* PaintFormAbove(TForm& form, TBitmap& frame, std::vector<TRect>& painted) {
  painted.clear();
  frame.SetSize(std::max(0, form.ClientWidth()), std::max(0, form.ClientHeight()));
  if (frame.Empty()) return nullptr;
  TRect all{0, 0, frame.Width(), frame.Height()};
  // The last control that paints the whole client area must be a paint box with only push
  // buttons after it; otherwise the whole form is painted.
  static thread_local std::vector<std::pair<const TControl*, TRect>> order;
  order.clear();
  InPaintOrder(form, all, order);
  size_t last = order.size();
  for (size_t i = 0; i < order.size(); ++i) {
    const TRect& area = order[i].second;
    bool whole = area.Left <= 0 && area.Top <= 0 && area.Right >= all.Right && area.Bottom >= all.Bottom;
    if (whole && PaintsAll(*order[i].first, all)) last = i;
  }
  const auto* box = last < order.size() ? dynamic_cast<const TPaintBox*>(order[last].first) : nullptr;
  for (size_t i = last + 1; box != nullptr && i < order.size(); ++i) {
    if (dynamic_cast<const TPushButton*>(order[i].first) == nullptr) box = nullptr;
  }
  if (box == nullptr) {
    PaintForm(form, frame);
    return nullptr;
  }
  frame.Canvas().ClipRect = all;
  TPaintAbove above{box, false, &painted};
  PaintChildren(form, frame, all, &above);
  return box;
}

}  // namespace Platform
