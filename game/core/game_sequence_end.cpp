// The sequence at the end of a play: the game-over scene, the upload of a
// card user's play with its retries, the end of the play for the platform
// and the ranking of the attract side.
#include "game/core/apm_glue.h"
#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/input_words.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/server_keep_alive.h"
#include "game/core/sound_requests.h"
#include "game/core/stage_load.h"
#include "game/frontend/scenes.h"
#include "game/records/abaas_gs.h"
#include "game/records/card_profile.h"
#include "game/records/play_upload.h"

namespace {

constexpr int32_t kGameOver = 500;
constexpr int32_t kGameOverWait = 501;
constexpr int32_t kUpload = 502;
constexpr int32_t kUploadRetry = 503;
constexpr int32_t kUploadWait = 504;
constexpr int32_t kOffline = 505;
constexpr int32_t kOfflineNotice = 506;
constexpr int32_t kRanking = 550;
constexpr int32_t kRankingWait = 552;
constexpr int32_t kSplash = 110;
constexpr uint32_t kRankTag = objTag("RANK");
constexpr uint32_t kOverTag = objTag("OVER");
constexpr uint32_t kButton1 = 0x10;
constexpr int kUploadAttempts = 3;  // further attempts after the first
constexpr int32_t kNoticeCounts = 10;
constexpr int32_t kNoticeCountFrames = 120;
constexpr int32_t kNoticeSkippableFrom = 7;

// The play is over for the platform; the guest is the player again.
void seqPlayEnded(ObjTask* task, int32_t retries) {
    seqUploadRetries = retries;
    cardProfileResetGuest();
    gamePhase = 6;
    task->state = kRanking;
}

void seqGameOverScene(ObjTask* task) {
    if (!seqIsTraining() && !seqIsScoreAttack() && seqFighterLives()) replayWriteInfo(false);
    OBJtaskCreate(TSKgameOver, 13, kOverTag);
    task->state = kGameOverWait;
}

void seqGameOverGone(ObjTask* task) {
    if (OBJtaskCountByTag(13, kOverTag) > 0) return;
    if (seqIsTraining()) {
        menuResultCode = 7;
        seqGoToSelected();
        OBJtaskReleaseAll(task);
        stageRelease(stageNumber, false);
        return;
    }
    if (seqFighterLives()) {
        SDL2_wheel_SoundStopMusic();
        seqKeepBestPlace(task, seqRecordPlay(false));
    }
    OBJtaskReleaseAll(task);
    stageRelease(stageNumber, false);
    if (seqIsScoreAttack() && !arcadeMode) {
        menuResultCode = 4;
        seqGoToSelected();
        return;
    }
    seqUploadRetries = 0;
    task->state = kUpload;
}

void seqUpload(ObjTask* task) {
    if (cardProfileIsCardUser()) {
        if (playDataUpload() != 0) {
            ++seqUploadRetries;
            task->state = kUploadRetry;
        } else {
            seqUploadRetries = 0;
            task->state = kUploadWait;
        }
        return;
    }
    if (SDL2_wheel_SequenceEndPlay()) seqPlayEnded(task, 0);
}

void seqUploadRetry(ObjTask* task) {
    if (seqUploadRetries > kUploadAttempts) {
        if (abaasGs) abaasGs->online = false;
        task->state = kOffline;
    } else if (playDataUpload() == 0) {
        task->state = kUploadWait;
    } else {
        ++seqUploadRetries;
    }
}

// The game server's answer to the upload, as the keep-alive read it this frame.
void seqUploadWait(ObjTask* task) {
    const int32_t result = keepAlive.frameResult;
    if (result == 1) return;
    if (result == 0 && keepAlive.frameHttpStatus == 200 && keepAlive.frameResultCode == 0) {
        if (SDL2_wheel_SequenceEndPlay()) seqPlayEnded(task, 1);
        return;
    }
    task->state = kUploadRetry;
    ++seqUploadRetries;
}

void seqOffline(ObjTask* task) {
    if (!SDL2_wheel_SequenceEndPlay()) return;
    seqWorkWord(task, kSeqWorkCountdown) = kNoticeCounts;
    seqWorkWord(task, kSeqWorkTick) = 0;
    seqUploadRetries = 0;
    cardProfileResetGuest();
    task->state = kOfflineNotice;
}

// "Could not save the play data", counted down; button 1 skips it once the
// count is low enough.
void seqOfflineNotice(ObjTask* task) {
    continueScreenActive = 1;
    int32_t& countdown = seqWorkWord(task, kSeqWorkCountdown);
    int32_t& tick = seqWorkWord(task, kSeqWorkTick);
    if (++tick > kNoticeCountFrames) {
        tick = 0;
        --countdown;
    }
    const bool skipped = (padPressed & kButton1) != 0 && countdown <= kNoticeSkippableFrom;
    if (countdown > 0 && !skipped) return;
    seqUploadRetries = 0;
    gamePhase = 6;
    task->state = kRanking;
}

void seqRankingScene(ObjTask* task) {
    menuResultCode = 0;
    seqStopSounds();
    OBJtaskCreate(TSKranking, 13, kRankTag);
    task->state = kRanking + 1;
}

void seqRankingWait(ObjTask* task) {
    attractMode = 1;
    if (OBJtaskCountByTag(13, kRankTag) > 0) return;
    task->state = kSplash;
}

}  // namespace

SeqStep seqStepEnd(ObjTask* task) {
    switch (task->state) {
    case kGameOver:
        seqGameOverScene(task);
        break;
    case kGameOverWait:
        seqGameOverGone(task);
        break;
    case kUpload:
        seqUpload(task);
        break;
    case kUploadRetry:
        seqUploadRetry(task);
        break;
    case kUploadWait:
        seqUploadWait(task);
        break;
    case kOffline:
        seqOffline(task);
        break;
    case kOfflineNotice:
        seqOfflineNotice(task);
        break;
    case kRanking:
        seqRankingScene(task);
        break;
    case kRankingWait:
        seqRankingWait(task);
        break;
    default:
        return SeqStep::notMine;
    }
    return SeqStep::done;
}
