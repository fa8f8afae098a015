#pragma once
// What a boss's part objects share: the launch of a part as a child task of
// its boss, the end of a boss's parts of one act, the release that ends a
// part's own links, the hit that hands a shot on to the boss, and the speed
// a part flies toward its target at.
//
// A part keeps its boss as ObjWork::parentWork (an ObjRef) and resolves it
// before every read; once it no longer resolves the part ends at once.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_task.h"

struct ObjWork;

// A ZAKO task of group 7 with the act, the boss as its parent, spawn param
// -1 and its act run once; null when the pool gave no task or no record
// (the task, if any, ends by itself).
ObjTask* bossSpawnPart(ObjTask* boss, ObjTaskFn act);
// A part's own record, set up by its act's init: held by the task with the
// release, age 0, the boss (the task's parent) as its parentWork. Null, the
// task ended, when the pool has none.
ObjWork* bossPartNew(ObjTask* task, ObjTaskFn release);
// Every live part of that act whose boss is this one starts dying.
void bossEndParts(ObjWork* boss, ObjTaskFn act);
// The parts' (and the bosses') release: their links end, the record is freed.
void bossFreeWithLinks(ObjTask* task);
// The part's boss, or null once it is gone.
ObjWork* bossPartBoss(ObjWork* part);

// A part's hit: a bomb (group 16) or a hitter without a record changes
// nothing; any other hit is the boss's (its last collider, enemyDamage). The
// part itself never loses hit points.
void TSKbossPartHit(ObjTask* task, ObjWork* work);

// Speed toward a point by the octagonal distance d: 8 above 16, 4 above 8,
// 2 above 4, 1 above 2, else 0.
float partApproachSpeed(float x1, float y1, float x2, float y2);
