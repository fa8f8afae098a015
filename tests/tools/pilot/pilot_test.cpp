// The pilot over a pool of the test's own: a fighter, shots on set courses,
// an enemy and an item, each with the fields the pilot reads.
#include "tools/pilot/pilot.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/game_state_hash.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter.h"
#include "game/objects/item.h"
#include "game/stages/enemies/enemy_kinds.h"

namespace {

constexpr HitBox kPilotTestShotBox = {0.0f, 0.0f, 3.0f, 3.0f};
constexpr uint32_t kDirections = kPilotUp | kPilotDown | kPilotLeft | kPilotRight;

class PilotTest : public testing::Test {
protected:
    void SetUp() override { OBJtaskPoolInit(); }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }

    static ObjWork* made(int group, uint32_t tag, float x, float y) {
        ObjTask* task = OBJtaskCreate(nullptr, group, tag);
        task->work = OBJworkNew();
        task->release = TSKgameCtrlKill;
        task->state = kObjStateRun;
        task->work->x = x;
        task->work->y = y;
        return task->work;
    }
    static ObjWork* makeFighter(float x, float y) { return made(kFighterGroup, objTag("FIGH"), x, y); }
    // A shot at (x, y) going along the heading (1024 a turn, 0 up) at pixels a frame.
    static void makeShot(float x, float y, int32_t heading, float speed) {
        ObjWork* work = made(kEshotGroup, kEshotTag, x, y);
        work->hitBoxes = &kPilotTestShotBox;
        work->hitBoxCount = 1;
        work->heading = heading;
        work->speed = speed;
    }

    Pilot pilot;
};

TEST_F(PilotTest, WithoutAFighterItHoldsNothing) {
    makeShot(112.0f, 100.0f, 512, 3.0f);
    EXPECT_EQ(pilotInputWord(pilot), 0u);
}

TEST_F(PilotTest, ItKeepsFiringInShotModeAndNeverPressesButtonThree) {
    makeFighter(112.0f, 212.0f);
    int released = 0;
    for (int frame = 0; frame < 90; ++frame) {
        const uint32_t word = pilotInputWord(pilot);
        EXPECT_EQ(word & 0x40u, 0u);
        EXPECT_EQ(word & kDirections, 0u) << "nothing to steer from or to";
        if ((word & kPilotShot) == 0) {
            ++released;
            // Let go before ten frames of holding: the hold never becomes the laser.
            EXPECT_EQ(frame % 9, 8);
        }
    }
    EXPECT_EQ(released, 10);
}

TEST_F(PilotTest, ItSteersAsideFromAShotComingDownOnIt) {
    makeFighter(112.0f, 212.0f);
    makeShot(112.0f, 190.0f, 512, 5.0f);
    const uint32_t word = pilotInputWord(pilot);
    EXPECT_NE(word & (kPilotLeft | kPilotRight), 0u) << word;
    EXPECT_EQ(word & kPilotUp, 0u) << word;
}

TEST_F(PilotTest, ItStepsAwayFromAShotFromTheSide) {
    makeFighter(112.0f, 150.0f);
    makeShot(90.0f, 150.0f, 256, 3.0f);
    const uint32_t word = pilotInputWord(pilot);
    EXPECT_NE(word & (kPilotUp | kPilotDown), 0u) << word;
}

TEST_F(PilotTest, CorneredItBlowsOnceThenPowersUpWithTheEnergyForIt) {
    ObjWork* work = makeFighter(112.0f, 150.0f);
    // A close ring of shots closing in from every side.
    for (int32_t heading = 0; heading < 1024; heading += 64) {
        float x = 112.0f, y = 150.0f;
        SDL2_wheel_AngleSinCos(heading, &x, &y, 10.0f);
        makeShot(x, y, (heading + 512) & 1023, 2.0f);
    }
    EXPECT_NE(pilotInputWord(pilot) & kPilotBlow, 0u);
    // The blow has been pressed: the next word lets it go, and with the
    // blow spent the power-up is the way out.
    fighter(work).blowCooldown = 300;
    fighter(work).energy = 2500;
    const uint32_t next = pilotInputWord(pilot);
    EXPECT_EQ(next & kPilotBlow, 0u);
    EXPECT_NE(next & kPilotPowerUp, 0u);
    fighter(work).energy = 2499;
    pilot.lastWord = 0;
    EXPECT_EQ(pilotInputWord(pilot) & (kPilotPowerUp | kPilotBlow), 0u);
}

TEST_F(PilotTest, ItGoesForAnItemWithinReach) {
    makeFighter(112.0f, 212.0f);
    made(kItemGroup, kItemTag, 160.0f, 212.0f);
    EXPECT_EQ(pilotInputWord(pilot) & kDirections, kPilotRight);
}

TEST_F(PilotTest, ItKeepsUnderTheEnemyWithTheMostLife) {
    makeFighter(112.0f, 212.0f);
    for (const auto& [x, life] : std::vector<std::pair<float, int32_t>>{{40.0f, 10}, {60.0f, 500}, {180.0f, 20}}) {
        ObjWork* enemy = made(kEnemyGroup, kEnemyTag, x, 60.0f);
        enemy->hitBoxes = &kPilotTestShotBox;
        enemy->hitBoxCount = 1;
        enemy->life = life;
    }
    EXPECT_EQ(pilotInputWord(pilot) & kDirections, kPilotLeft);
}

// Deterministic and read-only: the same play gives the same word, and the
// game's state is as it was.
TEST_F(PilotTest, TheSamePlayGivesTheSameWordAndTheGameIsLeftAsItWas) {
    makeFighter(100.0f, 200.0f);
    for (int i = 0; i < 12; ++i) makeShot(40.0f + 12.0f * float(i), 120.0f + float(i % 3) * 20.0f, 480 + 8 * i, 2.5f);
    made(kItemGroup, kItemTag, 150.0f, 230.0f);
    const uint64_t before = gameStateHash();
    Pilot other;
    const uint32_t word = pilotInputWord(pilot);
    EXPECT_EQ(gameStateHash(), before);
    EXPECT_EQ(pilotInputWord(other), word);
}

}  // namespace
