// Damage, kills and score: what a hit is refused for, the once-a-frame
// hitters, the kill's pay, a boss's forms and their time-out.
#include "tests/game/stages/enemies/enemy_fixture.h"

#include "game/stages/enemies/enemy_score.h"

namespace {

using EnemyDamageTest = EnemyFixture;

TEST_F(EnemyDamageTest, AHitDuringTheEntryWaitOrOffTheScreenChangesNothing) {
    struct Case {
        int32_t entryWait, offscreen, hp, lifeState;
    };
    const Case cases[] = {{5, 0, 100, 1}, {0, 3, 100, 1}, {0, 0, 0, 1}, {0, 0, 100, 3}};
    for (const Case& c : cases) {
        ObjTask* task = makeEnemy(0, c.hp, 112.0f, 144.0f);
        EnemyFields& e = enemy(task->work);
        e.entryWait = c.entryWait;
        e.offscreenTimer = c.offscreen;
        task->work->lifeState = c.lifeState;
        hit(task, 6, 10);
        EXPECT_EQ(e.hp, c.hp);
        EXPECT_EQ(e.flashTimer, 0);
        EXPECT_EQ(enemyHitCounters[0], 0u);
        EXPECT_EQ(enemyTargetGauge.showTimer, 0);
    }
}

TEST_F(EnemyDamageTest, BombsAndGunUnitsHitOnceAFrameShotsEveryTime) {
    ObjTask* task = makeEnemy(0, 1000, 112.0f, 144.0f);
    enter(task);
    EnemyFields& e = enemy(task->work);
    hit(task, 16, 10);
    hit(task, 16, 10);  // a second bomb in the same frame
    EXPECT_EQ(e.hp, 990);
    hit(task, 10, 5);
    hit(task, 10, 5);
    EXPECT_EQ(e.hp, 985);
    hit(task, 6, 1);
    hit(task, 6, 1);
    EXPECT_EQ(e.hp, 983);
    EXPECT_EQ(e.flashTimer, 8);
    EXPECT_EQ(enemyHitCounters[0], 40u);
    EXPECT_EQ(enemyHitCounters[1], 40u);
    EXPECT_EQ(enemyShotSoundCooldown, 5);
    step(task);  // the marks are cleared
    hit(task, 16, 10);
    EXPECT_EQ(e.hp, 973);
}

TEST_F(EnemyDamageTest, AKillPaysTheScoreAtTheRateAndStartsTheDeath) {
    const int32_t modes[] = {0, 2};  // NOVICE, ORIGINAL without a fighter: rate 10
    for (int32_t mode : modes) {
        enemyWordsClear();
        gameMode = mode;
        ObjTask* task = makeEnemy(1, 30, 112.0f, 144.0f);
        enter(task);
        enemy(task->work).score = 280;
        hit(task, 6, 50);
        EXPECT_EQ(enemyScoreRate(), 10);
        EXPECT_EQ(enemyPaidScoreTotal, 280u);
        EXPECT_EQ(enemyRawScoreTotal, 280u);
        EXPECT_EQ(task->work->lifeState, 3);
        EXPECT_EQ(enemy(task->work).hp, 1);
        EXPECT_EQ(task->work->hit, nullptr);
        EXPECT_EQ(task->work->hitBoxCount, 0);
        EXPECT_EQ(enemyTargetGauge.life, 0);
        EXPECT_EQ(enemyTargetGauge.showTimer, 180);
    }
    EXPECT_EQ(enemyRatedScore(280, 10), 280u);
    EXPECT_EQ(enemyRatedScore(280, 15), 420u);
    EXPECT_EQ(enemyRatedScore(285, 15), 420u);  // 4275 / 100 truncates to 42
    EXPECT_EQ(enemyRatedScore(10000000000ull, 90), 90000000000ull);
}

TEST_F(EnemyDamageTest, ABossHitBreaksOnlyTheCurrentFormAndTheExcessIsLost) {
    gameMode = 0;
    ObjTask* task = makeBoss({100, 200});
    enter(task);
    enemy(task->work).score = 1000;
    step(task);
    hit(task, 6, 150);
    const EnemyFields& e = enemy(task->work);
    EXPECT_EQ(e.formHp[0], 0);
    EXPECT_EQ(e.formHp[1], 200);
    EXPECT_EQ(e.hp, 200);
    EXPECT_EQ(e.formIndex, 1);
    EXPECT_EQ(task->work->lifeState, 2);
    EXPECT_EQ(task->work->enemyTimer, 7200);
    EXPECT_EQ(enemyPaidScoreTotal, 1000u);
    EXPECT_EQ(eshotCancelQueue.countdown, 4);
    EXPECT_EQ(eshotCancelQueue.slots[0].ownerSerial, task->work->serial);
}

TEST_F(EnemyDamageTest, TheLastFormLeavesTheKillToTheKillAndItsBonusIsDoubled) {
    gameMode = 0;
    ObjTask* task = makeBoss({100});
    enter(task);
    enemy(task->work).score = 5000;
    step(task);
    hit(task, 6, 300);
    EXPECT_EQ(task->work->lifeState, 3);
    EXPECT_EQ(enemy(task->work).formIndex, 1);
    EXPECT_EQ(enemyPaidScoreTotal, 5000u);  // the kill alone: no form pay
    EXPECT_EQ(enemyFormBonus(10, 10, false), 500u);
    EXPECT_EQ(enemyFormBonus(10, 10, true), 1000u);
    EXPECT_EQ(enemyFormBonus(7, 15, true), 1050u);
    EXPECT_EQ(enemyFormBonus(0, 90, true), 0u);
}

TEST_F(EnemyDamageTest, AFormNotBeatenInTimeIsLostWithoutScore) {
    ObjTask* task = makeBoss({100, 200});
    enter(task);
    enemy(task->work).score = 1000;
    step(task);
    task->work->enemyTimer = 1;
    step(task);
    const EnemyFields& e = enemy(task->work);
    EXPECT_EQ(e.formHp[0], 0);
    EXPECT_EQ(e.hp, 200);
    EXPECT_EQ(task->work->lifeState, 2);
    EXPECT_EQ(task->work->enemyTimer, 7200);
    EXPECT_EQ(enemyPaidScoreTotal, 0u);
    EXPECT_EQ(eshotCancelQueue.countdown, 2);
    EXPECT_EQ(eshotCancelQueue.slots[0].ownerSerial, 0u);

    ObjTask* last = makeBoss({50});
    enter(last);
    step(last);
    last->work->enemyTimer = 1;
    step(last);
    EXPECT_EQ(last->work->lifeState, 3);
    EXPECT_EQ(last->work->hit, nullptr);
    EXPECT_EQ(enemyPaidScoreTotal, 0u);
}

TEST_F(EnemyDamageTest, AnEntryWaitHoldsTheFormTimeOut) {
    ObjTask* task = makeBoss({100, 200});
    enter(task);
    enemy(task->work).entryWait = 100;
    step(task);
    EXPECT_EQ(task->work->enemyTimer, 7200);
    enemy(task->work).entryWait = 0;
    step(task);
    EXPECT_EQ(task->work->enemyTimer, 7199);
}

TEST_F(EnemyDamageTest, FallingBelowTheLowLifeMarkStartsTheSmoke) {
    ObjTask* task = makeBoss({20000});
    enter(task);
    step(task);
    hit(task, 6, 3000);
    EXPECT_EQ(enemy(task->work).smokeTimer, 0);
    hit(task, 6, 1000);
    EXPECT_EQ(enemy(task->work).smokeTimer, 180);
}

TEST_F(EnemyDamageTest, ADyingBossDetachesItsLinkedPartsAndAGoneLinkIsSkipped) {
    ObjTask* task = makeBoss({100});
    task->work->hit = TSKbossHit;
    enter(task);
    ObjTask* part = makeEnemy(0, 10, 100.0f, 100.0f);
    ObjTask* gone = makeEnemy(0, 10, 100.0f, 100.0f);
    enemy(task->work).partLink[0] = objRef(part);
    enemy(task->work).partLink[1] = objRef(gone);
    OBJtaskRelease(gone);
    step(task);
    hit(task, 6, 50);
    EXPECT_NE(part->work->lifeState, 10);  // the boss lives: the links stay
    hit(task, 6, 50);
    EXPECT_EQ(part->work->lifeState, 10);
    EXPECT_EQ(objRefWork(enemy(task->work).partLink[0]), nullptr);
    EXPECT_EQ(enemy(task->work).partLink[1].serial, 0u);
}

TEST_F(EnemyDamageTest, AHitterThatIsGoneDealsNothing) {
    ObjTask* task = makeEnemy(0, 100, 112.0f, 144.0f);
    enter(task);
    task->work->lastCollider = ObjRef{};
    TSKenemyHit(task, task->work);
    EXPECT_EQ(enemy(task->work).hp, 100);
}

}  // namespace
