// The root task's boot step on the recording display: the game's objects
// find the built-in sprite-frame table installed once it has run. The game's
// initialisation writes its files into a working folder of the test's own.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/data/psb_object.h"
#include "engine/render/raw_tex.h"
#include "engine/render/virtual_screen_driver.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/obj_work.h"
#include "game/core/psb_cache.h"
#include "game/core/sprite_sheet.h"
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

// The sheets are in after the boot step; the frame steps that follow warm
// their draw states two a frame into the virtual screen, then draw nothing.
TEST_F(GameTaskBootTest, TheFrameStepWarmsTheSheetsDrawStatesThenStops) {
    GameTask task;
    task.OBJgameInitDrawObj();
    SDL2_wheel_TextureSet(3, new MRawTex(64, 64));
    task.stepLoadResource();
    device->clearRecord();
    task.stepMain();
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), size_t(kDrawStatesWarmedPerFrame));
    for (const auto& draw : draws) {
        EXPECT_EQ(draw.target, task.virtualScreenDriver->getTarget()->surface);
        EXPECT_EQ(draw.textures[0], SDL2_wheel_TextureGet(3)->getTexture()->texture);
    }
    task.stepMain();
    task.stepMain();
    EXPECT_EQ(device->draws().size(), draws.size());
    SDL2_wheel_TextureRelease(3);
}

}  // namespace
