// StoryRoutesTest -- the shipped story played through the real game rules, press by press:
// the written routes reach both endings alive and the careless one dies, and a player who
// takes every item the story offers never overfills the inventory.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "game/GameTexts.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "platform/TextCodec.h"
#include "tests/BuildPaths.h"
#include "tests/story/RoutePlayer.h"

namespace {

using Platform::Cp932ToUtf8;

std::vector<TRoute> WrittenRoutes() {
  std::vector<TRoute> routes;
  std::string error;
  EXPECT_TRUE(ReadRoutes(BuildPaths::Routes, routes, error)) << error;
  return routes;
}

// Five buttons is all the table holds between two presses; the story keeps one spare, so a
// sixth spawn is never near.
void ExpectButtonToSpare(const std::string& when) {
  EXPECT_LT(NextIdeaButton, IdeaButtonCount)
      << "all five idea buttons fell " << when << ": one more would have been lost; " << TStoryGame::Describe();
}

void PlayRoute(const TRoute& route) {
  TStoryGame game;
  for (const TRouteAction& action : route.Actions) {
    SCOPED_TRACE("Routes.txt:" + std::to_string(action.SourceLine) + ", after press " + std::to_string(game.Presses));
    const std::string text = Cp932ToUtf8(action.Text);
    switch (action.Kind) {
      case TRouteAction::Title:
        ASSERT_TRUE(TitleShowing) << "the title should be showing";
        game.Press();
        ASSERT_FALSE(TitleShowing);
        break;
      case TRouteAction::Press:
        for (int i = 0; i < action.Count; ++i) {
          ASSERT_GT(HP, 0) << "the hero died before press " << game.Presses + 1 << "; " << TStoryGame::Describe();
          game.Press();
          ExpectButtonToSpare("during press " + std::to_string(game.Presses));
        }
        ASSERT_EQ(Cp932ToUtf8(TStoryGame::NewestLine()), text)
            << "the story is elsewhere than the route says; " << TStoryGame::Describe();
        break;
      case TRouteAction::Click:
        ASSERT_TRUE(game.Click(action.Text)) << "no usable " << text << " button; " << TStoryGame::Describe();
        ExpectButtonToSpare("after clicking " + text);
        break;
      case TRouteAction::Ending: {
        EXPECT_EQ(Encounter, EncounterCleared) << "the game is not cleared; " << TStoryGame::Describe();
        bool shown = std::find(Messages.begin(), Messages.begin() + MessageCount, action.Text) !=
                     Messages.begin() + MessageCount;
        EXPECT_TRUE(shown) << "the ending message " << text << " is not shown; " << TStoryGame::Describe();
        EXPECT_GT(HP, 0) << "the hero reached the ending dead";
        break;
      }
      case TRouteAction::Dead:
        EXPECT_LE(HP, 0) << "the hero should have died; " << TStoryGame::Describe();
        break;
      case TRouteAction::Closed:
        EXPECT_TRUE(Platform::Application.Terminated()) << "the story did not close the program";
        break;
    }
  }
}

TEST(StoryRoutes, RoutesReachBothEndingsAndADeath) {
  std::vector<TRoute> routes = WrittenRoutes();
  std::set<std::string> endings;
  int deaths = 0;
  for (const TRoute& route : routes) {
    for (const TRouteAction& action : route.Actions) {
      if (action.Kind == TRouteAction::Ending) endings.insert(action.Text);
      if (action.Kind == TRouteAction::Dead) ++deaths;
    }
  }
  EXPECT_EQ(endings.size(), 2u) << "one ending in each world";
  EXPECT_GE(deaths, 1) << "a careless route must die";
}

TEST(StoryRoutes, EveryRoutePlaysAsWritten) {
  for (const TRoute& route : WrittenRoutes()) {
    SCOPED_TRACE("route " + Cp932ToUtf8(route.Name));
    PlayRoute(route);
  }
}

// 理力 never comes back, so a first play must know the budget before it can spend any: the
// story tells what there is and how many clicks the end needs before the first button falls.
TEST(StoryRoutes, TheBudgetIsToldBeforeTheFirstButtonFalls) {
  TStoryGame game;
  game.Press();  // the title
  bool toldPower = false;
  bool toldNeed = false;
  while (game.Presses < 100 && TStoryGame::Captions().empty()) {
    toldPower = toldPower || TStoryGame::NewestLine().find("理力ははじめ七つ") != std::string::npos;
    toldNeed = toldNeed || TStoryGame::NewestLine().find("★が六つ要る") != std::string::npos;
    game.Press();
  }
  ASSERT_FALSE(TStoryGame::Captions().empty()) << "no idea button fell in the first 100 presses";
  EXPECT_TRUE(toldPower) << Cp932ToUtf8(TStoryGame::Captions().front()) << " fell before the story told the budget";
  EXPECT_TRUE(toldNeed) << Cp932ToUtf8(TStoryGame::Captions().front()) << " fell before the story told the six needed";
}

// A player with 理力 to spare who clicks every chest, statue and attack the story offers
// (and ★デ・デ, ★死殺 and the first of ファロウ's offers). 理力 is topped up before each
// click: the inventory bound must hold whatever the player can afford.
struct TGreedyResult {
  bool Cleared = false;
  int MostItems = 0;
  std::set<std::string> Gained;
};

TGreedyResult PlayGreedily(bool freePrincess) {
  const std::vector<std::string> wanted = {CaptionSlash, CaptionSilverBullet, CaptionKey,       CaptionDispel,
                                           CaptionGrasp, CaptionDeDeforce,    CaptionDeathKill, CaptionBindAlone};
  TGreedyResult outcome;
  TStoryGame game;
  game.Press();  // the title
  while (game.Presses < 1000 && HP > 0 && Encounter != EncounterCleared) {
    game.Press();
    ExpectButtonToSpare("during press " + std::to_string(game.Presses));
    for (const std::string& caption : wanted) {
      if (caption == CaptionDispel && StoneName == "フィア" && !freePrincess) continue;
      IdeaPower = 7;
      EXPECT_NO_THROW(game.Click(caption)) << "press " << game.Presses << ": " << TStoryGame::Describe();
      ExpectButtonToSpare("after clicking " + Cp932ToUtf8(caption));
    }
    for (int i = 0; i < ItemCount; ++i) outcome.Gained.insert(Items[i]);
    outcome.MostItems = std::max(outcome.MostItems, static_cast<int>(ItemCount));
  }
  outcome.Cleared = Encounter == EncounterCleared && HP > 0;
  return outcome;
}

TEST(StoryRoutes, TakingEveryItemNeverOverfillsTheInventory) {
  TGreedyResult town = PlayGreedily(false);
  EXPECT_TRUE(town.Cleared) << "without the princess the greedy player should clear the town";
  EXPECT_LE(town.MostItems, MaxItems);
  TGreedyResult real = PlayGreedily(true);
  EXPECT_TRUE(real.Cleared) << "with the princess the greedy player should clear the real world";
  EXPECT_LE(real.MostItems, MaxItems);

  // Between them the two worlds give every item of the catalogue.
  std::set<std::string> gained = town.Gained;
  gained.insert(real.Gained.begin(), real.Gained.end());
  for (const TCatalogueEntry& entry : ItemCatalogue) {
    EXPECT_TRUE(gained.count(entry.Name) > 0) << Cp932ToUtf8(entry.Name) << " is never gained";
  }
}

}  // namespace
