// UnitCommon -- start-up and shut-down wiring.
#include "app/UnitCommon.h"

#include "app/UnitForm.h"
#include "game/Press.h"
#include "game/UnitMainEffects.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "paint/Random.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintFrame.h"
#include "player/Player.h"

std::optional<uint32_t> FixedRandomSeed;

void GameSetup() {
  Randomize();
  if (FixedRandomSeed) SetRandomSeed(*FixedRandomSeed);
  // Only posts the form a message: the loop begins once the message loop runs.
  TQuilTimer::Start(*FormMain);
  IdeaPayableProc = CanPayForIdea;
  PaintSetup(FormMain->PageMain, FormMain->PaintMain, ClickIdeaButton);
  ScriptSetup();
  // The player's conveniences (keys, backlog, mute, ...): nothing of the game changes until used.
  PlayerSetup(*FormMain, FormMain->PageMain, FormMain->PaintMain);
  TQuilTimer::Add(FrameCallback, FramePeriodMs, "");
}

void GameTeardown() {
  PlayerFree();
  PaintFree();
  ScriptTeardown();
}
