// The fighter shots: act, update, draw, hit and release.
#include "game/objects/fshot.h"

#include <cmath>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fshot_fighter.h"
#include "game/objects/fshot_tables.h"

FshotCounters fshotCounters{};

namespace {

constexpr float kFshotTurnRadians = 6.2831855f;
constexpr int32_t kFshotSparkKind = 57;

bool fshotIsTypeC(int32_t kind) { return kind >= 14 && kind <= 20; }
bool fshotDrawnUnrotated(int32_t kind) { return (kind >= 17 && kind <= 20) || (kind >= 24 && kind <= 27); }

void fshotCount(const ObjWork* work, int32_t by) {
    fshotCounters.all += by;
    if (fshotIsOwnKind(work->kind)) {
        fshotCounters.own += by;
    } else {
        fshotCounters.gun += by;
    }
}

const FshotKindRow& fshotRow(const ObjWork* work) {
    return kFshotKindTable[size_t(work->kind >= 0 && work->kind < kFshotKinds ? work->kind : 0)];
}

void fshotFirstUpdate(ObjWork* work) {
    shot(work).counted = 1;
    fshotCount(work, 1);
    if (ObjWork* fighterWork = fighterGetWork()) shot(work).weaponMode = fighter(fighterWork).weaponMode;
    fshotSetHitBox(work);
}

bool fshotFireLocked() {
    ObjWork* fighterWork = fighterGetWork();
    return fighterWork != nullptr && fighter(fighterWork).fireLock >= 1;
}

bool fshotOffScreen(const ObjWork* work) {
    return work->x < -32.0f || work->x > 256.0f || work->y < -32.0f || work->y > 320.0f;
}

}  // namespace

bool fshotIsOwnKind(int32_t kind) { return kind % 7 <= 2; }

void TSKfshotAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        if (ObjWork* work = OBJworkSetUp(task, {TSKfshotKill, TSKfshotDraw, TSKfshotHit, 602.0f})) {
            shot(work).frameCount = 0;
        }
        break;
    case kObjStateRun:
        TSKfshotUpdate(task);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void fshotSetHitBox(ObjWork* work) {
    if (work->hitsOff != 0) {
        work->hitBoxes = nullptr;
        work->hitBoxCount = 0;
        return;
    }
    work->hitBoxes = &kFshotHitBoxes[size_t(work->kind >= 0 && work->kind < kFshotKinds ? work->kind : 0)];
    work->hitBoxCount = 1;
}

void TSKfshotUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    ShotFields& s = shot(work);
    if (s.counted == 0) fshotFirstUpdate(work);
    if (fshotIsTypeC(work->kind) && s.weaponMode == 1 && s.frameCount > 4) {
        task->state = kObjStateEnd;
        return;
    }
    const float radians = float(work->heading) * kFshotTurnRadians / 1024.0f;
    work->vx = std::sin(radians) * work->speed;
    work->vy = -std::cos(radians) * work->speed;
    work->x += work->vx;
    work->y += work->vy;
    work->angle = fshotDrawnUnrotated(work->kind) ? 0.0f : radians;
    s.angleRadians = work->angle;
    ++s.frameCount;
    if (fshotFireLocked() || fshotOffScreen(work)) task->state = kObjStateEnd;
}

void TSKfshotDraw(ObjTask*, ObjWork* work) {
    const FshotKindRow& row = fshotRow(work);
    OBJdrawSprite(work, row.sprite + shot(work).frameCount % row.frames, work->x, work->y, int32_t(work->depth),
                  work->scaleX, work->scaleY, work->angle, 1.0f, 0);
}

void TSKfshotHit(ObjTask* task, ObjWork* work) {
    if (work->hit == nullptr) return;
    work->hit = nullptr;
    task->state = kObjStateEnd;
    const FshotKindRow& row = fshotRow(work);
    float x = work->x, y = work->y;
    SDL2_wheel_AngleSinCos(work->heading, &x, &y, float(row.distance));
    const int32_t effectHeading = work->heading - 16 + randRange(32);
    TSKeffectCreate(row.hitEffect, effectHeading, 0.0f, shot(work).side, 0, ObjRef{}, x, y);
    const int32_t sparkHeading = work->heading - 32 + randRange(64);
    const float sparkSpeed = float(3 + randRange(6));
    TSKeffectCreate(kFshotSparkKind, sparkHeading, sparkSpeed, 0, 0, ObjRef{}, x, y);
}

// Only a counted shot gives its count back: a shot released before its first
// update (a stage's release of every task) was never counted.
void TSKfshotKill(ObjTask* task) {
    ObjWork* work = task->work;
    if (work != nullptr && shot(work).counted != 0) fshotCount(work, -1);
    OBJworkFree(work);
    task->work = nullptr;
}
