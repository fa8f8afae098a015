// The fighter task: input and replay words, the task states, the set-up and
// the bank animation.
#include "game/objects/fighter.h"

#include <algorithm>

#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_fire.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/fighter_steps.h"
#include "game/objects/gun_units.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kFighterInvulnerableAtSetUp = 60;

FighterInput fighterLastInput{};

// The pads while playing; recorded, or taken from the recording, once the
// task runs. Every call draws the frame's value 0..99, recorded or not.
void fighterSampleInput(const ObjTask* task) {
    FighterInput input{};
    if (gamePhase == 3) input = {padHeld & 0x0F, padHeld & 0xF0, padPressed & 0xF0};
    const uint32_t drawn = uint32_t(randRange(100));
    if (task->state >= kObjStateRun) {
        if (replayIoMode == 1) replayRecordFrame(padHeld, padPressed, drawn);
        ReplayFrameInput played{};
        if (replayIoMode == 2 && replayPlayFrame(played)) input = {played.directions, played.buttons, played.pressed};
    }
    fighterLastInput = input;
}

void fighterMakeGunUnits(ObjTask* task) {
    FighterFields& f = fighter(task->work);
    for (int32_t index = 0; index < 2; ++index) {
        ObjTask* gun = OBJtaskCreateTail(TSKgunAct, kGunGroup, kGunTag);
        if (!gun) continue;
        gun->parent = objRef(task);
        TSKgunAct(gun);
        if (!gun->work) continue;
        gunSetIndex(gun->work, index);
        f.gunUnits[index] = objRef(gun);
    }
}

}  // namespace

const FighterInput& fighterInput() { return fighterLastInput; }

void TSKfighterInit(ObjTask* task) {
    ObjWork* work = OBJworkNew();
    if (!work) return;
    task->work = work;
    task->release = TSKgameCtrlKill;
    work->draw = TSKfighterDraw;
    work->hit = TSKfighterHit;
    work->x = 128.0f;
    work->y = 144.0f;
    work->depth = kFighterDepth;
    work->angle = 0.0f;
    work->animFrame = kFighterBankLevel;
    work->animCount = kFighterBankFrames;
    FighterFields& f = fighter(work);
    f.bankStep = kFighterBankStep;
    fighterBankAnim(task);
    work->life = settingsSnapshot.systemWord;  // word 48, the starting life
    work->speed = kFighterStartSpeed;
    std::fill(std::begin(f.teamGauges), std::end(f.teamGauges), kFighterGaugeFull);
    f.type = std::clamp(selectedLeaderType, 0, kFighterTypes - 1);
    f.rank = std::clamp(rankCounter, 0, kFighterRankMax);
    f.invulnerable = std::max(f.invulnerable, kFighterInvulnerableAtSetUp);
    work->hitBoxes = work->hitsOff ? nullptr : &fighterHitBoxTable[kHitBoxNormal];
    work->hitBoxCount = work->hitsOff ? 0 : 1;
    fighterMakeGunUnits(task);
    fighterStageSnapshot(false);
    std::fill(std::begin(f.history), std::end(f.history), ObjPoint{work->x, work->y});
    f.giveUpHoldCount = f.giveUpDone = 0;
}

void TSKfighterAct(ObjTask* task) {
    fighterSampleInput(task);
    switch (task->state) {
    case kObjStateInit:
        TSKfighterInit(task);
        if (task->work) task->state = kObjStateRun;
        break;
    case kObjStateRun:
        TSKfighterUpdate(task);
        if (task->state != kObjStateRun) break;
        fighterBankAnim(task);
        TSKfighterFire(task);
        break;
    case kFighterStateWaiting:
        task->state = fighterAnyReady() ? kObjStateRun : kFighterStateWaitingReady;
        break;
    case kFighterStateWaitingReady:
        if (fighterAnyReady()) task->state = kObjStateRun;
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void fighterBankAnim(ObjTask* task) {
    ObjWork* work = task->work;
    if (!work) return;
    FighterFields& f = fighter(work);
    if (!f.control) {
        work->animFrame = kFighterBankLevel;
        return;
    }
    const uint32_t direction = fighterLastInput.direction & 0x0F;
    const bool moves = kFighterDirectionHeading[direction] >= 0;
    int32_t wanted = 0;
    if (moves && (direction & 0x4) != 0) wanted = -1;
    if (moves && (direction & 0x8) != 0) wanted = 1;
    if (wanted == 0) {
        if (work->animFrame == kFighterBankLevel) {
            f.bankStep = kFighterBankStep;
            return;
        }
        wanted = work->animFrame < kFighterBankLevel ? 1 : -1;
    }
    if (--f.bankStep > 0) return;
    f.bankStep = kFighterBankStep;
    work->animFrame = std::clamp(work->animFrame + wanted, 0, kFighterBankFrames - 1);
}
