#include "game/bosses/boss_visuals.h"
#include "game/core/draw_store.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/stages/field_layers.h"

void TSKbossVisualDraw(ObjTask*, ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (slot < 0) return;
    SDL2_wheel_MotionSetAlpha(slot, 1.0f);
    const FieldLayerTint& tint = fieldLayerSharedTint;
    OBJdrawMotion(work, slot, SDL2_wheel_MotionGetLayer(slot), kMotionSlotBlendNormal, 1.0f, tint.r, tint.g, tint.b);
}
