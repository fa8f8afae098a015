#pragma once
// The boss-phase word of the running stage (0 before the mid-boss, 1 once a
// mid-boss has come, 2 once the stage boss has): the play records keep it to
// show how far a play got. The stage load resets it; the bosses' inits raise
// it. The item-carrier counters are in rank_carriers.h.
//
// Threads: main thread only.

#include <cstdint>

#include "game/stages/rank_carriers.h"

extern int32_t stageProgress;
