#include "game/stages/enemies/rank_items_provisional.h"


int32_t secretItemCount = 0;

std::vector<ItemCall>& itemCalls() {
    static std::vector<ItemCall> calls;
    return calls;
}

void TSKitemCreate(int32_t kind, int32_t heading, float speed, int32_t delay, int32_t glow, float x, float y) {
    itemCalls().push_back({kind, heading, speed, delay, glow, x, y});
}

void TSKitemCreate(int32_t kind, int32_t heading, float x, float y) { TSKitemCreate(kind, heading, 0.0f, 0, 0, x, y); }

