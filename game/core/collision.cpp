#include "game/core/collision.h"

#include "game/core/collision_rects.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"

float nearestEnemyDistance = kNoEnemyDistance;

namespace {

// One attacker being tested against one target group.
struct Attacker {
    ObjTask* task;
    ObjWork* work;
    int32_t group;
    int32_t targetGroup;
    int32_t pass;
};

// Fighter shots meet airborne enemies in pass 0 and ground ones in pass 1; the
// fighter flies over ground enemies. Ground enemies marked ground-hittable
// count as airborne too.
bool excluded(const Attacker& a, const ObjWork& target) {
    if (a.targetGroup != kGroupEnemies) return false;
    const bool groundOnly = target.ground != 0 && target.groundHittable == 0;
    if (a.group == kGroupFighterShots) return a.pass == 0 ? groundOnly : target.ground == 0;
    return a.group == kGroupFighter && groundOnly;
}

// The target is set aside while both sides are told: what either callback
// does to it is read again by the caller, and only a touch of another task of
// the group makes the cached rectangles stale.
void hit(const Attacker& a, ObjTask* targetTask, ObjWork* targetWork) {
    const ObjTask* aside = OBJtaskSetAside(targetTask);
    targetWork->lastCollider = objRef(a.task);
    targetWork->hit(targetTask, targetWork);
    a.work->lastCollider = objRef(targetTask);
    if (a.work->hit != nullptr) a.work->hit(a.task, a.work);
    OBJtaskSetAside(aside);
}

// The target group read as it stands, from box `firstBox` of `first` on:
// each box and each next target read again after every callback, so a target
// a callback moved is met at its new place and one it added at the tail is
// met too.
void walkTargets(const Attacker& a, const BoxRect& rect, ObjTask* first, int32_t firstBox) {
    const ObjTask* tail = &OBJtaskGroup(a.targetGroup).tail;
    for (ObjTask* target = first; target != tail; target = target->next) {
        for (int32_t j = target == first ? firstBox : 0;; ++j) {
            ObjWork* work = target->work;
            if (work == nullptr || work->hitBoxes == nullptr || j >= work->hitBoxCount) break;
            if (a.work->hit == nullptr) return;
            if (work->hit == nullptr) continue;
            if (!overlaps(rect, targetRect(work->hitBoxes[j], *work)) || excluded(a, *work)) continue;
            hit(a, target, work);
        }
    }
}

// The same over the rectangles cached for the pair, exact while they are
// valid. After a hit the target's own rectangles are read again; when the
// callbacks touched anything else of the group, or the target changed its
// boxes, the rest of the group is walked as it stands (which drops the cache:
// the walk touches the group).
void scanTargets(const Attacker& a, const BoxRect& rect, TargetRects& cache) {
    for (int k = 0; k < cache.count(); ++k) {
        if (!overlaps(rect, cache.rect(k))) continue;
        ObjTask* target = cache.task(k);
        if (excluded(a, *target->work)) continue;
        hit(a, target, target->work);
        if (!cache.refresh(k) || !cache.validFor(a.targetGroup)) {
            walkTargets(a, rect, target, cache.box(k) + 1);
            return;
        }
        if (a.work->hit == nullptr) return;
    }
}

// Each attacker box's rectangle is fixed before its targets are walked.
void collide(const Attacker& a, TargetRects* cache) {
    for (int32_t i = 0;; ++i) {
        const HitBox* boxes = a.work->hitBoxes;
        if (boxes == nullptr || i >= a.work->hitBoxCount || a.work->hit == nullptr) return;
        BoxRect rect;
        if (!attackerRect(boxes[i], *a.work, a.group == kGroupFighter && a.targetGroup == kGroupItems, rect)) continue;
        if (cache != nullptr && cache->validFor(a.targetGroup)) {
            scanTargets(a, rect, *cache);
        } else {
            walkTargets(a, rect, OBJtaskGroup(a.targetGroup).head.next, 0);
        }
    }
}

bool groupEmpty(int32_t group) {
    const ObjTaskGroup& list = OBJtaskGroup(group);
    return list.head.next == &list.tail;
}

TargetRects& pairCache() {
    static TargetRects cache;
    return cache;
}

// The fighter's distance to the nearest enemy, octagonal, position to position.
void keepNearestEnemy(const ObjWork& fighter) {
    OBJtaskWalk(kGroupEnemies, [&](ObjTask* task) {
        if (task->work == nullptr) return;
        const float distance = SDL2_wheel_Distance(fighter.x, fighter.y, task->work->x, task->work->y);
        if (distance < nearestEnemyDistance) nearestEnemyDistance = distance;
    });
}

}  // namespace

void OBJcollideWithGroup(ObjTask* attacker, ObjWork* attackerWork, int32_t targetGroup, int32_t pass) {
    if (attacker == nullptr || attackerWork == nullptr || targetGroup < 0 || targetGroup >= kObjTaskGroups) return;
    collide({attacker, attackerWork, attacker->group, targetGroup, pass}, nullptr);
}

void OBJcollisionPass() {
    TargetRects& cache = pairCache();
    nearestEnemyDistance = kNoEnemyDistance;
    for (const CollisionPair& pair : kCollisionPairTable) {
        if (groupEmpty(pair.attackerGroup) || groupEmpty(pair.targetGroup)) continue;
        cache.invalidate();
        bool cacheable = true;
        OBJtaskWalk(pair.attackerGroup, [&](ObjTask* task) {
            ObjWork* work = task->work;
            if (work != nullptr && pair.attackerGroup == kGroupFighter && pair.targetGroup == kGroupEnemies) {
                keepNearestEnemy(*work);
            }
            if (work == nullptr || work->hit == nullptr) return;
            if (cacheable && !cache.validFor(pair.targetGroup)) cacheable = cache.build(pair.targetGroup);
            collide({task, work, pair.attackerGroup, pair.targetGroup, pair.pass}, cacheable ? &cache : nullptr);
        });
    }
}
