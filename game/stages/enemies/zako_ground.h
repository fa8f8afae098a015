#pragma once
// The ground enemies that ride a scrolled background layer: small turrets
// (kinds 20 to 23) and tanks (24, 25). Each kind's constants are one row of zakoGroundKinds;
// the shared rules (riding the layer, the first frame, the aim slots, the
// distance and height rules of an attack) live in zako_ground_common.cpp.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/collision.h"

struct ObjTask;
struct ObjWork;

struct ZakoGroundKind {
    int32_t kind;
    int32_t hp;
    int32_t score;
    int32_t sizeClass;
    int32_t shotsPerVolley, shotInterval, firstCountdown, volleyPause, pauseRankCut;
    HitBox box;  // halfWidth 0: none
    int32_t aimFrame;  // the marker frame of aim slot 0; 0 the enemy's own place, -1 no slot
    int32_t turnLimit, muzzle;
    int32_t wreckKind;
    float treadFactor;
    bool boxByExtra = false;  // box (and fire) only while age <= spawn extra 0, or it is 0
};

// The row of a ground kind, null for kinds not built here.
const ZakoGroundKind* zakoGroundKind(int32_t kind);

// The shared distance rule: |dx| + |dy| - min(|dx|, |dy|) / 2 to the fighter,
// 0 without one.
float zakoGroundDistance(const ObjWork* work);
// The least distance by game mode: NOVICE 90, CASUAL 80, others 75.
float zakoGroundMinDistance();
// True when a turret may fire: far enough and above y 200.
bool zakoGroundMayFire(const ObjWork* work);
// True while the spawn row's first extra (a lifetime) is 0 or not passed.
bool zakoGroundInTime(const ObjWork* work);
// The shot heading of a slot angle: down to its 32-step, plus 16.
int32_t zakoGroundShotAngle(int32_t slotAngle);

void TSKzako20Act(ObjTask* task);
void TSKzako20Attack(ObjTask* task, ObjWork* work);
void TSKzako20Draw(ObjTask* task, ObjWork* work);
void TSKzako21Act(ObjTask* task);
void TSKzako22Act(ObjTask* task);
void TSKzako22Attack(ObjTask* task, ObjWork* work);
void TSKzako22Draw(ObjTask* task, ObjWork* work);
void TSKzako23Act(ObjTask* task);
void TSKzako24Act(ObjTask* task);
void TSKzako24Attack(ObjTask* task, ObjWork* work);
void TSKzako24Draw(ObjTask* task, ObjWork* work);
void TSKzako24Hit(ObjTask* task, ObjWork* work);
void TSKzako25Act(ObjTask* task);
void TSKzako25Attack(ObjTask* task, ObjWork* work);
void TSKzako25Draw(ObjTask* task, ObjWork* work);
