// The stage-5 boss's parts: the hopping drones (kind 116, which splits into
// two kind-115 drones when shot down) and the sinking spinner (kind 114)
// with its orbiting shots in partLink[0..3]. Each keeps the boss as
// ObjWork::parentWork and ends at once when it no longer resolves: a drone
// bursts as at the boss's step 4, the spinner lets its shots go.
#include <algorithm>
#include <cmath>

#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/st05boss.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/game_random.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/objects/eshot.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr float kSt05partTurn = 6.2831855f / 1024.0f;
constexpr int32_t kSt05partBombGroup = 16;
constexpr int32_t kSt05partLayer = 440;
constexpr HitBox kSt05partBigDroneBox[] = {{0, 0, 8, 8}};
constexpr HitBox kSt05partSmallDroneBox[] = {{0, 0, 4, 4}};
constexpr HitBox kSt05partSpinnerBox[] = {{0, 0, 20, 20}};
constexpr BossAttack kSt05partDroneVolley = {1, 4, 10, 0, 1, 60, 0};
constexpr BossAttack kSt05partSpinnerVolley = {1, 9999, 4, 0, 1, 60, 0};
constexpr int32_t kSt05partOrbitSlots = 4;
constexpr float kSt05partOrbitRadius = 30.0f;
constexpr float kSt05partDetachY = 244.0f;

ObjPoint st05partOut(const ObjWork* work, int32_t angle, float radius) {
    const float a = float(angle) * kSt05partTurn;
    return {work->x + std::sin(a) * radius, work->y - std::cos(a) * radius};
}

// Moves the part along its heading at its steering speed.
void st05partMove(ObjWork* work) {
    const float a = float(work->heading) * kSt05partTurn, speed = enemy(work).steerSpeed;
    work->vx = std::sin(a) * speed;
    work->vy = -std::cos(a) * speed;
    work->x += work->vx;
    work->y += work->vy;
}

ObjWork* st05partNew(ObjTask* task, ObjTaskFn release) {
    ObjWork* work = bossPartNew(task, release);
    if (work == nullptr) return nullptr;
    work->depth = 440.0f;
    work->scaleX = work->scaleY = 1.0f;
    EnemyFields& e = enemy(work);
    enemySelectMoveScript(work, enemySpawnParam(task));
    e.score = 0;
    e.offscreenTimer = 120;
    e.fireAlways = 1;
    task->state = kObjStateRun;
    return work;
}

void st05partDroneInit(ObjTask* task) {
    ObjWork* work = st05partNew(task, TSKgameCtrlKill);
    if (work == nullptr) return;
    work->draw = TSKst05bossPart115Draw;
    work->hit = TSKst05bossPart115Hit;
    work->attack = TSKst05bossPart115Turret;
    EnemyFields& e = enemy(work);
    e.halfWidth = e.halfHeight = 64.0f;
    e.hp = enemyScaleHp(512);
    e.hopRadius = 80 + randRange(100);
    e.hopAngle = randRange(1024);
}

void st05partSpinnerInit(ObjTask* task) {
    ObjWork* work = st05partNew(task, TSKst05bossPart114Free);
    if (work == nullptr) return;
    work->draw = TSKst05bossPart114Draw;
    work->hit = TSKst05bossPart114Hit;
    work->attack = TSKst05bossPart114Turret;
    EnemyFields& e = enemy(work);
    e.halfWidth = e.halfHeight = 128.0f;
    e.hp = enemyScaleHp(5632);
    e.orbitAngle = 0;
}

void st05partAct(ObjTask* task, void (*init)(ObjTask*), void (*update)(ObjTask*)) {
    if (task->state == kObjStateInit) {
        init(task);
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        update(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

// A drone's end with its boss: a burst carried on its way and the sound.
void st05partDroneBurst(ObjTask* task, ObjWork* work) {
    TSKeffectCreate(64, work->heading & 1023, enemy(work).steerSpeed, 0, 0, ObjRef{}, work->x, work->y);
    SDL2_wheel_SoundPlaySE(10, false);
    task->state = kObjStateEnd;
}

void st05partHop(ObjWork* work) {
    EnemyFields& e = enemy(work);
    switch (e.subState) {
    case 0:
        e.hopAngle = randRangeCentered(400);
        e.steerTarget = st05bossHopTarget(e.hopRadius, e.hopAngle);
        e.subState = 1;
        break;
    case 1: {
        e.steerSpeed = 1.5f;
        work->heading = enemyHeadingTo(work->x, work->y, e.steerTarget.x, e.steerTarget.y);
        const float dx = std::abs(e.steerTarget.x - work->x), dy = std::abs(e.steerTarget.y - work->y);
        if (std::max(dx, dy) + std::min(dx, dy) / 2.0f > 2.0f) break;
        e.steerSpeed = 0.0f;
        e.subState = 2;
        e.stepCount = 0;
        bossStartAttack(work, kSt05partDroneVolley);
        break;
    }
    case 2:
        if (++e.stepCount <= 120) break;
        e.subState = 0;
        e.stepCount = 0;
        e.hopRadius = randRange(60) + 40;
        break;
    default:
        break;
    }
}

void st05partDroneUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return;
    }
    if (work->lifeState == 3) return;
    e.setupDone = 1;
    const bool open = e.offscreenTimer == 0 && e.noHitBoxes == 0;
    work->hitBoxes = open ? (work->kind == 116 ? kSt05partBigDroneBox : kSt05partSmallDroneBox) : nullptr;
    work->hitBoxCount = open ? 1 : 0;
    st05partHop(work);
    ObjWork* boss = bossPartBoss(work);
    if (boss == nullptr || enemy(boss).step == 4) {
        st05partDroneBurst(task, work);
        return;
    }
    st05partMove(work);
    ++e.frameCount;
}

// Lets the spinner's orbiting shots go.
void st05partLetGo(ObjWork* work) {
    for (int32_t k = 0; k < kSt05partOrbitSlots; ++k) bossEndLink(enemy(work).partLink[k]);
}

void st05partOrbitShots(ObjWork* work) {
    const bool every = enemyRankLevel() >= 2;
    for (int32_t k = 0; k < kSt05partOrbitSlots; ++k) {
        if (!every && k % 2 == 0) continue;
        const int32_t angle = (enemy(work).orbitAngle + 256 * k) & 1023;
        bossLinkShotAt(enemy(work).partLink[k], 161, angle, work->parentWork,
                       st05partOut(work, angle, kSt05partOrbitRadius));
    }
}

// The ring at count 90: pairs from points around the spinner, turned
// toward the fighter.
void st05partRing(ObjWork* work) {
    const int32_t n = enemyRankLevel() <= 0 ? 0 : enemyRankLevel() == 1 ? 4 : enemyRankLevel() == 2 ? 8 : 16;
    const int32_t aim = enemyAngleToPlayer(work->x, work->y);
    for (int32_t k = 0; k < n; ++k) {
        const int32_t around = aim + 1024 * k / n;
        const ObjPoint at = st05partOut(work, around, 20.0f);
        for (int32_t pair = 0; pair < 2; ++pair) {
            const int32_t type = pair == 0 ? 135 : 141;
            const int32_t angle = (around + (pair == 0 ? 40 : -40)) & 1023;
            if (eshotLiveCount < kEshotLiveLimit && enemyShotStop == 0) TSKeshotFlash(type, at.x, at.y);
            TSKeshotCreate(type, angle, 100.0f, 0, 0, work->parentWork, at.x, at.y);
        }
        SDL2_wheel_SoundPlaySE(17, false);
    }
}

void st05partSpin(ObjWork* work) {
    EnemyFields& e = enemy(work);
    switch (e.subState) {
    case 0:
        st05partOrbitShots(work);
        bossStartAttack(work, kSt05partSpinnerVolley);
        e.subState = 1;
        e.stepCount = 0;
        break;
    case 1:
        ++e.stepCount;
        if (e.stepCount == 90) st05partRing(work);
        if (e.stepCount > 150) {
            e.subState = 2;
            e.stepCount = 0;
        }
        break;
    case 2:
        e.steerSpeed = std::min(3.0f, e.steerSpeed + 0.02f);
        e.orbitAngle += e.orbitTurn;
        break;
    default:
        break;
    }
    if (e.subState != 2 && e.frameCount % 2 == 0) e.orbitAngle += e.orbitTurn > 0 ? 1 : -1;
}

// Each orbiting shot follows its slot; one past the bottom is let go.
void st05partCarry(ObjWork* work) {
    EnemyFields& e = enemy(work);
    for (int32_t k = 0; k < kSt05partOrbitSlots; ++k) {
        ObjWork* shot = objRefWork(e.partLink[k]);
        if (shot == nullptr) {
            e.partLink[k] = ObjRef{};
            continue;
        }
        const int32_t angle = (e.orbitAngle + 256 * k) & 1023;
        const ObjPoint at = st05partOut(work, angle, kSt05partOrbitRadius);
        shot->heading = angle;
        shot->x = at.x;
        shot->y = at.y;
        if (shot->y > kSt05partDetachY) bossEndLink(e.partLink[k]);
    }
}

}  // namespace

ObjPoint st05bossHopTarget(int32_t radius, int32_t angle) {
    float x = 0.0f, y = 0.0f;
    enemyPlayerPos(&x, &y);
    const float a = float(angle) * kSt05partTurn;
    x += std::sin(a) * float(radius);
    y -= std::cos(a) * float(radius);
    return {std::clamp(x, 10.0f, 214.0f), std::clamp(y, 10.0f, 258.0f)};
}

ObjWork* st05bossLaunchDrone(ObjTask* boss, float x, float y) {
    ObjTask* part = bossSpawnPart(boss, TSKst05bossPart115Act);
    if (part == nullptr) return nullptr;
    ObjWork* work = part->work;
    work->kind = 116;
    work->x = x;
    work->y = y;
    enemy(work).steerSpeed = 4.0f;
    work->heading = (randRange(64) - 32) & 1023;
    work->parentWork = objRef(boss);
    return work;
}

ObjWork* st05bossLaunchSpinner(ObjTask* boss, float x, float y, int32_t turn) {
    ObjTask* part = bossSpawnPart(boss, TSKst05bossPart114Act);
    if (part == nullptr) return nullptr;
    ObjWork* work = part->work;
    work->kind = 114;
    work->x = x;
    work->y = y;
    enemy(work).steerSpeed = 0.35f;
    work->heading = 512;
    work->parentWork = objRef(boss);
    enemy(work).orbitTurn = turn;
    return work;
}

void TSKst05bossPart115Act(ObjTask* task) { st05partAct(task, st05partDroneInit, st05partDroneUpdate); }

void TSKst05bossPart115Turret(ObjTask*, ObjWork* work) {
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    const int32_t most = level == 0 ? 1 : level == 1 ? 2 : 4;
    SDL2_wheel_SoundPlaySE(19, false);
    if (enemy(work).shotIndex >= most) return;
    const ObjRef owner = work->parentWork;
    const int32_t aim = enemyAngleToPlayer(work->x, work->y);
    if (work->kind == 116) {
        enemyShotLine(4, aim, 150.0f, level == 3 ? 3 : 1, 20.0f, owner, work->x, work->y);
        return;
    }
    const float speed = float((randRange(5) + 16) * 5);
    enemyShotFan(37, (aim + randRangeCentered(400)) & 1023, speed, level == 3 ? 2 : 1, 50, owner, work->x, work->y);
}

void TSKst05bossPart115Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    enemyPointBlankTint(work);
    if (e.flashTimer == 3 || e.flashTimer == 4) {
        work->r = 255;
        work->g = work->b = 160;
    }
    const int32_t frame = (work->kind == 116 ? 55 : 60) + (e.frameCount / 4) % 5;
    OBJdrawSprite(work, frame, work->x, work->y, kSt05partLayer, work->scaleX, work->scaleY, work->angle, 1.0f, 0);
    work->r = work->g = work->b = 255;
}

void TSKst05bossPart115Hit(ObjTask* task, ObjWork* work) {
    ObjTask* hitter = objRefTask(work->lastCollider);
    if (hitter == nullptr || hitter->work == nullptr || hitter->group == kSt05partBombGroup) return;
    enemyDamage(work, hitter->work);
    if (work->kind != 116 || work->lifeState != 3) return;
    for (int32_t n = 0; n < 2; ++n) {
        ObjTask* part = bossSpawnPart(task, TSKst05bossPart115Act);
        if (part == nullptr) continue;  // no record: that half is not made
        ObjWork* drone = part->work;
        drone->kind = 115;
        drone->x = work->x;
        drone->y = work->y;
        enemy(drone).steerSpeed = 4.0f;
        drone->heading = (randRange(64) - 32) & 1023;
        drone->parentWork = work->parentWork;
    }
}

void TSKst05bossPart114Act(ObjTask* task) { st05partAct(task, st05partSpinnerInit, TSKst05bossPart114Update); }

void TSKst05bossPart114Update(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return;
    }
    if (work->lifeState == 3) return;
    if (bossPartBoss(work) == nullptr) {
        st05partLetGo(work);
        task->state = kObjStateEnd;
        return;
    }
    e.setupDone = 1;
    work->hitBoxes = e.noHitBoxes == 0 ? kSt05partSpinnerBox : nullptr;
    work->hitBoxCount = e.noHitBoxes == 0 ? 1 : 0;
    st05partSpin(work);
    st05partMove(work);
    work->angle = float(e.orbitAngle) * kSt05partTurn;
    st05partCarry(work);
    ++e.frameCount;
}

void TSKst05bossPart114Turret(ObjTask*, ObjWork* work) {
    if (enemyRankLevel() != 1 || enemy(work).shotIndex % 8 >= 4) return;
    for (int32_t k : {0, 2}) {
        const int32_t angle = (enemy(work).orbitAngle + 256 * k) & 1023;
        const ObjPoint at = st05partOut(work, angle, 20.0f);
        TSKeshotCreate(133, angle, 135.0f, 0, 0, work->parentWork, at.x, at.y);
    }
    SDL2_wheel_SoundPlaySE(19, false);
}

void TSKst05bossPart114Draw(ObjTask*, ObjWork* work) {
    const int32_t frame = 5901 + (enemy(work).frameCount / 3) % 6;
    OBJdrawSprite(work, frame, work->x, work->y, kSt05partLayer, work->scaleX, work->scaleY, work->angle, 1.0f, 0);
    work->r = work->g = work->b = 255;
}

void TSKst05bossPart114Hit(ObjTask*, ObjWork* work) {
    if (work->lifeState == 3) st05partLetGo(work);
}

void TSKst05bossPart114Free(ObjTask* task) { bossFreeWithLinks(task); }
