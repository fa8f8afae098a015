#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_visuals.h"
#include "game/bosses/boss_warning.h"
#include "game/bosses/st04boss.h"
#include "game/bosses/st05boss.h"
#include "game/bosses/st05boss2.h"
#include "game/bosses/tutorial.h"
#include "game/core/obj_work.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/item_carrier.h"
#include "game/stages/enemies/stage_visuals.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_62.h"
#include "game/stages/enemies/zako_small.h"

// By kind; each family's issue sets its own rows (the prologue's kind 122
// is the tutorial, TSKtutorialAct).
ObjTaskFn const enemyKindTable[kEnemyKinds] = {
    TSKzako00Act,         // 0
    TSKzako01Act,         // 1
    TSKzako02Act,         // 2
    TSKzako03Act,         // 3
    TSKzako04Act,         // 4
    nullptr,              // 5
    nullptr,              // 6
    nullptr,              // 7
    TSKzako08Act,         // 8
    nullptr,              // 9
    nullptr,              // 10
    TSKzako11Act,         // 11
    nullptr,              // 12
    TSKzako13Act,         // 13
    TSKzako14Act,         // 14
    nullptr,              // 15
    nullptr,              // 16
    nullptr,              // 17
    nullptr,              // 18
    nullptr,              // 19
    TSKzako20Act,         // 20
    TSKzako21Act,         // 21
    TSKzako22Act,         // 22
    TSKzako23Act,         // 23
    TSKzako24Act,         // 24
    TSKzako25Act,         // 25
    TSKzako26Act,         // 26
    TSKzako27Act,         // 27
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
    TSKzako40Act,         // 40
    TSKzako41Act,         // 41
    TSKzako42Act,         // 42
    TSKzako43Act,         // 43
    TSKzako44Act,         // 44
    TSKzako45Act,         // 45
    TSKzako46Act,         // 46
    TSKzako47Act,         // 47
    TSKzako48Act,         // 48
    TSKzako49Act,         // 49
    TSKzako50Act,         // 50
    nullptr,              // 51
    nullptr,              // 52
    nullptr,              // 53
    nullptr,              // 54
    nullptr,              // 55
    nullptr,              // 56
    TSKitemCarrier57Act,  // 57
    TSKitemCarrier58Act,  // 58
    TSKitemCarrier59Act,  // 59
    TSKzako60Act,         // 60
    TSKzako61Act,         // 61
    TSKzako62Act,         // 62
    nullptr,              // 63
    TSKzako64Act,         // 64
    TSKzako65Act,         // 65
    TSKzako66Act,         // 66
    TSKzako66Act,         // 67
    nullptr,              // 68
    nullptr,              // 69
    TSKzako70Act,         // 70
    TSKzako70Act,         // 71
    TSKzako72Act,         // 72
    TSKzako72Act,         // 73
    TSKzako74Act,         // 74
    TSKzako75Act,         // 75
    TSKzako76Act,         // 76
    TSKzako77Act,         // 77
    TSKzako78Act,         // 78
    TSKzako79Act,         // 79
    TSKst01mbossAct,      // 80
    TSKst02mbossAct,      // 81
    TSKst03mbossAct,      // 82
    TSKst04mbossAct,      // 83
    TSKst05mbossAct,      // 84
    TSKst05mboss2Act,     // 85
    nullptr,              // 86
    nullptr,              // 87
    nullptr,              // 88
    nullptr,              // 89
    nullptr,              // 90
    nullptr,              // 91
    nullptr,              // 92
    nullptr,              // 93
    nullptr,              // 94
    nullptr,              // 95
    nullptr,              // 96
    nullptr,              // 97
    nullptr,              // 98
    nullptr,              // 99
    TSKst01bossAct,       // 100
    TSKst02bossAct,       // 101
    TSKst03bossAct,       // 102
    TSKst04bossAct,       // 103
    TSKst05bossAct,       // 104
    TSKst05boss2Act,      // 105
    nullptr,              // 106
    nullptr,              // 107
    nullptr,              // 108
    nullptr,              // 109
    nullptr,              // 110
    nullptr,              // 111
    TSKst05boss2Part112Act,  // 112
    TSKst05boss2Part113Act,  // 113
    TSKst05bossPart114Act,  // 114
    TSKst05bossPart115Act,  // 115
    TSKst05bossPart115Act,  // 116
    TSKst05mboss2Part117Act,  // 117
    TSKst04bossPart118Act,  // 118
    TSKst03bossPart119Act,  // 119
    nullptr,              // 120
    TSKst02bossAppearAct, // 121
    TSKtutorialAct,       // 122
    TSKstageOverlayAct,   // 123
    TSKst2bossvisualAct,  // 124
    TSKst3bossvisualAct,  // 125
    TSKst4bossvisualAct,  // 126
    TSKst05GateAct,       // 127
    TSKst05bossAppearAct, // 128
    TSKst5boss2visualAct, // 129
    TSKemptyEffectAct,    // 130
    TSKemptyEffectAct,    // 131
    TSKemptyEffectAct,    // 132
    TSKemptyEffectAct,    // 133
    TSKbossWarningAct,    // 134
    nullptr,              // 135
    nullptr,              // 136
    nullptr,              // 137
    nullptr,              // 138
    nullptr,              // 139
    TSKzako140Act,        // 140
    TSKzako141Act,        // 141
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
