// The continue on the cabinet and off it, and the upload of a card user's
// play with its retries.
#include "game/core/game_sequence.h"

#include "game/core/app_switches.h"
#include "game/core/collision.h"
#include "game/core/obj_ref.h"
#include "game/core/server_keep_alive.h"
#include "game/objects/fighter_hit.h"
#include "game/records/abaas_gs.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr int kCountFrames = 181;  // a count drops on the frame its tick passes 180

// Stages that never end by themselves: one row far beyond the test's frames.
constexpr SpawnRow kContinueStageRows[] = {{0, 0, 1000000, 0, 0, {}}, {0, -1, kSpawnEndFrame, 0, 0, {}}};
constexpr StageTables kContinueStage = {
    kContinueStageRows, 1, nullptr, 0, {kSequenceStageLayer, kSequenceStageLayer, kSequenceStageLayer, kSequenceStageLayer}};
constexpr StageTables kContinueStages[kStageTableCount] = {kContinueStage, kContinueStage, kContinueStage,
                                                           kContinueStage, kContinueStage, kContinueStage};

void continueTestIdle(ObjTask* task) {
    if (task->state != kObjStateInit) return;
    task->work = OBJworkNew();
    task->release = TSKgameCtrlKill;
    task->state = kObjStateRun;
}

// The continue reached as in play: on stage 2 the last ready fighter is hit
// by an enemy shot, its fire lock runs out, the waiting fighter task opens
// the continue.
class SequenceContinueTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        stageTablesUse(kContinueStages);
    }
    static ObjTask* taskTagged(int group, uint32_t tag) {
        ObjTask* found = nullptr;
        OBJtaskWalk(group, [&found, tag](ObjTask* task) {
            if (!found && task->tag == tag) found = task;
        });
        return found;
    }
    static ObjTask* fighterTask() { return taskTagged(9, objTag("FIGH")); }
    static FighterFields& f() { return fighter(fighterGetWork()); }
    // An enemy shot hits the fighter; false when it had no effect.
    bool shootTheFighter() {
        ObjTask* shot = OBJtaskCreate(continueTestIdle, kGroupEnemyShots, objTag("TEST"));
        if (!shot) return false;
        shot->act(shot);
        const int32_t misses = fighterGetMissCount();
        const int32_t ready = fighterCountReady();
        fighterGetWork()->lastCollider = objRef(shot);
        TSKfighterHit(fighterTask(), fighterGetWork());
        OBJtaskRelease(shot);
        return fighterGetMissCount() != misses || fighterCountReady() != ready;
    }
    void loseTheLastFighter() {
        boot();
        frame();
        sequence->state = 300;
        frame();
        ASSERT_EQ(sequence->state, 302);
        stageNumber = 2;
        ASSERT_NE(fighterTask(), nullptr);
        fighterSetLives(3);  // as the training start does
        livesAtStart = fighterGetLives();
        for (int32_t type = 0; type < 4; ++type) f().teamGauges[type] = type == f().type ? kFighterGaugeFull : 0;
        f().invulnerable = 0;
        ASSERT_TRUE(shootTheFighter());
        ASSERT_FALSE(fighterAnyReady());
        ASSERT_TRUE(runTo(1101, 200)) << "the lost fighter never opened the continue";
        ASSERT_EQ(fighterTask()->state, kFighterStateWaitingReady);
    }
    int32_t countdown() const { return sequence->work->family.words[kSeqWorkCountdown]; }
    int32_t livesAtStart = 0;
};

TEST_F(SequenceContinueTest, CountdownOpensOverTheFrozenPlay) {
    loseTheLastFighter();
    EXPECT_EQ(continueScreenActive, 1);
    EXPECT_EQ(pauseAllowed, 0);
    EXPECT_EQ(countdown(), 10);
    EXPECT_EQ(seqLastCredit, 1);  // free play
    // The play is frozen while the count runs.
    const ObjTask* field = taskTagged(1, objTag("FILD"));
    ASSERT_NE(field, nullptr);
    const int32_t fieldAge = field->work->age;
    frames(300);
    EXPECT_EQ(sequence->state, 1101);
    EXPECT_EQ(field->work->age, fieldAge);
    EXPECT_EQ(countdown(), 9);
}

TEST_F(SequenceContinueTest, CoinStartsTheCountAgain) {
    settings.freePlay = false;
    loseTheLastFighter();
    EXPECT_EQ(seqLastCredit, 0);
    frames(3 * kCountFrames);
    EXPECT_EQ(countdown(), 7);
    script("+1 coin");
    frame();
    EXPECT_EQ(countdown(), 10);
    EXPECT_EQ(seqLastCredit, 1);
    // Button 1 hurries the count once it shows 7 or less, not before.
    script("+1 tap button1");
    frame();
    EXPECT_EQ(countdown(), 10);
}

TEST_F(SequenceContinueTest, CountdownRunsOutIntoTheGameOver) {
    settings.freePlay = false;
    loseTheLastFighter();
    frames(10 * kCountFrames);
    EXPECT_EQ(countdown(), 0);
    EXPECT_EQ(sequence->state, 1101);
    frames(kCountFrames);
    EXPECT_EQ(sequence->state, 500);
    EXPECT_EQ(gamePhase, 3);
    frame();
    EXPECT_EQ(OBJtaskCountByTag(13, objTag("OVER")), 1);
}

TEST_F(SequenceContinueTest, PaidContinueGoesBackIntoThePlay) {
    settings.freePlay = false;
    loseTheLastFighter();
    cab->credits = 1;
    frame();  // the new credit restarts the count
    script("+1 tap start");
    frame();
    EXPECT_EQ(sequence->state, 1102);
    EXPECT_EQ(pauseAllowed, 1);
    ASSERT_FALSE(cab->sequenceCalls.empty());
    EXPECT_EQ(cab->sequenceCalls.back().call, "continue-play");
    EXPECT_TRUE(cab->sequenceCalls.back().answer);
    const int32_t credits = fighterGetCreditCount();
    frames(9);
    EXPECT_EQ(sequence->state, 1102);
    EXPECT_EQ(continueScreenActive, 1);
    frame();
    EXPECT_EQ(sequence->state, 302);
    EXPECT_EQ(fighterGetCreditCount(), credits + 1);
    EXPECT_EQ(fighterGetScore(), uint64_t(credits));
    EXPECT_EQ(fighterGetControl(), 1);
}

TEST_F(SequenceContinueTest, RefusedContinueGoesBackToTheTitle) {
    loseTheLastFighter();
    script("+1 answer continue-play no\n+0 tap start");
    frame();
    EXPECT_EQ(sequence->state, 200);
    EXPECT_EQ(gamePhase, 1);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
    EXPECT_EQ(OBJtaskCountByTag(0, kGctr), 1);
}

TEST_F(SequenceContinueTest, ScoreAttackHasNoContinue) {
    loseTheLastFighter();
    menuResultCode = 2;
    frame();
    EXPECT_EQ(sequence->state, 500);
}

TEST_F(SequenceContinueTest, OffTheCabinetTheButtonsChoose) {
    arcadeMode = false;
    loseTheLastFighter();
    script("+1 tap button1");
    frame();
    EXPECT_EQ(sequence->state, 1102);
    // Both on one frame: the later game over wins.
    sequence->state = 1101;
    script("+1 tap button1 button2");
    frame();
    EXPECT_EQ(sequence->state, 500);
}

// Off the cabinet, in training.
class FighterContinueTest : public SequenceContinueTest {
protected:
    void SetUp() override {
        SequenceContinueTest::SetUp();
        arcadeMode = false;
        setGameMode(0);
    }
};

TEST_F(FighterContinueTest, AcceptedContinueBringsTheWholeTeamBack) {
    loseTheLastFighter();
    frames(30);
    EXPECT_EQ(fighterTask()->state, kFighterStateWaitingReady) << "nothing refills the team while the count runs";
    script("+1 tap button1");
    frame();
    ASSERT_EQ(sequence->state, 1102);
    ASSERT_TRUE(runTo(302, 20));
    EXPECT_EQ(fighterCountReady(), 4);
    EXPECT_EQ(fighterGetLives(), livesAtStart);
    EXPECT_EQ(f().absent, 1);
    // It flies in as after a miss: hidden from the guns until the lock's last
    // 20 frames, without fire until the lock is over.
    frame();
    EXPECT_EQ(fighterTask()->state, kObjStateRun);
    EXPECT_GT(fighterGetFireLock(), 60);
    int frame = 0;
    for (; frame < 200 && fighterGetFireLock() > 0; ++frame) this->frame();
    EXPECT_LT(frame, 200) << "the entry never ended";
    EXPECT_EQ(f().absent, 0);
    EXPECT_EQ(fighterGetControl(), 1);
    EXPECT_EQ(fighterGetWeaponsOn(), 1);
    ASSERT_NE(fighterGetWork()->hitBoxes, nullptr);
    // Controllable: it moves with the pad.
    const float x = fighterGetWork()->x;
    script("+1 press left\n+11 release left");
    frames(10);
    EXPECT_LT(fighterGetWork()->x, x);
    // Hittable once its invulnerability is over: the next loss is a miss.
    for (int i = 0; i < 400 && f().invulnerable > 0; ++i) this->frame();
    ASSERT_EQ(f().invulnerable, 0);
    ASSERT_TRUE(shootTheFighter());
    EXPECT_EQ(fighterCountReady(), 3);
    EXPECT_EQ(sequence->state, 302);
}

TEST_F(FighterContinueTest, RefusedContinueEndsInTheGameOver) {
    loseTheLastFighter();
    script("+1 tap button2");
    frame();
    EXPECT_EQ(sequence->state, 500);
    EXPECT_FALSE(fighterAnyReady());
    frame();
    EXPECT_EQ(OBJtaskCountByTag(13, objTag("OVER")), 1);
}

class SequenceUploadTest : public SequenceContinueTest {
protected:
    void toTheUpload() {
        loseTheLastFighter();
        cardProfile.aimeId = 7;
        seqGameOver();
        frame();
        ASSERT_EQ(sequence->state, 501);
        OBJtaskReleaseByTag(objTag("OVER"));
        frame();
        ASSERT_EQ(sequence->state, 502);
    }
};

TEST_F(SequenceUploadTest, RetriesThenShowsTheOfflineNotice) {
    toTheUpload();
    abaasGs->online = true;
    // Nothing can be queued (the game server is not set up): one try and
    // three more, then offline.
    frames(4);
    EXPECT_EQ(sequence->state, 503);
    EXPECT_EQ(seqUploadRetries, 4);
    frame();
    EXPECT_EQ(sequence->state, 505);
    EXPECT_FALSE(abaasGs->online);
    frame();
    EXPECT_EQ(sequence->state, 506);
    EXPECT_EQ(cardProfile.aimeId, 0);  // the guest again
    frame();
    EXPECT_EQ(continueScreenActive, 1);
    EXPECT_EQ(countdown(), 10);
    script("+1 tap button1");
    frame();
    EXPECT_EQ(sequence->state, 506);  // not skippable at 10
    frames(3 * 121);
    EXPECT_EQ(countdown(), 7);
    script("+1 tap button1");
    frame();
    EXPECT_EQ(sequence->state, 550);
    EXPECT_EQ(gamePhase, 6);
}

TEST_F(SequenceUploadTest, NoticeEndsByItselfAfterTenCounts) {
    toTheUpload();
    sequence->state = 505;
    frame();
    frames(10 * 121 - 1);
    EXPECT_EQ(sequence->state, 506);
    frame();
    EXPECT_EQ(sequence->state, 550);
}

struct AnswerCase {
    const char* name;
    int32_t result;
    uint16_t status;
    uint16_t code;
    int32_t state;
    int32_t retries;
};

TEST_F(SequenceUploadTest, QueuedUploadWaitsForTheServersAnswer) {
    const AnswerCase cases[] = {
        {"busy", 1, 0, 0, 504, 2},
        {"saved", 0, 200, 0, 550, 1},
        {"refused by the server", 0, 200, 3, 503, 3},
        {"bad status", 0, 500, 0, 503, 3},
        {"failed", -5, 0, 0, 503, 3},
        {"nothing read", KeepAliveWords::kNoResult, 0, 0, 503, 3},
    };
    toTheUpload();
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        sequence->state = 504;
        seqUploadRetries = 2;
        keepAlive.frameResult = c.result;
        keepAlive.frameHttpStatus = c.status;
        keepAlive.frameResultCode = c.code;
        TSKgameCtrlAct(sequence);
        EXPECT_EQ(sequence->state, c.state);
        EXPECT_EQ(seqUploadRetries, c.retries);
    }
}

}  // namespace
