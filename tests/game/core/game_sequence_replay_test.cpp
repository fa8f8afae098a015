// The attract demo and the replay viewer: stage files of our own encoder
// played back through the sequence, its scenes and the fixture's stages.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/core/obj_work.h"
#include "game/core/play_start.h"
#include "game/core/replay_header.h"
#include "game/core/replay_layout.h"
#include "game/frontend/scene_words.h"
#include "game/records/record_fields.h"
#include "game/frontend/menus/replay_list.h"
#include "game/stages/stage_services.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr uint32_t kRight = 0x08;
// A recorded stage of the fixture's: its last frame, the clear, is not recorded.
constexpr int kRecordedFrames = kStageFieldFrames - 1;

class SequenceReplayTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        setResourceFolders({});
        seqAttractIndex = 0;
        startRequest = 0;
        replayChosenFolder = folder.path("root/replay/20260102_030405");
        replayChosenFirstStage = 1;
        std::filesystem::create_directories(replayChosenFolder);
        std::filesystem::create_directories(folder.path("resource/data"));
        boot();
        frame();
    }
    void TearDown() override {
        replayIoMode = 0;
        replayInputFree();
        replayHeader = ReplayHeader{};
        replayChosenFolder.clear();
        SequenceTest::TearDown();
    }

    // A stage file: the fighter at x 10 x stage with its gauges full, frames of right held
    // (button 1 newly pressed on the frames listed), the end marker, then
    // unused words.
    static void writeStageFile(const std::string& path, int32_t stage, int32_t category, int frames) {
        ReplayHeader header;
        header.seed = 1234;
        header.startStage = stage;
        header.category = category;
        ObjWork fighter;
        OBJworkInit(&fighter);
        fighter.x = stageStartX(stage);
        // A recorded fighter has its team ready.
        for (int32_t& gauge : ::fighter(&fighter).teamGauges) gauge = 100000;
        replayWorkStore(fighter, header.works[0]);
        header.capacity = uint32_t(5 * frames + 4 + 16);
        std::vector<uint8_t> bytes(kReplayHeaderBytes + 4 * size_t(header.capacity), 0);
        replayHeaderEncode(header, bytes.data());
        auto put = [&bytes](size_t word, uint32_t value) {
            for (size_t i = 0; i < 4; ++i) bytes[kReplayHeaderBytes + 4 * word + i] = uint8_t(value >> (8 * i));
        };
        for (int k = 0; k < frames; ++k) {
            const size_t at = 5 * size_t(k);
            put(at, kRight);
            put(at + 4, kReplayMarker);
        }
        for (size_t i = 0; i < kReplayEndMarkerWords; ++i) put(5 * size_t(frames) + i, kReplayMarker);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    void writeAttract(int index, int32_t stage, int frames) const {
        char name[64];
        std::snprintf(name, sizeof name, "resource/data/attract_%02d.dat", index);
        writeStageFile(folder.path(name), stage, 2, frames);
    }
    void writeViewerStage(int32_t stage, int32_t category, int frames) const {
        char name[32];
        std::snprintf(name, sizeof name, "/rep_st%02d.dat", int(stage));
        writeStageFile(replayChosenFolder + name, stage, category, frames);
    }

    // The title chose the demo.
    void startDemo() {
        sequence->state = 350;
        gamePhase = 5;
        visited = {350};
        ASSERT_TRUE(runTo(353, 5));
    }
    // The replay list chose the replay.
    void startViewer() {
        menuResultCode = 6;
        seqGoToSelected();
        visited = {sequence->state};
        ASSERT_TRUE(runTo(605, 10));
    }
    static float stageStartX(int32_t stage) { return 10.0f * float(stage); }
    float fighterX() {
        const ObjTask* fighter = OBJtaskGroup(9).head.next;
        return fighter->work ? fighter->work->x : 0.0f;
    }
    bool hasLogLine(const std::string& start) const {
        for (const std::string& line : folder.logLines()) {
            if (line.find(start) != std::string::npos) return true;
        }
        return false;
    }
};

TEST_F(SequenceReplayTest, AttractFilesPlayInTurn) {
    for (int index = 0; index < 5; ++index) writeAttract(index, index + 1, 10);
    std::vector<int32_t> stages;
    for (int demo = 0; demo < 6; ++demo) {
        startDemo();
        stages.push_back(stageNumber);
        EXPECT_EQ(replayIoMode, 2);
        EXPECT_EQ(replayPlaybackFlag, 1);
        EXPECT_EQ(playIsRecorded, 0);
        EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 1);
        // Ten frames of input run out within the first second: on to the splash.
        ASSERT_TRUE(runTo(110, 30));
        EXPECT_TRUE(visitedInOrder({350, 351, 352, 353, 354, 110}));
        EXPECT_TRUE(replayInputWords().empty());
        EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
        EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
    }
    EXPECT_EQ(stages, (std::vector<int32_t>{1, 2, 3, 4, 5, 1}));
}

TEST_F(SequenceReplayTest, AMissingAttractFileSkipsToTheNextStep) {
    writeAttract(1, 4, 10);
    sequence->state = 350;
    gamePhase = 5;
    visited = {350};
    ASSERT_TRUE(runTo(110, 5));
    EXPECT_TRUE(visitedInOrder({350, 354, 110}));
    EXPECT_TRUE(hasLogLine("replay load fail"));
    // The next demo plays the next file.
    startDemo();
    EXPECT_EQ(stageNumber, 4);
}

TEST_F(SequenceReplayTest, HowADemoEnds) {
    enum class Act { none, button1, startRequest };
    struct Case {
        bool arcade;
        Act act;
        int afterFrames;
        int32_t next;
        int32_t phase;
    };
    const Case cases[] = {
        {false, Act::none, 0, 550, 6},           // input ran out: the ranking
        {true, Act::none, 0, 550, 6},            //
        {false, Act::button1, 70, 200, 1},       // off the cabinet: back to the title
        {true, Act::button1, 70, 550, 6},        // on the cabinet: the ranking
        {true, Act::startRequest, 70, 200, 1},   // a player: the title
        {false, Act::button1, 30, 550, 6},       // the first second can't be broken
        {true, Act::startRequest, 30, 550, 6},   //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "arcade " << c.arcade << " act " << int(c.act) << " at " << c.afterFrames);
        arcadeMode = c.arcade;
        writeAttract(0, 2, 100);
        seqAttractIndex = 0;
        startDemo();
        frames(c.afterFrames);
        if (c.act == Act::button1) script("+1 tap button1");
        if (c.act == Act::startRequest) startRequest = 1;
        frame();
        startRequest = 0;
        ASSERT_TRUE(runTo(c.next, 120));
        EXPECT_EQ(gamePhase, c.phase);
        EXPECT_EQ(replayIoMode, 0);
    }
}

// A demo recorded to its stage's end: the clear ends the demo, no play begins.
TEST_F(SequenceReplayTest, AStageClearedOrALifeLostEndsTheDemo) {
    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(which);
        writeAttract(0, 2, kRecordedFrames);
        seqAttractIndex = 0;
        startDemo();
        frames(100);
        if (which == 0) {
            ASSERT_TRUE(runTo(550, kStageFieldFrames));
        } else if (which == 1) {
            seqGameOver();
        } else {
            seqContinue();
        }
        ASSERT_TRUE(runTo(550, 5));
        EXPECT_TRUE(visitedInOrder({353, 354, 550}));
        EXPECT_FALSE(visitedInOrder({400}));
        EXPECT_FALSE(visitedInOrder({500}));
        EXPECT_FALSE(visitedInOrder({1100}));
        EXPECT_EQ(gamePhase, 6);
        EXPECT_EQ(replayIoMode, 0);
        EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
    }
}

// Home play: a kept score-attack replay chosen on the real list with
// button 1, watched, and deleted there after the prompt.
TEST_F(SequenceReplayTest, TheReplayListPlaysAKeptReplayAndDeletesItAfterThePrompt) {
    const std::string kept = replayChosenFolder;
    writeViewerStage(1, 4, kRecordedFrames);
    ReplayInfo info;
    info.score = 4321;
    info.category = 4;
    uint8_t bytes[kReplayInfoBytes] = {};
    encodeRecord(&info, kReplayInfoLayout, bytes);
    std::ofstream(kept + "/rep_info.dat", std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    replayChosenFolder.clear();
    replayChosenFirstStage = 5;
    replayListCursor = replayListPage = replayListOffset = 0;
    menuResultCode = 5;
    seqGoToSelected();
    visited = {sequence->state};
    frames(14);
    ASSERT_EQ(sequence->state, 2142);
    script("+1 tap button1");
    ASSERT_TRUE(runTo(605, 80));
    EXPECT_EQ(replayChosenFolder, kept);
    EXPECT_EQ(replayChosenFirstStage, 1);
    EXPECT_EQ(replayIoMode, 2);
    ASSERT_TRUE(runTo(611, kStageFieldFrames + 5));
    leaveStageResult();
    ASSERT_TRUE(runTo(2142, 20));
    frames(12);
    script("+1 tap button2");
    frames(2);
    script("+1 tap button1");
    frames(2);
    EXPECT_FALSE(std::filesystem::exists(kept));
}

TEST_F(SequenceReplayTest, TheViewerShowsAStoryReplayStageAfterStage) {
    for (int32_t stage = 2; stage <= 5; ++stage) writeViewerStage(stage, 1, kRecordedFrames);
    replayChosenFirstStage = 2;
    menuResultCode = 6;
    seqGoToSelected();
    visited = {sequence->state};
    for (int32_t stage = 2; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        ASSERT_TRUE(runTo(602, 10));
        ASSERT_TRUE(runTo(605, 5));
        EXPECT_EQ(stageNumber, stage);
        EXPECT_EQ(seqViewerStage, stage);
        EXPECT_EQ(gamePhase, 3);
        EXPECT_EQ(replayIoMode, 2);
        EXPECT_EQ(replayPlaybackFlag, 0);
        EXPECT_FALSE(seqIsScoreAttack());
        EXPECT_EQ(fighterX(), stageStartX(stage)) << "the fighter starts where the stage file says";
        // The fixture's stage is cleared as the played-back input ends;
        // the recorded frames of right held took the fighter to the right edge.
        ASSERT_TRUE(runTo(611, kStageFieldFrames + 5));
        EXPECT_EQ(fighterX(), 212.0f);
        EXPECT_EQ(replayIoMode, 0);
        EXPECT_EQ(OBJtaskCountByTag(13, objTag("STGC")), 1);
        leaveStageResult();
    }
    ASSERT_TRUE(runTo(2140, 10));
    EXPECT_TRUE(visitedInOrder({600, 601, 602, 603, 604, 605, 610, 611, 602, 605, 611, 606, 2140}));
    EXPECT_EQ(menuResultCode, 5);
    EXPECT_EQ(gamePhase, 1);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
}

TEST_F(SequenceReplayTest, AScoreAttackReplayEndsAfterItsStage) {
    writeViewerStage(3, 6, kRecordedFrames);
    writeViewerStage(4, 7, kRecordedFrames);
    replayChosenFirstStage = 3;
    startViewer();
    EXPECT_TRUE(seqIsScoreAttack());
    ASSERT_NE(fighterGetWork(), nullptr);
    EXPECT_EQ(fighterGetEntryWord(), 5);
    EXPECT_EQ(fighterGetCreditCount(), 1);
    ASSERT_TRUE(runTo(611, kStageFieldFrames + 5));
    leaveStageResult();
    ASSERT_TRUE(runTo(2140, 10));
    EXPECT_FALSE(visitedInOrder({611, 602}));
}

TEST_F(SequenceReplayTest, TheViewerGoesBackToItsListWhenTheInputOrAFileRunsOut) {
    writeViewerStage(1, 0, kRecordedFrames);
    writeViewerStage(2, 0, 50);  // ends before its stage does; no stage 3 file
    startViewer();
    ASSERT_TRUE(runTo(611, kStageFieldFrames + 5));
    leaveStageResult();
    ASSERT_TRUE(runTo(605, 10));
    EXPECT_EQ(stageNumber, 2);
    visited = {605};
    ASSERT_TRUE(runTo(2140, 60));
    EXPECT_FALSE(visitedInOrder({605, 610}));

    // A first stage whose file is missing goes back at once.
    replayChosenFirstStage = 3;
    menuResultCode = 6;
    seqGoToSelected();
    visited = {600};
    ASSERT_TRUE(runTo(2140, 10));
    EXPECT_TRUE(visitedInOrder({600, 601, 602, 605, 606, 2140}));
    EXPECT_TRUE(hasLogLine("replay load fail"));
}

TEST_F(SequenceReplayTest, PauseChoicesRestartTheStageOrTheReplay) {
    for (int32_t stage = 1; stage <= 2; ++stage) writeViewerStage(stage, 2, kRecordedFrames);
    startViewer();
    ASSERT_TRUE(runTo(611, kStageFieldFrames + 5));
    leaveStageResult();
    ASSERT_TRUE(runTo(605, 10));
    EXPECT_EQ(stageNumber, 2);

    // Restart stage: the same stage from its start, at normal speed.
    frames(20);
    actPassRequest = 4;
    pauseChoice = 1;
    frame();
    EXPECT_EQ(sequence->state, 601);
    EXPECT_EQ(pauseChoice, 0);
    EXPECT_EQ(actPassRequest, 1);
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
    ASSERT_TRUE(runTo(605, 10));
    EXPECT_EQ(stageNumber, 2);
    EXPECT_EQ(replayInputIndex, 5u);

    // Restart game: from the replay's first stage again.
    pauseChoice = 2;
    frame();
    EXPECT_EQ(sequence->state, 600);
    ASSERT_TRUE(runTo(605, 10));
    EXPECT_EQ(stageNumber, 1);

    // Return to menu: the replay list.
    pauseChoice = 3;
    ASSERT_TRUE(runTo(2140, 5));
    EXPECT_EQ(pauseChoice, 0);
}

}  // namespace
