// Kind 11: the gunship that rises from below the screen firing upward; its
// script moves it.
#include "game/core/collision.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/zako_small.h"
#include "game/stages/enemies/zako_small_common.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr HitBox kZako11Box[] = {{-1.0f, -1.0f, 16.0f, 13.0f}};

void zako11Update(ObjTask* task, ObjWork* work) {
    if (!zakoSmallBegin(task, work)) return;
    zakoSmallSetBox(work, kZako11Box);
    ++work->age;
}

// Type 4 straight up from a point beside the gun.
void zako11Up(ObjTask* task, float x, float y) { enemyShot(4, 0, 160.0f, objRef(task), x, y); }

}  // namespace

void TSKzako11Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako11Update, true);
        return;
    }
    ObjWork* work = zakoSmallStart(task, 96);
    if (work == nullptr) return;
    work->draw = TSKzako11Draw;
    work->attack = TSKzako11Attack;
    enemy(work).score = 410;
    zakoSmallSetSchedule(work, 0, 20);
    work->pauseRankCut = 0;
}

void TSKzako11Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoSmallDraw(work, 5682, work->angle);
}

void TSKzako11Attack(ObjTask* task, ObjWork* work) {
    const int32_t level = enemyRankLevel();
    const bool even = enemy(work).volleysLeft % 2 == 0;
    const float x = work->x;
    const float y = work->y;
    if (level == 1 && even) zako11Up(task, x, y - 10.0f);
    if (level < 2) return;
    zako11Up(task, x - 10.0f, y);
    zako11Up(task, x, y - 10.0f);
    zako11Up(task, x + 10.0f, y);
    if (level == 3 && even) enemyShotFan(4, 0, 90.0f, 2, 512, objRef(task), x, y - 5.0f);
    if (!fighterIsPowerUp()) return;
    const int32_t aim = zakoSmallAim(x, y);
    enemyShotFan(144, aim, 300.0f, 2, 100, objRef(task), x, y);
    enemyShotFan(144, aim, 300.0f, 2, 140, objRef(task), x, y);
}
