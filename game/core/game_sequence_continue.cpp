// The continue: the countdown over the frozen play, paid with a credit on
// the cabinet, and the way back into the play.
#include <algorithm>

#include "game/core/apm_glue.h"
#include "game/core/app_switches.h"
#include "game/core/coin_hook.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/input_words.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/sound_requests.h"
#include "game/core/stage_load.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/records/play_voice.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "platform/arcade/apm.h"

namespace {

constexpr int32_t kContinue = 1100;
constexpr int32_t kCountdown = 1101;
constexpr int32_t kResume = 1102;
constexpr int32_t kPlaying = 302;
constexpr int32_t kTitle = 200;
constexpr int32_t kCounts = 10;
constexpr int32_t kCountFrames = 180;
constexpr int32_t kSkippableFrom = 7;
constexpr int32_t kResumeFrames = 10;
constexpr uint32_t kButton1 = 0x10;
constexpr uint32_t kButton2 = 0x20;
constexpr uint32_t kStartBit = 0x8000;
constexpr int kCreditAdded = 0;
constexpr int kGameOverVoice = 1;
constexpr int kContinuePrompt = 2;
constexpr int32_t kAcceptEffect = 0;
constexpr int32_t kCountEffect = 2;
constexpr int32_t kPlayKind = 116;

bool seqNoContinue() { return fighterGetNoContinue() != 0; }

// The buttons newly pressed, while there is a fighter to continue with.
uint32_t seqFighterPressed() { return fighterGetWork() ? padPressed : 0; }

void seqContinueOpens(ObjTask* task) {
    continueScreenActive = 1;
    SDL2_wheel_SoundPauseAll();
    seqWorkWord(task, kSeqWorkTick) = 0;
    seqWorkWord(task, kSeqWorkCountdown) = kCounts;
    pauseAllowed = 0;
    if (!seqIsScoreAttack() && !seqNoContinue()) seqLeaderVoice(kContinuePrompt);
    task->state = kCountdown;
}

// One count down: its tick, and the leader says the new number.
void seqCountDrop(ObjTask* task) {
    SDL2_wheel_SoundPlaySE(kCountEffect, false);
    int32_t& countdown = seqWorkWord(task, kSeqWorkCountdown);
    --countdown;
    seqWorkWord(task, kSeqWorkTick) = 0;
    if (countdown >= 0) playCharacterVoice(selectedLeaderType, countdown);
}

void seqContinueAccepted(ObjTask* task) {
    SDL2_wheel_SoundPlaySE(kAcceptEffect, false);
    seqWorkWord(task, kSeqWorkResumeDelay) = kResumeFrames;
    pauseAllowed = 1;
    task->state = kResume;
}

void seqContinueRefused() {
    SDL2_wheel_SoundStopMusic();
    SDL2_wheel_SoundResumeAll();
    seqGameOver();
    seqLeaderVoice(kGameOverVoice);
}

// The platform would not take the continue: back to the title, no game over.
void seqContinueNotPaid(ObjTask* task) {
    seqStopSounds();
    stageRelease(stageNumber, false);
    OBJtaskReleaseAll(task);
    gamePhase = 1;
    task->state = kTitle;
}

void seqCabinetCountdown(ObjTask* task) {
    const int32_t credit = SDL2_wheel_CreditGet();
    if (credit > 0 && (padPressed & kStartBit) != 0) {
        ApmSequenceResult result;
        if (_Sequence_continuePlay(1, kPlayKind, ApmPlayDescriptor{true, kPlayKind, 1}, &result, true)) {
            seqContinueAccepted(task);
        } else {
            seqContinueNotPaid(task);
        }
        return;
    }
    int32_t& countdown = seqWorkWord(task, kSeqWorkCountdown);
    if ((seqFighterPressed() & kButton1) != 0 && countdown <= kSkippableFrom) seqCountDrop(task);
    // A coin or a new credit starts the count again.
    if (credit != seqLastCredit || coinFlag != 0) {
        seqWorkWord(task, kSeqWorkTick) = 0;
        countdown = kCounts;
        seqLeaderVoice(kCreditAdded);
    }
    seqLastCredit = credit;
    if (countdown <= -1) seqContinueRefused();
}

// Button 1 continues, button 2 gives up; both on one frame end the play.
void seqHomeCountdown(ObjTask* task) {
    const uint32_t pressed = seqFighterPressed();
    if ((pressed & kButton1) != 0) seqContinueAccepted(task);
    if (seqWorkWord(task, kSeqWorkCountdown) <= -1 || (pressed & kButton2) != 0) seqContinueRefused();
}

void seqCountdown(ObjTask* task) {
    if (seqIsScoreAttack() || seqNoContinue()) {
        replayWriteInfo(false);
        SDL2_wheel_SoundStopMusic();
        SDL2_wheel_SoundResumeAll();
        seqGameOver();
        return;
    }
    continueScreenActive = 1;
    if (++seqWorkWord(task, kSeqWorkTick) > kCountFrames) seqCountDrop(task);
    if (arcadeMode) {
        seqCabinetCountdown(task);
    } else {
        seqHomeCountdown(task);
    }
}

void seqResume(ObjTask* task) {
    continueScreenActive = 1;
    if (--seqWorkWord(task, kSeqWorkResumeDelay) > 0) return;
    if (!seqIsTraining()) seqKeepBestPlace(task, seqRecordPlay(false));
    SDL2_wheel_SoundResumeAll();
    task->state = kPlaying;
    fighterResetPosition();
    fighterContinueReturn();
    fighterSetControl(1);
    fighterSetWeaponsOn(1);  // the second control flag
    fighterSetHold(0);
    // The score's last digit counts the continues.
    if (fighterGetWork()) fighterAddScore(uint64_t(std::max(fighterGetCreditCount() - 1, 0)));
    eshotCancelClear();
    eshotCancelRequest(120, -1, nullptr, 0, 0);
    charVoiceMessage(fighterGetType(), 13);
}

}  // namespace

SeqStep seqStepContinue(ObjTask* task) {
    switch (task->state) {
    case kContinue:
        seqContinueOpens(task);
        break;
    case kCountdown:
        seqCountdown(task);
        break;
    case kResume:
        seqResume(task);
        break;
    default:
        return SeqStep::notMine;
    }
    return SeqStep::done;
}
