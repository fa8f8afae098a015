// A story play through the sequence: the result of stage 5 goes on into the
// endings and the roll, and the sequence then closes the play as after any
// last stage.
#include "game/frontend/ending/ending.h"

#include <string>
#include <vector>

#include "engine/motion/motion.h"
#include "game/core/psb_cache.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr uint32_t kLastResultTag = objTag("STGC");

class EndingSequenceTest : public SequenceTest {
protected:
    void TearDown() override {
        GameTask::getInstance()->releaseLeftoverMotionSlots();
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        SequenceTest::TearDown();
    }

    // From boot through the title and the selections to the prologue.
    void playFromTheTitle() {
        boot();
        ASSERT_TRUE(runTo(201, 1000));
        ASSERT_NO_FATAL_FAILURE(loginAtTitle());
        ASSERT_TRUE(runTo(3161));
        decideSelection(3161);
        ASSERT_TRUE(runTo(3171));
        decideSelection(3171);
        for (int32_t wait : {251, 271}) {
            ASSERT_TRUE(runTo(wait));
            decideSelection(wait);
        }
        ASSERT_TRUE(runTo(302));
    }

    static void cacheFile(const std::string& key, const std::vector<std::pair<std::string, std::string>>& labels) {
        psbwriter::motion::Document d = motionfixture::document(key, "src", {"frame"}, labels[0].first, {});
        for (const auto& [object, label] : labels) {
            d.objects[object].motions[label] = motionfixture::spriteTimeline("src", "frame");
        }
        psbCache()[key] = motionfixture::load(d).release();
    }
    // The motion files of the last stage's result and of the endings.
    static void cacheLastStageFiles() {
        std::vector<std::pair<std::string, std::string>> clear;
        for (const char* label : {"start_A", "start_B", "start_C", "start_D", "end_st5", "loop_st5"}) {
            clear.emplace_back("clear", label);
        }
        cacheFile("clear", clear);
        cacheFile("result1", {{"result1", "start"}, {"result1", "loop"}, {"result1", "end"}});
        cacheFile("ending_first", {{"ending_first", "normal"}});
        cacheFile("ending_last", {{"ending_last", "type_a"}});
    }

    // A frame whose playing motions then stand on their last frame, so each
    // label plays through in a frame.
    void motionFrame() {
        frame();
        GameTask* root = GameTask::getInstance();
        for (int32_t slot = 0; slot < MotionSlotTable::kSlots; ++slot) {
            MMotion* motion = root->slotMotion(slot);
            if (motion != nullptr && root->motionSlots.paused[size_t(slot)] == 0) motion->setTime(motion->lastTime());
        }
    }
    static int32_t resultStep() {
        int32_t step = -1;
        OBJtaskWalk(13, [&step](ObjTask* task) {
            if (task->act == TSKstageClear && task->work != nullptr) step = scene(task->work).step;
        });
        return step;
    }
    // Frames with the motions run through until the result is at the step.
    bool runResultTo(int32_t step, int maxFrames) {
        for (int i = 0; i < maxFrames && resultStep() != step; ++i) motionFrame();
        return resultStep() == step;
    }
};

TEST_F(EndingSequenceTest, TheLastStageOfAStoryPlayEndsThroughTheEndingsAndTheRoll) {
    playFromTheTitle();
    ASSERT_TRUE(runTo(401, 400));
    leaveStageResult();
    // After the prologue: the assist and leader selections.
    for (int32_t wait : {261, 276}) {
        ASSERT_TRUE(runTo(wait));
        decideSelection(wait);
    }
    for (int32_t stage = 1; stage < 5; ++stage) {
        ASSERT_TRUE(runTo(401, 400));
        leaveStageResult();
        ASSERT_TRUE(runTo(302));
    }
    ASSERT_EQ(stageNumber, 5);
    EXPECT_EQ(endingReached, 0);
    cacheLastStageFiles();
    ASSERT_TRUE(runTo(401, 400));
    ASSERT_TRUE(runResultTo(26, 2000)) << resultStep();
    EXPECT_EQ(endingReached, 1);
    EXPECT_EQ(fighterGetWork()->visible, 0);
    ASSERT_TRUE(runResultTo(kEndingRollStep, 20)) << resultStep();
    motionFrame();
    pressStart();
    for (int i = 0; i < 5 && OBJtaskCountByTag(13, kLastResultTag) > 0; ++i) frame();
    EXPECT_EQ(OBJtaskCountByTag(13, kLastResultTag), 0);
    ASSERT_TRUE(runTo(451));
    EXPECT_EQ(stageNumber, 6);
    EXPECT_EQ(playFinished, 1);
}

}  // namespace
