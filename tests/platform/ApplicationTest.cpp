// The message loop without a display: posted messages, waiting, and the top-level error handler.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
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

// The frame loop fires every 50 of these units: counted in anything but milliseconds, the game
// would draw at another pace. Measured against a real sleep; the upper bound only catches a
// wrong unit, not a slow machine.
TEST(RealClock, CountsMillisecondsOfARealSleep) {
  SetClock(nullptr);
  const uint32_t before = timeGetTime();
  timespec pause{0, 200 * 1000000};
  while (nanosleep(&pause, &pause) != 0) {
  }
  const uint32_t elapsed = timeGetTime() - before;
  EXPECT_GE(elapsed, 199u) << "a sleep of 200 ms";
  EXPECT_LT(elapsed, 2000u) << "a sleep of 200 ms";

  // The frame loop waits for the millisecond its entry is due: a clock that moved in steps of
  // 10 would make every 50 ms frame 60. Read without pause, the clock's changes include single
  // steps, however busy the machine.
  uint32_t smallest = UINT32_MAX;
  for (uint32_t last = timeGetTime(), changes = 0; changes < 20;) {
    const uint32_t now = timeGetTime();
    if (now == last) continue;
    smallest = std::min(smallest, now - last);
    last = now;
    ++changes;
  }
  EXPECT_EQ(smallest, 1u) << "the clock moves in steps of " << smallest << " ms";
}
