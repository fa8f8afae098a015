// The countdown selections: the countdown deciding the profile's choice,
// the input locks, the wrapping choice, the decisions' globals and the
// return to menu away from the arcade platform only.
#include "game/frontend/play_scenes/countdown_select.h"

#include <gtest/gtest.h>

#include "game/core/app_switches.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/play_state.h"
#include "game/frontend/menu_frame.h"
#include "game/records/card_profile.h"
#include "game/records/play_selection.h"

namespace {

constexpr uint32_t kUp = 0x1, kDown = 0x2, kLeft = 0x4, kButtonOne = 0x10, kReturn = 0x200;

class SelectionsTest : public testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        cardProfile = CardProfile{};
        CloseMenuFrame();
        arcadeMode = true;
        menuResultCode = 0;
        setGameMode(0);
        setAutoGameSystem(0);
        setDramaticMode(0);
    }
    void TearDown() override {
        OBJtaskPoolInit();
        cardProfile = CardProfile{};
        CloseMenuFrame();
        arcadeMode = true;
    }
    ObjTask* start(ObjTaskFn act, uint32_t tag) {
        tag_ = tag;
        task = OBJtaskCreate(act, 13, tag);
        pass();
        return task;
    }
    void pass(uint32_t pressed = 0) {
        padPressed = pressed;
        OBJtaskWalk(13, [](ObjTask* t) {
            if (t->act) t->act(t);
        });
        menuFrameUpdate();
        padPressed = 0;
    }
    bool alive() const { return OBJtaskCountByTag(13, tag_) > 0; }
    int32_t step() const { return task->actWords[kCountdownStepWord]; }
    // Passes until the screen is gone; the count taken.
    int runOut(int limit) {
        int n = 0;
        while (alive() && n < limit) {
            pass();
            ++n;
        }
        return n;
    }

    ObjTask* task = nullptr;
    uint32_t tag_ = 0;
};

TEST_F(SelectionsTest, WithoutInputThirtySecondsDecideTheProfilesChoice) {
    cardProfile.configStMode = 2;
    start(TSKmodeSelect, objTag("MODE"));
    EXPECT_EQ(countdownState.choice, 2);
    EXPECT_EQ(countdownState.secondsLeft, 30);
    for (int k = 0; k < 30 * 60 - 1; ++k) pass();
    EXPECT_EQ(step(), kCountdownChoose);
    pass();
    EXPECT_EQ(step(), kCountdownDecided);
    EXPECT_EQ(gameMode, 2);
    runOut(200);
    EXPECT_FALSE(alive());
    EXPECT_EQ(cardProfile.configStMode, 2);
}

struct LockCase {
    ObjTaskFn act;
    uint32_t tag;
    uint32_t key;
    int32_t lock;
};

TEST_F(SelectionsTest, NoKeyIsReadWhileTheInputLockRuns) {
    const LockCase cases[] = {
        {TSKmodeSelect, objTag("MODE"), kDown, 10},
        {TSKdramaticSelect, objTag("DRAM"), kDown, 10},
        {TSKassistSelect, objTag("ATSL"), kDown, 10},
        {TSKplayerSelect, objTag("PLSL"), 0x8, 30},
    };
    for (const LockCase& c : cases) {
        OBJtaskPoolInit();
        cardProfile = CardProfile{};
        cardProfile.configStMode = cardProfile.configStAssist = cardProfile.configStDramatic = 0;
        cardProfile.configStFigType = 0;
        start(c.act, c.tag);
        // The lock falls at the end of each running frame.
        for (int k = 0; k < c.lock; ++k) pass(c.key);
        EXPECT_EQ(countdownState.choice, 0) << c.lock;
        pass(c.key);
        EXPECT_EQ(countdownState.choice, 1) << c.lock;
    }
}

TEST_F(SelectionsTest, ChoicesWrapAtBothEnds) {
    cardProfile.configStMode = 0;
    start(TSKmodeSelect, objTag("MODE"));
    for (int k = 0; k < 10; ++k) pass();
    pass(kUp);
    EXPECT_EQ(countdownState.choice, 3);
    pass(kUp | kDown);  // minus first, alone
    EXPECT_EQ(countdownState.choice, 2);

    OBJtaskPoolInit();
    cardProfile.configStAssist = 1;
    start(TSKassistSelect, objTag("ATSL"));
    EXPECT_EQ(assistSelectActive, 1);
    for (int k = 0; k < 10; ++k) pass();
    pass(kDown);
    EXPECT_EQ(countdownState.choice, 0);
    pass(kButtonOne);
    EXPECT_EQ(autoGameSystem, 0);
    runOut(200);
    EXPECT_EQ(assistSelectActive, 0);
    EXPECT_EQ(cardProfile.configStAssist, 0);
}

TEST_F(SelectionsTest, ReturnToMenuIsIgnoredOnTheArcadePlatform) {
    start(TSKdramaticSelect, objTag("DRAM"));
    pass(kReturn);
    EXPECT_TRUE(alive());
    EXPECT_EQ(menuResultCode, 0);
    arcadeMode = false;
    pass(kReturn);
    pass();
    EXPECT_FALSE(alive());
    EXPECT_EQ(menuResultCode, 3);
}

TEST_F(SelectionsTest, TheLeaderDecisionSetsTheLeaderAndEndsWhite) {
    cardProfile.configStFigType = 2;
    start(TSKplayerSelect, objTag("PLSL"));
    EXPECT_EQ(playerSelectActive, 1);
    for (int k = 0; k < 30; ++k) pass();
    pass(kLeft);
    EXPECT_EQ(countdownState.choice, 1);
    pass(kButtonOne);
    EXPECT_EQ(step(), 3);
    EXPECT_EQ(selectedLeaderType, 1);
    runOut(600);
    EXPECT_FALSE(alive());
    EXPECT_EQ(playerSelectActive, 0);
    EXPECT_EQ(cardProfile.configStFigType, 1);
}

TEST(SelectionsVoices, LeaderDecideVoicesBySevens) {
    EXPECT_EQ(playerDecideVoice(0, 0), 289);
    EXPECT_EQ(playerDecideVoice(1, 6), 449);
    EXPECT_EQ(playerDecideVoice(3, 6), 759);
}

}  // namespace
