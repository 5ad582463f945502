// RoutePlayer -- see RoutePlayer.h.
#include "tests/story/RoutePlayer.h"

#include <fstream>
#include <sstream>

#include "game/Press.h"
#include "game/UnitMain.h"
#include "game/UnitMainEffects.h"
#include "game/UnitScript.h"
#include "paint/Random.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "platform/TextCodec.h"

namespace {

// A point of the play area right of the idea buttons' column (x 20 .. 119).
constexpr int PressX = 300;
constexpr int PressY = 200;

bool ToCp932(const std::string& utf8, std::string& cp932) {
  size_t bad = 0;
  return Platform::Utf8ToCp932(utf8, cp932, bad);
}

}  // namespace

bool ReadRoutes(const std::string& fileName, std::vector<TRoute>& routes, std::string& error) {
  std::ifstream in(fileName);
  if (!in) {
    error = "cannot read " + fileName;
    return false;
  }
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    if (raw.empty() || raw[0] == '#') continue;
    std::string line;
    if (!ToCp932(raw, line)) {
      error = fileName + ":" + std::to_string(number) + ": not CP932 text";
      return false;
    }
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    std::string rest;
    std::getline(words, rest);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);

    auto fail = [&](const std::string& why) {
      error = fileName;
      error.append(":").append(std::to_string(number)).append(": ").append(why);
      return false;
    };
    if (verb == "route") {
      routes.push_back({rest, {}});
      continue;
    }
    if (routes.empty()) return fail("an action before the first route");
    TRouteAction action;
    action.SourceLine = number;
    if (verb == "title") {
      action.Kind = TRouteAction::Title;
    } else if (verb == "press") {
      action.Kind = TRouteAction::Press;
      size_t blank = rest.find(' ');
      try {
        action.Count = std::stoi(rest.substr(0, blank));
      } catch (const std::exception&) {
        return fail("press needs a number of presses");
      }
      if (action.Count < 1) return fail("press needs at least one press");
      action.Text = blank == std::string::npos ? "" : rest.substr(blank + 1);
    } else if (verb == "click" || verb == "ending") {
      action.Kind = verb == "click" ? TRouteAction::Click : TRouteAction::Ending;
      if (rest.empty()) return fail(verb + " needs a text");
      action.Text = rest;
    } else if (verb == "dead") {
      action.Kind = TRouteAction::Dead;
    } else if (verb == "closed") {
      action.Kind = TRouteAction::Closed;
    } else {
      return fail("unknown action '" + Platform::Cp932ToUtf8(verb) + "'");
    }
    routes.back().Actions.push_back(action);
  }
  return true;
}

TStoryGame::TStoryGame() {
  SetRandomSeed(1);
  Platform::Application.ResetTerminated();
  IdeaPayableProc = CanPayForIdea;
  CreateIdeaButtons(page_, ClickIdeaButton);
  // The main form's start: the script set-up, a new game, and the first step under the title.
  ScriptSetup();
  ResetGame();
  std::string result;
  Script->Step(result);
}

TStoryGame::~TStoryGame() {
  ScriptTeardown();
  FreeIdeaButtons();
  Platform::Application.ResetTerminated();
}

void TStoryGame::Press() {
  ++Presses;
  PressPlayAreaAt(PressX, PressY);
}

bool TStoryGame::Click(const std::string& caption) {
  for (const auto& button : IdeaButtons) {
    if (button->Visible && button->Enabled && button->Caption == caption) {
      button->OnClick(*button);
      return true;
    }
  }
  return false;
}

std::string TStoryGame::NewestLine() { return ScriptLineCount > 0 ? ScriptLines[ScriptLineCount - 1] : ""; }

std::vector<std::string> TStoryGame::Captions() {
  std::vector<std::string> captions;
  for (const auto& button : IdeaButtons) {
    if (button->Visible) captions.push_back(button->Caption + (button->Enabled ? "" : "(greyed)"));
  }
  return captions;
}

std::string TStoryGame::Describe() {
  using Platform::Cp932ToUtf8;
  std::string text = "HP " + std::to_string(HP) + "/" + std::to_string(MaxHP) + ", " + Cp932ToUtf8("理力") + " " +
                     std::to_string(IdeaPower) + ", items [";
  for (int i = 0; i < ItemCount; ++i) text += (i > 0 ? " " : "") + Cp932ToUtf8(Items[i]);
  text += "], log [";
  for (int i = 0; i < MessageCount; ++i) text += (i > 0 ? " / " : "") + Cp932ToUtf8(Messages[i]);
  text += "], buttons [";
  std::vector<std::string> captions = Captions();
  for (size_t i = 0; i < captions.size(); ++i) text += (i > 0 ? " " : "") + Cp932ToUtf8(captions[i]);
  text += "], newest line: " + Cp932ToUtf8(NewestLine());
  return text;
}
