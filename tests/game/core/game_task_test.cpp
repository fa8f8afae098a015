// The root task's frame step without the boot's display, over the platform
// glue and a stand-in cabinet: the platform's exit request raises the
// engine's close request once and stops the game's frame; a fresh press of
// the exit button ends the game once.
#include "game/core/game_task.h"

#include <gtest/gtest.h>

#include "engine/app/app_events.h"
#include "engine/input/input.h"
#include "engine/input/input_map.h"
#include "game/core/app_switches.h"
#include "game/core/obj_task.h"
#include "game/core/platform_singletons.h"
#include "tests/game/core/glue_fixture.h"

namespace {

// The real platform glue over a stand-in cabinet.
class GameTaskTest : public GlueFixture {
protected:
    void SetUp() override {
        GlueFixture::SetUp();
        start();
        clearAppEvents();
        exitHandled = false;
        // The frame step runs the game's update over the object pool, which
        // the boot step would have emptied.
        OBJtaskPoolInit();
    }
    void TearDown() override {
        clearAppEvents();
        GlueFixture::TearDown();
    }
};

TEST_F(GameTaskTest, StartsAtTheBootStepWithTheSoundDefaults) {
    GameTask task;
    EXPECT_EQ(task.currentStep(), &GameTask::OBJgameInitDrawObj);
    EXPECT_EQ(task.soundVolume[0], 100);
    EXPECT_EQ(task.soundVolume[GameTask::kSoundIds - 1], 100);
    EXPECT_EQ(task.musicSound, -1);
    EXPECT_EQ(task.currentMusic, -1);
}

TEST_F(GameTaskTest, ThePlatformExitRequestRaisesCloseOnce) {
    GameTask task;
    cab->error = true;  // the platform's error state ends the game
    task.stepMain();
    EXPECT_EQ(cab->exitGameCalls, std::vector<int32_t>{0});
    EXPECT_TRUE(readAppEvent(MAppEvent::CloseRequested));
    EXPECT_TRUE(exitHandled);
    writeAppEvent(MAppEvent::CloseRequested, false);
    task.stepMain();
    task.stepMain();
    EXPECT_FALSE(readAppEvent(MAppEvent::CloseRequested));
    EXPECT_EQ(cab->exitGameCalls, std::vector<int32_t>{0});
}

TEST_F(GameTaskTest, OnlyAFreshPressOfTheExitButtonEndsTheGame) {
    GameTask task;
    MInput input;
    task.input = &input;
    task.stepMain();
    EXPECT_FALSE(readAppEvent(MAppEvent::CloseRequested));

    input.buttons = kInputExit;
    task.stepMain();
    EXPECT_TRUE(readAppEvent(MAppEvent::CloseRequested));
    writeAppEvent(MAppEvent::CloseRequested, false);

    input.previousButtons = kInputExit;  // held
    task.stepMain();
    EXPECT_FALSE(readAppEvent(MAppEvent::CloseRequested));
    EXPECT_FALSE(exitHandled);
}

}  // namespace
