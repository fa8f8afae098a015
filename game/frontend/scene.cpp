#include "game/frontend/scene.h"

#include "game/core/draw_store.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

void sceneAct(ObjTask* task, const SceneAct& act) {
    if (task->state == kObjStateInit) {
        act.setUp(task);
        task->state = kObjStateRun;
    } else if (task->state >= kObjStateRun && task->state <= act.lastRunState) {
        act.run(task);
    } else {
        OBJtaskReleaseUnlessPersistent(task);
    }
}

ObjWork* sceneWorkNew(ObjTask* task, float depth, void (*draw)(ObjTask*, ObjWork*)) {
    ObjWork* work = OBJworkNew();
    task->work = work;
    if (work == nullptr) return nullptr;
    work->x = kSceneX;
    work->y = kSceneY;
    work->depth = depth;
    work->draw = draw;
    work->motionSlot0 = -1;
    work->motionSlot1 = -1;
    return work;
}

void sceneWorkFree(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

bool sceneSlotOpen(int32_t slot) {
    const GameTask* task = GameTask::getInstance();
    return task != nullptr && task->motionSlots.valid(slot);
}

bool sceneLabelPlayed(int32_t slot) { return !sceneSlotOpen(slot) || SDL2_wheel_MotionGetLoopCount(slot) == 1; }

void drawWorkMotion(ObjTask*, ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (!sceneSlotOpen(slot)) return;
    // The slot draws itself on its layer; the entry keeps the request's place
    // in the frame's order.
    SDL2_wheel_MotionSetColor(slot, kMotionSlotNeutralColor);
    SDL2_wheel_MotionSetAlpha(slot, 1.0f);
    SDL2_wheel_MotionSetBlend(slot, kMotionSlotBlendNormal);
    OBJdrawMotion(work, slot, SDL2_wheel_MotionGetLayer(slot), kMotionSlotBlendNormal, 1.0f, 255, 255, 255);
}
