// The scene shape: a scene built on sceneAct opens the menu frame, sees its
// start and loop labels play, leaves through the frame's end and ends once
// the frame is done; the states the act runs and releases; the work's
// motion draw.
#include "game/frontend/scene.h"

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "tests/game/frontend/menu_frame_fixture.h"

namespace {

constexpr uint32_t kSceneTestTag = objTag("TEST");
// Set by the test for the scene to leave on its next run.
bool sceneTestLeave = false;
int sceneTestRuns = 0;

void sceneTestSetUp(ObjTask* task) {
    ObjWork* work = sceneWorkNew(task, 811.0f, drawWorkMotion);
    task->release = sceneWorkFree;
    if (work != nullptr) work->motionSlot0 = menuFrameSlot;
    menuFrameOpen(1);
}

// Step 0 waits for the button, step 1 for the frame's end.
void sceneTestRun(ObjTask* task) {
    ++sceneTestRuns;
    SceneFields& fields = scene(task->work);
    ++fields.frameCounter;
    ++fields.stepCounter;
    if (fields.step == 0 && sceneTestLeave) {
        menuFrameState = kMenuFrameEnd;
        fields.step = 1;
        fields.stepCounter = 0;
    } else if (fields.step == 1 && menuFrameState == kMenuFrameDone) {
        task->state = kObjStateEnd;
    }
}

void sceneTestAct(ObjTask* task) { sceneAct(task, {sceneTestSetUp, sceneTestRun, 102}); }

class SceneTest : public MenuFrameFixture {
protected:
    void SetUp() override {
        MenuFrameFixture::SetUp();
        sceneTestRuns = 0;
        sceneTestLeave = false;
    }
};

TEST_F(SceneTest, ASceneOpensTheFrameAndEndsOnceTheFrameIsDone) {
    openSlots();
    ObjTask* task = OBJtaskCreate(sceneTestAct, kSceneGroup, kSceneTestTag);
    ASSERT_NE(task, nullptr);
    update();
    ASSERT_NE(task->work, nullptr);
    EXPECT_EQ(task->state, kObjStateRun);
    EXPECT_EQ(task->work->x, kSceneX);
    EXPECT_EQ(task->work->y, kSceneY);
    EXPECT_EQ(task->work->depth, 811.0f);
    EXPECT_EQ(menuFrameHidden, 0);
    EXPECT_EQ(labelOn(menuFrameSlot), "start");
    EXPECT_EQ(objectOn(menuFrameSlot), "othermenu");

    playThrough(menuFrameSlot);
    playThrough(menuFrameBgSlot);
    update();
    update();
    EXPECT_EQ(labelOn(menuFrameSlot), "loop");
    EXPECT_EQ(labelOn(menuFrameBgSlot), "loop");
    EXPECT_EQ(scene(task->work).frameCounter, 2);

    sceneTestLeave = true;
    update();
    EXPECT_EQ(scene(task->work).step, 1);
    EXPECT_EQ(menuFrameState, kMenuFrameWait);
    EXPECT_EQ(labelOn(menuFrameSlot), "end");
    for (int i = 0; i < 3; ++i) update();
    EXPECT_EQ(OBJtaskCountByTag(kSceneGroup, kSceneTestTag), 1) << "waits on the end label";
    playThrough(menuFrameSlot);
    for (int i = 0; i < 4 && OBJtaskCountByTag(kSceneGroup, kSceneTestTag) > 0; ++i) update();
    EXPECT_EQ(menuFrameState, kMenuFrameDone);
    EXPECT_EQ(OBJtaskCountByTag(kSceneGroup, kSceneTestTag), 0);
}

TEST_F(SceneTest, TheActRunsItsOwnStatesAndReleasesAnyOther) {
    const struct {
        int32_t state;
        uint32_t flags;
        bool runs, stays;
    } cases[] = {{100, 0, true, true},     {102, 0, true, true},     {103, 0, false, false}, {-1, 0, false, false},
                 {99, 0, false, false},    {-1, kObjTaskPersistent, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        ObjTask* task = OBJtaskCreate(sceneTestAct, kSceneGroup, kSceneTestTag);
        sceneTestAct(task);
        ASSERT_EQ(task->state, kObjStateRun);
        task->state = c.state;
        task->flags |= c.flags;
        sceneTestRuns = 0;
        sceneTestAct(task);
        EXPECT_EQ(sceneTestRuns, c.runs ? 1 : 0);
        EXPECT_EQ(OBJtaskCountByTag(kSceneGroup, kSceneTestTag), c.stays ? 1 : 0);
        if (c.stays) {
            task->flags &= ~kObjTaskPersistent;
            task->state = kObjStateEnd;
            sceneTestAct(task);
        }
        EXPECT_EQ(OBJtaskCountByTag(kSceneGroup, kSceneTestTag), 0);
    }
}

TEST_F(SceneTest, TheWorkDrawsItsFirstSlotUntintedAndOpaque) {
    openSlots();
    ObjTask* task = OBJtaskCreate(sceneTestAct, kSceneGroup, kSceneTestTag);
    sceneTestAct(task);
    SDL2_wheel_MotionSetColor(menuFrameSlot, 0x20406080u);
    SDL2_wheel_MotionSetAlpha(menuFrameSlot, 0.25f);
    OBJdrawRequestsClear();
    drawWorkMotion(task, task->work);
    ASSERT_EQ(OBJdrawRequestCount(), 1);
    const DrawObj& entry = *OBJdrawStoreEntry(0);
    EXPECT_EQ(entry.motionSlot, menuFrameSlot);
    EXPECT_EQ(entry.layer, kFrameLayer);
    EXPECT_EQ(entry.alpha, 1.0f);
    EXPECT_EQ(entry.r, 255);
    EXPECT_EQ(this->task->motionSlots.color[size_t(menuFrameSlot)], kMotionSlotNeutralColor);
    EXPECT_EQ(this->task->motionSlots.alpha[size_t(menuFrameSlot)], 1.0f);

    task->work->motionSlot0 = -1;
    OBJdrawRequestsClear();
    drawWorkMotion(task, task->work);
    EXPECT_EQ(OBJdrawRequestCount(), 0);
    task->state = kObjStateEnd;
    sceneTestAct(task);
}

}  // namespace
