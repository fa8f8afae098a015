#pragma once
// Kind 105, the true last boss, on the frame of boss_frame.h over
// "st05boss2": two forms, an eye that follows the fighter, a ring of four
// shots it turns (partLink 6..9), and two parts: the snake (kind 113), a head
// and nine segments on one trail that pass their hits to the boss, and the
// drifters (kind 112), curving shooters that cannot be hit.
//
// It comes after the stage-5 boss's death under the true-boss condition
// (the enemy step calls it after the WARNING and the intro visual 129) and
// stands on the visual's "bosspoint" (bossIntroPoint) while bossIntroHold is
// up, or at (112, 144) while st05DirectBoss2 is set.
//
// Its own fields are the enemy view's `eyeAlpha`, `ringAlpha` and `spin`;
// a drifter's `turnSign` and `twist`; the snake's `trail` and
// `trailHeading` hold its head and nine segments.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/collision.h"

struct ObjTask;
struct ObjWork;

void TSKst05boss2Act(ObjTask* task);
void TSKst05boss2Init(ObjTask* task);
void TSKst05boss2Update(ObjTask* task);
void TSKst05boss2Turret(ObjTask* task, ObjWork* work);
void TSKst05boss2Draw(ObjTask* task, ObjWork* work);

// Kind 113, the snake (hit TSKbossPartHit): one lives at a time.
void TSKst05boss2Part113Act(ObjTask* task);
void TSKst05boss2Part113Turret(ObjTask* task, ObjWork* work);
void TSKst05boss2Part113Draw(ObjTask* task, ObjWork* work);
// Kind 112, the drifter (no hit boxes).
void TSKst05boss2Part112Act(ObjTask* task);
void TSKst05boss2Part112Turret(ObjTask* task, ObjWork* work);
void TSKst05boss2Part112Draw(ObjTask* task, ObjWork* work);

// The snake's trail, newest first: shifted by one every frame with the
// head's place and heading in front. Segment k stands on entry 10 k.
inline constexpr int32_t kSt05boss2TrailEntries = 100;
inline constexpr int32_t kSt05boss2TrailStride = 10;
inline constexpr int32_t kSt05boss2Segments = 10;  // the head and nine segments
inline constexpr int32_t kSt05boss2SnakeBoxes = 11;
struct St05boss2Trail {
    float x[kSt05boss2TrailEntries];
    float y[kSt05boss2TrailEntries];
    int32_t heading[kSt05boss2TrailEntries];
};
extern St05boss2Trail st05boss2Trail;
// The snake's hit boxes: 0 and 10 at the head, k (1..9) on segment k.
extern HitBox st05boss2SnakeBoxes[kSt05boss2SnakeBoxes];
// The stage load: trail and boxes back to 0.
void st05boss2TrailClear();
// Whether a snake lives (a second launch is skipped).
bool st05boss2SnakeAlive();
// Launches a snake at (x, y) for the boss: the trail filled with the place
// and heading 512. Null when one lives or the pool gives none.
ObjTask* st05boss2LaunchSnake(ObjTask* boss, float x, float y);
// Launches a drifter at (x, y) along `heading`, curving by `turnSign`; null
// when the pool gives none.
ObjTask* st05boss2LaunchDrifter(ObjTask* boss, float x, float y, int32_t heading, int32_t turnSign);
