#include "game/frontend/wait_motion_end.h"

#include "game/core/draw_store.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"

void TSKwaitMotionEnd(ObjTask*, ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (slot == -1) return;
    OBJdrawMotion(work, slot, SDL2_wheel_MotionGetLayer(slot), kMotionSlotBlendNormal, 1.0f, 255, 255, 255);
}
