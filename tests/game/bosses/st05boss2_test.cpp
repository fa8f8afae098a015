// Kind 105, the true last boss, its snake (kind 113) and its drifters
// (kind 112) over a "st05boss2" of known label lengths: the init and its
// score by rank level, the hold on the intro visual's point, the direct
// entry, the guns' calls by rank level, the snake's trail and boxes, its
// hits handed to the boss, one snake at a time, the drifters' exits and the
// parts' end with their boss.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/st05boss2.h"
#include "game/core/game_state_hash.h"
#include "game/core/play_state.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kSt05b2Wait = 10, kSt05b2Appear = 12, kSt05b2Default = 8, kSt05b2Change = 14, kSt05b2Death = 20;

std::vector<bossfixture::Turret> st05b2Locators() {
    std::vector<bossfixture::Turret> locators = bossfixture::turretRow(24);
    for (int n = 0; n < 5; ++n) locators.push_back({"smoke0" + std::to_string(n), float(10 * n - 20), -30.0f});
    return locators;
}

class St05boss2Test : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        stageNumber = 5;
        st05boss2TrailClear();
        cacheBossMotion("st05boss2", {{"st05boss2",
                                       {{"appear_wait", kSt05b2Wait},
                                        {"appear", kSt05b2Appear},
                                        {"form1_default", kSt05b2Default},
                                        {"form2_change", kSt05b2Change},
                                        {"form2_default", kSt05b2Default},
                                        {"form2_death", kSt05b2Death}},
                                       st05b2Locators()}});
    }
    void TearDown() override {
        st05boss2TrailClear();
        BossFixture::TearDown();
    }
    // A boss past its first update, entered, held in a phase without rows.
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(105);
        runFrame(boss);
        enter(boss);
        EnemyFields& e = enemy(boss->work);
        e.phase = 7;
        e.steerMode = 0;
        boss->work->x = 112.0f;
        boss->work->y = 80.0f;
        return boss;
    }
    // Shots by type of one turret call at shot index i, the counters fresh.
    std::map<int32_t, int> call(ObjTask* boss, int32_t pattern, int32_t i) {
        EnemyFields& e = enemy(boss->work);
        e.attackPattern = pattern;
        e.shotIndex = i;
        for (int32_t& word : e.aimWords) word = 0;
        const size_t before = shots.size();
        record([&] { TSKst05boss2Turret(boss, boss->work); });
        std::map<int32_t, int> out;
        for (size_t k = before; k < shots.size(); ++k) ++out[shots[k].type];
        return out;
    }
    void nextCase() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        shots.clear();
    }
    static std::vector<ObjTask*> partsOf(ObjTaskFn act) {
        std::vector<ObjTask*> found;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->act == act && t->work != nullptr) found.push_back(t);
        });
        return found;
    }
};

TEST_F(St05boss2Test, InitFillsTheFrameAndFixesTheScoreByRankLevel) {
    stageProgress = 0;
    soundLayerState().layerTarget = 1;
    ObjTask* boss = spawnBoss(105);
    ASSERT_NE(boss, nullptr);
    const ObjWork* work = boss->work;
    const EnemyFields& e = enemy(boss->work);
    EXPECT_EQ(work->draw, TSKst05boss2Draw);
    EXPECT_EQ(work->hit, TSKbossHit);
    EXPECT_EQ(work->attack, TSKst05boss2Turret);
    EXPECT_FLOAT_EQ(work->depth, 430.0f);
    EXPECT_EQ(e.formCount, 2);
    EXPECT_EQ(e.entryWait, 240);
    EXPECT_EQ(e.offscreenTimer, 3600);
    EXPECT_EQ(e.bonusCountdown, 600000);
    EXPECT_EQ(e.sizeClass, 4);
    EXPECT_EQ(e.motionState, 138);
    EXPECT_EQ(e.steerMode, 0);
    EXPECT_EQ(soundLayerState().layerTarget, 0);
    EXPECT_EQ(stageProgress, 2);
    const struct {
        int32_t mode;
        uint64_t score;
    } scores[] = {{0, 5000000u}, {1, 10000000u}, {2, 20000000u}, {3, 20000000u}};
    for (const auto& c : scores) {
        gameMode = c.mode;
        ObjTask* other = spawnBoss(105);
        gameMode = c.mode == 0 ? 3 : 0;  // a later change of rank level
        runFrames(other, 3);
        EXPECT_EQ(enemy(other->work).score, c.score) << "mode level " << c.mode;
    }
    const struct {
        int32_t system, mode, one, two;
    } lives[] = {{0, 2, 163840, 131072}, {2, 2, 131072, 104857}, {0, 0, 131072, 104857}};
    for (const auto& c : lives) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* other = spawnBoss(105);
        EXPECT_EQ(enemy(other->work).formHp[0], c.one);
        EXPECT_EQ(enemy(other->work).formHp[1], c.two);
        EXPECT_EQ(enemy(other->work).hp, c.one + c.two);
    }
}

TEST_F(St05boss2Test, HeldOnTheBosspointUntilTheHoldDrops) {
    bossIntroHold = 1;
    bossIntroPoint = {100.0f, 120.0f};
    ObjTask* boss = spawnBoss(105, 112.0f, -300.0f);
    EnemyFields& e = enemy(boss->work);
    runFrames(boss, 300);
    EXPECT_EQ(e.phase, 0);
    EXPECT_EQ(e.step, 0);
    EXPECT_EQ(e.entryWait, 0);
    EXPECT_EQ(boss->work->x, 100.0f);
    EXPECT_EQ(boss->work->y, 120.0f);
    bossIntroPoint = {104.0f, 124.0f};
    runFrame(boss);
    EXPECT_EQ(boss->work->x, 104.0f) << "it follows the point";
    bossIntroHold = 0;
    runFrame(boss);
    EXPECT_EQ(e.step, 6);
    EXPECT_EQ(e.motionState, 139);
    EXPECT_EQ(e.steerMode, 1);
    EXPECT_FLOAT_EQ(e.steerSpeed, 2.0f);
    const int appear = runUntil(boss, [&] { return e.phase == 1; });
    EXPECT_EQ(appear, kSt05b2Appear);
    EXPECT_EQ(e.motionState, 140);
}

TEST_F(St05boss2Test, TheDirectFlagStandsItAtTheCentreAndEntersWithoutTheVisual) {
    st05DirectBoss2 = 1;
    bossIntroHold = 1;  // a visual that would hold it does not
    bossIntroPoint = {40.0f, 40.0f};
    ObjTask* boss = spawnBoss(105, 112.0f, -300.0f);
    EnemyFields& e = enemy(boss->work);
    runFrame(boss);
    EXPECT_EQ(boss->work->x, 112.0f);
    EXPECT_EQ(boss->work->y, 144.0f);
    const int entry = runUntil(boss, [&] { return e.step == 6; });
    EXPECT_LE(entry, 241) << "once the entry wait is over";
    EXPECT_EQ(e.phase, 0);
    EXPECT_EQ(e.motionState, 139);
}

TEST_F(St05boss2Test, HitBoxesAndEyeByPhase) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    const struct {
        int32_t phase, step, boxes;
        float eye;
    } cases[] = {{1, 3, 3, 0.0f}, {4, 0, 3, 0.0f}, {4, 6, 3, 1.0f}, {5, 3, 4, 1.0f}, {7, 3, 3, 1.0f}};
    for (const auto& c : cases) {
        e.phase = c.phase;
        e.step = c.step;
        e.motionEnded = 0;
        runFrame(boss);
        EXPECT_EQ(boss->work->hitBoxCount, c.boxes) << c.phase;
        EXPECT_EQ(e.eyeAlpha, c.eye) << c.phase;
    }
}

// Shots by type of one call, for rank levels 0..3.
struct St05b2CallCase {
    const char* name;
    int32_t pattern, i;
    std::map<int32_t, int> levels[4];
};

TEST_F(St05boss2Test, TheGunsCallsByRankLevel) {
    const St05b2CallCase cases[] = {
        {"1: fans of fans and the pair",
         1,
         0,
         {{{28, 27}, {138, 2}}, {{28, 45}, {138, 6}}, {{28, 57}, {138, 6}}, {{28, 63}, {138, 6}}}},
        {"1: rings and bombs", 1, 96, {{{140, 4}, {167, 2}}, {{140, 6}}, {{140, 10}, {167, 2}}, {{140, 10}, {167, 2}}}},
        {"2: the first burst", 2, 0, {{{141, 2}}, {{141, 2}}, {{141, 2}}, {{141, 2}}}},
        {"2: the crossing lines", 2, 100, {{{5, 4}, {158, 4}}, {{5, 6}, {158, 6}}, {{5, 8}, {158, 8}}, {{5, 8}, {158, 8}}}},
        {"2: the last fan of lines", 2, 170, {{{183, 38}}, {{183, 38}}, {{183, 38}}, {{183, 38}}}},
        {"3: the ring and the inner spiral", 3, 0, {{{161, 4}}, {{161, 4}, {46, 4}}, {{161, 4}, {46, 8}}, {{161, 4}, {46, 8}}}},
        {"3: the outer spiral", 3, 62, {{}, {{46, 4}}, {{46, 8}}, {{46, 8}, {0, 8}}}},
        {"4: the fans", 4, 30, {{{30, 1}}, {{30, 1}, {132, 2}}, {{30, 3}, {132, 6}}, {{30, 3}, {132, 6}}}},
        {"4: straight down", 4, 80, {{{158, 2}}, {{158, 2}}, {{158, 2}}, {{158, 2}}}},
        {"8: the ring from 144", 8, 144, {{}, {}, {{22, 16}}, {{22, 16}}}},
    };
    makeFighter();
    for (const St05b2CallCase& c : cases) {
        for (int32_t level = 0; level < 4; ++level) {
            SCOPED_TRACE(std::string(c.name) + " level " + std::to_string(level));
            gameMode = level;
            ObjTask* boss = parkedBoss();
            EXPECT_EQ(call(boss, c.pattern, c.i), c.levels[level]);
            nextCase();
            makeFighter();
        }
    }
}

TEST_F(St05boss2Test, PatternEightsDriftersAndNoneFromCall160AtLevelZero) {
    const struct {
        int32_t level, i, drifters;
    } cases[] = {{0, 0, 4}, {3, 0, 4}, {0, 1, 0}, {0, 154, 8}, {0, 168, 0}, {1, 168, 8}, {2, 160, 8}, {0, 70, 4}};
    makeFighter();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.level) + " at " + std::to_string(c.i));
        gameMode = c.level;
        ObjTask* boss = parkedBoss();
        call(boss, 8, c.i);
        const std::vector<ObjTask*> drifters = partsOf(TSKst05boss2Part112Act);
        EXPECT_EQ(int(drifters.size()), c.drifters);
        for (ObjTask* d : drifters) {
            EXPECT_FLOAT_EQ(enemy(d->work).steerSpeed, 2.7f);
            EXPECT_EQ(d->work->kind, 112);
        }
        nextCase();
        makeFighter();
    }
}

TEST_F(St05boss2Test, TheSnakeRidesTheTrailWithElevenBoxes) {
    makeFighter(30.0f, 250.0f);
    ObjTask* boss = parkedBoss();
    call(boss, 4, 0);
    const std::vector<ObjTask*> snakes = partsOf(TSKst05boss2Part113Act);
    ASSERT_EQ(snakes.size(), 1u);
    ObjTask* snake = snakes[0];
    EXPECT_EQ(snake->work->heading, 512);
    EXPECT_EQ(st05boss2Trail.heading[99], 512);
    for (int n = 0; n < 120; ++n) record([&] { snake->act(snake); });
    ASSERT_EQ(snake->state, kObjStateRun);
    const EnemyFields& s = enemy(snake->work);
    EXPECT_FLOAT_EQ(s.steerSpeed, 2.0f);
    EXPECT_EQ(s.halfWidth, 300.0f);
    EXPECT_EQ(snake->work->hitBoxCount, kSt05boss2SnakeBoxes);
    EXPECT_EQ(snake->work->hitBoxes, st05boss2SnakeBoxes);
    EXPECT_EQ(st05boss2Trail.x[0], snake->work->x);
    for (int k = 0; k < kSt05boss2Segments; ++k) {
        EXPECT_EQ(s.trail[k].x, st05boss2Trail.x[10 * k]) << k;
        EXPECT_EQ(s.trail[k].y, st05boss2Trail.y[10 * k]) << k;
        EXPECT_EQ(s.trailHeading[k], st05boss2Trail.heading[10 * k]) << k;
    }
    for (int k : {0, 10}) {
        EXPECT_EQ(st05boss2SnakeBoxes[k].x, 0.0f);
        EXPECT_EQ(st05boss2SnakeBoxes[k].y, 0.0f);
    }
    for (int k = 1; k < 10; ++k) {
        EXPECT_FLOAT_EQ(st05boss2SnakeBoxes[k].x, s.trail[k].x - snake->work->x) << k;
        EXPECT_FLOAT_EQ(st05boss2SnakeBoxes[k].y, s.trail[k].y - snake->work->y) << k;
        EXPECT_EQ(st05boss2SnakeBoxes[k].halfWidth, 10.0f);
    }
    EXPECT_NE(st05boss2Trail.x[0], st05boss2Trail.x[90]) << "the head turned toward the fighter";
    EXPECT_GT(shotsOf(141).size(), 0u) << "its segments fire";
    for (const bossfixture::Shot& shot : shotsOf(141)) EXPECT_EQ(shot.owner, objRef(boss).serial);

    // The trail is game state.
    const uint64_t before = gameStateHash();
    st05boss2Trail.x[55] += 1.0f;
    EXPECT_NE(gameStateHash(), before);
}

TEST_F(St05boss2Test, OneSnakeAtATime) {
    ObjTask* boss = parkedBoss();
    call(boss, 4, 0);
    ASSERT_EQ(partsOf(TSKst05boss2Part113Act).size(), 1u);
    st05boss2Trail.x[0] = 7.0f;
    call(boss, 4, 0);
    EXPECT_EQ(partsOf(TSKst05boss2Part113Act).size(), 1u) << "the second launch is skipped";
    EXPECT_EQ(st05boss2Trail.x[0], 7.0f) << "the live snake's trail is untouched";
    EXPECT_EQ(st05boss2LaunchSnake(boss, 10.0f, 10.0f), nullptr);
}

TEST_F(St05boss2Test, AShotOnTheSnakeDamagesTheBossABombDoesNothing) {
    ObjTask* boss = parkedBoss();
    call(boss, 4, 0);
    ObjTask* snake = partsOf(TSKst05boss2Part113Act).at(0);
    record([&] { snake->act(snake); });
    const int32_t life = enemy(boss->work).hp, own = enemy(snake->work).hp;
    hit(snake, 16, 300);
    EXPECT_EQ(enemy(boss->work).hp, life) << "bomb";
    hit(snake, 6, 300);
    EXPECT_LT(enemy(boss->work).hp, life) << "shot";
    EXPECT_EQ(enemy(snake->work).hp, own);
}

TEST_F(St05boss2Test, TheSnakeLeavesDownOnceTheBossReachesStepSix) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    call(boss, 4, 0);
    ObjTask* snake = partsOf(TSKst05boss2Part113Act).at(0);
    record([&] { snake->act(snake); });
    record([&] { snake->act(snake); });
    EXPECT_EQ(enemy(snake->work).attackPattern, 1);
    enemy(boss->work).step = 6;
    record([&] { snake->act(snake); });
    EXPECT_EQ(enemy(snake->work).attackPattern, 0);
    EXPECT_EQ(enemy(snake->work).steerTarget.y, 1000.0f);
}

TEST_F(St05boss2Test, DriftersHaveNoBoxesAndEndPastTheScreen) {
    const struct {
        float x, y;
        int32_t heading;
    } exits[] = {{280.0f, 100.0f, 256}, {-56.0f, 100.0f, 768}, {100.0f, -56.0f, 0}, {100.0f, 344.0f, 512}};
    for (const auto& c : exits) {
        ObjTask* boss = parkedBoss();
        ObjTask* drifter = st05boss2LaunchDrifter(boss, c.x, c.y, c.heading, 0);
        ASSERT_NE(drifter, nullptr);
        int frames = 0;
        while (drifter->state == kObjStateRun && frames < 20) {
            record([&] { drifter->act(drifter); });
            EXPECT_EQ(drifter->work->hitBoxCount, 0);
            ++frames;
        }
        EXPECT_NE(drifter->state, kObjStateRun) << c.x << ", " << c.y;
        EXPECT_LT(frames, 8);
        nextCase();
    }
}

TEST_F(St05boss2Test, PartsEndOnceTheirBossIsFreed) {
    ObjTask* boss = parkedBoss();
    call(boss, 4, 0);
    ObjTask* snake = partsOf(TSKst05boss2Part113Act).at(0);
    ObjTask* drifter = st05boss2LaunchDrifter(boss, 100.0f, 100.0f, 0, 1);
    ASSERT_NE(drifter, nullptr);
    OBJtaskRelease(boss);
    record([&] {
        snake->act(snake);
        drifter->act(drifter);
    });
    EXPECT_EQ(snake->state, kObjStateEnd);
    EXPECT_EQ(drifter->state, kObjStateEnd);
}

TEST_F(St05boss2Test, TheRingTurnsWithTheBossAndFadesIn) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    call(boss, 3, 0);
    for (int k = 6; k < 10; ++k) ASSERT_NE(objRefWork(e.partLink[k]), nullptr) << k;
    e.phase = 2;
    e.step = 2;
    e.attackPattern = 99;  // held
    e.shotsLeft = 1000;
    e.shotCountdown = 100000;
    runFrames(boss, 210);
    EXPECT_GT(e.ringAlpha, 0.0f);
    const ObjWork* first = objRefWork(e.partLink[6]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->heading, e.spin & 1023);
    EXPECT_NEAR(first->x, boss->work->x + 50.0f * std::sin(float(e.spin) * 6.2831855f / 1024.0f), 0.01f);
    e.attackPattern = 0;
    runFrame(boss);
    EXPECT_EQ(e.step, 4);
    for (int k = 6; k < 10; ++k) EXPECT_EQ(objRefWork(e.partLink[k]), nullptr) << "let go";
}

TEST_F(St05boss2Test, TheFormChangeLeadsToTheEndlessPatternEight) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    soundLayerState().layerTarget = 0;
    e.phase = 4;
    e.step = 0;
    runFrame(boss);
    EXPECT_EQ(e.step, 6);
    EXPECT_EQ(e.motionState, 153);
    EXPECT_EQ(soundLayerState().layerTarget, 1);
    const int change = runUntil(boss, [&] { return e.phase == 5; });
    EXPECT_EQ(change, kSt05b2Change);
    EXPECT_EQ(e.motionState, 154);
    runUntil(boss, [&] { return e.step == 2; });
    EXPECT_EQ(e.attackPattern, 8);
    EXPECT_EQ(e.steerMode, 4);
    EXPECT_EQ(e.steerTarget.x, 112.0f);
    EXPECT_EQ(e.steerTarget.y, 84.0f);
    runFrames(boss, 3000);
    EXPECT_EQ(e.phase, 5);
    EXPECT_EQ(e.step, 2) << "pattern 8 never ends";
}

// The stage-5 boss's death under the true-boss condition: the WARNING at
// 180 with the route flag, then (after the visual at 480) this boss at 501.
TEST_F(St05boss2Test, TheStageFiveBossCallBringsTheWarningAndThisBoss) {
    ObjTask* dying = OBJtaskCreate(nullptr, kEnemyGroup, kEnemyTag);
    dying->state = 12345;
    dying->work = OBJworkNew();
    dying->release = TSKgameCtrlKill;
    ObjWork* work = dying->work;
    work->kind = 104;
    work->lifeState = 3;
    EnemyFields& e = enemy(work);
    e.sizeClass = 4;
    e.trueLastBoss = 1;
    e.deathPhase = 6;
    e.deathTimer = 0;
    stageClearFlag = 1;
    auto count = [](int32_t kind) {
        int n = 0;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->work != nullptr && t->work->kind == kind) ++n;
        });
        return n;
    };
    for (int t = 0; t <= 180; ++t) enemyStepDeath(dying, work);
    EXPECT_EQ(trueRouteFlag, 1);
    EXPECT_EQ(count(134), 1) << "the WARNING";
    EXPECT_EQ(count(105), 0);
    for (int t = 181; t <= 501; ++t) enemyStepDeath(dying, work);
    ASSERT_EQ(count(105), 1);
    EXPECT_EQ(e.deathPhase, 7);
    EXPECT_EQ(stageClearFlag, 0);
    OBJtaskWalk(kEnemyGroup, [](ObjTask* t) {
        if (t->work == nullptr || t->work->kind != 105) return;
        EXPECT_EQ(t->act, TSKst05boss2Act);
        EXPECT_EQ(t->work->x, 112.0f);
        EXPECT_EQ(enemy(t->work).phase, 0) << "it waits for the visual";
    });
}

TEST(St05boss2KindTest, TheKindTableHoldsTheBossAndItsParts) {
    EXPECT_EQ(enemyKindAct(105), TSKst05boss2Act);
    EXPECT_EQ(enemyKindAct(112), TSKst05boss2Part112Act);
    EXPECT_EQ(enemyKindAct(113), TSKst05boss2Part113Act);
}

}  // namespace
