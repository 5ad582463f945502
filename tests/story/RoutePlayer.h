// RoutePlayer -- plays the shipped story through the real game rules without a window: the
// main form's start (ScriptSetup, ResetGame, one step), presses on the play area as the
// play-area handler makes them, and clicks on the idea buttons; and reads the written routes
// (tests/story/Routes.txt) that say which presses and clicks make up a play-through.
#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"

// One action of a route, as written in the routes file.
struct TRouteAction {
  enum TKind {
    Title,   // the press that dismisses the title
    Press,   // Count presses on the play area; the newest story line is then Text
    Click,   // click the idea button on screen with the caption Text
    Ending,  // the game is cleared with the ending message Text, ＨＰ above 0
    Dead,    // ＨＰ is 0 or below: the game-over screen
    Closed,  // the program has been told to end
  };
  TKind Kind = Press;
  int Count = 0;
  std::string Text;    // CP932
  int SourceLine = 0;  // line of the routes file, for failure messages
};

struct TRoute {
  std::string Name;  // CP932
  std::vector<TRouteAction> Actions;
};

// Reads the routes file (UTF-8). A line that cannot be read fails the read with its number.
bool ReadRoutes(const std::string& fileName, std::vector<TRoute>& routes, std::string& error);

// A game as the main form starts it: idea buttons on a play-area panel, the script engine with
// dat\story.crp.txt, a new game and its first step. The title is showing.
class TStoryGame {
 public:
  TStoryGame();
  ~TStoryGame();
  TStoryGame(const TStoryGame&) = delete;
  TStoryGame& operator=(const TStoryGame&) = delete;

  // A press on the play area, away from the idea buttons, through the play-area handler itself:
  // title, greyed-out button, game over, description view, or advance the story.
  void Press();
  // Clicks the first visible button with this caption; false when none is on screen.
  bool Click(const std::string& caption);

  // The newest story line on screen (empty when none is).
  static std::string NewestLine();
  // The game in the player's words, for failure messages (UTF-8).
  static std::string Describe();
  // Captions of the idea buttons on screen, in table order.
  static std::vector<std::string> Captions();

  int Presses = 0;  // presses on the play area, the title press included

 private:
  Platform::TPanel page_;
};
