// GameFixture -- a fresh game for every test: the five idea buttons on a play-area panel,
// a fixed random seed, the sounds played recorded, and helpers that speak in the game's terms.
#pragma once
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cipher/QuilCrypt.h"
#include "game/GameTexts.h"
#include "game/Press.h"
#include "game/UnitEnemy.h"
#include "game/UnitMain.h"
#include "game/UnitMainEffects.h"
#include "game/UnitScript.h"
#include "paint/Random.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintState.h"
#include "platform/Application.h"
#include "platform/TextCodec.h"
#include "tests/TestSupport.h"

inline std::vector<std::string>& SoundsPlayed() {
  static std::vector<std::string> sounds;
  return sounds;
}

// The message log as the player sees it.
inline std::string Log() {
  std::string text = "log:";
  for (int i = 0; i < MessageCount; ++i) text += " [" + U8(Messages[i]) + "]";
  return text;
}

class GameFixture : public ::testing::Test {
 protected:
  Platform::TPanel Page;

  void SetUp() override {
    SetRandomSeed(20240601);
    IdeaPayableProc = CanPayForIdea;
    CreateIdeaButtons(Page, ClickIdeaButton);
    SoundHook = [](const std::string& fileName) { SoundsPlayed().push_back(fileName); };
    ResetGame();
    TitleShowing = false;
    SoundsPlayed().clear();
    Platform::Application.ResetTerminated();
  }

  void TearDown() override {
    ScriptTeardown();
    FreeIdeaButtons();
    SoundHook = nullptr;
    Platform::Application.ResetTerminated();
    if (!ScenarioFile.empty()) std::filesystem::remove(ScenarioFile);
  }

  // Puts items in the inventory without the gain's message and button.
  static void Hold(const std::vector<std::string>& names) {
    for (const std::string& name : names) Items[ItemCount++] = name;
  }

  // An enemy standing, as "#xxenemy" leaves it, without the announcement.
  static void Stand(const std::string& kind, const std::string& name, int32_t power, const std::string& drop = "") {
    SetEnemy(kind, name, power, drop);
    Encounter = EncounterEnemy;
  }

  // Captions of the visible idea buttons, in table order.
  static std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (const auto& button : IdeaButtons) {
      if (button->Visible) captions.push_back(button->Caption);
    }
    return captions;
  }

  static std::string CaptionsText() {
    std::string text;
    for (const std::string& c : Captions()) text += U8(c) + " ";
    return "buttons on screen: [" + text + "]";
  }

  static std::vector<std::string> LogLines() { return {Messages.begin(), Messages.begin() + MessageCount}; }

  // Clicks the visible button with this caption (the first, in table order).
  static void Click(const std::string& caption) {
    for (const auto& button : IdeaButtons) {
      if (button->Visible && button->Caption == caption) {
        button->OnClick(*button);
        return;
      }
    }
    FAIL() << "no " << U8(caption) << " button on screen; " << CaptionsText();
  }

  // A press on the play area that advances the story.
  static void Press() {
    ShatterIdeaButtons();
    BattleTurn();
    if (Script != nullptr) {
      std::string result;
      Script->Step(result);
    }
  }

  // Sets up the engine as the game does, on a scenario of these lines (UTF-8 free: CP932).
  void LoadStory(const std::vector<std::string>& lines) {
    ScenarioFile =
        (std::filesystem::temp_directory_path() / ("farrow-game-" + std::to_string(::getpid()) + ".crp.txt")).string();
    std::ofstream out(ScenarioFile, std::ios::binary);
    for (const std::string& line : TQuilCrypt::EncodeLines(lines, "fable.txt")) out << line << "\r\n";
    out.close();
    ScriptSetupFrom(ScenarioFile, "fable.txt");
    ASSERT_GT(Script->LineCount, 1) << "the test scenario did not load";
    JumpToStart();
  }

  std::string ScenarioFile;
};
