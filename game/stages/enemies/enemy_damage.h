#pragma once
// Damage, kills and score: the hit callbacks that hand a hit to enemyDamage,
// the score multipliers, the revenge bullets, the wreck of dying ground
// enemies and the hit-point scaling of every enemy init.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// Hit callback of most enemies: enemyDamage with the other party of the hit,
// when it still resolves to a work.
void TSKenemyHit(ObjTask* task, ObjWork* work);
// The same; then, while the enemy is dying, each resolving partLink object
// gets lifeState 10 and every link is cleared.
void TSKbossHit(ObjTask* task, ObjWork* work);
// An attack callback that fires nothing.
void TSKenemyNoAttack(ObjTask* task, ObjWork* work);

// One hit of the hitter (its ObjWork::life is the damage; its task group
// tells a bomb, a gun unit or a fighter shot). Ignored while offscreenTimer
// or entryWait is above 0, hp is 0 or the enemy is dying.
void enemyDamage(ObjWork* work, ObjWork* hitter);

// The score rate in tenths (10 = x1.0) by the game mode and the fighter.
int32_t enemyScoreRate();
// The kill multiplier level 1..3 by ready gauges (NOVICE) or the fighter's
// bonus counter.
int32_t enemyScoreLevel();
// The multiplier level of a kill: 8, or enemyScoreLevel while powered up,
// one step up when the fighter is within radius (close set then).
int32_t enemyPointBlank(ObjWork* work, bool* close, int32_t radius);
// The bullets a kill sends back at a powered-up fighter.
void enemyRevengeShot(ObjWork* work);
// The wreck pieces a dying layer follower leaves (when leavesWreck is set).
void enemyDropWreck(ObjWork* work);
// Hit points by the settings: x 0.8 at difficulty setting 2, x 0.8 again in
// NOVICE, each truncating.
int32_t enemyScaleHp(int32_t hp);
