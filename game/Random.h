// Random -- the program's one pseudo-random generator, for presentation and particles only;
// the game rules never draw from it, so a game plays the same whatever the seed.
#pragma once
#include <cstdint>

// An integer 0 .. n - 1; 0 when n is 0 or less.
int Random(int n);
// Seeds from the clock; called once at start-up.
void Randomize();
// Seeds with a fixed value, so tests and the replay harness see the same sequence every run.
void SetRandomSeed(uint32_t seed);
