#include "game/stages/enemies/enemy_score.h"

#include <algorithm>

namespace {

constexpr int32_t kScoreCasualRates[6] = {10, 12, 16, 20, 25, 30};

}  // namespace

int32_t enemyScoreRateFor(int32_t mode, bool hasFighter, int32_t combo, int32_t rank) {
    switch (mode) {
    case 0:
        return 10;
    case 1:
        return hasFighter ? kScoreCasualRates[std::clamp(combo, 0, 5)] : 10;
    case 2:
    case 3: {
        const int32_t r = hasFighter ? std::clamp(rank, 0, 50) : 0;
        if (r <= 30) return 10 + r;
        if (r <= 40) return 40 + 2 * (r - 30);
        return 60 + 3 * (r - 40);
    }
    default:
        return 0;
    }
}

int32_t enemyScoreLevelFor(int32_t mode, bool hasFighter, int32_t readyGauges, int32_t bonusCounter) {
    if (mode == 0) return readyGauges >= 4 ? 3 : readyGauges == 3 ? 2 : 1;
    if (!hasFighter || bonusCounter < 500) return 1;
    return bonusCounter < 750 ? 2 : 3;
}

uint64_t enemyRatedScore(uint64_t score, int32_t rate) {
    return uint64_t(std::max(rate, 0)) * score / 100 * 10;
}

int32_t enemyScaleHpFor(int32_t hp, int32_t difficulty, int32_t mode) {
    int64_t scaled = hp;
    if (difficulty == 2) scaled = scaled * 8 / 10;
    if (mode == 0) scaled = scaled * 8 / 10;
    return int32_t(scaled);
}

int32_t enemyPointBlankStep(int32_t level) {
    if (level >= 1 && level <= 3) return level + 1;
    return level == 8 ? 9 : level;
}

uint64_t enemyFormBonus(int32_t destruction, int32_t rate, bool lastForm) {
    const uint64_t step = lastForm ? 100 : 50;
    return uint64_t(std::max(destruction, 0)) * uint64_t(std::max(rate, 0)) * step / 100 * 10;
}

namespace {

struct ScoreRevengeClass {
    int32_t base, rankDivisor;
};
constexpr ScoreRevengeClass kScoreRevengeClasses[4] = {{1, 15}, {3, 3}, {9, 2}, {15, 1}};

}  // namespace

int32_t enemyRevengeCount(int32_t sizeClass, int32_t rankLevel, int32_t bonusCounter, int32_t rankCounter,
                          bool scoreAttack) {
    if (rankLevel <= 1 || bonusCounter < 1000 || sizeClass < 0 || sizeClass > 3) return 0;
    int32_t extra = scoreAttack || rankLevel == 3 ? std::min((bonusCounter - 1000) / 300, 5)
                                                  : std::min((bonusCounter - 1000) / 400, 4);
    if (sizeClass == 0) extra = std::min(extra, 2);
    const ScoreRevengeClass& c = kScoreRevengeClasses[sizeClass];
    return c.base + std::max(rankCounter, 0) / c.rankDivisor + extra;
}

bool enemyTrueLastBossHolds(int32_t creditCount, int32_t secretItems, int32_t rankCounter, int32_t mode) {
    const int32_t minRank = mode >= 2 ? 15 : 0;
    return creditCount == 1 && secretItems >= 5 && rankCounter >= minRank;
}

bool enemyAttackTwice(int32_t age, int32_t rankLevel, int32_t bossPresent, bool powerUp) {
    return age % 3 == 0 && rankLevel >= 2 && bossPresent != 0 && powerUp;
}
