// The item carriers. Their phase is the enemy view's phase (0 arriving, 1
// hovering, 2 drifting on, 3 fleeing), the frames spent fleeing its step,
// the animation cell the work's animFrame.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/objects/item.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/item_carrier.h"
#include "game/stages/rank_carriers.h"

int32_t itemCarrierLive[3];

namespace {

constexpr HitBox kCarrierBox[] = {{0.0f, 0.0f, 24.0f, 24.0f}};

struct CarrierKind {
    int32_t kind, firstFrame, item;
    ObjWorkFn draw, hit;
    ObjTaskFn update, release;
};
const CarrierKind kCarrierKinds[3] = {
    {57, 5516, 12, TSKitemCarrier57Draw, TSKitemCarrier57Hit, TSKitemCarrier57Update, TSKitemCarrier57Free},
    {58, 4818, 10, TSKitemCarrier58Draw, TSKitemCarrier58Hit, TSKitemCarrier58Update, TSKitemCarrier58Free},
    {59, 4813, 5, TSKitemCarrier59Draw, TSKitemCarrier59Hit, TSKitemCarrier59Update, TSKitemCarrier59Free},
};

void carrierNoAttack(ObjTask* task, ObjWork* work) {
    (void)task;
    (void)work;
}

void carrierStart(ObjTask* task, const CarrierKind& k) {
    ObjWork* work = OBJworkNew();
    task->work = work;
    if (work == nullptr) return;
    task->release = k.release;
    enemyAge(task) = 0;
    work->draw = k.draw;
    work->hit = k.hit;
    work->attack = carrierNoAttack;
    work->depth = 455.0f;
    work->angle = 0.0f;
    EnemyFields& e = enemy(work);
    e.hp = enemyScaleHp(32);
    e.score = 0;
    e.offscreenTimer = 3960;
    work->enemyAgeLimit = 3840;
    e.sizeClass = 1;
    e.phase = 0;
    e.step = 0;
    work->animFrame = 0;
    e.firstFrameSeen = 0;
    enemySelectMoveScript(work, enemySpawnParam(task));
    ++itemCarrierLive[k.kind - 57];
    task->state = kObjStateRun;
}

void carrierPhase(ObjWork* work, float arrival) {
    EnemyFields& e = enemy(work);
    switch (e.phase) {
    case 0:
        if (work->y < arrival) break;
        work->speed -= 0.15f;
        if (work->speed < 0.1f) {
            work->speed = 0.1f;
            e.phase = 1;
        }
        break;
    case 1:
        if (work->age > 480) e.phase = 2;
        break;
    case 2:
        work->speed = std::min(work->speed + 0.001f, 1.5f);
        break;
    default:
        work->speed = std::max(std::min(work->speed, 1.5f) - 0.1f, -8.0f);
        if (++e.step > 10) work->animFrame = std::min(work->animFrame + 1, 3);
        break;
    }
}

void carrierUpdate(ObjTask* task, const CarrierKind& k) {
    ObjWork* work = task->work;
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (k.kind == 57 && !enemyIsSpecialMode()) task->state = kObjStateEnd;
    if (work->lifeState == 3) return;
    EnemyFields& e = enemy(work);
    e.firstFrameSeen = 1;
    const float arrival = bossPresentFlag != 0 ? 100.0f : 60.0f;
    const bool hittable = e.phase != 3 && work->y >= arrival && work->hitsOff == 0;
    work->hitBoxes = hittable ? kCarrierBox : nullptr;
    work->hitBoxCount = hittable ? 1 : 0;
    carrierPhase(work, arrival);
    const double h = double(work->heading) * 2.0 * std::numbers::pi / 1024.0;
    work->vx = float(std::sin(h) * double(work->speed));
    work->vy = float(-std::cos(h) * double(work->speed));
    work->x += work->vx;
    work->y += work->vy;
    ++work->age;
}

void carrierAct(ObjTask* task, const CarrierKind& k) {
    if (task->state == kObjStateInit) {
        carrierStart(task, k);
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        k.update(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void carrierHit(ObjWork* work, const CarrierKind& k) {
    const ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter == nullptr) return;
    EnemyFields& e = enemy(work);
    e.hp -= hitter->life;
    if (e.hp >= 0) return;
    e.hp = 1;
    if (e.phase == 3) return;
    SDL2_wheel_SoundPlaySE(10, false);
    e.phase = 3;
    TSKitemCreate(k.item, 512, 20.0f, 0, 0, work->x, work->y + 20.0f);
}

void carrierDraw(ObjWork* work, const CarrierKind& k) {
    const int32_t flash = enemy(work).flashTimer;
    if (flash == 3 || flash == 4) {
        work->r = 255;
        work->g = work->b = 160;
    }
    OBJdrawSprite(work, k.firstFrame + work->animFrame, work->x, work->y, 455, work->scaleX, work->scaleY,
                  work->angle, 1.0f, 0);
    work->r = work->g = work->b = 255;
    enemyDrawExitMarker(work);
}

void carrierFree(ObjTask* task, const CarrierKind& k) {
    TSKgameCtrlKill(task);
    --itemCarrierLive[k.kind - 57];
}

}  // namespace

int32_t itemCarrierLiveOf(int32_t kind) { return kind >= 57 && kind <= 59 ? itemCarrierLive[kind - 57] : 0; }

void TSKitemCarrier57Act(ObjTask* task) { carrierAct(task, kCarrierKinds[0]); }
void TSKitemCarrier58Act(ObjTask* task) { carrierAct(task, kCarrierKinds[1]); }
void TSKitemCarrier59Act(ObjTask* task) { carrierAct(task, kCarrierKinds[2]); }
void TSKitemCarrier57Update(ObjTask* task) { carrierUpdate(task, kCarrierKinds[0]); }
void TSKitemCarrier58Update(ObjTask* task) { carrierUpdate(task, kCarrierKinds[1]); }
void TSKitemCarrier59Update(ObjTask* task) { carrierUpdate(task, kCarrierKinds[2]); }
void TSKitemCarrier57Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    carrierDraw(work, kCarrierKinds[0]);
}
void TSKitemCarrier58Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    carrierDraw(work, kCarrierKinds[1]);
}
void TSKitemCarrier59Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    carrierDraw(work, kCarrierKinds[2]);
}
void TSKitemCarrier57Hit(ObjTask* task, ObjWork* work) {
    (void)task;
    carrierHit(work, kCarrierKinds[0]);
}
void TSKitemCarrier58Hit(ObjTask* task, ObjWork* work) {
    (void)task;
    carrierHit(work, kCarrierKinds[1]);
}
void TSKitemCarrier59Hit(ObjTask* task, ObjWork* work) {
    (void)task;
    carrierHit(work, kCarrierKinds[2]);
}
void TSKitemCarrier57Free(ObjTask* task) { carrierFree(task, kCarrierKinds[0]); }
void TSKitemCarrier58Free(ObjTask* task) { carrierFree(task, kCarrierKinds[1]); }
void TSKitemCarrier59Free(ObjTask* task) { carrierFree(task, kCarrierKinds[2]); }
