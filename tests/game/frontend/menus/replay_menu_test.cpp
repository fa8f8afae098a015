// REPLAY: the scan of the kept folders (the 100 newest, newest first, only
// dated folders), playing, refusing, the page arrows and deleting.
#include "game/frontend/menus/replay_menu.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "game/core/play_state.h"
#include "game/core/replay_layout.h"
#include "game/frontend/menus/replay_list.h"
#include "game/frontend/replay_folder_count.h"
#include "game/records/record_fields.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

class ReplayListMenuTest : public MenusFixture {
protected:
    void SetUp() override {
        MenusFixture::SetUp();
        replayListCursor = replayListPage = replayListOffset = 0;
        std::filesystem::create_directories(folder.path("root/replay"));
    }
    void TearDown() override {
        replayChosenFolder.clear();
        replayChosenFirstStage = 1;
        trainingStartStage = 0;
        replayList.fill(ReplayListSlot{});
        MenusFixture::TearDown();
    }
    static std::string name(int i) {
        char text[32];
        std::snprintf(text, sizeof text, "20260101_%06d", i);
        return text;
    }
    // A kept replay with its summary (none when mode is -1).
    std::string keep(const std::string& folderName, int32_t mode, uint64_t score = 1234, int32_t mark = 1) {
        const std::string dir = folder.path("root/replay/" + folderName);
        std::filesystem::create_directories(dir);
        if (mode < 0) return dir;
        ReplayInfo info;
        info.score = score;
        info.category = mode;
        info.alwaysOne = mark;
        uint8_t bytes[kReplayInfoBytes] = {};
        encodeRecord(&info, kReplayInfoLayout, bytes);
        std::ofstream(dir + "/rep_info.dat", std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
        return dir;
    }
    void openList() {
        open(TSKreplayMenu);
        unlock();
        sounds.take();
    }
};

TEST_F(ReplayListMenuTest, ScanKeepsTheHundredNewestNewestFirstAndOnlyDatedFolders) {
    for (int i = 0; i < 105; ++i) keep(name(i), i % 9, 1000u + unsigned(i));
    std::filesystem::create_directories(folder.path("root/replay/temp"));
    std::ofstream(folder.path("root/replay/notes.txt")) << "x";
    EXPECT_EQ(replayFolderCount(), 105);
    replayListScan();
    EXPECT_EQ(replayList[0].folder, name(104));
    EXPECT_EQ(replayList[99].folder, name(5));
    for (const ReplayListSlot& slot : replayList) EXPECT_EQ(slot.present, 1);
    EXPECT_STREQ(replayList[0].line, (name(104) + " SA ST 2 ").c_str());
    EXPECT_STREQ(replayList[0].scoreLine, "                    1104");
}

TEST_F(ReplayListMenuTest, SummariesMissingOrOutOfRangeAreListedButRefused) {
    keep(name(1), 2, 5, 0);   // incomplete
    keep(name(2), -1);        // no summary
    keep(name(3), 12, 7, 1);  // a mode word outside 0..8
    openList();
    EXPECT_STREQ(replayList[0].line, (name(3) + "         ").c_str());
    EXPECT_STREQ(replayList[1].line, (name(2) + " NOVICE  ").c_str());
    EXPECT_EQ(replayList[1].info.alwaysOne, 0);
    for (int row : {1, 2}) {
        replayMenu.list.cursor = row;
        pass(kButton1);
        EXPECT_EQ(played("cancel"), 1) << row;
        sounds.take();
        EXPECT_TRUE(menuOpen());
    }
}

TEST_F(ReplayListMenuTest, PlayingLeavesTheFolderAndStageForTheViewer) {
    const std::string dir = keep(name(1), 6);
    playIsRecorded = 1;
    openList();
    pass(kButton1);
    EXPECT_EQ(played("ok"), 1);
    EXPECT_EQ(menuResultCode, 6);
    EXPECT_EQ(replayChosenFolder, dir);
    EXPECT_EQ(replayChosenFirstStage, 3);
    EXPECT_EQ(trainingStartStage, -1);
    EXPECT_EQ(playIsRecorded, 0);
    ASSERT_TRUE(runOut());
}

TEST_F(ReplayListMenuTest, PageArrowsStopSilentlyAtTheFirstAndLastPage) {
    openList();
    pass(0, kLeft);
    EXPECT_EQ(replayListPage, 0);
    EXPECT_TRUE(sounds.take().empty());
    for (int i = 0; i < 9; ++i) {
        pass(0, kRight);
        soundLayerState().soundGuard.fill(0);
    }
    EXPECT_EQ(played("cursor"), 9);
    sounds.take();
    pass(0, kRight);
    EXPECT_EQ(replayListPage, 9);
    EXPECT_EQ(replayListOffset, 90);
    EXPECT_TRUE(sounds.take().empty());
    EXPECT_NE(textEntry("PAGE 10/10"), nullptr);
}

TEST_F(ReplayListMenuTest, DeletingThePagesLastReplayLeavesNoDataAfterTheMessage) {
    const std::string dir = keep(name(1), 0);
    gameSettings.BUTTON_01 = 5;
    gameSettings.BUTTON_02 = 3;
    storeSettings();
    openList();
    EXPECT_NE(textEntry("5 BUTTON TO PLAY"), nullptr);
    EXPECT_NE(textEntry("3 BUTTON TO DELETEY"), nullptr);
    pass(0x20);
    EXPECT_EQ(replayMenu.subState, kReplayMenuPrompt);
    EXPECT_NE(textEntry("YES= 5 BUTTON"), nullptr);
    EXPECT_NE(textEntry(" NO= 3 BUTTON"), nullptr);
    pass(kButton1);
    EXPECT_FALSE(std::filesystem::exists(dir));
    EXPECT_NE(textEntry("DELETE REPLAY OK!"), nullptr);
    passes(kReplayMenuMessageFrames - 1);
    EXPECT_EQ(replayMenu.subState, kReplayMenuDeleted);
    pass();
    EXPECT_EQ(replayMenu.subState, kReplayMenuList);
    pass();
    EXPECT_NE(textEntry("NO DATA"), nullptr);
    EXPECT_EQ(replayList[0].present, 0);
}

TEST_F(ReplayListMenuTest, ButtonTwoOnExitOrAnEmptyRowIsRefused) {
    keep(name(1), 0);
    replayListCursor = kReplayMenuExitRow;
    openList();
    for (int row : {kReplayMenuExitRow, 1}) {
        replayMenu.list.cursor = row;
        pass(0x20);
        EXPECT_EQ(played("cancel"), 1) << row;
        sounds.take();
        EXPECT_EQ(replayMenu.subState, kReplayMenuList);
    }
    replayMenu.list.cursor = kReplayMenuExitRow;
    pass(kButton1);
    EXPECT_EQ(menuResultCode, 3);
}

}  // namespace
