// QuilTimer -- the table of periodic procedures and the loop that serves it.
#include "paint/QuilTimer.h"

#include <algorithm>

#include "app/QuilForm.h"
#include "platform/Application.h"
#include "platform/Clock.h"

using namespace Platform;

namespace {

std::vector<TQuilThread> table;
int pauses = 0;

// The longest wait when no entry will ever fall due: the loop still looks around now and then.
constexpr uint32_t kIdleWaitMs = 1000;

bool Held(const TQuilThread& t) { return pauses > 0 && !t.RunsWhilePaused; }
bool Live(const TQuilThread& t) { return t.Proc != nullptr && t.IntervalMs > 0 && !t.Removed && !Held(t); }

// Milliseconds until the first entry falls due (0: one is due now). Elapsed times are taken
// modulo 2^32, so the clock's wrap never skips a firing.
uint32_t TimeToNextDue(uint32_t now) {
  uint32_t wait = kIdleWaitMs;
  for (const TQuilThread& t : table) {
    if (!Live(t)) continue;
    uint32_t elapsed = now - t.LastTick;
    uint32_t period = static_cast<uint32_t>(t.IntervalMs);
    if (elapsed > period) return 0;
    wait = std::min(wait, period + 1 - elapsed);
  }
  return wait;
}

}  // namespace

std::vector<TQuilThread>& TQuilTimer::Threads() { return table; }

void TQuilTimer::Start(TQuilForm& form) {
  form.PostCall([](TQuilForm&, TMessage&) { RunLoop(); });
}

void TQuilTimer::Add(void (*proc)(), int32_t intervalMs, const std::string& name, bool runsWhilePaused) {
  table.push_back(TQuilThread{name, proc, intervalMs, timeGetTime(), false, runsWhilePaused});
}

void TQuilTimer::Pause() { ++pauses; }

void TQuilTimer::Resume() {
  if (pauses == 0) return;  // a Resume without its Pause leaves the others' pauses alone
  if (--pauses > 0) return;
  const uint32_t now = timeGetTime();
  for (TQuilThread& t : table) {
    if (!t.RunsWhilePaused) t.LastTick = now;
  }
}

bool TQuilTimer::Paused() { return pauses > 0; }

void TQuilTimer::Clear() { table.clear(); }

void TQuilTimer::Remove(void (*proc)()) {
  for (TQuilThread& t : table) {
    if (t.Proc == proc) t.Removed = true;
  }
}

void TQuilTimer::Purge() {
  table.erase(std::remove_if(table.begin(), table.end(), [](const TQuilThread& t) { return t.Removed; }), table.end());
}

void TQuilTimer::RunLoop() {
  for (;;) {
    Application.ProcessMessages();
    Purge();
    uint32_t now = timeGetTime();
    size_t count = table.size();
    // Entries added during the dispatch wait for the next pass; a procedure may also empty the
    // table, hence the second bound.
    for (size_t i = 0; i < count && i < table.size(); ++i) {
      TQuilThread& t = table[i];
      if (t.Proc == nullptr || t.IntervalMs <= 0 || Held(t)) continue;
      if (now - t.LastTick <= static_cast<uint32_t>(t.IntervalMs)) continue;
      void (*proc)() = t.Proc;
      proc();
      if (i < table.size()) table[i].LastTick = now;
    }
    if (Application.Terminated()) return;
    // The mended part: rather than polling, sleep until a message comes or an entry falls due.
    uint32_t wait = TimeToNextDue(timeGetTime());
    if (wait > 0) Application.WaitMessage(wait);
  }
}

void TQuilTimer::Startup() {
  Clear();
  pauses = 0;
  timeBeginPeriod(1);
}

void TQuilTimer::Shutdown() {
  timeEndPeriod(1);
  table.clear();
  table.shrink_to_fit();
}
