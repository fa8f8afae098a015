// Kind 102, the stage-3 boss: two forms over "st03boss" on the frame. Its
// eight satellites (kind 119, st03boss_part.cpp) fly formations and fire
// for it; it fires little itself (pattern 1 at rank level 3, the laser from
// its jaw at levels 2 and 3) and, in its second form, pulls the fighter
// toward the screen centre.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "game/bosses/boss_frame.h"
#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_parts.h"
#include "game/core/collision.h"
#include "game/core/game_random.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kSt03bossSatellites = 8;
constexpr int32_t kSt03bossTurretReads = 20;
constexpr int32_t kSt03bossTurretCalls = 32;
constexpr int32_t kSt03bossLaser = 161;
constexpr int32_t kSt03bossBeamM = 18;
constexpr int32_t kSt03bossPullSound = 23;
constexpr int32_t kSt03bossPullEffect = 125;
constexpr HitBox kSt03bossBoxes[] = {{0.0f, -10.0f, 105.0f, 25.0f}, {0.0f, -15.0f, 30.0f, 45.0f}};

constexpr BossInitRow kSt03bossInit = {
    bossFreeWithLinks, TSKst03bossDraw, TSKbossHit, TSKst03bossTurret, 430.0f, 2, {122880, 65536}, {98304, 52428},
    1000000, 4, "st03boss", 49, 60, false};

// Patterns 1, 2, 3 and 8.
constexpr BossAttack kSt03bossAttacks[] = {
    {1, 90, 6, 0, 1, 60, 0},
    {2, 140, 6, 0, 1, 0, 0},
    {3, 200, 6, 0, 1, 0, 0},
    {8, 999999, 6, 120, 999999, 0, 0},
};

void st03bossEntered(ObjWork* work) { work->depth = 430.0f; }

constexpr BossStepRow kSt03bossSteps[] = {
    {0, 0, kBossOnScreen, -1, -1, nullptr, 0, 0, 6, false},
    {0, 6, kBossReady, 49, -1, st03bossEntered, 0, 1, 0, false},
    {1, 0, kBossAlways, 50, -1, nullptr, 0, 1, 1, false},
    {1, 1, kBossReady, 51, 0, nullptr, 0, 1, 2, false},
    {1, 2, kBossAttackOver, 53, -1, nullptr, 0, 1, 4, false},
    {1, 4, kBossAttackOver, 54, 1, nullptr, 0, 1, 5, false},
    {1, 5, kBossAttackOver, 55, -1, nullptr, 0, 1, 6, false},
    {1, 6, kBossAttackOver, 49, -1, nullptr, 0, 2, 0, false},
    {2, 0, kBossAlways, 56, -1, nullptr, 0, 2, 1, false},
    {2, 1, kBossAttackOver, 57, 2, nullptr, 0, 2, 2, false},
    {2, 2, kBossAttackOver, 58, -1, nullptr, 0, 1, 0, false},
    {4, 0, kBossAlways, 62, -1, bossEndLinks, 0, 4, 6, false},
    {4, 6, kBossEnd, 63, -1, nullptr, 0, 5, 0, false},
    {5, 0, kBossCounter, 64, -1, nullptr, 0, 5, 1, false},
    {5, 1, kBossReady, 65, 3, nullptr, 0, 5, 2, false},
    {5, 2, kBossReady, 63, -1, nullptr, 0, 5, 0, false},
};

void st03bossSetUp(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.steerMode = 1;
    e.steerSpeed = 5.0f;
    const int32_t x = 87 + randRange(50);
    e.steerTarget = {float(x), float(-5 + randRange(50))};
    bossScatterSmoke(work, -75);
}

void st03bossHitBoxes(ObjWork* work) {
    bossInstallHitBoxes(work, kSt03bossBoxes, int32_t(std::size(kSt03bossBoxes)));
}

// A new set of eight at the boss; a first set still alive ends first.
void st03bossLaunch(ObjTask* task) {
    ObjWork* work = task->work;
    bossEndParts(work, TSKst03bossPart119Act);
    for (int32_t index = 0; index < kSt03bossSatellites; ++index) {
        ObjTask* part = bossSpawnPart(task, TSKst03bossPart119Act);
        if (part == nullptr) continue;
        ObjWork* satellite = part->work;
        satellite->kind = 119;
        satellite->x = work->x;
        satellite->y = work->y;
        enemy(satellite).steerSpeed = 0.0f;
        satellite->heading = 0;
        enemy(satellite).index = index;
    }
}

// The heading from a point to another, truncated to whole 1024ths.
int32_t st03bossPullHeading(float x0, float y0, float x1, float y1) {
    const float turns = std::atan2(x1 - x0, -(y1 - y0)) * 1024.0f / 6.2831855f;
    const int32_t heading = int32_t(turns);
    return heading < 0 ? heading + 1024 : heading;
}

// The second form's pull toward the centre: the background darkens, the
// pull renews every 300 frames and drags the fighter half a pixel a frame.
void st03bossPull(ObjWork* work) {
    EnemyFields& e = enemy(work);
    layerTintTimer = 10;
    if (e.stepCount % 300 == 1) {
        e.pullX = 112;
        e.pullY = 144;
        e.pullCountdown = 300;
    }
    if (e.pullCountdown <= 0) return;
    if (e.pullCountdown % 15 == 0) {
        TSKeffectCreate(kSt03bossPullEffect, 0, 0.0f, 0, 0, ObjRef{}, float(e.pullX), float(e.pullY));
    }
    if (e.pullCountdown % 30 == 0) SDL2_wheel_SoundPlaySE(kSt03bossPullSound, false);
    if (ObjWork* fighter = fighterGetWork()) {
        const int32_t a = st03bossPullHeading(fighter->x, fighter->y, float(e.pullX), float(e.pullY));
        SDL2_wheel_AngleSinCos(a, &fighter->x, &fighter->y, 0.5f);
    }
    --e.pullCountdown;
}

// The rows; the entry and the change of form launch a set of satellites.
void st03bossPhases(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == 5 && e.step == 2) st03bossPull(work);
    const int32_t before = e.phase;
    bossRunSteps(work, kSt03bossSteps, int32_t(std::size(kSt03bossSteps)), kSt03bossAttacks);
    if ((before == 0 && e.phase == 1) || (before == 4 && e.phase == 5)) st03bossLaunch(task);
}

constexpr BossFrameKind kSt03bossFrame = {
    70, kSt03bossTurretReads, 5, 103, 103, st03bossSetUp, st03bossHitBoxes, st03bossPhases, nullptr};

// Pattern 1, only at rank level 3: single aimed bullets from shot 10, every
// other shot until 20, then every shot.
void st03bossPatternOne(const BossGun& gun, int32_t i, int32_t level) {
    if (level != 3 || i < 10 || (i < 20 && i % 2 != 0)) return;
    const int32_t angle = bossAimFrom(gun.work, 0) + randRange(200) - 100;
    const float speed = float(120 + 5 * randRange(10));
    bossFan(gun, 0, 12, angle & 1023, speed, 1, 60);
    SDL2_wheel_SoundPlaySE(kSt03bossBeamM, false);
}

// Patterns 3 and 8: at levels 2 and 3 a laser from the jaw, fired at shot
// 20 of each period and ended at shot 59.
void st03bossLaserWindow(const BossGun& gun, int32_t i, int32_t level, int32_t period) {
    EnemyFields& e = enemy(gun.work);
    if (i % period == 20 && level >= 2) {
        bossLinkShot(e.partLink[0], gun, 0, kSt03bossLaser, bossAimFrom(gun.work, 0));
    }
    if (i % period == 59) bossEndLink(e.partLink[0]);
}

}  // namespace

void TSKst03bossAct(ObjTask* task) { bossAct(task, TSKst03bossInit, TSKst03bossUpdate); }

void TSKst03bossInit(ObjTask* task) {
    if (!bossFrameInit(task, kSt03bossInit)) return;
    soundLayerState().layerTarget = 1;
}

void TSKst03bossUpdate(ObjTask* task) { bossFrameUpdate(task, kSt03bossFrame); }

void TSKst03bossTurret(ObjTask* task, ObjWork* work) {
    bossRefreshTurrets(work, kSt03bossTurretCalls);
    const BossGun gun = bossGun(task, work);
    const int32_t i = enemy(work).shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    switch (enemy(work).attackPattern) {
    case 1:
        st03bossPatternOne(gun, i, level);
        break;
    case 3:
        st03bossLaserWindow(gun, i, level, 60);
        break;
    case 8:
        st03bossLaserWindow(gun, i, level, 90);
        break;
    default:
        break;
    }
}

void TSKst03bossDraw(ObjTask*, ObjWork* work) { bossFrameDraw(work); }
