#include "game/core/obj_work.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/zako_small.h"

// By kind; each family's issue sets its own rows (the prologue's kind 122
// is the tutorial, TSKtutorialAct).
ObjTaskFn const enemyKindTable[kEnemyKinds] = {
    TSKzako00Act,  // 0
    nullptr,       // 1
    TSKzako02Act,  // 2
    TSKzako03Act,  // 3
    TSKzako04Act,  // 4
    nullptr,       // 5
    nullptr,       // 6
    nullptr,       // 7
    nullptr,       // 8
    nullptr,       // 9
    nullptr,       // 10
    TSKzako11Act,  // 11
};

ObjTaskFn enemyKindAct(int32_t kind) {
    if (kind < 0 || kind >= kEnemyKinds) return nullptr;
    return enemyKindTable[kind];
}

ObjTask* enemySpawnKind(int32_t kind, int32_t param, float x, float y) {
    const ObjTaskFn act = enemyKindAct(kind);
    if (act == nullptr) return nullptr;
    ObjTask* task = OBJtaskCreate(act, kEnemyGroup, kEnemyTag);
    if (task == nullptr) return nullptr;
    enemySpawnParam(task) = param;
    act(task);
    if (task->work == nullptr) return nullptr;
    task->work->kind = kind;
    task->work->x = x;
    task->work->y = y;
    return task;
}
