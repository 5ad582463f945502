// What the window shows: the controls painted over the paint box, and a window on SDL's dummy display.
#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Window.h"

using namespace Platform;

namespace {

struct Shown {
  TForm form;
  TPanel page{&form};
  TPaintBox paint{&page};
  TPushButton button{&page};
  TBitmap frame;
  Shown() {
    form.SetClientWidth(200);
    form.SetClientHeight(200);
    page.Width = page.Height = 200;
    page.Color = 0x444444;
    paint.Width = paint.Height = 150;
    paint.Surface.SetSize(150, 150);
    paint.Surface.Canvas().Brush.Color = RGB(0, 0, 255);
    paint.Surface.Canvas().FillRect(TRect{0, 0, 150, 150});
    button.Left = 20;
    button.Top = 40;
    button.Width = 100;
    button.Height = 30;
    button.Caption = "★斬撃";
    button.FontBold = true;
  }
  uint32_t At(int x, int y) {
    const uint8_t* p = frame.ScanLine(y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
  }
  // Counts caption pixels of the given colour inside the button's face.
  int Count(TColor c) {
    int n = 0;
    for (int y = 43; y < 67; ++y)
      for (int x = 23; x < 117; ++x) n += At(x, y) == c;
    return n;
  }
};

}  // namespace

TEST(Painting, TheButtonLiesOverThePaintBoxWithARaisedBevelAndABlackCaption) {
  Shown s;
  PaintForm(s.form, s.frame);
  ASSERT_EQ(s.frame.Width(), 200);
  EXPECT_EQ(s.At(10, 10), RGB(0, 0, 255)) << "the paint box should show its surface";
  EXPECT_EQ(s.At(170, 170), RGB(0x44, 0x44, 0x44)) << "the panel shows beside the paint box";
  EXPECT_EQ(s.At(20, 40), RGB(255, 255, 255)) << "raised: light top-left edge";
  EXPECT_EQ(s.At(119, 69), RGB(0, 0, 0)) << "raised: dark bottom-right edge";
  EXPECT_EQ(s.At(22, 42), RGB(192, 192, 192)) << "the face covers the paint box: a flash never hides the buttons";
  EXPECT_GT(s.Count(RGB(0, 0, 0)), 20) << "the caption should be drawn in black";
}

TEST(Painting, APressedButtonIsSunkenAndADisabledOneGreyed) {
  Shown s;
  s.button.Pressed = true;
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.At(20, 40), RGB(0, 0, 0));
  EXPECT_EQ(s.At(119, 69), RGB(255, 255, 255));
  s.button.Pressed = false;
  s.button.Enabled = false;
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.Count(RGB(0, 0, 0)), 0) << "a disabled caption has no black";
  EXPECT_GT(s.Count(RGB(128, 128, 128)), 10) << "a disabled caption is grey";
}

TEST(Painting, HiddenButtonsAreNotDrawn) {
  Shown s;
  s.button.Visible = false;
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.At(20, 40), RGB(0, 0, 255));
}

TEST(DummyDisplay, TheMainFormGetsAWindowAndTheLoopEndsOnTerminate) {
  ASSERT_TRUE(Application.Initialize()) << Application.InitError();
  struct QuitForm : TForm {
    int calls = 0;
    void WndProc(TMessage&) override {
      ++calls;
      Application.Terminate();
    }
  } form;
  form.Caption = "Farrowmere";
  form.SetClientWidth(400);
  form.SetClientHeight(400);
  Application.ResetTerminated();
  PostMessageA(form.Handle(), WM_USER + 10, 0, 0);
  Application.Run(form);
  EXPECT_EQ(form.calls, 1);
  EXPECT_NE(Application.Window(), nullptr);
  Application.Finalize();
  Application.ResetTerminated();
}
