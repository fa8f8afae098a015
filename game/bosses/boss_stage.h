#pragma once
// The update the two-form stage bosses share, run from a row of what a boss
// adds: its music, hit-box tables, step rows and attack table, the death
// motion, and hooks for its exhaust, its smoke puffs and its linked parts.
//
// Threads: main thread only.

#include <cstdint>

#include "game/bosses/boss_shape.h"
#include "game/core/collision.h"

struct BossStageRow {
    int32_t music;  // played at task age 90
    int32_t turrets;  // refreshed by the update
    const HitBox* formOne;
    int32_t formOneCount;
    const HitBox* formTwo;
    int32_t formTwoCount;
    uint32_t formTwoPhases;  // a bit a phase that shows the form-two boxes
    float smokeTop;          // the smoke offsets' y is smokeTop + r(70)
    const BossStepRow* steps;
    int32_t stepCount;
    const BossAttack* attacks;
    int32_t deathMotion;  // started at death phase 1, timer 0
    // Four smoke puffs with headings base + r(spread).
    void (*puffs)(ObjWork* work, int32_t headingBase, int32_t headingSpread);
    void (*exhaust)(ObjWork* work);  // every frame before the tint; null none
    void (*links)(ObjWork* work);    // after the turret refresh; null none
};

// Once a frame: music, enemy step, exhaust, tint, the death (halt, links
// ended, death motion, puffs every fourth timer of death phase 4), hit
// boxes, the first update, the step rows, turrets, links, the low-life
// puffs every fourth frame, the counters.
void bossStageUpdate(ObjTask* task, const BossStageRow& row);
