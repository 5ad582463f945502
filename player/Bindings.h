// Bindings -- the form's listeners that dispatch keys, pad buttons and the wheel by the
// bindings table.
#pragma once
#include "platform/Gamepad.h"
#include "platform/Input.h"

bool OnKey(Platform::TInputRouter& input, const Platform::TKeyEvent& key);
// A pad's button goes through OnKey as a key of its own code, its release as a key-up.
bool OnPad(Platform::TInputRouter& input, const Platform::TPadEvent& pad);
bool OnWheel(Platform::TInputRouter& input, int notches, unsigned shift, int x, int y);
