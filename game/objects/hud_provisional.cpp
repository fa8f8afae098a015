// Provisional: the head-up display replaces this file. The least of its act:
// the work record and the voice-message timers.
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/hud.h"
#include "game/objects/voice_message.h"

namespace {
constexpr float kHudProvisionalDepth = 900.0f;
}

void TSKinfoAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = TSKgameCtrlKill;
        if (task->work) task->work->depth = kHudProvisionalDepth;
        voiceMessageReset();
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        voiceMessageStep();
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}
