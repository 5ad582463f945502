// QuilForm -- the base form's deferred call, key filter and layout helpers.
#include "app/QuilForm.h"

using namespace Platform;

void TQuilForm::PostCall(TPostedProc proc) {
  PostedProc = proc;
  PostMessageA(Handle(), WM_QUILCALL, 0, 0);
}

void TQuilForm::WndProc(TMessage& message) {
  if (message.Msg == WM_QUILCALL) {
    // Only PostCall posts this message, after storing the procedure; a stray one is ignored.
    if (PostedProc != nullptr) PostedProc(*this, message);
    return;
  }
  TForm::WndProc(message);
}

bool TQuilForm::WantChildKey(TControl&, TMessage& message) {
  return message.WParam == VK_MENU || message.WParam == VK_F10;
}

void TQuilForm::SetClientSize(int width, int height) {
  SetClientWidth(width);
  SetClientHeight(height);
}

void TQuilForm::CenterOnScreen() {
  Left = (Screen.Width - Width) / 2;
  Top = (Screen.Height - Height) / 2;
}

void TQuilForm::FitToParent(TControl& control) {
  TControl* parent = control.Parent();
  if (parent == nullptr) return;  // a control without a parent has nothing to fill
  control.Left = 0;
  control.Top = 0;
  control.SetClientWidth(parent->ClientWidth());
  control.SetClientHeight(parent->ClientHeight());
}

void TQuilForm::ShowPage(TPanel& panel) {
  Pages.clear();
  for (TControl* child : Children()) {
    auto* page = dynamic_cast<TPanel*>(child);
    if (page == nullptr || page->Name.compare(0, 4, "Page") != 0) continue;
    Pages.push_back(page);
    FitToParent(*page);
    page->Visible = page == &panel;
  }
}
