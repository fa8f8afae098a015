// Kind 81, the stage-2 mid-boss: a ground vehicle of sprites riding a
// background layer, four turrets in aim slots 1..4 over the pivots of the
// marker frames 5732..5735 and a firing point over 5731's; attacks A, B, C
// in turn, C ended when the movement script turns it straight down.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_sprite.h"
#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt02mbossMarker = 5731;  // point 0; turret k's is 5731 + k
constexpr int32_t kSt02mbossBody = 5769;
constexpr int32_t kSt02mbossTurretFrame = 5752;
constexpr int32_t kSt02mbossBeamM = 18;
constexpr int32_t kSt02mbossBeamS = 19;
constexpr int32_t kSt02mbossDown = 512;
constexpr HitBox kSt02mbossBoxes[] = {{0.0f, 0.0f, 65.0f, 75.0f}};
constexpr ObjPoint kSt02mbossNudges[5] = {{0, 0}, {-1, 2}, {2, 2}, {-1, -2}, {2, -2}};

constexpr BossInitRow kSt02mbossInit = {
    TSKgameCtrlKill, TSKst02mbossDraw, TSKenemyHit, TSKst02mbossTurret, 0.0f, 1, {0xC000, 0}, {0x9999, 0},
    200000, 3, nullptr, 0, 120, false, 6};

// Attacks A, B and C.
constexpr BossAttack kSt02mbossAttacks[] = {
    {1, 8, 5, 180, 3, 48, 0},
    {3, 80, 4, 60, 1, 0, 0},
    {6, 9999, 8, 50, 1, 16, 0},
};

void st02mbossSound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

ObjPoint st02mbossPoint(ObjWork* work) {
    const ObjPoint offset = bossMarkerOffset(kSt02mbossMarker);
    return {work->x + offset.x, work->y + offset.y};
}

void st02mbossFan(const BossGun& gun, ObjPoint at, int32_t type, int32_t angle, float speed, int32_t count,
                  int32_t step) {
    enemyShotFan(type, angle, speed, count, step, gun.owner, at.x, at.y);
}

// Attack A's fans of turrets 1 and 2 by level (turret 1 at L 2 steps by i).
void st02mbossModeOneTurret(const BossGun& gun, int32_t n, int32_t i, int32_t level) {
    const int32_t w = -7 * i;
    const int32_t a = enemy(gun.work).aimSlots[n].heading;
    const ObjPoint at = bossSlotMuzzle(gun.work, n);
    switch (level) {
    case 0:
        enemyShot(133, a, 180, gun.owner, at.x, at.y);
        break;
    case 1:
        st02mbossFan(gun, at, 133, a, 200, 3, 120 + w);
        break;
    case 2:
        st02mbossFan(gun, at, 133, a, 250, 3, n == 1 ? i : 80 + w);
        break;
    default:
        st02mbossFan(gun, at, 133, a, 250, 3, 70 + w);
        st02mbossFan(gun, at, 133, a, 250, 2, 90 + w);
        break;
    }
    st02mbossSound(kSt02mbossBeamS);
}

void st02mbossModeOne(const BossGun& gun, int32_t i, int32_t level) {
    ObjWork* work = gun.work;
    const EnemyFields& e = enemy(work);
    for (int32_t n = 1; n <= 2; ++n) {
        if (i == 0) bossFreezeSlot(work, n);
        st02mbossModeOneTurret(gun, n, i, level);
        if (e.shotsLeft == 0) bossArmSlot(work, n);
    }
    if (e.volleyIndex >= 1 && i == 5) {
        struct Lines {
            int32_t count, step, lineCount;
        };
        constexpr Lines kLines[4] = {{1, 0, 3}, {3, 60, 3}, {3, 40, 5}, {7, 24, 5}};
        for (int32_t n = 3; n <= 4; ++n) {
            const ObjPoint at = bossSlotMuzzle(work, n);
            const int32_t a = e.aimSlots[n].heading;
            if (level == 0) {
                enemyShotLine(54, a, 180, 3, 20.0f, gun.owner, at.x, at.y);
            } else {
                const Lines& l = kLines[level];
                enemyShotFanOfLines(54, a, 250, l.count, l.step, l.lineCount, 20.0f, gun.owner, at.x, at.y);
            }
            st02mbossSound(kSt02mbossBeamS);
        }
    }
    if (e.volleyIndex != 2 || i % 4 != 0) return;
    struct Fan {
        float speed;
        int32_t count, step;
    };
    constexpr Fan kFans[4] = {{230, 5, 70}, {260, 9, 50}, {330, 15, 34}, {330, 15, 34}};
    const ObjPoint at = st02mbossPoint(work);
    const int32_t aim = bossAimAngle(at.x, at.y);
    st02mbossFan(gun, at, 48, aim, kFans[level].speed, kFans[level].count, kFans[level].step);
    if (level == 3) st02mbossFan(gun, at, 48, aim, 280, 14, 34);
    st02mbossSound(kSt02mbossBeamM);
}

// Turret n fires a type-166 shot at the angle and keeps it as its heading.
// The muzzle stands where the old heading put it.
void st02mbossTurnAndFire(const BossGun& gun, int32_t n, int32_t angle) {
    const ObjPoint at = bossSlotMuzzle(gun.work, n);
    enemy(gun.work).aimSlots[n].heading = angle;
    enemyShot(166, angle, 300, gun.owner, at.x, at.y);
    st02mbossSound(kSt02mbossBeamS);
}

// Attack B's turret 3 (from s = 0) or 4 (from s = 10): k calls at the
// heading it froze with.
void st02mbossModeThreeSide(const BossGun& gun, int32_t n, int32_t s, int32_t first, int32_t k) {
    if (s < first || s >= first + k) return;
    if (s == first) bossFreezeSlot(gun.work, n);
    const ObjPoint at = bossSlotMuzzle(gun.work, n);
    enemyShotFan(158, enemy(gun.work).aimSlots[n].heading, 160, 1, 20, gun.owner, at.x, at.y);
    st02mbossSound(kSt02mbossBeamS);
    if (s == first + k - 1) bossArmSlot(gun.work, n);
}

void st02mbossModeThree(const BossGun& gun, int32_t i, int32_t level) {
    ObjWork* work = gun.work;
    constexpr int32_t kDown[4] = {5, 8, 12, 16};
    constexpr float kDownSpeed[4] = {200, 240, 380, 380};
    if (i % 20 < kDown[level]) {
        const ObjPoint at = st02mbossPoint(work);
        enemyShot(30, kSt02mbossDown, kDownSpeed[level], gun.owner, at.x, at.y);
        st02mbossSound(kSt02mbossBeamM);
    }
    if (i == 0) bossFreezeSlot(work, 1);
    if (i % 40 == 0) st02mbossTurnAndFire(gun, 1, level == 0 ? 620 : 576);
    if (i == 20) bossFreezeSlot(work, 2);
    if (i % 40 == 20) st02mbossTurnAndFire(gun, 2, level == 0 ? 404 : 448);
    if (enemy(work).shotsLeft == 0) {
        bossArmSlot(work, 1);
        bossArmSlot(work, 2);
    }
    constexpr int32_t kSide[4] = {0, 1, 3, 5};
    const int32_t s = i % 20;
    st02mbossModeThreeSide(gun, 3, s, 0, kSide[level]);
    st02mbossModeThreeSide(gun, 4, s, 10, kSide[level]);
}

void st02mbossModeSix(const BossGun& gun, int32_t i, int32_t level) {
    ObjWork* work = gun.work;
    struct Fan {
        int32_t count, step;
    };
    constexpr Fan kFans[4] = {{3, 64}, {5, 64}, {5, 48}, {7, 32}};
    const int32_t n = i % 2 == 0 ? 3 : 4;
    const ObjPoint muzzle = bossSlotMuzzle(work, n);
    enemyShotFan(50, enemy(work).aimSlots[n].heading, 200, kFans[level].count, kFans[level].step, gun.owner,
                 muzzle.x, muzzle.y);
    st02mbossSound(kSt02mbossBeamS);
    if (i <= 10 || i % 4 != 0 || level == 0) return;
    const ObjPoint at = st02mbossPoint(work);
    const int32_t aim = bossAimAngle(at.x, at.y);
    constexpr Fan kCentre[4] = {{0, 0}, {2, 60}, {4, 40}, {6, 28}};
    st02mbossFan(gun, at, 23, aim, level == 1 ? 280 : 320, kCentre[level].count, kCentre[level].step);
    if (level == 3) st02mbossFan(gun, at, 20, aim, 160, 6, 28);
    st02mbossSound(kSt02mbossBeamM);
}

// Phases 1..3: the attack starts at counter 0 and the phase moves on when
// it is over (phase 3 also when the boss heads straight down).
void st02mbossPhases(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == 0) {
        if (++e.stepCount > 30) {
            e.entryWait = 60;
            e.phase = 1;
            e.stepCount = 0;
        }
        return;
    }
    if (e.phase < 1 || e.phase > 3) return;
    if (e.stepCount == 0) bossStartAttack(work, kSt02mbossAttacks[e.phase - 1]);
    ++e.stepCount;
    if (e.phase == 3 && (e.attackPattern == 0 || work->heading == kSt02mbossDown)) {
        bossResetAttack(work);
        e.phase = 1;
        e.stepCount = 0;
    } else if (e.phase < 3 && e.attackPattern == 0) {
        ++e.phase;
        e.stepCount = 0;
    }
}

// Two dust clouds behind the treads every fifth frame.
void st02mbossDust(ObjWork* work) {
    if (enemy(work).frameCount % 5 != 0) return;
    const bool down = work->heading == kSt02mbossDown;
    const float radians = float(work->heading) * 6.2831855f / 1024.0f;
    for (float side : {40.0f, -42.0f}) {
        const float x = work->x + side + 10.0f * std::sin(radians);
        const float y = work->y + (down ? -70.0f : 70.0f) - 10.0f * std::cos(radians);
        TSKeffectCreate(119, down ? 0 : 512, work->speed * 4.0f, 0, 0, ObjRef{}, x, y);
    }
}

}  // namespace

void TSKst02mbossAct(ObjTask* task) { bossAct(task, TSKst02mbossInit, TSKst02mbossUpdate); }

void TSKst02mbossInit(ObjTask* task) {
    if (!bossInit(task, kSt02mbossInit)) return;
    for (int32_t k = 1; k <= 4; ++k) bossArmMarkerSlot(task->work, k, kSt02mbossMarker + k, 10);
}

void TSKst02mbossUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (work->lifeState == 3) {
        bossHalt(work);
        return;
    }
    if (e.firstFrameSeen == 0) {
        enemySetLayerDepth(work);
        e.firstFrameSeen = 1;
    }
    bossInstallHitBoxes(work, kSt02mbossBoxes, int32_t(std::size(kSt02mbossBoxes)));
    st02mbossPhases(work);
    st02mbossDust(work);
    ++e.frameCount;
}

void TSKst02mbossTurret(ObjTask* task, ObjWork* work) {
    const BossGun gun = bossGun(task, work);
    const int32_t i = enemy(work).shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    switch (enemy(work).attackPattern) {
    case 1:
        st02mbossModeOne(gun, i, level);
        break;
    case 3:
        st02mbossModeThree(gun, i, level);
        break;
    case 6:
        st02mbossModeSix(gun, i, level);
        break;
    default:
        break;
    }
}

void TSKst02mbossDraw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const int32_t layer = int32_t(work->depth);
    const float x = work->x + e.drawOffset.x, y = work->y + e.drawOffset.y;
    bossSpriteShadow(work, kSt02mbossBody, x, y, layer);
    enemyPointBlankTint(work);
    BossSpriteTint tint{work->r, work->g, work->b};
    if (e.flashTimer == 3 || e.flashTimer == 4) tint = {255, 160, 160};
    const float silhouette = bossSpriteSilhouetteAlpha(e);
    bossSpriteDraw(work, kSt02mbossBody, x, y, layer, tint, silhouette);
    for (int32_t k = 1; k <= 4; ++k) {
        const EnemyAimSlot& slot = e.aimSlots[k];
        const int32_t frame = bossDirectionFrame(kSt02mbossTurretFrame, slot.heading);
        bossSpriteDraw(work, frame, x + slot.offsetX + kSt02mbossNudges[k].x, y + slot.offsetY + kSt02mbossNudges[k].y,
                       layer, tint, silhouette);
    }
}
