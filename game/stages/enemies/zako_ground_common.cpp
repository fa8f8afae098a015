#include <algorithm>
#include <cmath>

#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sprite_frames.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"

namespace {

// kind, hp, score, class, burst / interval / first / pause / cut, box, aim frame, turn, muzzle, wreck, tread
constexpr ZakoGroundKind kZakoGroundRows[] = {
    {20, 48, 250, 0, 1, 0, 104, 104, 100, {0, 0, 16, 16}, 5433, 8, 16, 9, 1.0f / 3.0f},
    {21, 96, 340, 0, 1, 0, 96, 96, 100, {0, 0, 0, 0}, -1, 8, 16, 0, 0.25f},
    {22, 768, 220, 0, 1, 0, 104, 104, 100, {0, 0, 16, 16}, 0, 8, 16, 12, 0.0f},
    {23, 1536, 510, 0, 1, 0, 96, 96, 100, {0, 0, 40, 40}, -1, 8, 16, 0, 0.0f},
    {24, 512, 670, 0, 1, 0, 64, 64, 100, {0, 0, 20, 20}, 5467, 8, 0, 0, 0.5f, true},
    {25, 1024, 670, 0, 1, 0, 64, 64, 100, {0, 0, 20, 20}, 5477, 8, 0, 0, 0.5f, true},
};

}  // namespace

const ZakoGroundKind* zakoGroundKind(int32_t kind) {
    for (const ZakoGroundKind& row : kZakoGroundRows)
        if (row.kind == kind) return &row;
    return nullptr;
}

float zakoGroundDistance(const ObjWork* work) {
    float px = work->x;
    float py = work->y;
    enemyPlayerPos(&px, &py);
    const float dx = std::fabs(px - work->x);
    const float dy = std::fabs(py - work->y);
    return dx + dy - std::min(dx, dy) / 2.0f;
}

float zakoGroundMinDistance() {
    if (gameMode == 0) return 90.0f;
    if (gameMode == 1) return 80.0f;
    return 75.0f;
}

bool zakoGroundMayFire(const ObjWork* work) {
    return zakoGroundDistance(work) >= zakoGroundMinDistance() && work->y < 200.0f;
}

bool zakoGroundInTime(const ObjWork* work) {
    const int32_t limit = enemy(const_cast<ObjWork*>(work)).spawnExtras[0];
    return limit == 0 || work->age <= limit;
}

int32_t zakoGroundShotAngle(int32_t slotAngle) { return ((slotAngle / 32) * 32 + 16) & 1023; }

void zakoGroundMuzzle(const ObjWork* work, int32_t slot, float* x, float* y) {
    const EnemyAimSlot& aim = enemy(const_cast<ObjWork*>(work)).aimSlots[slot];
    const float a = float(aim.heading) * 2.0f * float(M_PI) / 1024.0f;
    *x = work->x + aim.offsetX + std::sin(a) * float(aim.param);
    *y = work->y + aim.offsetY - std::cos(a) * float(aim.param);
}

void zakoGroundInit(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack) {
    ObjWork* work = OBJworkNew();
    task->work = work;
    task->release = TSKgameCtrlKill;
    enemyAge(task) = 0;
    work->draw = draw;
    work->hit = TSKenemyHit;
    work->attack = attack;
    work->angle = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    EnemyFields& e = enemy(work);
    e.scriptCursor = 0;
    e.hp = enemyScaleHp(row.hp);
    e.hpMax = e.hp;
    e.score = uint64_t(row.score);
    e.offscreenTimer = 3600;
    e.shotsPerVolley = row.shotsPerVolley;
    e.shotInterval = row.shotInterval;
    e.shotCountdown = randRange(row.firstCountdown);
    e.shotsLeft = row.shotsPerVolley;
    e.volleyPause = row.volleyPause;
    work->pauseRankCut = row.pauseRankCut;
    e.volleysLeft = 9999;
    e.volleyIndex = 0;
    e.sizeClass = row.sizeClass;
    e.wreckKind = row.wreckKind;
    task->state = kObjStateRun;
}

bool zakoGroundRun(ObjTask* task, const ZakoGroundKind& row) {
    ObjWork* work = task->work;
    enemyMoveScript(task, work);
    ++enemyAge(task);
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return false;
    }
    if (work->lifeState == 3) return false;
    EnemyFields& e = enemy(work);
    if (e.setupDone == 0) {
        e.setupDone = 1;
        if (bossPresentFlag != 0) {
            task->state = kObjStateEnd;
            return false;
        }
        enemySetLayerDepth(work);
        if (row.aimFrame >= 0) {
            const FrameInfo marker = row.aimFrame > 0 ? OBJgetFrameInfo(row.aimFrame) : FrameInfo{0.0f, 0.0f};
            enemySetAimSlot(work, 0, row.turnLimit, row.muzzle, marker.pivotX, marker.pivotY);
        }
    }
    const bool boxed = row.box.halfWidth > 0.0f && e.noHitBoxes == 0 && (!row.boxByExtra || zakoGroundInTime(work));
    work->hitBoxes = boxed ? &row.box : nullptr;
    work->hitBoxCount = boxed ? 1 : 0;
    ++work->age;
    e.treadCounter += work->speed * row.treadFactor;
    return true;
}

void zakoGroundAct(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack) {
    if (task->state == kObjStateInit) {
        zakoGroundInit(task, row, draw, attack);
        return;
    }
    if (task->state == kObjStateRun) {
        zakoGroundRun(task, row);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void zakoGroundDrawLayers(ObjWork* work, int32_t body, int32_t turret) {
    const EnemyFields& e = enemy(work);
    const float x = work->x + e.drawOffset.x;
    const float y = work->y + e.drawOffset.y;
    const int32_t layer = int32_t(work->depth);
    work->r = work->g = work->b = 0;
    OBJdrawSprite(work, body, x + 4.0f, y + 4.0f, layer - 1, 1.0f, 1.0f, 0.0f, 0.5f, 0);
    work->r = work->g = work->b = 255;
    enemyPointBlankTint(work);
    OBJdrawSprite(work, body, x, y, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    if (turret != 0) OBJdrawSprite(work, turret, x, y, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    enemyDrawExitMarker(work);
}
