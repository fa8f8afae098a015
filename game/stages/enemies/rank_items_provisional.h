#pragma once
// Provisional: the least of the rank, the item carriers, the items and the
// background layers that the enemy library reads, until the fighters' issue
// (hits, pick-ups and misses, the bomb, items, rank and item carriers, the
// head-up display) and the stages' issue (field tasks, layers) build them
// and delete this file.
//
// Threads: main thread only.

#include <cstdint>
#include <vector>

#include "game/core/obj_work_views.h"

// Rank level 0..3: the game mode (0..3), or bands of the rank counter (0; 1
// to 10; 11 to 30; 31 on) in the special mode.
int32_t enemyRankLevel();
// The special mode: play type 2, or 6 from stage 4 on.
bool enemyIsSpecialMode();
// The attack rank that shortens the pauses between volleys: 0 here.
extern int32_t enemyAttackRank;
// Item-carrier counter B (kind 59), 0..18000.
extern int32_t itemCarrierCounterB;
// Arms counter B: 18000.
void itemCarrierArmB();
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
