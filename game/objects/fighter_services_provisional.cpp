// Provisional: the fighter family replaces this file.
#include "game/objects/fighter_services.h"

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

namespace {

void playTaskKill(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

// The common act shape: the work on the first call, then running until a
// state it doesn't know ends it.
void playTaskAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = playTaskKill;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        break;
    default:
        if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
    }
}

}  // namespace

void TSKfighterAct(ObjTask* task) { playTaskAct(task); }

void TSKinfoAct(ObjTask* task) { playTaskAct(task); }
