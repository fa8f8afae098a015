// The small ground turrets (kinds 20 to 23) on a synthetic stage: their
// rows, the first frame, the layer depth, the aim slot from a fixture marker
// frame, and the distance, height and rank rules of their shots.
#include <vector>

#include "tests/game/stages/enemies/zako_ground_fixture.h"

namespace {

TEST_F(ZakoGroundTest, RowsGiveLifeScoreAndSchedule) {
    struct Case {
        int32_t kind, hp, score, pause;
        float halfWidth;
    };
    const std::vector<Case> cases = {
        {20, 48, 250, 104, 16.0f}, {21, 96, 340, 96, 0.0f}, {22, 768, 220, 104, 16.0f}, {23, 1536, 510, 96, 40.0f},
        {24, 512, 670, 64, 20.0f}, {25, 1024, 670, 64, 20.0f}};
    for (const Case& c : cases) {
        gameRandSeed(7);
        const int32_t first = randRange(c.pause);
        gameRandSeed(7);
        ObjTask* task = enemySpawnKind(c.kind, -1, 112.0f, 100.0f);
        ASSERT_NE(task, nullptr) << c.kind;
        const EnemyFields& e = enemy(task->work);
        EXPECT_EQ(e.hp, enemyScaleHp(c.hp)) << c.kind;
        EXPECT_EQ(e.score, uint64_t(c.score)) << c.kind;
        EXPECT_EQ(e.volleyPause, c.pause) << c.kind;
        EXPECT_EQ(e.shotCountdown, first) << c.kind;
        EXPECT_EQ(e.shotsLeft, 1) << c.kind;
        EXPECT_EQ(e.offscreenTimer, 3600) << c.kind;
        EXPECT_EQ(zakoGroundKind(c.kind)->boxes[0].halfWidth, c.halfWidth) << c.kind;
    }
    gameMode = 0;
    EXPECT_EQ(enemy(enemySpawnKind(20, -1, 0.0f, 0.0f)->work).hp, int32_t(48.0f * 0.8f));
}

TEST_F(ZakoGroundTest, FirstFrameSetsLayerDepthAndArmsTheMarkerSlot) {
    makeFighterAt(112.0f, 250.0f);
    ObjTask* task = enemySpawnKind(20, -1, 112.0f, 100.0f);
    enemy(task->work).offscreenTimer = 0;
    enemy(task->work).followedLayer = 2;
    task->act(task);
    ASSERT_EQ(task->state, kObjStateRun);
    EXPECT_FLOAT_EQ(task->work->depth, 104.0f);
    const EnemyAimSlot& slot = enemy(task->work).aimSlots[0];
    EXPECT_EQ(slot.armed, 1);
    EXPECT_FLOAT_EQ(slot.offsetX, 3.0f);
    EXPECT_FLOAT_EQ(slot.offsetY, -5.0f);
    EXPECT_EQ(slot.turnLimit, 8);
    EXPECT_EQ(slot.param, 16);
    EXPECT_EQ(task->work->hitBoxCount, 1);
}

TEST_F(ZakoGroundTest, OnLayer2ItDrawsShadowBodyAndTurretAtTheQuakesOffset) {
    for (int32_t id : {5393, 5400, 5418}) frames[size_t(id)].w = frames[size_t(id)].h = 16;
    OBJsetFrameTable(frames);
    makeFighterAt(112.0f, 250.0f);
    ObjTask* task = enemySpawnKind(20, -1, 112.0f, 100.0f);
    enemy(task->work).offscreenTimer = 0;
    enemy(task->work).followedLayer = 2;
    task->flags |= kEnemyFollowsLayer;
    quakeOffsetX = 3;
    quakeOffsetY = -2;
    task->act(task);
    quakeOffsetX = quakeOffsetY = 0;
    EXPECT_FLOAT_EQ(enemy(task->work).drawOffset.x, 3.0f);
    EXPECT_FLOAT_EQ(enemy(task->work).drawOffset.y, -2.0f);
    enemy(task->work).aimSlots[0].heading = 40;
    const int before = OBJdrawStoreCount();
    task->work->draw(task, task->work);
    ASSERT_EQ(OBJdrawStoreCount(), before + 3);
    const DrawObj& shadow = *OBJdrawStoreEntry(before);
    const DrawObj& body = *OBJdrawStoreEntry(before + 1);
    const DrawObj& turret = *OBJdrawStoreEntry(before + 2);
    EXPECT_EQ(shadow.layer, 103);
    EXPECT_FLOAT_EQ(shadow.alpha, 0.5f);
    EXPECT_EQ(int(shadow.r), 0);
    EXPECT_EQ(shadow.frameId, body.frameId);
    EXPECT_EQ(shadow.dstX, body.dstX + 4);
    EXPECT_EQ(body.layer, 104);
    EXPECT_EQ(body.dstX, 115 - 8);  // x + the quake's 3, less half the width
    EXPECT_EQ(body.dstY, 98 - 8);
    EXPECT_EQ(turret.frameId, 5418);
    EXPECT_EQ(turret.layer, 104);
}

TEST_F(ZakoGroundTest, ABossOnTheFirstFrameEndsItUnfired) {
    makeFighterAt(112.0f, 250.0f);
    bossPresentFlag = 1;
    ObjTask* task = spawnRun(20, 112.0f, 100.0f);
    EXPECT_EQ(task->state, kObjStateEnd);
    EXPECT_TRUE(shots().empty());
}

TEST_F(ZakoGroundTest, FiresOnlyFarEnoughAndAboveTheBottom) {
    struct Case {
        int32_t mode;
        float enemyY, fighterDy;
        bool fires;
    };
    const std::vector<Case> cases = {{1, 100.0f, 80.0f, true},  {1, 100.0f, 79.0f, false}, {0, 100.0f, 89.0f, false},
                                     {0, 100.0f, 90.0f, true},  {2, 100.0f, 75.0f, true},  {3, 100.0f, 74.0f, false},
                                     {1, 200.0f, 80.0f, false}, {1, 199.0f, 80.0f, true}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.mode;
        makeFighterAt(112.0f, c.enemyY + c.fighterDy);
        ObjTask* task = spawnRun(20, 112.0f, c.enemyY);
        task->work->attack(task, task->work);
        EXPECT_EQ(shots().size(), c.fires ? 1u : 0u) << c.mode << " " << c.enemyY << " " << c.fighterDy;
    }
}

TEST_F(ZakoGroundTest, NoFighterNoShot) {
    ObjTask* task = spawnRun(20, 112.0f, 100.0f);
    task->work->attack(task, task->work);
    EXPECT_TRUE(shots().empty());
}

TEST_F(ZakoGroundTest, ShotsLeaveAlongTheTurretStepBySpeedOfRank) {
    EXPECT_EQ(zakoGroundShotAngle(40), 48);
    EXPECT_EQ(zakoGroundShotAngle(1023), 1008);
    EXPECT_EQ(zakoGroundShotAngle(0), 16);
    struct Case {
        int32_t kind, mode;
        std::vector<float> speeds;
    };
    const std::vector<Case> cases = {{20, 0, {1.6f}},       {20, 1, {2.0f}}, {20, 2, {2.4f}}, {20, 3, {2.4f}},
                                     {22, 3, {2.4f, 2.5f}}, {22, 1, {2.0f}}, {24, 0, {2.0f}}, {24, 2, {2.4f}},
                                     {24, 3, {2.4f, 2.5f}}, {25, 0, {2.4f}}, {25, 1, {2.0f}}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.mode;
        makeFighterAt(112.0f, 250.0f);
        ObjTask* task = spawnRun(c.kind, 112.0f, 100.0f);
        enemy(task->work).aimSlots[0].heading = 40;
        task->work->attack(task, task->work);
        const std::vector<ZakoShot> fired = shots();
        ASSERT_EQ(fired.size(), c.speeds.size()) << c.kind << " mode " << c.mode;
        for (size_t i = 0; i < fired.size(); ++i) {
            EXPECT_EQ(fired[i].heading, 48);
            EXPECT_FLOAT_EQ(fired[i].speed, c.speeds[i]) << c.kind << " mode " << c.mode;
        }
    }
}

TEST_F(ZakoGroundTest, ATankWithLifetime442GoesQuietAndUnhittableAfterIt) {
    makeFighterAt(112.0f, 250.0f);
    ObjTask* task = enemySpawnKind(24, -1, 112.0f, 100.0f);
    enemy(task->work).spawnExtras[0] = 442;
    enemy(task->work).offscreenTimer = 0;
    enemy(task->work).shotCountdown = 1000;
    task->act(task);
    EXPECT_EQ(task->work->hitBoxCount, 1);
    EXPECT_EQ(task->work->leavesWreck, 0);
    task->work->age = 442;
    task->work->attack(task, task->work);
    EXPECT_EQ(shots().size(), 1u);
    task->work->age = 443;
    task->act(task);
    EXPECT_EQ(task->work->hitBoxCount, 0);
    clearShots();
    task->work->attack(task, task->work);
    EXPECT_TRUE(shots().empty());
}

TEST_F(ZakoGroundTest, APoweredUpFighterDrawsTheTanksRingAtHighLevels) {
    ObjWork* fighterWork = makeFighterAt(112.0f, 250.0f);
    fighter(fighterWork).powerUp = 1;
    for (int32_t mode : {1, 2}) {
        clearShots();
        gameMode = mode;
        ObjTask* task = spawnRun(24, 112.0f, 100.0f);
        task->work->attack(task, task->work);
        EXPECT_EQ(shots().size(), mode >= 2 ? 17u : 1u) << mode;
    }
}

TEST_F(ZakoGroundTest, TheHiddenAndSpareKindsNeverFire) {
    makeFighterAt(112.0f, 250.0f);
    for (int32_t kind : {21, 23}) {
        ObjTask* task = spawnRun(kind, 112.0f, 100.0f);
        EXPECT_EQ(task->work->attack, nullptr) << kind;
        EXPECT_EQ(task->work->draw, nullptr) << kind;
    }
}

}  // namespace
