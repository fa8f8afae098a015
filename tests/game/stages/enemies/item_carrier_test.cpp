// The item carriers: the item at the first hit below 0 hit points and never
// again, no hit box above the arrival line, the live counters.
#include <gtest/gtest.h>

#include "game/stages/enemies/item_carrier.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

class EnemyItemCarrierTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        eshotFixtureClear();
    }
    ObjTask* carrier(int32_t kind, float y) {
        ObjTask* task = enemySpawnKind(kind, -1, 112.0f, y);
        task->work->heading = 512;
        task->work->speed = 3.0f;
        return task;
    }
    static size_t items() { return madeItems().size(); }
};

TEST_F(EnemyItemCarrierTest, ZeroHpKeepsTheItemTheNextHitReleasesItAThirdNothing) {
    for (int32_t kind : {58, 59}) {
        OBJtaskReleaseAll(nullptr);
        ObjTask* task = carrier(kind, 120.0f);
        ObjWork* work = task->work;
        EXPECT_EQ(enemy(work).hp, 32);
        hit(task, 6, 32);
        EXPECT_EQ(enemy(work).hp, 0);
        EXPECT_EQ(items(), 0u);
        hit(task, 6, 1);
        EXPECT_EQ(enemy(work).hp, 1);
        EXPECT_EQ(enemy(work).phase, 3);
        ASSERT_EQ(items(), 1u);
        EXPECT_EQ(madeItems()[0].kind, kind == 58 ? 10 : 5);
        hit(task, 6, 50);
        EXPECT_EQ(enemy(work).hp, 1);
        EXPECT_EQ(items(), 1u);
    }
}

TEST_F(EnemyItemCarrierTest, NoHitBoxAboveTheArrivalLine) {
    struct Case {
        int32_t boss;
        float y;
        int32_t boxes;
    };
    const Case cases[] = {{0, 50.0f, 0}, {0, 60.0f, 1}, {1, 90.0f, 0}, {1, 100.0f, 1}};
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        bossPresentFlag = c.boss;
        ObjTask* task = carrier(59, c.y);
        enemy(task->work).offscreenTimer = 0;
        step(task);
        EXPECT_EQ(task->work->hitBoxCount, c.boxes) << c.boss << " at " << c.y;
        if (c.boxes == 0) {
            EXPECT_FLOAT_EQ(task->work->speed, 3.0f) << "keeps its arrival speed";
        }
    }
    bossPresentFlag = 0;
}

TEST_F(EnemyItemCarrierTest, LiveCountersBalanceAfterTheStageRelease) {
    carrier(58, 120.0f);
    carrier(59, 120.0f);
    ObjTask* second = carrier(59, 120.0f);
    EXPECT_EQ(itemCarrierLiveOf(58), 1);
    EXPECT_EQ(itemCarrierLiveOf(59), 2);
    OBJtaskRelease(second);
    EXPECT_EQ(itemCarrierLiveOf(59), 1);
    OBJtaskReleaseAll(nullptr);
    for (int32_t kind : {57, 58, 59}) EXPECT_EQ(itemCarrierLiveOf(kind), 0) << kind;
}

TEST_F(EnemyItemCarrierTest, Kind57EndsOutsideTheSpecialMode) {
    ObjTask* task = carrier(57, 120.0f);
    step(task);
    EXPECT_EQ(task->state, kObjStateEnd);
    step(task);
    EXPECT_EQ(itemCarrierLiveOf(57), 0);
}

}  // namespace
