// Provisional: the front end replaces this file.
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/frontend/scenes.h"

namespace {

constexpr uint32_t kStartBit = 0x8000;

void standInKill(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

// The name in the middle of the screen, and what ends the scene below it.
void standInDraw(ObjTask* task, ObjWork* work) {
    const StandInScene& scene = kStandInSceneTable[size_t(task->aux)];
    OBJdrawFontText(work, 2, scene.name, 960.0f, 500.0f, 1.0f, 255, 255, 255, 1);
    OBJdrawFontText(work, 1, "PRESS START", 960.0f, 580.0f, 1.0f, 160, 160, 160, 1);
}

}  // namespace

void sceneStandInAct(ObjTask* task, int scene) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = standInKill;
        task->aux = scene;
        task->actWords[0] = 0;
        if (task->work) task->work->draw = standInDraw;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        if ((padPressed & kStartBit) != 0 || ++task->actWords[0] >= kStandInFrames) {
            if (kStandInSceneTable[size_t(scene)].outcome) kStandInSceneTable[size_t(scene)].outcome();
            OBJtaskRelease(task);
        }
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void StaffRollScene(ObjTask* task) { sceneStandInAct(task, 0); }
