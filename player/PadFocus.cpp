// PadFocus -- the pad's choice among the idea buttons on screen: the d-pad moves it, A clicks
// the chosen button, and a ring around the button shows it. Nothing of it shows until a pad
// moves it. The game shows and hides its buttons itself, so the choice is read only once it is
// found among the buttons on screen: a button that leaves or falls anew drops it.
#include <algorithm>
#include <array>
#include <memory>

#include "paint/QuilTimer.h"
#include "player/PadFocus.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/Presses.h"

using namespace Platform;

namespace {

constexpr int kRing = 2;                   // the ring's width, around the button
constexpr uint32_t kRingColor = 0xFFD700;  // gold, seen on the fog, the night and the red

struct TFocus {
  const TPushButton* Chosen = nullptr;  // read only when on screen: see above
  int Top = 0;                          // where it stood when last seen; a button only falls
  std::array<std::unique_ptr<TPanel>, 4> Ring;
};

std::unique_ptr<TFocus> focus;
bool padUsedLast = false;

void FollowFocus();

void Drop() {
  focus->Chosen = nullptr;
  for (auto& side : focus->Ring) side->Visible = false;
  TQuilTimer::Remove(FollowFocus);
}

// The chosen button's place from the top (0-based), or -1 once it has gone; then dropped.
int Chosen() {
  if (focus == nullptr || focus->Chosen == nullptr) return -1;
  const std::vector<const TPushButton*> buttons = IdeaButtonsFromTheTop();
  const auto at = std::find(buttons.begin(), buttons.end(), focus->Chosen);
  // Hidden and shown again with a new idea, the same button starts above the play area.
  if (at == buttons.end() || focus->Chosen->Top < focus->Top) {
    Drop();
    return -1;
  }
  focus->Top = focus->Chosen->Top;
  return static_cast<int>(at - buttons.begin());
}

// The ring follows the falling button; the game moves it every frame.
void FollowFocus() {
  if (Chosen() < 0) return;
  const TPushButton& b = *focus->Chosen;
  const std::array<TRect, 4> sides = {{
      {b.Left - kRing, b.Top - kRing, b.Left + b.Width + kRing, b.Top},
      {b.Left - kRing, b.Top + b.Height, b.Left + b.Width + kRing, b.Top + b.Height + kRing},
      {b.Left - kRing, b.Top, b.Left, b.Top + b.Height},
      {b.Left + b.Width, b.Top, b.Left + b.Width + kRing, b.Top + b.Height},
  }};
  for (size_t i = 0; i < sides.size(); ++i) {
    TPanel& side = *focus->Ring[i];
    side.Left = sides[i].Left;
    side.Top = sides[i].Top;
    side.Width = sides[i].Right - sides[i].Left;
    side.Height = sides[i].Bottom - sides[i].Top;
    side.Visible = true;
  }
}

}  // namespace

void PadFocusSetup() {
  PadFocusFree();
  focus = std::make_unique<TFocus>();
  for (auto& side : focus->Ring) {
    side = std::make_unique<TPanel>(Player->Page);
    side->Name = "PadFocus";
    side->Color = kRingColor;
    side->Visible = false;
    side->Enabled = false;  // a press on the ring lands on what lies under it
  }
}

void PadFocusFree() {
  padUsedLast = false;
  if (focus == nullptr) return;
  Drop();
  focus.reset();
}

void MovePadFocus(int step) {
  if (focus == nullptr) return;
  const int at = Chosen();
  const std::vector<const TPushButton*> buttons = IdeaButtonsFromTheTop();
  if (buttons.empty()) return;
  const int count = static_cast<int>(buttons.size());
  const int next = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step % count + count) % count;
  const bool following = focus->Chosen != nullptr;
  focus->Chosen = buttons[static_cast<size_t>(next)];
  focus->Top = focus->Chosen->Top;
  FollowFocus();
  // Often enough that the ring keeps up with the frame that moved the button.
  if (!following) TQuilTimer::Add(FollowFocus, 10, "pad focus");
}

int PadChoice() { return Chosen() + 1; }

void PadPress(TInputRouter& input) {
  const int chosen = PadChoice();
  if (chosen > 0) {
    ClickIdeaButton(input, chosen);
  } else {
    PressPlayArea(input);
  }
  FollowFocus();  // a button clicked or dismissed takes the ring with it at once
}

void NotePadUsed(bool pad) { padUsedLast = pad; }

bool PadUsedLast() { return padUsedLast; }
