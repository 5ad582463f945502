// UnitCommon -- the start-up and shut-down wiring of the game, run by the main form's
// constructor and destructor.
#pragma once
#include <cstdint>
#include <optional>

// Seeds the random generator, starts the frame loop on FormMain, sets up the drawing (pictures,
// canvases, the five idea buttons), the script engine and its commands, attaches the player's
// conveniences (player/Player.h), and registers the frame callback every 50 ms. A missing or broken picture throws,
// naming the file.
void GameSetup();
// Detaches the player's conveniences, frees the drawing resources and the idea buttons, then
// the script engine.
void GameTeardown();

// Tests and the replay harness fix the random sequence: when set, GameSetup reseeds with it
// right after seeding from the clock.
extern std::optional<uint32_t> FixedRandomSeed;
