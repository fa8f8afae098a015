#include <gtest/gtest.h>

#include "game/objects/wreckage.h"
#include "tests/game/objects/effects_fixture.h"

namespace {

class WreckageTest : public EffectsFixture {
protected:
    ObjWork* only() { return tasksOf(kWreckGroup).front()->work; }
};

TEST_F(WreckageTest, FollowsItsLayersShift) {
    fieldLayerShift[2] = {2.0f, 3.0f};
    TSKzangCreate(4, 0, 3, 100.0f, 100.0f);
    TSKzangCreate(4, 0, 1, 100.0f, 100.0f);
    actPass(kWreckGroup);
    const auto tasks = tasksOf(kWreckGroup);
    EXPECT_FLOAT_EQ(tasks[0]->work->x, 98.0f);
    EXPECT_FLOAT_EQ(tasks[0]->work->y, 103.0f);
    EXPECT_FLOAT_EQ(tasks[1]->work->x, 100.0f) << "layer 1 did not move";
    EXPECT_FLOAT_EQ(tasks[0]->work->depth, 201.0f);
    EXPECT_FLOAT_EQ(tasks[1]->work->depth, 11.0f);
}

TEST_F(WreckageTest, DrawnInTheBackgroundsTintWithTheQuake) {
    useEightByEightFrames();
    TSKzangCreate(4, 0, 2, 100.0f, 100.0f);
    ObjTask* task = tasksOf(kWreckGroup).front();
    const DrawObj still = drawnBy(task).at(0);
    quakeOffsetX = 4;
    fieldLayerSharedTint = {90, 80, 70};
    actPass(kWreckGroup);
    const DrawObj shaken = drawnBy(task).at(0);
    EXPECT_EQ(shaken.dstX - still.dstX, 4);
    EXPECT_EQ(shaken.r, 90);
    EXPECT_EQ(shaken.b, 70);
    EXPECT_EQ(shaken.layer, 101);
}

TEST_F(WreckageTest, MovesBySpeedInHundredths) {
    TSKzangCreate(4, 150, 2, 100.0f, 100.0f);
    actPass(kWreckGroup);
    EXPECT_NEAR(only()->y, 98.5f, 1e-4f);
}

TEST_F(WreckageTest, FadingKindsEndAfterTheirFade) {
    TSKzangCreate(18, 0, 2, 100.0f, 100.0f);
    const int passes = passesUntilEnded(kWreckGroup, 400);
    EXPECT_GE(passes, 160);
    EXPECT_LE(passes, 162);
}

TEST_F(WreckageTest, AnimatesAtTwelveFramesACellOverItsFrames) {
    TSKzangCreate(5, 0, 2, 100.0f, 100.0f);
    ObjWork* work = only();
    EXPECT_EQ(work->spriteBase, 2723);
    EXPECT_EQ(work->animCount, 8);
    for (int pass = 0; pass < 12; ++pass) actPass(kWreckGroup);
    EXPECT_EQ(work->animFrame, 1);
}

TEST_F(WreckageTest, OutOfRangeKindsAndLayersMakeNothing) {
    TSKzangCreate(22, 0, 2, 100.0f, 100.0f);
    TSKzangCreate(-1, 0, 2, 100.0f, 100.0f);
    TSKzangCreate(3, 0, 0, 100.0f, 100.0f);
    TSKzangCreate(3, 0, 5, 100.0f, 100.0f);
    EXPECT_EQ(countOf(kWreckGroup), 0);
}

TEST_F(WreckageTest, LeavesThroughTheScreenEdge) {
    TSKzangCreate(4, 0, 2, 100.0f, 415.0f);
    fieldLayerShift[1] = {0.0f, 2.0f};
    EXPECT_EQ(passesUntilEnded(kWreckGroup, 5), 1);
}

}  // namespace
