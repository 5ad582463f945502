// TitleBar -- what the title says (the clipboard mode, a saved screenshot), the clipboard and
// mute: the keys that work in every state of the game.
#include <algorithm>

#include "game/UnitMain.h"
#include "paint/QuilTimer.h"
#include "platform/Clipboard.h"
#include "platform/Sound.h"
#include "platform/TextCodec.h"
#include "player/Player.h"
#include "player/PlayerState.h"

using namespace Platform;

namespace {

// How long the title names a saved screenshot.
constexpr int32_t kTitleMessageMs = 2000;

}  // namespace

void ShowCaption() {
  if (Player->CaptionMessage) return;  // the screenshot's message keeps the title a while
  std::string caption = Player->Caption;
  if (SoundMuted()) caption += " - 消音中";
  if (Player->Follow) caption += " - 新しい文をクリップボードへ";
  Player->Form->Caption = caption;
}

void EndCaptionMessage() {
  TQuilTimer::Remove(EndCaptionMessage);
  if (Player == nullptr) return;
  Player->CaptionMessage = false;
  ShowCaption();
}

void ToggleMute() {
  MuteSound(!SoundMuted());
  ShowCaption();
}

void TakeScreenshot() {
  std::string path = SaveScreenshot(*Player->Form);
  std::string cp932;
  size_t bad = 0;
  if (!Utf8ToCp932(path, cp932, bad)) cp932 = "(" + std::to_string(path.size()) + " bytes)";
  // A player started from the menu never sees standard error: the title says it either way.
  Player->Form->Caption =
      Player->Caption + (path.empty() ? " - スクリーンショットを保存できませんでした" : " - 保存しました: " + cp932);
  Player->CaptionMessage = true;
  TQuilTimer::Remove(EndCaptionMessage);
  // The title's message keeps its time while the game is paused.
  TQuilTimer::Add(EndCaptionMessage, kTitleMessageMs, "", true);
}

void CopyLinesOnScreen() {
  if (TitleShowing) return;  // the title covers them
  std::string text;
  const int count = std::clamp<int32_t>(ScriptLineCount, 0, MaxScriptLines);
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + Cp932ToUtf8(ScriptLines[static_cast<size_t>(i)]);
  if (!text.empty()) SetClipboardText(text);
}

void ToggleFollow() {
  Player->Follow = !Player->Follow;
  ShowCaption();
}
