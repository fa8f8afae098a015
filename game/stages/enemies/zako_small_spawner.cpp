// The spawners 140 and 141 and their children, kinds 8 and 13: a spawner
// flies its script and drops a child every 15 (10) frames until it has
// counted extra[0] of them. Kind 8 dives and swerves once below the
// fighter; kind 13 crosses sideways and turns back after extra[1] frames.
// The child count is the enemy view's spawnedChildren, kind 13's animation
// counter the work's animCounter.
#include <numbers>

#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/wheel_angle.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_small.h"
#include "game/stages/enemies/zako_small_common.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr HitBox kZako08Box[] = {{0.0f, -1.0f, 10.0f, 14.0f}};
constexpr HitBox kZako13Box[] = {{0.0f, 0.0f, 15.0f, 10.0f}};

void spawnerNoDraw(ObjTask* task, ObjWork* work) {
    (void)task;
    (void)work;
}

// A child is counted even when the pool gives no task or work for it.
void spawnerDrop(ObjWork* spawner, ObjTaskFn act, int32_t kind, float speed, int32_t heading) {
    ObjTask* child = OBJtaskCreate(act, kEnemyGroup, kEnemyTag);
    if (child != nullptr) {
        enemySpawnParam(child) = -1;
        act(child);
    }
    if (child != nullptr && child->work != nullptr) {
        ObjWork* work = child->work;
        work->kind = kind;
        work->x = spawner->x;
        work->y = spawner->y;
        enemy(work).steerSpeed = speed;
        work->heading = heading;
        if (kind == 13) enemy(work).spawnExtras[1] = enemy(spawner).spawnExtras[1];
    }
    ++enemy(spawner).spawnedChildren;
}

void spawnerUpdate(ObjTask* task, ObjWork* work) {
    if (!zakoSmallBegin(task, work)) return;
    zakoSmallVelocityStep(work);
    EnemyFields& e = enemy(work);
    const bool drops = work->kind == 140 ? work->age % 15 == 0 : work->age % 10 == 0;
    if (drops) {
        if (work->kind == 140) {
            spawnerDrop(work, TSKzako08Act, 8, 3.0f, 512);
        } else {
            spawnerDrop(work, TSKzako13Act, 13, 5.0f, work->x > 112.0f ? 738 : 286);
        }
        if (e.spawnedChildren >= e.spawnExtras[0]) task->state = kObjStateEnd;
    }
    ++work->age;
}

void spawnerStart(ObjTask* task) {
    ObjWork* work = zakoSmallStart(task, 48);
    if (work == nullptr) return;
    work->depth = 440.0f;
    work->draw = spawnerNoDraw;
    work->attack = TSKenemyNoAttack;
    enemy(work).score = 420;
    enemy(work).spawnedChildren = 0;
    zakoSmallSetSchedule(work, 0, 20);
    work->pauseRankCut = 0;
}

void zako08Update(ObjTask* task, ObjWork* work) {
    if (!zakoSmallBegin(task, work)) return;
    zakoSmallSetBox(work, kZako08Box);
    zakoSmallVelocityStep(work);
    EnemyFields& e = enemy(work);
    float fx = 0.0f;
    float fy = 0.0f;
    enemyPlayerPos(&fx, &fy);
    if (e.turnMode == 0 && fy < work->y) e.turnMode = work->x <= fx ? 2 : 1;
    if (e.turnMode == 1) work->heading = SDL2_wheel_AngleClamp(768, work->heading, 10);
    if (e.turnMode == 2) work->heading = SDL2_wheel_AngleClamp(256, work->heading, 10);
    ++work->age;
}

void zako13Turn(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t turnAt = e.spawnExtras[1] != 0 ? e.spawnExtras[1] : 35;
    if (e.turnMode == 0 && work->age == turnAt) e.turnMode = 2;
    if (e.turnMode == 1 && work->age == turnAt) e.turnMode = 3;
    if (e.turnMode == 2 || e.turnMode == 3) {
        work->heading = SDL2_wheel_AngleClamp(e.turnMode == 2 ? 286 : 738, work->heading, 25);
        if (work->age == turnAt + 20) e.turnMode = 4;
    }
    if (e.turnMode >= 2) ++work->animCounter;
    work->angle = float(work->heading + 512) * 2.0f * std::numbers::pi_v<float> / 1024.0f;
}

void zako13Update(ObjTask* task, ObjWork* work) {
    const bool first = enemy(work).firstFrameSeen == 0;
    if (!zakoSmallBegin(task, work)) return;
    zakoSmallSetBox(work, kZako13Box);
    zakoSmallVelocityStep(work);
    if (first) enemy(work).turnMode = work->x <= 112.0f ? 1 : 0;
    zako13Turn(work);
    ++work->age;
}

}  // namespace

void TSKzako140Act(ObjTask* task) {
    if (task->state == kObjStateInit) {
        spawnerStart(task);
        return;
    }
    zakoSmallRun(task, spawnerUpdate, true);
}

void TSKzako141Act(ObjTask* task) { TSKzako140Act(task); }

void TSKzako08Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako08Update, true);
        return;
    }
    ObjWork* work = zakoSmallStart(task, 16);
    if (work == nullptr) return;
    work->draw = TSKzako08Draw;
    work->attack = TSKzako08Attack;
    EnemyFields& e = enemy(work);
    e.score = 170;
    zakoSmallSetSchedule(work, 0, 30);
    if (enemyRankLevel() == 0) e.volleysLeft = stageNumber == 5 ? 3 : 2;
    work->pauseRankCut = 0;
    e.turnMode = 0;
}

void TSKzako08Attack(ObjTask* task, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const int32_t aim = zakoSmallAim(work->x, work->y);
    switch (enemyRankLevel()) {
    case 0:
        if (e.turnMode == 0 && e.volleyIndex % 3 == 0) zakoSmallShot(task, 139, aim, 110.0f);
        break;
    case 1:
        if (e.turnMode == 0 && e.volleyIndex % 2 == 0) zakoSmallShot(task, 139, aim, 130.0f);
        break;
    case 2:
        zakoSmallShot(task, 139, aim, 130.0f);
        break;
    default:
        zakoSmallShot(task, 139, aim, 130.0f);
        zakoSmallShot(task, 139, aim, 150.0f);
        break;
    }
}

void TSKzako08Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    const int32_t aim = zakoSmallAim(work->x, work->y);
    const int32_t d = ((aim + 64) % 1024) * 8 / 1024;
    enemyPointBlankTint(work);
    const int32_t layer = int32_t(work->depth);
    OBJdrawSprite(work, 5669 + d, work->x, work->y, layer, work->scaleX, work->scaleY, work->angle, 1.0f, 0);
    OBJdrawSprite(work, 5636 + 4 * d + work->age % 4, work->x, work->y, layer, work->scaleX, work->scaleY,
                  work->angle, 1.0f, 0);
    enemyDrawExitMarker(work);
}

void TSKzako13Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako13Update, true);
        return;
    }
    ObjWork* work = zakoSmallStart(task, 32);
    if (work == nullptr) return;
    work->draw = TSKzako13Draw;
    work->hit = TSKzako13Hit;
    work->attack = TSKzako13Attack;
    enemy(work).score = 660;
    static constexpr int32_t kPauses[4] = {14, 12, 9, 7};
    zakoSmallSetSchedule(work, 0, kPauses[enemyRankLevel() & 3]);
    work->pauseRankCut = 0;
}

void TSKzako13Attack(ObjTask* task, ObjWork* work) {
    const int32_t index = enemy(work).volleyIndex;
    const int32_t aim = zakoSmallAim(work->x, work->y);
    switch (enemyRankLevel()) {
    case 0:
        if (index % 3 == 0) zakoSmallShot(task, 133, aim, 110.0f);
        break;
    case 1:
        if (index % 2 == 0) zakoSmallShot(task, 133, aim, 150.0f);
        break;
    default:
        zakoSmallShot(task, 133, aim, 190.0f);
        break;
    }
}

void TSKzako13Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoSmallDraw(work, 5690 + work->animCounter % 16, work->angle);
}

void TSKzako13Hit(ObjTask* task, ObjWork* work) {
    (void)task;
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter != nullptr) enemyDamage(work, hitter);
}
