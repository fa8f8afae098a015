#pragma once
// Provisional: the item-carrier words the game-control sequence and the
// stage load lean on, until the rank and item carriers are built.
//
// Threads: main thread only.

#include <cstdint>

// The CHANGE and BOMB item-carrier timers (frames).
extern int32_t itemCarrierChangeTimer;
extern int32_t itemCarrierBombTimer;
extern int32_t stageProgress;
