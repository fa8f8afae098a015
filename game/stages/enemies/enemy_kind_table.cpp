#include "game/core/obj_work.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/item_carrier.h"
#include "game/stages/enemies/zako_small.h"

// By kind; each family's issue sets its own rows (the prologue's kind 122
// is the tutorial, TSKtutorialAct).
ObjTaskFn const enemyKindTable[kEnemyKinds] = {
    TSKzako00Act,         // 0
    nullptr,              // 1
    TSKzako02Act,         // 2
    TSKzako03Act,         // 3
    TSKzako04Act,         // 4
    nullptr,              // 5
    nullptr,              // 6
    nullptr,              // 7
    nullptr,              // 8
    nullptr,              // 9
    nullptr,              // 10
    TSKzako11Act,         // 11
    nullptr,              // 12
    nullptr,              // 13
    nullptr,              // 14
    nullptr,              // 15
    nullptr,              // 16
    nullptr,              // 17
    nullptr,              // 18
    nullptr,              // 19
    nullptr,              // 20
    nullptr,              // 21
    nullptr,              // 22
    nullptr,              // 23
    nullptr,              // 24
    nullptr,              // 25
    nullptr,              // 26
    nullptr,              // 27
    nullptr,              // 28
    nullptr,              // 29
    nullptr,              // 30
    nullptr,              // 31
    nullptr,              // 32
    nullptr,              // 33
    nullptr,              // 34
    nullptr,              // 35
    nullptr,              // 36
    nullptr,              // 37
    nullptr,              // 38
    nullptr,              // 39
    nullptr,              // 40
    nullptr,              // 41
    nullptr,              // 42
    nullptr,              // 43
    nullptr,              // 44
    nullptr,              // 45
    nullptr,              // 46
    nullptr,              // 47
    nullptr,              // 48
    nullptr,              // 49
    nullptr,              // 50
    nullptr,              // 51
    nullptr,              // 52
    nullptr,              // 53
    nullptr,              // 54
    nullptr,              // 55
    nullptr,              // 56
    TSKitemCarrier57Act,  // 57
    TSKitemCarrier58Act,  // 58
    TSKitemCarrier59Act,  // 59
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
