// ScenarioFuzz -- a scenario loaded as the game loads it and played by presses, clicks and
// frames. The input's first line says what the player does, one byte an action; the rest are
// the scenario's lines (CP932), enciphered with the game's key for the loader.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "cipher/QuilCrypt.h"
#include "game/Press.h"
#include "game/UnitMain.h"
#include "game/UnitMainEffects.h"
#include "game/UnitScript.h"
#include "paint/Random.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

constexpr size_t MaxActions = 256;
const std::string Key = "fable.txt";

std::vector<std::string> SplitAtLineFeeds(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Action byte b: 0-2 a press on the story, 3 a press on the idea buttons' column, 4 a frame of
// the buttons' fall, 5-7 a click on button (b / 8) % 5 when it can be clicked.
void Act(unsigned char b) {
  int kind = b % 8;
  int arg = b / 8;
  if (kind <= 2) {
    PressPlayAreaAt(300, 200);
  } else if (kind == 3) {
    PressPlayAreaAt(20 + arg * 3, arg * 13);
  } else if (kind == 4) {
    MoveIdeaButtons();
  } else {
    auto& button = IdeaButtons[static_cast<size_t>(arg % IdeaButtonCount)];
    if (button->Visible && button->Enabled) button->OnClick(*button);
  }
}

void NoSound(const std::string&) {}

// The game's own reports (overflow, a bad number, an index out of range) reach the top-level
// handler and the game goes on; anything else is a fault.
template <typename Event>
void Reported(Event event) {
  try {
    event();
  } catch (const std::overflow_error&) {    // NOLINT(bugprone-empty-catch): reported, as the game does
  } catch (const std::invalid_argument&) {  // NOLINT(bugprone-empty-catch)
  } catch (const std::out_of_range&) {      // NOLINT(bugprone-empty-catch)
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  size_t firstEnd = text.find('\n');
  std::string actions = text.substr(0, firstEnd);
  std::vector<std::string> lines =
      firstEnd == std::string::npos ? std::vector<std::string>{} : SplitAtLineFeeds(text.substr(firstEnd + 1));
  if (actions.size() > MaxActions) actions.resize(MaxActions);

  std::string cipher;
  for (const std::string& line : TQuilCrypt::EncodeLines(lines, Key)) cipher += line + "\r\n";
  std::string file = Fuzz::WriteScratch(".crp.txt", cipher);

  // A new game as the main form starts one: set-up, reset, a first step under the title.
  Platform::TPanel page;
  SoundHook = NoSound;
  SetRandomSeed(1);
  Platform::Application.ResetTerminated();
  IdeaPayableProc = CanPayForIdea;
  CreateIdeaButtons(page, ClickIdeaButton);
  ScriptSetupFrom(file, Key);
  DescriptionTitle.clear();
  ResetGame();
  Reported([] {
    std::string result;
    Script->Step(result);
  });

  for (unsigned char b : actions) {
    if (Platform::Application.Terminated()) break;
    Reported([b] { Act(b); });
  }

  ScriptTeardown();
  FreeIdeaButtons();
  return 0;
}
