#include "game/objects/obj_hit_end.h"

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

void objHitEnd(ObjTask* task, ObjWork* work) {
    if (work != nullptr) work->hit = nullptr;
    if (task != nullptr) task->state = kObjStateEnd;
}
