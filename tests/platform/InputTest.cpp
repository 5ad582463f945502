// Input routing: what a press, a release and a key reach, as the game's handlers expect it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/Input.h"

using namespace Platform;

namespace {

// The game's layout in small: a page panel, a paint box filling it, a button over the box.
struct Layout {
  TForm form;
  TPanel page{&form};
  TPaintBox paint{&page};
  std::unique_ptr<TPushButton> button = std::make_unique<TPushButton>(&page);
  TInputRouter router{form};
  std::vector<std::string> events;

  Layout() {
    page.Left = 10;
    page.Top = 10;
    page.Width = page.Height = 400;
    paint.Width = paint.Height = 400;
    button->Left = 20;
    button->Top = 50;
    button->Width = 100;
    button->Height = 30;
    paint.OnMouseDown = [this](TPaintBox&, TMouseButton b, unsigned, int x, int y) {
      events.push_back("paint " + std::to_string(static_cast<int>(b)) + " " + std::to_string(x) + "," +
                       std::to_string(y));
    };
    button->OnClick = [this](TPushButton&) { events.push_back("click"); };
  }
  // A point on the button, in form coordinates.
  int bx = 10 + 20 + 5, by = 10 + 50 + 5;
};

using Events = std::vector<std::string>;

}  // namespace

TEST(Routing, AnEnabledButtonIsPressedAndClicksOnReleaseOverIt) {
  Layout l;
  l.router.MouseDown(TMouseButton::Left, 0, l.bx, l.by);
  EXPECT_TRUE(l.button->Pressed) << "the button should be drawn sunken while held";
  EXPECT_EQ(l.events, Events{}) << "the click fired on the press, or the press reached the play area";
  l.router.MouseUp(TMouseButton::Left, 0, l.bx + 50, l.by);
  EXPECT_FALSE(l.button->Pressed);
  EXPECT_EQ(l.events, Events{"click"});
}

TEST(Routing, ReleasingOffTheButtonDoesNotClick) {
  Layout l;
  l.router.MouseDown(TMouseButton::Left, 0, l.bx, l.by);
  l.router.MouseMove(0, l.bx + 200, l.by);
  EXPECT_FALSE(l.button->Pressed) << "a held button pops up while the pointer is off it";
  l.router.MouseMove(0, l.bx, l.by);
  EXPECT_TRUE(l.button->Pressed);
  l.router.MouseUp(TMouseButton::Left, 0, l.bx + 200, l.by);
  EXPECT_EQ(l.events, Events{}) << "a release beside the button must not click it";
  EXPECT_FALSE(l.button->Pressed);
}

TEST(Routing, ADisabledOrHiddenButtonLetsThePressThroughToThePlayArea) {
  Layout l;
  l.button->Enabled = false;
  l.router.MouseDown(TMouseButton::Left, 0, l.bx, l.by);
  l.router.MouseUp(TMouseButton::Left, 0, l.bx, l.by);
  EXPECT_EQ(l.events, Events{"paint 0 25,55"})
      << "a greyed-out idea button must pass the press to PaintMain in play-area coordinates";
  EXPECT_FALSE(l.button->Pressed);
  l.events.clear();
  l.button->Enabled = true;
  l.button->Visible = false;
  l.router.MouseDown(TMouseButton::Left, 0, l.bx, l.by);
  EXPECT_EQ(l.events, Events{"paint 0 25,55"});
}

TEST(Routing, EveryMouseButtonPressesThePlayAreaAndADoubleClickIsTwoPresses) {
  Layout l;
  l.router.MouseDown(TMouseButton::Right, 0, 300, 300);
  l.router.MouseUp(TMouseButton::Right, 0, 300, 300);
  l.router.MouseDown(TMouseButton::Middle, 0, 300, 300);
  l.router.MouseUp(TMouseButton::Middle, 0, 300, 300);
  l.router.MouseDown(TMouseButton::Left, 0, 300, 300);
  l.router.MouseUp(TMouseButton::Left, 0, 300, 300);
  l.router.MouseDown(TMouseButton::Left, ssDouble, 300, 300);
  EXPECT_EQ(l.events, (Events{"paint 1 290,290", "paint 2 290,290", "paint 0 290,290", "paint 0 290,290"}));
}

TEST(Routing, ARightPressOnAnEnabledButtonNeitherClicksNorAdvances) {
  Layout l;
  l.router.MouseDown(TMouseButton::Right, 0, l.bx, l.by);
  l.router.MouseUp(TMouseButton::Right, 0, l.bx, l.by);
  EXPECT_EQ(l.events, Events{});
}

TEST(Routing, AButtonDisabledOrDestroyedWhileHeldDoesNotClick) {
  Layout l;
  l.router.MouseDown(TMouseButton::Left, 0, l.bx, l.by);
  l.button->Enabled = false;  // e.g. the last 理力 was spent meanwhile
  l.router.MouseUp(TMouseButton::Left, 0, l.bx, l.by);
  EXPECT_EQ(l.events, Events{});
  l.button->Enabled = true;
  l.router.MouseDown(TMouseButton::Left, 0, l.bx, l.by);
  l.button.reset();
  l.router.MouseUp(TMouseButton::Left, 0, l.bx, l.by);
  EXPECT_EQ(l.router.Captured(), nullptr);
  l.router.MouseDown(TMouseButton::Left, 0, l.bx, l.by);
  EXPECT_EQ(l.events, Events{"paint 0 25,55"}) << "after the button is gone the press belongs to the play area";
}

TEST(Routing, TheLaterSiblingLiesOnTop) {
  Layout l;
  TPushButton second(&l.page);
  second.Left = 20;
  second.Top = 50;
  second.Width = 100;
  second.Height = 30;
  EXPECT_EQ(l.router.ControlAt(l.bx, l.by), &second);
  second.Enabled = false;
  EXPECT_EQ(l.router.ControlAt(l.bx, l.by), l.button.get());
}

TEST(Routing, AButtonCoversItsFirstAndLastPixelAndNotOneBeyond) {
  Layout l;
  // The button spans form columns 30 .. 129 and rows 60 .. 89 (the panel's place plus its own).
  struct TPoint {
    int X, Y;
    bool OnButton;
  };
  const TPoint points[] = {
      {30, 60, true},  {129, 89, true},  {30, 89, true},  {129, 60, true},  // its four corners
      {29, 70, false}, {130, 70, false}, {80, 59, false}, {80, 90, false},  // one pixel outside each edge
  };
  for (const TPoint& p : points) {
    const TControl* expected = p.OnButton ? static_cast<TControl*>(l.button.get()) : &l.paint;
    EXPECT_EQ(l.router.ControlAt(p.X, p.Y), expected) << "at " << p.X << "," << p.Y;
  }
  EXPECT_EQ(l.router.ControlAt(10, 10), &l.paint) << "the paint box's first pixel";
  EXPECT_EQ(l.router.ControlAt(409, 409), &l.paint) << "the paint box's last pixel";
  EXPECT_EQ(l.router.ControlAt(410, 409), nullptr) << "past the panel the form itself is hit";
  EXPECT_EQ(l.router.ControlAt(9, 10), nullptr);
}

namespace {

struct KeyFilterForm : TForm {
  std::vector<uint32_t> asked;
  bool WantChildKey(TControl&, TMessage& m) override {
    asked.push_back(static_cast<uint32_t>(m.WParam));
    return m.WParam == VK_MENU;
  }
};

}  // namespace

TEST(Routing, KeysForAChildPassTheFormsFilterFirst) {
  KeyFilterForm form;
  TPushButton button(&form);
  button.Width = button.Height = 10;
  int clicks = 0;
  button.OnClick = [&](TPushButton&) { ++clicks; };
  TInputRouter router(form);
  EXPECT_FALSE(router.Key(WM_KEYDOWN, VK_SPACE)) << "with no child focused the key is the form's";
  router.MouseDown(TMouseButton::Left, 0, 1, 1);
  router.MouseUp(TMouseButton::Left, 0, 1, 1);
  ASSERT_EQ(clicks, 1);
  EXPECT_TRUE(router.Key(WM_SYSKEYDOWN, VK_MENU));
  EXPECT_EQ(form.asked, std::vector<uint32_t>{VK_MENU});
  EXPECT_TRUE(router.Key(WM_KEYDOWN, VK_SPACE));
  EXPECT_TRUE(router.Key(WM_KEYUP, VK_SPACE));
  EXPECT_EQ(clicks, 2) << "Space on the focused button clicks it";
  EXPECT_TRUE(router.Key(WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(clicks, 3) << "Enter on the focused button clicks it";
  EXPECT_TRUE(router.Key(WM_KEYUP, VK_RETURN));
  EXPECT_EQ(clicks, 3) << "releasing Enter does not click again";
  EXPECT_EQ(form.asked.size(), 5u) << "every key message for the child must be offered to the form first";
}

TEST(Routing, KeyAndWheelListenersHearInTurnUntilOneTakesTheEvent) {
  Layout l;
  Events heard;
  const int menu = l.form.KeyPreview.Add([&heard](TInputRouter&, const TKeyEvent& key) {
    heard.push_back("menu " + std::to_string(key.VirtualKey));
    return key.VirtualKey == VK_ESCAPE;
  });
  l.form.KeyPreview.Add([&heard](TInputRouter&, const TKeyEvent& key) {
    heard.push_back("game " + std::to_string(key.VirtualKey));
    return false;
  });
  l.form.MouseWheel.Add([&heard](TInputRouter&, int notches, unsigned, int, int) {
    heard.push_back("wheel " + std::to_string(notches));
    return true;
  });
  l.form.MouseWheel.Add([&heard](TInputRouter&, int, unsigned, int, int) {
    heard.push_back("second wheel");
    return true;
  });
  l.router.KeyEvent(true, VK_ESCAPE, 0);
  l.router.KeyEvent(true, VK_SPACE, 0);
  l.form.KeyPreview.Remove(menu);
  l.router.KeyEvent(true, VK_ESCAPE, 0);
  l.router.MouseWheel(2, 0, 5, 5);
  EXPECT_EQ(heard, (Events{"menu 27", "menu 32", "game 32", "game 27", "wheel 2"}));
}
