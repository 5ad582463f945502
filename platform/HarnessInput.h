// HarnessInput -- how a harness's input reaches the form's router. On the desktop it goes
// straight in; in a page it goes the way a person's does: as the page's own events (DOM events
// dispatched on the canvas and the window), which the page's listeners take and hand to the
// router as the window hands them. Positions are the client area's; an error escaping a handler
// propagates to the caller.
#pragma once
#include <cstdint>

#include "platform/Input.h"

namespace Platform {

enum class TPointerAction { Move, Down, Up };
void SendPointer(TInputRouter& router, TPointerAction action, TMouseButton button, unsigned shift, int x, int y);
// shift: ssShift, ssAlt, ssCtrl held.
void SendKey(TInputRouter& router, bool down, uint32_t virtualKey, unsigned shift);
void SendWheel(TInputRouter& router, int notches, unsigned shift, int x, int y);

}  // namespace Platform
