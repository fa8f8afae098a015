#pragma once
// Provisional: the least of the items that the enemy library reads, until
// the items are built and delete this file.
//
// Threads: main thread only.

#include <cstdint>
#include <vector>

#include "game/core/obj_work_views.h"
#include "game/stages/rank_carriers.h"

// The fighter's pick-ups of item kind 11 in the play.
extern int32_t secretItemCount;
// One TSKitemCreate call as it was asked for (tests read them).
struct ItemCall {
    int32_t kind, heading;
    float speed;
    int32_t delay, glow;
    float x, y;
};
std::vector<ItemCall>& itemCalls();
// Makes no item: records the call.
void TSKitemCreate(int32_t kind, int32_t heading, float speed, int32_t delay, int32_t glow, float x, float y);
// The same with speed, delay and glow 0.
void TSKitemCreate(int32_t kind, int32_t heading, float x, float y);
