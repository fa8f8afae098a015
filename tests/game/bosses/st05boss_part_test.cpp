// The stage-5 boss's parts: the drones' hop targets, the split, the bombs
// they ignore, their end with the boss; the spinner's orbiting shots by
// rank level, its ring, its turret shots and the shots let go.
#include <gtest/gtest.h>

#include "game/bosses/st05boss.h"
#include "game/stages/field_layers.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

class St05bossPartTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        stageNumber = 5;
        cacheBossMotion("st05boss", {{"st05boss",
                                      {{"form1_default", 20}, {"form2_default", 25}, {"form2_death", 15}},
                                      bossfixture::turretRow(20)}});
    }
    void TearDown() override {
        st05bossDarken = 0;
        BossFixture::TearDown();
    }
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(104);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 7;
        enemy(boss->work).steerMode = 0;
        return boss;
    }
    static std::vector<ObjTask*> parts(int32_t kind) {
        std::vector<ObjTask*> out;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->work != nullptr && t->work->kind == kind && t->state == kObjStateRun) out.push_back(t);
        });
        return out;
    }
    static ObjTask* taskOf(ObjWork* work) {
        ObjTask* found = nullptr;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->work == work) found = t;
        });
        return found;
    }
    static int orbiting(ObjWork* spinner) {
        int n = 0;
        for (int k = 0; k < 4; ++k) n += objRefWork(enemy(spinner).partLink[k]) != nullptr ? 1 : 0;
        return n;
    }
    void nextCase() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        shots.clear();
    }
};

TEST_F(St05bossPartTest, HopTargetsStayOnTheField) {
    struct Case {
        float fx, fy;
        int32_t radius, angle;
        float x, y;
    };
    const Case cases[] = {
        {112.0f, 200.0f, 100, 0, 112.0f, 100.0f}, {112.0f, 40.0f, 100, 0, 112.0f, 10.0f},
        {200.0f, 200.0f, 100, 256, 214.0f, 200.0f}, {20.0f, 200.0f, 100, 768, 10.0f, 200.0f},
        {112.0f, 250.0f, 100, 512, 112.0f, 258.0f},
    };
    for (const Case& c : cases) {
        makeFighter(c.fx, c.fy);
        const ObjPoint at = st05bossHopTarget(c.radius, c.angle);
        EXPECT_NEAR(at.x, c.x, 1e-3f) << c.angle;
        EXPECT_NEAR(at.y, c.y, 1e-3f) << c.angle;
    }
}

TEST_F(St05bossPartTest, ABigDroneShotDownLeavesTwoSmallOnesAndBombsDoNothing) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    ObjWork* drone = st05bossLaunchDrone(boss, 100.0f, 120.0f);
    ASSERT_NE(drone, nullptr);
    ObjTask* task = taskOf(drone);
    EXPECT_EQ(drone->kind, 116);
    EXPECT_FLOAT_EQ(enemy(drone).steerSpeed, 4.0f);
    const int32_t hp = enemy(drone).hp;
    enemy(drone).offscreenTimer = 0;
    enemy(drone).enteredScreen = 1;
    hit(task, 16, 10000);
    EXPECT_EQ(enemy(drone).hp, hp) << "a bomb is ignored";
    EXPECT_TRUE(parts(115).empty());
    hit(task, 6, 10000);
    EXPECT_EQ(drone->lifeState, 3);
    const std::vector<ObjTask*> small = parts(115);
    ASSERT_EQ(small.size(), 2u);
    for (ObjTask* t : small) {
        EXPECT_FLOAT_EQ(t->work->x, 100.0f);
        EXPECT_FLOAT_EQ(t->work->y, 120.0f);
        EXPECT_FLOAT_EQ(enemy(t->work).steerSpeed, 4.0f);
        EXPECT_EQ(objRefWork(t->work->parentWork), boss->work);
    }
}

TEST_F(St05bossPartTest, DronesEndAtTheBossesStepFourAndEveryPartWhenTheBossIsFreed) {
    gameMode = 0;
    makeFighter();
    ObjTask* boss = parkedBoss();
    ASSERT_NE(st05bossLaunchDrone(boss, 100.0f, 120.0f), nullptr);
    enemy(boss->work).step = 4;
    runEnemiesFrame();
    EXPECT_TRUE(parts(116).empty());
    enemy(boss->work).step = 0;
    ASSERT_NE(st05bossLaunchDrone(boss, 100.0f, 120.0f), nullptr);
    ObjWork* spinner = st05bossLaunchSpinner(boss, 112.0f, 100.0f, 5);
    ASSERT_NE(spinner, nullptr);
    runEnemiesFrame();
    ASSERT_EQ(orbiting(spinner), 2);
    ObjWork* shot = objRefWork(enemy(spinner).partLink[1]);
    OBJtaskRelease(boss);
    runEnemiesFrame();
    EXPECT_TRUE(parts(116).empty());
    EXPECT_TRUE(parts(114).empty());
    EXPECT_EQ(shot->lifeState, 10) << "the spinner lets its shots go";
}

TEST_F(St05bossPartTest, TheSpinnerByRankLevel) {
    struct Case {
        int32_t level;
        std::vector<int> slots;
        int ring;
        bool turret;
    };
    const Case cases[] = {
        {0, {1, 3}, 0, false}, {1, {1, 3}, 4, true}, {2, {0, 1, 2, 3}, 8, false}, {3, {0, 1, 2, 3}, 16, false},
    };
    for (const Case& c : cases) {
        gameMode = c.level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        ObjWork* spinner = st05bossLaunchSpinner(boss, 112.0f, 100.0f, -5);
        ASSERT_NE(spinner, nullptr);
        enemy(spinner).offscreenTimer = 0;
        runEnemiesFrame();
        std::vector<int> slots;
        for (int k = 0; k < 4; ++k) {
            if (objRefWork(enemy(spinner).partLink[k]) != nullptr) slots.push_back(k);
        }
        EXPECT_EQ(slots, c.slots) << c.level;
        shots.clear();
        enemy(spinner).stepCount = 89;
        runEnemiesFrame();
        EXPECT_EQ(int(shotsOf(135).size()), c.ring) << c.level;
        EXPECT_EQ(int(shotsOf(141).size()), c.ring) << c.level;
        shots.clear();
        enemy(spinner).shotIndex = 0;
        record([&] { TSKst05bossPart114Turret(taskOf(spinner), spinner); });
        EXPECT_EQ(int(shotsOf(133).size()), c.turret ? 2 : 0) << c.level;
        // Past y 244 the orbiting shots are let go.
        const int32_t slot = c.slots.front();
        ObjWork* shot = objRefWork(enemy(spinner).partLink[slot]);
        spinner->y = 290.0f;
        runEnemiesFrame();
        EXPECT_EQ(shot->lifeState, 10) << c.level;
        EXPECT_EQ(orbiting(spinner), 0) << c.level;
        nextCase();
    }
}

TEST_F(St05bossPartTest, DronesFireAtMostTheirShareOfAVolleyButSoundEveryCall) {
    for (int32_t level = 0; level <= 3; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        ObjWork* drone = st05bossLaunchDrone(boss, 100.0f, 120.0f);
        ASSERT_NE(drone, nullptr);
        int fired = 0;
        for (int32_t i = 0; i < 4; ++i) {
            enemy(drone).shotIndex = i;
            const size_t before = shots.size();
            record([&] { TSKst05bossPart115Turret(taskOf(drone), drone); });
            fired += shots.size() > before ? 1 : 0;
            EXPECT_EQ(soundLayerState().soundGuard[19] > 0, true) << level << " " << i;
        }
        EXPECT_EQ(fired, level == 0 ? 1 : level == 1 ? 2 : 4) << level;
        nextCase();
    }
}

}  // namespace
