// Kinds 2 and 0: the common small air enemy and its homing sibling.
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_small.h"
#include "game/stages/enemies/zako_small_common.h"
#include "game/stages/rank_carriers.h"

#include <numbers>

namespace {

constexpr HitBox kZako02Box[] = {{0.0f, 0.0f, 14.0f, 14.0f}};
constexpr HitBox kZako00Box[] = {{0.0f, 0.0f, 15.0f, 15.0f}};

void zako02Update(ObjTask* task, ObjWork* work) {
    if (!zakoSmallBegin(task, work)) return;
    zakoSmallSetBox(work, kZako02Box);
    const int32_t mode = enemySpawnParam(task);
    if (mode == 1) {
        zakoSmallHome(work);
    } else if (mode == 0) {
        zakoSmallVelocityStep(work);
        float& speed = enemy(work).steerSpeed;
        speed = speed - 0.05f < -200.0f ? -200.0f : speed - 0.05f;
    }
    ++work->age;
}

void zako00Update(ObjTask* task, ObjWork* work) {
    if (!zakoSmallBegin(task, work)) return;
    zakoSmallSetBox(work, kZako00Box);
    zakoSmallHome(work);
    ++work->age;
}

}  // namespace

void TSKzako02Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako02Update, true);
        return;
    }
    ObjWork* work = zakoSmallStart(task, 16);
    if (work == nullptr) return;
    EnemyFields& e = enemy(work);
    work->draw = TSKzako02Draw;
    work->attack = TSKzako02Attack;
    e.score = 110;
    zakoSmallSetSchedule(work, randRange(72), 72);
    work->enemyAgeLimit = 3630;
}

void TSKzako02Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    const float angle = float(zakoSmallAim(work->x, work->y)) * 2.0f * std::numbers::pi_v<float> / 1024.0f;
    zakoSmallDraw(work, 5627, angle);
}

void TSKzako02Attack(ObjTask* task, ObjWork* work) {
    const int32_t aim = zakoSmallAim(work->x, work->y);
    switch (enemyRankLevel()) {
    case 0:
        if (work->y < 200.0f) zakoSmallShot(task, 37, aim, 160.0f);
        break;
    case 1:
        if (work->y < 240.0f) zakoSmallShot(task, 37, aim, 160.0f);
        break;
    case 2:
        zakoSmallShot(task, 37, aim, 225.0f);
        break;
    default:
        zakoSmallShot(task, 37, aim - 46, 210.0f);
        zakoSmallShot(task, 37, aim, 225.0f);
        zakoSmallShot(task, 37, aim + 46, 210.0f);
        break;
    }
}

void TSKzako00Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako00Update, true);
        return;
    }
    ObjWork* work = zakoSmallStart(task, 16);
    if (work == nullptr) return;
    EnemyFields& e = enemy(work);
    work->draw = TSKzako00Draw;
    work->hit = TSKzako00Hit;
    work->attack = TSKzako00Attack;
    e.score = 280;
    zakoSmallSetSchedule(work, 10, 32);
}

void TSKzako00Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoSmallDraw(work, 5621, work->angle);
}

void TSKzako00Attack(ObjTask* task, ObjWork* work) {
    const int32_t aim = zakoSmallAim(work->x, work->y);
    switch (enemyRankLevel()) {
    case 0:
        if (work->y < 200.0f) zakoSmallShot(task, 3, aim, 300.0f);
        break;
    case 1:
        zakoSmallShot(task, 3, aim, 300.0f);
        break;
    case 2:
        zakoSmallShot(task, 3, aim - 64, 285.0f);
        zakoSmallShot(task, 3, aim, 300.0f);
        zakoSmallShot(task, 3, aim + 64, 285.0f);
        break;
    default:
        zakoSmallShot(task, 3, aim - 86, 285.0f);
        zakoSmallShot(task, 3, aim - 43, 285.0f);
        zakoSmallShot(task, 3, aim, 300.0f);
        zakoSmallShot(task, 3, aim + 43, 285.0f);
        zakoSmallShot(task, 3, aim + 86, 285.0f);
        break;
    }
}

void TSKzako00Hit(ObjTask* task, ObjWork* work) {
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter != nullptr) enemyDamage(work, hitter);
    const int32_t level = enemyRankLevel();
    if (work->lifeState != 3 || !fighterIsPowerUp() || level < 2) return;
    zakoSmallShot(task, 150, enemyAngleToPlayer(work->x, work->y), 600.0f);
}
