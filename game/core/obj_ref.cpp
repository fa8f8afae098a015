#include "game/core/obj_ref.h"

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

ObjRef objRef(const ObjTask* task) {
    if (task == nullptr || task->work == nullptr) return {};
    const ObjTask* pool = OBJtaskPool();
    if (task < pool || task >= pool + kObjTaskPoolSize) return {};
    return {static_cast<int32_t>(task - pool), task->work->serial};
}

ObjTask* objRefTask(ObjRef ref) {
    if (ref.index < 0 || ref.index >= kObjTaskPoolSize) return nullptr;
    ObjTask* task = OBJtaskPool() + ref.index;
    if ((task->flags & kObjTaskLive) == 0 || task->work == nullptr) return nullptr;
    if (task->work->serial != ref.serial) return nullptr;
    OBJtaskTouch(task);
    return task;
}

ObjWork* objRefWork(ObjRef ref) {
    ObjTask* task = objRefTask(ref);
    return task != nullptr ? task->work : nullptr;
}
