// The motion-slot wrappers of the porting layer.
#include "game/core/motion_wrappers.h"

#include "engine/motion/motion.h"
#include "game/core/game_task.h"

namespace {

// The root task when the slot is usable, else null.
GameTask* taskOf(int32_t slot) {
    GameTask* task = GameTask::getInstance();
    return task && task->motionSlots.valid(slot) ? task : nullptr;
}

}  // namespace

int32_t SDL2_wheel_MotionCreate(int32_t layer, std::string psbName) {
    GameTask* task = GameTask::getInstance();
    return task ? task->createMotionSlot(layer, psbName) : -1;
}

void SDL2_wheel_MotionRefresh(int32_t slot) {
    if (GameTask* task = taskOf(slot)) task->refreshMotion(slot);
}

int32_t SDL2_wheel_MotionGetLayer(int32_t slot) {
    const GameTask* task = taskOf(slot);
    return task ? task->motionSlots.layer[size_t(slot)] : 0;
}

void SDL2_wheel_MotionPlay(int32_t slot, int32_t loopLimit, std::string objectName, std::string motionName) {
    GameTask* task = taskOf(slot);
    if (!task) return;
    MMotion* motion = task->slotMotion(slot);
    motion->setObject(objectName);
    // Forced, so playing the motion that already plays starts it again.
    motion->setMotion(motionName, kMotionPlayForce);
    motion->setSpeed(1.0f);
    task->refreshMotion(slot);
    const size_t i = size_t(slot);
    task->motionSlots.loopCount[i] = 0;
    task->motionSlots.loopLimit[i] = loopLimit == 0 ? -1 : loopLimit;
    task->motionSlots.paused[i] = 0;
}

void SDL2_wheel_MotionPause(int32_t slot) {
    if (GameTask* task = taskOf(slot)) task->pauseMotion(slot);
}

void SDL2_wheel_MotionResume(int32_t slot) {
    GameTask* task = taskOf(slot);
    if (!task) return;
    task->slotMotion(slot)->setSpeed(1.0f);
    task->motionSlots.paused[size_t(slot)] = 0;
}

int32_t SDL2_wheel_MotionGetLength(int32_t slot) {
    const GameTask* task = taskOf(slot);
    return task ? task->getMotionLength(slot) : 0;
}

int32_t SDL2_wheel_MotionGetFrame(int32_t slot) {
    const GameTask* task = taskOf(slot);
    return task ? task->getMotionFrame(slot) : 0;
}

bool SDL2_wheel_MotionGetLocator(int32_t slot, float* out, std::string layerName) {
    if (out) out[0] = out[1] = out[2] = 0.0f;
    const GameTask* task = taskOf(slot);
    if (!task || !out) return false;
    // Parts drawn as nested motions carry locators of their own, so the
    // search goes through every player of the slot.
    MMotion* motion = task->slotMotion(slot);
    int32_t index = 0;
    if (!motion->findLayerIndex(layerName, index)) return false;
    const MMotionLayerNode* node = motion->getLayerNode(index);
    if (!node) return false;
    out[0] = node->state.x;
    out[1] = node->state.y;
    out[2] = node->state.angle;
    return true;
}

void SDL2_wheel_MotionUpdateLoop(int32_t slot) {
    if (GameTask* task = taskOf(slot)) task->updateMotionLoop(slot);
}

int32_t SDL2_wheel_MotionGetLoopCount(int32_t slot) {
    const GameTask* task = taskOf(slot);
    return task ? task->getMotionLoopCount(slot) : 0;
}

std::string SDL2_wheel_MotionGetName(int32_t slot) {
    const GameTask* task = taskOf(slot);
    return task ? task->getMotionName(slot) : std::string();
}

void SDL2_wheel_MotionSetSpeedAll(int32_t speed) {
    GameTask* task = GameTask::getInstance();
    if (!task) return;
    MotionSlotTable& slots = task->motionSlots;
    slots.speedFactor = float(speed);
    for (int32_t slot = 0; slot < MotionSlotTable::kSlots; ++slot) {
        if (slots.valid(slot) && !slots.paused[size_t(slot)]) slots.motion[size_t(slot)]->setSpeed(slots.speedFactor);
    }
}

void SDL2_wheel_MotionSetColor(int32_t slot, uint32_t color) {
    if (GameTask* task = taskOf(slot)) motionSlotSetColor(task->motionSlots, slot, color);
}

void SDL2_wheel_MotionSetAlpha(int32_t slot, float alpha) {
    if (GameTask* task = taskOf(slot)) motionSlotSetAlpha(task->motionSlots, slot, alpha);
}

void SDL2_wheel_MotionSetBlend(int32_t slot, int32_t blend) {
    if (GameTask* task = taskOf(slot)) motionSlotSetBlend(task->motionSlots, slot, blend);
}
