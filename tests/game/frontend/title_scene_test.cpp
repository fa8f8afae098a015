// The title: the time-out to the attract demo, button 1 without a credit on
// the arcade platform, the login begun and ended (a refused play waits
// again, a cancelled login restarts the time-out) and the login cursor.
#include "game/frontend/title_scene.h"

#include "game/core/app_switches.h"
#include "game/core/motion_wrappers.h"
#include "game/core/play_state.h"
#include "game/frontend/menu_cursor.h"
#include "tests/game/frontend/scene_task_fixture.h"

namespace {

constexpr uint32_t kTitleTestTag = objTag("TITL");
constexpr uint32_t kTitleTestButtonOne = 0x10;
constexpr uint32_t kTitleTestRight = 0x8;

class TitleSceneTest : public SceneTaskFixture {
protected:
    void SetUp() override {
        SceneTaskFixture::SetUp();
        gamePhase = 0;
        playIsRecorded = 0;
    }
    void create() {
        title = OBJtaskCreate(TSKtitle, 13, kTitleTestTag);
        ASSERT_NE(title, nullptr);
        pass();
        ASSERT_EQ(gamePhase, 1);
    }
    int32_t waited() const { return title->actWords[kTitleFrames]; }
    // From waiting, through "don't use the card" to the start screen.
    void toStartScreen() {
        pass(kTitleTestButtonOne);
        ASSERT_EQ(title->state, kTitleLogin);
        pass();
        ASSERT_EQ(cardProfile.loginState, 2);
        ASSERT_EQ(cardProfile.loginCursor, 1);
        pass(kTitleTestButtonOne);
        ASSERT_EQ(cardProfile.loginState, 15);
    }

    ObjTask* title = nullptr;
};

TEST_F(TitleSceneTest, WithoutInputTheDemoTakesOverAfter1560Frames) {
    create();
    EXPECT_EQ(playIsRecorded, 1);
    EXPECT_EQ(titleTextCountdown, kTitleTextFrames);
    passes(kTitleTimeOut);
    EXPECT_EQ(gamePhase, 1);
    EXPECT_EQ(title->state, kObjStateRun);
    EXPECT_EQ(titleTextCountdown, 0);
    pass();
    EXPECT_EQ(gamePhase, 5);
    EXPECT_EQ(title->state, kTitleLeave);
    pass();
    EXPECT_EQ(title->state, kTitleFade);
    passes(30);
    EXPECT_EQ(title->state, kObjStateEnd);
    pass();
    EXPECT_EQ(OBJtaskCountByTag(13, kTitleTestTag), 0);
}

TEST_F(TitleSceneTest, ArcadeButtonOneWithoutACreditStartsTheDemo) {
    arcadeMode = true;
    // While "start" plays: at once.
    cacheMotion("qv_title", "qv_title", {"start", "loop"}, 200.0f);
    create();
    pass(kTitleTestButtonOne);
    EXPECT_EQ(gamePhase, 5);
    EXPECT_EQ(title->state, kTitleLeave);
    OBJtaskReleaseByTag(kTitleTestTag);
    pass();

    // Once the loop plays: only after the 60th waiting frame.
    cacheMotion("qv_title", "qv_title", {"start", "loop"}, 200.0f);
    create();
    setMotionFrame(title->work->motionSlot0, 200.0f);
    passes(2);  // the end counted, then the loop
    ASSERT_EQ(title->actWords[kTitleLoopStarted], 1);
    EXPECT_EQ(SDL2_wheel_MotionGetName(title->work->motionSlot0), "loop");
    while (waited() < kTitleDemoButtonFrames - 1) pass();
    pass(kTitleTestButtonOne);
    EXPECT_EQ(gamePhase, 1);
    EXPECT_EQ(title->state, kObjStateRun);
    pass(kTitleTestButtonOne);
    EXPECT_EQ(gamePhase, 5);
}

TEST_F(TitleSceneTest, ARefusedPlayWaitsAgainAndAnAcceptedOneStarts) {
    cabinet->queueAnswers("begin-play", {false});
    create();
    toStartScreen();
    pass(kTitleTestButtonOne);
    EXPECT_EQ(title->state, kTitleBeginPlay);
    EXPECT_EQ(cardProfile.loginState, 0);
    pass();
    EXPECT_EQ(title->state, kObjStateRun);
    EXPECT_EQ(gamePhase, 1);
    EXPECT_EQ(attractMode, 1);

    toStartScreen();
    pass(kTitleTestButtonOne);
    pass();
    EXPECT_EQ(gamePhase, 2);
    EXPECT_EQ(title->state, kTitleLeave);
    ASSERT_EQ(cabinet->sequenceCalls.size(), 2u);
    EXPECT_FALSE(cabinet->sequenceCalls[0].answer);
    EXPECT_TRUE(cabinet->sequenceCalls[1].answer);
    EXPECT_EQ(cabinet->sequenceCalls[1].args, (std::vector<int32_t>{1, kTitleBeginPlayKind, 0, 1}));
}

TEST_F(TitleSceneTest, ACancelledLoginRestartsTheTimeOut) {
    create();
    passes(1000);
    toStartScreen();
    pass(kTitleTestRight);
    EXPECT_EQ(cardProfile.loginCursor, 1);
    pass(kTitleTestButtonOne);
    EXPECT_EQ(title->state, kObjStateRun);
    EXPECT_EQ(cardProfile.loginState, 0);
    EXPECT_EQ(waited(), 0);
    EXPECT_EQ(attractMode, 1);
    passes(kTitleTimeOut);
    EXPECT_EQ(gamePhase, 1);
    pass();
    EXPECT_EQ(gamePhase, 5);
}

TEST_F(TitleSceneTest, TheCursorFollowsTheLoginChoice) {
    create();
    pass(kTitleTestButtonOne);
    pass();
    ASSERT_EQ(cardProfile.loginState, 2);
    EXPECT_EQ(menuCursor.targetLeftX, 960.0f);
    EXPECT_EQ(menuCursor.targetLeftY, 540.0f);
    pass(kTitleTestButtonOne);
    ASSERT_EQ(cardProfile.loginState, 15);
    EXPECT_EQ(menuCursor.targetLeftX, 730.0f);
    EXPECT_EQ(menuCursor.targetRightY, 700.0f);
}

}  // namespace
