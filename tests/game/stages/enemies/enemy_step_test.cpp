// The common enemy step: entering and leaving the screen, the exit side,
// steering, the timers and the attack schedule.
#include <algorithm>
#include <cmath>
#include <vector>

#include "game/core/draw_store.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/enemy_score.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

using EnemyStepTest = EnemyFixture;

TEST_F(EnemyStepTest, NoDamageUntilTheCentreHasBeenStrictlyInside) {
    struct Case {
        float x, y;
        bool entered;
    };
    const Case cases[] = {
        {112.0f, -10.0f, false}, {0.0f, 100.0f, false},  {224.0f, 100.0f, false}, {112.0f, 288.0f, false},
        {112.0f, 0.0f, false},   {0.5f, 100.0f, true},   {112.0f, 287.5f, true},  {112.0f, 144.0f, true},
    };
    for (const Case& c : cases) {
        ObjTask* task = makeEnemy(0, 100, c.x, c.y);
        step(task);
        EXPECT_EQ(enemy(task->work).enteredScreen != 0, c.entered) << c.x << " " << c.y;
        hit(task, 6, 10);
        EXPECT_EQ(enemy(task->work).hp, c.entered ? 90 : 100) << c.x << " " << c.y;
    }
}

TEST_F(EnemyStepTest, TheExitSideComesFromThePositionBeforeEntryAndNotWhileABossFights) {
    struct Case {
        float x, y;
        int32_t boss, side;
    };
    const Case cases[] = {
        {-5.0f, 100.0f, 0, 1}, {230.0f, 100.0f, 0, 2}, {100.0f, -5.0f, 0, 3},  {100.0f, 270.0f, 0, 4},
        {100.0f, 290.0f, 0, 4}, {-5.0f, -5.0f, 0, 3},  {100.0f, 144.0f, 0, 0}, {100.0f, -5.0f, 2, 0},
    };
    for (const Case& c : cases) {
        bossPresentFlag = c.boss;
        ObjTask* task = makeEnemy(0, 100, c.x, c.y);
        step(task);
        EXPECT_EQ(enemy(task->work).exitSide, c.side) << c.x << " " << c.y;
    }
}

TEST_F(EnemyStepTest, AnEnemyWhollyOutsideAfterEnteringEndsButABossStays) {
    for (int32_t sizeClass = 0; sizeClass <= 4; ++sizeClass) {
        bossPresentFlag = sizeClass == 3 ? 1 : 0;
        ObjTask* task = makeEnemy(sizeClass, 100, 112.0f, 144.0f);
        EnemyFields& e = enemy(task->work);
        e.halfWidth = e.halfHeight = 10.0f;
        step(task);
        ASSERT_EQ(e.enteredScreen, 1);
        bossPresentFlag = sizeClass == 3 ? 1 : 0;
        task->work->y = 298.5f;  // the top edge below the screen
        EXPECT_EQ(enemyStep(task, task->work), sizeClass == 4) << sizeClass;
        if (sizeClass == 3) {
            EXPECT_EQ(bossPresentFlag, 0);
        }
        task->work->y = 297.0f;  // its top edge still inside
        EXPECT_TRUE(enemyStep(task, task->work)) << sizeClass;
    }
}

TEST_F(EnemyStepTest, SteeringModeFiveStopsOnItsWaypoint) {
    ObjTask* task = makeEnemy(0, 100, 100.0f, 140.0f);
    EnemyFields& e = enemy(task->work);
    e.steerMode = 5;
    e.steerTarget = {100.0f, 100.0f};
    e.steerSpeed = 3.0f;
    step(task);
    EXPECT_EQ(task->work->heading, 0);  // straight up, turned at once
    for (int frame = 0; frame < 400 && e.steerSpeed > 0.0f; ++frame) step(task);
    EXPECT_FLOAT_EQ(e.steerSpeed, 0.0f);
    EXPECT_LT(std::abs(task->work->y - 100.0f), 2.0f);
    EXPECT_FLOAT_EQ(e.steerTarget.y, task->work->y);
    const float y = task->work->y;
    step(task);
    EXPECT_FLOAT_EQ(task->work->y, y);
}

TEST_F(EnemyStepTest, SteeringModesOneToFourSlowToTheirFloorAndTurnByTheirLimit) {
    struct Case {
        int32_t mode;
        float floor;
        int32_t turn;
    };
    const Case cases[] = {{1, 0.5f, 16}, {2, 1.0f, 16}, {3, 1.0f, 16}, {4, 0.5f, 8}};
    for (const Case& c : cases) {
        ObjTask* task = makeEnemy(0, 100, 112.0f, 200.0f);
        EnemyFields& e = enemy(task->work);
        e.steerMode = c.mode;
        e.steerTarget = {212.0f, 200.0f};  // to the right: heading 256
        e.steerSpeed = 0.52f;
        task->work->heading = 0;
        step(task);
        EXPECT_EQ(task->work->heading, c.turn) << c.mode;
        // A speed at or below the floor stays.
        EXPECT_FLOAT_EQ(e.steerSpeed, c.floor < 0.52f ? std::max(c.floor, 0.47f) : 0.52f) << c.mode;
    }
}

TEST_F(EnemyStepTest, AModePastTheTableSteersNothingButStillMovesAlongTheHeading) {
    struct Case {
        int32_t mode, heading;
        float speed, dx, dy;
    };
    const Case cases[] = {
        {6, 256, 2.0f, 2.0f, 0.0f}, {6, 512, 3.0f, 0.0f, 3.0f}, {7, 0, 1.5f, 0.0f, -1.5f}, {0, 256, 2.0f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        ObjTask* task = makeEnemy(0, 100, 112.0f, 144.0f);
        EnemyFields& e = enemy(task->work);
        e.steerMode = c.mode;
        e.steerTarget = {10.0f, 10.0f};  // never steered toward
        e.steerSpeed = c.speed;
        task->work->heading = c.heading;
        step(task);
        EXPECT_EQ(task->work->heading, c.heading) << c.mode;
        EXPECT_FLOAT_EQ(e.steerSpeed, c.speed) << c.mode;
        EXPECT_NEAR(task->work->x, 112.0f + c.dx, 1e-3f) << c.mode;
        EXPECT_NEAR(task->work->y, 144.0f + c.dy, 1e-3f) << c.mode;
    }
}

// The attack callback records the frames it is called on.
std::vector<int32_t> attackFrames;
int32_t attackFrame = 0;
void recordAttack(ObjTask*, ObjWork*) { attackFrames.push_back(attackFrame); }

TEST_F(EnemyStepTest, TheScheduleFiresVolleysOnItsIntervalWithPausesCutByRank) {
    struct Case {
        int32_t attackRank;
        std::vector<int32_t> frames;
    };
    // Three volleys left: the first is spent starting a volley, so two
    // volleys of three shots four frames apart follow, each after the pause
    // of 20 less the rank's cut, at least 8.
    const Case cases[] = {
        {0, {21, 25, 29, 50, 54, 58}},
        {10, {11, 15, 19, 30, 34, 38}},
        {50, {9, 13, 17, 26, 30, 34}},
    };
    for (const Case& c : cases) {
        enemyAttackRank = c.attackRank;
        ObjTask* task = makeEnemy(0, 100, 112.0f, 144.0f);
        ObjWork* work = task->work;
        work->attack = recordAttack;
        bossResetAttack(work);
        EnemyFields& e = enemy(work);
        e.shotsPerVolley = 3;
        e.shotInterval = 4;
        e.volleyPause = 20;
        e.volleysLeft = 3;
        attackFrames.clear();
        for (attackFrame = 1; attackFrame <= 80; ++attackFrame) step(task);
        EXPECT_EQ(attackFrames, c.frames) << c.attackRank;
        EXPECT_EQ(e.volleysLeft, 0);
        EXPECT_EQ(e.attackArmed, 1);
    }
}

TEST_F(EnemyStepTest, ACountdownOfZeroFiresOnTheNextFrame) {
    ObjTask* task = makeEnemy(4, 100, 112.0f, 144.0f);
    ObjWork* work = task->work;
    work->attack = recordAttack;
    EnemyFields& e = enemy(work);
    e.shotsPerVolley = e.shotsLeft = 3;
    e.shotInterval = 6;
    e.shotCountdown = 0;
    e.volleysLeft = 1;
    attackFrames.clear();
    for (attackFrame = 1; attackFrame <= 20; ++attackFrame) step(task);
    EXPECT_EQ(attackFrames, (std::vector<int32_t>{1, 7, 13}));
}

TEST_F(EnemyStepTest, TheScheduleHoldsWhileEnteringDyingOrSwitchedOffAndWhileABossFights) {
    struct Case {
        int32_t entryWait, noAttack, sizeClass, boss, fireAlways;
        bool fires;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, true},  {5, 0, 0, 0, 0, false}, {0, 1, 0, 0, 0, false}, {0, 0, 0, 2, 0, false},
        {0, 0, 0, 2, 1, true},  {0, 0, 3, 1, 0, true},
    };
    for (const Case& c : cases) {
        bossPresentFlag = c.boss;
        ObjTask* task = makeEnemy(c.sizeClass, 100, 112.0f, 144.0f);
        EnemyFields& e = enemy(task->work);
        task->work->attack = recordAttack;
        e.entryWait = c.entryWait;
        e.noHitBoxes = c.noAttack;
        e.fireAlways = c.fireAlways;
        e.shotsLeft = e.shotsPerVolley = 1;
        e.shotCountdown = 1;
        e.volleysLeft = 1;
        attackFrames.clear();
        step(task);
        EXPECT_EQ(attackFrames.size(), c.fires ? 1u : 0u) << c.entryWait << c.noAttack << c.sizeClass << c.boss;
    }
}

TEST_F(EnemyStepTest, TheScheduleRunsTwiceEveryThirdFrameOnlyWhenAllHold) {
    struct Case {
        int32_t age, rankLevel, boss;
        bool powerUp, twice;
    };
    const Case cases[] = {
        {3, 2, 2, true, true},   {6, 3, 1, true, true},   {4, 3, 2, true, false},
        {3, 1, 2, true, false},  {3, 2, 0, true, false},  {3, 2, 2, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enemyAttackTwice(c.age, c.rankLevel, c.boss, c.powerUp), c.twice) << c.age << " " << c.rankLevel;
    }
}

TEST_F(EnemyStepTest, TheFirstStepCopiesTheLivesAndMarksTheBoss) {
    ObjTask* task = makeBoss({300, 200});
    step(task);
    const EnemyFields& e = enemy(task->work);
    EXPECT_EQ(task->work->lifeState, 1);
    EXPECT_EQ(bossPresentFlag, 2);
    EXPECT_EQ(e.hpMax, 500);
    EXPECT_EQ(e.formHpMax[0], 300);
    EXPECT_EQ(e.formHpMax[1], 200);
}

TEST_F(EnemyStepTest, TheTimersCountDownToZero) {
    ObjTask* task = makeEnemy(0, 100, 112.0f, 144.0f);
    EnemyFields& e = enemy(task->work);
    e.entryWait = 2;
    e.flashTimer = 1;
    e.bonusCountdown = 600000;
    e.smokeTimer = 180;
    e.onceCounters[0] = 1;
    step(task);
    step(task);
    EXPECT_EQ(e.entryWait, 0);
    EXPECT_EQ(e.flashTimer, 0);
    EXPECT_EQ(e.onceCounters[0], 0);
    EXPECT_EQ(e.bonusCountdown, 599998);
    EXPECT_EQ(e.smokeTimer, 178);
    EXPECT_EQ(e.offscreenTimer, 0);
}

TEST_F(EnemyStepTest, LayerDepthsAndTheHeadingToAPoint) {
    const float depths[] = {440.0f, 14.0f, 104.0f, 204.0f, 304.0f};
    ObjTask* task = makeEnemy(0, 100, 112.0f, 144.0f);
    for (int32_t layer = 0; layer <= 4; ++layer) {
        enemy(task->work).followedLayer = layer;
        enemySetLayerDepth(task->work);
        EXPECT_FLOAT_EQ(task->work->depth, depths[layer]);
    }
    enemy(task->work).followedLayer = 7;
    enemySetLayerDepth(task->work);
    EXPECT_FLOAT_EQ(task->work->depth, 304.0f);
    EXPECT_EQ(enemyAngleToPlayer(10.0f, 10.0f), 0);  // no fighter
    float x = 5.0f, y = 6.0f;
    enemyPlayerPos(&x, &y);
    EXPECT_FLOAT_EQ(x, 5.0f);
    EXPECT_FLOAT_EQ(y, 6.0f);
}

TEST_F(EnemyStepTest, TheExitMarkerShowsItsSideInRedWhileItsAlphaLasts) {
    std::vector<SpriteFrame> frames(1755);
    frames[1754] = {4, 0, 0, 8, 8, 1754, 0, 0, 0, 0, 0};
    OBJsetFrameTable(frames);
    OBJdrawRequestsClear();
    OBJdrawFlush();
    struct Case {
        int32_t side;
        float alpha;
        bool drawn;
        float x, y, scaleX, scaleY;
    };
    const Case cases[] = {
        {1, 1.0f, true, 0.0f, 50.0f, 1.0f, 2.5f},    {2, 0.5f, true, 224.0f, 50.0f, 1.0f, 2.5f},
        {3, 1.0f, true, 40.0f, 0.0f, 2.5f, 1.0f},    {4, 1.0f, true, 40.0f, 266.0f, 2.5f, 1.0f},
        {0, 1.0f, false, 0.0f, 0.0f, 0.0f, 0.0f},    {4, 0.0f, false, 0.0f, 0.0f, 0.0f, 0.0f},
        {5, 1.0f, false, 0.0f, 0.0f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        ObjTask* task = makeEnemy(0, 10, 40.0f, 50.0f);
        enemy(task->work).exitSide = c.side;
        task->work->exitMarkerAlpha = c.alpha;
        const int before = OBJdrawStoreCount();
        enemyDrawExitMarker(task->work);
        ASSERT_EQ(OBJdrawStoreCount(), before + (c.drawn ? 1 : 0)) << c.side;
        EXPECT_EQ(task->work->g, 255);
        if (!c.drawn) continue;
        const DrawObj& entry = *OBJdrawStoreEntry(OBJdrawStoreCount() - 1);
        EXPECT_EQ(entry.frameId, 1754);
        EXPECT_EQ(entry.layer, 401);
        // An 8 by 8 frame centred on the point.
        EXPECT_EQ(entry.dstX, int(c.x) - int(4.0f * c.scaleX)) << c.side;
        EXPECT_EQ(entry.dstY, int(c.y) - int(4.0f * c.scaleY)) << c.side;
        EXPECT_FLOAT_EQ(entry.scaleX, c.scaleX);
        EXPECT_FLOAT_EQ(entry.scaleY, c.scaleY);
        EXPECT_FLOAT_EQ(entry.alpha, c.alpha);
        EXPECT_EQ(entry.blend, 1);
        EXPECT_EQ(int(entry.r), 255);
        EXPECT_EQ(int(entry.g), 0);
        EXPECT_EQ(int(entry.b), 0);
    }
    OBJdrawRequestsClear();
    OBJdrawFlush();
    OBJsetFrameTable({});
}

}  // namespace
