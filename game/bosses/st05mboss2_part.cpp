// Kind 117, the enemies the second stage-5 mid-boss launches: a small enemy
// that flies leg after leg between waypoints left and right of the screen,
// firing aimed fans of lines, with nine trailing segments; once
// st05mboss2LeaveFlag is up it turns down and leaves, firing faster.
#include <algorithm>
#include <cmath>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr HitBox kSt05mboss2PartBox[] = {{0.0f, 0.0f, 10.0f, 10.0f}};
constexpr int32_t kSt05mboss2PartHead = 5916;
constexpr int32_t kSt05mboss2PartSegment = 5917;
constexpr int32_t kSt05mboss2PartBeamS = 19;
constexpr float kSt05mboss2PartReach = 40.0f;  // a waypoint counts as reached
constexpr float kSt05mboss2PartTurn = 6.2831855f / 1024.0f;

// Movement stages.
enum : int32_t { kSt05mboss2PartChoose = 0, kSt05mboss2PartFly = 1, kSt05mboss2PartLeave = 2 };

void st05mboss2PartInit(ObjTask* task) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    task->release = TSKgameCtrlKill;
    task->work = work;
    enemyAge(task) = 0;
    work->rotate = 1;
    work->draw = TSKst05mboss2Part117Draw;
    work->hit = TSKenemyHit;
    work->attack = TSKst05mboss2Part117Attack;
    work->depth = 440.0f;
    work->heading = 0;
    EnemyFields& e = enemy(work);
    e.halfWidth = e.halfHeight = 64.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    e.scriptCursor = 0;
    e.hp = bossFormHp(0x800, 0x666);
    e.score = 1200;
    e.offscreenTimer = 3600;
    work->pauseRankCut = 0;
    e.sizeClass = 0;
    e.shotsPerVolley = 1;
    e.volleyPause = 72;
    e.shotCountdown = 30;
    e.shotsLeft = 1;
    e.volleysLeft = 9999;
    e.volleyIndex = 0;
    e.attackPattern = 1;
    e.fireAlways = 1;
}

// The leave's schedule: mode 3, one call a burst, the pause by level.
void st05mboss2PartStartLeaving(ObjWork* work) {
    constexpr int32_t pause[4] = {20, 10, 4, 4};
    EnemyFields& e = enemy(work);
    e.subState = kSt05mboss2PartLeave;
    e.shotsPerVolley = 1;
    e.volleyPause = pause[std::clamp(enemyRankLevel(), 0, 3)];
    e.shotCountdown = 30;
    e.shotsLeft = 1;
    e.volleysLeft = 9999;
    e.volleyIndex = 0;
    e.attackPattern = 3;
}

void st05mboss2PartSteer(ObjWork* work) {
    EnemyFields& e = enemy(work);
    switch (e.subState) {
    case kSt05mboss2PartChoose:
        e.steerTarget.x = float(randRangeCentered(40) + (e.loopCount % 2 != 0 ? 12 : 212));
        e.steerTarget.y = float(randRangeCentered(50) + 150);
        e.subState = kSt05mboss2PartFly;
        work->speed = 1.0f;
        break;
    case kSt05mboss2PartFly: {
        const float turns =
            std::atan2(e.steerTarget.x - work->x, -(e.steerTarget.y - work->y)) * 1024.0f / 6.2831855f;
        work->heading = SDL2_wheel_AngleClamp(int32_t(turns), work->heading, 16);
        const float dx = std::fabs(work->x - e.steerTarget.x), dy = std::fabs(work->y - e.steerTarget.y);
        if (dx + dy - 0.5f * std::min(dx, dy) < kSt05mboss2PartReach) {
            ++e.loopCount;
            e.subState = kSt05mboss2PartChoose;
        }
        if (st05mboss2LeaveFlag == 1) st05mboss2PartStartLeaving(work);
        break;
    }
    case kSt05mboss2PartLeave:
        work->heading = SDL2_wheel_AngleClamp(512, work->heading, 16);
        break;
    default:
        break;
    }
}

void st05mboss2PartUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (work->lifeState == 3) return;
    bossInstallHitBoxes(work, kSt05mboss2PartBox, 1);
    st05mboss2PartSteer(work);
    e.scriptSpeedX = e.scriptSpeedY = 0.0f;
    work->vx = work->vy = 0.0f;
    const float radians = float(work->heading) * kSt05mboss2PartTurn;
    work->x += std::sin(radians) * work->speed;
    work->y -= std::cos(radians) * work->speed;
    if (e.frameCount % 3 == 0) {
        std::copy_backward(e.trail, e.trail + kSt05mboss2TrailEntries - 1, e.trail + kSt05mboss2TrailEntries);
        std::copy_backward(e.trailHeading, e.trailHeading + kSt05mboss2TrailEntries - 1,
                           e.trailHeading + kSt05mboss2TrailEntries);
        e.trail[0] = {work->x, work->y};
        e.trailHeading[0] = work->heading;
    }
    ++e.frameCount;
}

}  // namespace

void TSKst05mboss2Part117Act(ObjTask* task) { bossAct(task, st05mboss2PartInit, st05mboss2PartUpdate); }

void TSKst05mboss2Part117Attack(ObjTask* task, ObjWork* work) {
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    EnemyFields& e = enemy(work);
    const int32_t aim = bossAimAngle(work->x, work->y);
    if (e.attackPattern == 1) {
        if (e.shotIndex == 0) e.aimWords[0] = aim;
        enemyShotFanOfLines(3, e.aimWords[0], 240, level == 0 ? 1 : 3, 60, level < 2 ? 1 : 3, 30.0f, objRef(task),
                            work->x, work->y);
    } else if (e.attackPattern == 3) {
        enemyShotFanOfLines(3, aim, 240, level == 3 ? 3 : 1, 60, 1, 30.0f, objRef(task), work->x, work->y);
    } else {
        return;
    }
    SDL2_wheel_SoundPlaySE(kSt05mboss2PartBeamS, false);
}

void TSKst05mboss2Part117Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    enemyPointBlankTint(work);
    if (e.flashTimer == 3 || e.flashTimer == 4) {
        work->r = 255;
        work->g = work->b = 160;
    }
    const int32_t layer = int32_t(work->depth);
    for (int32_t n = kSt05mboss2TrailEntries - 1; n >= 0; --n) {
        OBJdrawSprite(work, kSt05mboss2PartSegment, e.trail[n].x, e.trail[n].y, layer, work->scaleX, work->scaleY,
                      float(e.trailHeading[n]) * kSt05mboss2PartTurn, 1.0f, 0);
    }
    OBJdrawSprite(work, kSt05mboss2PartHead, work->x, work->y, layer, work->scaleX, work->scaleY,
                  float(e.trailHeading[0]) * kSt05mboss2PartTurn, 1.0f, 0);
    work->r = work->g = work->b = 255;
}
