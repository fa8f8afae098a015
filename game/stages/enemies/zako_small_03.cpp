// Kinds 3 and 4: sideways swoopers, kind 4 the mirror of kind 3.
#include "game/core/collision.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_small.h"
#include "game/stages/enemies/zako_small_common.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr HitBox kZako03Box[] = {{0.0f, 0.0f, 40.0f, 40.0f}};

// What differs between the mirrored pair.
struct Zako03Side {
    int32_t startHeading, upHeading, downHeading, frame;
};
constexpr Zako03Side kZako03Sides[2] = {{768, 968, 568, 5629}, {256, 56, 456, 5631}};

// By the kind the spawner wrote after the act's first run.
const Zako03Side& zako03Side(const ObjWork* work) { return kZako03Sides[work->kind == 4 ? 1 : 0]; }

void zako03Turn(ObjWork* work, const Zako03Side& side) {
    EnemyFields& e = enemy(work);
    float fx = 0.0f;
    float fy = 0.0f;
    enemyPlayerPos(&fx, &fy);
    const bool past = work->kind == 4 ? work->x > fx : fx > work->x;
    if (e.turnMode == 0 && past) {
        e.turnMode = work->y > fy ? 1 : 2;
        if (e.turnMode == 2) e.bankCounter = 63;
    }
    const bool even = work->age % 2 == 0;
    if (e.turnMode == 1) {
        work->heading = SDL2_wheel_AngleClamp(side.upHeading, work->heading, 3);
        if (even && e.bankCounter < 27) ++e.bankCounter;
    } else if (e.turnMode == 2) {
        work->heading = SDL2_wheel_AngleClamp(side.downHeading, work->heading, 3);
        if (even && e.bankCounter > 43) --e.bankCounter;
    }
}

void zako03Update(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool first = e.firstFrameSeen == 0;
    if (!zakoSmallBegin(task, work)) return;
    const Zako03Side& side = zako03Side(work);
    if (first) {
        e.steerSpeed = 8.0f;
        work->heading = side.startHeading;
        e.bankCounter = 0;
    }
    zakoSmallSetBox(work, kZako03Box);
    zakoSmallVelocityStep(work);
    zako03Turn(work, side);
    ++work->age;
}

void zako03Start(ObjTask* task) {
    ObjWork* work = zakoSmallStart(task, 16);
    if (work == nullptr) return;
    EnemyFields& e = enemy(work);
    work->hit = TSKzako03Hit;
    e.fireAlways = 1;
    zakoSmallSetSchedule(work, 0, enemyRankLevel() == 1 ? 30 : 20);
    work->pauseRankCut = 0;
    e.turnMode = 0;
}

// Both kinds' attack: aimed, and at levels 0 and 1 only while flying
// straight.
void zako03Attack(ObjTask* task, ObjWork* work) {
    const int32_t aim = zakoSmallAim(work->x, work->y);
    const bool straight = enemy(work).turnMode == 0;
    switch (enemyRankLevel()) {
    case 0:
        if (straight) zakoSmallShot(task, 139, aim, 250.0f);
        break;
    case 1:
        if (straight) zakoSmallShot(task, 139, aim, 300.0f);
        break;
    default:
        zakoSmallShot(task, 139, aim, 400.0f);
        break;
    }
}

}  // namespace

void TSKzako03Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako03Update, true);
        return;
    }
    zako03Start(task);
    if (task->work == nullptr) return;
    task->work->draw = TSKzako03Draw;
    task->work->attack = TSKzako03Attack;
    enemy(task->work).score = 170;
}

void TSKzako04Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako03Update, true);
        return;
    }
    zako03Start(task);
    if (task->work == nullptr) return;
    task->work->draw = TSKzako04Draw;
    task->work->attack = TSKzako04Attack;
    enemy(task->work).score = 220;
}

void TSKzako03Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoSmallDraw(work, kZako03Sides[0].frame + enemy(work).bankCounter, work->angle);
}

void TSKzako04Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoSmallDraw(work, kZako03Sides[1].frame + enemy(work).bankCounter, work->angle);
}

void TSKzako03Attack(ObjTask* task, ObjWork* work) { zako03Attack(task, work); }
void TSKzako04Attack(ObjTask* task, ObjWork* work) { zako03Attack(task, work); }

void TSKzako03Hit(ObjTask* task, ObjWork* work) {
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter != nullptr) enemyDamage(work, hitter);
    if (work->lifeState != 3 || enemyRankLevel() != 3) return;
    zakoSmallShot(task, 133, enemyAngleToPlayer(work->x, work->y), 600.0f);
}
