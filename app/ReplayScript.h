// ReplayScript -- the replay script a person or a test writes: one command a line (press,
// click, frames, state, shot, key, hold, pad, wheel, hide, show, close, reload, save, load), "#"
// comments, blank lines ignored, UTF-8 text.
#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/Controls.h"

struct TReplayStep {
  enum TKind { Press, Click, Frames, State, Shot, Key, Pad, Wheel, Hide, Show, Close, Reload, Save, Load, Hold };
  TKind Kind = State;
  int Line = 0;      // of the script, for messages
  int X = 0, Y = 0;  // press: a play-area pixel
  Platform::TMouseButton Button = Platform::TMouseButton::Left;
  int Count = 0;            // frames; wheel: notches, positive up; hold: frames held
  std::string Text;         // click: the caption (CP932); shot: the file name; reload: the file or "" (UTF-8);
                            // save, load: the slot
  std::string KeyName;      // key, pad, hold: as written
  uint32_t VirtualKey = 0;  // key, pad, hold
  unsigned Shift = 0;       // key, hold: ssShift, ssCtrl, ssAlt held with it
};

// The most frames one command may ask for (about 85 minutes of play).
inline constexpr int MaxFramesPerStep = 100000;

// Reads the whole script. On a line it cannot read, false with errorLine and error set; the
// steps before it are kept.
bool ParseReplayScript(std::istream& in, std::vector<TReplayStep>& steps, int& errorLine, std::string& error);
