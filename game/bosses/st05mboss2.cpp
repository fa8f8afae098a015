// Kind 85, the second stage-5 mid-boss: "form_1", "trans_form" and "form_2"
// on one pool of hit points over "st05mboss2" (turret00-21). Attack A in
// the first shape, then attack B in the second for the rest of the fight,
// launching eight kind-117 enemies. Past stage frame 14445 it gives up: the
// attack stops for good and st05mboss2LeaveFlag sends the launched enemies
// off while its movement script carries it out.
#include <algorithm>
#include <iterator>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_parts.h"
#include "game/bosses/mboss.h"
#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_services.h"

namespace {

constexpr int32_t kSt05mboss2Turrets = 22;
constexpr int32_t kSt05mboss2LeaveAfter = 14445;  // stage frame
constexpr int32_t kSt05mboss2LeavePhase = 5;      // no rows: nothing more starts
constexpr int32_t kSt05mboss2BeamL = 17;
constexpr int32_t kSt05mboss2BeamM = 18;
constexpr int32_t kSt05mboss2BeamS = 19;
constexpr int32_t kSt05mboss2Launched = 8;  // at turrets 14 to 21

constexpr HitBox kSt05mboss2FirstBoxes[] = {
    {0.0f, -10.0f, 75.0f, 30.0f}, {0.0f, 32.0f, 52.0f, 12.0f}, {0.0f, -36.0f, 40.0f, 30.0f}};
constexpr HitBox kSt05mboss2SecondBoxes[] = {
    {0.0f, -10.0f, 75.0f, 30.0f}, {0.0f, 32.0f, 52.0f, 12.0f}, {0.0f, 0.0f, 95.0f, 10.0f},
    {0.0f, -40.0f, 60.0f, 30.0f}};

constexpr BossInitRow kSt05mboss2Init = {TSKgameCtrlKill, TSKmbossDraw, TSKenemyHit, TSKst05mboss2Turret, 430.0f, 1,
                                         {0xC000, 0}, {0x9999, 0}, 2000000, 3, "st05mboss2", 221, 400, false, -1};

constexpr BossAttack kSt05mboss2Attacks[] = {
    {1, 120, 4, 60, 1, 48, 0},
    {3, 99999, 8, 20, 1, 0, 0},
};

// Entry, attack A in "form_1" (its steps 2 and 6 wait for the attack alone),
// then "trans_form", attack B in "form_2" and back. No row returns.
constexpr BossStepRow kSt05mboss2Steps[] = {
    {0, 0, kBossOnScreen, -1, -1, nullptr, 0, 0, 6, false},
    {0, 6, kBossReady, 222, -1, nullptr, 10, 1, 0, false},
    {1, 0, kBossCounter, 223, -1, nullptr, 0, 1, 1, false},
    {1, 1, kBossReady, 224, 0, nullptr, 0, 1, 2, false},
    {1, 2, kBossAttackOver, 225, -1, nullptr, 0, 1, 6, false},
    {1, 6, kBossAttackOver, 222, -1, nullptr, 0, 2, 0, false},
    {2, 0, kBossAlways, 226, -1, nullptr, 0, 2, 1, false},
    {2, 1, kBossReady, 227, 1, nullptr, 0, 2, 2, false},
    {2, 2, kBossReady, 228, -1, nullptr, 0, 2, 6, false},
    {2, 6, kBossReady, 222, -1, nullptr, 0, 1, 0, false},
};

// Attack A's aimed streams of turret 0 (m 0..9 of twenty) and turret 1 (m
// 10..19), each on its aim word, k calls of the ten by level.
void st05mboss2Stream(const BossGun& gun, int32_t turret, int32_t m, int32_t level) {
    EnemyFields& e = enemy(gun.work);
    if (m == 0) {
        const ObjPoint at = bossTurret(gun.work, turret);
        e.aimWords[turret] = enemyAngleToPlayer(at.x, at.y);
    }
    const int32_t angle = e.aimWords[turret];
    if (level < 2) {
        bossFan(gun, turret, 21, angle, float(170 + 10 * m), 1, 0);
    } else {
        bossFan(gun, turret, 21, angle, float(190 + 20 * m), level == 2 ? 3 : 5, level == 2 ? 86 : 70);
    }
    SDL2_wheel_SoundPlaySE(kSt05mboss2BeamS, false);
}

void st05mboss2ModeOne(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t streamCalls[4] = {4, 7, 10, 10};
    constexpr int32_t volleyCalls[4] = {10, 20, 40, 40};
    EnemyFields& e = enemy(gun.work);
    if (i < 80) {
        const int32_t m = i % 20, k = streamCalls[level];
        if (m < k) st05mboss2Stream(gun, 0, m, level);
        if (m >= 10 && m < 10 + k) st05mboss2Stream(gun, 1, m - 10, level);
    } else if (i - 80 < volleyCalls[level]) {
        const int32_t j = i - 80;
        for (int32_t n = 0; n < 8; ++n) {
            bossFan(gun, n, 21, bossAimFrom(gun.work, n), float(190 + 20 * j), level == 3 && j >= 20 ? 3 : 1, 60);
            SDL2_wheel_SoundPlaySE(kSt05mboss2BeamS, false);
        }
    }
    if (i % 10 != 0 || i >= 100) return;
    const int32_t c = e.aimWords[8] % 2 == 0 ? 3 : 4;
    mbossFanOfFans(gun, 8, 60, 512, 110, level == 0 ? 5 : 7, 10, c, 110);
    if (level == 3) mbossFanOfFans(gun, 8, 49, 512, 95, 6, 10, c, 110);
    SDL2_wheel_SoundPlaySE(kSt05mboss2BeamL, false);
    ++e.aimWords[8];
}

// The launch: one kind-117 enemy at each of turrets 14 to 21, leg count
// k + 1, its trail folded on the launch point. A full pool skips that one.
void st05mboss2Launch(ObjTask* boss, ObjWork* work) {
    for (int32_t k = 0; k < kSt05mboss2Launched; ++k) {
        ObjTask* part = bossSpawnPart(boss, TSKst05mboss2Part117Act);
        if (part == nullptr) continue;
        ObjWork* w = part->work;
        EnemyFields& p = enemy(w);
        const ObjPoint at = bossTurret(work, 14 + k);
        w->kind = 117;
        w->x = at.x;
        w->y = at.y;
        w->speed = 0.0f;
        w->heading = 0;
        p.loopCount = k + 1;
        for (int32_t t = 0; t < kSt05mboss2TrailEntries; ++t) {
            p.trail[t] = at;
            p.trailHeading[t] = 0;
        }
    }
}

void st05mboss2ModeThree(ObjTask* boss, const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t period[4] = {10, 8, 6, 6};
    constexpr int32_t sweepEvery[4] = {3, 2, 1, 1};
    constexpr int32_t downTypes[3] = {143, 141, 139};
    if (i == 0) st05mboss2Launch(boss, gun.work);
    const int32_t m = i % period[level];
    if (m < 3) {
        const float speed = float(170 + 40 * m);
        for (int32_t n = 10; n <= 13; ++n) {
            bossFan(gun, n, downTypes[m], 512, speed, 1, 10);
            SDL2_wheel_SoundPlaySE(kSt05mboss2BeamL, false);
        }
        const int32_t last = level == 3 ? 21 : level == 2 ? 17 : 13;
        for (int32_t n = 14; n <= last; ++n) bossFan(gun, n, downTypes[m], 512, speed, 1, 10);
    }
    if (i < 50 || i >= 90 || (i - 50) % sweepEvery[level] != 0) return;
    const int32_t j = i - 50;
    const bool wide = level >= 2;
    for (const int32_t angle : {256 + 16 * j, 768 - 16 * j}) {
        bossFan(gun, 8, 4, angle, wide ? 140 : 110, wide ? 5 : 3, wide ? 40 : 60);
        SDL2_wheel_SoundPlaySE(kSt05mboss2BeamM, false);
    }
}

}  // namespace

void TSKst05mboss2Act(ObjTask* task) { bossAct(task, TSKst05mboss2Init, TSKst05mboss2Update); }

void TSKst05mboss2Init(ObjTask* task) {
    if (!bossInit(task, kSt05mboss2Init)) return;
    stageProgress = 1;  // the play records' "mid-boss reached"
    st05mboss2LeaveFlag = 0;
}

void TSKst05mboss2Update(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    bossApplyTint(work);
    if (work->lifeState == 3) {
        bossHalt(work);
        return;
    }
    if (e.phase < 2) {
        bossInstallHitBoxes(work, kSt05mboss2FirstBoxes, int32_t(std::size(kSt05mboss2FirstBoxes)));
    } else {
        bossInstallHitBoxes(work, kSt05mboss2SecondBoxes, int32_t(std::size(kSt05mboss2SecondBoxes)));
    }
    bossRunSteps(work, kSt05mboss2Steps, int32_t(std::size(kSt05mboss2Steps)), kSt05mboss2Attacks);
    ++e.stepCount;
    if (stageFrame > kSt05mboss2LeaveAfter) {
        st05mboss2LeaveFlag = 1;
        e.phase = kSt05mboss2LeavePhase;
        bossResetAttack(work);
    }
    bossRefreshTurrets(work, kSt05mboss2Turrets);
    ++e.frameCount;
}

void TSKst05mboss2Turret(ObjTask* task, ObjWork* work) {
    const BossGun gun = bossGun(task, work);
    bossRefreshTurrets(work, kSt05mboss2Turrets);
    const int32_t i = enemy(work).shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    if (enemy(work).attackPattern == 1) st05mboss2ModeOne(gun, i, level);
    if (enemy(work).attackPattern == 3) st05mboss2ModeThree(task, gun, i, level);
}
