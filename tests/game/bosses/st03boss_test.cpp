// Kind 102, the stage-3 boss, and its satellites (kind 119) over a
// "st03boss" of known label lengths: the init, the firing schedule, the call
// lists of the boss's and the satellites' patterns by rank level, the
// approach speed, the formation and ring points, the pull, the hits passed
// on to the boss, the new set at the form change and the satellites' end
// when the boss goes.
#include <gtest/gtest.h>

#include <map>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_services.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kSt03Default = 20, kSt03Form2 = 30, kSt03Attack = 10, kSt03Death = 40;

std::vector<bossfixture::Turret> st03Locators() {
    std::vector<bossfixture::Turret> locators = bossfixture::turretRow(20);
    for (int n = 0; n < 5; ++n) locators.push_back({"smoke0" + std::to_string(n), float(10 * n - 20), -30.0f});
    return locators;
}

class St03bossTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        cacheBossMotion("st03boss", {{"st03boss",
                                      {{"default", kSt03Default},
                                       {"form2_default", kSt03Form2},
                                       {"form2_att1", kSt03Attack},
                                       {"form2_death", kSt03Death}},
                                      st03Locators()}});
    }
    // A boss past its first update, entered, held in place in a phase that
    // runs no row.
    ObjTask* parkedBoss() {
        ObjTask* boss = spawnBoss(102);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        enemy(boss->work).steerMode = 0;
        boss->work->x = 112.0f;
        boss->work->y = 80.0f;
        return boss;
    }
    ObjTask* satellite(ObjTask* boss, int32_t index, float x = 112.0f, float y = 100.0f) {
        ObjTask* part = bossSpawnPart(boss, TSKst03bossPart119Act);
        part->work->kind = 119;
        part->work->x = x;
        part->work->y = y;
        enemy(part->work).index = index;
        enemy(part->work).turretAngle = 512;
        return part;
    }
    // One call of the satellite's attack at shot index i.
    std::vector<bossfixture::Shot> call(ObjTask* part, int32_t pattern, int32_t i) {
        enemy(part->work).attackPattern = pattern;
        enemy(part->work).shotIndex = i;
        const size_t before = shots.size();
        record([&] { TSKst03bossPart119Attack(part, part->work); });
        return {shots.begin() + long(before), shots.end()};
    }
    // The boss's turret calls of an attack, by call index.
    std::map<int, std::vector<bossfixture::Shot>> bossCalls(ObjTask* boss, int32_t pattern, int calls) {
        std::map<int, std::vector<bossfixture::Shot>> out;
        EnemyFields& e = enemy(boss->work);
        e.attackPattern = pattern;
        for (int i = 0; i < calls; ++i) {
            e.shotIndex = i;
            const size_t before = shots.size();
            record([&] { TSKst03bossTurret(boss, boss->work); });
            out[i].assign(shots.begin() + long(before), shots.end());
        }
        return out;
    }
    static int count(const std::vector<bossfixture::Shot>& list, int32_t type) {
        return int(std::count_if(list.begin(), list.end(), [&](const bossfixture::Shot& s) { return s.type == type; }));
    }
    static int satellites(bool aliveOnly) {
        int n = 0;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->act == TSKst03bossPart119Act && t->work != nullptr && (!aliveOnly || t->work->lifeState != 3)) ++n;
        });
        return n;
    }
    void nextLevel() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        shots.clear();
    }
};

TEST_F(St03bossTest, InitFillsTheFrame) {
    soundLayerState().layerTarget = 0;
    stageProgress = 1;
    ObjTask* boss = spawnBoss(102);
    ASSERT_NE(boss, nullptr);
    ObjWork* work = boss->work;
    const EnemyFields& e = enemy(work);
    EXPECT_EQ(boss->release, bossFreeWithLinks);
    EXPECT_EQ(work->draw, TSKst03bossDraw);
    EXPECT_EQ(work->hit, TSKbossHit);
    EXPECT_EQ(work->attack, TSKst03bossTurret);
    EXPECT_FLOAT_EQ(work->depth, 430.0f);
    EXPECT_EQ(e.sizeClass, 4);
    EXPECT_EQ(e.formCount, 2);
    EXPECT_EQ(e.score, 1000000u);
    EXPECT_EQ(e.entryWait, 60);
    EXPECT_EQ(e.offscreenTimer, 3600);
    EXPECT_EQ(e.bonusCountdown, 600000);
    EXPECT_EQ(e.motionState, 49);
    EXPECT_EQ(e.motionLength, kSt03Default);
    EXPECT_EQ(soundLayerState().layerTarget, 1) << "the boss's music layer";
    EXPECT_EQ(stageProgress, 2) << "the boss reached";
    runFrame(boss);
    EXPECT_EQ(e.setupDone, 1);
    EXPECT_EQ(e.steerMode, 1);
    EXPECT_FLOAT_EQ(e.steerSpeed, 5.0f) << "set after the step's steering";
    for (const ObjPoint& p : e.smokeOffsets) {
        EXPECT_TRUE(p.x >= -65 && p.x < 65 && p.y >= -75 && p.y < -5) << p.x << "," << p.y;
    }
}

TEST_F(St03bossTest, HitPointsOfBothForms) {
    const struct {
        int32_t system, mode, one, two;
    } cases[] = {{0, 2, 122880, 65536}, {2, 2, 98304, 52428}, {0, 0, 98304, 52428}, {2, 0, 78643, 41942}};
    for (const auto& c : cases) {
        gameSystem = c.system;
        gameMode = c.mode;
        ObjTask* boss = spawnBoss(102);
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(enemy(boss->work).formHp[0], c.one);
        EXPECT_EQ(enemy(boss->work).formHp[1], c.two);
        EXPECT_EQ(enemy(boss->work).hp, c.one + c.two);
        nextLevel();
    }
}

TEST_F(St03bossTest, PatternOneFiresNinetyCallsSixFramesApartAndTheStepGoesOnAt536) {
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.phase = 1;
    e.step = 1;
    e.motionEnded = 1;
    runFrame(boss);
    ASSERT_EQ(e.attackPattern, 1);
    ASSERT_EQ(e.step, 2);
    EXPECT_EQ(e.motionState, 51);
    std::vector<int> callFrames;
    int stepOn = -1;
    for (int f = 1; f <= 540 && stepOn < 0; ++f) {
        const int32_t before = e.shotIndex;
        runFrame(boss);
        if (e.shotIndex == before + 1 && e.attackPattern == 1) callFrames.push_back(f);
        if (e.step == 4) stepOn = f;
    }
    ASSERT_EQ(callFrames.size(), 90u);
    EXPECT_EQ(callFrames.front(), 1);
    EXPECT_EQ(callFrames[1], 7);
    EXPECT_EQ(callFrames.back(), 535);
    EXPECT_EQ(stepOn, 536);
    EXPECT_EQ(e.motionState, 53);
}

TEST_F(St03bossTest, TheBossFiresPatternOneOnlyAtLevelThreeFromCallTen) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        const auto calls = bossCalls(boss, 1, 30);
        for (const auto& [i, list] : calls) {
            const bool fires = level == 3 && i >= 10 && (i >= 20 || i % 2 == 0);
            ASSERT_EQ(count(list, 12), fires ? 1 : 0) << "level " << level << " call " << i;
            if (!fires) continue;
            EXPECT_TRUE(list[0].speed >= 120 && list[0].speed <= 165);
            EXPECT_EQ(list[0].owner, boss->work->serial);
            EXPECT_EQ(list[0].sounds.count(18), 1u);
        }
        nextLevel();
    }
}

TEST_F(St03bossTest, TheJawLaserOpensAtTwentyAndEndsAtFiftyNineOfEachPeriod) {
    const struct {
        int32_t pattern, period;
    } patterns[] = {{3, 60}, {8, 90}};
    for (const auto& p : patterns) {
        for (int32_t level = 0; level < 4; ++level) {
            gameMode = level;
            makeFighter(112.0f, 250.0f);
            ObjTask* boss = parkedBoss();
            EnemyFields& e = enemy(boss->work);
            ObjRef laser{};
            e.attackPattern = p.pattern;
            for (int i = 0; i < 2 * p.period; ++i) {
                e.shotIndex = i;
                const size_t before = shots.size();
                record([&] { TSKst03bossTurret(boss, boss->work); });
                const std::vector<bossfixture::Shot> list(shots.begin() + long(before), shots.end());
                const bool opens = level >= 2 && i % p.period == 20;
                ASSERT_EQ(int(list.size()), opens ? 1 : 0) << p.pattern << " level " << level << " call " << i;
                if (opens) {
                    EXPECT_EQ(list[0].type, 161);
                    EXPECT_EQ(list[0].angle, bossAimFrom(boss->work, 0));
                    EXPECT_FLOAT_EQ(list[0].speed, 0.0f);
                    laser = e.partLink[0];
                    ASSERT_NE(objRefWork(laser), nullptr);
                }
                if (level >= 2 && i % p.period == 59) {
                    EXPECT_EQ(objRefWork(laser)->lifeState, 10) << "detached at 59";
                    EXPECT_EQ(e.partLink[0].serial, 0u);
                }
            }
            nextLevel();
        }
    }
}

TEST_F(St03bossTest, SatellitePatternOneFreezesItsHeadingAndGrowsWithLevelAndLoops) {
    const struct {
        int32_t level, loops, count;
        float speed;
        int32_t spread;
    } cases[] = {{0, 0, 1, 180, 120}, {1, 9, 1, 250, 120}, {2, 0, 1, 250, 80},
                 {2, 5, 3, 250, 80},  {3, 0, 3, 250, 60},  {3, 5, 5, 250, 60}};
    for (const auto& c : cases) {
        gameMode = c.level;
        makeFighter();
        ObjTask* boss = parkedBoss();
        ObjTask* part = satellite(boss, 2);
        enemy(part->work).loopCount = c.loops;
        const auto first = call(part, 1, 0);
        enemy(part->work).turretAngle = 100;
        const auto second = call(part, 1, 1);
        const auto third = call(part, 1, 2);
        ASSERT_EQ(count(first, 139), c.count) << c.level << " " << c.loops;
        EXPECT_EQ(count(second, 139), c.count);
        EXPECT_EQ(count(third, 139), c.level == 0 ? 0 : c.count) << "level 0 fires on calls 0 and 1";
        EXPECT_EQ(enemy(part->work).turretHeld, 1);
        EXPECT_FLOAT_EQ(second[0].speed, c.speed);
        EXPECT_EQ(second[c.count / 2].angle, 512) << "the heading frozen at call 0";
        if (c.count > 1) EXPECT_EQ(second[1].angle - second[0].angle, c.spread);
        EXPECT_EQ(second[0].owner, boss->work->serial) << "the boss's bullets";
        nextLevel();
    }
}

TEST_F(St03bossTest, SatellitePatternTwoByIndex) {
    struct Case {
        int32_t index, level, i, type, n;
        uint32_t ownerIsPart;
    };
    const Case cases[] = {
        {0, 2, 0, 133, 2, 0},  {0, 3, 0, 133, 4, 0},  {0, 2, 19, 133, 2, 0}, {0, 2, 20, 133, 0, 0},
        {0, 2, 140, 133, 0, 0}, {3, 2, 0, 133, 0, 0}, {3, 2, 20, 133, 2, 0}, {1, 0, 40, 44, 3, 0},
        {1, 1, 60, 44, 5, 0},  {1, 2, 80, 44, 15, 0}, {1, 2, 80, 0, 4, 0},   {1, 3, 120, 44, 27, 0},
        {1, 3, 120, 0, 8, 0},  {1, 3, 41, 44, 0, 0},  {4, 3, 30, 44, 27, 0}, {4, 3, 40, 44, 0, 0},
        {2, 2, 26, 158, 1, 0}, {2, 2, 25, 158, 0, 0}, {5, 2, 35, 158, 0, 0}, {5, 2, 59, 158, 1, 0},
        {6, 0, 150, 164, 1, 1}, {6, 0, 151, 164, 0, 1}, {7, 1, 153, 164, 1, 1}, {7, 2, 151, 164, 1, 1},
        {7, 3, 151, 164, 2, 1}, {6, 3, 149, 164, 0, 1},
    };
    for (const Case& c : cases) {
        gameMode = c.level;
        ObjTask* boss = parkedBoss();
        ObjTask* part = satellite(boss, c.index);
        const auto list = call(part, 2, c.i);
        ASSERT_EQ(count(list, c.type), c.n) << "index " << c.index << " level " << c.level << " call " << c.i;
        if (c.n > 0) {
            const auto it = std::find_if(list.begin(), list.end(), [&](const auto& s) { return s.type == c.type; });
            EXPECT_EQ(it->owner, c.ownerIsPart ? part->work->serial : boss->work->serial);
        }
        nextLevel();
    }
    // The pairs close in: index 0 at call k of its 20 has spread 240 - 10k.
    gameMode = 2;
    ObjTask* boss = parkedBoss();
    ObjTask* part = satellite(boss, 0);
    const auto pair = call(part, 2, 5);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[1].angle - pair[0].angle, 190);
    EXPECT_FLOAT_EQ(pair[0].speed, 400.0f);
    call(part, 2, 25);
    EXPECT_EQ(enemy(part->work).turretHeld, 0) << "released between bursts";
}

TEST_F(St03bossTest, SatellitePatternThreeChoosesAtEveryTenthCall) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        ObjTask* boss = parkedBoss();
        ObjTask* part = satellite(boss, 1);
        const int32_t lines = level == 3 ? 3 : 1;
        enemy(part->work).turretTarget = 10;
        const auto fans = call(part, 3, 2);
        EXPECT_EQ(count(fans, 139), 3 * lines) << "fan count j + 1";
        const float speeds[4] = {130, 190, 260, 260};
        EXPECT_FLOAT_EQ(fans[0].speed, speeds[level]);
        EXPECT_TRUE(call(part, 3, 4).empty());
        enemy(part->work).turretTarget = 70;
        EXPECT_TRUE(call(part, 3, 1).empty());
        for (int round = 0; round < 6; ++round) {
            const auto first = call(part, 3, 10 * round);
            const int fansOf11[4] = {4, 6, 8, 12};
            if (enemy(part->work).turretTarget < 50) {
                EXPECT_EQ(count(first, 139), lines);
            } else {
                EXPECT_EQ(count(first, 11), fansOf11[level] * (level == 3 ? 3 : 1));
            }
        }
        nextLevel();
    }
}

TEST_F(St03bossTest, SatellitePatternEightLasersAtIndexesZeroAndFourAndTheRestInTurn) {
    for (int32_t level = 0; level < 4; ++level) {
        gameMode = level;
        makeFighter(112.0f, 250.0f);
        ObjTask* boss = parkedBoss();
        ObjTask* ringer = satellite(boss, 4);
        const auto laser = call(ringer, 8, 0);
        ASSERT_EQ(count(laser, 161), 1);
        const int32_t offsets[4] = {80, 60, 40, 20};
        EXPECT_EQ(enemy(ringer->work).laserOffset, offsets[level]);
        EXPECT_EQ(laser[0].angle, (512 + offsets[level]) & 1023) << "aimed from the muzzle below it";
        EXPECT_EQ(laser[0].owner, boss->work->serial);
        EXPECT_NE(objRefWork(enemy(ringer->work).partLink[0]), nullptr);
        EXPECT_TRUE(call(ringer, 8, 1).empty());
        ObjTask* part = satellite(boss, 3);
        const auto own = call(part, 8, 3);
        EXPECT_EQ(count(own, 133), 1);
        EXPECT_EQ(count(own, 63), 2);
        const auto other = call(part, 8, 4);
        EXPECT_EQ(count(other, 133), 0);
        EXPECT_EQ(count(other, 63), 2);
        EXPECT_EQ(count(call(part, 8, 107), 133), level == 0 ? 1 : 3);
        nextLevel();
    }
}

TEST(St03bossPartTest, ApproachSpeedByDistance) {
    const struct {
        float d, speed;
    } cases[] = {{17, 8}, {16, 4}, {9, 4}, {8, 2}, {5, 2}, {4, 1}, {3, 1}, {2, 0}, {0, 0}};
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(partApproachSpeed(10, 10, 10 + c.d, 10), c.speed) << c.d;
        EXPECT_FLOAT_EQ(partApproachSpeed(10, 10, 10, 10 - c.d), c.speed) << c.d;
    }
    EXPECT_FLOAT_EQ(partApproachSpeed(0, 0, 12, 10), 8.0f) << "12 + 10 / 2 = 17";
    EXPECT_FLOAT_EQ(partApproachSpeed(0, 0, 6, 6), 4.0f) << "6 + 6 / 2 = 9";
}

TEST_F(St03bossTest, FormationAndRingPointsByIndex) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    EnemyFields& b = enemy(boss->work);
    const ObjPoint formation[8] = {{20, 40}, {40, 80}, {60, 60}, {204, 40}, {184, 80}, {164, 60}, {152, 140}, {72, 140}};
    std::vector<ObjTask*> parts;
    for (int32_t index = 0; index < 8; ++index) parts.push_back(satellite(boss, index));
    b.phase = 1;
    b.step = 5;
    runEnemiesFrame();
    for (int32_t index = 0; index < 8; ++index) {
        const EnemyFields& e = enemy(parts[size_t(index)]->work);
        EXPECT_FLOAT_EQ(e.steerTarget.x, formation[index].x) << index;
        EXPECT_FLOAT_EQ(e.steerTarget.y, formation[index].y) << index;
        EXPECT_FLOAT_EQ(e.steerSpeed, 8.0f);
    }
    b.phase = 5;
    b.step = 2;
    b.attackPattern = 8;  // the boss's endless attack: its row waits
    b.shotsLeft = b.shotCountdown = 100000;
    runEnemiesFrame();
    for (int32_t index = 0; index < 8; ++index) {
        const EnemyFields& e = enemy(parts[size_t(index)]->work);
        const float p = float(index * 128) * 6.2831855f / 1024.0f;
        EXPECT_NEAR(e.steerTarget.x, 112.0f + 116.0f * std::sin(p), 0.01f) << index;
        EXPECT_NEAR(e.steerTarget.y, 144.0f - 116.0f * std::cos(p), 0.01f) << index;
        EXPECT_EQ(e.turretTarget, (index * 128 + 512) & 1023);
    }
}

TEST_F(St03bossTest, ThePullDimsTheBackgroundAndDragsTheFighterHalfAPixelAFrame) {
    const struct {
        float fx, fy, dx, dy;
    } cases[] = {{112, 250, 0, -0.5f}, {12, 144, 0.5f, 0}, {212, 144, -0.5f, 0}, {112, 44, 0, 0.5f}};
    for (const auto& c : cases) {
        ObjWork* fighter = makeFighter(c.fx, c.fy);
        ObjTask* boss = parkedBoss();
        EnemyFields& e = enemy(boss->work);
        e.phase = 5;
        e.step = 2;
        e.stepCount = 1;
        e.attackPattern = 8;
        e.shotsLeft = e.shotCountdown = 100000;
        layerTintTimer = 0;
        runFrame(boss);
        EXPECT_EQ(layerTintTimer, 10);
        EXPECT_EQ(e.pullCountdown, 299);
        EXPECT_NEAR(fighter->x - c.fx, c.dx, 1e-4f);
        EXPECT_NEAR(fighter->y - c.fy, c.dy, 1e-4f);
        nextLevel();
    }
    ObjTask* boss = parkedBoss();
    EnemyFields& e = enemy(boss->work);
    e.phase = 5;
    e.step = 2;
    e.stepCount = 1;
    e.attackPattern = 8;
    e.shotsLeft = e.shotCountdown = 100000;
    runFrame(boss);
    EXPECT_EQ(e.pullCountdown, 299) << "no fighter: the pull runs and moves nothing";
}

TEST_F(St03bossTest, AShotOnASatelliteIsTheBossesAndABombIsNothing) {
    ObjTask* boss = parkedBoss();
    runFrame(boss);
    ObjTask* part = satellite(boss, 0);
    const int32_t before = enemy(boss->work).formHp[0];
    hit(part, 16, 500);
    EXPECT_EQ(enemy(boss->work).formHp[0], before) << "a bomb";
    hit(part, 6, 500);
    EXPECT_EQ(enemy(boss->work).formHp[0], before - 500);
    EXPECT_EQ(enemy(part->work).hp, 4096) << "the satellite never loses any";
}

TEST_F(St03bossTest, AfterTheFormChangeEightSatellitesLiveNotSixteen) {
    for (int32_t diesWithBoss : {1, 0}) {
        ObjTask* boss = spawnBoss(102);
        EnemyFields& b = enemy(boss->work);
        runEnemiesFrame();
        enter(boss);
        b.steerMode = 0;
        b.motionEnded = 1;
        runEnemiesFrame();
        runEnemiesFrame();
        ASSERT_EQ(b.phase, 1);
        ASSERT_EQ(satellites(false), 8);
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->act == TSKst03bossPart119Act) t->work->diesWithBoss = diesWithBoss;
        });
        hit(boss, 6, b.formHp[0]);
        for (int n = 0; n < 200 && !(b.phase == 5); ++n) runEnemiesFrame();
        ASSERT_EQ(b.phase, 5);
        EXPECT_EQ(satellites(true), 8) << "flag " << diesWithBoss;
        for (int n = 0; n < 150; ++n) runEnemiesFrame();
        EXPECT_EQ(satellites(false), 8) << "the first set is gone";
        nextLevel();
    }
}

TEST_F(St03bossTest, ABossFreedEndsItsSatellitesTheNextFrameAndTheirLasers) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    ObjTask* ringer = satellite(boss, 0);
    satellite(boss, 1);
    call(ringer, 8, 0);
    ObjWork* laser = objRefWork(enemy(ringer->work).partLink[0]);
    ASSERT_NE(laser, nullptr);
    OBJtaskRelease(boss);
    runEnemiesFrame();
    EXPECT_EQ(satellites(false), 0);
    EXPECT_EQ(laser->lifeState, 10);
}

TEST_F(St03bossTest, ARefusedSatelliteLaserLeavesItsLinkEmpty) {
    makeFighter();
    ObjTask* boss = parkedBoss();
    ObjTask* ringer = satellite(boss, 0);
    enemyShotStop = 1;
    EXPECT_TRUE(call(ringer, 8, 0).empty());
    enemyShotStop = 0;
    EXPECT_EQ(enemy(ringer->work).partLink[0].serial, 0u);
    runEnemiesFrame();
    EXPECT_EQ(satellites(false), 1) << "it flies on without its laser";
}

TEST_F(St03bossTest, BothFormsWithTheirSatellitesThenTheDeathIntoTheStageClear) {
    makeSequence();
    makeFighter(112.0f, 250.0f);
    // As kind 62's death brings it: above the screen, flying down.
    ObjTask* boss = spawnBoss(102, 112.0f, -100.0f);
    ASSERT_NE(boss, nullptr);
    enemy(boss->work).steerSpeed = 4.0f;
    boss->work->heading = 512;
    EnemyFields& e = enemy(boss->work);
    std::vector<std::pair<int32_t, int32_t>> seen;
    auto until = [&](const std::function<bool()>& done, int limit) {
        for (int n = 0; n < limit && !done() && boss->state == kObjStateRun; ++n) {
            runEnemiesFrame();
            const std::pair<int32_t, int32_t> at{e.phase, e.step};
            if (seen.empty() || seen.back() != at) seen.push_back(at);
        }
        return done();
    };
    ASSERT_TRUE(until([&] { return e.phase == 1; }, 600));
    EXPECT_EQ(satellites(true), 8);
    EXPECT_EQ(boss->work->hitBoxCount, 2);
    ASSERT_TRUE(until([&] { return e.phase == 1 && e.step == 0 && seen.size() > 8; }, 5000));
    const std::vector<std::pair<int32_t, int32_t>> round = {{0, 6}, {1, 0}, {1, 1}, {1, 2}, {1, 4}, {1, 5},
                                                            {1, 6}, {2, 0}, {2, 1}, {2, 2}, {1, 0}};
    EXPECT_EQ(std::vector(seen.end() - long(round.size()), seen.end()), round);
    EXPECT_FALSE(shotsOf(-1).empty()) << "the satellites fired";
    hit(boss, 6, e.formHp[0]);
    ASSERT_TRUE(until([&] { return e.phase == 5 && e.step == 2; }, 1000));
    EXPECT_EQ(satellites(true), 8);
    EXPECT_EQ(e.attackPattern, 8);
    until([&] { return false; }, 200);
    EXPECT_EQ(layerTintTimer, 10) << "the pull runs";
    EXPECT_EQ(e.step, 2) << "the endless attack";
    hit(boss, 6, e.formHp[1]);
    ASSERT_EQ(boss->work->lifeState, 3);
    bool deathMotion = false;
    until([&] {
        deathMotion = deathMotion || e.motionState == 70;
        return false;
    }, 3000);
    EXPECT_TRUE(deathMotion);
    EXPECT_EQ(boss->state, kObjStateEnd);
    EXPECT_EQ(satellites(false), 0) << "the purge took them";
    EXPECT_NE(seqTask->state, kSeqRunning) << "the stage clear was called";
}

}  // namespace
