// Kind 104, the stage-5 boss, over a "st05boss" of known label lengths: the
// init and its form hit points, the rotating boxes, the drop cycle, the
// darkening flag and pattern 4's and 12's alternations.
#include <gtest/gtest.h>

#include <cmath>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_kinds.h"
#include "game/bosses/st05boss.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/collision.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/field_layers.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

std::vector<bossfixture::Turret> st05Locators() {
    std::vector<bossfixture::Turret> locators = bossfixture::turretRow(20);
    for (int n = 0; n < 4; ++n) locators.push_back({"smoke0" + std::to_string(n), float(10 * n - 20), -30.0f});
    return locators;
}

class St05bossTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        stageNumber = 5;
        st05bossDarken = 0;
        cacheBossMotion("st05boss", {{"st05boss",
                                      {{"form1_default", 20}, {"form2_default", 25}, {"form2_death", 15}},
                                      st05Locators()}});
    }
    void TearDown() override {
        st05bossDarken = 0;
        BossFixture::TearDown();
    }
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(104);
        runFrame(boss);
        enter(boss);
        EnemyFields& e = enemy(boss->work);
        e.phase = 7;
        e.steerMode = 0;
        boss->work->x = 112.0f;
        boss->work->y = 94.0f;
        return boss;
    }
    static void holdAttack(EnemyFields& e) {
        e.attackPattern = 99;
        e.shotsLeft = 1000;
        e.shotCountdown = 100000;
    }
    void nextCase() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        shots.clear();
    }
};

TEST_F(St05bossTest, InitFillsTheFrameAndTheFormHitPoints) {
    struct Case {
        int32_t system, mode;
        int32_t hp[3];
    };
    const Case cases[] = {
        {0, 2, {139264, 204800, 73728}},
        {2, 2, {111411, 163840, 58982}},
        {0, 0, {111411, 163840, 58982}},
        {2, 0, {89128, 131072, 47185}},
    };
    for (const Case& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        st05bossDarken = 1;
        soundLayerState().layerTarget = 1;
        ObjTask* boss = spawnBoss(104);
        ASSERT_NE(boss, nullptr);
        const EnemyFields& e = enemy(boss->work);
        EXPECT_EQ(boss->work->draw, TSKbossDraw);
        EXPECT_EQ(boss->work->hit, TSKbossHit);
        EXPECT_EQ(boss->work->attack, TSKst05bossTurret);
        EXPECT_EQ(boss->release, TSKst05bossFree);
        EXPECT_FLOAT_EQ(boss->work->depth, 430.0f);
        EXPECT_EQ(e.score, 3000000u);
        EXPECT_EQ(e.entryWait, 60);
        EXPECT_EQ(e.sizeClass, 4);
        EXPECT_FLOAT_EQ(e.aimOffset.y, 15.0f);
        EXPECT_EQ(st05bossDarken, 0);
        EXPECT_EQ(soundLayerState().layerTarget, 0);
        for (int f = 0; f < 3; ++f) EXPECT_EQ(e.formHp[f], c.hp[f]) << c.system << " " << c.mode << " " << f;
        EXPECT_EQ(e.hp, c.hp[0] + c.hp[1] + c.hp[2]);
        nextCase();
    }
}

TEST_F(St05bossTest, RotatingBoxesFollowTheSpin) {
    struct Case {
        int32_t spin, n;
        float x, y;
    };
    const Case cases[] = {
        {0, 0, 0.0f, 0.0f},     {0, 1, 0.0f, 66.0f},    {0, 2, 0.0f, -40.0f},   {0, 3, 40.0f, 0.0f},
        {0, 4, -40.0f, 0.0f},   {256, 1, -66.0f, 0.0f}, {256, 2, 40.0f, 0.0f},  {256, 3, 0.0f, 40.0f},
        {512, 2, 0.0f, 40.0f},  {512, 4, 40.0f, 0.0f},  {1000, 2, -40.0f * std::sin(24.0f * 6.2831855f / 1024.0f), -40.0f * std::cos(24.0f * 6.2831855f / 1024.0f)},
        {1000, 0, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        const ObjPoint at = st05bossSpinBoxOffset(c.spin, c.n);
        EXPECT_NEAR(at.x, c.x, 1e-3f) << c.spin << " " << c.n;
        EXPECT_NEAR(at.y, c.y, 1e-3f) << c.spin << " " << c.n;
    }
    ObjTask* boss = parkedBoss();
    enemy(boss->work).phase = 9;
    enemy(boss->work).step = 7;
    enemy(boss->work).spin = 256;
    runFrame(boss);
    ASSERT_EQ(boss->work->hitBoxCount, 5);
    EXPECT_NEAR(boss->work->hitBoxes[2].x, 40.0f, 1e-3f);
    enemy(boss->work).phase = 5;
    runFrame(boss);
    EXPECT_EQ(boss->work->hitBoxCount, 3);
}

TEST_F(St05bossTest, TheDropCycleAtModeLevelZeroAndTheLandingBurstByRankLevel) {
    for (int32_t level = 0; level <= 3; ++level) {
        gameMode = level;
        makeFighter(150.0f, 250.0f);
        ObjTask* boss = parkedBoss();
        EnemyFields& e = enemy(boss->work);
        e.phase = 9;
        e.step = 2;
        e.steerMode = 6;
        e.steerTarget = {112.0f, 94.0f};
        holdAttack(e);
        std::vector<float> xs, ys;
        int landings = 0;
        int32_t lastState = e.dropState;
        for (int f = 0; f < 3000 && e.dropCount < 3; ++f) {
            runFrame(boss);
            if (e.dropState != lastState) {
                if (e.dropState == 2) xs.push_back(e.steerTarget.x);
                if (e.dropState == 4 || e.dropState == 6) ys.push_back(e.steerTarget.y);
                if (e.dropState == 5) {
                    ++landings;
                    // A 60-frame quake, its first shake already made.
                    ASSERT_NE(quakeTask, nullptr);
                    EXPECT_EQ(quakeTask->actWords[kEffectFramesWord], 59);
                    OBJtaskRelease(quakeTask);
                }
                lastState = e.dropState;
            }
        }
        ASSERT_EQ(e.dropCount, 3) << level;
        ASSERT_EQ(xs.size(), 3u);
        if (level == 0) {
            EXPECT_EQ(xs, (std::vector<float>{52.0f, 172.0f, 52.0f}));
        } else {
            EXPECT_EQ(xs, (std::vector<float>{150.0f, 150.0f, 150.0f})) << level;
        }
        EXPECT_EQ(ys, (std::vector<float>{224.0f, 94.0f, 224.0f, 94.0f, 224.0f, 94.0f}));
        const int b = 6 + 2 * level;
        EXPECT_EQ(int(shotsOf(44).size()), 3 * 4 * b) << level;
        EXPECT_EQ(landings, 3);
        EXPECT_EQ(e.phase, 9);
        nextCase();
    }
}

TEST_F(St05bossTest, TheDarkeningComesWithTheThirdFormAndGoesWithTheRelease) {
    ObjTask* boss = parkedBoss();
    EXPECT_EQ(st05bossDarken, 0);
    enemy(boss->work).phase = 8;
    enemy(boss->work).step = 0;
    runFrame(boss);
    EXPECT_EQ(st05bossDarken, 1);
    EXPECT_EQ(enemy(boss->work).step, 6);
    OBJtaskRelease(boss);
    EXPECT_EQ(st05bossDarken, 0);
}

TEST_F(St05bossTest, AFormEndedByItsTimerGoesToTheNextPhaseWithoutScore) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.phase = 1;
    e.step = 2;
    holdAttack(e);
    enemyPaidScoreTotal = 0;
    boss->work->enemyTimer = 1;
    runUntil(boss, [&] { return e.phase == 5; }, 600);
    EXPECT_EQ(e.phase, 5);
    EXPECT_EQ(e.formIndex, 1);
    EXPECT_EQ(e.formHp[0], 0);
    EXPECT_EQ(enemyPaidScoreTotal, 0u);
    EXPECT_EQ(soundLayerState().layerTarget, 1);
}

TEST_F(St05bossTest, TheChangeToTheThirdFormCancelsBulletsEveryFrame) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.phase = 8;
    e.step = 6;
    e.motionEnded = 0;
    for (int f = 0; f < 3; ++f) {
        eshotCancelClear();
        runFrame(boss);
        if (e.step != 6) break;
        EXPECT_EQ(eshotCancelQueue.countdown, 4) << f;
    }
}

TEST_F(St05bossTest, TheSecondFormRaisesTheBossLayer) {
    ObjTask* boss = parkedBoss();
    enemy(boss->work).phase = 4;
    enemy(boss->work).step = 0;
    runFrame(boss);
    EXPECT_EQ(soundLayerState().layerTarget, 1);
    EXPECT_EQ(enemy(boss->work).step, 6);
}

TEST_F(St05bossTest, CallListsByRankLevel) {
    struct Case {
        int32_t pattern, i, type;
        int count[4];  // by rank level 0..3
    };
    const Case cases[] = {
        {1, 0, 39, {10, 10, 10, 30}},   {1, 41, 6, {0, 0, 30, 50}},     {8, 0, 0, {8, 8, 8, 8}},
        {8, 20, 179, {7, 7, 7, 11}},    {8, 21, 0, {0, 0, 8, 8}},       {9, 0, 2, {2, 3, 4, 5}},
        {9, 0, 46, {2, 3, 4, 5}},       {9, 0, 181, {1, 1, 1, 1}},      {9, 110, 181, {1, 1, 1, 1}},
        {9, 120, 2, {0, 0, 0, 0}},      {11, 85, 135, {0, 0, 1, 3}},    {11, 85, 158, {1, 1, 1, 1}},
        {15, 0, 4, {16, 16, 16, 24}},   {15, 300, 141, {3, 3, 3, 3}},   {15, 300, 45, {1, 1, 1, 1}},
        {15, 300, 158, {2, 2, 2, 2}},   {15, 300, 132, {6, 6, 6, 6}},   {15, 300, 179, {1, 1, 5, 7}},
        {3, 0, 12, {5, 7, 9, 11}},      {3, 0, 1, {6, 8, 10, 12}},      {3, 0, 159, {0, 0, 0, 8}},
        {2, 3, 141, {0, 0, 0, 0}},      {2, 0, 141, {12, 12, 16, 16}},  {2, 60, 133, {0, 0, 16, 16}},
    };
    for (const Case& c : cases) {
        for (int32_t level = 0; level <= 3; ++level) {
            gameMode = level;
            makeFighter();
            ObjTask* boss = parkedBoss();
            EnemyFields& e = enemy(boss->work);
            e.attackPattern = c.pattern;
            e.shotIndex = c.i;
            record([&] { TSKst05bossTurret(boss, boss->work); });
            EXPECT_EQ(int(shotsOf(c.type).size()), c.count[level])
                << "pattern " << c.pattern << " i " << c.i << " type " << c.type << " level " << level;
            nextCase();
        }
    }
}

TEST_F(St05bossTest, PatternFourAlternatesItsLinesAndTwelveItsSway) {
    makeFighter();
    gameMode = 0;
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.attackPattern = 4;
    std::vector<size_t> lines;
    for (int32_t i : {0, 16, 32}) {
        e.shotIndex = i;
        const size_t before = shotsOf(180).size();
        record([&] { TSKst05bossTurret(boss, boss->work); });
        lines.push_back(shotsOf(180).size() - before);
    }
    EXPECT_EQ(lines, (std::vector<size_t>{40, 20, 40})) << "even calls 2 x 20, odd 2 x 10";
    e.attackPattern = 12;
    for (int32_t& word : e.aimWords) word = 0;
    std::vector<int32_t> turns;
    for (int32_t i : {0, 25, 50, 75}) {
        e.shotIndex = i;
        record([&] { TSKst05bossTurret(boss, boss->work); });
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->act == TSKst05bossPart114Act && t->work != nullptr && t->work->age == 0) {
                turns.push_back(enemy(t->work).orbitTurn);
                t->work->age = 1;
            }
        });
        EXPECT_EQ(e.spinPhase, 512);
    }
    EXPECT_EQ(turns, (std::vector<int32_t>{5, -5, 5, -5}));
}

}  // namespace
