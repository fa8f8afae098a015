#pragma once
// The enemy kinds: the table that turns a kind into the act of its task, the
// act words every enemy task keeps, and the library's own spawns.
//
// Every enemy, mid-boss, boss, boss part and stage visual is a task of group
// 7 tagged ZAKO. Its act follows one shape: state 0 makes the work record and
// fills it (the movement script by enemySelectMoveScript, the life often by
// enemyScaleHp, offscreenTimer 3600) and sets state 100; state 100 runs
// enemyMoveScript, raises the age, then the family's update, which calls
// enemyStep and sets state -1 when it returns false; any other state releases
// the task unless flag bit 29 keeps it.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_task.h"

struct ObjWork;

inline constexpr int32_t kEnemyKinds = 153;
inline constexpr int kEnemyGroup = 7;
inline constexpr uint32_t kEnemyTag = objTag("ZAKO");
// Task flag bit 8: the enemy follows a background layer (movement op 2).
inline constexpr uint32_t kEnemyFollowsLayer = 1u << 8;

// The act words of an enemy task.
inline constexpr int kEnemyParamWord = 0;  // the spawn row's param, -1 none
inline constexpr int kEnemyAgeWord = 1;    // frames run in state 100
inline int32_t& enemySpawnParam(ObjTask* task) { return task->actWords[kEnemyParamWord]; }
inline int32_t& enemyAge(ObjTask* task) { return task->actWords[kEnemyAgeWord]; }

// The act of each kind 0..152; null where no family is built (the spawner
// skips such a row). Each family's issue fills its own rows.
extern ObjTaskFn const enemyKindTable[kEnemyKinds];

// The act of a kind, null outside 0..152 or where the table holds none.
ObjTaskFn enemyKindAct(int32_t kind);

// Makes an enemy of a kind as the spawner does: a ZAKO task of group 7 with
// the kind's act, the spawn param written, the act run once, then kind, x and
// y written. Null (nothing made) for a kind without an act, a full pool, or
// an act that made no work record.
ObjTask* enemySpawnKind(int32_t kind, int32_t param, float x, float y);
