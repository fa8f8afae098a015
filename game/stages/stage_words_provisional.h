#pragma once
// Provisional: the stage and enemy words the game core reads and steps. The
// issue that builds the stages and the enemy library replaces this file.
//
// Threads: main thread only.

#include <cstdint>

// The stage's frame: -1 after a stage load, advanced by the stage's field task.
extern int32_t stageFrame;
// While above 0 the background layers are drawn darkened. Counted down once
// an act pass.
extern int32_t layerTintTimer;

// Once an act pass while the fighter exists: the rank counter and the
// enemy-shot speed bonus from the fighter's rank. Does nothing yet.
void enemyUpdateRank();
// Once an act pass while the fighter exists, after enemyUpdateRank: the two
// item-carrier counters. Does nothing yet.
void itemCarrierUpdate();
