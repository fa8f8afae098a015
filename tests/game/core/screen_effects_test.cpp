#include "game/core/screen_effects.h"

#include <gtest/gtest.h>

#include "game/core/game_random.h"

namespace {

TEST(ScreenQuake, ShakesWithinAQuarterAndEndsAtZero) {
    gameRandSeed(1);
    TSKquakeStart(30, 8.0f);
    ASSERT_NE(quakeTask, nullptr);
    QuakeTask* first = quakeTask;
    for (int frame = 1; frame < 30; ++frame) {
        EXPECT_GE(quakeOffsetX, -2);
        EXPECT_LE(quakeOffsetX, 1);
        EXPECT_GE(quakeOffsetY, -2);
        EXPECT_LE(quakeOffsetY, 1);
        TSKquakeAct(*quakeTask);
    }
    EXPECT_EQ(quakeTask->state, 102);
    TSKquakeAct(*quakeTask);
    EXPECT_EQ(quakeOffsetX, 0);
    EXPECT_EQ(quakeOffsetY, 0);
    EXPECT_EQ(quakeTask->state, 100);
    TSKquakeStart(10, 4.0f);  // a restart reuses the one task
    EXPECT_EQ(quakeTask, first);
    EXPECT_EQ(quakeTask->frames, 9);
}

TEST(ScreenQuake, NoFramesShakesOnceThenIdles) {
    TSKquakeStart(0, 40.0f);
    EXPECT_EQ(quakeTask->state, 102);
    TSKquakeAct(*quakeTask);
    EXPECT_EQ(quakeTask->state, 100);
    EXPECT_EQ(quakeOffsetX, 0);
    EXPECT_EQ(quakeOffsetY, 0);
}

TEST(ScreenFade, OutToBlackReachesOneAndInReturnsToNothing) {
    fadeOutBlack(60);
    for (int frame = 1; frame < 60; ++frame) TSKfadeAct(*fadeTask);
    EXPECT_FLOAT_EQ(fadeCoverAlpha(), 1.0f);
    EXPECT_EQ(fadeTask->r, 8);
    TSKfadeAct(*fadeTask);
    EXPECT_FLOAT_EQ(fadeCoverAlpha(), 1.0f);  // the cover stays
    fadeInBlack(60);
    for (int frame = 1; frame < 60; ++frame) TSKfadeAct(*fadeTask);
    EXPECT_FLOAT_EQ(fadeCoverAlpha(), 0.0f);
}

TEST(ScreenFade, MinusOneFramesHoldsTheStartAlpha) {
    TSKfadeStart(-1, kFadeOut, 255, 255, 255, 0.5f);
    for (int frame = 0; frame < 500; ++frame) TSKfadeAct(*fadeTask);
    EXPECT_FLOAT_EQ(fadeCoverAlpha(), 0.5f);
}

TEST(EndingPlaceholder, ReleasedOnItsThirdAct) {
    endingFlag = false;
    TSKendingStart();
    TSKendingAct(*endingTask);
    EXPECT_TRUE(endingFlag);
    TSKendingAct(*endingTask);
    ASSERT_NE(endingTask, nullptr);
    TSKendingAct(*endingTask);
    EXPECT_EQ(endingTask, nullptr);
}

}  // namespace
