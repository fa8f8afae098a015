// The sequence's starts of a score-attack and a training play, and the end
// of the game from the menus.
#include <algorithm>

#include "game/core/app_switches.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/stage_load.h"
#include "game/frontend/scenes.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_services.h"

namespace {

constexpr int32_t kScoreAttackStart = 2120;
constexpr int32_t kScoreAttackImages = 2122;
constexpr int32_t kScoreAttackStage = 2123;
constexpr int32_t kTrainingStart = 2160;
constexpr int32_t kTrainingImages = 2162;
constexpr int32_t kTrainingStage = 2163;
constexpr int32_t kTrainingValues = 2164;
constexpr int32_t kExit = 2200;
constexpr int32_t kPlaying = 302;
constexpr int32_t kOriginal = 2;
constexpr int32_t kEntryWord = 5;
constexpr int32_t kMostLivesOrStock = 6;

// percent % of whole, truncated; wide enough for any setting.
int32_t seqPercentOf(int32_t percent, int32_t whole) { return int32_t(int64_t(percent) * whole / 100); }

void seqResetPreload() {
    if (gameSettings.THREAD_READ == 1) stagePreloadWord = 0;
}

// The stage's images are read ahead unless the settings leave that to the stage load.
void seqReadAhead(ObjTask* task, int32_t next) {
    if (gameSettings.THREAD_READ == 1) {
        stagePreloadWord = 0;
    } else if (stageNumber >= 0 && stageNumber < kStageReaders) {
        stageInitReadThreadTable[size_t(stageNumber)](0);
    }
    task->state = next;
}

void seqFighterEntry() {
    fighterSetEntryWord(kEntryWord);
    fighterResetCreditCount();
}

// A score-attack play is always played in ORIGINAL.
void seqScoreAttackStart(ObjTask* task) {
    setGameMode(kOriginal);
    if (arcadeMode) {
        setLeaderType(arcadeScoreAttackChoice.leaderType);
        setAutoGameSystem(arcadeScoreAttackChoice.assist);
        setDramaticMode(arcadeScoreAttackChoice.dramatic);
        stageNumber = seqCheckedSetting("score attack stage", arcadeScoreAttackChoice.stage, 1, 5);
    } else {
        setLeaderType(gameSettings.SCOREATTACK_LEADERFIGHTERTYPE);
        setAutoGameSystem(gameSettings.SCOREATTACK_AUTOGAMESYSTEM);
        setDramaticMode(gameSettings.SCOREATTACK_DRAMATICSELECT);
        stageNumber = seqCheckedSetting("SCOREATTACK_STAGE", gameSettings.SCOREATTACK_STAGE, 1, 5);
    }
    seqResetPreload();
    playStart();
    replayMakeFolder();
    task->state = kScoreAttackStart + 1;
}

void seqScoreAttackStage(ObjTask* task) {
    replayIoMode = 1;
    settingsSnapshot = gameSettings;
    stageLoad(stageNumber, false);
    seqFighterEntry();
    gamePhase = 3;
    task->state = kScoreAttackStage + 1;
}

// No replay folder is made and the recorder is left as it is.
void seqTrainingStart(ObjTask* task) {
    setGameMode(gameSettings.TRAINING_GAMEMODE);
    setLeaderType(gameSettings.TRAINING_LEADERFIGHTERTYPE);
    setAutoGameSystem(gameSettings.TRAINING_AUTOGAMESYSTEM);
    setDramaticMode(gameSettings.TRAINING_DRAMATICSELECT);
    stageNumber = seqCheckedSetting("TRAINING_STAGE", gameSettings.TRAINING_STAGE, 0, 5);
    trainingStartStage = stageNumber;
    seqResetPreload();
    playStart();
    task->state = kTrainingStart + 1;
}

void seqTrainingStage(ObjTask* task) {
    settingsSnapshot = gameSettings;
    fighterResetPosition();
    stageLoad(stageNumber, false);
    gamePhase = 3;
    task->state = kTrainingValues;
}

void seqTrainingValues(ObjTask* task) {
    seqApplyTrainingValues();
    fighterSetLives(std::min(gameSettings.trainingWordA, kMostLivesOrStock));
    fighterSetStock(std::min(gameSettings.trainingWordB, kMostLivesOrStock));
    fighterSetType(gameSettings.TRAINING_FIGHTERTYPE);
    fighterAddDestruction(gameSettings.TRAINING_DESTRUCTION);
    seqFighterEntry();
    task->state = kPlaying;
}

}  // namespace

SeqStep seqStepMenus(ObjTask* task) {
    switch (task->state) {
    case kScoreAttackStart:
        seqScoreAttackStart(task);
        break;
    case kScoreAttackImages:
        seqReadAhead(task, kScoreAttackStage);
        break;
    case kScoreAttackStage:
        seqScoreAttackStage(task);
        break;
    case kTrainingStart:
        seqTrainingStart(task);
        break;
    case kTrainingImages:
        seqReadAhead(task, kTrainingStage);
        break;
    case kTrainingStage:
        seqTrainingStage(task);
        break;
    case kTrainingValues:
        seqTrainingValues(task);
        break;
    case kExit:
        gameExitRequested = 1;
        break;
    default:
        return SeqStep::notMine;
    }
    return SeqStep::done;
}

void seqApplyTrainingValues() {
    const int32_t point = seqCheckedSetting("TRAINING_STARTPOINT", gameSettings.TRAINING_STARTPOINT, 0, 3);
    const int32_t stage = std::clamp(stageNumber, 0, 5);
    stageFrame = kSeqStartPointTable[size_t(point + 4 * stage)];
    fighterSetRank(gameSettings.TRAINING_RANK);
    fighterSetBonusCounter(gameSettings.TRAINING_BONUSCOUNTER);
    fighterSetEnergy(seqPercentOf(gameSettings.TRAINING_ENERGY, 10000));
    fighterSetPowerUp(gameSettings.TRAINING_POWERUP != 0);
    itemCarrierChangeTimer = seqPercentOf(gameSettings.TRAINING_ITEMCARRIER_CHANGE, 18000);
    itemCarrierBombTimer = seqPercentOf(gameSettings.TRAINING_ITEMCARRIER_BOMB, 18000);
    fighterSetEntryWord(kEntryWord);
}
