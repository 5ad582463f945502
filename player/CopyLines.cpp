// CopyLines -- Ctrl+C and Shift+C: the story lines to the clipboard, as UTF-8.
#include "player/CopyLines.h"

#include <algorithm>
#include <memory>
#include <string>

#include "game/UnitMain.h"
#include "game/UnitScript.h"
#include "platform/Clipboard.h"
#include "platform/TextCodec.h"
#include "player/TitleBar.h"

using namespace Platform;

namespace {

struct TCopying {
  bool Follow = false;  // Shift+C: each new line goes to the clipboard
  TSubscription Heard;
};

std::unique_ptr<TCopying> copying;

void CopyNewLine(const std::string& line) {
  if (copying->Follow) SetClipboardText(Cp932ToUtf8(line));
}

}  // namespace

void CopyLinesSetup() {
  CopyLinesFree();
  copying = std::make_unique<TCopying>();
  if (Script != nullptr) copying->Heard = Script->SubscribeLines(CopyNewLine);
}

void CopyLinesFree() { copying.reset(); }

void CopyLinesOnScreen() {
  if (TitleShowing) return;  // the title covers them
  std::string text;
  const int count = std::clamp<int32_t>(ScriptLineCount, 0, MaxScriptLines);
  for (int i = 0; i < count; ++i) text += (i > 0 ? "\n" : "") + Cp932ToUtf8(ScriptLines[static_cast<size_t>(i)]);
  if (!text.empty()) SetClipboardText(text);
}

void ToggleFollow() {
  copying->Follow = !copying->Follow;
  ShowCaption();
}

bool FollowingLines() { return copying != nullptr && copying->Follow; }
