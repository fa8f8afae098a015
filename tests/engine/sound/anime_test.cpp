// MAnime's step arithmetic on a recording animation: steps, the index each
// update applies, the frame delta, repeats, holding and easing.
#include "engine/sound/anime.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/task/looper.h"

namespace {

constexpr int32_t kNone = -2;

class RecordingAnime final : public MAnime {
public:
    using MAnime::MAnime;
    // What each update applied: one index, kNone, or (on a repeat's wrap) the
    // last of several.
    std::vector<int32_t> run(int maxUpdates = 1000) {
        std::vector<int32_t> perUpdate;
        while (getState() == kRunning && int(perUpdate.size()) < maxUpdates) {
            applied_ = kNone;
            update();
            perUpdate.push_back(applied_);
        }
        return perUpdate;
    }

protected:
    void apply(int32_t index) override { applied_ = index; }

private:
    int32_t applied_ = kNone;
};

class AnimeTest : public testing::Test {
protected:
    MLooper looper_;
};

TEST_F(AnimeTest, SixteenStepsAFrameOrOneForNoFrames) {
    struct Case {
        uint32_t frames, steps;
    };
    for (const Case& c : {Case{60, 960}, Case{1, 16}, Case{0, 1}, Case{3, 48}})
        EXPECT_EQ(RecordingAnime(c.frames).steps(), c.steps) << c.frames;
}

TEST_F(AnimeTest, SixtyFramesApplyAStepEachFrameEndingOnTheLast) {
    RecordingAnime anime(60);
    const std::vector<int32_t> applied = anime.run();
    ASSERT_EQ(applied.size(), 60u);
    // The start value (step 0) is never applied: the first update is a frame in.
    EXPECT_EQ(applied.front(), 15);
    EXPECT_EQ(applied[1], 31);
    EXPECT_EQ(applied.back(), 959);
    for (size_t k = 0; k < applied.size(); ++k) EXPECT_EQ(applied[k], int32_t(959 * (k + 1) / 60));
    EXPECT_EQ(anime.getState(), MTask::kFinished);
}

TEST_F(AnimeTest, NoFramesAppliesTheLastStepAtOnce) {
    RecordingAnime anime(0);
    EXPECT_EQ(anime.run(), std::vector<int32_t>{0});
}

TEST_F(AnimeTest, ALongerFrameDeltaTakesBiggerSteps) {
    looper_.setIntegerStep(2);
    RecordingAnime anime(60);
    const std::vector<int32_t> applied = anime.run();
    ASSERT_EQ(applied.size(), 30u);
    EXPECT_EQ(applied.front(), 31);
    EXPECT_EQ(applied.back(), 959);
}

TEST_F(AnimeTest, HoldAtEndFinishesOneUpdateLater) {
    RecordingAnime anime(2);
    anime.setHoldAtEnd(true);
    EXPECT_EQ(anime.run(), (std::vector<int32_t>{15, 31, kNone}));
}

TEST_F(AnimeTest, ARepeatWrapsToStepZeroAndRunsAgain) {
    RecordingAnime anime(2);
    anime.setRepeatCount(2);
    EXPECT_EQ(anime.run(), (std::vector<int32_t>{15, 0, 15, 31}));

    RecordingAnime forever(2);
    forever.setRepeatCount(-1);
    EXPECT_EQ(forever.run(6), (std::vector<int32_t>{15, 0, 15, 0, 15, 0}));
    EXPECT_EQ(forever.getState(), MTask::kRunning);
}

TEST_F(AnimeTest, EasedIndicesStayInRangeAndNeverGoBack) {
    struct Case {
        int32_t easing;
        int direction;  // at mid-time: below (-1), on (0) or above (+1) the linear index
    };
    for (const Case& c : {Case{0, 0}, Case{1, -1}, Case{3, -1}, Case{-1, 1}, Case{-3, 1}}) {
        RecordingAnime anime(20);
        anime.setEasing(c.easing);
        const std::vector<int32_t> applied = anime.run();
        int32_t previous = -1;
        for (int32_t index : applied) {
            if (index == kNone) continue;
            EXPECT_GE(index, previous) << c.easing;
            EXPECT_LE(index, 319) << c.easing;
            previous = index;
        }
        ASSERT_EQ(applied.size(), 20u);
        const int32_t mid = applied[9];  // linear: 319 * 10 / 20 = 159
        EXPECT_EQ(mid < 159 ? -1 : mid > 159 ? 1 : 0, c.direction) << c.easing;
    }
    for (int32_t easing : {11, 13, -11, -13}) {
        RecordingAnime anime(20);
        anime.setEasing(easing);
        const std::vector<int32_t> applied = anime.run();
        int32_t reached = -1;  // the index in force after each update
        for (size_t k = 0; k < applied.size(); ++k) {
            if (applied[k] != kNone) {
                EXPECT_GE(applied[k], reached) << easing;
                reached = applied[k];
            }
            if (k == 9) {
                EXPECT_NEAR(reached, 159, 4) << easing;  // the halves meet mid-way
            }
        }
    }
}

}  // namespace
