// GAME TEST MODE and its pages: the cursor kept for the run, TEST and the
// step-down switch, the play count, the volumes and the backup clear.
#include "game/frontend/menus/test_menu.h"

#include <fstream>

#include "game/core/apm_glue.h"
#include "game/records/ranking_file.h"
#include "platform/arcade/cabinet.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

constexpr uint32_t kTest = 0x2000;
constexpr uint32_t kStepDown = 0x4000;

class OperatorMenuTest : public MenusFixture {
protected:
    void SetUp() override {
        MenusFixture::SetUp();
        testMenuCursor = 4;
        testMenuSlideIn = testMenuSlideOut = 0;
        testMenuResultCode = -1;
        leaveToPlatformTest = 0;
    }
    void TearDown() override {
        leaveToPlatformTest = 0;
        testMenuCursor = 4;
        MenusFixture::TearDown();
    }
    void openPage(ObjTaskFn act) {
        open(act);
        unlock();
        sounds.take();
    }
};

TEST_F(OperatorMenuTest, FirstVisitOpensOnExitLaterOnesOnTheLastChoice) {
    openPage(TSKtestMenu);
    EXPECT_EQ(testMenu.cursor, 4);
    pass(0, kUp);
    pass(0, kUp);
    pass(0, kUp);
    pass(kTest);
    EXPECT_EQ(testMenuResultCode, 2);
    ASSERT_TRUE(runOut());
    EXPECT_TRUE(sounds.take().empty()) << "no sound effects";
    openPage(TSKtestMenu);
    EXPECT_EQ(testMenu.cursor, 1);
}

TEST_F(OperatorMenuTest, StepDownOnExitWrapsToBookkeepingAndChoicesGiveTheirCodes) {
    openPage(TSKtestMenu);
    pass(kStepDown);
    EXPECT_EQ(testMenu.cursor, 0);
    const struct {
        int32_t row;
        int32_t code;
        uint8_t leave;
    } cases[] = {{0, 1, 0}, {2, 3, 0}, {3, 4, 1}, {4, 4, 0}};
    for (const auto& c : cases) {
        leaveToPlatformTest = 0;
        testMenuCursor = c.row;
        CloseMenuFrame();
        OBJtaskReleaseAll(nullptr);
        openPage(TSKtestMenu);
        pass(kButton1);
        EXPECT_EQ(testMenuResultCode, c.code) << c.row;
        EXPECT_EQ(leaveToPlatformTest, c.leave) << c.row;
    }
}

TEST_F(OperatorMenuTest, BookkeepingShowsThePlayCountReadOnce) {
    cabinet->bookkeeping.playCount = 37;
    openPage(TSKbookkeeping);
    cabinet->bookkeeping.playCount = 99;
    pass();
    EXPECT_NE(textEntry("37"), nullptr);
    EXPECT_NE(textEntry("PLAY COUNT"), nullptr);
    pass(kTest);
    EXPECT_EQ(testMenuResultCode, 0);
    EXPECT_TRUE(runOut());
}

TEST_F(OperatorMenuTest, SoundSettingTestHeldWrapsTheVolumeAndSavesOnLeaving) {
    gameSettings.SE_VOLUME = 90;
    gameSettings.VOICE_VOLUME = 150;
    storeSettings();
    openPage(TSKsoundSetting);
    EXPECT_EQ(soundSettingMenu.cursor, 3);
    EXPECT_EQ(soundSettingMenu.values[0], 100) << "a stored 150 opens as 100";
    pass(0, kUp);
    pass(0, kUp);
    ASSERT_EQ(soundSettingMenu.cursor, 1);
    for (int32_t want : {100, 0, 10}) {
        pass(0, kTest);
        EXPECT_EQ(soundSettingMenu.values[1], want);
        EXPECT_EQ(gameSettings.SE_VOLUME, want);
    }
    pass(0, kLeft);
    pass(0, kLeft);
    EXPECT_EQ(gameSettings.SE_VOLUME, 0);
    pass(kStepDown);
    pass(kStepDown);
    pass(kButton1);
    ASSERT_TRUE(runOut());
    EXPECT_EQ(testMenuResultCode, 0);
    EXPECT_TRUE(configHas("SE_VOLUME=0"));
    EXPECT_TRUE(configHas("VOICE_VOLUME=100"));
    EXPECT_TRUE(sounds.take().empty());
}

TEST_F(OperatorMenuTest, BackupClearResetsBothRankingsEvenWhenThePlatformFails) {
    rankingTables().all = std::make_unique<RankingTable>();
    rankingInitDefaults(*rankingTables().all);
    RankingTable defaults = *rankingTables().all;
    rankingTables().all->at(0, 0, 0).score = 987654321;
    rankingTables().today.reset();
    std::ofstream(folder.path("root/ranking_100.dat")) << "damaged";
    cabinet->queueAnswers("clear-backup", {false});
    openPage(TSKbackupClear);
    EXPECT_EQ(backupClearMenu.cursor, 1) << "opens on NO";
    pass(0, kUp);
    pass(kTest);
    const std::string expected = rankingEncode(defaults);
    EXPECT_EQ(rankingEncode(*rankingTables().all), expected);
    ASSERT_NE(rankingTables().today, nullptr);
    EXPECT_EQ(rankingEncode(*rankingTables().today), expected);
    EXPECT_EQ(WorkingFolder::read(folder.path("root/ranking_100.dat")), expected);
    EXPECT_EQ(WorkingFolder::read(folder.path("root/ranking_today_100.dat")), expected);
    pass();
    EXPECT_NE(textEntry("BACKUP DATA CLEAR NG"), nullptr);
    pass(kButton1);
    EXPECT_EQ(testMenuResultCode, 0);
    EXPECT_TRUE(runOut());
    rankingTables().all.reset();
    rankingTables().today.reset();
}

}  // namespace
