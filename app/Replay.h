// Replay -- runs the steps of a replay script on the in-process game (TGameHarness) and prints
// what the script asks to see: state blocks, and screenshots written as PNG files.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "app/Harness.h"
#include "app/ReplayScript.h"

// The game as it stands, in UTF-8, one "key: value" a line between "--- state" and "---".
std::string GameStateBlock();

struct TReplayResult {
  enum TOutcome {
    Finished,    // every step ran
    Terminated,  // the program was told to end ("#finish", "★退出", close); later steps did not run
    Failed,      // a step could not be done
  };
  TOutcome Outcome = Finished;
  int Line = 0;       // the failed step's script line
  std::string Error;  // why, in UTF-8
};

// Runs the steps in order, state blocks and "terminated" to out, screenshots into shotsDir.
TReplayResult RunReplay(TGameHarness& game, const std::vector<TReplayStep>& steps, const std::string& shotsDir,
                        std::ostream& out);
