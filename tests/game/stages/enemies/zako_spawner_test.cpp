// The spawners 140 and 141 and their children 8 and 13.
#include <gtest/gtest.h>

#include <vector>

#include "game/stages/enemies/zako_small.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

class EnemySpawnerTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        eshotFixtureClear();
    }
    ObjWork* makeFighter(float x, float y) { return eshotFixtureFighter(x, y, false); }
    static int count(int32_t kind) {
        int n = 0;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) { n += task->work != nullptr && task->work->kind == kind; });
        return n;
    }
};

TEST_F(EnemySpawnerTest, SpawnersDropExtra0ChildrenThenEnd) {
    struct Case {
        int32_t kind, extra0, child, period, children, endAge;
    };
    const std::vector<Case> cases = {{140, 6, 8, 15, 6, 75}, {140, 0, 8, 15, 1, 0}, {141, 3, 13, 10, 3, 20},
                                     {141, -2, 13, 10, 1, 0}};
    makeFighter(112.0f, 250.0f);
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        makeFighter(112.0f, 250.0f);
        ObjTask* spawner = enemySpawnKind(c.kind, -1, 112.0f, 40.0f);
        ASSERT_NE(spawner, nullptr);
        enemy(spawner->work).spawnExtras[0] = c.extra0;
        int32_t endAge = -1;
        for (int i = 0; i < 200 && endAge < 0; ++i) {
            const int32_t age = spawner->work->age;
            step(spawner);
            if (spawner->state == kObjStateEnd) endAge = age;
        }
        EXPECT_EQ(endAge, c.endAge) << c.kind << " x" << c.extra0;
        EXPECT_EQ(count(c.child), c.children) << c.kind << " x" << c.extra0;
    }
}

TEST_F(EnemySpawnerTest, Kind13TurnsAtItsTimeAndEndsTheTurn20Later) {
    struct Case {
        int32_t extra1, turnAt;
    };
    for (const Case& c : {Case{50, 50}, Case{0, 35}}) {
        OBJtaskReleaseAll(nullptr);
        ObjTask* task = enemySpawnKind(13, -1, 150.0f, 100.0f);
        ASSERT_NE(task, nullptr);
        enemy(task->work).spawnExtras[1] = c.extra1;
        enemy(task->work).steerSpeed = 0.0f;
        task->work->heading = 738;
        std::vector<int32_t> modes;
        for (int i = 0; i <= c.turnAt + 21; ++i) {
            step(task);
            modes.push_back(enemy(task->work).turnMode);
        }
        EXPECT_EQ(modes[size_t(c.turnAt) - 1], 0);
        EXPECT_EQ(modes[size_t(c.turnAt)], 2);
        EXPECT_EQ(modes[size_t(c.turnAt) + 19], 2);
        EXPECT_EQ(modes[size_t(c.turnAt) + 20], 4);
    }
}

TEST_F(EnemySpawnerTest, Kind8SwervesOnlyBelowTheFighter) {
    ObjWork* player = makeFighter(112.0f, 200.0f);
    ObjTask* task = enemySpawnKind(8, -1, 100.0f, 100.0f);
    ASSERT_NE(task, nullptr);
    enemy(task->work).steerSpeed = 3.0f;
    task->work->heading = 512;
    for (int i = 0; i < 20; ++i) step(task);
    EXPECT_EQ(enemy(task->work).turnMode, 0);
    EXPECT_EQ(task->work->heading, 512);
    player->y = 150.0f;
    step(task);
    EXPECT_EQ(enemy(task->work).turnMode, 2) << "left of the fighter: swerves right";
    EXPECT_EQ(task->work->heading, 502);
}

}  // namespace
