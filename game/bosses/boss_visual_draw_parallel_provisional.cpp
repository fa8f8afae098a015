// Stand-in until the boss-intro visuals' shared draw is merged: queues the
// work's motion slot on its layer in the colour its update gave the slot.
#include "game/core/draw_store.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"

void TSKbossVisualDraw(ObjTask*, ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (slot < 0) return;
    OBJdrawMotion(work, slot, SDL2_wheel_MotionGetLayer(slot), 0, 1.0f, 255, 255, 255);
}
