// KeyNames -- every key and pad button the program knows, by the name a person writes ("F5",
// "Backspace", "Pad A"), and chords of them with Ctrl, Alt and Shift ("Ctrl+Shift+S"). The key
// list, --help, the manual's and the README's key tables and the replay scripts all name keys
// through it. Read by player/Bindings, app/ReplayScript and tools/keys.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace Platform {

// A key (VK_...) or a pad's button (VK_GAMEPAD_...) with the modifiers held with it (ssCtrl,
// ssAlt, ssShift).
struct TKeyChord {
  uint32_t Key = 0;
  unsigned Modifiers = 0;
};

// The key's or button's name ("F5", "PageUp", "Pad RB"); "" for a code without one.
std::string KeyName(uint32_t key);

// The chord as a person writes it, its modifiers first in the order Ctrl, Alt, Shift
// ("Ctrl+Shift+S"); a modifier's own key is named once ("Ctrl", not "Ctrl+Ctrl").
std::string ChordName(TKeyChord chord);

// A chord as written: names in any case, modifiers in any order, each followed by '+', then the
// key ("shift+ctrl+s"). A modifier's key comes with its own modifier held, as the window reports
// it ("alt" is Alt held). False with error saying which name is unknown.
bool ParseChord(std::string_view text, TKeyChord& chord, std::string& error);

// True for a pad's button: its codes follow each other from VK_GAMEPAD_A to VK_GAMEPAD_VIEW.
bool IsPadButton(uint32_t key);

}  // namespace Platform
