// Replay -- the steps of a replay script, run on the game.
#include "app/Replay.h"

#include <cstdlib>
#include <exception>

#include "author/LiveStory.h"
#include "game/UnitEnemy.h"
#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "paint/UnitPaint.h"
#include "platform/Files.h"
#include "platform/ImageFile.h"
#include "platform/TextCodec.h"
#include "player/Notice.h"
#include "player/Player.h"
#include "player/PlayerSave.h"
#include "player/SaveFiles.h"
#include "player/SaveMenu.h"

using Platform::Cp932ToUtf8;

std::string GameStateBlock() {
  std::string s = "--- state\n";
  auto line = [&s](const std::string& key, const std::string& value) { s += key + ": " + value + "\n"; };
  line("title", TitleShowing ? "yes" : "no");
  line("hp", std::to_string(HP) + "/" + std::to_string(MaxHP));
  line("idea", std::to_string(IdeaPower));
  line("items", std::to_string(ItemCount));
  for (int i = 0; i < ItemCount && i < MaxItems; ++i) line("item", Cp932ToUtf8(Items[i]));
  line("encounter", Cp932ToUtf8(Encounter));
  line("enemy", Cp932ToUtf8(DescribeEnemy()));
  line("lines", std::to_string(ScriptLineCount));
  for (int i = 0; i < ScriptLineCount && i < MaxScriptLines; ++i) line("line", Cp932ToUtf8(ScriptLines[i]));
  line("messages", std::to_string(MessageCount));
  for (int i = 0; i < MessageCount && i < MaxMessages; ++i) line("message", Cp932ToUtf8(Messages[i]));
  line("description", Cp932ToUtf8(DescriptionTitle));
  for (int i = 0; i < IdeaButtonCount; ++i) {
    const auto& button = IdeaButtons[i];
    if (button == nullptr || !button->Showing()) continue;
    line("button", std::to_string(i) + " " + Cp932ToUtf8(button->Caption) + " top=" + std::to_string(button->Top) +
                       (button->Enabled ? " enabled" : " disabled"));
  }
  line("script", Script != nullptr && !Script->IsEnded() ? "running" : "ended");
  line("world", ShatterActive ? "broken" : "normal");
  // What the player's conveniences add, only while they are in use.
  TBacklogView backlog = Backlog();
  if (backlog.Open) {
    line("backlog", std::to_string(backlog.First) + "/" + std::to_string(backlog.Count));
    for (const std::string& text : backlog.Lines) line("backlog-line", Cp932ToUtf8(text));
  }
  if (Muted()) line("muted", "yes");
  if (*PlayMode() != '\0') line("mode", PlayMode());
  if (int chosen = PadChoice(); chosen > 0) line("pad-choice", std::to_string(chosen));
  if (SaveMenuOpen()) line("saves", std::string(SaveMenuSaving() ? "save " : "load ") + SaveMenuChoice());
  if (const std::string notice = NoticeText(); !notice.empty()) line("notice", Cp932ToUtf8(notice));
  return s + "---\n";
}

namespace {

std::string ClickRefusal(TGameHarness::TIdeaClick outcome, const std::string& caption) {
  std::string button = "idea button " + Cp932ToUtf8(caption);
  switch (outcome) {
    case TGameHarness::TIdeaClick::NotShown:
      return "no " + button + " on screen";
    case TGameHarness::TIdeaClick::AbovePlayArea:
      return button + " is still above the play area (let it fall a few frames)";
    case TGameHarness::TIdeaClick::BelowPlayArea:
      return button + " has fallen out of the play area";
    case TGameHarness::TIdeaClick::GreyedOut:
      return button + " is greyed out (nothing to pay with)";
    case TGameHarness::TIdeaClick::Covered:
      return button + " is covered by another control";
    case TGameHarness::TIdeaClick::Clicked:
      break;
  }
  return "";
}

// One step. False with error set when it cannot be done.
bool RunStep(TGameHarness& game, const TReplayStep& step, const std::string& shotsDir, std::ostream& out,
             std::string& error) {
  switch (step.Kind) {
    case TReplayStep::Press: {
      const auto& area = game.Form().PaintMain;
      if (step.X < 0 || step.Y < 0 || step.X >= area.Width || step.Y >= area.Height) {
        error = "press: (" + std::to_string(step.X) + ", " + std::to_string(step.Y) + ") lies outside the " +
                std::to_string(area.Width) + " x " + std::to_string(area.Height) + " play area";
        return false;
      }
      game.Press(step.X, step.Y, step.Button);
      return true;
    }
    case TReplayStep::Click: {
      TGameHarness::TIdeaClick outcome = game.ClickIdeaButton(step.Text);
      error = ClickRefusal(outcome, step.Text);
      return outcome == TGameHarness::TIdeaClick::Clicked;
    }
    case TReplayStep::Frames:
      game.RunFrames(step.Count);
      return true;
    case TReplayStep::State:
      out << GameStateBlock();
      return true;
    case TReplayStep::Shot: {
      Platform::TBitmap shot;
      game.Screenshot(shot);
      try {
        Platform::SavePngFile(shot, Platform::JoinPath(shotsDir, step.Text));
      } catch (const std::exception& e) {
        error = e.what();
        return false;
      }
      return true;
    }
    case TReplayStep::Key:
      game.PressKey(step.VirtualKey, step.Shift);
      return true;
    case TReplayStep::Hold:
      game.HoldKey(step.VirtualKey, step.Shift, step.Count);
      return true;
    case TReplayStep::Pad:
      if (game.PressPadButton(step.VirtualKey, error)) return true;
      error = "pad: no pad to press: " + error;
      return false;
    case TReplayStep::Wheel:
      for (int i = 0; i < std::abs(step.Count); ++i) game.TurnWheel(step.Count > 0 ? 1 : -1);
      return true;
    case TReplayStep::Hide:
      game.Minimize();
      return true;
    case TReplayStep::Show:
      game.Restore();
      return true;
    case TReplayStep::Close:
      game.CloseWindow();
      return true;
    case TReplayStep::Reload:
      if (!Story::PlayingStory()) {
        error = "reload: the game plays no --story";
        return false;
      }
      Story::ReloadStory(game.Form(), step.Text);  // a failing text keeps the old story, as in the game
      return true;
    case TReplayStep::Save:
    case TReplayStep::Load: {
      // A refusal is the game's one line, printed where it happens; the game goes on.
      const bool save = step.Kind == TReplayStep::Save;
      const std::string refusal = save ? SaveGameTo(step.Text) : LoadGameFrom(step.Text);
      if (!refusal.empty()) out << (save ? "save: " : "load: ") << Cp932ToUtf8(refusal) << "\n";
      if (!save && refusal.empty() && !LoadedWords("").empty()) out << "load: " << Cp932ToUtf8(LoadedWords("")) << "\n";
      return true;
    }
  }
  return true;
}

}  // namespace

TReplayResult RunReplay(TGameHarness& game, const std::vector<TReplayStep>& steps, const std::string& shotsDir,
                        std::ostream& out) {
  TReplayResult result;
  if (game.Ended()) {  // the story's first step already ended the program
    out << "terminated\n";
    result.Outcome = TReplayResult::Terminated;
    return result;
  }
  for (const TReplayStep& step : steps) {
    if (!RunStep(game, step, shotsDir, out, result.Error)) {
      result.Outcome = TReplayResult::Failed;
      result.Line = step.Line;
      return result;
    }
    if (game.Ended()) {
      out << "terminated\n";
      result.Outcome = TReplayResult::Terminated;
      return result;
    }
  }
  return result;
}
