#include "game/bosses/boss_parts.h"

#include "game/core/obj_ref.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/bosses/boss_shape.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_step_parts.h"

namespace {

constexpr int32_t kBossPartBombGroup = 16;

}  // namespace

ObjWork* bossPartNew(ObjTask* task, ObjTaskFn release) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return nullptr;
    }
    task->work = work;
    task->release = release;
    enemyAge(task) = 0;
    work->parentWork = task->parent;
    return work;
}

ObjTask* bossSpawnPart(ObjTask* boss, ObjTaskFn act) {
    ObjTask* task = OBJtaskCreate(act, kEnemyGroup, kEnemyTag);
    if (task == nullptr) return nullptr;
    task->parent = objRef(boss);
    enemySpawnParam(task) = -1;
    act(task);
    return task->work != nullptr ? task : nullptr;
}

void bossEndParts(ObjWork* boss, ObjTaskFn act) {
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
        if (t->act != act || t->work == nullptr || t->work->lifeState == 3) return;
        if (bossPartBoss(t->work) == boss) enemyStartDying(t->work);
    });
}

void bossFreeWithLinks(ObjTask* task) {
    if (task->work == nullptr) return;
    bossEndLinks(task->work);
    OBJworkFree(task->work);
    task->work = nullptr;
}

ObjWork* bossPartBoss(ObjWork* part) { return objRefWork(part->parentWork); }

void TSKbossPartHit(ObjTask*, ObjWork* work) {
    ObjTask* hitter = objRefTask(work->lastCollider);
    if (hitter == nullptr || hitter->work == nullptr || hitter->group == kBossPartBombGroup) return;
    ObjWork* boss = bossPartBoss(work);
    if (boss == nullptr) return;
    boss->lastCollider = work->lastCollider;
    enemyDamage(boss, hitter->work);
}

float partApproachSpeed(float x1, float y1, float x2, float y2) {
    const float d = SDL2_wheel_Distance(x1, y1, x2, y2);
    if (d > 16.0f) return 8.0f;
    if (d > 8.0f) return 4.0f;
    if (d > 4.0f) return 2.0f;
    if (d > 2.0f) return 1.0f;
    return 0.0f;
}
