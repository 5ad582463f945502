// Screenshot -- F12 (Alt+S): the window's picture saved as a PNG; the title says where, or that
// it failed. ScreenshotFolder and SaveScreenshot are in Player.h.
#pragma once

void TakeScreenshot();
