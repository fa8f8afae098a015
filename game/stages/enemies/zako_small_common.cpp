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
#include "game/core/wheel_angle.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_small_common.h"

int32_t zakoSmallAim(float x, float y) {
    float fx = 0.0f;
    float fy = 0.0f;
    if (fighterGetWork() == nullptr) return 0;
    enemyPlayerPos(&fx, &fy);
    const double turns = std::atan2(double(fx - x), -double(fy - y)) / (2.0 * std::numbers::pi);
    const int32_t aim = int32_t(turns * 1024.0);
    return aim < 0 ? aim + 1024 : aim;
}

void zakoSmallVelocityStep(ObjWork* work) {
    const double h = double(work->heading) * 2.0 * std::numbers::pi / 1024.0;
    const double speed = double(enemy(work).steerSpeed);
    work->vx = float(std::sin(h) * speed);
    work->vy = float(-std::cos(h) * speed);
    enemy(work).scriptSpeedX = 0.0f;
    enemy(work).scriptSpeedY = 0.0f;
    work->x += work->vx;
    work->y += work->vy;
}

void zakoSmallHome(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.homingLock == 0) {
        work->heading = SDL2_wheel_AngleClamp(zakoSmallAim(work->x, work->y), work->heading, 24);
    }
    zakoSmallVelocityStep(work);
    if (e.homingLock != 0) return;
    float fx = 0.0f;
    float fy = 0.0f;
    enemyPlayerPos(&fx, &fy);
    const float dx = std::fabs(fx - work->x);
    const float dy = std::fabs(fy - work->y);
    if (dx + dy - std::min(dx, dy) / 2.0f < 50.0f) e.homingLock = 1;
}

void zakoSmallShot(ObjTask* task, int32_t type, int32_t angle, float speed) {
    enemyShot(type, angle, speed, objRef(task), task->work->x, task->work->y);
}

ObjWork* zakoSmallStart(ObjTask* task, int32_t hp) {
    ObjWork* work = OBJworkNew();
    task->work = work;
    if (work == nullptr) return nullptr;
    task->release = TSKgameCtrlKill;
    enemyAge(task) = 0;
    work->depth = 510.0f;
    work->angle = 0.0f;
    work->hit = TSKenemyHit;
    enemySelectMoveScript(work, enemySpawnParam(task));
    EnemyFields& e = enemy(work);
    e.hp = enemyScaleHp(hp);
    e.offscreenTimer = 3600;
    task->state = kObjStateRun;
    return work;
}

void zakoSmallSetBox(ObjWork* work, const HitBox* box) {
    work->hitBoxes = work->hitsOff != 0 ? nullptr : box;
    work->hitBoxCount = work->hitsOff != 0 ? 0 : 1;
}

bool zakoSmallBegin(ObjTask* task, ObjWork* work) {
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return false;
    }
    if (work->lifeState == 3) return false;
    EnemyFields& e = enemy(work);
    if (e.firstFrameSeen != 0) return true;
    e.firstFrameSeen = 1;
    if (bossPresentFlag == 0) return true;
    task->state = kObjStateEnd;
    return false;
}

void zakoSmallRun(ObjTask* task, ObjWorkFn update, bool runScript) {
    if (task->state == kObjStateRun) {
        if (runScript) enemyMoveScript(task, task->work);
        ++enemyAge(task);
        update(task, task->work);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void zakoSmallDraw(ObjWork* work, int32_t frame, float angle) {
    enemyPointBlankTint(work);
    OBJdrawSprite(work, frame, work->x, work->y, int32_t(work->depth), work->scaleX, work->scaleY, angle, 1.0f, 0);
    enemyDrawExitMarker(work);
}

void zakoSmallSetSchedule(ObjWork* work, int32_t firstCountdown, int32_t pause) {
    EnemyFields& e = enemy(work);
    e.shotsPerVolley = 1;
    e.shotsLeft = 1;
    e.shotCountdown = firstCountdown;
    e.volleysLeft = 9999;
    e.volleyIndex = 0;
    e.volleyPause = pause;
}
