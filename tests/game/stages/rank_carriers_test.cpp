// The rank level, the rank step and the item-carrier counters over one
// fighter in play.
#include <gtest/gtest.h>

#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/objects/eshot.h"
#include "game/objects/item.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/item_carrier.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

class RankCarriersTest : public FighterFixture {
protected:
    void SetUp() override {
        FighterFixture::SetUp();
        rankCounter = 0;
        rankCarriersClear();
        eshotLiveCount = 0;
        spawnSuppressed = 0;
        slowMotionFrames = slowMotionPeriod = 0;
        settingsSnapshot.GAME_RANK = 1;
        makeFighter();
    }
    void TearDown() override {
        rankCounter = 0;
        rankCarriersClear();
        FighterFixture::TearDown();
    }
};

// A story replay in the viewer (6) keeps its mode from stage 4 on too.
TEST_F(RankCarriersTest, RankLevelIsTheModeOrBandsOfTheRankInTheSpecialMode) {
    struct Case {
        int32_t playType, stage, mode, rank, level;
    };
    const Case cases[] = {
        {0, 1, 0, 50, 0}, {0, 1, 3, 0, 3},  {6, 3, 1, 50, 1},  {2, 1, 3, 0, 0},  {2, 1, 0, 1, 1},
        {2, 1, 0, 10, 1}, {2, 1, 0, 11, 2}, {2, 1, 0, 30, 2},  {2, 1, 0, 31, 3}, {6, 4, 0, 50, 0},
    };
    for (const Case& c : cases) {
        menuResultCode = c.playType;
        stageNumber = c.stage;
        gameMode = c.mode;
        rankCounter = c.rank;
        EXPECT_EQ(enemyRankLevel(), c.level) << c.playType << " " << c.stage << " " << c.rank;
    }
}

TEST_F(RankCarriersTest, RankStepSetsAttackRankAndShotSpeedBonus) {
    struct Case {
        int32_t playType, mode, stage, setting, rank, powered, attack;
        float bonus;
    };
    const Case cases[] = {
        {0, 3, 0, 3, 50, 0, 0, 0.0f},          // stage 0: nothing
        {0, 3, 0, 3, 50, 1, 0, 0.0f},          // stage 0 powered too
        {0, 2, 1, 3, 10, 0, 12, 2.4f * 0.7f},  // unpowered: 70 %
        {0, 2, 1, 3, 10, 1, 20, 2.4f * 0.85f},
        {0, 2, 5, 4, 50, 0, 52, 2.5f * 0.7f},  // level 2 cap 52
        {0, 3, 5, 4, 50, 1, 77, 1.7f * 0.85f},
        {0, 0, 2, 0, 50, 0, -64, 0.0f},
        {2, 0, 3, 4, 40, 0, 39, 0.86f * 0.7f},  // special: setting 1, level 3 by rank
    };
    for (const Case& c : cases) {
        menuResultCode = c.playType;
        gameMode = c.mode;
        stageNumber = c.stage;
        settingsSnapshot.GAME_RANK = c.setting;
        f().rank = c.rank;
        rankCounter = c.rank;
        fighterSetPowerUp(c.powered);
        enemyUpdateRank();
        EXPECT_EQ(rankCounter, c.rank);
        EXPECT_EQ(enemyAttackRank, c.attack) << c.mode << " " << c.stage << " " << c.rank;
        EXPECT_NEAR(eshotSpeedBonus, c.bonus, 1e-5f) << c.mode << " " << c.stage << " " << c.rank;
    }
}

TEST_F(RankCarriersTest, AttackRankBaseTables) {
    EXPECT_EQ(enemyAttackRankBase(0, 0, 2), 0);
    EXPECT_EQ(enemyAttackRankBase(1, 3, 0), -64);
    EXPECT_EQ(enemyAttackRankBase(2, 1, 0), -4);
    EXPECT_EQ(enemyAttackRankBase(2, 5, 4), 28);
    EXPECT_EQ(enemyAttackRankBase(3, 1, 1), 16);
    EXPECT_EQ(enemyAttackRankBase(3, 4, 0), 12);
}

TEST_F(RankCarriersTest, CrowdedScreenSlowsTheGame) {
    eshotLiveCount = kRankCrowdThreshold - 1;
    enemyUpdateRank();
    EXPECT_EQ(slowMotionFrames, 0);
    eshotLiveCount = kRankCrowdThreshold;
    enemyUpdateRank();
    EXPECT_EQ(slowMotionFrames, 30);
    EXPECT_EQ(slowMotionPeriod, -4);
}

TEST_F(RankCarriersTest, CountersRiseBySubSettingPowerAndBoss) {
    struct Case {
        int32_t sub, powered, boss, a, b;
    };
    const Case cases[] = {{0, 0, 0, 6, 3}, {0, 1, 0, 6, 5}, {1, 0, 0, 8, 2}, {1, 1, 0, 8, 4},
                          {0, 0, 2, 6, 0}, {0, 1, 1, 6, 5}};
    for (const Case& c : cases) {
        gameSystem = c.sub;
        fighterSetPowerUp(c.powered);
        bossPresentFlag = c.boss;
        itemCarrierChangeTimer = itemCarrierBombTimer = 100;
        itemCarrierUpdate();
        EXPECT_EQ(itemCarrierChangeTimer, 100 + c.a) << c.sub << c.powered << c.boss;
        EXPECT_EQ(itemCarrierBombTimer, 100 + c.b) << c.sub << c.powered << c.boss;
    }
}

TEST_F(RankCarriersTest, CountersHoldOrClearWithTheFlags) {
    itemCarrierChangeTimer = itemCarrierBombTimer = 100;
    itemCarrierPlayActive = 0;
    itemCarrierUpdate();
    EXPECT_EQ(itemCarrierChangeTimer, 100);
    itemCarrierPlayActive = 1;
    fighterSetControl(0);
    itemCarrierUpdate();
    EXPECT_EQ(itemCarrierBombTimer, 100);
    fighterSetControl(1);
    spawnSuppressed = 1;
    itemCarrierUpdate();
    EXPECT_EQ(itemCarrierChangeTimer, 0);
    EXPECT_EQ(itemCarrierBombTimer, 0);
    spawnSuppressed = 0;
    itemCarrierChangeTimer = 100;
    for (int32_t& g : f().teamGauges) g = 0;
    itemCarrierUpdate();
    EXPECT_EQ(itemCarrierChangeTimer, 0);
}

TEST_F(RankCarriersTest, CarrierWaitsAt17999WhileOneOfItsKindLives) {
    ObjTask* carrier = enemySpawnKind(kItemCarrierChangeKind, -1, 112.0f, -16.0f);
    ASSERT_NE(carrier, nullptr);
    EXPECT_EQ(itemCarrierLiveOf(kItemCarrierChangeKind), 1);
    itemCarrierChangeTimer = kItemCarrierFull - 6;
    itemCarrierUpdate();
    EXPECT_EQ(itemCarrierChangeTimer, kItemCarrierFull - 1);
    itemCarrierUpdate();
    EXPECT_EQ(itemCarrierChangeTimer, kItemCarrierFull - 1);
    OBJtaskRelease(carrier);
    EXPECT_EQ(itemCarrierLiveOf(kItemCarrierChangeKind), 0);
    // Armed again, the next raise makes a carrier and the counter restarts.
    itemCarrierUpdate();
    EXPECT_EQ(itemCarrierChangeTimer, 0);
    EXPECT_EQ(itemCarrierCount, 1);
    EXPECT_EQ(itemCarrierLiveOf(kItemCarrierChangeKind), 1);
    OBJtaskReleaseAll(nullptr);
    EXPECT_EQ(itemCarrierLiveOf(kItemCarrierChangeKind), 0);
    itemCarrierPlayActive = 0;
    itemCarrierArmB();
    EXPECT_EQ(itemCarrierBombTimer, kItemCarrierFull - 1);
    itemCarrierPlayActive = 1;
    itemCarrierArmB();
    EXPECT_EQ(itemCarrierBombTimer, kItemCarrierFull);
    itemLiveBombs = 1;
    itemCarrierArmB();
    EXPECT_EQ(itemCarrierBombTimer, kItemCarrierFull - 1) << "its bomb item is on the screen";
    itemLiveBombs = 0;
}

TEST_F(RankCarriersTest, CarrierXCyclesThroughTheStage) {
    const float xs[] = {112.0f, 172.0f, 112.0f, 52.0f, 112.0f, 172.0f};
    for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(itemCarrierSpawnX(i), xs[i]) << i;
}

}  // namespace
