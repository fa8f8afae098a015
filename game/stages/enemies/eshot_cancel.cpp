#include "game/stages/enemies/eshot_cancel.h"

#include <algorithm>

#include "game/core/obj_work.h"

namespace {

EshotCancelQueue cancelClearedQueue() {
    EshotCancelQueue queue{};
    for (EshotCancelSlot& slot : queue.slots) eshotCancelFreeSlot(slot);
    return queue;
}

}  // namespace

EshotCancelQueue eshotCancelQueue = cancelClearedQueue();

void eshotCancelFreeSlot(EshotCancelSlot& slot) { slot = {kEshotCancelFree, -1, 0, 0, 0}; }

void eshotCancelClear() { eshotCancelQueue = cancelClearedQueue(); }

void eshotCancelRequest(int32_t countdown, int32_t level, const ObjWork* owner, uint8_t closeFlag,
                        uint8_t secondFlag) {
    eshotCancelRequestSerial(countdown, level, owner != nullptr ? owner->serial : 0u, closeFlag, secondFlag);
}

void eshotCancelRequestSerial(int32_t countdown, int32_t level, uint32_t ownerSerial, uint8_t closeFlag,
                              uint8_t secondFlag) {
    eshotCancelQueue.countdown = std::max(eshotCancelQueue.countdown, countdown);
    for (EshotCancelSlot& slot : eshotCancelQueue.slots) {
        if (slot.ownerSerial != kEshotCancelFree) continue;
        slot = {ownerSerial, level, closeFlag, secondFlag, 0};
        return;
    }
}
