#pragma once
// Provisional: the least of the bosses that the game-control sequence reads,
// until the boss family is built here (see README.md).
//
// Threads: main thread only.

#include <cstdint>

// Set when the play takes the true last boss's route.
extern uint8_t trueRouteFlag;
