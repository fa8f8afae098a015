#include "game/stages/enemies/rank_items_provisional.h"

#include "game/core/play_state.h"
#include "game/objects/fighter_hit.h"
#include "game/records/play_selection.h"

int32_t enemyAttackRank = 0;
int32_t itemCarrierCounterB = 0;
int32_t secretItemCount = 0;

bool enemyIsSpecialMode() { return menuResultCode == 2 || (menuResultCode == 6 && stageNumber >= 4); }

int32_t enemyRankLevel() {
    if (!enemyIsSpecialMode()) return gameMode;
    if (rankCounter <= 0) return 0;
    if (rankCounter <= 10) return 1;
    if (rankCounter <= 30) return 2;
    return 3;
}

void itemCarrierArmB() { itemCarrierCounterB = 18000; }

std::vector<ItemCall>& itemCalls() {
    static std::vector<ItemCall> calls;
    return calls;
}

void TSKitemCreate(int32_t kind, int32_t heading, float speed, int32_t delay, int32_t glow, float x, float y) {
    itemCalls().push_back({kind, heading, speed, delay, glow, x, y});
}

void TSKitemCreate(int32_t kind, int32_t heading, float x, float y) { TSKitemCreate(kind, heading, 0.0f, 0, 0, x, y); }

