#pragma once
// Fighter shots: `FSHT` tasks of group 6, fired by the fighter (kinds 7t+0..2
// for fighter type t) and by its gun units (kinds 7t+3..6). The damage sits
// in the work's life field.
//
// Threads: main thread only (act, collision and draw passes).

#include <cstdint>

#include "game/core/obj_task.h"

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kFshotKinds = 28;
inline constexpr int32_t kFshotGroup = 6;
inline constexpr uint32_t kFshotTag = objTag("FSHT");

// The live fighter shots: a shot counts from its first update until its
// release. Set to 0 by gameMainInit.
struct FshotCounters {
    int32_t all;  // every live fighter shot
    int32_t own;  // the fighter's own kinds (7t+0..2)
    int32_t gun;  // the gun units' kinds (7t+3..6)
};
extern FshotCounters fshotCounters;

// True for the fighter's own kinds (7t+0..2), false for the gun units'.
bool fshotIsOwnKind(int32_t kind);

// The act: state 0 set-up, 100 TSKfshotUpdate, any other state releases the
// task unless it is exempt (flag bit 29).
void TSKfshotAct(ObjTask* task);
// The kind's hit box (count 1), or none while the work's hits are off.
void fshotSetHitBox(ObjWork* work);
void TSKfshotUpdate(ObjTask* task);
void TSKfshotDraw(ObjTask* task, ObjWork* work);
// Hit callback: the first contact ends the shot with its hit effect and spark.
void TSKfshotHit(ObjTask* task, ObjWork* work);
// Release function: gives the shot back to the counters when it was counted,
// and frees the work.
void TSKfshotKill(ObjTask* task);
