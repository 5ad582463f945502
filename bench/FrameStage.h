// FrameStage -- the frames the frame benchmarks draw (bench/FrameBench.cpp on the desktop,
// bench/PageFrameBench.cpp in a page), staged as the game would leave them, and a clock.
#pragma once

// Milliseconds of a steady clock (in a page: performance.now).
double NowMs();
// The drawing set-up of the game, once, with the pictures of the working folder's dat/.
void SetUpOnce();
// A game in progress: full status, four scenario lines, two messages, two buttons falling.
void StagePlaying();
// The worst case, restored before every frame so that nothing has run out: the zoom half-way
// in, all 1,600 tiles just broken off, every particle pool full, the description open and
// the game over.
void StageWorstCase();
void RestoreWorstCase();
