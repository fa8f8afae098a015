#include "game/stages/enemies/enemy_words.h"

#include "game/stages/enemies/enemy_sound_gate.h"

int32_t enemyExplosionTimer = 0;
int32_t wreckLayerValue = 0;
int32_t stage3BossFlag = 0;
uint64_t enemyHitCounters[2] = {};
uint64_t enemyRawScoreTotal = 0;
uint64_t enemyPaidScoreTotal = 0;
uint64_t enemyFormBonusTotal = 0;
uint64_t enemyDestructionBonusTotal = 0;
int32_t enemyBossDamageCounter = 0;
int32_t enemyShotSoundCooldown = 0;
EnemyTargetGauge enemyTargetGauge = {};

void enemyWordsClear() {
    enemyExplosionTimer = 0;
    wreckLayerValue = 0;
    stage3BossFlag = 0;
    enemyHitCounters[0] = enemyHitCounters[1] = 0;
    enemyRawScoreTotal = enemyPaidScoreTotal = 0;
    enemyFormBonusTotal = enemyDestructionBonusTotal = 0;
    enemyBossDamageCounter = 0;
    enemyShotSoundCooldown = 0;
    enemyTargetGauge = {};
    enemySoundGatesClear();
}
