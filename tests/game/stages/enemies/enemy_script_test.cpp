// Movement scripts: the rows due by the enemy's age run in order, op 0 rests,
// op 9 ends the task and goes on, param -1 and unknown ops.
#include <cmath>
#include <numbers>

#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

using EnemyScriptTest = EnemyFixture;

TEST_F(EnemyScriptTest, TheCommonStartRunsOnTheFirstRunningFrame) {
    ObjTask* task = makeEnemy(0, 10, 112.0f, -20.0f, 0);
    EnemyFields& e = enemy(task->work);
    EXPECT_EQ(e.scriptCursor, 0);
    step(task);
    EXPECT_FLOAT_EQ(e.halfWidth, 68.0f);
    EXPECT_FLOAT_EQ(e.halfHeight, 68.0f);
    EXPECT_FLOAT_EQ(e.scriptSpeedX, 3.0f);
    EXPECT_FLOAT_EQ(e.steerSpeed, 3.0f);
    EXPECT_EQ(task->work->heading, 512);
    EXPECT_FLOAT_EQ(e.scriptHeadingY, std::numbers::pi_v<float>);
    EXPECT_EQ(e.scriptCursor, 3);  // resting on its op-0 row
    EXPECT_EQ(enemyAge(task), 1);
    // Heading down at 3 pixels a frame, moved by the step of the same frame.
    EXPECT_NEAR(task->work->y, -17.0f, 1e-4);
}

TEST_F(EnemyScriptTest, RowsOfOneFrameAndRowsBehindTheAgeAllRunInOneCall) {
    ObjTask* task = makeEnemy(0, 10, 112.0f, 100.0f, 1);
    EnemyFields& e = enemy(task->work);
    enemyMoveScript(task, task->work);  // age 0: the rows of frame 0
    EXPECT_EQ(e.scriptCursor, 2);
    EXPECT_NE(task->flags & kEnemyFollowsLayer, 0u);
    EXPECT_EQ(e.followedLayer, 2);
    EXPECT_FLOAT_EQ(e.halfWidth, 20.0f);
    EXPECT_FLOAT_EQ(e.halfHeight, 15.0f);
    enemyAge(task) = 12;  // the age jumped past frames 3, 5 and 9
    enemyMoveScript(task, task->work);
    EXPECT_EQ(e.noHitBoxes, 1);
    EXPECT_FLOAT_EQ(e.scriptSpeedY, 1.5f);
    EXPECT_EQ(task->work->heading, 256);
    EXPECT_EQ(e.scriptCursor, 6);  // the op-0 row of frame 50 is not due
}

TEST_F(EnemyScriptTest, OpNineEndsTheTaskAndTheDueRowsAfterItRunToo) {
    ObjTask* task = makeEnemy(0, 10, 112.0f, 100.0f, 2);
    enemyMoveScript(task, task->work);
    EXPECT_EQ(task->state, kObjStateEnd);
    EXPECT_FLOAT_EQ(enemy(task->work).steerSpeed, 2.0f);
}

TEST_F(EnemyScriptTest, AFirstRowOfOpZeroLeavesTheEnemyAsItsInitSetIt) {
    ObjTask* task = makeEnemy(0, 10, 112.0f, 100.0f, 3);
    enemyAge(task) = 100;
    enemyMoveScript(task, task->work);
    EXPECT_EQ(enemy(task->work).scriptCursor, 0);
    EXPECT_FLOAT_EQ(enemy(task->work).steerSpeed, 0.0f);
}

TEST_F(EnemyScriptTest, ParamMinusOneAndParamsWithoutAScriptGiveNone) {
    const int32_t params[] = {-1, 4, 99};
    for (int32_t param : params) {
        ObjTask* task = makeEnemy(0, 10, 112.0f, 100.0f, param);
        EXPECT_EQ(enemy(task->work).script, 0) << param;
        enemyAge(task) = 10;
        EXPECT_TRUE(enemyMoveScript(task, task->work));
        EXPECT_EQ(enemy(task->work).scriptCursor, 0) << param;
        EXPECT_EQ(task->state, kObjStateRun) << param;
    }
}

TEST_F(EnemyScriptTest, AStageOutsideTheTablesLeavesTheScriptAsItWas) {
    ObjTask* task = makeEnemy(0, 10, 112.0f, 100.0f, 0);
    stageNumber = 6;
    enemy(task->work).scriptCursor = 2;
    enemySelectMoveScript(task->work, 1);
    EXPECT_EQ(enemy(task->work).script, 1);  // param 0's, kept
    EXPECT_EQ(enemy(task->work).scriptCursor, 0);
}

}  // namespace
