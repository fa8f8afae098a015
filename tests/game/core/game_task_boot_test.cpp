// The root task's boot step on the recording display: the game's objects
// find the built-in sprite-frame table installed once it has run.
#include <gtest/gtest.h>

#include "game/core/game_task.h"
#include "game/core/sprite_frame_table.h"
#include "game/core/sprite_frames.h"
#include "tests/engine/ui/recording_display_fixture.h"

namespace {

class GameTaskBootTest : public RecordingDisplayTest {
protected:
    void TearDown() override {
        OBJsetFrameTable({});
        RecordingDisplayTest::TearDown();
    }
};

TEST_F(GameTaskBootTest, TheBootStepInstallsTheBuiltInSpriteFrameTable) {
    OBJsetFrameTable({});
    GameTask task;
    task.OBJgameInitDrawObj();
    EXPECT_EQ(task.currentStep(), &GameTask::stepLoadResource);
    ASSERT_EQ(OBJframeTable().size(), size_t(kSpriteFrameRows));
    EXPECT_EQ(OBJframeTable().data(), spriteFrameTable);
    // The fade's square and a firing point, as the objects read them.
    EXPECT_EQ(OBJgetFrameRect(2687).w, 34);
    EXPECT_EQ(OBJgetFrameRect(2687).h, 34);
    EXPECT_EQ(OBJgetFrameInfo(5731).pivotX, 0.0f);
    EXPECT_EQ(OBJgetFrameInfo(5731).pivotY, 13.0f);
}

}  // namespace
