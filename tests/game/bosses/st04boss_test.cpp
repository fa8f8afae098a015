// Kind 103, the stage-4 boss, and its falling block (kind 118) over a
// "st04boss" of known label lengths: the init, the phase walk of the entry,
// the beams' return to 0, the hit boxes by phase, the guns' calls by rank
// level, the run mode that holds it, the block's sweep at mode level 0, its
// immunity and its end with the boss.
#include <gtest/gtest.h>

#include <map>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/st04boss.h"
#include "game/core/play_state.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kSt04Held = 30, kSt04Move = 20, kSt04Change = 25, kSt04Last = 15, kSt04Death = 40;

std::vector<bossfixture::Turret> st04Locators() {
    std::vector<bossfixture::Turret> locators = bossfixture::turretRow(20);
    for (int n = 0; n < 5; ++n) locators.push_back({"smoke0" + std::to_string(n), float(10 * n - 20), -30.0f});
    return locators;
}

class St04bossTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        stageNumber = 4;
        runModeWord = 0;
        st4BurstSignal = 0;
        cacheBossMotion("st04boss", {{"st04boss",
                                      {{"st04boss_0", kSt04Move},
                                       {"st04boss_1", kSt04Held},
                                       {"st04boss_2", kSt04Move},
                                       {"st04boss_3", kSt04Move},
                                       {"st04boss_5", kSt04Change},
                                       {"st04boss_6", kSt04Last},
                                       {"death", kSt04Death}},
                                      st04Locators()}});
    }
    void TearDown() override {
        runModeWord = 0;
        st4BurstSignal = 0;
        BossFixture::TearDown();
    }
    // A boss past its first update, entered, held in place in a phase that
    // runs no row.
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(103);
        runFrame(boss);
        enter(boss);
        EnemyFields& e = enemy(boss->work);
        e.phase = 7;
        e.steerMode = 0;
        boss->work->x = 112.0f;
        boss->work->y = 80.0f;
        return boss;
    }
    // An attack that never ends nor fires while a test watches the steps.
    static void holdAttack(EnemyFields& e) {
        e.attackPattern = 99;
        e.shotsLeft = 1000;
        e.shotCountdown = 100000;
    }
    // Shots by type of one turret call at shot index i (volley v).
    std::map<int32_t, int> call(ObjTask* boss, int32_t pattern, int32_t i, int32_t v = 0) {
        EnemyFields& e = enemy(boss->work);
        e.attackPattern = pattern;
        e.shotIndex = i;
        e.volleyIndex = v;
        const size_t before = shots.size();
        record([&] { TSKst04bossTurret(boss, boss->work); });
        std::map<int32_t, int> out;
        for (size_t k = before; k < shots.size(); ++k) ++out[shots[k].type];
        return out;
    }
    void nextCase() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        shots.clear();
    }
    static int blocks() {
        int n = 0;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->act == TSKst04bossPart118Act && t->work != nullptr) ++n;
        });
        return n;
    }
    static ObjTask* block() {
        ObjTask* found = nullptr;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->act == TSKst04bossPart118Act && t->work != nullptr) found = t;
        });
        return found;
    }
};

TEST_F(St04bossTest, InitFillsTheFrame) {
    st4BossEntered = 1;
    st4BurstSignal = 1;
    stageProgress = 0;
    soundLayerState().layerTarget = 1;
    ObjTask* boss = spawnBoss(103);
    ASSERT_NE(boss, nullptr);
    ObjWork* work = boss->work;
    const EnemyFields& e = enemy(work);
    EXPECT_EQ(work->draw, TSKst04bossDraw);
    EXPECT_EQ(work->hit, TSKenemyHit);
    EXPECT_EQ(work->attack, TSKst04bossTurret);
    EXPECT_FLOAT_EQ(work->depth, 300.0f);
    EXPECT_EQ(e.formCount, 3);
    EXPECT_EQ(e.score, 2000000u);
    EXPECT_EQ(e.entryWait, 1000);
    EXPECT_EQ(e.sizeClass, 4);
    EXPECT_EQ(e.phase, 0);
    EXPECT_EQ(st4BossEntered, 0);
    EXPECT_EQ(st4BurstSignal, 0);
    EXPECT_EQ(stageProgress, 2);
    EXPECT_EQ(soundLayerState().layerTarget, 0);
    const struct {
        int32_t system, mode, one, two, three;
    } cases[] = {{0, 2, 126976, 176128, 65536}, {2, 2, 101580, 140902, 52428}, {0, 0, 101580, 140902, 52428}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* other = spawnBoss(103);
        EXPECT_EQ(enemy(other->work).formHp[0], c.one);
        EXPECT_EQ(enemy(other->work).formHp[1], c.two);
        EXPECT_EQ(enemy(other->work).formHp[2], c.three);
        EXPECT_EQ(enemy(other->work).hp, c.one + c.two + c.three);
    }
}

TEST_F(St04bossTest, TheEntryWalk) {
    ObjTask* boss = spawnBoss(103);
    EnemyFields& e = enemy(boss->work);
    const int entry = runUntil(boss, [&] { return st4BossEntered != 0; });
    EXPECT_EQ(entry, 121) << "once stepCount reaches 120";
    EXPECT_EQ(e.motionState, 72);
    EXPECT_EQ(e.step, 1);
    const int held = runUntil(boss, [&] { return e.step == 6; });
    EXPECT_EQ(held, kSt04Held) << "the held st04boss_1 plays once";
    EXPECT_EQ(e.motionState, 73);
    EXPECT_EQ(e.entryWait, 120);
    EXPECT_EQ(boss->work->hitBoxCount, 0) << "no boxes while it waits";
    const int wait = runUntil(boss, [&] { return e.phase == 1; });
    EXPECT_EQ(wait, 120);
    runFrame(boss);
    EXPECT_EQ(e.motionState, 74);
    EXPECT_EQ(boss->work->hitBoxCount, 7);
}

TEST_F(St04bossTest, TheRunModeThreeHoldsTheScriptAndTheAge) {
    ObjTask* boss = spawnBoss(103);
    runFrame(boss);
    const int32_t age = enemyAge(boss);
    runModeWord = 3;
    runFrames(boss, 5);
    EXPECT_EQ(enemyAge(boss), age);
    EXPECT_EQ(enemy(boss->work).frameCount, 6) << "the update still runs";
    runModeWord = 0;
    runFrame(boss);
    EXPECT_EQ(enemyAge(boss), age + 1);
}

TEST_F(St04bossTest, TheBeamsReturnToExactlyZeroBeforeStepSixEnds) {
    for (int32_t phase : {1, 2}) {
        ObjTask* boss = parkedBoss();
        EnemyFields& e = enemy(boss->work);
        e.phase = phase;
        e.step = 5;
        holdAttack(e);
        runFrames(boss, 70);
        EXPECT_FLOAT_EQ(e.beamLevel, 1.0f);
        e.attackPattern = 0;
        runFrame(boss);
        ASSERT_EQ(e.step, 6);
        holdAttack(e);
        runFrames(boss, 60);
        EXPECT_EQ(e.beamLevel, 0.0f);
        EXPECT_EQ(e.phase, phase) << "the attack still runs";
        e.attackPattern = 0;
        e.beamLevel = 0.03f;
        runFrame(boss);
        EXPECT_EQ(e.phase, phase) << "0.01 left";
        runFrame(boss);
        EXPECT_EQ(e.beamLevel, 0.0f);
        EXPECT_EQ(e.phase, phase == 1 ? 2 : 1);
        EXPECT_EQ(e.step, 0);
        EXPECT_EQ(e.motionState, 73);
        nextCase();
    }
}

TEST_F(St04bossTest, HitBoxesByPhase) {
    const struct {
        int32_t phase, boxes;
    } cases[] = {{1, 7}, {2, 7}, {4, 7}, {5, 11}, {6, 11}, {7, 11}, {8, 3}, {9, 3}};
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    for (const auto& c : cases) {
        e.phase = c.phase;
        e.step = 3;  // no row
        runFrame(boss);
        EXPECT_EQ(boss->work->hitBoxCount, c.boxes) << "phase " << c.phase;
    }
    e.noHitBoxes = 1;
    runFrame(boss);
    EXPECT_EQ(boss->work->hitBoxCount, 0);
}

TEST_F(St04bossTest, CallListsByRankLevel) {
    makeFighter();
    const struct {
        int32_t level, pattern, i, v;
        std::map<int32_t, int> shots;
    } cases[] = {
        {0, 1, 3, 0, {{139, 4}}},
        {3, 1, 0, 1, {{139, 3}}},
        {3, 1, 0, 3, {{139, 10}, {18, 12}}},
        {1, 1, 0, 0, {{139, 1}}},
        {0, 2, 39, 0, {}},
        {0, 2, 40, 0, {{158, 8}}},
        {3, 2, 45, 0, {{141, 21}, {173, 1}}},
        {1, 2, 45, 0, {{141, 3}, {173, 1}}},
        {0, 3, 1, 0, {{139, 2}}},
        {0, 3, 70, 0, {{30, 2}}},
        {3, 3, 71, 0, {{139, 4}, {30, 6}}},
        {0, 8, 0, 0, {{9, 4}}},
        {0, 8, 1, 0, {}},
        {2, 8, 48, 0, {{9, 4}, {140, 18}}},
        {3, 8, 49, 0, {{9, 4}, {140, 50}}},
        {0, 9, 30, 0, {{39, 2}}},
        {2, 9, 40, 0, {{30, 1}, {158, 2}, {39, 4}}},
        {3, 9, 170, 0, {{11, 5}}},
        {0, 9, 184, 0, {}},
        {0, 11, 0, 0, {{174, 1}}},
        {3, 11, 0, 0, {{174, 2}}},
        {0, 11, 6, 0, {{174, 4}}},
        {3, 11, 6, 0, {{174, 8}}},
        {0, 11, 7, 0, {}},
        {0, 12, 0, 0, {{4, 2}}},
        {0, 12, 1, 0, {}},
        {3, 12, 0, 0, {{4, 2}, {37, 2}}},
        {0, 12, 120, 0, {{133, 4}}},
        {3, 12, 120, 0, {{133, 20}}},
        {0, 15, 0, 0, {{159, 10}, {139, 8}}},
        {3, 15, 1, 0, {{139, 32}}},
        {1, 15, 1, 0, {{139, 10}}},
    };
    for (const auto& c : cases) {
        gameMode = c.level;
        ObjTask* boss = parkedBoss();
        EXPECT_EQ(call(boss, c.pattern, c.i, c.v), c.shots)
            << "level " << c.level << " pattern " << c.pattern << " shot " << c.i << " volley " << c.v;
        nextCase();
    }
}

TEST_F(St04bossTest, PatternFourSalvosAndTheBurstSignal) {
    makeFighter();
    const int salvos[] = {6, 8, 10, 15};
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        ObjTask* boss = parkedBoss();
        int fired = 0;
        for (int32_t i = 0; i < 200; ++i) {
            fired += call(boss, 4, i)[172];
            EXPECT_EQ(st4BurstSignal, i >= 180 ? 1 : 0) << i;
        }
        EXPECT_EQ(fired, salvos[level]) << "level " << level;
        st4BurstSignal = 0;
        nextCase();
    }
}

TEST_F(St04bossTest, FormThreeDropsOneBlock) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.phase = 9;
    e.step = 1;
    e.motionEnded = 1;
    e.attackPattern = 0;
    runFrame(boss);
    EXPECT_EQ(e.attackPattern, 15);
    EXPECT_EQ(e.step, 2);
    ASSERT_EQ(blocks(), 1);
    ObjWork* dropped = block()->work;
    EXPECT_EQ(bossPartBoss(dropped), boss->work);
    EXPECT_FLOAT_EQ(dropped->x, boss->work->x);
    EXPECT_FLOAT_EQ(dropped->depth, 204.0f);
    EXPECT_EQ(enemy(dropped).sizeClass, 2);
    runFrames(boss, 10);
    EXPECT_GT(e.beamLevel, 0.0f) << "the arc lights";
}

TEST_F(St04bossTest, TheBlockSweepsSideToSideAtModeLevelZero) {
    gameMode = 0;
    makeFighter(112.0f, 250.0f);
    ObjTask* boss = parkedBoss();
    ObjTask* part = bossSpawnPart(boss, TSKst04bossPart118Act);
    ASSERT_NE(part, nullptr);
    part->work->x = 112.0f;
    part->work->y = 80.0f;
    EnemyFields& b = enemy(part->work);
    // (sweep count, x, y) at each arrival at a side.
    std::vector<std::tuple<int32_t, float, float>> arrivals;
    std::vector<float> targets;
    int32_t last = b.subState;
    for (int f = 0; f < 3000 && arrivals.size() < 3; ++f) {
        runEnemiesFrame();
        if (last == 1 && b.subState == 2) arrivals.emplace_back(b.sweepCount, part->work->x, part->work->y);
        if ((last == 4 || last == 5) && b.subState == 1) targets.push_back(part->work->y);
        last = b.subState;
    }
    ASSERT_EQ(arrivals.size(), 3u);
    EXPECT_LE(std::get<1>(arrivals[0]), 36.0f) << "even sweeps go left";
    EXPECT_GE(std::get<1>(arrivals[1]), 188.0f) << "odd sweeps go right";
    EXPECT_LE(std::get<1>(arrivals[2]), 36.0f);
    ASSERT_GE(targets.size(), 2u);
    EXPECT_NEAR(targets[0], 236.0f, 1.0f);
    EXPECT_NEAR(targets[1], 140.0f, 1.0f);
    EXPECT_FLOAT_EQ(part->work->depth, 442.0f);
    EXPECT_TRUE(shotsOf(12).empty()) << "rank level 0 charges without firing";
}

TEST_F(St04bossTest, TheBlockTakesNoDamageAndEndsWithItsBoss) {
    ObjTask* boss = parkedBoss();
    ObjTask* part = bossSpawnPart(boss, TSKst04bossPart118Act);
    ASSERT_NE(part, nullptr);
    const int32_t hp = enemy(part->work).hp;
    const int32_t bossHp = enemy(boss->work).hp;
    EXPECT_EQ(part->work->hitBoxCount, 1);
    hit(part, 6, 500);
    EXPECT_EQ(enemy(part->work).hp, hp);
    EXPECT_EQ(enemy(boss->work).hp, bossHp) << "nor is its boss hurt through it";
    runEnemiesFrame();
    EXPECT_EQ(part->state, kObjStateRun);
    OBJtaskRelease(boss);
    runEnemiesFrame();
    EXPECT_EQ(part->state, kObjStateEnd) << "its boss no longer resolves";
    runEnemiesFrame();
    EXPECT_EQ(blocks(), 0) << "gone with the boss";
}

TEST_F(St04bossTest, TheBlockChargeByRankLevel) {
    makeFighter();
    const struct {
        int32_t level;
        float x;
        int32_t i;
        int aimed, corners;
    } cases[] = {{0, 150.0f, 0, 0, 0}, {1, 150.0f, 0, 5, 0}, {2, 150.0f, 1, 10, 0},
                 {2, 50.0f, 0, 5, 40}, {3, 150.0f, 0, 15, 80}};
    for (const auto& c : cases) {
        gameMode = c.level;
        ObjTask* boss = parkedBoss();
        ObjTask* part = bossSpawnPart(boss, TSKst04bossPart118Act);
        part->work->x = c.x;
        part->work->y = 160.0f;
        EnemyFields& b = enemy(part->work);
        b.attackPattern = 1;
        b.shotIndex = c.i;
        record([&] { TSKst04bossPart118Attack(part, part->work); });
        EXPECT_EQ(int(shotsOf(12).size()), c.aimed) << "level " << c.level << " shot " << c.i;
        EXPECT_EQ(int(shotsOf(44).size()), c.corners) << "level " << c.level << " shot " << c.i;
        for (const bossfixture::Shot& s : shotsOf(44)) {
            const bool right = c.x >= 100.0f;
            EXPECT_TRUE(right ? s.x > c.x - 34.5f : s.x < c.x + 34.5f);
        }
        nextCase();
    }
}

TEST_F(St04bossTest, DyingRaisesTheSignalAndDropsTheBeams) {
    makeSequence();
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.beamLevel = 0.5f;
    e.hp = 1;
    for (int32_t& form : e.formHp) form = 0;
    e.formHp[2] = 1;
    e.formIndex = 2;
    e.phase = 9;
    e.step = 3;
    hit(boss, 6, 10);
    ASSERT_EQ(boss->work->lifeState, 3);
    runUntil(boss, [&] { return st4BossDying != 0; }, 600);
    EXPECT_EQ(st4BossDying, 1);
    EXPECT_EQ(e.motionState, 103);
    EXPECT_EQ(e.beamLevel, 0.0f);
}

}  // namespace

namespace {

TEST_F(St04bossTest, TheFormChangesRows) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    soundLayerState().layerTarget = 0;
    e.phase = 4;
    e.step = 0;
    e.beamLevel = 0.5f;
    runFrame(boss);
    EXPECT_EQ(soundLayerState().layerTarget, 1);
    EXPECT_EQ(e.beamLevel, 0.0f);
    EXPECT_EQ(e.motionState, 84);
    EXPECT_EQ(e.step, 6);
    EXPECT_FLOAT_EQ(e.steerTarget.y, 90.0f);
    EXPECT_EQ(runUntil(boss, [&] { return e.phase == 5; }), kSt04Move);
    EXPECT_EQ(e.motionState, 85);
    e.phase = 8;
    e.step = 0;
    runFrame(boss);
    EXPECT_EQ(e.motionState, 96);
    EXPECT_EQ(runUntil(boss, [&] { return e.phase == 9; }), kSt04Change);
    EXPECT_EQ(e.motionState, 97);
    EXPECT_EQ(runUntil(boss, [&] { return e.step == 1; }), 11) << "step 0 waits for stepCount above 10";
    EXPECT_EQ(e.motionState, 98);
    EXPECT_FLOAT_EQ(e.steerTarget.y, 70.0f);
}

}  // namespace
