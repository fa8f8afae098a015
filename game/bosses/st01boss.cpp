// Kind 100, the stage-1 boss: two forms over "st01boss", form 1 looping two
// rounds of two attacks, form 2 attack 8 then the endless attack 9; lasers
// as linked parts, five turrets, smoke at low life.
#include <algorithm>
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_stage.h"
#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_services.h"

namespace {

constexpr int32_t kSt01bossTurrets = 5;
constexpr int32_t kSt01bossBeamL = 17;
constexpr int32_t kSt01bossBeamM = 18;
constexpr int32_t kSt01bossBeamS = 19;
constexpr int32_t kSt01bossLaser = 161;
constexpr HitBox kSt01bossFormOne[] = {{0, -12, 80, 46}, {0, -2, 18, 54}, {52, -4, 12, 48}, {-52, -4, 12, 48}};
constexpr HitBox kSt01bossFormTwo[] = {{0, -5, 80, 45}, {0, -5, 140, 20}, {0, 10, 20, 65}, {-50, 45, 5, 20},
                                       {50, 45, 5, 20}};
constexpr ObjPoint kSt01bossPuffs[4] = {{60, 20}, {-30, -40}, {20, -30}, {-55, 30}};

constexpr BossInitRow kSt01bossInit = {
    TSKst01bossFree, TSKbossDraw, TSKbossHit, TSKst01bossTurret, 710.0f, 2, {0x1B000, 0x15000}, {0x15999, 0x10CCC},
    500000, 4, "st01boss", 0, 110, true};

// Attacks 1, 2, 3, 4, 8 and 9.
constexpr BossAttack kSt01bossAttacks[] = {
    {1, 95, 8, 60, 1, 0, 0}, {2, 80, 8, 10, 1, 0, 0}, {3, 60, 3, 60, 1, 0, 0},
    {4, 40, 16, 100, 1, 0, 0}, {8, 70, 8, 10, 1, 0, 0}, {9, 99999, 4, 0, 99999, 0, 0},
};

void st01bossEntered(ObjWork* work) { work->depth = 430.0f; }
void st01bossFormChange(ObjWork* work) {
    soundLayerState().layerTarget = 1;  // the boss music's second track
    bossEndLinks(work);
}

constexpr BossStepRow kSt01bossSteps[] = {
    {0, 0, kBossOnScreen, -1, -1, nullptr, 0, 0, 6, false},
    {0, 6, kBossReady, 1, -1, st01bossEntered, 0, 1, 0, false},
    {1, 0, kBossCounter, 2, -1, nullptr, 0, 1, 1, false},
    {1, 1, kBossReady, 3, 0, nullptr, 0, 1, 2, false},
    {1, 2, kBossReady, 4, -1, nullptr, 0, 1, 3, false},
    {1, 3, kBossEnd, 5, -1, nullptr, 0, 1, 4, false},
    {1, 4, kBossReady, 6, 1, nullptr, 0, 1, 5, false},
    {1, 5, kBossReady, 7, -1, nullptr, 0, 1, 6, false},
    {1, 6, kBossReady, 1, -1, nullptr, 0, 2, 0, false},
    {2, 0, kBossCounter, 8, -1, nullptr, 0, 2, 1, false},
    {2, 1, kBossReady, 9, 2, nullptr, 0, 2, 2, false},
    {2, 2, kBossReady, 10, -1, nullptr, 0, 2, 3, false},
    {2, 3, kBossEnd, 11, -1, nullptr, 0, 2, 4, false},
    {2, 4, kBossReady, 12, 3, nullptr, 0, 2, 5, false},
    {2, 5, kBossReady, 13, -1, bossEndLinks, 0, 2, 6, false},
    {2, 6, kBossReady, 1, -1, nullptr, 0, 1, 0, false},
    {4, 0, kBossAlways, 14, -1, st01bossFormChange, 0, 4, 6, false},
    {4, 6, kBossEnd, 15, -1, nullptr, 0, 5, 0, false},
    {5, 0, kBossCounter, 16, -1, nullptr, 0, 5, 1, false},
    {5, 1, kBossReady, 17, 4, nullptr, 0, 5, 2, false},
    {5, 2, kBossReady, 18, -1, nullptr, 0, 5, 3, false},
    {5, 3, kBossEnd, 19, -1, nullptr, 0, 5, 4, false},
    {5, 4, kBossReady, 20, 5, nullptr, 0, 5, 5, false},
    {5, 5, kBossReady, 21, -1, bossEndLinks, 0, 5, 6, false},
    {5, 6, kBossEnd, 15, -1, nullptr, 0, 5, 0, false},
};

void st01bossSound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

// Four black smoke puffs at the burst offsets; the heading is drawn before
// each speed.
void st01bossPuffs(ObjWork* work, int32_t headingBase, int32_t headingSpread) {
    for (const ObjPoint& offset : kSt01bossPuffs) {
        const int32_t heading = headingBase + bossRand(headingSpread);
        const float speed = float(3 + bossRand(5));
        TSKeffectCreate(103, heading, speed, 0, 0, ObjRef{}, work->x + offset.x, work->y + offset.y);
    }
}

// Attack 1's firing of turrets 3 and 4 by level.
void st01bossTurretVolley(const BossGun& gun, int32_t turret, int32_t angle, int32_t level) {
    switch (level) {
    case 0:
        bossShot(gun, turret, 4, angle, 180);
        break;
    case 1:
        bossFan(gun, turret, 4, angle, 180, 2, 10);
        break;
    case 2:
        bossFan(gun, turret, 4, angle, 220, 3, 10);
        break;
    default:
        for (int32_t side = -1; side <= 1; ++side) bossFan(gun, turret, 4, (angle + 10 * side) & 1023, 220, 3, 60);
        break;
    }
    st01bossSound(kSt01bossBeamS);
}

void st01bossAttackOne(const BossGun& gun, int32_t i, int32_t level) {
    EnemyFields& e = enemy(gun.work);
    const int32_t m = i % 20;
    const int32_t aim0 = bossAimFrom(gun.work, 0);
    if (m == 0) e.aimWords[0] = aim0;
    if (i >= 41) {
        constexpr int32_t kUpTo[4] = {4, 7, 9, 13};
        const int32_t spread = aim0 - 64 + bossRand(128);
        if (m <= kUpTo[level]) {
            bossShot(gun, 0, 49, spread, level < 2 ? 160 : 200);
            st01bossSound(kSt01bossBeamM);
        }
    }
    const int32_t aim3 = bossAimFrom(gun.work, 3);
    if (m == 0) e.aimWords[3] = aim3;
    if (m <= 5 || i >= 80) st01bossTurretVolley(gun, 3, i < 80 ? e.aimWords[3] : aim3, level);
    const int32_t aim4 = bossAimFrom(gun.work, 4);
    if (m == 10) e.aimWords[4] = aim4;
    if ((m >= 10 && m <= 15) || i >= 80) st01bossTurretVolley(gun, 4, i < 80 ? e.aimWords[4] : aim4, level);
}

// Attack 2's late fans (i >= 50) and early fans (i <= 40) by level.
struct St01bossLateFan {
    int32_t speed, speedPerM, doubled, step;
};
constexpr St01bossLateFan kSt01bossLateFans[4] = {{220, 10, 0, 80}, {220, 30, 0, 70}, {220, 30, 1, 70}, {250, 45, 1, 30}};
struct St01bossEarlyFan {
    int32_t every, speed, count, step;
};
constexpr St01bossEarlyFan kSt01bossEarlyFans[4] = {{8, 140, 2, 80}, {6, 140, 2, 60}, {4, 140, 3, 60}, {2, 160, 5, 60}};
struct St01bossCentreFan {
    int32_t every, speed, count, step;  // every 0: never
};
constexpr St01bossCentreFan kSt01bossAttackTwoCentre[4] = {{0, 0, 0, 0}, {3, 200, 3, 70}, {3, 220, 5, 50}, {2, 220, 7, 32}};

void st01bossAttackTwo(const BossGun& gun, int32_t i, int32_t level) {
    EnemyFields& e = enemy(gun.work);
    const int32_t m = i % 10;
    for (int32_t n = 1; n <= 2; ++n) {
        const int32_t aim = bossAimFrom(gun.work, n);
        if (m == 0) e.aimWords[n] = aim;
        if (i >= 50) {
            const St01bossLateFan& late = kSt01bossLateFans[level];
            const int32_t tens = (i - 50) / 10;
            const int32_t count = late.doubled != 0 ? 2 * tens + 1 : tens + 1;
            bossFan(gun, n, 133, e.aimWords[n], float(late.speed + late.speedPerM * m), count, late.step);
            st01bossSound(kSt01bossBeamS);
        } else if (i <= 40 && i % kSt01bossEarlyFans[level].every == 0) {
            const St01bossEarlyFan& early = kSt01bossEarlyFans[level];
            bossFan(gun, n, 48, aim, float(early.speed), early.count, early.step);
            st01bossSound(kSt01bossBeamM);
        }
    }
    const int32_t aim0 = bossAimFrom(gun.work, 0);
    if (i == 0) e.aimWords[0] = aim0;
    const St01bossCentreFan& centre = kSt01bossAttackTwoCentre[level];
    if (i < 20 || centre.every == 0 || i % centre.every != 0) return;
    bossFan(gun, 0, 158, aim0, float(centre.speed), centre.count, centre.step);
    st01bossSound(kSt01bossBeamL);
}

void st01bossAttackThree(const BossGun& gun, int32_t i) {
    bossFan(gun, 0, 51, 512, 815, 2, (65 - i) * 12);
    st01bossSound(kSt01bossBeamM);
    if (i != 40) return;
    bossLinkShot(enemy(gun.work).partLink[0], gun, 3, kSt01bossLaser, 512);
    bossLinkShot(enemy(gun.work).partLink[1], gun, 4, kSt01bossLaser, 512);
}

bool st01bossAttackFourCentreFires(int32_t i, int32_t level) {
    if (level <= 1) return i < 20 ? i % 4 == 0 : i % 2 == 0;
    if (level == 2) return i < 20 ? i % 2 == 0 : true;
    return i >= 20 || i % 2 == 0;
}

void st01bossAttackFour(const BossGun& gun, int32_t i, int32_t level) {
    if (st01bossAttackFourCentreFires(i, level)) {
        const int32_t angle = bossAimFrom(gun.work, 0) - 16 + bossRand(32);
        constexpr St01bossEarlyFan kFans[4] = {{0, 160, 3, 64}, {0, 180, 3, 48}, {0, 180, 3, 48}, {0, 180, 5, 24}};
        bossFan(gun, 0, 40, angle, float(kFans[level].speed), kFans[level].count, kFans[level].step);
        st01bossSound(kSt01bossBeamM);
    }
    if (i < 10) return;
    for (int32_t n = 1; n <= 2; ++n) {
        const int32_t angle = bossAimFrom(gun.work, n) - 8 + bossRand(16);
        if (level == 0 || (level == 1 && i % 2 != 0)) continue;
        if (level == 3) {
            bossLine(gun, n, 158, angle, 300, 3, 10);
        } else {
            bossShot(gun, n, 158, angle, 300);
        }
        st01bossSound(kSt01bossBeamL);
    }
}

void st01bossAttackEight(const BossGun& gun, int32_t i, int32_t level) {
    for (int32_t n = 3; n <= 4; ++n) {
        const int32_t angle = n == 3 ? 44 * i : -44 * i;
        switch (level) {
        case 0:
            bossFan(gun, n, 135, angle, 110, 2, 512);
            break;
        case 1:
            bossFan(gun, n, 135, angle, float(2 * i + 110), 2, 512);
            break;
        case 2:
            bossFan(gun, n, 135, angle, float(2 * i + 140), 3, 341);
            break;
        default:
            bossFan(gun, n, 135, angle, float((n == 3 ? 2 : 3) * i + 140), 5, 204);
            break;
        }
        st01bossSound(kSt01bossBeamL);
    }
}

// Attack 9's streams from turrets 1 and 2: angle base and spread by level,
// offset x spread.
struct St01bossStream {
    int32_t base[4], spread[4], offsetX;
};
constexpr St01bossStream kSt01bossStreams[2] = {{{507, 502, 497, 458}, {10, 20, 30, 60}, 20},
                                                 {{492, 487, 482, 506}, {40, 50, 60, 60}, 40}};

void st01bossAttackNine(const BossGun& gun, int32_t i, int32_t level) {
    EnemyFields& e = enemy(gun.work);
    if (i >= 80 && i % 80 == 0) bossLinkShot(e.partLink[0], gun, 0, kSt01bossLaser, bossAimFrom(gun.work, 0));
    if (i >= 80 && i % 80 == 60) bossEndLink(e.partLink[0]);
    for (int32_t n = 1; n <= 2; ++n) {
        const St01bossStream& stream = kSt01bossStreams[n - 1];
        bossRand(60);
        const float speed = float((20 + bossRand(4)) * 10);
        const int32_t angle = stream.base[level] + bossRand(stream.spread[level]);
        const int32_t ox = -stream.offsetX / 2 + bossRand(stream.offsetX);
        const int32_t oy = -15 + bossRand(30);
        const ObjPoint at = bossTurret(gun.work, n);
        enemyShot(16, angle, speed, gun.owner, at.x + float(ox), at.y + float(oy));
        st01bossSound(kSt01bossBeamS);
    }
    const int32_t k = i % 14;
    constexpr int32_t kUpTo[4] = {2, 3, 5, 7};
    for (int32_t n = 3; n <= 4; ++n) {
        if (k == 0) e.aimWords[n] = bossAimFrom(gun.work, n);
        if (i < 28 || k > kUpTo[level]) continue;
        const int32_t held = e.aimWords[n];
        const float speed = float(level <= 1 ? 200 + 12 * k : 220 + 25 * k);
        bossShot(gun, n, 158, held, speed);
        if (level == 1) bossFan(gun, n, 138, held, speed, 2, 180);
        if (level == 2) bossFan(gun, n, 138, held, speed, 2, 160);
        if (level == 3) {
            const ObjPoint at = bossTurret(gun.work, n);
            enemyShotFanOfFans(138, held, speed, 2, 10, 2, 100, gun.owner, at.x, at.y);
        }
        st01bossSound(kSt01bossBeamL);
    }
}

// The lasers hang from turrets 3 and 4 in phase 2; part A from turret 0
// otherwise.
void st01bossLinksFollow(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == 2) {
        bossPlaceLink(e.partLink[0], bossTurret(work, 3));
        bossPlaceLink(e.partLink[1], bossTurret(work, 4));
    } else {
        bossPlaceLink(e.partLink[0], bossTurret(work, 0));
    }
}

constexpr BossStageRow kSt01bossStage = {0,
                                         kSt01bossTurrets,
                                         kSt01bossFormOne,
                                         int32_t(std::size(kSt01bossFormOne)),
                                         kSt01bossFormTwo,
                                         int32_t(std::size(kSt01bossFormTwo)),
                                         1u << 5,
                                         -75.0f,
                                         kSt01bossSteps,
                                         int32_t(std::size(kSt01bossSteps)),
                                         kSt01bossAttacks,
                                         22,
                                         st01bossPuffs,
                                         nullptr,
                                         st01bossLinksFollow};

}  // namespace

void TSKst01bossAct(ObjTask* task) { bossAct(task, TSKst01bossInit, TSKst01bossUpdate); }

void TSKst01bossInit(ObjTask* task) {
    bossInit(task, kSt01bossInit);
    stageProgress = 2;  // the play records' "boss reached"
}

void TSKst01bossUpdate(ObjTask* task) { bossStageUpdate(task, kSt01bossStage); }

void TSKst01bossTurret(ObjTask* task, ObjWork* work) {
    bossRefreshTurrets(work, kSt01bossTurrets);
    const BossGun gun = bossGun(task, work);
    const int32_t i = enemy(work).shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    switch (enemy(work).attackPattern) {
    case 1:
        st01bossAttackOne(gun, i, level);
        break;
    case 2:
        st01bossAttackTwo(gun, i, level);
        break;
    case 3:
        st01bossAttackThree(gun, i);
        break;
    case 4:
        st01bossAttackFour(gun, i, level);
        break;
    case 8:
        st01bossAttackEight(gun, i, level);
        break;
    case 9:
        st01bossAttackNine(gun, i, level);
        break;
    default:
        break;
    }
}

void TSKst01bossFree(ObjTask* task) {
    if (task->work == nullptr) return;
    bossEndLinks(task->work);
    OBJworkFree(task->work);
    task->work = nullptr;
}
