#pragma once
// Kind 103, the stage-4 boss, on the frame of boss_frame.h over "st04boss":
// three forms, thirteen guns, the side beams of its curtain attacks and, in
// its third form, the falling block (kind 118) that sweeps the screen. It
// raises st4BossEntered and st4BossDying for the stage-4 arena and
// st4BurstSignal for the bouncing shots.
//
// Its own field is the enemy view's `beamLevel`; the block's are
// `sweepTarget`, `sweepCount`, `spinAngle`, `frameIndex` and `subState`.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

void TSKst04bossAct(ObjTask* task);
void TSKst04bossInit(ObjTask* task);
void TSKst04bossUpdate(ObjTask* task);
void TSKst04bossTurret(ObjTask* task, ObjWork* work);
void TSKst04bossDraw(ObjTask* task, ObjWork* work);

// Kind 118, the falling block: its boss is ObjWork::parentWork; it ends once
// that no longer resolves.
void TSKst04bossPart118Act(ObjTask* task);
void TSKst04bossPart118Attack(ObjTask* task, ObjWork* work);
void TSKst04bossPart118Draw(ObjTask* task, ObjWork* work);

// A point on the form-3 arc at angle a (1024 a turn) around the boss.
struct St04bossPoint {
    float x, y;
};
St04bossPoint st04bossArcPoint(const ObjWork* boss, int32_t a);
