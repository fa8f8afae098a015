// The true last boss's parts. Kind 113, the snake: a head homing on the
// fighter with nine segments on one shared trail; its hits are the boss's
// (TSKbossPartHit) and it turns away down the screen once the boss reaches
// step 6. Kind 112, the drifter: it curves for 120 frames, fires to one side
// and ends past the screen; nothing hits it. Both end at once when their
// boss no longer resolves.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/st05boss2.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"

St05boss2Trail st05boss2Trail{};
HitBox st05boss2SnakeBoxes[kSt05boss2SnakeBoxes]{};

namespace {

constexpr int32_t kSt05b2partHeadFrame = 5907, kSt05b2partSegmentFrame = 5908, kSt05b2partDrifterFrame = 5909;
constexpr int32_t kSt05b2partLayer = 440;
constexpr int32_t kSt05b2partSoundL = 17, kSt05b2partSoundM = 18, kSt05b2partBlastSound = 9;
constexpr float kSt05b2partTurn = 6.2831855f / 1024.0f;
constexpr float kSt05b2partBox = 10.0f;
// The snake leaves once its boss's step reaches this.
constexpr int32_t kSt05b2partLeaveStep = 6;

enum St05partState : int32_t { kSt05b2partArm = 0, kSt05b2partHome = 1, kSt05b2partLeave = 2 };

// The record both parts share; the caller gives the callbacks.
ObjWork* st05b2partInit(ObjTask* task, ObjWorkFn draw, ObjWorkFn hit, ObjWorkFn attack) {
    ObjWork* work = bossPartNew(task, TSKgameCtrlKill);
    if (work == nullptr) return nullptr;
    work->draw = draw;
    work->hit = hit;
    work->attack = attack;
    work->depth = 440.0f;
    work->heading = 0;
    EnemyFields& e = enemy(work);
    e.halfWidth = e.halfHeight = 64.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    e.hp = bossFormHp(512, 409);
    e.score = 0;
    e.offscreenTimer = 120;
    e.fireAlways = 1;
    work->scaleX = work->scaleY = 1.0f;
    return work;
}

void st05b2partSnakeInit(ObjTask* task) {
    if (st05b2partInit(task, TSKst05boss2Part113Draw, TSKbossPartHit, TSKst05boss2Part113Turret) == nullptr) return;
    std::memset(st05boss2SnakeBoxes, 0, sizeof st05boss2SnakeBoxes);
}

void st05b2partDrifterInit(ObjTask* task) {
    ObjWork* work = st05b2partInit(task, TSKst05boss2Part112Draw, TSKenemyHit, TSKst05boss2Part112Turret);
    if (work != nullptr) work->scaleY = 1.5f;
}

// An endless volley at the interval, first shot at once, 60 frames between
// volleys.
void st05b2partArm(ObjWork* work, int32_t interval) {
    bossResetAttack(work);
    EnemyFields& e = enemy(work);
    e.shotsPerVolley = e.shotsLeft = 99999;
    e.shotInterval = interval;
    e.shotCountdown = 0;
    e.volleysLeft = 99999;
    e.volleyPause = 60;
    e.attackPattern = 1;
}

void st05b2partMove(ObjWork* work) {
    const float turn = float(work->heading & 1023) * kSt05b2partTurn;
    const float speed = enemy(work).steerSpeed;
    work->x += speed * std::sin(turn);
    work->y -= speed * std::cos(turn);
}

// The snake's death: at each segment a streak, a blast, flashes and sparks.
void st05b2partSnakeBurst(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    for (int32_t k = 1; k < kSt05boss2Segments; ++k) {
        const float x = e.trail[k].x, y = e.trail[k].y;
        TSKeffectCreate(65, e.trailHeading[k] & 1023, e.steerSpeed, 0, 0, ObjRef{}, x, y);
        SDL2_wheel_SoundPlaySE(kSt05b2partBlastSound, false);
        for (int32_t n = 0; n < 3; ++n) TSKeffectCreate(92, 0, 0.0f, 0, 0, ObjRef{}, x, y);
        for (int32_t n = 0; n < 10; ++n) {
            const int32_t heading = randRange(1024);
            TSKeffectCreate(77, heading, float(randRange(5) + 1), 0, 0, ObjRef{}, x, y);
        }
    }
}

// Homing on the fighter until the boss reaches step 6, then away down.
void st05b2partSnakeSteer(ObjWork* work, ObjWork* boss) {
    EnemyFields& e = enemy(work);
    if (e.subState == kSt05b2partArm) {
        e.steerSpeed = 2.0f;
        st05b2partArm(work, 4);
        e.subState = kSt05b2partHome;
    }
    if (e.subState == kSt05b2partHome) {
        if (enemy(boss).step != kSt05b2partLeaveStep) {
            float x = 0.0f, y = 0.0f;
            enemyPlayerPos(&x, &y);
            e.steerTarget = {x, y};
        } else {
            bossResetAttack(work);
            e.steerTarget.y = 1000.0f;
            e.subState = kSt05b2partLeave;
        }
    }
    const float turns = std::atan2(e.steerTarget.x - work->x, -(e.steerTarget.y - work->y)) * 1024.0f / 6.2831855f;
    const int32_t toward = (int32_t(turns) + 1024) & 1023;
    work->heading = SDL2_wheel_AngleClamp(toward, work->heading & 1023, 5);
    st05b2partMove(work);
}

// The trail moves on by one with the head in front; the segments and the
// boxes follow it.
void st05b2partSnakeTrail(ObjWork* work) {
    St05boss2Trail& t = st05boss2Trail;
    constexpr int32_t n = kSt05boss2TrailEntries;
    std::memmove(t.x + 1, t.x, sizeof(float) * (n - 1));
    std::memmove(t.y + 1, t.y, sizeof(float) * (n - 1));
    std::memmove(t.heading + 1, t.heading, sizeof(int32_t) * (n - 1));
    t.x[0] = work->x;
    t.y[0] = work->y;
    t.heading[0] = work->heading;
    EnemyFields& e = enemy(work);
    for (int32_t k = 0; k < kSt05boss2Segments; ++k) {
        const int32_t at = k * kSt05boss2TrailStride;
        e.trail[k] = {t.x[at], t.y[at]};
        e.trailHeading[k] = t.heading[at];
    }
    st05boss2SnakeBoxes[0] = st05boss2SnakeBoxes[10] = {0.0f, 0.0f, kSt05b2partBox, kSt05b2partBox};
    for (int32_t k = 1; k < kSt05boss2Segments; ++k) {
        st05boss2SnakeBoxes[k] = {e.trail[k].x - work->x, e.trail[k].y - work->y, kSt05b2partBox, kSt05b2partBox};
    }
}

void st05b2partSnakeUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    ObjWork* boss = bossPartBoss(work);
    if (boss == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    if (work->lifeState == 3) {
        st05b2partSnakeBurst(work);
        return;
    }
    const bool open = e.noHitBoxes == 0;
    work->hitBoxes = open ? st05boss2SnakeBoxes : nullptr;
    work->hitBoxCount = open ? kSt05boss2SnakeBoxes : 0;
    st05b2partSnakeSteer(work, boss);
    st05b2partSnakeTrail(work);
    e.halfWidth = e.halfHeight = 300.0f;
    ++e.frameCount;
}

void st05b2partDrifterUpdate(ObjTask* task) {
    static constexpr int32_t kInterval[] = {12, 10, 6, 6};
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (bossPartBoss(work) == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
    if (e.subState == 0) {
        st05b2partArm(work, kInterval[std::clamp(enemyRankLevel(), 0, 3)]);
        e.subState = 1;
    }
    if (e.frameCount < 120) {
        const int32_t sense = e.turnSign == 0 ? 1 : -1;
        e.twist += 16 * sense;
        work->heading = (work->heading + 4 * sense) & 1023;
    }
    st05b2partMove(work);
    if (work->x < -64.0f || work->x > 288.0f || work->y < -64.0f || work->y > 352.0f) task->state = kObjStateEnd;
    ++e.frameCount;
}

}  // namespace

void st05boss2TrailClear() {
    st05boss2Trail = {};
    std::memset(st05boss2SnakeBoxes, 0, sizeof st05boss2SnakeBoxes);
}

bool st05boss2SnakeAlive() {
    bool alive = false;
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
        if (t->act == TSKst05boss2Part113Act && t->work != nullptr) alive = true;
    });
    return alive;
}

ObjTask* st05boss2LaunchSnake(ObjTask* boss, float x, float y) {
    // Two snakes would share the one trail: the second is not made.
    if (st05boss2SnakeAlive()) return nullptr;
    ObjTask* part = bossSpawnPart(boss, TSKst05boss2Part113Act);
    if (part == nullptr) return nullptr;
    ObjWork* work = part->work;
    work->kind = 113;
    work->x = x;
    work->y = y;
    work->heading = 512;
    enemy(work).steerSpeed = 0.0f;
    std::fill(std::begin(st05boss2Trail.x), std::end(st05boss2Trail.x), x);
    std::fill(std::begin(st05boss2Trail.y), std::end(st05boss2Trail.y), y);
    std::fill(std::begin(st05boss2Trail.heading), std::end(st05boss2Trail.heading), 512);
    EnemyFields& e = enemy(work);
    std::fill(std::begin(e.trail), std::end(e.trail), ObjPoint{x, y});
    std::fill(std::begin(e.trailHeading), std::end(e.trailHeading), 512);
    return part;
}

ObjTask* st05boss2LaunchDrifter(ObjTask* boss, float x, float y, int32_t heading, int32_t turnSign) {
    ObjTask* part = bossSpawnPart(boss, TSKst05boss2Part112Act);
    if (part == nullptr) return nullptr;
    ObjWork* work = part->work;
    work->kind = 112;
    work->x = x;
    work->y = y;
    work->heading = heading & 1023;
    enemy(work).steerSpeed = 2.7f;
    enemy(work).turnSign = turnSign;
    return part;
}

void TSKst05boss2Part113Act(ObjTask* task) { bossAct(task, st05b2partSnakeInit, st05b2partSnakeUpdate); }

void TSKst05boss2Part113Turret(ObjTask*, ObjWork* work) {
    static constexpr int32_t kRows[] = {1, 3, 6, 7}, kBase[] = {80, 60, 40, 40};
    EnemyFields& e = enemy(work);
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    const int32_t m = e.shotIndex % 20;
    for (int32_t k = 0; k < kSt05boss2Segments; ++k) e.locators[k] = e.trail[k];
    if (m >= kRows[level]) return;
    const float speed = float(20 * m + kBase[level]);
    for (int32_t k = 0; k < kSt05boss2Segments; ++k) {
        for (int32_t side : {-256, 256}) {
            const int32_t angle = (e.trailHeading[0] + side) & 1023;
            enemyShotFanOfLines(141, angle, speed, 1, 0, 1, 0.0f, work->parentWork, e.locators[k].x,
                                e.locators[k].y);
            SDL2_wheel_SoundPlaySE(kSt05b2partSoundM, false);
        }
    }
}

void TSKst05boss2Part113Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    ObjWork* boss = bossPartBoss(work);
    const int32_t flash = boss != nullptr ? enemy(boss).flashTimer : 0;
    if (flash == 3 || flash == 4) {
        work->r = 255;
        work->g = work->b = 160;
    }
    for (int32_t k = kSt05boss2Segments - 1; k >= 0; --k) {
        const float angle = float(e.trailHeading[k]) * kSt05b2partTurn;
        OBJdrawSprite(work, kSt05b2partSegmentFrame, e.trail[k].x, e.trail[k].y, kSt05b2partLayer, 1.0f, 1.0f, angle,
                      1.0f, 0);
    }
    OBJdrawSprite(work, kSt05b2partHeadFrame, e.trail[0].x, e.trail[0].y, kSt05b2partLayer, 1.0f, 1.0f,
                  float(e.trailHeading[0]) * kSt05b2partTurn, 1.0f, 0);
    work->r = work->g = work->b = 255;
}

void TSKst05boss2Part112Act(ObjTask* task) { bossAct(task, st05b2partDrifterInit, st05b2partDrifterUpdate); }

void TSKst05boss2Part112Turret(ObjTask*, ObjWork* work) {
    const bool top = enemyRankLevel() == 3;
    const bool right = enemy(work).turnSign == 1;
    const int32_t type = right ? (top ? 186 : 184) : (top ? 187 : 185);
    const int32_t angle = (work->heading + (right ? 300 : -300)) & 1023;
    enemyShotFanOfLines(type, angle, 60.0f, 1, 0, 1, 0.0f, work->parentWork, work->x, work->y);
    SDL2_wheel_SoundPlaySE(kSt05b2partSoundL, false);
}

void TSKst05boss2Part112Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const int32_t frame = kSt05b2partDrifterFrame + (e.frameCount / 3) % 5;
    const float angle = float(e.twist + work->heading) * kSt05b2partTurn;
    OBJdrawSprite(work, frame, work->x, work->y, kSt05b2partLayer, 1.0f, 1.5f, angle, 1.0f, 0);
    work->r = work->g = work->b = 255;
}
