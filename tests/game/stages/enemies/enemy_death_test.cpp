// The death sequences by size class, the purge that a boss's form change and
// death start, and a boss's death through to the stage clear.
#include "game/bosses/boss_flags.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

class EnemyDeathTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        // The sequence in the replay viewer: a stage clear moves it to its
        // viewer's stage-clear state and saves nothing.
        menuResultCode = 6;
        seqTask = OBJtaskCreate(enemyTestAct, 0, objTag("GCTR"));
        seqTask->state = kSeqRunning;
    }
    static constexpr int32_t kSeqRunning = 600;

    // Steps the task until its state leaves 100; the frames it took, or -1.
    static int32_t stepsToEnd(ObjTask* task, int32_t limit) {
        for (int32_t frames = 1; frames <= limit; ++frames) {
            step(task);
            if (task->state != kObjStateRun) return frames;
        }
        return -1;
    }
};

TEST_F(EnemyDeathTest, EachOrdinaryClassEndsAfterItsOwnSequence) {
    struct Case {
        int32_t sizeClass, layer, minFrames, maxFrames;
    };
    const Case cases[] = {{0, 0, 1, 1}, {0, 2, 1, 1}, {1, 0, 3, 3}, {2, 0, 62, 64}};
    for (const Case& c : cases) {
        ObjTask* task = makeEnemy(c.sizeClass, 5, 112.0f, 144.0f);
        enemy(task->work).followedLayer = c.layer;
        enter(task);
        step(task);
        hit(task, 6, 10);
        ASSERT_EQ(task->work->lifeState, 3);
        const int32_t frames = stepsToEnd(task, 200);
        EXPECT_GE(frames, c.minFrames) << c.sizeClass;
        EXPECT_LE(frames, c.maxFrames) << c.sizeClass;
        EXPECT_EQ(task->state, kObjStateEnd);
        EXPECT_EQ(enemy(task->work).deathEffectsDone, 1);
    }
}

TEST_F(EnemyDeathTest, AnEnemyThatKeepsMovingWhenDyingIsNotEnded) {
    ObjTask* task = makeEnemy(0, 5, 112.0f, 144.0f);
    EnemyFields& e = enemy(task->work);
    e.keepMovingWhenDying = 1;
    e.steerMode = 4;
    e.steerSpeed = 2.0f;
    task->work->heading = 512;
    enter(task);
    step(task);
    hit(task, 6, 10);
    task->work->heading = 512;  // straight down from here on
    const float y = task->work->y;
    step(task);
    EXPECT_EQ(task->state, kObjStateRun);
    EXPECT_EQ(e.deathEffectsDone, 1);
    EXPECT_NEAR(task->work->y, y + e.steerSpeed, 1e-4);
}

TEST_F(EnemyDeathTest, ABossDeathStartsThePurgeOfTheEnemiesThatDieWithIt) {
    ObjTask* boss = makeBoss({10});
    ObjTask* follower = makeEnemy(0, 50, 60.0f, 60.0f);
    ObjTask* loner = makeEnemy(0, 50, 80.0f, 60.0f);
    ObjTask* midBoss = makeEnemy(3, 50, 100.0f, 60.0f);
    loner->work->diesWithBoss = 0;
    enter(boss);
    step(boss);
    step(follower);
    hit(boss, 6, 10);
    step(boss);
    EXPECT_EQ(enemyExplosionTimer, 2);
    step(follower);
    step(loner);
    step(midBoss);
    EXPECT_EQ(follower->work->lifeState, 3);
    EXPECT_EQ(follower->work->hit, nullptr);
    EXPECT_EQ(loner->work->lifeState, 1);
    EXPECT_EQ(midBoss->work->lifeState, 1);
}

TEST_F(EnemyDeathTest, ABossWithItsNoSweepFieldDiesAlone) {
    ObjTask* boss = makeBoss({10});
    enemy(boss->work).noSweep = 1;
    enter(boss);
    step(boss);
    hit(boss, 6, 10);
    step(boss);
    EXPECT_EQ(enemyExplosionTimer, 0);
}

TEST_F(EnemyDeathTest, AFormChangePurgesAndReturnsToTheNextFormsPhase) {
    ObjTask* boss = makeBoss({10, 10, 10});
    enter(boss);
    step(boss);
    EnemyFields& e = enemy(boss->work);
    const int32_t phases[] = {4, 8};
    for (int32_t phase : phases) {
        hit(boss, 6, 10);
        ASSERT_EQ(boss->work->lifeState, 2);
        enemyExplosionTimer = 0;
        step(boss);
        EXPECT_EQ(enemyExplosionTimer, 2);
        step(boss);
        step(boss);
        EXPECT_EQ(boss->work->lifeState, 1);
        EXPECT_EQ(e.phase, phase);
        EXPECT_EQ(e.step, 0);
        EXPECT_EQ(e.attackArmed, 1);
    }
}

TEST_F(EnemyDeathTest, ABossDeathHandsTheStageToTheStageClear) {
    ObjTask* boss = makeBoss({100, 100});
    enter(boss);
    step(boss);
    ASSERT_EQ(bossPresentFlag, 2);
    hit(boss, 6, 100);
    step(boss);
    step(boss);
    step(boss);
    ASSERT_EQ(boss->work->lifeState, 1);
    hit(boss, 6, 100);
    ASSERT_EQ(boss->work->lifeState, 3);
    step(boss);
    EXPECT_EQ(stageClearFlag, 1);
    EXPECT_EQ(bossPresentFlag, 0);
    EXPECT_EQ(eshotCancelQueue.countdown, 150);
    bool wreckShown = false;
    int32_t frames = 0;
    for (; frames < 2000 && boss->state == kObjStateRun; ++frames) {
        EXPECT_EQ(seqTask->state, kSeqRunning);
        step(boss);
        wreckShown = wreckShown || wreckLayerValue == 300;
    }
    EXPECT_EQ(boss->state, kObjStateEnd);
    EXPECT_TRUE(wreckShown);
    EXPECT_EQ(wreckLayerValue, 0);
    EXPECT_NE(seqTask->state, kSeqRunning);  // the stage clear was called
    EXPECT_EQ(slowMotionFrames, 0);
    EXPECT_EQ(trueRouteFlag, 0);
    EXPECT_GT(enemy(boss->work).sinkFall, 0.0f);
}

TEST_F(EnemyDeathTest, TheStageThreeMotionEnemyCallsItsBoss) {
    ObjTask* big = makeEnemy(3, 10, 112.0f, 100.0f);
    big->work->kind = 62;
    enter(big);
    step(big);
    hit(big, 6, 10);
    EXPECT_GT(stepsToEnd(big, 2000), 120);
    EXPECT_EQ(stage3BossFlag, 1);
    EXPECT_EQ(seqTask->state, kSeqRunning);  // a mid-boss does not end the stage
}

}  // namespace

namespace {

using EnemyPlayTest = EnemyDeathTest;

// A scripted small enemy comes down from above the screen, enters, steers,
// takes fighter shots, dies and pays, and its act then releases it.
TEST_F(EnemyPlayTest, AScriptedEnemyEntersStepsTakesShotsDiesAndPays) {
    gameMode = 0;
    ObjTask* task = makeEnemy(0, 30, 112.0f, -30.0f, 0);
    EnemyFields& e = enemy(task->work);
    e.score = 280;
    int32_t frames = 0;
    while (e.enteredScreen == 0 && frames++ < 100) step(task);
    ASSERT_EQ(e.enteredScreen, 1);
    EXPECT_EQ(frames, 11);  // from -30 at 3 pixels a frame: at 0 after 10 moves, not yet inside
    EXPECT_EQ(e.offscreenTimer, 0);
    e.steerMode = 2;
    e.steerTarget = {40.0f, 60.0f};
    step(task);
    EXPECT_NE(task->work->heading, 512);
    for (int shot = 0; shot < 3; ++shot) hit(task, 6, 10);
    EXPECT_EQ(task->work->lifeState, 3);
    EXPECT_EQ(enemyPaidScoreTotal, 280u);
    step(task);
    EXPECT_EQ(task->state, kObjStateEnd);
    step(task);
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 0);
}

TEST_F(EnemyPlayTest, NoPointBlankTintWithoutAReadyFighter) {
    ObjTask* task = makeEnemy(0, 30, 112.0f, 144.0f);
    EXPECT_FALSE(enemyPointBlankTint(task->work));
    task->work->lifeState = 3;
    EXPECT_FALSE(enemyPointBlankTint(task->work));
}

}  // namespace
