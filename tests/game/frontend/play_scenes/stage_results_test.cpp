// The stage result: the bonus rate and the rated bonus, the medal and
// no-miss lines counted up and skipped, the leader line and the scene's
// course from the cover to its end.
#include "game/bosses/boss_flags.h"
#include "game/frontend/play_scenes/stage_results.h"

#include <gtest/gtest.h>

#include <cstring>

#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/frontend/front_words.h"
#include "game/frontend/scene.h"
#include "game/stages/enemies/enemy_words.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

constexpr uint32_t kStgc = objTag("STGC");

class StageResultsTest : public FighterFixture {
protected:
    void SetUp() override {
        FighterFixture::SetUp();
        trueRouteFlag = 0;
        resultLineUsed = {};
        replayHeader.category = 0;
        makeFighter();
        fighterAddScore(0);
        baseScore = fighterGetScore();
    }
    void TearDown() override {
        trueRouteFlag = 0;
        FighterFixture::TearDown();
    }
    ObjTask* startResult(int32_t stage) {
        stageNumber = stage;
        scene_ = OBJtaskCreate(TSKstageClear, 13, kStgc);
        pass();
        return scene_;
    }
    // One act pass over the scene's group, the pads as given.
    void pass(uint32_t pressed = 0) {
        padPressed = pressed;
        OBJtaskWalk(13, [](ObjTask* t) {
            if (t->act) t->act(t);
        });
        padPressed = 0;
    }
    SceneFields& fields() const { return scene(scene_->work); }
    void setMedals(int32_t m100, int32_t m300, int32_t m1000, int32_t m5000, int32_t noMiss) {
        FighterFields& fighterFields = f();
        fighterFields.medals[0] = m100;
        fighterFields.medals[1] = m300;
        fighterFields.medals[2] = m1000;
        fighterFields.medals[3] = m5000;
        fighterFields.stageNoMiss = noMiss;
    }
    uint64_t gained() const { return fighterGetScore() - baseScore; }

    ObjTask* scene_ = nullptr;
    uint64_t baseScore = 0;
};

TEST(StageResultsBonus, RatesAPointsLineDownToTen) {
    EXPECT_EQ(resultRatedBonus(7 * 300, 15), 3150u);
    EXPECT_EQ(resultRatedBonus(100, 12), 120u);
    EXPECT_EQ(resultRatedBonus(100, 13), 130u);
    EXPECT_EQ(resultRatedBonus(1, 30), 0u);
    EXPECT_EQ(resultRatedBonus(0, 30), 0u);
}

struct RateCase {
    int32_t code;
    int32_t mode;
    uint8_t trueRoute;
    int32_t category;
    int32_t misses;
    int32_t rate;
};

TEST_F(StageResultsTest, BonusRateByPlayKindModeAndMisses) {
    const RateCase cases[] = {
        {0, 0, 0, 0, 0, 12}, {0, 0, 0, 0, 1, 11}, {0, 1, 0, 0, 0, 15}, {0, 1, 0, 0, 9, 10},
        {0, 2, 0, 0, 0, 20}, {0, 3, 0, 0, 8, 10}, {0, 3, 0, 0, 3, 14}, {0, 2, 1, 0, 0, 30},
        {0, 3, 1, 0, 2, 26}, {2, 0, 0, 0, 0, 30}, {2, 3, 1, 0, 3, 21}, {6, 1, 0, 4, 1, 27},
        {6, 1, 0, 3, 1, 14}, {0, 7, 0, 0, 0, 10},
    };
    for (const RateCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.mode << " " << int(c.trueRoute) << " " << c.misses);
        menuResultCode = c.code;
        gameMode = c.mode;
        trueRouteFlag = c.trueRoute;
        replayHeader.category = c.category;
        f().misses = c.misses;
        EXPECT_EQ(resultBonusRate(), c.rate);
    }
}

TEST_F(StageResultsTest, StageZeroCoversReleasesTheStageAndEndsWithoutResults) {
    startResult(0);
    EXPECT_EQ(stageResultActive, 1);
    int frames = 0;
    while (OBJtaskCountByTag(13, kStgc) > 0 && frames < 200) {
        pass();
        ++frames;
    }
    EXPECT_EQ(OBJtaskCountByTag(13, kStgc), 0);
    EXPECT_LT(frames, 40);
    EXPECT_EQ(stageResultActive, 0);
    EXPECT_EQ(gained(), 0u);
    EXPECT_EQ(fadeTask != nullptr ? fadeTask->work->r : 0, 8);
}

TEST_F(StageResultsTest, ACountOfZeroTicksOnceAndAddsNothing) {
    setMedals(0, 0, 0, 0, 0);
    startResult(2);
    fields().step = 5;
    fields().stepCounter = 59;
    pass();
    ASSERT_EQ(fields().step, 6);
    pass();
    EXPECT_EQ(fields().step, 8);  // line 2 cleared in the same frame
    EXPECT_EQ(resultShown[0], 0u);
    EXPECT_EQ(gained(), 0u);
}

TEST_F(StageResultsTest, ALineCountsUpInAboutSixtyFramesAndAddsItsRatedBonus) {
    setMedals(120, 0, 0, 0, 0);
    gameMode = 1;  // x1.5
    startResult(1);
    fields().step = 6;
    int frames = 0;
    while (fields().step == 6 && frames < 100) {
        pass();
        ++frames;
    }
    EXPECT_EQ(frames, 61);
    EXPECT_EQ(resultShown[0], 120u);
    EXPECT_EQ(resultPoints[0], 12000u);
    EXPECT_EQ(gained(), 18000u);
}

TEST_F(StageResultsTest, ASkipFillsOneLineAFrameAndAddsEveryBonus) {
    setMedals(10, 7, 3, 2, 1);
    gameMode = 2;  // x2.0
    startResult(3);
    fields().step = 6;
    resultSkip = 1;
    const int32_t after[] = {8, 10, 12, 14, 22};
    const uint64_t bonus[] = {2000, 4200, 6000, 20000, 6000000};
    uint64_t total = 0;
    for (int k = 0; k < 5; ++k) {
        pass();
        total += bonus[k];
        EXPECT_EQ(fields().step, after[k]) << k;
        EXPECT_EQ(gained(), total) << k;
    }
    EXPECT_EQ(resultNoMissShown, 3u);
    EXPECT_EQ(resultNoMissPoints, 3000000u);
}

TEST_F(StageResultsTest, WithAMissTheNoMissLineIsLeftOut) {
    setMedals(0, 0, 0, 1, 0);
    startResult(4);
    fields().step = 12;
    resultSkip = 1;
    pass();
    EXPECT_EQ(fields().step, 22);
}

TEST_F(StageResultsTest, ButtonOneSkipsOnlyFromTheFifthStep) {
    startResult(1);
    fields().step = 3;
    pass(0x10);
    EXPECT_EQ(resultSkip, 0);
    fields().step = 5;
    pass(0x10);
    EXPECT_EQ(resultSkip, 1);
}

TEST_F(StageResultsTest, LeaderLinesAreNotRepeatedInAPlay) {
    for (int k = 0; k < 15; ++k) {
        startResult(1);
        EXPECT_EQ(resultLineUsed[size_t(resultLineIndex)], 1);
        EXPECT_LT(resultLineIndex, 15);
        OBJtaskRelease(scene_);
    }
    int used = 0;
    for (int k = 0; k < 15; ++k) used += resultLineUsed[size_t(k)];
    EXPECT_EQ(used, 15);
    startResult(5);
    EXPECT_GE(resultLineIndex, 20);
    OBJtaskRelease(scene_);
    EXPECT_EQ(stageResultActive, 0);
}

// A replay started at a later stage knows nothing of the lines shown before:
// the generator must come out of a result alike either way.
TEST_F(StageResultsTest, TheLineTakesTheSameDrawsWhateverWasShownBefore) {
    uint32_t after[2] = {};
    for (int shownBefore = 0; shownBefore < 2; ++shownBefore) {
        resultLineUsed = {};
        if (shownBefore == 1) {
            for (int k = 0; k < 14; ++k) resultLineUsed[size_t(k)] = 1;
        }
        gameRandSeed(77);
        startResult(2);
        after[shownBefore] = gameRandState();
        if (shownBefore == 1) EXPECT_EQ(resultLineIndex, 14);
        OBJtaskRelease(scene_);
    }
    EXPECT_EQ(after[0], after[1]);
}

TEST(StageResultsVoices, LeaderLineVoicesSkipOneIdOfTypeB) {
    EXPECT_EQ(resultLineVoice(0, 0), 311);
    EXPECT_EQ(resultLineVoice(0, 24), 335);
    EXPECT_EQ(resultLineVoice(1, 15), 481);
    EXPECT_EQ(resultLineVoice(1, 16), 483);
    EXPECT_EQ(resultLineVoice(1, 24), 491);
    EXPECT_EQ(resultLineVoice(2, 24), 646);
    EXPECT_EQ(resultLineVoice(3, 0), 775);
}

TEST(StageResultsLines, EachTypeHas25LinesAndNothingOutsideTheTable) {
    for (int32_t type = 0; type < kFrontWordTypes; ++type) {
        for (int32_t line = 0; line < kLeaderLineSlots; ++line) {
            EXPECT_EQ(std::strlen(leaderLine(type, line)) > 0, line < kLeaderLinesUsed) << type << " " << line;
            EXPECT_EQ(leaderLine(type, line), leaderLineTable[type][line]);
        }
        for (int32_t pick = 0; pick < kPartingLineCount; ++pick) EXPECT_GT(std::strlen(partingLine(type, pick)), 0u);
        EXPECT_STREQ(partingLine(type, kPartingLineCount), "");
    }
    EXPECT_STREQ(leaderLine(4, 0), "");
    EXPECT_STREQ(leaderLine(-1, 0), "");
    EXPECT_STREQ(leaderLine(0, kLeaderLineSlots), "");
    EXPECT_STREQ(partingLine(0, -1), "");
    EXPECT_EQ(sizeof leaderLineTable, 51200u);
    EXPECT_EQ(sizeof partingLineTable, 10240u);
}

TEST_F(StageResultsTest, AClearedStageRunsToItsEndWithTheBonusAdded) {
    setMedals(5, 0, 0, 0, 1);
    gameMode = 2;
    startResult(1);
    int frames = 0;
    while (OBJtaskCountByTag(13, kStgc) > 0 && frames < 2000) {
        pass();
        ++frames;
    }
    EXPECT_EQ(OBJtaskCountByTag(13, kStgc), 0);
    EXPECT_GT(frames, 720);
    EXPECT_EQ(stageResultActive, 0);
    EXPECT_EQ(gained(), 1000u + 2000000u);
}

}  // namespace
