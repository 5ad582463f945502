// TitleBar -- the window's title: the caption, what is on, and a message for a while.
#include "player/TitleBar.h"

#include <memory>

#include "paint/QuilTimer.h"
#include "platform/Sound.h"
#include "player/CopyLines.h"
#include "player/PlayModes.h"
#include "player/PlayerState.h"

using namespace Platform;

namespace {

struct TTitle {
  std::string Caption;          // the form's own caption
  bool CaptionMessage = false;  // a message holds the title for a while
};

std::unique_ptr<TTitle> title;

}  // namespace

void TitleBarSetup() {
  TitleBarFree();
  title = std::make_unique<TTitle>();
  title->Caption = Player->Form->Caption;
}

void TitleBarFree() {
  TQuilTimer::Remove(EndCaptionMessage);
  if (title == nullptr) return;
  Player->Form->Caption = title->Caption;
  title.reset();
}

void ShowCaption() {
  if (title == nullptr || title->CaptionMessage) return;  // a message keeps the title a while
  std::string caption = title->Caption;
  if (SoundMuted()) caption += " - 消音中";
  if (FollowingLines()) caption += " - 新しい文をクリップボードへ";
  caption += PlayModeWords();
  Player->Form->Caption = caption;
}

void EndCaptionMessage() {
  TQuilTimer::Remove(EndCaptionMessage);
  if (title == nullptr) return;
  title->CaptionMessage = false;
  ShowCaption();
}

void TellInTitle(const std::string& cp932, int32_t ms) {
  if (title == nullptr) return;
  Player->Form->Caption = title->Caption + " - " + cp932;
  title->CaptionMessage = true;
  TQuilTimer::Remove(EndCaptionMessage);
  // The title's message keeps its time while the game is paused.
  TQuilTimer::Add(EndCaptionMessage, ms, "", true);
  ShowNotice(cp932, ms);  // said in the play area too, for a player in fullscreen
}
