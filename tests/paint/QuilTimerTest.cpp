// The frame loop on a virtual clock: when entries fire, and when the loop ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/QuilForm.h"
#include "paint/QuilTimer.h"
#include "platform/Application.h"
#include "platform/Clock.h"

using namespace Platform;

namespace {

// A clock that lets at most one millisecond pass per wait, so the loop makes a pass every
// millisecond, as the original polling loop would; it also counts the waits.
struct MillisecondClock : TVirtualClock {
  using TVirtualClock::TVirtualClock;
  bool oneAtATime = true;
  int waits = 0;
  void Idle(uint32_t ms) override {
    ++waits;
    Advance(oneAtATime ? 1 : ms);
    if (waits >= 100000) Application.Terminate();  // a loop that never ends fails rather than hangs
  }
};

MillisecondClock* clock_ = nullptr;
std::vector<std::string> log_;
int stopAfter_ = 0;

void Record(const char* who) {
  log_.push_back(std::string(who) + "@" + std::to_string(timeGetTime()));
  if (--stopAfter_ == 0) Application.Terminate();
}
void A() { Record("A"); }
void B() { Record("B"); }
void C() { Record("C"); }
void Slow() {
  Record("slow");
  clock_->Advance(120);
}

struct FrameLoop : ::testing::Test {
  MillisecondClock clock{0};
  TQuilForm form;
  std::vector<std::string> errors;
  void SetUp() override {
    clock_ = &clock;
    SetClock(&clock);
    log_.clear();
    stopAfter_ = 0;
    TQuilTimer::Startup();
    Application.ResetTerminated();
    Application.OnException = [this](const std::string& text) { errors.push_back(text); };
  }
  void TearDown() override {
    TQuilTimer::Shutdown();
    Application.OnException = nullptr;
    Application.ResetTerminated();
    SetClock(nullptr);
  }
  // Starts the loop the way the game does: through the form's posted call message.
  void Run(int firings) {
    stopAfter_ = firings;
    TQuilTimer::Start(form);
    Application.ProcessMessages();
  }
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(FrameLoop, FiresOnlyAfterMoreThanItsPeriodThenEveryPeriodPlusOne) {
  TQuilTimer::Add(A, 50, "");
  Run(3);
  EXPECT_EQ(log_, (Log{"A@51", "A@102", "A@153"})) << "a 50 ms entry must not fire at 50 ms";
}

TEST_F(FrameLoop, DoesNotStartBeforeTheCallMessageIsDispatched) {
  TQuilTimer::Add(A, 50, "");
  stopAfter_ = 1;
  TQuilTimer::Start(form);
  clock.Advance(500);
  EXPECT_TRUE(log_.empty()) << "Start must only post the call message";
  Application.ProcessMessages();
  EXPECT_EQ(log_, Log{"A@500"});
}

TEST_F(FrameLoop, ASlowCallbackDelaysTheNextWithoutCatchingUp) {
  TQuilTimer::Add(Slow, 50, "");
  Run(4);
  EXPECT_EQ(log_, (Log{"slow@51", "slow@171", "slow@291", "slow@411"}));
}

TEST_F(FrameLoop, EmptyAndNonPositiveEntriesNeverFireNorStopTheOthers) {
  TQuilTimer::Add(nullptr, 50, "empty");
  TQuilTimer::Add(B, 0, "zero");
  TQuilTimer::Add(B, -20, "negative");
  TQuilTimer::Add(A, 50, "");
  Run(2);
  EXPECT_EQ(log_, (Log{"A@51", "A@102"}));
}

TEST_F(FrameLoop, ThePassThatSeesTheQuitRequestStillCompletes) {
  TQuilTimer::Add(A, 50, "");
  TQuilTimer::Add(B, 50, "");
  Run(1);  // A asks to quit; B still fires in the same pass; nothing after it
  EXPECT_EQ(log_, (Log{"A@51", "B@51"}));
  EXPECT_TRUE(Application.Terminated());
}

namespace {
void RemoveB() {
  Record("A");
  TQuilTimer::Remove(B);
}
}  // namespace

TEST_F(FrameLoop, ARemovedEntryIsGoneBeforeTheNextDispatchAndTheRestKeepTheirOrder) {
  TQuilTimer::Add(RemoveB, 50, "");
  TQuilTimer::Add(B, 50, "");
  TQuilTimer::Add(C, 50, "");
  Run(5);
  // B was marked during the first pass, behind A: it still fires then, never again.
  EXPECT_EQ(log_, (Log{"A@51", "B@51", "C@51", "A@102", "C@102"}));
  ASSERT_EQ(TQuilTimer::Threads().size(), 2u);
  EXPECT_EQ(TQuilTimer::Threads()[1].Proc, &C);
}

namespace {
void AddDueEntry() {
  Record("A");
  if (TQuilTimer::Threads().size() == 1) TQuilTimer::Threads().push_back(TQuilThread{"late", B, 10, 0, false});
}
void ClearAll() {
  Record("A");
  TQuilTimer::Clear();
  Application.Terminate();
}
}  // namespace

TEST_F(FrameLoop, EntriesAddedDuringAPassWaitForTheNextPass) {
  TQuilTimer::Add(AddDueEntry, 50, "");
  clock.oneAtATime = false;
  Run(2);
  EXPECT_EQ(log_, (Log{"A@51", "B@51"}));
  // The late entry was due at once, yet it fired in the following pass (same millisecond,
  // since only the wait moves the virtual clock), not in the pass that added it.
}

TEST_F(FrameLoop, ClearingTheTableInsideACallbackIsSafe) {
  TQuilTimer::Add(ClearAll, 50, "");
  TQuilTimer::Add(B, 50, "");
  Run(0);
  EXPECT_EQ(log_, Log{"A@51"});
}

TEST_F(FrameLoop, WaitsForTheNextDueTimeInsteadOfSpinning) {
  TQuilTimer::Add(A, 50, "");
  clock.oneAtATime = false;
  Run(3);
  EXPECT_EQ(log_, (Log{"A@51", "A@102", "A@153"}));
  EXPECT_EQ(clock.waits, 3) << "one wait per frame; more means the loop spins";
}

TEST_F(FrameLoop, MessagesAreHandledBetweenFrames) {
  struct Poster : TQuilForm {
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_USER) log_.push_back("message@" + std::to_string(timeGetTime()));
      TQuilForm::WndProc(m);
    }
  } poster;
  TQuilTimer::Add(A, 50, "");
  stopAfter_ = 2;
  TQuilTimer::Start(poster);
  PostMessageA(poster.Handle(), WM_USER, 0, 0);
  Application.ProcessMessages();
  EXPECT_EQ(log_, (Log{"message@0", "A@51", "A@102"}));
}

TEST_F(FrameLoop, TheClocksWrapNeverSkipsAFiring) {
  clock.Set(0xFFFFFFF0u);
  TQuilTimer::Add(A, 50, "");
  Run(1);
  EXPECT_EQ(log_, Log{"A@35"});
}

namespace {
void Fails() {
  Record("A");
  throw std::runtime_error("【エラー】テスト");
}
}  // namespace

TEST_F(FrameLoop, AnErrorInACallbackEndsTheLoopAndIsReported) {
  TQuilTimer::Add(Fails, 50, "");
  Run(0);
  EXPECT_EQ(log_, Log{"A@51"});
  EXPECT_EQ(errors, std::vector<std::string>{"【エラー】テスト"});
  EXPECT_FALSE(Application.Terminated()) << "the application itself goes on";
}

TEST_F(FrameLoop, APauseIsCountedHoldsTheGameAndMakesUpNoMissedCall) {
  TQuilTimer::Add(A, 50, "");
  TQuilTimer::Add(B, 50, "a title message", true);
  TQuilTimer::Pause();
  TQuilTimer::Pause();
  Run(2);
  Application.ResetTerminated();
  TQuilTimer::Resume();  // one pause is still held
  Run(1);
  Application.ResetTerminated();
  TQuilTimer::Resume();
  Run(2);
  EXPECT_EQ(log_, (Log{"B@51", "B@102", "B@153", "A@204", "B@204"}))
      << "paused, only the entry that runs while paused fires; the game's comes a whole period after the last Resume";
}
