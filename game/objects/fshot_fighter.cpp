#include "game/objects/fshot_fighter.h"

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

namespace {

constexpr int kFshotFighterGroup = 9;
constexpr int32_t kFshotGaugeFull = 100000;

}  // namespace

ObjTask* fshotFighterTask() {
    ObjTaskGroup& list = OBJtaskGroup(kFshotFighterGroup);
    ObjTask* task = list.head.next;
    if (task == &list.tail || task->work == nullptr) return nullptr;
    return task;
}

ObjWork* fshotFighterWork() {
    ObjTask* task = fshotFighterTask();
    return task ? task->work : nullptr;
}

bool fshotFighterAnyReady(const ObjWork* fighterWork) {
    if (fighterWork == nullptr) return false;
    for (int32_t gauge : fighterWork->family.fighter.teamGauges) {
        if (gauge >= kFshotGaugeFull) return true;
    }
    return false;
}
