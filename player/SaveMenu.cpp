// SaveMenu -- the quick slot and the save/load view.
#include "player/SaveMenu.h"

#include <exception>
#include <memory>

#include "platform/WindowPaint.h"
#include "player/PlayerState.h"
#include "player/SaveFiles.h"
#include "player/SaveView.h"

using namespace Platform;

namespace {

struct TMenu {
  std::unique_ptr<TPaintBox> View;  // over the play area and its buttons while it shows
  TBitmap Frozen;                   // the play area as the player saw it
  TSaveViewModel Model;
  bool Open = false;
  bool Paused = false;  // holds one pause of the frame loop while open
};

std::unique_ptr<TMenu> menu;

// The play area as the window shows it, buttons and all.
void Freeze() {
  try {
    PaintFormPart(*Player->Form, *Player->PlayArea, menu->Frozen);
  } catch (const std::exception&) {
    return;  // no picture: the save goes without one
  }
}

void Draw() {
  TPaintBox& box = *menu->View;
  box.Surface.SetSize(box.Width, box.Height);
  BitBlt(box.Surface, 0, 0, box.Width, box.Height, menu->Frozen, 0, 0, SRCCOPY);
  DrawSaveView(box.Surface, menu->Model);
  box.Invalidate();
}

void Choose(int index) {
  if (index < 0 || index >= static_cast<int>(menu->Model.Slots.size())) return;
  menu->Model.Selected = index;
  const TSlotSummary& slot = menu->Model.Slots[static_cast<size_t>(index)];
  if (menu->Model.Saving) {
    const std::string refusal = SaveGameTo(slot.Slot);
    TellInTitle(refusal.empty() ? "セーブ " + slot.Slot + " に保存しました" : refusal);
    if (refusal.empty()) CloseSaveMenu();
    return;
  }
  if (slot.Empty) return;
  const std::string refusal = LoadGameFrom(slot.Slot);
  TellInTitle(refusal.empty() ? "セーブ " + slot.Slot + " を読み込みました" : refusal);
  if (refusal.empty()) CloseSaveMenu();
}

}  // namespace

void SaveMenuSetup() {
  SaveMenuFree();
  menu = std::make_unique<TMenu>();
  menu->View = std::make_unique<TPaintBox>(Player->Page);
  menu->View->Name = "SaveMenu";
  menu->View->Visible = false;
  menu->View->OnMouseDown = [](TPaintBox&, TMouseButton, unsigned, int x, int y) {
    const int index = SaveViewSlotAt(x, y);
    if (index < 0) {
      CloseSaveMenu();
    } else {
      Choose(index);
    }
  };
}

void SaveMenuFree() {
  if (menu == nullptr) return;
  CloseSaveMenu();
  menu.reset();
}

void AddThumbnail(TSaveGame& save) {
  if (menu == nullptr || Player == nullptr) return;
  if (!menu->Open) Freeze();
  MakeThumbnail(menu->Frozen, save);
}

void QuickSave() {
  const std::string refusal = SaveGameTo("quick");
  TellInTitle(refusal.empty() ? "クイックセーブしました" : refusal);
}

void QuickLoad() {
  const std::string refusal = LoadGameFrom("quick");
  TellInTitle(refusal.empty() ? "クイックロードしました" : refusal);
}

void OpenSaveMenu(bool saving) {
  if (menu == nullptr || menu->Open) return;
  Freeze();
  menu->Model.Saving = saving;
  menu->Model.Slots = PeekNumberedSlots();
  // The newest save is chosen first; saving into an empty slot when there is one.
  int chosen = 0;
  for (int i = 0; i < static_cast<int>(menu->Model.Slots.size()); ++i) {
    const TSlotSummary& slot = menu->Model.Slots[static_cast<size_t>(i)];
    const TSlotSummary& best = menu->Model.Slots[static_cast<size_t>(chosen)];
    if (!slot.Empty && slot.Refusal.empty() && slot.Save.SavedAt > best.Save.SavedAt) chosen = i;
  }
  menu->Model.Selected = chosen;
  TPaintBox& box = *menu->View;
  box.Left = Player->PlayArea->Left;
  box.Top = Player->PlayArea->Top;
  box.Width = Player->PlayArea->Width;
  box.Height = Player->PlayArea->Height;
  menu->Open = true;
  box.Visible = true;
  Draw();
  HoldPause(menu->Paused, true);
}

bool SaveMenuOpen() { return menu != nullptr && menu->Open; }
bool SaveMenuSaving() { return SaveMenuOpen() && menu->Model.Saving; }
int SaveMenuChoice() { return SaveMenuOpen() ? menu->Model.Selected + 1 : 0; }

void CloseSaveMenu() {
  if (!SaveMenuOpen()) return;
  menu->Open = false;
  menu->View->Visible = false;
  HoldPause(menu->Paused, false);
}

void MoveSaveChoice(uint32_t arrow) {
  if (!SaveMenuOpen()) return;
  const int dx = arrow == VK_LEFT ? -1 : arrow == VK_RIGHT ? 1 : 0, dy = arrow == VK_UP ? -1 : arrow == VK_DOWN ? 1 : 0;
  menu->Model.Selected = MoveSaveViewSelection(menu->Model.Selected, dx, dy);
  Draw();
}

void TakeSaveChoice() {
  if (SaveMenuOpen()) Choose(menu->Model.Selected);
}
