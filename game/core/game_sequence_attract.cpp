// The attract demo: a stored replay played back through the ordinary game
// while nobody plays, the five files in turn.
#include <cstdio>

#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/input_words.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/stage_load.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/records/paths.h"

int32_t seqAttractIndex = 0;

namespace {

constexpr int32_t kLoad = 350;
constexpr int32_t kStart = 351;
constexpr int32_t kStage = 352;
constexpr int32_t kWatch = 353;
constexpr int32_t kEnd = 354;
constexpr int32_t kSplash = 110;
constexpr int32_t kTitle = 200;
constexpr int32_t kRanking = 550;
constexpr int32_t kAttractFiles = 5;
// Nobody can end a demo in its first second, so a START meant for the
// title doesn't end the demo that just began.
constexpr int32_t kUnbrokenFrames = 60;
constexpr uint32_t kButton1 = 0x10;

// A file that can't be played is skipped: the demo ends as if it had run.
void attractLoad(ObjTask* task) {
    char name[64];
    std::snprintf(name, sizeof name, "resource/data/attract_%02d.dat", int(seqAttractIndex));
    seqAttractIndex = seqAttractIndex + 1 < kAttractFiles ? seqAttractIndex + 1 : 0;
    if (!replayLoad(makeResourcePath(name))) {
        task->state = kEnd;
        return;
    }
    stageNumber = replayHeader.startStage;
    seqResetPreload();
    playIsRecorded = 0;
    task->state = kStart;
}

SeqStep attractStage(ObjTask* task) {
    // The fighter plays as the leader the file was recorded with.
    fighterSetType(replayHeader.leaderType);
    stageLoad(stageNumber, false);
    fighterResetPosition();
    task->actWords[kSeqActFrameCounter] = 0;
    task->state = kWatch;
    return SeqStep::chain;
}

// True when the demo ends this frame; gamePhase then says where to go.
bool attractEnds(int32_t frames) {
    if (frames <= kUnbrokenFrames) return gamePhase != 5 || replayIoMode == 0;
    const bool button1 = (padPressed & kButton1) != 0;
    if (arcadeMode && startRequest) {
        gamePhase = 1;
        return true;
    }
    if (arcadeMode) {
        if (button1) gamePhase = 6;
        if (replayIoMode == 2) return gamePhase != 5;
        gamePhase = 6;
        return true;
    }
    if (button1) {
        gamePhase = 1;
        return true;
    }
    if (replayIoMode == 2) return false;
    gamePhase = 6;
    return true;
}

void attractWatch(ObjTask* task) {
    if (!attractEnds(++task->actWords[kSeqActFrameCounter])) return;
    seqStopSounds();
    task->state = kEnd;
}

void attractEnd(ObjTask* task) {
    stageRelease(stageNumber, false);
    OBJtaskReleaseAll(task);
    stageImageSlotsFree();
    replayInputFree();
    replayIoMode = 0;
    task->state = gamePhase == 1 ? kTitle : gamePhase == 6 ? kRanking : kSplash;
}

}  // namespace

SeqStep seqStepAttract(ObjTask* task) {
    switch (task->state) {
    case kLoad:
        attractLoad(task);
        return SeqStep::done;
    case kStart:
        gamePhase = 5;
        seqResetPreload();
        playStartReplay();
        task->state = kStage;
        return SeqStep::done;
    case kStage:
        return attractStage(task);
    case kWatch:
        attractWatch(task);
        return SeqStep::done;
    case kEnd:
        attractEnd(task);
        return SeqStep::done;
    default:
        return SeqStep::notMine;
    }
}
