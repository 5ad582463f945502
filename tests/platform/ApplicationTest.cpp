// The message loop without a display: posted messages, waiting, and the top-level error handler.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Form.h"

using namespace Platform;

namespace {

struct RecordingForm : TForm {
  std::vector<uint32_t> received;
  void WndProc(TMessage& m) override {
    received.push_back(m.Msg);
    if (m.Msg == WM_USER + 1) throw std::runtime_error("【銀弾×１】は持てません");
    if (m.Msg == WM_USER + 2) Application.Terminate();
  }
};

// Every test starts from an empty queue and a running application.
struct Loop : ::testing::Test {
  TVirtualClock clock{1000};
  std::vector<std::string> errors;
  void SetUp() override {
    SetClock(&clock);
    Application.ResetTerminated();
    Application.OnException = [this](const std::string& text) { errors.push_back(text); };
  }
  void TearDown() override {
    Application.ProcessMessages();
    Application.OnException = nullptr;
    SetClock(nullptr);
  }
};

}  // namespace

TEST_F(Loop, PostedMessagesArriveLaterInOrder) {
  RecordingForm form;
  EXPECT_TRUE(PostMessageA(form.Handle(), WM_USER + 10, 0, 0));
  EXPECT_TRUE(PostMessageA(form.Handle(), WM_USER + 11, 0, 0));
  EXPECT_TRUE(form.received.empty()) << "posting must not call the window procedure at once";
  Application.ProcessMessages();
  EXPECT_EQ(form.received, (std::vector<uint32_t>{WM_USER + 10, WM_USER + 11}));
}

TEST_F(Loop, MessagesToAFormThatIsGoneAreDropped) {
  uint32_t handle;
  {
    RecordingForm gone;
    handle = gone.Handle();
    PostMessageA(handle, WM_USER, 0, 0);
  }
  Application.ProcessMessages();  // must not touch the destroyed form
  EXPECT_FALSE(PostMessageA(handle, WM_USER, 0, 0));
}

TEST_F(Loop, AnErrorInAHandlerIsReportedAndTheLoopGoesOn) {
  RecordingForm form;
  PostMessageA(form.Handle(), WM_USER + 1, 0, 0);
  PostMessageA(form.Handle(), WM_USER + 3, 0, 0);
  Application.ProcessMessages();
  EXPECT_EQ(errors, std::vector<std::string>{"【銀弾×１】は持てません"});
  EXPECT_EQ(form.received.back(), WM_USER + 3u) << "the message after the failing one was lost";
}

TEST_F(Loop, WithoutADisplayAnErrorGoesToStandardErrorInUtf8) {
  Application.OnException = nullptr;
  testing::internal::CaptureStderr();
  Application.HandleException(std::runtime_error("算術オーバーフローが発生しました。"));
  std::string out = testing::internal::GetCapturedStderr();
  std::string expected = reinterpret_cast<const char*>(u8"算術オーバーフローが発生しました。");
  EXPECT_NE(out.find(expected), std::string::npos) << "the CP932 text should reach standard error as UTF-8";
}

TEST_F(Loop, RunDeliversUntilTerminated) {
  RecordingForm form;
  PostMessageA(form.Handle(), WM_USER + 2, 0, 0);
  PostMessageA(form.Handle(), WM_USER + 5, 0, 0);
  Application.Run(form);
  EXPECT_TRUE(Application.Terminated());
  EXPECT_EQ(form.received.front(), WM_USER + 2u);
}

TEST_F(Loop, WaitingWithNothingToDoLetsTheVirtualClockRun) {
  EXPECT_FALSE(Application.WaitMessage(51));
  EXPECT_EQ(timeGetTime(), 1051u);
  RecordingForm form;
  PostMessageA(form.Handle(), WM_USER, 0, 0);
  EXPECT_TRUE(Application.WaitMessage(51)) << "a pending message must end the wait at once";
  EXPECT_EQ(timeGetTime(), 1051u);
}
