// Presses -- keys and pad buttons that play as the mouse would: a press on the play area where no idea button
// lies, a click on an idea button; all through the input router.
#include <algorithm>
#include <utility>
#include <vector>

#include "paint/UnitPaint.h"
#include "player/PlayerState.h"
#include "player/Presses.h"

using namespace Platform;

namespace {

// A mouse press and release, as the mouse would make it.
void Click(TInputRouter& input, int x, int y) {
  input.MouseMove(0, x, y);
  input.MouseDown(TMouseButton::Left, 0, x, y);
  input.MouseUp(TMouseButton::Left, 0, x, y);
}

bool OnAnyIdeaButton(const std::vector<TIdeaButtonShown>& shown, int x, int y) {
  return std::any_of(shown.begin(), shown.end(), [x, y](const TIdeaButtonShown& b) {
    return x >= b.Part.Left && x < b.Part.Right && y >= b.Part.Top && y < b.Part.Bottom;
  });
}

}  // namespace

// The idea buttons fall in a column at the left: the first of three points right of them.
void PressPlayArea(TInputRouter& input) {
  int left = 0, top = 0;
  Player->PlayArea->ClientOrigin(left, top);
  const int w = Player->PlayArea->Width, h = Player->PlayArea->Height;
  const std::vector<TIdeaButtonShown> shown = IdeaButtonsShown(*Player->PlayArea);
  for (auto [x, y] : {std::pair{w * 3 / 4, h / 2}, std::pair{w - 1, h - 1}, std::pair{w - 1, 0}}) {
    if (x < 0 || y < 0 || OnAnyIdeaButton(shown, left + x, top + y)) continue;
    if (input.ControlAt(left + x, top + y) != Player->PlayArea) continue;
    Click(input, left + x, top + y);
    return;
  }
}

namespace {

std::vector<TIdeaButtonShown> InPlayAreaFromTheTop() {
  std::vector<TIdeaButtonShown> shown = IdeaButtonsShown(*Player->PlayArea);
  std::erase_if(shown, [](const TIdeaButtonShown& b) { return !b.InPlayArea; });
  std::stable_sort(shown.begin(), shown.end(),
                   [](const TIdeaButtonShown& a, const TIdeaButtonShown& b) { return a.Button->Top < b.Button->Top; });
  return shown;
}

}  // namespace

std::vector<const TPushButton*> IdeaButtonsFromTheTop() {
  std::vector<const TPushButton*> buttons;
  for (const TIdeaButtonShown& b : InPlayAreaFromTheTop()) buttons.push_back(b.Button);
  return buttons;
}

// At the middle of the button's part inside the play area, if it is enabled.
void ClickIdeaButton(TInputRouter& input, int n) {
  const std::vector<TIdeaButtonShown> shown = InPlayAreaFromTheTop();
  if (n < 1 || n > static_cast<int>(shown.size())) return;
  const TIdeaButtonShown& button = shown[static_cast<size_t>(n - 1)];
  if (!button.Button->Enabled) return;
  if (input.ControlAt(button.MiddleX, button.MiddleY) == button.Button) Click(input, button.MiddleX, button.MiddleY);
}
