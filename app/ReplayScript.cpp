// ReplayScript -- reading the replay script.
#include "app/ReplayScript.h"

#include <sstream>

#include "platform/Gamepad.h"
#include "platform/KeyNames.h"
#include "platform/TextCodec.h"
#include "player/SaveFiles.h"

namespace {

// A decimal integer, optionally negative, nothing else, that fits an int.
bool ReadInt(const std::string& word, int& value) {
  size_t i = word.size() > 1 && word[0] == '-' ? 1 : 0;
  if (i == word.size()) return false;
  long long v = 0;
  for (; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return false;
    v = v * 10 + (word[i] - '0');
    if (v > 1000000000LL) return false;
  }
  value = static_cast<int>(word[0] == '-' ? -v : v);
  return true;
}

// A pad's buttons as a script names them: their names without "Pad ", in lower case.
std::string PadButtonWords() {
  std::string words;
  for (uint32_t button = Platform::VK_GAMEPAD_A; Platform::IsPadButton(button); ++button) {
    std::string name = Platform::KeyName(button);
    if (name.empty()) continue;
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    words += (words.empty() ? "" : ", ") + name.substr(name.find(' ') + 1);
  }
  return words;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

// One command line (comment and line end removed, not blank). False with error set.
bool ParseStep(const std::string& text, TReplayStep& step, std::string& error) {
  std::vector<std::string> words = Words(text);
  const std::string& verb = words[0];
  size_t args = words.size() - 1;
  auto fail = [&](const std::string& why) {
    error = why;
    return false;
  };
  if (verb == "press") {
    step.Kind = TReplayStep::Press;
    if (args < 2 || args > 3) return fail("press needs X Y and at most a button: press X Y [left|right|middle]");
    if (!ReadInt(words[1], step.X) || !ReadInt(words[2], step.Y)) return fail("press: X and Y must be whole numbers");
    if (args == 3) {
      if (words[3] == "left") {
        step.Button = Platform::TMouseButton::Left;
      } else if (words[3] == "right") {
        step.Button = Platform::TMouseButton::Right;
      } else if (words[3] == "middle") {
        step.Button = Platform::TMouseButton::Middle;
      } else {
        return fail("press: the button is left, right or middle, not '" + words[3] + "'");
      }
    }
  } else if (verb == "click") {
    step.Kind = TReplayStep::Click;
    std::string caption = Trim(text.substr(text.find("click") + 5));
    if (caption.empty()) return fail("click needs the caption of an idea button");
    size_t bad = 0;
    if (!Platform::Utf8ToCp932(caption, step.Text, bad))
      return fail("click: the caption is not text of the game's code page");
  } else if (verb == "frames") {
    step.Kind = TReplayStep::Frames;
    if (args != 1 || !ReadInt(words[1], step.Count) || step.Count < 0 || step.Count > MaxFramesPerStep) {
      return fail("frames needs one count from 0 to " + std::to_string(MaxFramesPerStep));
    }
  } else if (verb == "state" || verb == "close") {
    step.Kind = verb == "state" ? TReplayStep::State : TReplayStep::Close;
    if (args != 0) return fail(verb + " takes nothing after it");
  } else if (verb == "shot") {
    step.Kind = TReplayStep::Shot;
    if (args != 1) return fail("shot needs one file name (without blanks)");
    step.Text = words[1];
    // Screenshots stay in the shots folder.
    if (step.Text.find('/') != std::string::npos || step.Text == "." || step.Text == "..") {
      return fail("shot: '" + step.Text + "' must be a plain file name, without a folder");
    }
  } else if (verb == "key" || verb == "hold") {
    // key CHORD and hold CHORD FRAMES: a key as the key list names it, modifiers before it.
    const bool key = verb == "key";
    step.Kind = key ? TReplayStep::Key : TReplayStep::Hold;
    if (key ? args != 1
            : args != 2 || !ReadInt(words[2], step.Count) || step.Count < 0 || step.Count > MaxFramesPerStep) {
      return fail(key ? "key needs one key's name: key f1, key ctrl+u"
                      : "hold needs a key and a count of frames from 0 to " + std::to_string(MaxFramesPerStep));
    }
    step.KeyName = words[1];
    Platform::TKeyChord chord;
    std::string why;
    if (!Platform::ParseChord(step.KeyName, chord, why)) return fail(verb + ": " + why);
    step.VirtualKey = chord.Key;
    step.Shift = chord.Modifiers;
  } else if (verb == "pad") {
    step.Kind = TReplayStep::Pad;
    Platform::TKeyChord chord;
    std::string why;
    if (args != 1) return fail("pad needs one button's name: " + PadButtonWords());
    if (!Platform::ParseChord("Pad " + words[1], chord, why) || chord.Modifiers != 0) {
      return fail("pad: " + PadButtonWords() + ", not '" + words[1] + "'");
    }
    step.KeyName = words[1];
    step.VirtualKey = chord.Key;
  } else if (verb == "wheel") {
    step.Kind = TReplayStep::Wheel;
    int notches = 1;
    if (args < 1 || args > 2 || (words[1] != "up" && words[1] != "down") ||
        (args == 2 && (!ReadInt(words[2], notches) || notches < 1 || notches > MaxFramesPerStep))) {
      return fail("wheel needs up or down and at most a count from 1 to " + std::to_string(MaxFramesPerStep));
    }
    step.Count = words[1] == "up" ? notches : -notches;
  } else if (verb == "reload") {
    step.Kind = TReplayStep::Reload;
    if (args > 1) return fail("reload takes at most one file name: reload [FILE2]");
    if (args == 1) step.Text = words[1];
  } else if (verb == "hide" || verb == "show") {
    step.Kind = verb == "hide" ? TReplayStep::Hide : TReplayStep::Show;
    if (args != 0) return fail(verb + " takes nothing after it");
  } else if (verb == "save" || verb == "load") {
    step.Kind = verb == "save" ? TReplayStep::Save : TReplayStep::Load;
    int slot = 0;
    if (args != 1 || !ReadInt(words[1], slot) || slot < 1 || slot > SaveSlotCount) {
      return fail(verb + " needs one slot from 1 to " + std::to_string(SaveSlotCount));
    }
    step.Text = std::to_string(slot);
  } else {
    return fail("unknown command '" + verb +
                "' (press, click, frames, state, shot, key, hold, pad, wheel, hide, show, close, reload, save, load)");
  }
  return true;
}

}  // namespace

bool ParseReplayScript(std::istream& in, std::vector<TReplayStep>& steps, int& errorLine, std::string& error) {
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    // No byte of a multi-byte UTF-8 character is '#', so the first one starts the comment.
    std::string text = Trim(raw.substr(0, raw.find('#')));
    if (text.empty()) continue;
    TReplayStep step;
    step.Line = number;
    if (!ParseStep(text, step, error)) {
      errorLine = number;
      return false;
    }
    steps.push_back(step);
  }
  return true;
}
