// The sequence during a play: play start, the stage loads, the pause menu's
// choices and the return to the menu, and what follows a cleared stage.
#include <cstdint>

#include "game/core/app_switches.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/input_words.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/core/stage_load.h"
#include "game/frontend/scenes.h"

namespace {

constexpr int32_t kPlayStart = 300;
constexpr int32_t kStageStart = 301;
constexpr int32_t kPlaying = 302;
constexpr int32_t kStageRestart = 303;
constexpr int32_t kStageRestarted = 304;
constexpr int32_t kRestartDone = 305;
constexpr int32_t kAssistSelect = 260;
constexpr int32_t kEnding = 450;
constexpr int32_t kGameOver = 500;
constexpr int32_t kLastStage = 5;
constexpr uint32_t kReturnToMenuBit = 0x200;

enum PauseChoice : int32_t { kRestartStage = 1, kRestartGame = 2, kReturnToMenu = 3 };

void seqReturnToMenu(ObjTask* task) {
    const bool training = seqIsTraining();
    const bool scoreAttack = seqIsScoreAttack();
    seqStopSounds();
    stageRelease(stageNumber, false);
    OBJtaskReleaseAll(task);
    gamePhase = 1;
    stageImageSlotsFree();
    menuResultCode = training ? 7 : scoreAttack ? 1 : 3;
    seqGoToSelected();
    pauseChoice = 0;
}

void seqRestartStage(ObjTask* task) {
    playIsRecorded = seqIsScoreAttack();
    pauseChoice = 0;
    seqStopSounds();
    stageRelease(stageNumber, true);
    task->state = kStageRestart;
}

// A story game starts again from stage 1, not from the prologue; training
// and score attack only restart their stage, no longer recorded.
void seqRestartGame(ObjTask* task) {
    pauseChoice = 0;
    if (seqIsTraining() || seqIsScoreAttack()) {
        playIsRecorded = 0;
        seqStopSounds();
        stageRelease(stageNumber, true);
        task->state = kStageRestart;
        return;
    }
    playIsRecorded = 1;
    seqStopSounds();
    OBJtaskReleaseAll(task);
    stageRelease(stageNumber, false);
    TSKfadeStart(-1, kFadeIn, 8, 8, 8, 1.0f);
    seqResetPreload();
    stageNumber = 1;
    playStart();
    task->state = kStageStart;
}

// Off the cabinet the player may leave or restart the play.
void seqPlaying(ObjTask* task) {
    if (arcadeMode) return;
    if ((padPressed & kReturnToMenuBit) != 0 || pauseChoice == kReturnToMenu) {
        seqReturnToMenu(task);
    } else if (pauseChoice == kRestartStage) {
        seqRestartStage(task);
    } else if (pauseChoice == kRestartGame) {
        seqRestartGame(task);
    }
}

SeqStep seqPlayStart(ObjTask* task) {
    task->actWords[kSeqActBestPlace] = -1;
    seqResetPreload();
    stageNumber = 0;
    playStart();
    replayMakeFolder();
    task->state = kStageStart;
    return SeqStep::chain;
}

void seqStartStage(ObjTask* task) {
    replayIoMode = 1;
    stageLoad(stageNumber, false);
    gamePhase = 3;
    fadeInWhite(30);
    task->state = kPlaying;
}

SeqStep seqStageRestarted(ObjTask* task) {
    task->state = kRestartDone;
    if (seqIsTraining()) seqApplyTrainingValues();
    fadeInWhite(30);
    return SeqStep::chain;
}

}  // namespace

SeqStep seqStepPlay(ObjTask* task) {
    switch (task->state) {
    case kPlayStart:
        return seqPlayStart(task);
    case kStageStart:
        seqStartStage(task);
        return SeqStep::done;
    case kPlaying:
        seqPlaying(task);
        return SeqStep::done;
    case kStageRestart:
        stageLoad(stageNumber, true);
        gamePhase = 3;
        task->state = kStageRestarted;
        return SeqStep::done;
    case kStageRestarted:
        return seqStageRestarted(task);
    default:
        return SeqStep::notMine;
    }
}

void seqStageClearGone(ObjTask* task) {
    if (seqIsScoreAttack()) {
        seqKeepBestPlace(task, seqRecordPlay(true));
        replayWriteInfo(true);
        SDL2_wheel_SoundStopMusic();
        OBJtaskReleaseAll(task);
        task->state = kGameOver;
        playFinished = 1;
        return;
    }
    stageNumber += 1;
    if (seqIsTraining()) {
        SDL2_wheel_SoundStopMusic();
        OBJtaskReleaseAll(task);
        menuResultCode = 7;
        seqGoToSelected();
        return;
    }
    if (stageNumber > kLastStage) {
        SDL2_wheel_SoundStopMusic();
        seqKeepBestPlace(task, seqRecordPlay(true));
        replayWriteInfo(true);
        OBJtaskReleaseAll(task);
        playFinished = 1;
        task->state = kEnding;
        return;
    }
    replayWriteInfo(false);
    // After the prologue the player chooses the assist and the leader.
    task->state = stageNumber == 1 ? kAssistSelect : kStageStart;
}
