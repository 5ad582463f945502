// SaveMenu -- the quick slot and the save/load view.
#include "player/SaveMenu.h"

#include <exception>
#include <memory>

#include "platform/WindowPaint.h"
#include "player/SaveFiles.h"
#include "player/SaveView.h"

using namespace Platform;

namespace {

struct TMenu {
  TForm* Form = nullptr;
  TPaintBox* PlayArea = nullptr;
  TSaveMenuHooks Hooks;
  std::unique_ptr<TPaintBox> View;  // over the play area and its buttons while it shows
  TBitmap Frozen;                   // the play area as the player saw it
  TSaveViewModel Model;
  bool Open = false;
};

TMenu* menu = nullptr;

void Tell(const std::string& line) {
  if (menu->Hooks.Tell) menu->Hooks.Tell(line);
}

// The play area as the window shows it, buttons and all.
void Freeze() {
  TBitmap client;
  try {
    PaintForm(*menu->Form, client);
  } catch (const std::exception&) {
    return;  // no picture: the save goes without one
  }
  int left = 0, top = 0;
  menu->PlayArea->ClientOrigin(left, top);
  menu->Frozen.SetSize(menu->PlayArea->Width, menu->PlayArea->Height);
  BitBlt(menu->Frozen, 0, 0, menu->PlayArea->Width, menu->PlayArea->Height, client, left, top, SRCCOPY);
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
    Tell(refusal.empty() ? "セーブ " + slot.Slot + " に保存しました" : refusal);
    if (refusal.empty()) CloseSaveMenu();
    return;
  }
  if (slot.Empty) return;
  const std::string refusal = LoadGameFrom(slot.Slot);
  Tell(refusal.empty() ? "セーブ " + slot.Slot + " を読み込みました" : refusal);
  if (refusal.empty()) CloseSaveMenu();
}

}  // namespace

void SaveMenuSetup(TForm& form, TPanel& page, TPaintBox& playArea, TSaveMenuHooks hooks) {
  SaveMenuFree();
  menu = new TMenu;
  menu->Form = &form;
  menu->PlayArea = &playArea;
  menu->Hooks = std::move(hooks);
  menu->View = std::make_unique<TPaintBox>(&page);
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
  SaveThumbnailHook = [](TSaveGame& save) {
    if (menu == nullptr) return;
    if (!menu->Open) Freeze();
    MakeThumbnail(menu->Frozen, save);
  };
}

void SaveMenuFree() {
  if (menu == nullptr) return;
  CloseSaveMenu();
  SaveThumbnailHook = nullptr;
  delete menu;
  menu = nullptr;
}

void QuickSave() {
  if (menu == nullptr) return;
  const std::string refusal = SaveGameTo("quick");
  Tell(refusal.empty() ? "クイックセーブしました" : refusal);
}

void QuickLoad() {
  if (menu == nullptr) return;
  const std::string refusal = LoadGameFrom("quick");
  Tell(refusal.empty() ? "クイックロードしました" : refusal);
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
  box.Left = menu->PlayArea->Left;
  box.Top = menu->PlayArea->Top;
  box.Width = menu->PlayArea->Width;
  box.Height = menu->PlayArea->Height;
  menu->Open = true;
  box.Visible = true;
  Draw();
  if (menu->Hooks.Pause) menu->Hooks.Pause(true);
}

bool SaveMenuOpen() { return menu != nullptr && menu->Open; }
bool SaveMenuSaving() { return SaveMenuOpen() && menu->Model.Saving; }
int SaveMenuChoice() { return SaveMenuOpen() ? menu->Model.Selected + 1 : 0; }

void CloseSaveMenu() {
  if (menu == nullptr || !menu->Open) return;
  menu->Open = false;
  menu->View->Visible = false;
  if (menu->Hooks.Pause) menu->Hooks.Pause(false);
}

void SaveMenuKey(uint32_t key) {
  if (!SaveMenuOpen()) return;
  int& selected = menu->Model.Selected;
  switch (key) {
    case VK_ESCAPE:
      CloseSaveMenu();
      return;
    case VK_RETURN:
    case VK_SPACE:
      Choose(selected);
      return;
    case VK_LEFT:
      selected = MoveSaveViewSelection(selected, -1, 0);
      break;
    case VK_RIGHT:
      selected = MoveSaveViewSelection(selected, 1, 0);
      break;
    case VK_UP:
      selected = MoveSaveViewSelection(selected, 0, -1);
      break;
    case VK_DOWN:
      selected = MoveSaveViewSelection(selected, 0, 1);
      break;
    default:
      return;
  }
  Draw();
}
