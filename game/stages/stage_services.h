#pragma once
// Provisional: the stage-progress word the game-control sequence and the
// stage load lean on; the item-carrier counters are in rank_carriers.h.
//
// Threads: main thread only.

#include <cstdint>

#include "game/stages/rank_carriers.h"

extern int32_t stageProgress;
