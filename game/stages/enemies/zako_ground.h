#pragma once
// The ground enemies that ride a scrolled background layer: small turrets
// (kinds 20 to 23), tanks (24, 25), pop-up guns (26, 27), gun emplacements
// (60, 61), the hangar (64) and its gun carriers (66, 67), the heavy turret
// (65) and the hidden targets (78, 79). Each kind's constants are one row of
// the family's table; the shared rules (riding the layer, the first frame,
// the aim slots, the distance and height rules of an attack) live in
// zako_ground_common.cpp.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/collision.h"

struct ObjTask;
struct ObjWork;

// A row's flags.
inline constexpr uint32_t kZakoGroundFirstDrawn = 1u << 0;    // first countdown randRange(n), else n
inline constexpr uint32_t kZakoGroundBoxByExtra = 1u << 1;    // box and fire only while age <= extra 0, or it is 0
inline constexpr uint32_t kZakoGroundNoDebris = 1u << 2;      // the common death leaves no wreck
inline constexpr uint32_t kZakoGroundFiresInBoss = 1u << 3;   // the schedule fires while a boss is present
inline constexpr uint32_t kZakoGroundNoBossTest = 1u << 4;    // the first frame ignores a present boss
inline constexpr uint32_t kZakoGroundAgeless = 1u << 5;       // the work's age stays 0
inline constexpr uint32_t kZakoGroundOutlivesBoss = 1u << 6;  // the boss-death sweep spares it
inline constexpr uint32_t kZakoGroundOwnDepth = 1u << 7;      // no layer depth on the first frame
inline constexpr int32_t kZakoGroundSlots = 3;

struct ZakoGroundKind {
    int32_t kind;
    int32_t hp;
    int32_t score;
    int32_t sizeClass;
    int32_t shotsPerVolley, shotInterval, firstCountdown, volleyPause, pauseRankCut;
    HitBox boxes[2];
    int32_t boxCount;
    // The marker frame of each aim slot: 0 the enemy's own place, -1 none.
    int32_t aimFrames[kZakoGroundSlots];
    int32_t turnLimit, muzzle;
    int32_t wreckKind;
    int32_t explosionKind;  // the final explosion, 0 the ground set's own
    float treadFactor;
    uint32_t flags;
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
void TSKzako26Act(ObjTask* task);
void TSKzako26Attack(ObjTask* task, ObjWork* work);
void TSKzako26Draw(ObjTask* task, ObjWork* work);
void TSKzako26Hit(ObjTask* task, ObjWork* work);
void TSKzako27Act(ObjTask* task);
void TSKzako27Attack(ObjTask* task, ObjWork* work);
void TSKzako27Draw(ObjTask* task, ObjWork* work);
void TSKzako27Hit(ObjTask* task, ObjWork* work);
void TSKzako60Act(ObjTask* task);
void TSKzako60Attack(ObjTask* task, ObjWork* work);
void TSKzako60Draw(ObjTask* task, ObjWork* work);
void TSKzako60Hit(ObjTask* task, ObjWork* work);
void TSKzako61Act(ObjTask* task);
void TSKzako61Attack(ObjTask* task, ObjWork* work);
void TSKzako61Draw(ObjTask* task, ObjWork* work);
void TSKzako61Hit(ObjTask* task, ObjWork* work);
void TSKzako64Act(ObjTask* task);
void TSKzako64Draw(ObjTask* task, ObjWork* work);
void TSKzako65Act(ObjTask* task);
void TSKzako65Attack(ObjTask* task, ObjWork* work);
void TSKzako65Draw(ObjTask* task, ObjWork* work);
void TSKzako65Hit(ObjTask* task, ObjWork* work);
void TSKzako66Act(ObjTask* task);
void TSKzako66Attack(ObjTask* task, ObjWork* work);
void TSKzako66Draw(ObjTask* task, ObjWork* work);
void TSKzako78Act(ObjTask* task);
void TSKzako78Draw(ObjTask* task, ObjWork* work);
void TSKzako78Hit(ObjTask* task, ObjWork* work);
void TSKzako79Act(ObjTask* task);
void TSKzako79Draw(ObjTask* task, ObjWork* work);
void TSKzako79Hit(ObjTask* task, ObjWork* work);
