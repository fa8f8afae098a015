// The score rules as tables: the rate, the multiplier level, the hit-point
// scaling, the point-blank step, the revenge count and the true last boss's
// condition.
#include "game/stages/enemies/enemy_score.h"

#include <gtest/gtest.h>

#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

using EnemyScoreTest = EnemyFixture;

TEST_F(EnemyScoreTest, TheRateFollowsTheModeTheComboAndTheRank) {
    struct Case {
        int32_t mode;
        bool fighter;
        int32_t combo, rank, rate;
    };
    const Case cases[] = {
        {0, true, 5, 50, 10}, {1, true, 0, 0, 10},   {1, true, 1, 0, 12},  {1, true, 2, 0, 16},
        {1, true, 3, 0, 20},  {1, true, 4, 0, 25},   {1, true, 5, 0, 30},  {1, false, 5, 0, 10},
        {2, true, 0, 0, 10},  {2, true, 0, 30, 40},  {2, true, 0, 31, 42}, {3, true, 0, 40, 60},
        {3, true, 0, 41, 63}, {3, true, 0, 50, 90},  {2, false, 0, 50, 10}, {4, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enemyScoreRateFor(c.mode, c.fighter, c.combo, c.rank), c.rate)
            << c.mode << " " << c.combo << " " << c.rank;
    }
}

TEST_F(EnemyScoreTest, TheLevelFollowsTheReadyGaugesOrTheBonusCounter) {
    struct Case {
        int32_t mode;
        bool fighter;
        int32_t ready, bonus, level;
    };
    const Case cases[] = {
        {0, true, 0, 9000, 1}, {0, true, 2, 0, 1},    {0, true, 3, 0, 2},   {0, true, 4, 0, 3},
        {2, true, 4, 499, 1},  {2, true, 0, 500, 2},  {3, true, 0, 749, 2}, {1, true, 0, 750, 3},
        {2, false, 4, 900, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enemyScoreLevelFor(c.mode, c.fighter, c.ready, c.bonus), c.level) << c.mode << " " << c.bonus;
    }
    EXPECT_EQ(enemyPointBlankStep(1), 2);
    EXPECT_EQ(enemyPointBlankStep(3), 4);
    EXPECT_EQ(enemyPointBlankStep(8), 9);
    EXPECT_EQ(enemyPointBlankStep(4), 4);
}

TEST_F(EnemyScoreTest, HitPointsScaleBySettingTwoAndAgainInNovice) {
    struct Case {
        int32_t hp, difficulty, mode, scaled;
    };
    const Case cases[] = {
        {40960, 2, 0, 26214}, {40960, 2, 2, 32768}, {40960, 0, 0, 32768}, {40960, 1, 3, 40960},
        {122880, 2, 0, 78643}, {122880, 2, 1, 98304}, {1, 2, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enemyScaleHpFor(c.hp, c.difficulty, c.mode), c.scaled) << c.hp << " " << c.difficulty;
    }
    gameSystem = 2;
    gameMode = 0;
    EXPECT_EQ(enemyScaleHp(40960), 26214);
}

TEST_F(EnemyScoreTest, TheRevengeCountByClassRankAndBonusCounter) {
    struct Case {
        int32_t sizeClass, rankLevel, bonus, rank;
        bool scoreAttack;
        int32_t count;
    };
    const Case cases[] = {
        {0, 1, 5000, 50, false, 0},  // rank level 1: none
        {0, 2, 999, 50, false, 0},   // bonus counter below 1000: none
        {4, 3, 5000, 50, false, 0},  // a boss: none
        {0, 2, 1000, 0, false, 1},   {0, 2, 5000, 30, false, 1 + 2 + 2},
        {1, 2, 1800, 9, false, 3 + 3 + 2},  {1, 3, 1800, 9, false, 3 + 3 + 2},
        {2, 2, 3000, 10, false, 9 + 5 + 4}, {2, 3, 3000, 10, false, 9 + 5 + 5},
        {3, 2, 2200, 20, true, 15 + 20 + 4}, {3, 2, 9000, 20, false, 15 + 20 + 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enemyRevengeCount(c.sizeClass, c.rankLevel, c.bonus, c.rank, c.scoreAttack), c.count)
            << c.sizeClass << " " << c.rankLevel << " " << c.bonus;
    }
}

TEST_F(EnemyScoreTest, TheTrueLastBossNeedsOneCreditFiveSecretItemsAndRank) {
    struct Case {
        int32_t credits, items, rank, mode;
        bool holds;
    };
    const Case cases[] = {
        {1, 5, 15, 2, true}, {1, 5, 14, 3, false}, {1, 5, 0, 0, true}, {1, 5, 0, 1, true},
        {2, 5, 50, 2, false}, {1, 4, 50, 2, false}, {0, 9, 50, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enemyTrueLastBossHolds(c.credits, c.items, c.rank, c.mode), c.holds)
            << c.credits << " " << c.items << " " << c.rank << " " << c.mode;
    }
}

}  // namespace
