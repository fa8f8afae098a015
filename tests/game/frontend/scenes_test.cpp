// The stand-in scenes: each shows its name, ends on START or by itself, and
// leaves its usual outcome for the sequence.
#include "game/frontend/scenes.h"

#include <gtest/gtest.h>

#include <string>

#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"

namespace {

constexpr uint32_t kTag = objTag("TITL");

class StandInSceneTest : public testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        OBJdrawRequestsClear();
        OBJdrawFlush();
        inputWordsReset();
        gamePhase = menuResultCode = 0;
        playIsRecorded = 0;
    }
    void TearDown() override {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        inputWordsReset();
    }
    // One act pass over group 13 with the draw callbacks.
    void pass() {
        OBJdrawRequestsClear();
        OBJtaskWalk(13, [](ObjTask* task) {
            task->act(task);
            if ((task->flags & kObjTaskLive) && task->work && task->work->draw) task->work->draw(task, task->work);
        });
    }
};

TEST_F(StandInSceneTest, ShowsItsNameAndEndsByItselfWithItsOutcome) {
    menuResultCode = 0;
    ASSERT_NE(OBJtaskCreate(StaffRollScene, 13, kTag), nullptr);
    pass();
    pass();
    ASSERT_GE(OBJdrawStoreCount(), 1);
    const DrawObj* name = OBJdrawStoreEntry(0);
    EXPECT_EQ(name->type, kDrawFontText);
    EXPECT_EQ(std::string(name->text), "STAFF ROLL");
    for (int frame = 2; frame < kStandInFrames; ++frame) pass();
    EXPECT_EQ(OBJtaskCountByTag(13, kTag), 1);
    EXPECT_EQ(menuResultCode, 0);
    pass();
    EXPECT_EQ(OBJtaskCountByTag(13, kTag), 0);
    EXPECT_EQ(menuResultCode, 3);
}

struct OutcomeCase {
    ObjTaskFn act;
    int32_t code;
    uint8_t recorded;
};

TEST_F(StandInSceneTest, StartEndsTheMenusWithTheirCodes) {
    const OutcomeCase cases[] = {
        {StaffRollScene, 3, 0},
    };
    for (const OutcomeCase& c : cases) {
        menuResultCode = -1;
        playIsRecorded = 0;
        ASSERT_NE(OBJtaskCreate(c.act, 13, kTag), nullptr);
        pass();
        padPressed = 0x8000;
        pass();
        padPressed = 0;
        EXPECT_EQ(OBJtaskCountByTag(13, kTag), 0);
        EXPECT_EQ(menuResultCode, c.code);
        EXPECT_EQ(playIsRecorded, c.recorded);
    }
}

}  // namespace
