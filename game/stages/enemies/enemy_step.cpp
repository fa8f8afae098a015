#include "game/stages/enemies/enemy_step.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_score.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/field_layers.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr float kEnemyStepFieldWidth = 224.0f;
constexpr float kEnemyStepFieldHeight = 288.0f;
constexpr float kEnemyStepBottomEdge = 266.0f;
constexpr int32_t kEnemyStepFormFrames = 7200;

// The fighter's position, or (0, 0) without one.
void enemyStepFighterOrOrigin(float* x, float* y) {
    *x = *y = 0.0f;
    enemyPlayerPos(x, y);
}

int32_t enemyStepFormSum(const EnemyFields& e) {
    int64_t sum = 0;
    for (int32_t hp : e.formHp) sum += hp;
    return int32_t(std::min<int64_t>(sum, INT32_MAX));
}

// A. The script's velocity, the followed layer, entering and leaving the
// screen. False once the enemy has left it (a boss never does).
bool enemyStepMove(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    float dx = std::sin(e.scriptHeadingX) * e.scriptSpeedX;
    float dy = -(std::cos(e.scriptHeadingY) * e.scriptSpeedY);
    if ((task->flags & kEnemyFollowsLayer) != 0) {
        const ObjPoint shift = fieldLayerShiftOf(e.followedLayer);
        dx -= shift.x;
        dy += shift.y;
        e.drawOffset = {float(quakeOffsetX), float(quakeOffsetY)};
    }
    work->x += dx;
    work->y += dy;
    bool stays = true;
    if (e.enteredScreen == 0) {
        if (work->x > 0.0f && work->x < kEnemyStepFieldWidth && work->y > 0.0f && work->y < kEnemyStepFieldHeight) {
            e.enteredScreen = 1;
            e.offscreenTimer = 0;
        }
        int32_t side = 0;
        if (work->x < 0.0f) side = 1;
        if (work->x > kEnemyStepFieldWidth) side = 2;
        if (work->y < 0.0f) side = 3;
        if (work->y > kEnemyStepBottomEdge) side = 4;
        e.exitSide = bossPresentFlag != 0 ? 0 : side;
    } else {
        work->exitMarkerAlpha -= 0.03f;
        const bool left = work->x + e.halfWidth < 0.0f || work->x - e.halfWidth > kEnemyStepFieldWidth ||
                          work->y + e.halfHeight < 0.0f || work->y - e.halfHeight > kEnemyStepFieldHeight;
        if (left) {
            if (e.sizeClass == 3) bossPresentFlag = 0;
            stays = e.sizeClass >= 4;
        }
    }
    for (int32_t& mark : e.hitMarks) mark = 0;
    return stays;
}

// One steering mode's slowing, turn limit and new waypoint.
struct EnemySteerMode {
    float minSpeed;
    int32_t turn;
};
constexpr EnemySteerMode kEnemySteerModes[5] = {{0.5f, 16}, {1.0f, 16}, {1.0f, 16}, {0.5f, 8}, {0.0f, 1024}};

void enemyStepNewWaypoint(EnemyFields& e) {
    switch (e.steerMode) {
    case 1:
        e.steerTarget = {float(87 + randRange(50)), float(35 + randRange(50))};
        break;
    case 2:
        e.steerTarget = {float(37 + randRange(150)), float(35 + randRange(50))};
        break;
    case 3: {
        const int32_t a = randRange(50);
        const bool leftSide = (gameRand() % 10000) * 40 < 200000;
        e.steerTarget = {float(leftSide ? 112 - 50 - a : 112 + 50 + a), float(55 + randRange(50))};
        break;
    }
    default:
        break;
    }
}

void enemyStepSteerModeFive(ObjWork* work, float distance) {
    EnemyFields& e = enemy(work);
    if (distance >= 10.0f) {
        if (e.steerSpeed > 1.0f) e.steerSpeed -= 0.05f;
        if (e.steerSpeed < 1.0f) e.steerSpeed += 0.05f;
        return;
    }
    e.steerSpeed = std::max(0.0f, e.steerSpeed - 0.02f);
    if (distance < 2.0f) {
        e.steerSpeed = 0.0f;
        e.steerTarget = {work->x, work->y};
    }
}

// B.1 Steering toward the waypoint, then the move along the heading.
void enemyStepSteer(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.steerMode == 0) return;
    // A mode past the table steers nothing: its owner sets heading and
    // speed itself, and the step still carries it along them.
    if (e.steerMode < 1 || e.steerMode > 5) {
        SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, e.steerSpeed);
        return;
    }
    const EnemySteerMode& mode = kEnemySteerModes[e.steerMode - 1];
    const float dx = e.steerTarget.x - work->x, dy = e.steerTarget.y - work->y;
    const float distance = std::abs(dx) + std::abs(dy) - std::min(std::abs(dx), std::abs(dy)) / 2.0f;
    const int32_t toTarget = enemyHeadingTo(work->x, work->y, e.steerTarget.x, e.steerTarget.y);
    work->heading = mode.turn >= 1024 ? toTarget : SDL2_wheel_AngleClamp(toTarget, work->heading, mode.turn) & 1023;
    if (e.steerMode == 5) {
        enemyStepSteerModeFive(work, distance);
    } else {
        if (e.steerSpeed > mode.minSpeed) e.steerSpeed = std::max(mode.minSpeed, e.steerSpeed - 0.05f);
        if (distance < 40.0f) enemyStepNewWaypoint(e);
    }
    SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, e.steerSpeed);
}

// B.3 The first step of every enemy.
void enemyStepFirst(ObjWork* work) {
    EnemyFields& e = enemy(work);
    work->lifeState = 1;
    if (e.sizeClass == 4) bossPresentFlag = 2;
    if (e.sizeClass == 3) bossPresentFlag = 1;
    if (e.sizeClass >= 3) bossGaugeRegister(1, e.hp, e.formHp, 0, e.gaugeSlot);
    e.hpMax = e.hp;
    std::copy(std::begin(e.formHp), std::end(e.formHp), e.formHpMax);
}

// B.5 A boss form (or a form of the stage-3 hulk, kind 62) not beaten in
// time is lost without score.
void enemyStepFormTimeOut(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool timed = e.sizeClass == 4 || work->kind == 62;
    if (!timed || e.entryWait != 0) return;
    if (--work->enemyTimer >= 1) return;
    e.formHp[std::clamp(e.formIndex, 0, kEnemyParts - 1)] = 0;
    ++e.formIndex;
    eshotCancelRequest(2, -1, nullptr, 0, 1);
    e.hp = enemyStepFormSum(e);
    if (e.hp > 0) {
        TSKquakeStart(30, 4.0f);
        e.deathTimer = e.deathPhase = 0;
        work->lifeState = 2;
        if (e.sizeClass == 4 && e.followedLayer == 0) {
            e.driftSpeed = 3.0f;
            e.driftHeading = 192 + (gameRand() % 10000) * 128 / 10000;
        }
    } else {
        enemyStartDying(work);
    }
    work->enemyTimer = kEnemyStepFormFrames;
}

void enemyStepCountDown(int32_t& value) {
    if (value > 0) --value;
}

// B.6 to B.8 The timers and the purge.
void enemyStepTimers(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.entryWait > 0 && --e.entryWait == 1) {
        const int32_t type = fighterGetType();
        TSKeffectCreate(137 + type, 0, 0.0f, 440, 0, ObjRef{}, 112.0f, 144.0f);
        charVoiceMessage(type, work->kind == 105 ? 12 : 10);
    }
    enemyStepCountDown(e.flashTimer);
    enemyStepCountDown(e.offscreenTimer);
    enemyStepCountDown(e.onceCounters[0]);
    enemyStepCountDown(e.onceCounters[1]);
    enemyStepCountDown(e.bonusCountdown);
    enemyStepCountDown(e.smokeTimer);
    if (enemyExplosionTimer > 0 && e.sizeClass <= 2 && work->diesWithBoss == 1) enemyStartDying(work);
}

// B.9 The attack schedule: once, or twice on every third frame while a boss
// fights a powered-up fighter at rank level 2 or 3.
void enemyStepAttack(ObjTask* task, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    if (e.entryWait != 0 || work->lifeState != 1 || e.noHitBoxes != 0) return;
    enemyRunAttack(task, work);
    if (enemyAttackTwice(enemyAge(task), enemyRankLevel(), bossPresentFlag, fighterIsPowerUp())) {
        enemyRunAttack(task, work);
    }
}

void enemyStepAlive(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    enemyStepSteer(work);
    enemyRunAnimation(e);
    if (work->lifeState == 0) enemyStepFirst(work);
    if (e.sizeClass >= 3) bossGaugeVoice(e.hp, e.gaugeSlot, e.sizeClass);
    enemyStepFormTimeOut(work);
    enemyStepTimers(work);
    enemyStepAttack(task, work);
}

// E.2 The drift and the sink of an enemy that follows no layer.
void enemyStepDrift(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.followedLayer != 0) return;
    SDL2_wheel_AngleSinCos(e.driftHeading, &work->x, &work->y, e.driftSpeed);
    e.driftSpeed = std::max(0.0f, e.driftSpeed - 0.7f);
    SDL2_wheel_AngleSinCos(e.sinkHeading, &work->x, &work->y, e.sinkSpeed);
    work->y += e.sinkFall;
}

// E.3 The two motion handles follow the enemy.
void enemyStepMotions(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    if (work->motionSlot0 < 0 && work->motionSlot1 < 0) return;
    GameTask* game = GameTask::getInstance();
    if (work->motionSlot0 >= 0) {
        game->setMotionPosition(work->motionSlot0, work->x, work->y);
        game->setMotionFrame(work->motionSlot0, e.motionFrame);
        if (work->motionShown != 0) {
            game->showMotion(work->motionSlot0);
        } else {
            game->hideMotion(work->motionSlot0);
        }
        game->refreshMotion(work->motionSlot0);
    }
    if (work->motionSlot1 >= 0) {
        game->setMotionPosition(work->motionSlot1, work->x, work->y + e.drawOffset.y);
        game->setMotionFrame(work->motionSlot1, e.motionFrame);
        if (e.entryWait >= 1 && e.entryWait <= 59) {
            game->showMotion(work->motionSlot1);
            game->setMotionOpacity(work->motionSlot1, uint32_t(std::min(float(e.entryWait) / 20.0f, 1.0f) * 255.0f));
        } else {
            game->hideMotion(work->motionSlot1);
        }
        game->refreshMotion(work->motionSlot1);
    }
}

}  // namespace

void enemyRunAnimation(EnemyFields& e) {
    if (e.motionRunning == 0) return;
    if (++e.motionTick < e.motionTicksPerFrame) return;
    e.motionTick = 0;
    if (++e.motionFrame < e.motionLength) return;
    e.motionEnded = 1;
    e.motionFrame = e.motionLoops != 0 ? 0 : std::max(e.motionLength - 1, 0);
}

void enemyStartDying(ObjWork* work) {
    enemy(work).hp = 1;
    work->lifeState = 3;
    work->hit = nullptr;
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
}

float enemyOctagonalDistance(float dx, float dy) {
    dx = std::abs(dx);
    dy = std::abs(dy);
    return dx + dy - std::min(dx, dy) / 2.0f;
}

int32_t enemyHeadingTo(float x0, float y0, float x1, float y1) {
    const double turns = std::atan2(double(x1 - x0), double(y0 - y1)) / (2.0 * std::numbers::pi);
    return int32_t(std::floor(turns * 1024.0)) & 1023;
}

bool enemyStep(ObjTask* task, ObjWork* work) {
    const bool stays = enemyStepMove(task, work);
    switch (work->lifeState) {
    case 0:
    case 1:
        enemyStepAlive(task, work);
        break;
    case 2:
        enemyStepFormChange(task, work);
        break;
    case 3:
        enemyStepDeath(task, work);
        break;
    default:
        break;
    }
    EnemyFields& e = enemy(work);
    if ((work->lifeState == 2 || work->lifeState == 3) && e.deathMotion != 0) enemyRunAnimation(e);
    enemyStepDrift(work);
    enemyStepMotions(work);
    enemyStepAimSlots(work);
    return stays;
}

void enemyRunAttack(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.shotsLeft > 0) {
        if (--e.shotCountdown >= 1) return;
        e.shotCountdown = e.shotInterval;
        --e.shotsLeft;
        const bool may = bossPresentFlag == 0 || e.fireAlways != 0 || e.sizeClass >= 3;
        if (work->attack != nullptr && may) work->attack(task, work);
        ++e.shotIndex;
        return;
    }
    if (--e.volleysLeft > 0) {
        ++e.volleyIndex;
        e.shotsLeft = e.shotsPerVolley;
        e.shotIndex = 0;
        e.shotCountdown = std::max(8, e.volleyPause - work->pauseRankCut * enemyAttackRank / 100);
        for (int32_t& word : e.aimWords) word = 0;
        return;
    }
    e.volleysLeft = 0;
    bossResetAttack(work);
    e.burstEnded = 0;
}

int32_t enemyAngleToPlayer(float x, float y) {
    const ObjWork* fighter = fighterGetWork();
    if (fighter == nullptr) return 0;
    return enemyHeadingTo(x, y, fighter->x, fighter->y);
}

void enemyPlayerPos(float* x, float* y) {
    const ObjWork* fighter = fighterGetWork();
    if (fighter == nullptr) return;
    *x = fighter->x;
    *y = fighter->y;
}

void enemySetLayerDepth(ObjWork* work) {
    constexpr float kLayerDepths[5] = {440.0f, 14.0f, 104.0f, 204.0f, 304.0f};
    const int32_t layer = enemy(work).followedLayer;
    if (layer >= 0 && layer <= 4) work->depth = kLayerDepths[layer];
}

bool enemyPointBlankTint(ObjWork* work) {
    if (work->lifeState == 3 || !fighterAnyReady()) return false;
    const EnemyFields& e = enemy(work);
    constexpr int32_t kTintRadius[5] = {90, 105, 120, 135, 135};
    int32_t radius = kTintRadius[std::clamp(e.sizeClass, 0, 4)];
    if (e.sizeClass >= 3 && e.entryWait > 0) radius = 0;
    float fx = 0.0f, fy = 0.0f;
    enemyStepFighterOrOrigin(&fx, &fy);
    const bool inside =
        enemyOctagonalDistance(work->x + e.aimOffset.x - fx, work->y + e.aimOffset.y - fy) < float(radius);
    work->r = work->g = 255;
    work->b = inside ? 160 : 255;
    return inside;
}
