#include <algorithm>
#include <cmath>

#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/item.h"
#include "game/objects/wreckage.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_score.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kRevengeSpread[4] = {10, 20, 30, 40};
constexpr int32_t kRevengeRadius[4] = {90, 105, 120, 135};
constexpr int32_t kRevengeShotType = 150;

bool revengeFighterNear(float x, float y, int32_t radius) {
    float fx = 0.0f, fy = 0.0f;
    enemyPlayerPos(&fx, &fy);
    const float dx = std::abs(x - fx), dy = std::abs(y - fy);
    return dx + dy - std::min(dx, dy) / 2.0f < float(radius);
}

// One piece of wreck `distance` pixels out along `heading`.
void revengeWreckPiece(ObjWork* work, int32_t kind, int32_t heading, float distance) {
    float x = work->x, y = work->y;
    SDL2_wheel_AngleSinCos(heading, &x, &y, distance);
    TSKzangCreate(kind, 0, enemy(work).followedLayer, x, y);
}

void revengeWreckRing(ObjWork* work, int32_t count, int32_t kind, int32_t step, float distance, int32_t centreKind) {
    for (int32_t i = 0; i < count; ++i) revengeWreckPiece(work, kind, step * i + randRange(step), distance);
    TSKzangCreate(centreKind, 0, enemy(work).followedLayer, work->x, work->y);
}

// The dying enemy as its shots' parent: its task is one of group 7.
ObjRef revengeOwnerRef(const ObjWork* work) {
    ObjRef ref{};
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) {
        if (task->work == work) ref = objRef(task);
    });
    return ref;
}

}  // namespace

void enemyRevengeShot(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    if (work->kind == 115 || work->kind == 116 || fighterGetWork() == nullptr || !fighterIsPowerUp()) return;
    const int32_t count = enemyRevengeCount(e.sizeClass, enemyRankLevel(), fighterGetBonusCounter(), rankCounter,
                                            seqIsScoreAttack());
    if (count <= 0) return;
    const int32_t spread = kRevengeSpread[e.sizeClass];
    for (int32_t i = 0; i < count; ++i) {
        const float x = work->x + float(randRange(spread) - spread / 2);
        const float y = work->y + float(randRange(spread) - spread / 2);
        const int32_t heading = enemyAngleToPlayer(x, y) - 22 + randRange(45);
        const int32_t speed = (10 + randRange(10)) * 10 + 40 * fighterGetCombo();
        if (revengeFighterNear(x, y, kRevengeRadius[e.sizeClass])) {
            TSKitemCreate(0, 512, x, y);
            fighterAddDestruction(destructionStepA());
        } else if (enemyShotStop == 0) {
            if (eshotLiveCount < kEshotLiveLimit) TSKeshotFlash(kRevengeShotType, x, y);
            TSKeshotCreate(kRevengeShotType, heading & 1023, speed, 0, 0, revengeOwnerRef(work), x, y);
        }
    }
}

void enemyDropWreck(ObjWork* work) {
    if (work->leavesWreck == 0) return;
    switch (enemy(work).sizeClass) {
    case 0:
        TSKzangCreate(enemy(work).wreckKind, 0, enemy(work).followedLayer, work->x, work->y);
        break;
    case 1:
        revengeWreckRing(work, 4, 15, 256, 20.0f, 15);
        break;
    case 2:
        revengeWreckRing(work, 6, 15, 170, 40.0f, 16);
        break;
    default:
        revengeWreckRing(work, 8, 16, 128, 60.0f, 17);
        break;
    }
}
