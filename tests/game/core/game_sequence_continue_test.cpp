// The continue on the cabinet and off it, and the upload of a card user's
// play with its retries.
#include "game/core/game_sequence.h"

#include "game/core/app_switches.h"
#include "game/core/server_keep_alive.h"
#include "game/records/abaas_gs.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr int kCountFrames = 181;  // a count drops on the frame its tick passes 180

class SequenceContinueTest : public SequenceTest {
protected:
    // A story play on stage 2, its fighter's last life lost.
    void loseTheLastLife() {
        boot();
        frame();
        sequence->state = 300;
        frame();
        ASSERT_EQ(sequence->state, 302);
        stageNumber = 2;
        ASSERT_NE(fighterGetWork(), nullptr);
        script("+1 tap button3");
        frame();
        ASSERT_EQ(sequence->state, 1100);
        frame();
        ASSERT_EQ(sequence->state, 1101);
    }
    int32_t countdown() const { return sequence->work->family.words[kSeqWorkCountdown]; }
};

TEST_F(SequenceContinueTest, CountdownOpensOverTheFrozenPlay) {
    loseTheLastLife();
    EXPECT_EQ(continueScreenActive, 1);
    EXPECT_EQ(pauseAllowed, 0);
    EXPECT_EQ(countdown(), 10);
    EXPECT_EQ(seqLastCredit, 1);  // free play
    // The field is frozen: the stage never clears while the count runs.
    frames(300);
    EXPECT_EQ(sequence->state, 1101);
    EXPECT_EQ(countdown(), 9);
}

TEST_F(SequenceContinueTest, CoinStartsTheCountAgain) {
    settings.freePlay = false;
    loseTheLastLife();
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
    loseTheLastLife();
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
    loseTheLastLife();
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
    loseTheLastLife();
    script("+1 answer continue-play no\n+0 tap start");
    frame();
    EXPECT_EQ(sequence->state, 200);
    EXPECT_EQ(gamePhase, 1);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
    EXPECT_EQ(OBJtaskCountByTag(0, kGctr), 1);
}

TEST_F(SequenceContinueTest, ScoreAttackHasNoContinue) {
    loseTheLastLife();
    menuResultCode = 2;
    frame();
    EXPECT_EQ(sequence->state, 500);
}

TEST_F(SequenceContinueTest, OffTheCabinetTheButtonsChoose) {
    arcadeMode = false;
    loseTheLastLife();
    script("+1 tap button1");
    frame();
    EXPECT_EQ(sequence->state, 1102);
    // Both on one frame: the later game over wins.
    sequence->state = 1101;
    script("+1 tap button1 button2");
    frame();
    EXPECT_EQ(sequence->state, 500);
}

class SequenceUploadTest : public SequenceContinueTest {
protected:
    void toTheUpload() {
        loseTheLastLife();
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
