// Provisional, beside the effects branch: the least of the gun units, the
// fighter's fire and the effects that the fighter calls. The lead deletes
// this file when merging.
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_fire.h"
#include "game/objects/gun_units.h"

void TSKgunAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = TSKgameCtrlKill;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        if (!objRefTask(task->parent)) task->state = kObjStateEnd;
        break;
    default:
        if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
    }
}

void gunSetIndex(ObjWork*, int32_t) {}
void gunReset(ObjWork*) {}
void TSKfighterFire(ObjTask*) {}
void TSKeffectCreate(int32_t, int32_t, float, int32_t, int32_t, ObjRef, float, float) {}
