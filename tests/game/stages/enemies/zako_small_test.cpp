// The small air enemies over the real shots: kind 2's fire by rank level,
// its flight modes and its end under a boss; kind 0's answer shot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/stages/enemies/zako_small.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

// Param 0: speed 1 heading down; param 1: speed 3 heading up.
constexpr MoveScript kSmallDown[] = {{7, 0, 100, 0, 0, 0}, {8, 0, 512, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
constexpr MoveScript kSmallUp[] = {{7, 0, 300, 0, 0, 0}, {8, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
constexpr const MoveScript* kSmallScripts[] = {kSmallDown, kSmallUp};
constexpr StageTables kSmallStage = {
    kEnemyEndRow, 0, kSmallScripts, 2, {kEnemyLayerRest, kEnemyLayerRest, kEnemyLayerRest, kEnemyLayerRest}};
constexpr StageTables kSmallStages[kStageTableCount] = {kSmallStage, kSmallStage, kSmallStage,
                                                        kSmallStage, kSmallStage, kSmallStage};

struct Shot {
    int32_t type, heading;
    float speed;
};

class EnemySmallAirTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        eshotFixtureClear();
        stageTablesUse(kSmallStages);
    }
    ObjWork* makeFighter(float x, float y, bool powerUp = false) { return eshotFixtureFighter(x, y, powerUp); }
    static std::vector<Shot> shots() {
        std::vector<Shot> out;
        OBJtaskWalk(kEshotGroup, [&](ObjTask* task) {
            if (task->work != nullptr) out.push_back({task->work->kind, task->work->heading, task->work->speed});
        });
        return out;
    }
    static int enemies() { return OBJtaskCountByTag(kEnemyGroup, kEnemyTag); }
};

TEST_F(EnemySmallAirTest, Kind2FiresByRankLevel) {
    struct Case {
        int32_t level;
        float y;
        std::vector<Shot> shots;
    };
    const std::vector<Case> cases = {
        {0, 199.0f, {{37, 512, 1.6f}}},
        {0, 200.0f, {}},
        {1, 239.0f, {{37, 512, 1.6f}}},
        {1, 240.0f, {}},
        {2, 260.0f, {{37, 512, 2.25f}}},
        {3, 260.0f, {{37, 466, 2.1f}, {37, 512, 2.25f}, {37, 558, 2.1f}}},
    };
    makeFighter(112.0f, 400.0f);
    for (const Case& c : cases) {
        OBJtaskWalk(kEshotGroup, [](ObjTask* task) { OBJtaskRelease(task); });
        gameMode = c.level;
        ObjTask* task = enemySpawnKind(2, -1, 112.0f, c.y);
        ASSERT_NE(task, nullptr);
        TSKzako02Attack(task, task->work);
        const std::vector<Shot> got = shots();
        ASSERT_EQ(got.size(), c.shots.size()) << c.level << " at " << c.y;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].type, c.shots[i].type);
            EXPECT_EQ(got[i].heading, c.shots[i].heading);
            EXPECT_FLOAT_EQ(got[i].speed, c.shots[i].speed);
        }
        OBJtaskRelease(task);
    }
}

TEST_F(EnemySmallAirTest, Kind2StartsWithItsValues) {
    ObjTask* task = enemySpawnKind(2, -1, 112.0f, 100.0f);
    ASSERT_NE(task, nullptr);
    const EnemyFields& e = enemy(task->work);
    EXPECT_EQ(e.hp, 16);
    EXPECT_EQ(e.score, 110u);
    EXPECT_EQ(e.volleyPause, 72);
    EXPECT_GE(e.shotCountdown, 0);
    EXPECT_LT(e.shotCountdown, 72);
    EXPECT_EQ(task->work->enemyAgeLimit, 3630);
    EXPECT_EQ(enemyKindAct(2), TSKzako02Act);
    EXPECT_EQ(enemyKindAct(0), TSKzako00Act);
}

TEST_F(EnemySmallAirTest, Kind2HomingLocksWithin50AndKeepsItsHeading) {
    ObjWork* player = makeFighter(112.0f, 300.0f);
    ObjTask* task = enemySpawnKind(2, 1, 112.0f, 150.0f);
    ASSERT_NE(task, nullptr);
    ObjWork* work = task->work;
    int frames = 0;
    while (enemy(work).homingLock == 0 && frames < 200) {
        step(task);
        ++frames;
    }
    ASSERT_EQ(enemy(work).homingLock, 1);
    const float dx = std::fabs(player->x - work->x);
    const float dy = std::fabs(player->y - work->y);
    EXPECT_LT(dx + dy - std::min(dx, dy) / 2.0f, 50.0f);
    const int32_t locked = work->heading;
    player->x = 12.0f;
    for (int i = 0; i < 5; ++i) step(task);
    EXPECT_EQ(work->heading, locked);
}

TEST_F(EnemySmallAirTest, Kind2BackingOffPassesZeroAndStopsAtMinus200) {
    makeFighter(112.0f, 400.0f);
    ObjTask* task = enemySpawnKind(2, 0, 112.0f, 100.0f);
    ASSERT_NE(task, nullptr);
    ObjWork* work = task->work;
    for (int i = 0; i < 20; ++i) step(task);
    const float lowest = work->y;
    EXPECT_GT(lowest, 110.0f);
    for (int i = 0; i < 20; ++i) step(task);
    EXPECT_NEAR(enemy(work).steerSpeed, -1.0f, 0.01f);
    EXPECT_LT(work->y, lowest - 5.0f);
    enemy(work).steerSpeed = -199.99f;
    work->y = 100.0f;
    step(task);
    EXPECT_FLOAT_EQ(enemy(work).steerSpeed, -200.0f);
}

TEST_F(EnemySmallAirTest, Kind2SpawnedUnderABossIsGoneAtOnceWithoutAShot) {
    makeFighter(112.0f, 400.0f);
    bossPresentFlag = 1;
    ObjTask* task = enemySpawnKind(2, -1, 112.0f, 100.0f);
    ASSERT_NE(task, nullptr);
    enemy(task->work).shotCountdown = 0;
    step(task);
    EXPECT_EQ(task->state, kObjStateEnd);
    step(task);
    EXPECT_EQ(enemies(), 0);
    EXPECT_TRUE(shots().empty());
}

TEST_F(EnemySmallAirTest, Kind0AnswersOnlyAPoweredKillAtLevels2And3) {
    struct Case {
        int32_t level;
        bool powered;
        size_t answers;
    };
    const std::vector<Case> cases = {{0, true, 0}, {1, true, 0}, {2, true, 1}, {3, true, 1}, {3, false, 0}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        gameMode = c.level;
        makeFighter(112.0f, 300.0f, c.powered);
        ObjTask* task = enemySpawnKind(0, -1, 112.0f, 100.0f);
        ASSERT_NE(task, nullptr);
        enter(task);
        enemy(task->work).hp = 1;
        hit(task, 6, 10);
        EXPECT_EQ(task->work->lifeState, 3);
        size_t answers = 0;
        for (const Shot& s : shots()) {
            if (s.type != 150) continue;
            ++answers;
            EXPECT_EQ(s.heading, 512);
            EXPECT_FLOAT_EQ(s.speed, 6.0f);
        }
        EXPECT_EQ(answers, c.answers) << c.level << (c.powered ? " powered" : "");
    }
}

TEST_F(EnemySmallAirTest, Kinds3And4PauseByLevelAndHoldFireOnceBanking) {
    struct Case {
        int32_t level;
        int32_t pause;
        size_t banking;  // shots of one call once banking
    };
    const std::vector<Case> cases = {{0, 20, 0}, {1, 30, 0}, {2, 20, 1}, {3, 20, 1}};
    makeFighter(112.0f, 300.0f);
    for (const Case& c : cases) {
        for (int32_t kind : {3, 4}) {
            OBJtaskWalk(kEshotGroup, [](ObjTask* task) { OBJtaskRelease(task); });
            gameMode = c.level;
            ObjTask* task = enemySpawnKind(kind, -1, kind == 3 ? 200.0f : 24.0f, 100.0f);
            ASSERT_NE(task, nullptr);
            EXPECT_EQ(enemy(task->work).volleyPause, c.pause);
            EXPECT_EQ(task->work->pauseRankCut, 0);
            EXPECT_EQ(enemy(task->work).fireAlways, 1);
            task->work->attack(task, task->work);
            EXPECT_EQ(shots().size(), 1u) << kind << " straight";
            step(task);
            EXPECT_EQ(task->work->heading, kind == 3 ? 768 : 256);
            while (enemy(task->work).turnMode == 0 && task->state == kObjStateRun) step(task);
            ASSERT_EQ(enemy(task->work).turnMode, 2) << kind;  // above the fighter: banks down
            EXPECT_GE(enemy(task->work).bankCounter, 62);
            OBJtaskWalk(kEshotGroup, [](ObjTask* shot) { OBJtaskRelease(shot); });
            task->work->attack(task, task->work);
            EXPECT_EQ(shots().size(), c.banking) << kind << " level " << c.level;
            OBJtaskRelease(task);
        }
    }
}

TEST_F(EnemySmallAirTest, Kind11IsSilentAtLevel0AndFiresEverySecondVolleyAt1) {
    struct Case {
        int32_t level, volleysLeft;
        size_t shots;
    };
    const std::vector<Case> cases = {{0, 9998, 0}, {0, 9997, 0}, {1, 9998, 1}, {1, 9997, 0},
                                     {2, 9997, 3}, {3, 9997, 3}, {3, 9998, 5}};
    makeFighter(112.0f, 300.0f);
    for (const Case& c : cases) {
        OBJtaskWalk(kEshotGroup, [](ObjTask* task) { OBJtaskRelease(task); });
        gameMode = c.level;
        ObjTask* task = enemySpawnKind(11, -1, 112.0f, 200.0f);
        ASSERT_NE(task, nullptr);
        enemy(task->work).volleysLeft = c.volleysLeft;
        TSKzako11Attack(task, task->work);
        const std::vector<Shot> got = shots();
        EXPECT_EQ(got.size(), c.shots) << c.level << " " << c.volleysLeft;
        for (const Shot& shot : got) EXPECT_EQ(shot.type, 4);
        OBJtaskRelease(task);
    }
}

TEST_F(EnemySmallAirTest, Kind14SplitsAtAge121ByLevel) {
    struct Case {
        int32_t level, pieces;
    };
    for (const Case& c : {Case{0, 7}, Case{1, 7}, Case{2, 10}, Case{3, 12}}) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.level;
        ObjTask* task = enemySpawnKind(14, -1, 112.0f, 60.0f);
        ASSERT_NE(task, nullptr);
        int32_t splitAge = -1;
        for (int i = 0; i < 130 && splitAge < 0; ++i) {
            const int32_t age = task->work->age;
            step(task);
            if (task->state == kObjStateEnd) splitAge = age;
        }
        EXPECT_EQ(splitAge, 121);
        step(task);
        EXPECT_EQ(enemies(), c.pieces) << c.level;
    }
}

TEST_F(EnemySmallAirTest, Kind14KilledBeforeTheSplitScoresAndLeavesNoPieces) {
    makeFighter(112.0f, 250.0f);
    ObjTask* task = enemySpawnKind(14, -1, 112.0f, 60.0f);
    ASSERT_NE(task, nullptr);
    enter(task);
    step(task);
    EXPECT_EQ(enemy(task->work).score, 3220u);
    enemy(task->work).hp = 1;
    hit(task, 6, 10);
    EXPECT_EQ(task->work->lifeState, 3);
    for (int i = 0; i < 150 && task->state == kObjStateRun; ++i) step(task);
    int pieces = 0;
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) { pieces += t != task && t->work != nullptr && t->work->kind == 14; });
    EXPECT_EQ(pieces, 0);
}

TEST_F(EnemySmallAirTest, Kind14SmallPieceAnswersAPoweredKill) {
    struct Case {
        int32_t level;
        size_t shots;
    };
    for (const Case& c : {Case{1, 0}, Case{2, 8}, Case{3, 12}}) {
        OBJtaskReleaseAll(nullptr);
        gameMode = c.level;
        makeFighter(112.0f, 250.0f, true);
        ObjTask* task = enemySpawnKind(14, -1, 112.0f, 100.0f);
        ASSERT_NE(task, nullptr);
        enemy(task->work).turnMode = 3;
        enter(task);
        step(task);
        EXPECT_EQ(enemy(task->work).score, 360u);
        enemy(task->work).hp = 1;
        hit(task, 6, 10);
        size_t answers = 0;
        for (const Shot& s : shots()) answers += s.type == 150;
        EXPECT_EQ(answers, c.shots) << c.level;
    }
}

}  // namespace
