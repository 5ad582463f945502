// UnitForm -- the main form's layout, life cycle and event handlers.
#include "app/UnitForm.h"

#include "app/UnitCommon.h"
#include "game/Press.h"
#include "game/UnitMain.h"
#include "platform/Application.h"

using namespace Platform;

TFormMain* FormMain = nullptr;

namespace {

// The form as it was designed; the constructor then replaces size, place and the layout.
void LoadDesignedLayout(TFormMain& form) {
  form.Name = "FormMain";
  form.Caption = "Farrowmere";
  form.Left = 194;
  form.Top = 150;
  form.SetClientSize(723, 578);
  form.BorderStyle = TBorderStyle::Single;
  form.BorderIcons = biSystemMenu | biMinimize;
  form.Color = RGB(240, 240, 240);  // the button face
  try {
    form.Icon.LoadFromFile("dat\\icon.bmp");
  } catch (const std::exception&) {  // NOLINT(bugprone-empty-catch): nothing to do
    // The icon stays empty and the window shows a plain one: the game does not need it.
  }

  form.PageMain.Name = "PageMain";
  form.PageMain.Left = 24;
  form.PageMain.Top = 34;
  form.PageMain.Width = 600;
  form.PageMain.Height = 500;
  form.PageMain.Color = 0x444444;
  form.PageMain.Visible = false;

  form.PaintMain.Name = "PaintMain";
  form.PaintMain.Left = 20;
  form.PaintMain.Top = 40;
  form.PaintMain.Width = 101;
  form.PaintMain.Height = 101;
  form.PaintMain.OnMouseDown = [&form](TPaintBox& sender, TMouseButton button, unsigned shift, int x, int y) {
    form.PaintMainMouseDown(sender, button, shift, x, y);
  };
}

}  // namespace

TFormMain::TFormMain() {
  // The global is the form's name for the start-up wiring, which runs inside this constructor.
  FormMain = this;
  LoadDesignedLayout(*this);
  SetClientSize(400, 400);
  CenterOnScreen();
  ShowPage(PageMain);
  FitToParent(PaintMain);
  try {
    GameSetup();
  } catch (...) {
    // Whatever was set up before the failure is freed here: no destructor runs for this form.
    GameTeardown();
    FormMain = nullptr;
    throw;
  }
  ResetGame();
  // An error of the scenario's first step is the scenario's, as on any later press: it is
  // shown and the game goes on.
  try {
    StepStory();
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
}

TFormMain::~TFormMain() {
  GameTeardown();
  if (FormMain == this) FormMain = nullptr;
}

void TFormMain::PaintMainMouseDown(TPaintBox&, TMouseButton, unsigned, int x, int y) {
  PressPlayAreaAt(x, y);  // left, right and middle presses act alike
}
