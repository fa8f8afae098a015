// The root task's boot step on the recording display: the game's objects
// find the built-in sprite-frame table installed once it has run. The game's
// initialisation writes its files into a working folder of the test's own.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/data/psb_object.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/obj_work.h"
#include "game/core/psb_cache.h"
#include "game/core/sprite_frame_table.h"
#include "game/core/sprite_frames.h"
#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "tests/engine/ui/recording_display_fixture.h"
#include "tests/game/working_folder.h"

namespace {

class GameTaskBootTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        std::filesystem::create_directories(folder.path("root"));
        setAppRootFolder(folder.path("root"));
        setResourceFolders({folder.path("game") + "/"});
    }
    void TearDown() override {
        OBJsetFrameTable({});
        OBJworkFree(gameMainOwner);
        gameMainOwner = nullptr;
        delete GameTask::getInstance();
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        rankingTables().all.reset();
        rankingTables().today.reset();
        setResourceFolders({});
        RecordingDisplayTest::TearDown();
    }

    WorkingFolder folder;
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
