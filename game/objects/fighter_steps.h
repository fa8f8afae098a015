#pragma once
// The fighter's own tables and the steps its files share.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/core/collision.h"

struct ObjTask;
struct ObjWork;
struct FighterFields;

inline constexpr float kFighterStartSpeed = 8.6f;
inline constexpr float kFighterDepth = 613.0f;
inline constexpr float kFighterHomeX = 112.0f;
inline constexpr float kFighterHomeY = 220.0f;
inline constexpr float kFighterPrologueY = 170.0f;
inline constexpr float kFighterMinX = 12.0f, kFighterMaxX = 212.0f;
inline constexpr float kFighterMinY = 24.0f, kFighterMaxY = 256.0f;
inline constexpr int32_t kFighterBankLevel = 4;
inline constexpr int32_t kFighterBankFrames = 9;
inline constexpr int32_t kFighterBankStep = 3;
inline constexpr int32_t kFighterHoldForLaser = 10;
inline constexpr int32_t kFighterBurstFrames = 40;

// The pad direction (bits up, down, left, right) as a heading of 1024 units
// a turn; -1 where the direction moves nowhere.
extern const std::array<int32_t, 16> kFighterDirectionHeading;
// Target speed in tenths of a pixel a frame, by type: shot mode, laser mode.
extern const std::array<std::array<int32_t, 2>, 4> kFighterTargetSpeed;
// The six hit boxes; the fighter uses the first five.
extern const std::array<HitBox, 6> fighterHitBoxTable;
inline constexpr int32_t kHitBoxTiny = 0, kHitBoxLarge = 1, kHitBoxNormal = 2, kHitBoxTall = 3;

// A score-attack play (menuResultCode 2, or a score-attack replay shown).
bool fighterScoreAttack();
// The clears of a stage start that the snapshot and the position reset share.
void fighterStageClears(ObjWork* work);
// The task's input and steps of one running frame.
void fighterMoveStep(ObjWork* work, uint32_t direction);
void fighterWeaponStep(ObjWork* work);
void fighterPowerStep(ObjWork* work);
void fighterHitBoxStep(ObjWork* work);
void fighterDecayStep(ObjWork* work);
void fighterGaugeRefill(FighterFields& f);
// The bonus counter at a power-up's end.
int32_t fighterBonusCut(int32_t counter);
