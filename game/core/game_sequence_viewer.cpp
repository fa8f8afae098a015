// The replay viewer: a kept replay played back stage after stage, from the
// first stage the replay list chose, each stage ending in its stage-clear
// scene; left and right change its speed (the game main update).
#include <cstdio>
#include <string>

#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/input_words.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/screen_effects.h"
#include "game/core/stage_load.h"
#include "game/frontend/menus/replay_list.h"
#include "game/frontend/scenes.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/hud.h"
#include "game/objects/play_record_block.h"
#include "game/records/settings_file.h"
#include "game/stages/stage_field.h"

int32_t seqViewerStage = 0;

namespace {

constexpr int32_t kChoose = 600;
constexpr int32_t kTasks = 601;
constexpr int32_t kLoad = 602;
constexpr int32_t kPreload = 603;
constexpr int32_t kStage = 604;
constexpr int32_t kWatch = 605;
constexpr int32_t kLeave = 606;
constexpr int32_t kStageClear = 610;
constexpr int32_t kStageClearWait = 611;
constexpr int32_t kLastStage = 5;
constexpr int32_t kFirstScoreAttackCategory = 4;
constexpr uint32_t kReturnToMenuBit = 0x200;
constexpr int32_t kReplayListCode = 5;

enum PauseChoice : int32_t { kRestartStage = 1, kRestartGame = 2, kReturnToMenu = 3 };

void normalSpeed() {
    actPassCount = 1;
    actPassRequest = 1;
}

// The play's tasks without a play record and without the demo's flag: a
// watched replay is not a demo.
void viewerTasks(ObjTask* task) {
    OBJtaskCreate(TSKinfoAct, 13, objTag("INFO"));
    OBJtaskCreate(TSKfighterAct, 9, objTag("FIGH"));
    replayPlaybackFlag = 0;
    replayIoMode = 0;
    replayInputIndex = 0;
    playRecordBlock.fill(0);
    slowMotionFrames = 0;
    slowMotionPeriod = 0;
    slowMotionPeriodInUse = 0;
    task->state = kLoad;
}

// A stage file that can't be played leaves replayIoMode at 0, so the watch
// ends at once and the viewer goes back to its list.
void viewerLoad(ObjTask* task) {
    char name[32];
    std::snprintf(name, sizeof name, "/rep_st%02d.dat", int(seqViewerStage));
    if (!replayLoad(replayChosenFolder + name)) {
        replayIoMode = 0;
        task->state = kWatch;
        return;
    }
    stageNumber = replayHeader.startStage;
    if (gameSettings.THREAD_READ == 1 && (seqViewerStage == 1 || replayHeader.category >= kFirstScoreAttackCategory)) {
        stagePreloadWord = 0;
    }
    playIsRecorded = 0;
    task->state = kPreload;
}

SeqStep viewerStage(ObjTask* task) {
    replayIoMode = 2;
    stageLoad(stageNumber, false);
    if (seqIsScoreAttack()) {
        fighterSetEntryWord(5);
        fighterResetCreditCount();
    }
    normalSpeed();
    gamePhase = 3;
    task->actWords[kSeqActFrameCounter] = 0;
    fadeInWhite(30);
    task->state = kWatch;
    return SeqStep::chain;
}

void viewerRestart(ObjTask* task, int32_t next) {
    pauseChoice = 0;
    seqStopSounds();
    OBJtaskReleaseAll(task);
    normalSpeed();
    task->state = next;
}

void viewerWatch(ObjTask* task) {
    ++task->actWords[kSeqActFrameCounter];
    if ((padPressed & kReturnToMenuBit) != 0 || pauseChoice == kReturnToMenu || replayIoMode == 0) {
        task->state = kLeave;
        pauseChoice = 0;
    } else if (pauseChoice == kRestartStage) {
        playIsRecorded = 0;
        viewerRestart(task, kTasks);
        fadeInWhite(30);
    } else if (pauseChoice == kRestartGame) {
        viewerRestart(task, kChoose);
        TSKfadeStart(-1, kFadeIn, 255, 255, 255, 1.0f);
    }
}

void viewerLeave(ObjTask* task) {
    normalSpeed();
    seqStopSounds();
    stageRelease(stageNumber, false);
    OBJtaskReleaseAll(task);
    gamePhase = 1;
    replayIoMode = 0;
    menuResultCode = kReplayListCode;
    seqGoToSelected();
}

// A score-attack replay holds one stage; a story replay goes on to its next.
void viewerStageCleared(ObjTask* task) {
    if (OBJtaskCountByTag(13, objTag("STGC")) > 0) return;
    if (replayHeader.category >= kFirstScoreAttackCategory) {
        task->state = kLeave;
        return;
    }
    ++seqViewerStage;
    task->state = seqViewerStage > kLastStage ? kLeave : kLoad;
}

}  // namespace

SeqStep seqStepViewer(ObjTask* task) {
    switch (task->state) {
    case kChoose:
        seqViewerStage = replayChosenFirstStage;
        task->state = kTasks;
        return SeqStep::done;
    case kTasks:
        viewerTasks(task);
        return SeqStep::done;
    case kLoad:
        viewerLoad(task);
        return SeqStep::done;
    case kPreload:
        seqResetPreload();
        task->state = kStage;
        return SeqStep::done;
    case kStage:
        return viewerStage(task);
    case kWatch:
        viewerWatch(task);
        return SeqStep::done;
    case kLeave:
        viewerLeave(task);
        return SeqStep::done;
    case kStageClear:
        normalSpeed();
        OBJtaskCreate(TSKstageClear, 13, objTag("STGC"));
        task->state = kStageClearWait;
        return SeqStep::done;
    case kStageClearWait:
        viewerStageCleared(task);
        return SeqStep::done;
    default:
        return SeqStep::notMine;
    }
}
