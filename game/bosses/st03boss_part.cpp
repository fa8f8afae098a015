// Kind 119, the stage-3 boss's satellites: eight small gun pods that follow
// the boss's phase and step (dash, formation, charge, ring, or drift and
// aim), fire for it, and pass every shot they take on to it.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt03partSprite = 5771;
constexpr int32_t kSt03partLaser = 161;
constexpr int32_t kSt03partBeamL = 17;
constexpr int32_t kSt03partBeamM = 18;
constexpr int32_t kSt03partBeamS = 19;
constexpr int32_t kSt03partTurn = 24;
constexpr float kSt03partMuzzle = 16.0f;
constexpr float kSt03partRingRadius = 116.0f;
constexpr HitBox kSt03partBox[] = {{0.0f, 0.0f, 10.0f, 10.0f}};
constexpr ObjPoint kSt03partFormation[8] = {{20, 40},  {40, 80},  {60, 60},   {204, 40},
                                            {184, 80}, {164, 60}, {152, 140}, {72, 140}};

// The satellites' attacks: dash, formation, charge; the ring's interval
// goes by rank level.
constexpr BossAttack kSt03partDash = {1, 5, 4, 30, 1, 72, 100};
constexpr BossAttack kSt03partFormationFire = {2, 99999, 4, 0, 1, 10, 100};
constexpr BossAttack kSt03partChargeFire = {3, 3, 4, 0, 1, 10, 100};
constexpr int32_t kSt03partRingInterval[4] = {12, 10, 8, 6};
constexpr int32_t kSt03partChargeWait[4] = {150, 120, 90, 60};

enum St03partMode { kSt03partIdle, kSt03partDashMode, kSt03partFormationMode, kSt03partChargeMode, kSt03partRingMode };

St03partMode st03partModeOf(const EnemyFields& boss) {
    if (boss.phase == 1 && boss.step == 2) return kSt03partDashMode;
    if (boss.phase == 1 && boss.step == 5) return kSt03partFormationMode;
    if (boss.phase == 2 && boss.step == 2) return kSt03partChargeMode;
    if (boss.phase == 5 && boss.step == 2) return kSt03partRingMode;
    return kSt03partIdle;
}

// What a satellite's frame knows: its record, its view, the aim at the
// fighter and the rank level.
struct St03partFrame {
    ObjWork* work;
    EnemyFields& e;
    int32_t aim;
    int32_t level;
};

void st03partNext(EnemyFields& e, int32_t subState) {
    e.subState = subState;
    e.stepCount = -1;  // 0 once the frame's count is added
}

float st03partDistance(const ObjWork* work, const EnemyFields& e) {
    return SDL2_wheel_Distance(work->x, work->y, e.steerTarget.x, e.steerTarget.y);
}

// Flies toward the target: the speed by distance, the heading at it.
void st03partFly(ObjWork* work, EnemyFields& e) {
    e.steerSpeed = partApproachSpeed(work->x, work->y, e.steerTarget.x, e.steerTarget.y);
    work->heading = enemyHeadingTo(work->x, work->y, e.steerTarget.x, e.steerTarget.y);
}

void st03partCentreTarget(EnemyFields& e) {
    const int32_t x = 112 + randRange(200) - 100;
    e.steerTarget = {float(x), float(50 + randRange(100))};
}

ObjPoint st03partRingPoint(int32_t p) {
    float x = 112.0f, y = 144.0f;
    SDL2_wheel_AngleSinCos(p, &x, &y, kSt03partRingRadius);
    return {x, y};
}

// Drift to a stop, then to a random point in the centre, aiming all along.
void st03partIdle(St03partFrame& f) {
    EnemyFields& e = f.e;
    e.turretHeld = 0;
    e.turretTarget = f.aim;
    switch (e.subState) {
    case 0:
        bossResetAttack(f.work);
        e.steerSpeed -= 5.0f;
        if (e.steerSpeed < 0.0f) {
            e.steerSpeed = 0.0f;
            st03partNext(e, 1);
        }
        break;
    case 1:
        st03partCentreTarget(e);
        st03partNext(e, 2);
        break;
    case 2:
        st03partFly(f.work, e);
        if (st03partDistance(f.work, e) <= 2.0f) {
            e.steerSpeed = 0.0f;
            st03partNext(e, 3);
        }
        break;
    default:
        break;
    }
}

// Dash: eight passes to random points, a burst at each.
void st03partDash(St03partFrame& f) {
    EnemyFields& e = f.e;
    if (e.subState <= 2) e.turretHeld = 0;
    switch (e.subState) {
    case 0:
        e.loopCount = 0;
        st03partIdle(f);
        break;
    case 1:
        e.turretTarget = f.aim;
        st03partCentreTarget(e);
        st03partNext(e, 2);
        break;
    case 2:
        st03partFly(f.work, e);
        if (st03partDistance(f.work, e) <= 2.0f) {
            e.steerSpeed = 0.0f;
            bossStartAttack(f.work, kSt03partDash);
            st03partNext(e, 3);
        }
        break;
    case 3:
        e.turretTarget = f.aim;
        if (e.attackPattern != 0) break;
        ++e.loopCount;
        st03partNext(e, e.loopCount > 7 ? 4 : 1);
        break;
    default:
        break;
    }
}

// Formation: to the fixed point of its index, then the long barrage.
void st03partFormation(St03partFrame& f) {
    EnemyFields& e = f.e;
    const int32_t target = e.index == 6 || e.index == 7 ? 512 : f.aim;
    switch (e.subState) {
    case 0:
        e.turretHeld = 0;
        bossResetAttack(f.work);
        e.steerTarget = kSt03partFormation[std::clamp(e.index, 0, 7)];
        st03partFly(f.work, e);
        e.turretTarget = f.aim;
        if (e.stepCount >= 61) {
            e.steerSpeed = 0.0f;
            st03partNext(e, 1);
        }
        break;
    case 1:
        bossStartAttack(f.work, kSt03partFormationFire);
        st03partNext(e, 2);
        break;
    case 2:
        e.turretTarget = target;
        if (e.attackPattern == 0) {
            e.turretHeld = 0;
            st03partNext(e, 3);
        }
        break;
    default:
        break;
    }
}

// Charge: in turn, each to a point near the fighter, a burst, away again.
void st03partCharge(St03partFrame& f) {
    EnemyFields& e = f.e;
    ObjWork* work = f.work;
    if (e.subState <= 1 || e.subState == 4 || e.subState == 5) e.turretHeld = 0;
    switch (e.subState) {
    case 0:
        bossResetAttack(work);
        st03partFly(work, e);
        if (e.stepCount > e.index * 60) st03partNext(e, 1);
        break;
    case 1: {
        bossResetAttack(work);
        float fx = work->x, fy = work->y;
        enemyPlayerPos(&fx, &fy);
        SDL2_wheel_AngleSinCos(randRange(1024), &fx, &fy, 80.0f);
        e.steerTarget = {std::clamp(fx, 0.0f, 224.0f), std::clamp(fy, 0.0f, 208.0f)};
        st03partNext(e, 2);
        break;
    }
    case 2:
        st03partFly(work, e);
        e.turretTarget = f.aim;
        if (st03partDistance(work, e) <= 2.0f) {
            e.steerSpeed = 0.0f;
            st03partNext(e, 3);
        }
        break;
    case 3:
        if (e.stepCount < 50) e.turretTarget = f.aim;
        if (e.stepCount >= 120) {
            bossStartAttack(work, kSt03partChargeFire);
            st03partNext(e, 4);
        }
        break;
    case 4:
        if (e.attackPattern != 0) break;
        st03partCentreTarget(e);
        ++e.loopCount;
        st03partNext(e, 5);
        break;
    default:
        st03partFly(work, e);
        if (e.stepCount >= kSt03partChargeWait[f.level]) st03partNext(e, 1);
        break;
    }
}

// Ring: round the screen centre, turning the guns outward.
void st03partRing(St03partFrame& f) {
    EnemyFields& e = f.e;
    if (e.subState == 0 || e.subState == 2) e.turretHeld = 0;
    switch (e.subState) {
    case 0: {
        e.loopCount = 0;
        const int32_t p = e.index * 128;
        e.steerTarget = st03partRingPoint(p);
        e.turretTarget = (p + 512) & 1023;
        st03partNext(e, 1);
        break;
    }
    case 1:
        st03partFly(f.work, e);
        if (e.stepCount >= 60) {
            BossAttack ring = {8, 999999, kSt03partRingInterval[f.level], 60, 1, 72, 100};
            bossStartAttack(f.work, ring);
            st03partNext(e, 2);
        }
        break;
    default: {
        ++e.loopCount;
        const int32_t p = (e.index * 128 + e.loopCount) % 1024;
        e.steerTarget = st03partRingPoint(p);
        e.turretTarget = (p + (e.index == 0 || e.index == 4 ? 562 : 512)) & 1023;
        st03partFly(f.work, e);
        break;
    }
    }
}

ObjPoint st03partMuzzle(const ObjWork* work, int32_t turretAngle) {
    float x = work->x, y = work->y;
    SDL2_wheel_AngleSinCos(turretAngle, &x, &y, kSt03partMuzzle);
    return {x, y};
}

void st03partInit(ObjTask* task) {
    ObjWork* work = bossPartNew(task, bossFreeWithLinks);
    if (work == nullptr) return;
    work->diesWithBoss = 1;
    work->draw = TSKst03bossPart119Draw;
    work->hit = TSKbossPartHit;
    work->attack = TSKst03bossPart119Attack;
    work->depth = 440.0f;
    work->angle = 0.0f;
    work->ground = 1;
    EnemyFields& e = enemy(work);
    e.halfWidth = e.halfHeight = 500.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    e.hp = enemyScaleHp(4096);
    e.score = 0;
    e.offscreenTimer = 3600;
    e.sizeClass = 2;
    e.fireAlways = 1;
    e.followedLayer = 3;
}

// Pattern 1 (dash): a fan at the heading frozen at the burst's first shot.
void st03partPatternOne(ObjWork* work, ObjRef boss, ObjPoint at, int32_t i, int32_t level) {
    EnemyFields& e = enemy(work);
    e.turretHeld = 1;
    if (i == 0) e.aimWords[0] = e.turretAngle;
    if (level == 0 && i > 1) return;
    const bool late = e.loopCount > 4;
    int32_t count = 1;
    if (level == 2 && late) count = 3;
    if (level == 3) count = late ? 5 : 3;
    constexpr float kSpeed[4] = {180, 250, 250, 250};
    constexpr int32_t kSpread[4] = {120, 120, 80, 60};
    enemyShotFan(139, e.aimWords[0], kSpeed[level], count, kSpread[level], boss, at.x, at.y);
    SDL2_wheel_SoundPlaySE(kSt03partBeamS, false);
}

// Pattern 2, indexes 0 and 3: pairs that close in over 20 shots of 40.
void st03partPairs(EnemyFields& e, ObjRef boss, ObjPoint at, int32_t i, int32_t level, int32_t base) {
    const int32_t k = i % 40;
    const bool firing = e.index == 0 ? k < 20 : k >= 20;
    if (!firing || i >= 140) {
        e.turretHeld = 0;
        return;
    }
    e.turretHeld = 1;
    const int32_t widen = level == 0 ? 40 : level == 1 ? 20 : 0;
    const int32_t spread = base + widen - 10 * k;
    enemyShotFan(133, e.turretAngle, 400, 2, spread, boss, at.x, at.y);
    if (level == 3) enemyShotFan(133, e.turretAngle, 400, 2, spread + 40, boss, at.x, at.y);
    SDL2_wheel_SoundPlaySE(kSt03partBeamS, false);
}

// Pattern 2, indexes 1 and 4: fans of lines on their own shots.
void st03partLines(EnemyFields& e, ObjRef boss, ObjPoint at, int32_t i, int32_t level) {
    const bool due = e.index == 1 ? i >= 40 && i <= 120 && i % 20 == 0 : i >= 30 && i <= 130 && i % 20 == 10;
    if (!due) return;
    constexpr int32_t kFans[4][3] = {{3, 50, 1}, {5, 50, 1}, {5, 50, 3}, {9, 30, 3}};
    const int32_t* fan = kFans[level];
    enemyShotFanOfLines(44, e.turretAngle, 160, fan[0], fan[1], fan[2], 10, boss, at.x, at.y);
    if (level == 2) enemyShotFan(0, e.turretAngle, 170, 4, 50, boss, at.x, at.y);
    if (level == 3) enemyShotFan(0, e.turretAngle, 170, 8, 30, boss, at.x, at.y);
    SDL2_wheel_SoundPlaySE(kSt03partBeamM, false);
}

// Pattern 2, indexes 2 and 5: streams of ten of every 25 shots.
void st03partStream(EnemyFields& e, ObjRef boss, ObjPoint at, int32_t i) {
    const int32_t k = i % 25;
    if (k >= 10 || i < 26 || i >= 140) {
        e.turretHeld = 0;
        return;
    }
    e.turretHeld = 1;
    const int32_t angle = e.turretAngle + randRange(64) - 32;
    enemyShot(158, angle & 1023, float(160 + 20 * k), boss, at.x, at.y);
    SDL2_wheel_SoundPlaySE(kSt03partBeamS, false);
}

// Pattern 2, indexes 6 and 7: the rain straight down from shot 150.
void st03partRain(ObjRef self, ObjPoint at, int32_t i, int32_t level) {
    constexpr int32_t kEvery[4] = {4, 3, 1, 1};
    if (i < 150 || (i - 150) % kEvery[level] != 0) return;
    for (int32_t n = 0; n < (level == 3 ? 2 : 1); ++n) {
        const int32_t angle = 512 + randRange(200) - 100;
        enemyShot(164, angle, 200, self, at.x, at.y);
    }
    SDL2_wheel_SoundPlaySE(kSt03partBeamL, false);
}

// Pattern 3 (charge): a random choice at every tenth shot between widening
// fans of lines and one spread of fans.
void st03partPatternThree(EnemyFields& e, ObjRef boss, ObjPoint at, int32_t i, int32_t level) {
    const int32_t j = i % 10;
    if (j == 0) e.turretTarget = randRange(100);
    if (e.turretTarget < 50) {
        if (j >= 4) return;
        e.turretHeld = 1;
        constexpr float kSpeed[4] = {130, 190, 260, 260};
        enemyShotFanOfLines(139, e.turretAngle, kSpeed[level], j + 1, 30, level == 3 ? 3 : 1, 20, boss, at.x, at.y);
        SDL2_wheel_SoundPlaySE(kSt03partBeamS, false);
        return;
    }
    if (j != 0) return;
    constexpr int32_t kFans[4] = {4, 6, 8, 12};
    for (int32_t n = 0; n < kFans[level]; ++n) {
        const int32_t angle = e.turretAngle + randRange(20) - 10;
        enemyShotFan(11, angle & 1023, float(260 + 20 * n), level == 3 ? 3 : 1, 40, boss, at.x, at.y);
    }
    SDL2_wheel_SoundPlaySE(kSt03partBeamM, false);
}

// Pattern 8 (ring): indexes 0 and 4 hold a laser turning with their guns;
// the others fire in turn and sideways at every shot.
void st03partPatternEight(ObjWork* work, ObjRef boss, ObjPoint at, int32_t i, int32_t level) {
    EnemyFields& e = enemy(work);
    if (e.index == 0 || e.index == 4) {
        if (i != 0) return;
        constexpr int32_t kOffset[4] = {80, 60, 40, 20};
        e.laserOffset = kOffset[level];
        const int32_t muzzleAim = enemyAngleToPlayer(at.x, at.y);
        bossLinkShotAt(e.partLink[0], kSt03partLaser, (muzzleAim + e.laserOffset) & 1023, boss, at);
        return;
    }
    if (i % 8 == e.index) {
        const int32_t count = i > 100 && level != 0 ? 3 : 1;
        enemyShotFan(133, e.turretAngle, 45, count, 80, boss, at.x, at.y);
        SDL2_wheel_SoundPlaySE(kSt03partBeamS, false);
    }
    enemyShot(63, (e.turretAngle + 256) & 1023, 300, boss, at.x, at.y);
    enemyShot(63, (e.turretAngle - 256) & 1023, 300, boss, at.x, at.y);
}

}  // namespace

void TSKst03bossPart119Act(ObjTask* task) { bossAct(task, st03partInit, TSKst03bossPart119Update); }

void TSKst03bossPart119Update(ObjTask* task) {
    ObjWork* work = task->work;
    ObjWork* boss = bossPartBoss(work);
    if (boss == nullptr) {
        OBJtaskRelease(task);
        return;
    }
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return;
    }
    EnemyFields& e = enemy(work);
    if (work->lifeState == 3) {
        bossEndLinks(work);
        return;
    }
    const bool boxed = e.noHitBoxes == 0;
    work->hitBoxes = boxed ? kSt03partBox : nullptr;
    work->hitBoxCount = boxed ? 1 : 0;
    St03partFrame f{work, e, enemyAngleToPlayer(work->x, work->y), std::clamp(enemyRankLevel(), 0, 3)};
    const EnemyFields& b = enemy(boss);
    if (b.step != e.seenStep) {
        e.subState = 0;
        e.stepCount = 0;
    }
    e.seenStep = b.step;
    switch (st03partModeOf(b)) {
    case kSt03partDashMode:
        st03partDash(f);
        break;
    case kSt03partFormationMode:
        st03partFormation(f);
        break;
    case kSt03partChargeMode:
        st03partCharge(f);
        break;
    case kSt03partRingMode:
        st03partRing(f);
        break;
    default:
        st03partIdle(f);
        break;
    }
    SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, e.steerSpeed);
    if (e.turretHeld == 0) e.turretAngle = SDL2_wheel_AngleClamp(e.turretTarget, e.turretAngle, kSt03partTurn);
    work->angle = float(e.turretAngle + 512) * 6.2831855f / 1024.0f;
    if (ObjWork* laser = objRefWork(e.partLink[0])) {
        const ObjPoint at = st03partMuzzle(work, e.turretAngle);
        laser->x = at.x;
        laser->y = at.y;
        laser->heading = (e.laserOffset + e.turretAngle) & 1023;
    }
    std::copy_backward(std::begin(e.trail), std::end(e.trail) - 1, std::end(e.trail));
    e.trail[0] = {work->x, work->y};
    ++e.stepCount;
    ++e.frameCount;
}

void TSKst03bossPart119Attack(ObjTask* task, ObjWork* work) {
    ObjWork* bossWork = bossPartBoss(work);
    if (bossWork == nullptr) return;
    EnemyFields& e = enemy(work);
    const ObjRef boss = work->parentWork;
    const ObjPoint at = st03partMuzzle(work, e.turretAngle);
    const int32_t i = e.shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    switch (e.attackPattern) {
    case 1:
        st03partPatternOne(work, boss, at, i, level);
        break;
    case 2:
        if (e.index == 0) st03partPairs(e, boss, at, i, level, 240);
        if (e.index == 3) st03partPairs(e, boss, at, i, level, 440);
        if (e.index == 1 || e.index == 4) st03partLines(e, boss, at, i, level);
        if (e.index == 2 || e.index == 5) st03partStream(e, boss, at, i);
        if (e.index == 6 || e.index == 7) st03partRain(objRef(task), at, i, level);
        break;
    case 3:
        st03partPatternThree(e, boss, at, i, level);
        break;
    case 8:
        st03partPatternEight(work, boss, at, i, level);
        break;
    default:
        break;
    }
}

void TSKst03bossPart119Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const int32_t layer = int32_t(work->depth);
    constexpr float kTrailAlpha[6] = {0.0f, 0.8f, 0.6f, 0.4f, 0.2f, 0.0f};
    for (int32_t back = 5; back >= 1; --back) {
        const ObjPoint at = e.trail[back];
        OBJdrawSprite(work, kSt03partSprite, at.x, at.y, layer, 1.0f, 1.0f, work->angle, kTrailAlpha[back], 0);
    }
    OBJdrawSprite(work, kSt03partSprite, work->x, work->y, layer, work->scaleX, work->scaleY, work->angle, 0.5f, 0);
    enemyDrawExitMarker(work);
}
