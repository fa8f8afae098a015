#include "game/stages/eshot_cancel_provisional.h"

#include <algorithm>

#include "game/core/obj_work.h"

namespace {

constexpr uint32_t kFreeSlot = 0xFFFFFFFFu;

EshotCancelQueue clearedQueue() {
    EshotCancelQueue queue{};
    for (EshotCancelSlot& slot : queue.slots) eshotCancelFreeSlot(slot);
    return queue;
}

}  // namespace

EshotCancelQueue eshotCancelQueue = clearedQueue();

void eshotCancelFreeSlot(EshotCancelSlot& slot) { slot = {kFreeSlot, -1, 0, 0, 0}; }

void eshotCancelClear() { eshotCancelQueue = clearedQueue(); }

void eshotCancelRequest(int32_t countdown, int32_t level, const ObjWork* owner, uint8_t closeFlag,
                        uint8_t secondFlag) {
    eshotCancelQueue.countdown = std::max(eshotCancelQueue.countdown, countdown);
    for (EshotCancelSlot& slot : eshotCancelQueue.slots) {
        if (slot.ownerSerial != kFreeSlot) continue;
        slot = {owner != nullptr ? owner->serial : 0u, level, closeFlag, secondFlag, 0};
        return;
    }
}
