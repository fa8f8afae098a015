#pragma once
// Rank and the item carriers: the rank level the enemy library reads, the
// per-frame rank step that sets the enemy-shot speed bonus and the attack
// rank, and the two item-carrier counters that bring a CHANGE carrier (kind
// 58, counter A) and a BOMB carrier (kind 59, counter B) at 18000.
//
// Threads: main thread only.

#include <cstdint>

inline constexpr int32_t kItemCarrierFull = 18000;
inline constexpr int32_t kItemCarrierChangeKind = 58;
inline constexpr int32_t kItemCarrierBombKind = 59;
inline constexpr int32_t kRankCrowdThreshold = 512;

// The rank counter (0..50): a copy of the fighter's rank taken each frame by
// the rank step; a new fighter starts from it.
extern int32_t rankCounter;
// The attack rank that shortens the pauses between volleys.
extern int32_t enemyAttackRank;
// Counters A (CHANGE) and B (BOMB), 0..18000.
extern int32_t itemCarrierChangeTimer;
extern int32_t itemCarrierBombTimer;
// Carriers made so far in the stage.
extern int32_t itemCarrierCount;
// The carrier arming flag: set at stage start, cleared by the scenes that
// must not bring carriers (the tutorial's voice scenes).
extern int32_t itemCarrierPlayActive;

// The stage-start values of the words above.
void rankCarriersClear();

// The special mode: a score-attack play, or the viewer playing a
// score-attack replay (seqIsScoreAttack). A story replay plays in its own
// mode in every stage, so that it reproduces the recorded play.
bool enemyIsSpecialMode();
// 0..3: the game mode, or in the special mode bands of the rank counter
// (0; 1 to 10; 11 to 30; 31 on).
int32_t enemyRankLevel();
// The attack-rank base of a rank level, stage 0..5 and rank setting 0..4.
int32_t enemyAttackRankBase(int32_t level, int32_t stage, int32_t setting);
// Once a frame while the fighter exists: the rank counter, eshotSpeedBonus,
// enemyAttackRank and the slow motion of a crowded screen.
void enemyUpdateRank();

// Counter A (B) becomes 18000, or 17999 while the arming flag is clear or a
// carrier of its kind or its item (a change item for A, a bomb item for B)
// lives, so that it spawns only after the next raise.
void itemCarrierArmA();
void itemCarrierArmB();
// The carrier x by the carrier count mod 4: 112, 172, 112, 52.
float itemCarrierSpawnX(int32_t count);
// Once a frame while the fighter exists, after enemyUpdateRank: raises the
// counters and makes the carriers.
void itemCarrierUpdate();
