// Provisional: the fighter family replaces this file.
#include <algorithm>

#include "game/core/game_sequence.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/fighter_services.h"
#include "game/records/play_selection.h"

namespace {

constexpr uint32_t kButton3 = 0x40;

FighterWork fighterRecord;
ObjTask* fighterTask = nullptr;

void fighterKill(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
    if (fighterTask == task) fighterTask = nullptr;
}

void infoKill(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

}  // namespace

FighterWork* fighterWork() { return fighterTask ? &fighterRecord : nullptr; }

void TSKfighterAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = fighterKill;
        fighterTask = task;
        fighterRecord = FighterWork{};
        fighterRecord.type = selectedLeaderType;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        fighterRecord.pressedButtons = padPressed;
        if ((padPressed & kButton3) != 0 && !continueScreenActive) seqContinue();
        break;
    default:
        if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
    }
}

void TSKinfoAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = infoKill;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        break;
    default:
        if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
    }
}

void fighterResetPosition() {
    if (FighterWork* f = fighterWork()) f->creditCounter = std::min(f->creditCounter + 1, 10);
}

void fighterSetControl(bool on) {
    if (FighterWork* f = fighterWork()) f->control = on;
}
void fighterSetControl2(bool on) {
    if (FighterWork* f = fighterWork()) f->control2 = on;
}
void fighterSetHold(int32_t hold) {
    if (FighterWork* f = fighterWork()) f->hold = hold;
}
void fighterSetRank(int32_t rank) {
    if (FighterWork* f = fighterWork()) f->rank = rank;
}
void fighterSetBonusCounter(int32_t count) {
    if (FighterWork* f = fighterWork()) f->bonusCounter = count;
}
void fighterSetEnergy(int32_t energy) {
    if (FighterWork* f = fighterWork()) f->energy = energy;
}
void fighterSetPowerUp(bool on) {
    if (FighterWork* f = fighterWork()) f->powerUp = on;
}
void fighterSetType(int32_t type) {
    if (FighterWork* f = fighterWork()) f->type = type;
}
void fighterAddDestruction(int32_t count) {
    if (FighterWork* f = fighterWork()) f->destruction += count;
}
void fighterAddScore(uint64_t amount) {
    if (FighterWork* f = fighterWork()) f->score += amount;
}
int32_t fighterGetType() { return fighterTask ? fighterRecord.type : selectedLeaderType; }

void charVoiceMessage(int32_t, int32_t) {}
void eshotCancelClear() {}
void eshotCancelRequest(int32_t, int32_t, int32_t, int32_t, int32_t) {}
void playCharacterVoice(int32_t, int32_t) {}
