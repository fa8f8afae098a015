#include "game/bosses/boss_visuals.h"
#include "game/core/draw_store.h"
#include "game/core/game_task.h"
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

uint32_t bossVisualColorWord(uint8_t alpha) {
    const FieldLayerTint& tint = fieldLayerSharedTint;
    const auto half = [](int32_t channel) { return uint32_t(channel / 2) & 0xFFu; };
    return (half(tint.r) << 24) | (half(tint.g) << 16) | (half(tint.b) << 8) | alpha;
}

void bossVisualShowFrame(ObjWork* work, int32_t frame) {
    enemy(work).motionFrame = frame;
    if (work->motionSlot0 < 0) return;
    GameTask* game = GameTask::getInstance();
    game->setMotionFrame(work->motionSlot0, frame);
    game->refreshMotion(work->motionSlot0);
}
