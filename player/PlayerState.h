// PlayerState -- what every file of the player layer shares: where the layer lies (the form,
// the play area, its panel) while it is set up, and two small helpers. Each concern keeps its
// own state in its own file and says in its own header what it offers the others. Nothing
// outside player/ includes it.
#pragma once
#include <exception>
#include <memory>

#include "platform/Controls.h"
#include "platform/Form.h"

struct TPlayerPlace {
  Platform::TForm* Form = nullptr;
  Platform::TPaintBox* PlayArea = nullptr;
  Platform::TPanel* Page = nullptr;  // the play area's panel, where the player's views lie
};

// The layer's place while it is set up, else nullptr.
extern std::unique_ptr<TPlayerPlace> Player;

// Takes (hold) or gives back one pause of the frame loop, kept in held.
void HoldPause(bool& held, bool hold);
// A fault while drawing is said once on standard error; the game goes on.
void ReportOnce(const std::exception& error);
