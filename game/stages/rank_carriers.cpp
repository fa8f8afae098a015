#include "game/stages/rank_carriers.h"

#include <algorithm>

#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/play_state.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/item.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/item_carrier.h"
#include "game/stages/stage_field.h"

int32_t rankCounter = 0;
int32_t enemyAttackRank = 0;
int32_t itemCarrierChangeTimer = 0;
int32_t itemCarrierBombTimer = 0;
int32_t itemCarrierCount = 0;
int32_t itemCarrierPlayActive = 1;

namespace {

struct RankStep {
    float speed;
    int32_t attack;
};

constexpr int32_t kRankStages = 6;
constexpr int32_t kRankSettings = 5;
constexpr int32_t kRankSteps = 51;

// Levels 0 and 1 share the first table.
constexpr int32_t kRankAttackBase[3][kRankStages * kRankSettings] = {
    {0, 0, 0, 0, 0,
     -64, -48, -32, -16, 0,
     -64, -48, -32, -16, 0,
     -64, -48, -32, -16, 0,
     -64, -48, -32, -16, 0,
     -64, -48, -32, -16, 0},
    {0, 0, 0, 0, 0,
     -4, 0, 4, 8, 12,
     0, 4, 8, 12, 16,
     4, 8, 12, 16, 20,
     8, 12, 16, 20, 24,
     12, 16, 20, 24, 28},
    {0, 0, 0, 0, 0,
     0, 16, 20, 24, 28,
     4, 20, 24, 28, 32,
     8, 24, 28, 32, 36,
     12, 28, 32, 36, 40,
     16, 32, 36, 40, 44}};
constexpr float kRankSpeedBySetting[kRankSettings] = {0.0f, 0.0f, 1.0f, 2.0f, 0.0f};
constexpr float kRankSpeedByLevel[4] = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr RankStep kRankStepsLevel2[kRankSteps] = {
    {0.0f, 0}, {0.0f, 0}, {0.0f, 0}, {0.1f, 0}, {0.1f, 0}, {0.2f, 0}, {0.2f, 0}, {0.3f, 1}, {0.3f, 2},
    {0.4f, 3}, {0.4f, 4}, {0.5f, 5}, {0.5f, 6}, {0.6f, 7}, {0.6f, 8}, {0.7f, 9}, {0.7f, 10}, {0.8f, 11},
    {0.8f, 12}, {0.9f, 13}, {0.9f, 14}, {1.0f, 15}, {1.0f, 16}, {1.1f, 17}, {1.1f, 18}, {1.2f, 19},
    {1.2f, 20}, {1.3f, 21}, {1.3f, 22}, {1.4f, 23}, {1.4f, 24}, {1.5f, 25}, {1.5f, 26}, {1.6f, 27},
    {1.6f, 28}, {1.7f, 29}, {1.7f, 30}, {1.8f, 31}, {1.8f, 32}, {1.9f, 33}, {1.9f, 34}, {2.0f, 35},
    {2.0f, 36}, {2.1f, 37}, {2.1f, 38}, {2.2f, 39}, {2.2f, 40}, {2.3f, 41}, {2.3f, 42}, {2.4f, 43},
    {2.5f, 44},};
constexpr RankStep kRankStepsLevel3[kRankSteps] = {
    {0.0f, 0}, {0.0f, 0}, {0.0f, 1}, {0.0f, 1}, {0.0f, 2}, {0.1f, 2}, {0.1f, 3}, {0.1f, 3}, {0.1f, 4},
    {0.2f, 4}, {0.2f, 5}, {0.2f, 5}, {0.2f, 6}, {0.3f, 6}, {0.3f, 7}, {0.3f, 7}, {0.3f, 8}, {0.4f, 8},
    {0.4f, 9}, {0.4f, 9}, {0.4f, 10}, {0.5f, 10}, {0.5f, 11}, {0.5f, 11}, {0.5f, 12}, {0.6f, 12}, {0.6f, 13},
    {0.6f, 13}, {0.6f, 14}, {0.7f, 14}, {0.7f, 15}, {0.8f, 15}, {0.8f, 16}, {0.9f, 16}, {0.9f, 17},
    {1.0f, 17}, {1.0f, 18}, {1.1f, 18}, {1.1f, 19}, {1.2f, 19}, {1.2f, 20}, {1.3f, 20}, {1.3f, 21},
    {1.4f, 21}, {1.4f, 22}, {1.5f, 22}, {1.5f, 23}, {1.6f, 23}, {1.6f, 24}, {1.7f, 24}, {1.7f, 25},};
constexpr RankStep kRankStepsSpecial[kRankSteps] = {
    {0.0f, 0}, {0.02f, 0}, {0.04f, 0}, {0.06f, 1}, {0.08f, 1}, {0.1f, 2}, {0.12f, 2}, {0.14f, 3}, {0.16f, 3},
    {0.18f, 4}, {0.2f, 5}, {0.12f, 3}, {0.14f, 3}, {0.16f, 4}, {0.18f, 4}, {0.2f, 5}, {0.24f, 5}, {0.28f, 6},
    {0.32f, 6}, {0.36f, 7}, {0.4f, 7}, {0.45f, 8}, {0.5f, 8}, {0.55f, 9}, {0.6f, 9}, {0.65f, 10}, {0.7f, 10},
    {0.75f, 11}, {0.8f, 11}, {0.85f, 12}, {0.9f, 12}, {0.5f, 10}, {0.54f, 11}, {0.58f, 12}, {0.62f, 12},
    {0.66f, 13}, {0.7f, 13}, {0.74f, 14}, {0.78f, 14}, {0.82f, 15}, {0.86f, 15}, {0.9f, 16}, {1.0f, 17},
    {1.1f, 18}, {1.2f, 19}, {1.3f, 20}, {1.4f, 20}, {1.5f, 21}, {1.6f, 22}, {1.7f, 23}, {1.8f, 24},};

constexpr float kCarrierSpawnY = -16.0f;
constexpr float kCarrierSpeed = 3.0f;
constexpr int32_t kCarrierHeading = 512;
constexpr int32_t kRankCrowdSlowFrames = 30;
constexpr int32_t kRankCrowdSlowPeriod = -4;

int32_t rankSetting() {
    if (enemyIsSpecialMode()) return 1;
    return std::clamp(settingsSnapshot.GAME_RANK, 0, kRankSettings - 1);
}

void rankCarrierArm(int32_t& counter, int32_t kind, int32_t itemsLive) {
    const bool wait = itemCarrierPlayActive == 0 || itemCarrierLiveOf(kind) > 0 || itemsLive > 0;
    counter = wait ? kItemCarrierFull - 1 : kItemCarrierFull;
}

void rankCarrierRaise(int32_t& counter, int32_t amount, void (*arm)()) {
    counter += amount;
    if (counter >= kItemCarrierFull) arm();
}

// A kind without an act makes no carrier; its counter restarts all the same.
void rankCarrierSpawn(int32_t& counter, int32_t kind) {
    if (counter < kItemCarrierFull) return;
    counter = 0;
    ObjTask* task = enemySpawnKind(kind, -1, itemCarrierSpawnX(itemCarrierCount), kCarrierSpawnY);
    if (task == nullptr) return;
    ++itemCarrierCount;
    task->work->speed = kCarrierSpeed;
    task->work->heading = kCarrierHeading;
}

}  // namespace

void rankCarriersClear() {
    rankCounter = 0;
    enemyAttackRank = 0;
    eshotSpeedBonus = 0.0f;
    itemCarrierChangeTimer = 0;
    itemCarrierBombTimer = 0;
    itemCarrierCount = 0;
    itemCarrierPlayActive = 1;
}

bool enemyIsSpecialMode() { return seqIsScoreAttack(); }

int32_t enemyRankLevel() {
    if (!enemyIsSpecialMode()) return std::clamp(gameMode, 0, 3);
    if (rankCounter <= 0) return 0;
    if (rankCounter <= 10) return 1;
    if (rankCounter <= 30) return 2;
    return 3;
}

int32_t enemyAttackRankBase(int32_t level, int32_t stage, int32_t setting) {
    const int32_t table = std::max(std::clamp(level, 0, 3) - 1, 0);
    return kRankAttackBase[table][std::clamp(stage, 0, kRankStages - 1) * kRankSettings +
                                  std::clamp(setting, 0, kRankSettings - 1)];
}

void enemyUpdateRank() {
    const int32_t setting = rankSetting();
    const int32_t level = enemyRankLevel();
    int32_t attack = enemyAttackRankBase(level, stageNumber, setting);
    if (ObjWork* work = fighterGetWork()) rankCounter = std::clamp(fighter(work).rank, 0, kFighterRankMax);
    const int32_t rank = std::clamp(rankCounter, 0, kRankSteps - 1);
    int32_t cap = 32;
    RankStep step{0.0f, 0};
    if (enemyIsSpecialMode()) {
        cap = 80;
        step = kRankStepsSpecial[rank];
    } else if (level == 2) {
        cap = 52;
        step = kRankStepsLevel2[rank];
    } else if (level == 3) {
        cap = 128;
        step = kRankStepsLevel3[rank];
    }
    attack += step.attack;
    float bonus = kRankSpeedByLevel[level] + kRankSpeedBySetting[setting] + step.speed;
    if (fighterIsPowerUp()) {
        cap += 8;
        attack += 8;
        bonus *= 0.85f;
    } else {
        bonus *= 0.7f;
    }
    // The prologue gets neither, powered up or not.
    enemyAttackRank = stageNumber == 0 ? 0 : std::min(attack, cap);
    eshotSpeedBonus = stageNumber == 0 ? 0.0f : bonus;
    if (eshotLiveCount >= kRankCrowdThreshold) {
        slowMotionFrames = kRankCrowdSlowFrames;
        slowMotionPeriod = kRankCrowdSlowPeriod;
    }
}

void itemCarrierArmA() { rankCarrierArm(itemCarrierChangeTimer, kItemCarrierChangeKind, itemLiveChanges); }
void itemCarrierArmB() { rankCarrierArm(itemCarrierBombTimer, kItemCarrierBombKind, itemLiveBombs); }

float itemCarrierSpawnX(int32_t count) {
    static constexpr float kXs[4] = {112.0f, 172.0f, 112.0f, 52.0f};
    return kXs[static_cast<uint32_t>(count) % 4u];
}

void itemCarrierUpdate() {
    if (!fighterAnyReady() || spawnSuppressed != 0) {
        itemCarrierChangeTimer = itemCarrierBombTimer = 0;
        return;
    }
    if (fighterGetWork() == nullptr || fighterGetControl() == 0) return;
    if (itemCarrierPlayActive != 0) {
        const int32_t sub = gameGetSubSystem();
        rankCarrierRaise(itemCarrierChangeTimer, 6, itemCarrierArmA);
        if (sub == 1) rankCarrierRaise(itemCarrierChangeTimer, 2, itemCarrierArmA);
        if (bossPresentFlag != 2) {
            rankCarrierRaise(itemCarrierBombTimer, 2, itemCarrierArmB);
            if (sub == 0) rankCarrierRaise(itemCarrierBombTimer, 1, itemCarrierArmB);
            if (fighterIsPowerUp()) rankCarrierRaise(itemCarrierBombTimer, 2, itemCarrierArmB);
        }
    }
    rankCarrierSpawn(itemCarrierChangeTimer, kItemCarrierChangeKind);
    rankCarrierSpawn(itemCarrierBombTimer, kItemCarrierBombKind);
}
