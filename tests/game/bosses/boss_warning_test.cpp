// The WARNING (kind 134), the stage-2 boss-intro visual (kind 124) and the
// markers (kinds 130 to 133) over motions of known label lengths: labels,
// voice, the fighter's control and hold word, the warning sound's beat, a
// WARNING without its motion, the marker after the stage clear and the
// visual's change from "start" to "loop".
#include <gtest/gtest.h>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_warning.h"
#include "game/core/game_main.h"
#include "game/core/motion_wrappers.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
#include "platform/arcade/cabinet.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

constexpr int kWarningStage = 400, kWarningTrueBoss = 200, kVisualStart = 25, kVisualLoop = 40;

class BossWarningTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        voiceMessageReset();
        trueRouteFlag = 0;
        attractMode = 0;
        task->layers[420] = &warningLayer;
        task->layers[910] = &trueBossLayer;
    }
    void TearDown() override {
        trueRouteFlag = 0;
        attractMode = 0;
        arcade::cabinet().advertiseSound = true;
        OBJtaskReleaseAll(nullptr);  // the motions leave their layers first
        task->layers[420] = task->layers[910] = nullptr;
        BossFixture::TearDown();
    }
    static void cacheWarning() {
        cacheBossMotion("warning", {{"warning",
                                     {{"stage1", kWarningStage},
                                      {"stage3", kWarningStage},
                                      {"stage5_2", kWarningTrueBoss}},
                                     {}}});
    }
    // The frames (by age) on which the warning sound was asked.
    std::vector<int> soundAges(ObjTask* warning, int frames) {
        std::vector<int> ages;
        for (int f = 0; f < frames && warning->state == kObjStateRun; ++f) {
            runFrame(warning);
            if (soundLayerState().soundGuard[4] != 0) ages.push_back(f);
        }
        return ages;
    }
    M2DCameraLocator warningLayer, trueBossLayer;
};

TEST_F(BossWarningTest, StageAndTrueBossWarnings) {
    cacheWarning();
    const struct {
        int32_t stage;
        uint8_t trueRoute;
        const char* label;
        int32_t line;
        float depth;
        int frames;
        bool controls;
    } cases[] = {{3, 0, "stage3", 2, 420.0f, kWarningStage, true},
                 {1, 0, "stage1", 0, 420.0f, kWarningStage, true},
                 {5, 1, "stage5_2", 5, 910.0f, kWarningTrueBoss, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        makeFighter();
        fighterAddGauge(0, kFighterGaugeFull, 0);  // speaker 4 talks once a gauge is full
        fighterSetControl(1);
        voiceMessageReset();
        stageNumber = c.stage;
        trueRouteFlag = c.trueRoute;
        ObjTask* warning = spawnBoss(134, 112.0f, 50.0f);
        ASSERT_NE(warning, nullptr);
        EXPECT_FLOAT_EQ(warning->work->depth, c.depth);
        EXPECT_FLOAT_EQ(warning->work->alpha, 0.0f);
        runFrame(warning);
        const int32_t slot = warning->work->motionSlot0;
        EXPECT_EQ(SDL2_wheel_MotionGetName(slot), c.label);
        EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), int32_t(c.depth));
        EXPECT_FLOAT_EQ(warning->work->x, 112.0f);
        EXPECT_FLOAT_EQ(warning->work->y, 136.0f);
        EXPECT_EQ(voiceMessageState().speaker, kVoiceSpeaker4);
        EXPECT_EQ(voiceMessageState().event, 0);
        EXPECT_EQ(voiceMessageState().line, c.line);
        EXPECT_EQ(fighterGetControl(), c.controls ? 0 : 1) << "the fighter waits only before a stage boss";
        EXPECT_EQ(fighterGetHold(), 10);
        runFrames(warning, c.frames - 2);
        EXPECT_EQ(warning->state, kObjStateRun) << "the label plays through";
        EXPECT_EQ(fighterGetControl(), c.controls ? 0 : 1);
        runFrame(warning);
        EXPECT_EQ(warning->state, kObjStateEnd) << "ends as its count reaches the length";
        EXPECT_EQ(fighterGetControl(), 1);
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

TEST_F(BossWarningTest, WithoutItsMotionEndsOnTheFirstFrameYetSounds) {
    makeFighter();
    fighterSetControl(1);
    stageNumber = 2;
    ObjTask* warning = spawnBoss(134, 112.0f, 50.0f);
    ASSERT_NE(warning, nullptr);
    EXPECT_LT(warning->work->motionSlot0, 0);
    runFrame(warning);
    EXPECT_EQ(warning->state, kObjStateEnd);
    EXPECT_EQ(soundLayerState().soundGuard[4], 1) << "the sound at age 0";
    EXPECT_EQ(voiceMessageState().speaker, -1) << "no label, no voice";
    EXPECT_EQ(fighterGetControl(), 1) << "taken and given back in the same frame";
}

TEST_F(BossWarningTest, TheSoundBeatsEvery160FramesWhileItPlays) {
    cacheWarning();
    stageNumber = 3;
    ObjTask* warning = spawnBoss(134, 112.0f, 50.0f);
    EXPECT_EQ(soundAges(warning, 1000), (std::vector<int>{0, 160, 320}));
}

TEST_F(BossWarningTest, TheSoundKeepsTheAttractRuleAndItsGuard) {
    cacheWarning();
    stageNumber = 3;
    attractMode = 1;
    arcade::cabinet().advertiseSound = false;
    ObjTask* warning = spawnBoss(134, 112.0f, 50.0f);
    EXPECT_TRUE(soundAges(warning, 400).empty());
    OBJtaskReleaseAll(nullptr);
    OBJtaskPoolInit();
    arcade::cabinet().advertiseSound = true;
    warning = spawnBoss(134, 112.0f, 50.0f);
    EXPECT_EQ(soundAges(warning, 400), (std::vector<int>{0, 160, 320})) << "attract with its sound on";
    OBJtaskReleaseAll(nullptr);
    OBJtaskPoolInit();
    attractMode = 0;
    warning = spawnBoss(134, 112.0f, 50.0f);
    soundLayerState().soundGuard[4] = 3;
    warning->act(warning);
    EXPECT_EQ(soundLayerState().soundGuard[4], 3) << "a running guard holds the sound back";
}

class EmptyEffectTest : public BossFixture {};

TEST_F(EmptyEffectTest, LivesOnItsScriptUnlessTheStageIsClear) {
    for (int32_t kind : {130, 131, 132, 133}) {
        stageClearFlag = 0;
        ObjTask* marker = spawnBoss(kind, 112.0f, 100.0f);
        ASSERT_NE(marker, nullptr) << kind;
        EXPECT_EQ(marker->work->draw, nullptr);
        EXPECT_EQ(marker->work->hit, nullptr);
        EXPECT_FLOAT_EQ(marker->work->depth, 420.0f);
        runFrames(marker, 50);
        EXPECT_EQ(marker->state, kObjStateRun);
        EXPECT_EQ(marker->work->age, 50);
        stageClearFlag = 1;
        ObjTask* late = spawnBoss(kind, 112.0f, 100.0f);
        runFrame(late);
        EXPECT_EQ(late->state, kObjStateEnd) << "one frame after the stage clear";
        runFrame(marker);
        EXPECT_EQ(marker->state, kObjStateRun) << "only the first frame looks";
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }
}

class St2bossvisualTest : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        task->layers[10] = &visualLayer;
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        task->layers[10] = nullptr;
        BossFixture::TearDown();
    }
    M2DCameraLocator visualLayer;
};

TEST_F(St2bossvisualTest, StartOnceThenLoop) {
    cacheBossMotion("st2bossvisual", {{"anime_1", {{"start", kVisualStart}, {"loop", kVisualLoop}}, {}}});
    bossVisualFlag = 0;
    ObjTask* visual = spawnBoss(124, 50.0f, 60.0f);
    ASSERT_NE(visual, nullptr);
    EXPECT_EQ(bossVisualFlag, 1);
    EXPECT_FLOAT_EQ(visual->work->depth, 10.0f);
    const int32_t slot = visual->work->motionSlot0;
    ASSERT_GE(slot, 0);
    runFrame(visual);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "start");
    EXPECT_FLOAT_EQ(visual->work->x, 112.0f);
    EXPECT_FLOAT_EQ(visual->work->y, 144.0f);
    runFrames(visual, kVisualStart - 2);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "start");
    runFrame(visual);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "loop") << "on the frame the count reaches start's length";
    runFrames(visual, 3 * kVisualLoop);
    EXPECT_EQ(SDL2_wheel_MotionGetName(slot), "loop");
    EXPECT_EQ(visual->state, kObjStateRun);
}

TEST_F(St2bossvisualTest, WithoutItsMotionItStillLives) {
    ObjTask* visual = spawnBoss(124);
    ASSERT_NE(visual, nullptr);
    runFrames(visual, 10);
    EXPECT_EQ(visual->state, kObjStateRun);
    EXPECT_EQ(visual->work->age, 10);
}

}  // namespace
