#include "game/core/play_start.h"

#include "game/core/game_main.h"
#include "game/core/obj_task.h"
#include "game/core/replay_files.h"
#include "game/frontend/ending/ending.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/fighter.h"
#include "game/objects/hud.h"
#include "game/objects/play_record_block.h"
#include "game/records/play_records.h"
#include "game/records/settings_file.h"
#include "game/stages/rank_carriers.h"

uint8_t replayPlaybackFlag = 0;

namespace {

constexpr int kInfoGroup = 13;
constexpr int kFighterGroup = 9;
constexpr int32_t kReplayOff = 0;
constexpr int32_t kReplayPlayback = 2;

void startPlayTasks(uint8_t playback, int32_t replayMode) {
    if (OBJtaskCreate(TSKinfoAct, kInfoGroup, objTag("INFO")) != nullptr) {
        OBJtaskCreate(TSKfighterAct, kFighterGroup, objTag("FIGH"));
    }
    replayPlaybackFlag = playback;
    replayIoMode = replayMode;
    replayInputIndex = 0;
    playRecordBlock.fill(0);
    endingReached = 0;
}

void clearSlowMotion() {
    slowMotionFrames = 0;
    slowMotionPeriod = 0;
    slowMotionPeriodInUse = 0;
}

}  // namespace

void playStart() {
    // The fighter sets up from the settings in force (its starting life)
    // before the first stage load takes them: a snapshot left by an
    // earlier play, or none, must not reach it.
    settingsSnapshot = gameSettings;
    // Its rank starts from the rank counter, which still holds the last
    // play's rank until the first stage load clears it.
    rankCounter = 0;
    startPlayTasks(0, kReplayOff);
    playRecordBegin();
    clearSlowMotion();
    resultLineUsed = {};
}

void playStartReplay() {
    startPlayTasks(1, kReplayPlayback);
    clearSlowMotion();
}
