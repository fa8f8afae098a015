// Provisional: the stage family replaces this file.
#include "game/core/game_sequence.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/wheel_log.h"
#include "game/stages/stage_services.h"
#include "game/stages/stage_words_provisional.h"

int32_t itemCarrierChangeTimer = 0;
int32_t itemCarrierBombTimer = 0;
int32_t stageProgress = 0;
int32_t stagePreloadWord = 0;
int32_t stageFieldFrames = kStageFieldFrames;

namespace {

constexpr uint32_t kButton3 = 0x40;

void noImages(int32_t) {}

// The images themselves are read by the stage load.
void logReader(int32_t) { SDL2_wheel_Log("stageInitReadThread : stage %d", stageNumber); }

void fieldKill(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

}  // namespace

void (*const stageInitReadThreadTable[kStageReaders])(int32_t) = {noImages, logReader, logReader,
                                                                   logReader, logReader, logReader};

void stageFieldProvisionalAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = fieldKill;
        task->actWords[0] = 0;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        ++stageFrame;
        // Stands in for the fighter's last life lost, so the continue can be reached by hand.
        if ((padPressed & kButton3) != 0 && gamePhase == 3) {
            seqContinue();
            break;
        }
        if (++task->actWords[0] >= stageFieldFrames) {
            task->state = kObjStateEnd;
            seqStageClear();
        }
        break;
    default:
        if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
    }
}

void (*const stageFieldActTable[kStageFields])(ObjTask*) = {stageFieldProvisionalAct, stageFieldProvisionalAct,
                                                           stageFieldProvisionalAct, stageFieldProvisionalAct,
                                                           stageFieldProvisionalAct, stageFieldProvisionalAct};
