#pragma once
// Effects: explosions, sparks, muzzle flashes, vanish puffs, laser charge
// glows, bomb visuals and the other short-lived pictures, `EFCT` tasks of
// group 8 made from one of 143 kinds (0..142). An effect animates, may move,
// and ends by itself; its parent, when it has one, is resolved every frame and
// its position is relative to the parent's.
//
// Threads: main thread only (act and draw passes).

#include <cstdint>

#include "game/core/obj_ref.h"

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kEffectKinds = 143;
inline constexpr int32_t kEffectGroup = 8;

// Makes an effect of `kind` (0..142) moving `speed` pixels a frame along
// `angle` (1024 units a turn, 0 up, clockwise) at (x, y), relative to
// `parent` when that resolves (pass ObjRef{} for none). `param1` and
// `param2` are the kind's first and second parameters. Nothing is made for a
// kind outside 0..142, for kinds 137-140 while the dramatic-mode setting is 0,
// or when the pool has no free task or work. The effect's first update runs
// at once.
void TSKeffectCreate(int32_t kind, int32_t angle, float speed, int32_t param1, int32_t param2, ObjRef parent,
                     float x, float y);

// The EFCT act: state 0 makes the work, 100 runs TSKeffectUpdate, any other
// state releases the task unless it is exempt (flag bit 29).
void TSKeffectAct(ObjTask* task);
// The kind's own step, the motion, the screen test and the frame counter.
void TSKeffectUpdate(ObjTask* task);
// Draw callback: queues the effect's sprite (and its motion, kind 81).
void TSKeffectDraw(ObjTask* task, ObjWork* work);
