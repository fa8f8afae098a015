// The game-control sequence: boot, the tool-mode boot, the result-code and
// test-menu tables and a story play from the title to the ranking.
#include "game/core/game_sequence.h"

#include "game/core/app_switches.h"
#include "game/core/replay_files.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr uint32_t kTitl = objTag("TITL");

class SequencePathTest : public SequenceTest {
protected:
    // From boot through the title and the arcade screens to the prologue.
    void playFromTheTitle() {
        boot();
        ASSERT_TRUE(runTo(201, 1000));
        ASSERT_NO_FATAL_FAILURE(loginAtTitle());
        ASSERT_TRUE(runTo(3161));
        decideSelection(3161);
        ASSERT_TRUE(runTo(3171));
        decideSelection(3171);
        for (int32_t wait : {251, 271}) {
            ASSERT_TRUE(runTo(wait));
            decideSelection(wait);
        }
        ASSERT_TRUE(runTo(302));
    }
    // The fixture's stage is cleared after kStageFieldFrames frames; its result is skipped.
    void clearStage() {
        ASSERT_TRUE(runTo(401, 400));
        leaveStageResult();
    }
};

TEST_F(SequencePathTest, BootRunsTheScenesUpToTheTitle) {
    boot();
    frame();
    EXPECT_EQ(seqTask, sequence);
    EXPECT_NE(sequence->flags & kObjTaskPersistent, 0u);
    ASSERT_NE(sequence->work, nullptr);
    EXPECT_EQ(sequence->work->draw, TSKgameCtrlDraw);
    EXPECT_EQ(sequence->release, TSKgameCtrlKill);
    EXPECT_EQ(gamePhase, 0);
    ASSERT_TRUE(runTo(131, 5));
    EXPECT_EQ(OBJtaskCountByTag(13, kTitl), 1);
    // Left alone, each boot scene ends by itself (no motion to play here).
    ASSERT_TRUE(runTo(201, 1000)) << testing::PrintToString(visited);
    EXPECT_EQ(attractMode, 1);
    // A player logs in without a card; the play goes to the cabinet's key
    // configuration.
    ASSERT_NO_FATAL_FAILURE(loginAtTitle());
    ASSERT_TRUE(runTo(202, 100));
    EXPECT_TRUE(visitedInOrder({0, 100, 130, 131, 110, 111, 120, 121, 200, 201, 202}));
    EXPECT_EQ(gamePhase, 2);
    frame();
    EXPECT_EQ(sequence->state, 3160);
    EXPECT_EQ(menuResultCode, 17);
    frame();
    EXPECT_EQ(attractMode, 0);
}

TEST_F(SequencePathTest, TitleOffTheCabinetGoesToTheMainMenu) {
    arcadeMode = false;
    mainMenuCursor = 4;
    boot();
    ASSERT_TRUE(runTo(201, 1000));
    ASSERT_NO_FATAL_FAILURE(loginAtTitle());
    ASSERT_TRUE(runTo(202, 100));
    frame();
    EXPECT_EQ(sequence->state, 2100);
    EXPECT_EQ(mainMenuCursor, 0);
}

TEST_F(SequencePathTest, TitleRankingAndAttractDemoChoices) {
    boot();
    ASSERT_TRUE(runTo(201, 1000));
    OBJtaskReleaseByTag(kTitl);
    gamePhase = 1;
    frames(5);
    EXPECT_EQ(sequence->state, 202);  // nothing chosen yet: the title state waits
    gamePhase = 6;
    frame();
    EXPECT_EQ(sequence->state, 550);
    frame();
    EXPECT_EQ(OBJtaskCountByTag(13, objTag("RANK")), 1);
    ASSERT_TRUE(runTo(110));
    EXPECT_EQ(attractMode, 1);
    // Without its attract file the demo is skipped: on to the splash.
    sequence->state = 202;
    gamePhase = 5;
    frames(3);
    EXPECT_TRUE(visitedInOrder({202, 350, 354, 110}));
}

TEST_F(SequencePathTest, ToolModeBootsIntoTheOperatorTestMenu) {
    boot();
    toolMode = true;
    frames(3);
    toolMode = false;
    EXPECT_TRUE(visitedInOrder({0, 100, 3100, 3101}));
    EXPECT_EQ(OBJtaskCountByTag(13, kTitl), 1);
    // The menu opens on EXIT: down wraps to BOOKKEEPING.
    frames(12);
    script("+1 tap down");
    frames(2);
    script("+1 tap button1");
    ASSERT_TRUE(runTo(3111, 60));
    frames(12);
    script("+1 tap button1");
    ASSERT_TRUE(runTo(3101, 60));
    frames(12);
    script("+1 tap up");
    frames(2);
    script("+1 tap button1");
    ASSERT_TRUE(runTo(2200, 60));
    frames(1);
    EXPECT_EQ(gameExitRequested, 1);
    EXPECT_EQ(leaveToPlatformTest, 0);
}

struct CodeCase {
    int32_t code;
    int32_t state;
};

TEST_F(SequencePathTest, ResultCodesChooseTheNextState) {
    const CodeCase cases[] = {{0, 250},   {1, 2110},  {2, 2120},  {3, 2100},  {4, 2130},  {5, 2140},  {6, 600},
                              {7, 2150},  {8, 2160},  {9, 2170},  {10, 2180}, {11, 2190}, {12, 200},  {13, 2200},
                              {14, 2100}, {15, 2100}, {16, 3170}, {17, 3160}, {18, 3180}, {19, 777}, {-1, 777}};
    boot();
    frame();
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.code);
        sequence->state = 777;
        menuResultCode = c.code;
        seqGoToSelected();
        EXPECT_EQ(sequence->state, c.state);
    }
}

TEST_F(SequencePathTest, GameSystemCodesWriteTheSetting) {
    boot();
    frame();
    menuResultCode = 14;
    seqGoToSelected();
    EXPECT_EQ(gameSettings.GAME_SYSTEM, 1);
    EXPECT_NE(WorkingFolder::read(makeAppRootPath(kConfigFile)).find("GAME_SYSTEM=1"), std::string::npos);
    menuResultCode = 15;
    seqGoToSelected();
    EXPECT_EQ(gameSettings.GAME_SYSTEM, 0);
    EXPECT_NE(WorkingFolder::read(makeAppRootPath(kConfigFile)).find("GAME_SYSTEM=0"), std::string::npos);
}

TEST_F(SequencePathTest, TestMenuChoicesChooseThePage) {
    const CodeCase cases[] = {{0, 3100}, {1, 3110}, {2, 3130}, {3, 3140}, {4, 2200}, {5, 777}, {-1, 777}};
    boot();
    frame();
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.code);
        sequence->state = 777;
        testMenuResultCode = c.code;
        seqGoToTestMenu();
        EXPECT_EQ(sequence->state, c.state);
    }
}

TEST_F(SequencePathTest, OperationsWithoutTheSequenceDoNothing) {
    boot();
    menuResultCode = 14;
    seqGoToSelected();
    seqStageClear();
    seqGameOver();
    seqContinue();
    seqGoToTestMenu();
    EXPECT_EQ(sequence->state, 0);
    EXPECT_EQ(gameSettings.GAME_SYSTEM, 0);
    EXPECT_EQ(gamePhase, 0);
}

TEST(SequenceScoreAttack, TheViewerAsksTheReplayHeader) {
    struct Case {
        int32_t code;
        int32_t category;
        bool scoreAttack;
    };
    const Case cases[] = {{2, 0, true}, {6, 4, true}, {6, 8, true}, {6, 3, false}, {8, 5, false}, {0, 4, false}};
    for (const Case& c : cases) {
        menuResultCode = c.code;
        replayHeader.category = c.category;
        EXPECT_EQ(seqIsScoreAttack(), c.scoreAttack) << c.code << " " << c.category;
    }
    menuResultCode = 0;
    replayHeader = ReplayHeader{};
}

TEST_F(SequencePathTest, StoryPlayGoesFromThePrologueToTheRanking) {
    playFromTheTitle();
    EXPECT_EQ(stageNumber, 0);
    EXPECT_EQ(gamePhase, 3);
    EXPECT_EQ(pauseAllowed, 0);  // no pause menu in the prologue
    EXPECT_EQ(replayIoMode, 1);
    EXPECT_EQ(sequence->actWords[kSeqActBestPlace], -1);
    ASSERT_NE(fighterGetWork(), nullptr);
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 1);

    clearStage();
    EXPECT_EQ(gamePhase, 4);
    // After the prologue: the assist and leader selections, no game mode again.
    visited = {sequence->state};
    for (int32_t wait : {261, 276}) {
        ASSERT_TRUE(runTo(wait));
        decideSelection(wait);
    }
    ASSERT_TRUE(runTo(302));
    EXPECT_TRUE(visitedInOrder({261, 262, 275, 276, 277, 301, 302})) << testing::PrintToString(visited);
    EXPECT_FALSE(visitedInOrder({250}));
    EXPECT_EQ(stageNumber, 1);
    EXPECT_EQ(gamePhase, 3);
    EXPECT_EQ(pauseAllowed, 1);

    fighterAddScore(900000000000ull);
    for (int32_t stage = 2; stage <= 5; ++stage) {
        clearStage();
        ASSERT_TRUE(runTo(302));
        EXPECT_EQ(stageNumber, stage);
    }
    clearStage();
    ASSERT_TRUE(runTo(451));
    EXPECT_EQ(stageNumber, 6);
    EXPECT_EQ(playFinished, 1);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
    // The play made the top of both rankings and is marked for the view.
    EXPECT_EQ(sequence->actWords[kSeqActBestPlace], 0);
    // The mode left to the countdown is the guest profile's CASUAL; the
    // no-miss bonus of stages 1 to 5 is added at its x1.5.
    EXPECT_EQ(gameMode, 1);
    constexpr uint64_t kScore = 900000000000ull + 15 * (1 + 2 + 3 + 4 + 5) * 100000ull;
    EXPECT_EQ(rankingTables().today->at(0, 1, 0).score, kScore);
    EXPECT_EQ(rankingTables().all->at(1, 1, 0).score, kScore);
    EXPECT_EQ(rankingNewMarks[1][size_t((1 * kRankingCategories + 1) * kRankingPlaces)], 1);
    EXPECT_EQ(rankingLatestTable, 1);
    EXPECT_EQ(rankingLatestCategory, 1);

    ASSERT_TRUE(runTo(501));
    waitOutGameOver();
    // No card user: the play ends for the platform, then the ranking.
    ASSERT_TRUE(runTo(552));
    EXPECT_EQ(gamePhase, 6);
    ASSERT_FALSE(cab->sequenceCalls.empty());
    EXPECT_EQ(cab->sequenceCalls.back().call, "end-play");
    // The ranking takes input once its page has come in; START on the
    // attract side raises the start request (the game main update's, which
    // this fixture does not run).
    frames(kRankingInputLock);
    startRequest = 1;
    ASSERT_TRUE(runTo(111, 10));
    EXPECT_EQ(menuResultCode, 12);
    EXPECT_EQ(attractMode, 1);
}

TEST_F(SequencePathTest, RecordingAPlayMarksItsEntriesForTheRankingView) {
    boot();
    frame();
    sequence->state = 300;
    frame();
    EXPECT_EQ(seqRecordPlay(false), 0);  // not recorded
    playIsRecorded = 1;
    setLeaderType(1);
    stageNumber = 3;
    const size_t base = size_t((0 * kRankingCategories + 2) * kRankingPlaces);
    rankingNewMarks[0][base] = 1;
    rankingNewMarks[0][base + 9] = 1;
    fighterAddScore(700000000000ull);
    EXPECT_EQ(seqRecordPlay(false), 0);
    // The older mark moves down with its entry; the last one drops out.
    EXPECT_EQ(rankingNewMarks[0][base], 1);
    EXPECT_EQ(rankingNewMarks[0][base + 1], 1);
    EXPECT_EQ(rankingNewMarks[0][base + 9], 0);
    EXPECT_EQ(rankingTables().all->at(2, 2, 0).stage, 3u);
    EXPECT_EQ(rankingLatestTable, 2);
    // A play that ranks nowhere gives -1.
    fighter(fighterGetWork()).score = 0;
    EXPECT_EQ(seqRecordPlay(false), -1);
}

TEST_F(SequencePathTest, EndPlayRefusedIsAskedAgainEveryFrame) {
    playFromTheTitle();
    script("+1 answer end-play no no no");
    seqGameOver();
    frame();
    ASSERT_TRUE(runTo(501, 5));
    OBJtaskReleaseByTag(objTag("OVER"));
    frames(4);
    EXPECT_EQ(sequence->state, 502);
    ASSERT_TRUE(runTo(550, 3));
    // The title's begin-play, then the end-play asked four times.
    ASSERT_EQ(cab->sequenceCalls.size(), 5u);
    EXPECT_EQ(cab->sequenceCalls.front().call, "begin-play");
    EXPECT_EQ(cab->sequenceCalls.back().call, "end-play");
}

TEST_F(SequencePathTest, ReplayViewerPlaysGoToItsOwnStates) {
    boot();
    frame();
    menuResultCode = 6;
    stageNumber = 2;
    seqStageClear();
    EXPECT_EQ(sequence->state, 610);
    seqGameOver();
    EXPECT_EQ(sequence->state, 605);
    EXPECT_EQ(gamePhase, 0);
    // Without the chosen replay's file the viewer goes back to the replay list.
    sequence->state = 600;
    visited = {600};
    ASSERT_TRUE(runTo(2140, 10));
    EXPECT_TRUE(visitedInOrder({600, 601, 602, 605, 606, 2140}));
    EXPECT_EQ(menuResultCode, 5);
}

}  // namespace
