// Provisional: the stage family replaces this file.
#include "game/core/game_sequence.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/wheel_log.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
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

// The field hands the fighter to the player at fixed ages of its own:
// control, the second start flag off, power drain and the leader's first
// words, then the late start flag (weapons on).
void stageFieldFighterStart(int32_t age) {
    const int32_t first = stageNumber == 1 ? 10 : 5;
    const int32_t second = stageNumber == 1 ? 60 : 10;
    if (age == first) {
        fighterSetControl(1);
        fighterSetAbsent(0);
        fighterSetPowerDrain(1);
        charVoiceMessage(fighterGetType(), 0);
    }
    if (age == second) fighterSetWeaponsOn(1);
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
        stageFieldFighterStart(++task->actWords[1]);
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
