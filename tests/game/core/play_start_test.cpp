#include "game/core/play_start.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/core/game_main.h"
#include "game/core/obj_task.h"
#include "game/core/replay_files.h"
#include "game/objects/fighter.h"
#include "game/objects/play_record_block.h"
#include "game/records/play_records.h"
#include "game/records/settings_file.h"
#include "game/stages/rank_carriers.h"
#include "tests/game/core/obj_fixture.h"

namespace {

constexpr int kInfoGroup = 13;
constexpr int kFighterGroup = 9;
const uint32_t kInfo = objTag("INFO");
const uint32_t kFigh = objTag("FIGH");

class PlayStartTest : public ObjFixture {
protected:
    // What a previous play leaves behind.
    void SetUp() override {
        ObjFixture::SetUp();
        replayPlaybackFlag = 1;
        replayIoMode = 1;
        replayInputIndex = 555;
        playRecordBlock.fill(0xAB);
        slowMotionFrames = 30;
        slowMotionPeriod = 2;
        slowMotionPeriodInUse = 2;
        rankingCopyName(playRecords.playerName, "LAST PLAYER");
        settingsSnapshot = GameSettings{};
        gameSettings.systemWord = 3;
        rankCounter = 7;
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        ObjFixture::TearDown();
    }

    static bool blockCleared() {
        return std::all_of(playRecordBlock.begin(), playRecordBlock.end(), [](uint8_t b) { return b == 0; });
    }
    static void expectSlowMotionOff() {
        EXPECT_EQ(slowMotionFrames, 0);
        EXPECT_EQ(slowMotionPeriod, 0);
        EXPECT_EQ(slowMotionPeriodInUse, 0);
    }
    // Leaves n records of the pool free.
    static void fillPoolBut(int n) {
        for (int i = 0; i < kObjTaskPoolSize - n; ++i) OBJtaskCreate([](ObjTask*) {}, 20, objTag("FILL"));
    }
};

TEST_F(PlayStartTest, ARecordedPlayGetsItsDisplayAndFighterAndFreshWords) {
    playStart();
    EXPECT_EQ(OBJtaskCountByTag(kInfoGroup, kInfo), 1);
    EXPECT_EQ(OBJtaskCountByTag(kFighterGroup, kFigh), 1);
    ObjTask* fighter = OBJtaskGroup(kFighterGroup).head.next;
    EXPECT_EQ(fighter->act, TSKfighterAct);
    EXPECT_EQ(replayPlaybackFlag, 0);
    EXPECT_EQ(replayIoMode, 0);
    EXPECT_EQ(replayInputIndex, 0u);
    EXPECT_TRUE(blockCleared());
    EXPECT_STREQ(currentPlayerName(), "NO NAME");  // the play record begun for the guest
    expectSlowMotionOff();
}

// The fighter sets up before the first stage load, from the settings
// snapshot (its starting life) and the rank counter: neither may be the
// last play's.
TEST_F(PlayStartTest, AFreshPlayTakesTheSettingsInForceAndNoEarlierRank) {
    playStart();
    EXPECT_EQ(settingsSnapshot.systemWord, 3);
    EXPECT_EQ(rankCounter, 0);
}

TEST_F(PlayStartTest, AReplayPlaysBackWithoutBeginningAPlayRecord) {
    playStartReplay();
    EXPECT_EQ(OBJtaskCountByTag(kInfoGroup, kInfo), 1);
    EXPECT_EQ(OBJtaskCountByTag(kFighterGroup, kFigh), 1);
    EXPECT_EQ(replayPlaybackFlag, 1);
    EXPECT_EQ(replayIoMode, 2);
    EXPECT_EQ(replayInputIndex, 0u);
    EXPECT_TRUE(blockCleared());
    EXPECT_STREQ(currentPlayerName(), "LAST PLAYER");
    expectSlowMotionOff();
}

TEST_F(PlayStartTest, TheTasksTakeTheirWorkOnTheirFirstAct) {
    playStart();
    for (int group : {kFighterGroup, kInfoGroup}) {
        ObjTask* task = OBJtaskGroup(group).head.next;
        task->act(task);
        EXPECT_EQ(task->state, kObjStateRun);
        EXPECT_NE(task->work, nullptr);
    }
}

TEST_F(PlayStartTest, TheFighterComesOnlyWithTheDisplay) {
    fillPoolBut(1);
    playStart();
    EXPECT_EQ(OBJtaskCountByTag(kInfoGroup, kInfo), 1);
    EXPECT_EQ(OBJtaskCountByTag(kFighterGroup, kFigh), 0);

    OBJtaskReleaseAll(nullptr);
    fillPoolBut(0);
    playStart();
    EXPECT_EQ(OBJtaskCountByTag(kInfoGroup, kInfo), 0);
    EXPECT_EQ(OBJtaskCountByTag(kFighterGroup, kFigh), 0);
    EXPECT_EQ(replayIoMode, 0);  // the words are set all the same
    expectSlowMotionOff();
}

}  // namespace
