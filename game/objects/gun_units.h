#pragma once
// Gun units: the two `RGUN` tasks of group 10 that fly in formation with the
// fighter and fire fighter shots of the gun-unit kinds in step with it. The
// fighter's set-up creates them (act TSKgunAct, task parent = the fighter's
// task), runs each act once and gives them indexes 0 and 1. A unit whose
// parent no longer resolves ends.
//
// Threads: main thread only (act, collision and draw passes).

#include <cstdint>

#include "game/core/obj_task.h"

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kGunGroup = 10;
inline constexpr uint32_t kGunTag = objTag("RGUN");

// The act: state 0 set-up, 100 update, animation step and fire; any other
// state releases the task unless it is exempt (flag bit 29).
void TSKgunAct(ObjTask* task);
// Gives the unit its index: 0 left, 1 right (the mirrored side).
void gunSetIndex(ObjWork* work, int32_t index);
// Puts the unit back on the fighter's position, depth 612, size 80 x 80,
// animation reset. Does nothing for a null work.
void gunReset(ObjWork* work);
void TSKgunUpdate(ObjTask* task);
void TSKgunFire(ObjTask* task);
void TSKgunDraw(ObjTask* task, ObjWork* work);
// Hit callback: marks an enemy contact for the frame, with a spark every
// third frame.
void TSKgunHit(ObjTask* task, ObjWork* work);
