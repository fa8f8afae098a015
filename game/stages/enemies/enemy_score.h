#pragma once
// The score rules of the enemy library as plain functions of their inputs,
// so that the live ones (enemy_damage.h) read the fighter and the settings
// and hand them here.
//
// Threads: any (no state).

#include <cstdint>

// The score rate in tenths by game mode 0..3, from the fighter's combo
// (CASUAL) or rank (ORIGINAL, EXPERT); 10 without a fighter; 0 for another
// mode.
int32_t enemyScoreRateFor(int32_t mode, bool hasFighter, int32_t combo, int32_t rank);
// The kill multiplier level 1..3 from the ready gauges (NOVICE) or the bonus
// counter.
int32_t enemyScoreLevelFor(int32_t mode, bool hasFighter, int32_t readyGauges, int32_t bonusCounter);
// A score at a rate: rate x score / 100 x 10, each division truncating.
uint64_t enemyRatedScore(uint64_t score, int32_t rate);
// Hit points at a difficulty setting and game mode: x 0.8 at setting 2, x
// 0.8 again in NOVICE, each truncating.
int32_t enemyScaleHpFor(int32_t hp, int32_t difficulty, int32_t mode);
// The multiplier level one step up for a point-blank kill: 1..3 up by one,
// 8 to 9, others unchanged.
int32_t enemyPointBlankStep(int32_t level);
// The destruction bonus of a form break: destruction x rate x 50 / 100 x 10,
// x 100 instead of x 50 for the last form.
uint64_t enemyFormBonus(int32_t destruction, int32_t rate, bool lastForm);
// How many revenge bullets a kill of a size class 0..3 sends back, from the
// rank level, the fighter's bonus counter and the rank counter; 0 where none
// are sent (rank level 0 or 1, bonus counter below 1000, class 4).
int32_t enemyRevengeCount(int32_t sizeClass, int32_t rankLevel, int32_t bonusCounter, int32_t rankCounter,
                          bool scoreAttack);
// The stage-5 boss calls the true last boss only for a play on its first
// credit with five secret items and, in ORIGINAL and EXPERT, a rank counter
// of 15.
bool enemyTrueLastBossHolds(int32_t creditCount, int32_t secretItems, int32_t rankCounter, int32_t mode);
// Whether the attack schedule runs twice this frame: every third age while a
// boss fights a powered-up fighter at rank level 2 or 3.
bool enemyAttackTwice(int32_t age, int32_t rankLevel, int32_t bossPresent, bool powerUp);
