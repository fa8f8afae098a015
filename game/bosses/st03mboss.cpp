// Kind 82, the stage-3 mid-boss: a long ground machine of sprites lying
// across the field, fifteen aim points (four body points, three large and
// eight small turrets) in aim slots 0..14 over the pivots of the marker
// frames 5772..5786. A class-1 enemy until its entry wait reaches 60; gives
// up when the stage runs past frame 6800; drops its own wreck.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_sprite.h"
#include "game/core/collision.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/objects/wreckage.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kSt03mbossMarker = 5772;  // point k's is 5772 + k
constexpr int32_t kSt03mbossBody = 5894;
constexpr int32_t kSt03mbossPlates[4] = {5788, 5802, 5816, 5830};
constexpr int32_t kSt03mbossLarge = 5845, kSt03mbossLargeDead = 5861;
constexpr int32_t kSt03mbossSmall = 5863, kSt03mbossSmallDead = 5879;
constexpr int32_t kSt03mbossBeamL = 17, kSt03mbossBeamM = 18, kSt03mbossBeamS = 19;
constexpr int32_t kSt03mbossGiveUpFrame = 6800;
constexpr int32_t kSt03mbossGaveUp = 7;
constexpr int32_t kSt03mbossDyingCell = 13, kSt03mbossOpenCell = 12;
constexpr HitBox kSt03mbossBoxes[] = {{70, -80, 25, 25}, {50, -55, 25, 25}, {30, -30, 25, 25},
                                      {-20, 5, 20, 20},  {-50, 40, 20, 20},  {-80, 75, 20, 20}};
// By point: the muzzle length and the draw nudge.
struct St03mbossPoint {
    int32_t muzzle;
    ObjPoint nudge;
};
constexpr St03mbossPoint kSt03mbossPoints[kSt03mbossAimPoints] = {
    {0, {0, 0}},  {0, {0, 0}},  {0, {0, 0}},  {0, {0, 0}},  {16, {-1, 6}}, {16, {-1, 7}}, {16, {-2, 3}}, {8, {2, 4}},
    {8, {2, 1}},  {8, {2, 1}},  {8, {2, 1}},  {8, {-2, 0}}, {8, {-2, 0}}, {8, {1, 0}},  {8, {1, 0}},
};

constexpr BossInitRow kSt03mbossInit = {
    TSKst03mbossKill, TSKst03mbossDraw, TSKst03mbossHit, TSKst03mbossTurret, 14.0f, 1, {0x19000, 0}, {0x14000, 0},
    800000, 1, nullptr, 0, 300, false, -1};

// Attacks A, B, C and D, by phase 1, 2, 3 and 5.
constexpr BossAttack kSt03mbossAttacks[] = {
    {1, 6, 6, 30, 5, 50, 0},
    {3, 90, 9, 80, 1, 30, 0},
    {6, 60, 6, 30, 1, 16, 0},
    {8, 99999, 20, 200, 1, 16, 0},
};

void st03mbossSound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

// The muzzles as the slots stood when the callback began.
struct St03mbossGuns {
    BossGun gun;
    ObjPoint muzzle[kSt03mbossAimPoints];
};

void st03mbossFan(const St03mbossGuns& g, ObjPoint at, int32_t type, int32_t angle, float speed, int32_t count,
                  int32_t step) {
    enemyShotFan(type, angle, speed, count, step, g.gun.owner, at.x, at.y);
}

// Freezes turret k (its heading kept in aim word k).
void st03mbossFreeze(ObjWork* work, int32_t k) {
    bossFreezeSlot(work, k);
    enemy(work).aimWords[k] = enemy(work).aimSlots[k].heading;
}

void st03mbossModeOne(const St03mbossGuns& g, int32_t i, int32_t level) {
    ObjWork* work = g.gun.work;
    EnemyFields& e = enemy(work);
    const int32_t b = e.volleyIndex;
    for (int32_t k = 7; k <= 14; ++k) {
        if (i == 0) st03mbossFreeze(work, k);
        const int32_t a = e.aimSlots[k].heading;
        if (level == 0 && i <= 3) st03mbossFan(g, g.muzzle[k], 133, a, 170, b + 1, (30 - b) * 4);
        if (level == 1) st03mbossFan(g, g.muzzle[k], 133, a, 200, b + 1, (30 - b) * 4);
        if (level >= 2) st03mbossFan(g, g.muzzle[k], 133, a, 250, b + 3, 80 - 7 * b);
        if (level == 3 && i == 0) {
            st03mbossFan(g, g.muzzle[k], 39, a, 220, b + 4, 80 - 7 * b);
            st03mbossSound(kSt03mbossBeamM);
        }
        if (level != 0 || i <= 3) st03mbossSound(kSt03mbossBeamS);
        if (e.shotsLeft == 0) bossArmSlot(work, k);
    }
}

void st03mbossModeThree(const St03mbossGuns& g, int32_t i, int32_t level) {
    ObjWork* work = g.gun.work;
    EnemyFields& e = enemy(work);
    for (int32_t k = 7; k <= 14; ++k) {
        if (i == 0) st03mbossFreeze(work, k);
        const int32_t beta = 420 + 60 * (k - 7);
        const bool odd = k % 2 != 0;
        const int32_t angle = odd ? beta + 40 * i : beta + 400 + 28 * i;
        const int32_t type = odd ? 37 : level <= 1 ? 158 : 4;
        const float speed = odd && level >= 2 ? 180.0f : 120.0f;
        const int32_t count = !odd && level == 3 ? 2 : 1;
        e.aimSlots[k].heading = angle;
        if (level >= 1 || i % 2 == 0) {
            st03mbossFan(g, g.muzzle[k], type, angle, speed, count, 80);
            st03mbossSound(kSt03mbossBeamS);
        }
        if (e.shotsLeft == 0) bossArmSlot(work, k);
    }
}

// A large turret's two side muzzles, 5 px either side of its heading.
ObjPoint st03mbossSide(ObjPoint muzzle, int32_t heading, int32_t side) {
    const float radians = float(heading + side * 256) * 6.2831855f / 1024.0f;
    return {muzzle.x + 5.0f * std::sin(radians), muzzle.y - 5.0f * std::cos(radians)};
}

void st03mbossModeSix(const St03mbossGuns& g, int32_t i, int32_t level) {
    ObjWork* work = g.gun.work;
    EnemyFields& e = enemy(work);
    const int32_t s = i % 20;
    const int32_t point = s == 0 ? 0 : s == 4 ? 2 : s == 9 ? 1 : s == 14 ? 3 : -1;
    if (point >= 0) {
        const float speed = level == 0 ? 70.0f : 90.0f;
        const int32_t centres = level == 0 ? 3 : 5, inner = level >= 2 ? 5 : 3, innerStep = level >= 2 ? 204 : 341;
        const ObjPoint at = g.muzzle[point];
        enemyShotFanOfFans(53, e.aimSlots[point].heading, speed, centres, 16, inner, innerStep, g.gun.owner, at.x,
                           at.y);
        st03mbossSound(kSt03mbossBeamM);
    }
    const int32_t q = level <= 1 ? 4 : level == 2 ? 5 : 8;
    if (i < 20 || s >= q) return;
    for (int32_t k = 4; k <= 6; ++k) {
        if (s == 0) st03mbossFreeze(work, k);
        const int32_t a = e.aimWords[k];
        e.aimSlots[k].heading = a;
        const ObjPoint plus = st03mbossSide(g.muzzle[k], a, 1), minus = st03mbossSide(g.muzzle[k], a, -1);
        st03mbossFan(g, plus, 135, a, 200, 1, 40);
        if (level >= 1) st03mbossFan(g, plus, 135, a + 30, 200, 1, 40);
        st03mbossFan(g, minus, 135, a, 200, 1, 40);
        if (level >= 1) st03mbossFan(g, minus, 135, a - 30, 200, 1, 40);
        st03mbossSound(kSt03mbossBeamL);
        if (s == q - 1) bossArmSlot(work, k);
    }
}

void st03mbossModeEight(const St03mbossGuns& g, int32_t i, int32_t level) {
    EnemyFields& e = enemy(g.gun.work);
    struct Lines {
        float speed;
        int32_t count, step, lineCount;
    };
    constexpr Lines kLines[4] = {{120, 1, 120, 3}, {120, 2, 120, 3}, {160, 4, 120, 3}, {160, 7, 60, 5}};
    const int32_t j = e.aimWords[18] % 4;
    const Lines& l = kLines[level];
    const ObjPoint at = g.muzzle[j];
    enemyShotFanOfLines(6, e.aimSlots[j].heading, l.speed, l.count, l.step, l.lineCount, 10.0f, g.gun.owner, at.x,
                        at.y);
    st03mbossSound(kSt03mbossBeamS);
    ++e.aimWords[18];
    if (level <= 1 && i % 2 != 0) return;
    const int32_t m = 4 + e.aimWords[19] % 3;
    const int32_t a = e.aimSlots[m].heading;
    st03mbossFan(g, st03mbossSide(g.muzzle[m], a, 1), 169, a, 200, 1, 40);
    st03mbossFan(g, st03mbossSide(g.muzzle[m], a, -1), 169, a, 200, 1, 40);
    st03mbossSound(kSt03mbossBeamL);
    ++e.aimWords[19];
}

void st03mbossDying(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    bossHalt(work);
    work->animFrame = kSt03mbossDyingCell;
    if (e.deathPhase != 5 || e.deathTimer != 0) return;
    for (int32_t n = 0; n < 5; ++n) {
        const float d = float(40 * n);
        TSKzangCreate(21, 0, e.followedLayer, work->x - 120.0f + d, work->y + 120.0f - d);
    }
    TSKeffectCreate(74, 0, 0.0f, 0, 353, ObjRef{}, work->x - 80.0f, work->y + 80.0f);
    TSKeffectCreate(74, 0, 0.0f, 0, 353, ObjRef{}, work->x + 80.0f, work->y - 80.0f);
}

// At entry wait 60 it becomes the mid-boss; with the wait over, the boxes
// (none once it gave up or while the hit switch is set).
void st03mbossBecomeBoss(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.entryWait == 60) {
        e.sizeClass = 3;
        bossPresentFlag = 1;
        bossGaugeRegister(1, e.hp, e.formHp, 0, e.gaugeSlot);
        return;
    }
    if (e.entryWait != 0) return;
    const bool open = e.phase != kSt03mbossGaveUp && e.noHitBoxes == 0;
    work->hitBoxes = open ? kSt03mbossBoxes : nullptr;
    work->hitBoxCount = open ? int32_t(std::size(kSt03mbossBoxes)) : 0;
}

void st03mbossPhases(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == 0) {
        if (++e.stepCount > 30) {
            e.phase = 1;
            e.stepCount = 0;
        }
    } else if (e.phase == 1 || e.phase == 2 || e.phase == 3 || e.phase == 5) {
        const int32_t attack = e.phase == 5 ? 3 : e.phase - 1;
        if (e.stepCount == 0) bossStartAttack(work, kSt03mbossAttacks[attack]);
        ++e.stepCount;
        if (e.attackPattern == 0) {
            e.phase = e.phase >= 3 ? 5 : e.phase + 1;
            e.stepCount = 0;
        }
    }
    if (stageFrame > kSt03mbossGiveUpFrame) e.phase = kSt03mbossGaveUp;
    if (e.phase == kSt03mbossGaveUp) {
        bossResetAttack(work);
        e.sizeClass = 1;
        bossPresentFlag = 0;
    }
}

ObjPoint st03mbossDrawPoint(ObjWork* work, int32_t k) {
    const ObjPoint offset = bossMarkerOffset(kSt03mbossMarker + k);
    const ObjPoint nudge = kSt03mbossPoints[k].nudge;
    const EnemyFields& e = enemy(work);
    return {std::trunc(work->x) + offset.x + e.drawOffset.x + nudge.x,
            std::trunc(work->y) + offset.y + e.drawOffset.y + nudge.y};
}

BossSpriteTint st03mbossBodyTint(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    BossSpriteTint tint{255, 255, 255};
    if (e.phase != kSt03mbossGaveUp) {
        enemyPointBlankTint(work);
        tint = {work->r, work->g, work->b};
    }
    if (e.flashTimer == 3 || e.flashTimer == 4) tint = {255, 160, 160};
    return tint;
}

}  // namespace

void TSKst03mbossAct(ObjTask* task) { bossAct(task, TSKst03mbossInit, TSKst03mbossUpdate); }

void TSKst03mbossInit(ObjTask* task) {
    if (!bossInit(task, kSt03mbossInit)) return;
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    e.shotCountdown = 60;
    work->leavesWreck = 0;
    e.explosionKind = 75;
    for (int32_t k = 0; k < kSt03mbossAimPoints; ++k) {
        bossArmMarkerSlot(work, k, kSt03mbossMarker + k, kSt03mbossPoints[k].muzzle);
    }
    e.aimOffset = {-30.0f, 30.0f};
}

void TSKst03mbossUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (work->lifeState == 3) {
        st03mbossDying(work);
        return;
    }
    st03mbossBecomeBoss(work);
    st03mbossPhases(work);
    const bool opening = e.phase == 3 || e.phase == 5 || e.phase == kSt03mbossGaveUp;
    if (opening && e.frameCount % 3 == 0) work->animFrame = std::min(work->animFrame + 1, kSt03mbossOpenCell);
    ++e.frameCount;
}

void TSKst03mbossTurret(ObjTask* task, ObjWork* work) {
    St03mbossGuns g{bossGun(task, work), {}};
    for (int32_t k = 0; k < kSt03mbossAimPoints; ++k) g.muzzle[k] = bossSlotMuzzle(work, k);
    const int32_t i = enemy(work).shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    switch (enemy(work).attackPattern) {
    case 1:
        st03mbossModeOne(g, i, level);
        break;
    case 3:
        st03mbossModeThree(g, i, level);
        break;
    case 6:
        st03mbossModeSix(g, i, level);
        break;
    case 8:
        st03mbossModeEight(g, i, level);
        break;
    default:
        break;
    }
}

void TSKst03mbossHit(ObjTask*, ObjWork* work) {
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter == nullptr) return;
    const bool wasDying = work->lifeState == 3;
    enemyDamage(work, hitter);
    if (wasDying || work->lifeState != 3) return;
    for (int32_t k = 0; k < kSt03mbossAimPoints; ++k) {
        const ObjPoint at = st03mbossDrawPoint(work, k);
        TSKeffectCreate(65, 0, 0.0f, 0, 351, ObjRef{}, at.x, at.y);
    }
}

void TSKst03mbossKill(ObjTask* task) {
    bossPresentFlag = 0;
    if (task->work == nullptr) return;
    OBJworkFree(task->work);
    task->work = nullptr;
}

void TSKst03mbossDraw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const int32_t layer = int32_t(work->depth);
    bossSpriteShadow(work, kSt03mbossBody, work->x, work->y, layer);
    const BossSpriteTint tint = st03mbossBodyTint(work);
    const float silhouette = bossSpriteSilhouetteAlpha(e);
    const float x = work->x + e.drawOffset.x, y = work->y + e.drawOffset.y;
    bossSpriteDraw(work, kSt03mbossBody, x, y, layer, tint, silhouette);
    for (int32_t plate : kSt03mbossPlates) bossSpriteDraw(work, plate + work->animFrame, x, y, layer, tint, silhouette);
    const bool dying = work->lifeState == 3;
    for (int32_t k = 4; k < kSt03mbossAimPoints; ++k) {
        const bool large = k <= 6;
        int32_t frame = bossDirectionFrame(large ? kSt03mbossLarge : kSt03mbossSmall, e.aimSlots[k].heading);
        if (dying) frame = large ? kSt03mbossLargeDead : kSt03mbossSmallDead;
        const ObjPoint at = st03mbossDrawPoint(work, k);
        bossSpriteDraw(work, frame, at.x, at.y, layer, tint, silhouette);
    }
}
