// Provisional: the fighter family replaces this file.
#include <algorithm>

#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter_values.h"
#include "game/records/play_selection.h"

namespace {

FighterWork values;
uint32_t valuesSerial = 0;

const ObjTask* fighterTask() {
    const ObjTaskGroup& group = OBJtaskGroup(9);
    for (const ObjTask* task = group.head.next; task != &group.tail; task = task->next) {
        if (task->tag == objTag("FIGH") && task->work) return task;
    }
    return nullptr;
}

}  // namespace

FighterWork* fighterWork() {
    const ObjTask* task = fighterTask();
    if (!task) return nullptr;
    // The work record's serial tells a new fighter from the last one.
    if (task->work->serial != valuesSerial) {
        valuesSerial = task->work->serial;
        values = FighterWork{};
        values.type = selectedLeaderType;
    }
    return &values;
}

uint32_t fighterPressedButtons() { return fighterTask() ? padPressed : 0; }

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
int32_t fighterGetType() {
    const FighterWork* f = fighterWork();
    return f ? f->type : selectedLeaderType;
}

void charVoiceMessage(int32_t, int32_t) {}
