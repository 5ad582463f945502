// SaveMenu -- the quick slot and the save/load view.
#include "player/SaveMenu.h"

#include <exception>
#include <memory>

#include "platform/WindowPaint.h"
#include "player/Notice.h"
#include "player/PadFocus.h"
#include "player/PlayerSave.h"
#include "player/PlayerState.h"
#include "player/Rollback.h"
#include "player/SaveFiles.h"
#include "player/SaveView.h"
#include "player/TitleBar.h"

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
    PaintPartWithoutNotice(*Player->Form, *Player->PlayArea, menu->Frozen);
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

// Saving over a save (or a damaged file) asks once: the same slot taken again saves.
void Choose(int index) {
  if (index < 0 || index >= static_cast<int>(menu->Model.Slots.size())) return;
  if (index != menu->Model.Selected) menu->Model.Asking = -1;
  menu->Model.Selected = index;
  const TSlotSummary& slot = menu->Model.Slots[static_cast<size_t>(index)];
  if (menu->Model.Saving) {
    if (slot.Slot == "auto") {
      TellInTitle("オートの枠には自動でだけ保存します");
      Draw();
      return;
    }
    if (!slot.Empty && menu->Model.Asking != index) {
      menu->Model.Asking = index;
      Draw();
      return;
    }
    const std::string refusal = SaveGameTo(slot.Slot);
    TellInTitle(refusal.empty() ? "セーブ " + SlotName(slot.Slot) + " に保存しました" : refusal);
    if (refusal.empty()) CloseSaveMenu();
    return;
  }
  if (slot.Empty) {
    Draw();
    return;
  }
  const std::string refusal = LoadGameFrom(slot.Slot);
  TellInTitle(refusal.empty() ? LoadedWords("セーブ " + SlotName(slot.Slot) + " を読み込みました") : refusal);
  if (!refusal.empty()) return;
  ForgetSteps();  // the steps of the game before the load are not this one's
  CloseSaveMenu();
}

// Saving: the first empty numbered slot, while there is one; else, and loading, the newest
// save that would load (loading: the quick save and the autosave too).
int FirstChoice(const std::vector<TSlotSummary>& slots, bool saving) {
  const int numbered = 2;
  if (saving) {
    for (int i = numbered; i < static_cast<int>(slots.size()); ++i) {
      if (slots[static_cast<size_t>(i)].Empty) return i;
    }
  }
  int chosen = -1;
  for (int i = saving ? numbered : 0; i < static_cast<int>(slots.size()); ++i) {
    const TSlotSummary& slot = slots[static_cast<size_t>(i)];
    if (slot.Empty || !slot.Refusal.empty()) continue;
    if (chosen < 0 || slot.Save.SavedAt > slots[static_cast<size_t>(chosen)].Save.SavedAt) chosen = i;
  }
  return chosen < 0 ? numbered : chosen;
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
  if (menu == nullptr) return;
  if (!menu->Open) Freeze();
  MakeThumbnail(menu->Frozen, save);
}

void QuickSave() {
  const std::string refusal = SaveGameTo("quick");
  TellInTitle(refusal.empty() ? "クイックセーブしました" : refusal);
}

void QuickLoad() {
  const std::string refusal = LoadGameFrom("quick");
  TellInTitle(refusal.empty() ? LoadedWords("クイックロードしました") : refusal);
  if (refusal.empty()) ForgetSteps();
}

void OpenSaveMenu(bool saving) {
  if (menu == nullptr || menu->Open) return;
  Freeze();
  menu->Model.Saving = saving;
  menu->Model.Slots = PeekViewSlots();
  menu->Model.Selected = FirstChoice(menu->Model.Slots, saving);
  menu->Model.Asking = -1;
  menu->Model.Pad = PadUsedLast();
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
std::string SaveMenuChoice() {
  return SaveMenuOpen() ? menu->Model.Slots[static_cast<size_t>(menu->Model.Selected)].Slot : "";
}

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
  menu->Model.Asking = -1;
  Draw();
}

void SwitchSaveMenu(uint32_t key) {
  if (!SaveMenuOpen()) return;
  const bool saving = key == 'S' || (key != 'L' && !menu->Model.Saving);
  if (saving == menu->Model.Saving) return;
  menu->Model.Saving = saving;
  menu->Model.Selected = FirstChoice(menu->Model.Slots, saving);
  menu->Model.Asking = -1;
  Draw();
}

std::string SaveMenuSlotText(int index) {
  if (!SaveMenuOpen() || index < 0 || index >= static_cast<int>(menu->Model.Slots.size())) return "";
  const TCellText text = CellText(menu->Model.Slots[static_cast<size_t>(index)]);
  return text.Head + "\n" + (index == menu->Model.Asking ? std::string(kAsking) : text.Body);
}

void TakeSaveChoice() {
  if (SaveMenuOpen()) Choose(menu->Model.Selected);
}
