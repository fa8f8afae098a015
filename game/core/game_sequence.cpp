// The game-control task: its first states, the dispatch of the others to
// the families of states in the game_sequence_*.cpp files, and the
// operations the other parts steer it with.
#include "game/core/game_sequence.h"

#include <algorithm>

#include "game/core/app_switches.h"
#include "game/core/apm_glue.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/game_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_log.h"
#include "game/frontend/scenes.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/stage_field.h"

ObjTask* seqTask = nullptr;
int32_t seqUploadRetries = 0;
int32_t seqLastCredit = 0;

namespace {

constexpr int32_t kBoot = 0;
constexpr int32_t kBootChoice = 100;
constexpr int32_t kFirstScene = 130;
constexpr int32_t kTestMenu = 3100;
constexpr int32_t kStageClear = 400;
constexpr int32_t kGameOver = 500;
constexpr int32_t kContinue = 1100;
// The replay viewer's states that these operations enter.
constexpr int32_t kViewerPlay = 605;
constexpr int32_t kViewerStageClear = 610;
constexpr int32_t kReplayViewer = 6;
constexpr int32_t kAttractFirst = 350;
constexpr int32_t kAttractLast = 354;
constexpr int32_t kTraining = 8;
constexpr int32_t kScoreAttack = 2;
// A chain longer than this would be a loop in the tables.
constexpr int kMaxChain = 4;

void seqBoot(ObjTask* task) {
    task->flags |= kObjTaskPersistent;
    seqTask = task;
    task->release = TSKgameCtrlKill;
    task->work = OBJworkNew();
    if (task->work) task->work->draw = TSKgameCtrlDraw;
    pauseAllowed = 0;
    pauseChoice = 0;
    gamePhase = 0;
    task->state = kBootChoice;
}

SeqStep seqStepBoot(ObjTask* task) {
    switch (task->state) {
    case kBoot:
        seqBoot(task);
        return SeqStep::done;
    case kBootChoice:
        task->state = toolMode ? kTestMenu : kFirstScene;
        return SeqStep::done;
    default:
        return SeqStep::notMine;
    }
}

SeqStep seqStepOnce(ObjTask* task) {
    for (SeqStep (*family)(ObjTask*) :
         {seqStepBoot, seqStepScenes, seqStepPlay, seqStepEnd, seqStepContinue, seqStepMenus, seqStepAttract,
          seqStepViewer}) {
        const SeqStep step = family(task);
        if (step != SeqStep::notMine) return step;
    }
    return SeqStep::done;
}

// The stage's replay file; the prologue has none.
void seqSaveStageReplay() {
    if (stageNumber == 0) return;
    replaySave(replayStagePath());
    replayIoMode = 0;
}

// The end of a stage or of the fighter's lives during the attract demo ends
// the demo as its input running out would, instead of turning it into a
// play that nobody plays.
bool seqDemoPlaying() {
    if (seqTask->state < kAttractFirst || seqTask->state > kAttractLast) return false;
    replayIoMode = 0;
    return true;
}

// Stands in for the work record's words when the pool had none to give.
int32_t spareWord = 0;

}  // namespace

void TSKgameCtrlAct(ObjTask* task) {
    continueScreenActive = 0;
    for (int i = 0; i < kMaxChain && seqStepOnce(task) == SeqStep::chain; ++i) {
    }
}

void TSKgameCtrlKill(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
    if (seqTask == task) seqTask = nullptr;
}

void seqStageClear() {
    if (!seqTask || seqDemoPlaying()) return;
    if (menuResultCode == kReplayViewer) {
        seqTask->state = kViewerStageClear;
        return;
    }
    seqSaveStageReplay();
    gamePhase = 4;
    seqTask->state = kStageClear;
}

void seqGameOver() {
    if (!seqTask || seqDemoPlaying()) return;
    if (menuResultCode == kReplayViewer) {
        seqTask->state = kViewerPlay;
        return;
    }
    seqSaveStageReplay();
    seqTask->state = kGameOver;
}

void seqContinue() {
    if (!seqTask || seqDemoPlaying()) return;
    seqTask->state = kContinue;
    seqLastCredit = SDL2_wheel_CreditGet();
}

void seqGoToSelected() {
    if (!seqTask || menuResultCode < 0 || menuResultCode >= kSeqResultCodes) return;
    if (menuResultCode == 14 || menuResultCode == 15) {
        gameSettings.GAME_SYSTEM = menuResultCode == 14 ? 1 : 0;
        configSave();
        SDL2_wheel_SoundStopMusic();
        SDL2_wheel_SoundPlayMusic(32);
    }
    seqTask->state = kSeqResultStates[size_t(menuResultCode)];
}

void seqGoToTestMenu() {
    if (!seqTask || testMenuResultCode < 0 || testMenuResultCode >= kSeqTestChoices) return;
    seqTask->state = kSeqTestMenuStates[size_t(testMenuResultCode)];
}

// A replay watched in the viewer is a score-attack play when its header says so.
bool seqIsScoreAttack() {
    return menuResultCode == kScoreAttack || (menuResultCode == kReplayViewer && replayHeader.category >= 4);
}

void seqResetPreload() {
    if (gameSettings.THREAD_READ == 1) stagePreloadWord = 0;
}

bool seqIsTraining() { return menuResultCode == kTraining; }

void seqStopSounds() {
    SDL2_wheel_SoundStopMusic();
    if (GameTask* game = GameTask::getInstance()) game->stopAllSounds();
}

bool seqFighterLives() { return OBJtaskCountByTag(9, objTag("FIGH")) > 0; }

void seqKeepBestPlace(ObjTask* task, int32_t place) {
    int32_t& best = task->actWords[kSeqActBestPlace];
    best = std::max(best, place);
}

int32_t& seqWorkWord(ObjTask* task, int index) {
    if (!task->work) return spareWord;
    return task->work->family.words[index];
}

void seqLeaderVoice(int column) {
    const int32_t leader = selectedLeaderType;
    if (leader < 0 || leader >= kSeqLeaders) return;
    const SeqLeaderVoices& row = kSeqLeaderVoiceTable[size_t(leader)];
    const int32_t ids[] = {row.creditAdded, row.gameOver, row.continuePrompt};
    SDL2_wheel_SoundPlaySE(ids[column], false);
}

int32_t seqCheckedSetting(const char* key, int32_t value, int32_t lo, int32_t hi) {
    const int32_t kept = std::clamp(value, lo, hi);
    if (kept != value) SDL2_wheel_Log("%s=%d is out of range %d..%d: %d is used", key, value, lo, hi, kept);
    return kept;
}
