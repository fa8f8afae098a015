#pragma once
// The frame of the bosses from stage 3 on, built over the shape of
// boss_shape.h: one update skeleton that every such boss runs (the enemy
// step, the tint, the dying frame with its death motion and smoke, the
// one-time set-up, the hit boxes, the phase machine, the turret locators,
// the first link following turret 0, the low-life smoke and the counters),
// the init's extra value, the draw with the damage fire on the boss's own
// layer, and the "smoke%02d" bursts.
//
// Fields are the enemy view's: `formHp` is the form life, `lifeState` the
// condition, `aimWords` the burst scratch, `noHitBoxes` the no-attack switch,
// `locators` the turret positions (entries 0..4 also take the smoke
// positions), `partLink` the ten linked parts, `smokeOffsets`, `setupDone`.
//
// Threads: main thread only.

#include <cstdint>

#include "game/bosses/boss_shape.h"

// What a frame boss gives the skeleton.
struct BossFrameKind {
    int32_t deathMotion;  // started at death phase 1, timer 0
    int32_t turretReads;  // "turret%02d" locators read by each update
    int32_t smokeCount;   // "smoke%02d" locators 0..n-1
    int32_t deathSmoke, damageSmoke;  // the effect kinds of the two bursts
    void (*setUp)(ObjWork* work);     // the one-time set-up (steering, smoke offsets)
    void (*hitBoxes)(ObjWork* work);  // installs the phase's boxes (bossInstallHitBoxes)
    void (*phases)(ObjTask* task, ObjWork* work);  // the phase and step machine
    void (*dying)(ObjWork* work);     // the kind's own dying frame; null none
};

// bossInit, then the frame's bonus countdown and the boss phase word
// `stageProgress` 2. False (task ended) without a record.
bool bossFrameInit(ObjTask* task, const BossInitRow& row);
// One frame of the skeleton; the task ends when the enemy step says so.
void bossFrameUpdate(ObjTask* task, const BossFrameKind& kind);
// The silhouette and, alive below 32768 hit points, the damage fire on the
// layer of the boss's depth.
void bossFrameDraw(ObjWork* work);

// Reads the "smoke%02d" locators 0..count-1; each one found is written over
// `locators` entry n and puffs effect `kind` at heading base + r(32), speed
// 3 + r(5). A missing locator keeps its entry and puffs nothing.
void bossSmokeBurst(ObjWork* work, int32_t count, int32_t kind, int32_t headingBase);
// The ten random damage-fire offsets: x -65 + r(130), y top + r(70).
void bossScatterSmoke(ObjWork* work, int32_t top);
