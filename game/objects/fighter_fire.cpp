// The fighter's volleys.
#include "game/objects/fighter_fire.h"

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/objects/fshot.h"
#include "game/objects/fshot_fighter.h"
#include "game/objects/fshot_tables.h"

namespace {

constexpr float kFireTurnRadians = 6.2831855f;

bool fighterFireAllowed(ObjWork* f) {
    const FighterFields& v = fighter(f);
    if (v.fireLock > 0 || !fshotFighterAnyReady(f) || f->life < 1) return false;
    return (v.fireFrame & 1) != 0;
}

int32_t fireSound(bool powered, int32_t mode) {
    if (powered) return mode == 0 ? 32 : 33;
    return mode == 0 ? 30 : 31;
}

// One shot of the volley; false when the pool is empty.
bool fighterFireShot(ObjTask* fighterTask, const FireRow& row) {
    ObjWork* f = fighterTask->work;
    ObjTask* task = OBJtaskCreateSetUp(TSKfshotAct, kFshotGroup, kFshotTag);
    if (task == nullptr) return false;
    ObjWork* work = task->work;
    work->x = f->x + float(row.x);
    work->y = f->y + float(row.y);
    work->heading = (row.heading % 1024 + 1024) % 1024;
    work->angle = float(work->heading) * kFireTurnRadians / 1024.0f;
    work->speed = row.speed;
    work->kind = row.kind;
    work->life = row.damage;
    shot(work).weaponMode = fighter(f).weaponMode;
    shot(work).side = row.side;
    shot(work).volleySerial = fighter(f).shotSerial;
    TSKeffectCreate(row.effectKind, work->heading, 0.0f, row.effectParam, 0, objRef(fighterTask),
                    float(row.effectX), float(row.effectY));
    return true;
}

}  // namespace

void TSKfighterFire(ObjTask* fighterTask) {
    if (fighterTask == nullptr || fighterTask->work == nullptr) return;
    ObjWork* f = fighterTask->work;
    if (!fighterFireAllowed(f)) return;
    FighterFields& v = fighter(f);
    ++v.shotSerial;
    const bool powered = v.powerUp != 0;
    const FirePattern& pattern = kFirePatterns[size_t(fireTableIndex(powered, v.weaponMode, v.type))];
    if (kFireCaps[size_t(v.type & 3)] - fshotCounters.own < 2) return;
    for (const FireRow& row : pattern) {
        if (!fighterFireShot(fighterTask, row)) break;
    }
    SDL2_wheel_SoundPlaySE(fireSound(powered, v.weaponMode), false);
}
