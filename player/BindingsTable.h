// BindingsTable -- the shape of the bindings table (player/Bindings.cpp), which the dispatch there
// and the key list (player/KeyHelp.cpp) both read. Nothing outside those two includes it.
#pragma once
#include <cstdint>
#include <span>

#include "platform/Input.h"
#include "platform/KeyNames.h"

constexpr unsigned kAnyModifiers = ~0U;  // the key held with any modifiers, or none

enum class TWhen {
  Always,         // whatever shows (over the key list: see OnKey)
  Playing,        // no overlay (the save/load view is one)
  PlayingFreely,  // no overlay and no idea button holds the focus (it takes Space and Enter)
  Backlog,        // the backlog shows
  SaveView,       // the save/load view shows
  Offer,          // no overlay, and the title offers to continue the autosave
  Authoring,      // a plain story source is played (--story)
  Window,         // the window's own (fullscreen): listed, never dispatched here
};

struct TBinding {
  Platform::TKeyChord Keys[5] = {};  // named by platform/KeyNames; a Key of 0 ends them
  TWhen When = TWhen::Playing;
  bool Repeats = false;  // a held key acts again at the keyboard's rate
  // A key of skip and auto mode: it leaves them to its actions. Any other key, click or pad
  // button stops them and does nothing else (OnKey).
  bool Steers = false;
  void (*Action)(Platform::TInputRouter& input, uint32_t key) = nullptr;  // the key pressed comes along
  // Called when the key is let go (whatever shows then): a held key's end, listed "(held)".
  void (*Released)(Platform::TInputRouter& input, uint32_t key) = nullptr;
  bool WithRowAbove = false;      // its keys listed with the row above's help
  const char* Also = nullptr;     // listed after the keys: what does the same without a key
  const char* English = nullptr;  // the help; nullptr: not listed
  const char* Japanese = nullptr;
};

// In the order the dispatch tries them and the key list shows them.
extern const std::span<const TBinding> BindingRows;
