// Provisional: the screen effects on the object pool replace this file.
#include "game/core/ending_task_provisional.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"

namespace {

void endingKill(ObjTask* task) {
    SDL2_wheel_SoundStopMusic();
    OBJworkFree(task->work);
    task->work = nullptr;
}

}  // namespace

void TSKendingAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = endingKill;
        endingFlag = true;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        task->state = kObjStateEnd;
        break;
    default:
        if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
    }
}
