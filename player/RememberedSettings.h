// RememberedSettings -- the player's choices kept from one start to the next (Settings holds
// the file): read at start and put back (mute, the volumes, auto mode's pace; the window's
// factor and fullscreen once the window exists), written whenever one changes and on closing.
// A first start (no settings file yet) says where the key list is.
#pragma once
#include "player/Settings.h"

// Reads the settings and puts them back; listens to the form's closing to write them.
void RememberedSettingsSetup();
void RememberedSettingsFree();
// Writes the settings when they differ from those last read or written.
void RememberSettings();
// As last read or written.
const TSettings& RememberedSettings();
