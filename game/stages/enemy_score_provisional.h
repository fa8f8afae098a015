#pragma once
// Provisional: the enemies' score level, until the enemy library is built
// (see README.md).
//
// Threads: main thread only.

#include <cstdint>

// The level of the enemy-shot cancel a powered-up fighter's bomb asks for.
// The stand-in: 7, as a bomb without power-up.
int32_t enemyScoreLevel();
