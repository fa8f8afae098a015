#include "game/core/screen_effects.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/core/sprite_frames.h"
#include "tests/game/core/obj_fixture.h"

namespace {

const uint32_t kQuak = objTag("QUAK");
const uint32_t kFade = objTag("FADE");
const uint32_t kEndi = objTag("ENDI");

// One act pass over the whole pool, as the game's update runs it.
void actPass() {
    for (int group = 0; group < kObjTaskGroups; ++group) {
        OBJtaskWalk(group, [](ObjTask* task) {
            if (task->act != nullptr) task->act(task);
        });
    }
}

void actPasses(int n) {
    for (int i = 0; i < n; ++i) actPass();
}

float fadeAlpha() { return fadeTask->work->alpha; }

// A table that holds the fade's cover: row 2687, a 34 x 34 cell of sheet 6.
std::vector<SpriteFrame> coverFrames() {
    std::vector<SpriteFrame> rows(kFadeCoverFrame + 1);
    rows[kFadeCoverFrame] = {6, 0, 0, 34, 34, kFadeCoverFrame, 0, 0, 0, 0, 0};
    return rows;
}

class ScreenEffectsTest : public ObjFixture {
protected:
    void SetUp() override {
        ObjFixture::SetUp();
        gameRandSeed(1);
        endingFlag = false;
    }
    // Every effect goes with its release, so no instance outlives the pool.
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        ObjFixture::TearDown();
    }
};

TEST_F(ScreenEffectsTest, QuakeShakesWithinAQuarterOfTheFallingStrengthAndEndsAtZero) {
    TSKquakeStart(30, 8.0f);
    ASSERT_NE(quakeTask, nullptr);
    ObjTask* first = quakeTask;
    EXPECT_EQ(OBJtaskGroup(kQuakeGroup).head.next, first);
    EXPECT_EQ(OBJtaskCountByTag(kQuakeGroup, kQuak), 1);
    for (int frame = 1; frame < 30; ++frame) {
        EXPECT_GE(quakeOffsetX, -2);
        EXPECT_LE(quakeOffsetX, 1);
        EXPECT_GE(quakeOffsetY, -2);
        EXPECT_LE(quakeOffsetY, 1);
        if (frame > 16) {  // the strength is below 4 by now: less than a pixel
            EXPECT_EQ(quakeOffsetX, 0);
            EXPECT_EQ(quakeOffsetY, 0);
        }
        actPass();
    }
    EXPECT_EQ(quakeTask->state, 102);
    actPass();
    EXPECT_EQ(quakeOffsetX, 0);
    EXPECT_EQ(quakeOffsetY, 0);
    EXPECT_EQ(quakeTask->state, 100);

    TSKquakeStart(10, 4.0f);  // a restart reuses the one task
    EXPECT_EQ(quakeTask, first);
    EXPECT_EQ(quakeTask->actWords[kEffectFramesWord], 9);
    EXPECT_EQ(OBJtaskCountByTag(kQuakeGroup, kQuak), 1);
}

TEST_F(ScreenEffectsTest, QuakeWithNoFramesShakesOnceThenIdles) {
    TSKquakeStart(0, 40.0f);
    EXPECT_EQ(quakeTask->state, 102);
    actPass();
    EXPECT_EQ(quakeTask->state, 100);
    EXPECT_EQ(quakeOffsetX, 0);
    EXPECT_EQ(quakeOffsetY, 0);
}

TEST_F(ScreenEffectsTest, FadeOutToBlackReachesOneAndFadeInReturnsToNothing) {
    fadeOutBlack(60);
    ASSERT_NE(fadeTask, nullptr);
    EXPECT_EQ(OBJtaskGroup(kFadeGroup).head.next, fadeTask);
    EXPECT_EQ(OBJtaskCountByTag(kFadeGroup, kFade), 1);
    actPasses(59);
    EXPECT_FLOAT_EQ(fadeAlpha(), 1.0f);
    EXPECT_EQ(fadeTask->state, 100);
    EXPECT_EQ(fadeTask->work->r, 8);
    actPass();
    EXPECT_FLOAT_EQ(fadeAlpha(), 1.0f);  // the cover stays
    fadeInBlack(60);
    actPasses(30);
    EXPECT_GT(fadeAlpha(), 0.0f);
    actPasses(29);
    EXPECT_FLOAT_EQ(fadeAlpha(), 0.0f);
}

TEST_F(ScreenEffectsTest, FadeWithMinusOneFramesHoldsTheStartAlpha) {
    TSKfadeStart(-1, kFadeOut, 255, 255, 255, 0.5f);
    actPasses(500);
    EXPECT_FLOAT_EQ(fadeAlpha(), 0.5f);
    EXPECT_EQ(fadeTask->state, kFadeOut);
}

TEST_F(ScreenEffectsTest, FadeOutFromAboveZeroStaysWithinOne) {
    TSKfadeStart(10, kFadeOut, 255, 255, 255, 0.5f);
    for (int frame = 1; frame < 10; ++frame) {
        EXPECT_LE(fadeAlpha(), 1.0f);
        actPass();
    }
    EXPECT_FLOAT_EQ(fadeAlpha(), 1.0f);
}

TEST_F(ScreenEffectsTest, FadeCoverIsOneTintedSpriteOverTheWholeScreen) {
    static const std::vector<SpriteFrame> rows = coverFrames();
    OBJsetFrameTable(rows);
    fadeOutBlack(60);
    ObjWork* work = fadeTask->work;
    ASSERT_NE(work->draw, nullptr);
    work->draw(fadeTask, work);
    ASSERT_EQ(OBJdrawStoreCount(), 1);
    const DrawObj& entry = *OBJdrawStoreEntry(0);
    EXPECT_EQ(entry.type, kDrawSprite);
    EXPECT_EQ(entry.owner, work);
    EXPECT_EQ(entry.frameId, kFadeCoverFrame);
    EXPECT_EQ(entry.layer, kFadeCoverLayer);
    EXPECT_FLOAT_EQ(entry.scaleX, 8.0f);
    EXPECT_FLOAT_EQ(entry.scaleY, 9.0f);
    // 272 x 306 around (112, 144): beyond every edge of 224 x 288.
    EXPECT_EQ(entry.dstW, 272);
    EXPECT_EQ(entry.dstH, 306);
    EXPECT_EQ(entry.dstX, -24);
    EXPECT_EQ(entry.dstY, -9);
    EXPECT_EQ(entry.blend, 0);
    EXPECT_EQ(entry.r, 8);
    EXPECT_EQ(entry.g, 8);
    EXPECT_EQ(entry.b, 8);
    EXPECT_FLOAT_EQ(entry.alpha, 1.0f / 60.0f);

    fadeInBlack(1);  // alpha 0: nothing drawn
    work->draw(fadeTask, work);
    EXPECT_EQ(OBJdrawStoreCount(), 1);
}

TEST_F(ScreenEffectsTest, EndingPlaceholderIsReleasedOnItsThirdActAndStopsTheMusic) {
    soundLayerState().currentMusicNumber = 24;
    ASSERT_NE(TSKendingStart(), nullptr);
    const int counts[] = {1, 1, 0};
    for (int call = 0; call < 3; ++call) {
        actPass();
        EXPECT_TRUE(endingFlag);
        EXPECT_EQ(OBJtaskCountByTag(kEndingGroup, kEndi), counts[call]) << call;
    }
    EXPECT_EQ(soundLayerState().currentMusicNumber, -1);
}

TEST_F(ScreenEffectsTest, EffectsGoWithBulkReleasesAndComeBackOnTheNextStart) {
    ObjTask* control = OBJtaskCreate([](ObjTask*) {}, 0, objTag("GCTR"));
    control->flags |= kObjTaskPersistent;
    TSKquakeStart(30, 8.0f);
    fadeOutWhite(30);
    TSKendingStart();

    OBJtaskReleaseByTag(kFade);
    EXPECT_EQ(fadeTask, nullptr);
    EXPECT_NE(quakeTask, nullptr);

    OBJtaskReleaseAll(nullptr);
    EXPECT_EQ(quakeTask, nullptr);
    EXPECT_EQ(quakeOffsetX, 0);
    EXPECT_EQ(quakeOffsetY, 0);
    EXPECT_EQ(OBJtaskCountByTag(kQuakeGroup, kQuak), 0);
    EXPECT_EQ(OBJtaskCountByTag(kEndingGroup, kEndi), 0);
    EXPECT_EQ(OBJtaskGroup(0).head.next, control);  // the persistent task stays

    TSKquakeStart(5, 2.0f);
    fadeInWhite(5);
    EXPECT_EQ(OBJtaskCountByTag(kQuakeGroup, kQuak), 1);
    EXPECT_EQ(OBJtaskCountByTag(kFadeGroup, kFade), 1);
    EXPECT_FLOAT_EQ(fadeAlpha(), 0.8f);
}

TEST_F(ScreenEffectsTest, StartsDoNothingWithoutATaskOrAWorkRecord) {
    std::vector<ObjWork*> works;
    while (ObjWork* work = OBJworkNew()) works.push_back(work);
    TSKquakeStart(10, 4.0f);
    fadeOutBlack(10);
    EXPECT_EQ(quakeTask, nullptr);
    EXPECT_EQ(fadeTask, nullptr);
    EXPECT_EQ(OBJtaskCountByTag(kQuakeGroup, kQuak), 0);
    EXPECT_EQ(OBJtaskCountByTag(kFadeGroup, kFade), 0);
    for (ObjWork* work : works) OBJworkFree(work);

    while (OBJtaskCreate([](ObjTask*) {}, 20, objTag("FILL")) != nullptr) {
    }
    TSKquakeStart(10, 4.0f);
    fadeOutBlack(10);
    EXPECT_EQ(quakeTask, nullptr);
    EXPECT_EQ(fadeTask, nullptr);
}

}  // namespace
