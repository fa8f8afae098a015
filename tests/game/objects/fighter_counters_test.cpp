// The fighter's accessors: caps, thresholds and the null fighter.
#include <functional>

#include "game/objects/fighter_hit.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

using FighterCountersTest = FighterFixture;

TEST_F(FighterCountersTest, EveryAdditionClampsToItsCap) {
    struct Case {
        const char* name;
        std::function<void()> change;
        std::function<int64_t()> read;
        int64_t want;
    };
    const Case cases[] = {
        {"rank set", [] { fighterSetRank(70); }, [] { return fighterGetRank(); }, 50},
        {"rank add", [] { fighterSetRank(48), fighterAddRank(5); }, [] { return fighterGetRank(); }, 50},
        {"rank sub", [] { fighterSetRank(3), fighterSubRank(5); }, [] { return fighterGetRank(); }, 0},
        {"energy set", [] { fighterSetEnergy(20000); }, [] { return fighterGetEnergy(); }, 10000},
        {"energy add", [] { fighterSetEnergy(9000), fighterAddEnergy(5000, 0); }, [] { return fighterGetEnergy(); }, 10000},
        {"gauge", [] { fighterAddGauge(0, 5000, 0); }, [] { return fighterGetGauge(0); }, 100000},
        {"destruction", [] { fighterAddDestruction(2000000); }, [] { return fighterGetDestruction(); }, 999999},
        {"life", [] { fighterSetLives(1), fighterDecLife(), fighterDecLife(); }, [] { return fighterGetLives(); }, 0},
        {"stock", [] { fighterSetStock(0), fighterDecStock(); }, [] { return fighterGetStock(); }, 0},
        {"score", [] { fighterAddScore(9999999999999990ull), fighterAddScore(100); },
         [] { return int64_t(fighterGetScore()); }, 9999999999999999ll},
        {"credit", [] { for (int i = 0; i < 15; ++i) fighterResetPosition(); }, [] { return fighterGetCreditCount(); },
         10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        makeFighter();
        c.change();
        EXPECT_EQ(c.read(), c.want);
        OBJtaskReleaseAll(nullptr);
    }
}

TEST_F(FighterCountersTest, TheBonusCounterIsCappedByMode) {
    struct Case {
        int32_t mode, resultCode, want;
    };
    const Case cases[] = {{0, 0, 1000}, {1, 0, 1000}, {2, 0, 2500}, {3, 0, 2500}, {2, 2, 2500}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        setGameMode(c.mode);
        menuResultCode = c.resultCode;
        fighterSetBonusCounter(2500);
        EXPECT_EQ(fighterGetBonusCounter(), c.want);
    }
    menuResultCode = 0;
}

TEST_F(FighterCountersTest, EachScoreAdditionKeepsTheTotalInTheStagesSlot) {
    makeFighter();
    stageNumber = 1;
    fighterAddScore(100);
    stageNumber = 3;
    fighterAddScore(50);
    const FighterRecord record = fighterRecord();
    EXPECT_EQ(record.score, 150u);
    EXPECT_EQ(record.subScores[1], 100u);
    EXPECT_EQ(record.subScores[3], 150u);
    EXPECT_EQ(record.subScores[2], 0u);
}

TEST_F(FighterCountersTest, ThresholdsCountFromTheValueBeforeTheAddition) {
    struct Case {
        int32_t before, amount, voice;
        int32_t wantEvent;  // -1 no message
    };
    const Case cases[] = {{84000, 1, 1, 9}, {80000, 50000, 1, 8}, {84001, 10, 1, -1}, {99999, 1, 0, -1},
                          {50000, 100, 1, -1}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " + " << c.amount);
        f().teamGauges[1] = c.before;
        voiceMessageReset();
        soundLayerState().soundGuard.fill(0);
        fighterAddGauge(1, c.amount, c.voice);
        const VoiceMessageState& v = voiceMessageState();
        EXPECT_EQ(v.speaker == 1 ? v.event : -1, c.wantEvent);
    }
}

TEST_F(FighterCountersTest, EnergyFlashesOnlyWhileNotPoweredUp) {
    makeFighter();
    fighterSetEnergy(2000);
    fighterAddEnergy(600, 0);
    EXPECT_EQ(f().powerFlash, 30);
    fighterSetEnergy(2000);
    f().powerFlash = 0;
    fighterSetPowerUp(1);
    fighterAddEnergy(8000, 1);
    EXPECT_EQ(fighterGetEnergy(), 10000);
    EXPECT_EQ(f().powerFlash, 0);
    EXPECT_EQ(f().energyFullFlash, 0);
}

TEST_F(FighterCountersTest, WithoutAFighterReadersGiveZeroAndWritersDoNothing) {
    selectedLeaderType = 2;
    fighterAddScore(100);
    fighterSetRank(5);
    fighterAddGauge(0, 100, 1);
    fighterSetType(1);
    fighterSetShieldTimer(1);
    fighterResetPosition();
    fighterContinueReturn();
    fighterStageSnapshot(false);
    EXPECT_EQ(fighterGetWork(), nullptr);
    EXPECT_EQ(fighterGetScore(), 0u);
    EXPECT_EQ(fighterGetRank(), 0);
    EXPECT_FALSE(fighterAnyReady());
    EXPECT_EQ(fighterGetType(), 2) << "the selected leader stands in";
    EXPECT_EQ(fighterRecord().score, 0u);
    EXPECT_EQ(fighterGetFactor(), 1.0f);
    selectedLeaderType = 0;
}

TEST_F(FighterCountersTest, TheShieldIsBlockedWhileTheStageResultRuns) {
    makeFighter();
    fighterSetShieldTimer(1);
    EXPECT_EQ(f().shieldTimer, 360);
    fighterSetShieldTimer(2);
    EXPECT_EQ(f().shieldTimer, 120);
    stageResultActive = 1;
    fighterSetShieldTimer(1);
    EXPECT_EQ(f().shieldTimer, 0);
    EXPECT_EQ(fighterShieldLevel(), 100);
    stageResultActive = 0;
}

TEST_F(FighterCountersTest, HoldWordZeroClearsTheGiveUpHold) {
    makeFighter();
    f().giveUpHoldCount = 120;
    f().giveUpDone = 1;
    fighterSetHold(3);
    EXPECT_EQ(f().giveUpHoldCount, 120);
    fighterSetHold(0);
    EXPECT_EQ(f().giveUpHoldCount, 0);
    EXPECT_EQ(f().giveUpDone, 0);
}

}  // namespace
