// KeyNames -- the names of keys and pad buttons, and chords written with them.
#include "platform/KeyNames.h"

#include <utility>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Gamepad.h"

namespace Platform {

namespace {

// The keys and buttons with a name of their own; letters, digits and F1 .. F12 are named by
// range (KeyName). Other is a second spelling a chord may use (older replay scripts do).
struct TNamedKey {
  uint32_t Key;
  const char* Name;
  const char* Other = nullptr;
};
constexpr TNamedKey kNamed[] = {
    {VK_BACK, "Backspace"},
    {VK_TAB, "Tab"},
    {VK_RETURN, "Enter"},
    {VK_SHIFT, "Shift"},
    {VK_CONTROL, "Ctrl"},
    {VK_MENU, "Alt"},
    {VK_ESCAPE, "Esc", "Escape"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PageUp"},
    {VK_NEXT, "PageDown"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_GAMEPAD_A, "Pad A"},
    {VK_GAMEPAD_B, "Pad B"},
    {VK_GAMEPAD_X, "Pad X"},
    {VK_GAMEPAD_Y, "Pad Y"},
    {VK_GAMEPAD_RIGHT_SHOULDER, "Pad RB", "Pad RightShoulder"},
    {VK_GAMEPAD_LEFT_SHOULDER, "Pad LB", "Pad LeftShoulder"},
    {VK_GAMEPAD_DPAD_UP, "Pad Up"},
    {VK_GAMEPAD_DPAD_DOWN, "Pad Down"},
    {VK_GAMEPAD_DPAD_LEFT, "Pad Left"},
    {VK_GAMEPAD_DPAD_RIGHT, "Pad Right"},
    {VK_GAMEPAD_MENU, "Pad Start"},
    {VK_GAMEPAD_VIEW, "Pad Back"},
};

// The modifiers in the order a chord's name writes them, each with its own key.
constexpr std::pair<unsigned, uint32_t> kModifiers[] = {{ssCtrl, VK_CONTROL}, {ssAlt, VK_MENU}, {ssShift, VK_SHIFT}};

constexpr int kFunctionKeys = 12;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The code of that name, or 0. Every code is a byte, so the names are looked for among them.
uint32_t KeyNamed(std::string_view name) {
  if (name.empty()) return 0;  // the codes without a name
  for (uint32_t key = 1; key <= 0xFF; ++key) {
    if (SameName(KeyName(key), name)) return key;
  }
  for (const TNamedKey& named : kNamed) {
    if (named.Other != nullptr && SameName(named.Other, name)) return named.Key;
  }
  return 0;
}

unsigned OwnModifier(uint32_t key) {
  for (auto [bit, modifierKey] : kModifiers) {
    if (modifierKey == key) return bit;
  }
  return 0;
}

}  // namespace

std::string KeyName(uint32_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key < VK_F1 + kFunctionKeys) return "F" + std::to_string(key - VK_F1 + 1);
  for (const TNamedKey& named : kNamed) {
    if (named.Key == key) return named.Name;
  }
  return "";
}

std::string ChordName(TKeyChord chord) {
  std::string name;
  for (auto [bit, modifierKey] : kModifiers) {
    if ((chord.Modifiers & bit) != 0 && modifierKey != chord.Key) name += KeyName(modifierKey) + "+";
  }
  return name + KeyName(chord.Key);
}

bool ParseChord(std::string_view text, TKeyChord& chord, std::string& error) {
  chord = TKeyChord{};
  for (size_t plus = text.find('+'); plus != std::string_view::npos; plus = text.find('+')) {
    const std::string_view name = text.substr(0, plus);
    const unsigned bit = OwnModifier(KeyNamed(name));
    if (bit == 0) {
      error = "'" + std::string(name) + "' is no modifier (Ctrl, Alt, Shift)";
      return false;
    }
    chord.Modifiers |= bit;
    text.remove_prefix(plus + 1);
  }
  chord.Key = KeyNamed(text);
  if (chord.Key == 0) {
    error = text.empty() ? "a key's name is missing" : "no key is named '" + std::string(text) + "'";
    return false;
  }
  chord.Modifiers |= OwnModifier(chord.Key);
  return true;
}

bool IsPadButton(uint32_t key) { return key >= VK_GAMEPAD_A && key <= VK_GAMEPAD_VIEW; }

}  // namespace Platform
