// QuilTimer -- the frame loop: a table of periodic procedures served by a loop that runs on
// the user-interface thread, started by a posted message and handling the window's messages
// between calls. The game registers one entry, the frame callback, every 50 ms.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TQuilForm;

// The game's beat: the frame callback's period, which what keeps pace with the frames shares.
inline constexpr int32_t FramePeriodMs = 50;

// One periodic procedure (not a thread, despite the name).
struct TQuilThread {
  std::string Name;              // a free label; nothing reads it back
  void (*Proc)() = nullptr;      // an entry without a procedure is skipped
  int32_t IntervalMs = 0;        // 0 or less: never fires
  uint32_t LastTick = 0;         // the clock at registration and at each firing
  bool Removed = false;          // dropped at the start of the next pass
  bool RunsWhilePaused = false;  // a timer of the shell's (a title message), not the game's beat
};

class TQuilTimer {
 public:
  TQuilTimer() = delete;

  // Hands RunLoop to the form's PostCall: the loop begins when the message loop dispatches
  // the call message. Returns at once.
  static void Start(TQuilForm& form);
  // Appends an entry with LastTick = the clock now.
  static void Add(void (*proc)(), int32_t intervalMs, const std::string& name, bool runsWhilePaused = false);
  static void Clear();
  // Marks every entry with this procedure removed (the next pass drops it, before dispatching).
  static void Remove(void (*proc)());
  // Drops the entries marked removed; the others keep their order.
  static void Purge();
  // Passes until the application is told to terminate (tested at the end of a pass): handle
  // every pending message, Purge, read the clock once, call each entry (of those present when
  // the dispatch began) whose time since LastTick is strictly more than its period and set its
  // LastTick to that reading. No catch-up. Between passes it waits for the next message or the
  // next due entry, whichever comes first, instead of spinning.
  static void RunLoop();

  // The pause is counted: each Pause holds the loop until its own Resume, whoever else pauses.
  // While paused the loop handles messages and calls only the entries that run while paused;
  // the last Resume starts the others' periods afresh, so no missed call is made up.
  static void Pause();
  static void Resume();
  static bool Paused();

  // The table itself, in registration order.
  static std::vector<TQuilThread>& Threads();

  // The unit's start (empty table, no pause, 1 ms timer resolution) and end.
  static void Startup();
  static void Shutdown();
};
