// The base form: the deferred call, the Alt/F10 filter and the layout helpers.
#include <gtest/gtest.h>

#include "app/QuilForm.h"
#include "platform/Application.h"

using namespace Platform;

namespace {

int calls_ = 0;
uint32_t lastMessage_ = 0;
void Called(TQuilForm&, TMessage& m) {
  ++calls_;
  lastMessage_ = m.Msg;
}

struct Counting : TQuilForm {
  int other = 0;
  void DefaultHandler(TMessage&) override { ++other; }
};

}  // namespace

TEST(QuilForm, PostCallRunsTheProcedureOnlyWhenTheMessageIsDispatched) {
  calls_ = 0;
  Counting form;
  EXPECT_FALSE(form.HandleAllocated());
  form.PostCall(Called);
  EXPECT_TRUE(form.HandleAllocated()) << "PostCall before the window exists must create it";
  EXPECT_EQ(calls_, 0);
  Application.ProcessMessages();
  EXPECT_EQ(calls_, 1);
  EXPECT_EQ(lastMessage_, 1034u);
  EXPECT_EQ(form.other, 0) << "the call message must not reach the default handling";
  PostMessageA(form.Handle(), WM_USER + 11, 0, 0);
  Application.ProcessMessages();
  EXPECT_EQ(form.other, 1) << "other messages go on to the default handling";
  EXPECT_EQ(calls_, 1);
}

TEST(QuilForm, AltAndF10AreSwallowedOtherKeysPass) {
  TQuilForm form;
  TPushButton child(&form);
  TMessage alt{WM_SYSKEYDOWN, VK_MENU, 0, 0}, f10{WM_SYSKEYDOWN, VK_F10, 0, 0}, space{WM_KEYDOWN, VK_SPACE, 0, 0};
  EXPECT_TRUE(form.WantChildKey(child, alt));
  EXPECT_TRUE(form.WantChildKey(child, f10));
  EXPECT_FALSE(form.WantChildKey(child, space));
}

TEST(QuilForm, ClientSizeAndCentringUseTheOuterSize) {
  TQuilForm form;
  form.Width = 739;  // whatever the layout said
  form.SetClientSize(400, 400);
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 400);
  Screen = TScreen{1024, 768};
  form.CenterOnScreen();
  EXPECT_EQ(form.Left, (1024 - form.Width) / 2);
  EXPECT_EQ(form.Top, (768 - form.Height) / 2);
  form.SetClientSize(1201, 300);
  form.CenterOnScreen();
  EXPECT_LT(form.Left, 0) << "a form wider than the screen starts left of it";
  EXPECT_EQ(form.Left, (1024 - form.Width) / 2) << "division truncates toward zero";
}

TEST(QuilForm, ShowPageFitsAndShowsOnlyTheFormsOwnPagePanels) {
  TQuilForm form;
  form.SetClientSize(400, 400);
  TPanel main(&form), other(&form), lower(&form), inner(&main);
  TPaintBox paint(&main);
  main.Name = "PageMain";
  other.Name = "PageX";
  lower.Name = "pageX";
  inner.Name = "PageY";
  main.Visible = false;
  for (TPanel* p : {&main, &other, &lower, &inner}) {
    p->Left = 24;
    p->Top = 34;
    p->Width = 600;
    p->Height = 500;
  }
  form.ShowPage(main);
  EXPECT_EQ(form.Pages, (std::vector<TControl*>{&main, &other}));
  EXPECT_TRUE(main.Visible);
  EXPECT_FALSE(other.Visible);
  EXPECT_EQ(main.Left, 0);
  EXPECT_EQ(main.Width, 400);
  EXPECT_EQ(other.Height, 400);
  EXPECT_TRUE(lower.Visible) << "'pageX' is not a page: the name test is case-sensitive";
  EXPECT_EQ(lower.Width, 600);
  EXPECT_EQ(inner.Width, 600) << "a page panel inside another panel is not the form's";
  form.FitToParent(paint);
  EXPECT_EQ(paint.Left, 0);
  EXPECT_EQ(paint.Width, 400);
  EXPECT_EQ(paint.Height, 400);
}
