// The fighter's frame: movement and its bounds, fire and laser, speed,
// gauges, voices at the thresholds, the bonus cut and the decay.
#include <cmath>

#include "game/core/collision.h"
#include "game/objects/fighter_steps.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

constexpr uint32_t kUp = 1, kDown = 2, kLeft = 4, kRight = 8;
constexpr uint32_t kButton1 = 0x10, kButton2 = 0x20, kButton3 = 0x40;

using FighterMoveTest = FighterFixture;

TEST_F(FighterMoveTest, EachDirectionMovesAlongItsHeadingAndOppositesStayPut) {
    struct Case {
        uint32_t direction;
        int dx, dy;  // signs of the move
    };
    const Case cases[] = {{kUp, 0, -1},           {kDown, 0, 1},           {kLeft, -1, 0},          {kRight, 1, 0},
                          {kUp | kLeft, -1, -1},  {kUp | kRight, 1, -1},   {kDown | kLeft, -1, 1},  {kDown | kRight, 1, 1},
                          {kUp | kDown, 0, 0},    {kLeft | kRight, 0, 0},  {15, 0, 0},              {0, 0, 0}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        work()->x = 112.0f;
        work()->y = 144.0f;
        frame(c.direction);
        const auto sign = [](float d) { return std::fabs(d) < 1e-4f ? 0 : d < 0 ? -1 : 1; };
        EXPECT_EQ(sign(work()->x - 112.0f), c.dx);
        EXPECT_EQ(sign(work()->y - 144.0f), c.dy);
        if (c.dx != 0 || c.dy != 0) EXPECT_EQ(f().moveHeading, kFighterDirectionHeading[c.direction]);
    }
}

TEST_F(FighterMoveTest, TheFighterStaysInsideThePlayfieldWhateverTheInput) {
    struct Case {
        uint32_t direction;
        float x, y;
    };
    const Case cases[] = {{kUp | kLeft, 12.0f, 24.0f}, {kDown | kRight, 212.0f, 256.0f}, {kUp | kRight, 212.0f, 24.0f},
                          {kDown | kLeft, 12.0f, 256.0f}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        frames(200, c.direction);
        EXPECT_EQ(work()->x, c.x);
        EXPECT_EQ(work()->y, c.y);
    }
}

TEST_F(FighterMoveTest, WithoutControlTheFighterHoldsItsPlaceOrFliesHome) {
    makeFighter();
    fighterSetControl(0);
    frames(5, kLeft);
    EXPECT_EQ(work()->x, 112.0f);
    EXPECT_EQ(work()->animFrame, 4) << "no bank without control";
    work()->y = 150.0f;
    fighterSetEntry(1);
    frames(100, 0);
    EXPECT_EQ(work()->x, 112.0f);
    EXPECT_EQ(work()->y, 220.0f);
}

using FighterWeaponTest = FighterFixture;

TEST_F(FighterWeaponTest, ATapFiresABurstAndAHoldTurnsToLaserUntilReleased) {
    struct Case {
        int holdFrames;
        uint32_t with;
        int32_t modeWhileHeld;
        int32_t fireAfterRelease;  // the counter after the release frame
    };
    // A tap: 40 frames of fire from the release (one spent on that frame).
    const Case cases[] = {{1, 0, 0, 39}, {9, 0, 0, 39}, {10, 0, 1, 0}, {30, 0, 1, 0}, {1, kButton3, 1, 0}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.holdFrames << " frames with " << c.with);
        frames(c.holdFrames, kButton1 | c.with);
        EXPECT_EQ(fighterGetWeaponMode(), c.modeWhileHeld);
        frame(0);
        EXPECT_EQ(fighterGetWeaponMode(), 0);
        EXPECT_EQ(f().fireCount, c.fireAfterRelease);
        frames(45, 0);
        EXPECT_EQ(f().fireCount, 0);
    }
}

TEST_F(FighterWeaponTest, NothingFiresWhileWeaponsAreOffOrTheFireLockRuns) {
    makeFighter();
    fighterSetWeaponsOn(0);
    frames(12, kButton1);
    EXPECT_EQ(fighterGetWeaponMode(), 0);
    EXPECT_EQ(f().fireCount, 0);
    fighterSetWeaponsOn(1);
    f().fireLock = 30;
    frames(12, kButton1);
    EXPECT_EQ(fighterGetWeaponMode(), 0);
    EXPECT_EQ(work()->speed, 0.5f) << "the fighter creeps during the fire lock";
}

TEST_F(FighterWeaponTest, SpeedMovesTowardTheTypesTargetByFourTenthsAFrame) {
    struct Case {
        int32_t type;
        float shot, laser;
    };
    const Case cases[] = {{0, 3.6f, 2.4f}, {1, 3.3f, 2.1f}, {2, 3.0f, 1.8f}, {3, 2.7f, 1.5f}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        f().type = c.type;
        frames(40, kButton1);
        EXPECT_NEAR(work()->speed, c.laser, 1e-5f);
        frame(0);
        EXPECT_NEAR(work()->speed, c.laser + 0.4f, 1e-5f) << "never a jump back to shot speed";
        frames(10, 0);
        EXPECT_NEAR(work()->speed, c.shot, 1e-5f);
    }
}

TEST_F(FighterWeaponTest, ButtonTwoStartsAPowerUpFromAQuarterOfTheEnergy) {
    makeFighter();
    fighterSetEnergy(2499);
    frame(kButton2);
    frame(0);
    EXPECT_FALSE(fighterIsPowerUp());
    fighterSetEnergy(2500);
    frame(kButton2);
    EXPECT_TRUE(fighterIsPowerUp());
    EXPECT_GE(f().invulnerable, 170);
    EXPECT_EQ(f().powerStart, 59);
}

using FighterGaugeTest = FighterFixture;

TEST_F(FighterGaugeTest, GaugesRefillByModeAndBossOnlyWhileRunning) {
    struct Case {
        int32_t mode, boss, system, resultCode;
        int32_t perFrame;
    };
    const Case cases[] = {{0, 0, 0, 0, 20}, {1, 0, 0, 0, 20}, {2, 0, 0, 0, 16}, {2, 2, 0, 0, 20},
                          {3, 0, 0, 0, 8},  {3, 2, 0, 0, 10}, {3, 0, 3, 0, 18}, {3, 0, 0, 2, 20}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " boss " << c.boss << " system " << c.system);
        setGameMode(c.mode);
        bossPresentFlag = c.boss;
        gameSystem = c.system;
        menuResultCode = c.resultCode;
        f().teamGauges[1] = 50000;
        fighterSetPowerDrain(0);
        frame(0);
        EXPECT_EQ(fighterGetGauge(1), 50000);
        fighterSetPowerDrain(1);
        frame(0);
        EXPECT_EQ(fighterGetGauge(1), 50000 + c.perFrame);
    }
    bossPresentFlag = 0;
    gameSystem = 0;
    menuResultCode = 0;
}

TEST_F(FighterGaugeTest, EachThresholdGivesItsVoiceOnce) {
    struct Case {
        int32_t mode;
        int32_t nearlyFull;
    };
    const Case cases[] = {{1, 90000}, {2, 84000}, {3, 95000}};
    makeFighter();
    fighterSetPowerDrain(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        setGameMode(c.mode);
        f().teamGauges[2] = c.nearlyFull - 1;
        voiceMessageReset();
        int nearly = 0, full = 0;
        // Each message is taken off as soon as it shows, so a repeat would show again.
        for (int i = 0; i < 2000; ++i) {
            frame(0);
            const VoiceMessageState& v = voiceMessageState();
            if (v.speaker != 2) continue;
            nearly += v.event == 9;
            full += v.event == 8;
            voiceMessageReset();
        }
        EXPECT_EQ(nearly, 1);
        EXPECT_EQ(full, 1);
        EXPECT_EQ(fighterGetGauge(2), kFighterGaugeFull);
    }
}

TEST_F(FighterGaugeTest, APowerUpsEndCutsTheBonusCounterByMode) {
    struct Case {
        int32_t mode, resultCode, counter, cut;
    };
    const Case cases[] = {{1, 0, 1000, 750}, {2, 0, 3000, 2250}, {3, 0, 3000, 1500}, {2, 2, 400, 400},
                          {2, 2, 600, 499},  {2, 2, 800, 749},   {2, 2, 5000, 3300}, {2, 2, 9000, 5000}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.resultCode << " " << c.counter);
        setGameMode(c.mode);
        menuResultCode = c.resultCode;
        EXPECT_EQ(fighterBonusCut(c.counter), c.cut);
    }
    menuResultCode = 0;
}

TEST_F(FighterGaugeTest, DuringABossTheDestructionCountDecaysByStageAndMode) {
    struct Case {
        int32_t mode, stage, period;
    };
    const Case cases[] = {{0, 1, 5}, {1, 2, 4}, {2, 1, 10}, {2, 5, 7}, {3, 3, 6}, {3, 5, 5}};
    makeFighter();
    fighterSetPowerDrain(1);
    bossPresentFlag = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " stage " << c.stage);
        setGameMode(c.mode);
        stageNumber = c.stage;
        f().destruction = 1000;
        f().frameCount = 0;
        frames(c.period * 10, 0);
        EXPECT_EQ(fighterGetDestruction(), 1000 - 10);
    }
    bossPresentFlag = 0;
}

TEST_F(FighterGaugeTest, WithNoFighterReadyTheTaskWaitsForTheContinue) {
    makeFighter();
    for (int32_t& gauge : f().teamGauges) gauge = 0;
    frame(0);
    EXPECT_EQ(task->state, kFighterStateWaiting);
    EXPECT_EQ(work()->hitBoxCount, 0);
    frame(0);
    EXPECT_EQ(task->state, kFighterStateWaitingReady);
    f().teamGauges[3] = kFighterGaugeFull;
    frame(0);
    EXPECT_EQ(task->state, kObjStateRun);
}

TEST_F(FighterGaugeTest, AfterAContinueTheTeamFliesInAsAfterAMiss) {
    struct Case {
        int32_t mode, invulnerable;
    };
    const Case cases[] = {{0, 300}, {1, 240}, {3, 240}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        setGameMode(c.mode);
        makeFighter();
        fighterSetLives(2);
        for (int32_t& gauge : f().teamGauges) gauge = 0;
        frames(2, 0);
        ASSERT_EQ(task->state, kFighterStateWaitingReady);
        fighterResetPosition();
        fighterContinueReturn();
        EXPECT_EQ(fighterCountReady(), 4);
        EXPECT_EQ(fighterGetFireLock(), 120);
        EXPECT_EQ(f().invulnerable, c.invulnerable);
        EXPECT_EQ(fighterGetLives(), 2);
        frame(0);
        EXPECT_EQ(task->state, kObjStateRun);
        frames(99, 0);
        EXPECT_EQ(f().absent, 1) << "hidden from the guns until the lock's last 20 frames";
        frame(0);
        EXPECT_EQ(fighterGetFireLock(), 20);
        EXPECT_EQ(f().absent, 0);
        OBJtaskReleaseAll(nullptr);
    }
}

}  // namespace
