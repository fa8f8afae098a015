#pragma once
// The game-wide values of the enemy library, cleared at every stage load
// (enemyWordsClear) and covered by the state hash.
//
// Threads: main thread only.

#include <cstdint>

// The purge: set to 2 when a boss changes form or begins to die; while above
// 0 every ordinary enemy whose diesWithBoss is 1 starts dying. The game main
// update lowers it once an act pass.
extern int32_t enemyExplosionTimer;
// 300 while a dead boss's wreck lies on the background layers, else 0.
extern int32_t wreckLayerValue;
// Set when kind 62's death brings the stage-3 boss.
extern int32_t stage3BossFlag;
// Raised by 10 at every hit.
extern uint64_t enemyHitCounters[2];
// The enemies' score values summed at kills and form breaks, the points
// paid for them, and the destruction bonuses paid at form breaks.
extern uint64_t enemyRawScoreTotal;
extern uint64_t enemyPaidScoreTotal;
extern uint64_t enemyFormBonusTotal;
extern uint64_t enemyDestructionBonusTotal;
// The damage a present boss took toward the kind-59 carrier (80 a step).
extern int32_t enemyBossDamageCounter;
// Frames before a fighter shot's hit sound may play again.
extern int32_t enemyShotSoundCooldown;

// The head-up display's target gauge: the last enemy hit.
struct EnemyTargetGauge {
    int32_t lifeMax;
    int32_t showTimer;  // 180 at a hit
    int32_t life;       // 0 once dying
    int32_t formHpMax[10];
};
extern EnemyTargetGauge enemyTargetGauge;

// Clears all of the above and the sound gates' cooldowns (the stage load).
void enemyWordsClear();
