// Kind 83, the stage-4 mid-boss: kind 80's shape with its own row over
// "st04mboss" (seven turrets); only the three firing modes are its own.
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/mboss.h"
#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/enemy_damage.h"

namespace {

constexpr int32_t kSt04mbossBeamL = 17;
constexpr int32_t kSt04mbossBeamM = 18;
constexpr int32_t kSt04mbossBeamS = 19;
constexpr HitBox kSt04mbossBoxes[] = {
    {0.0f, -8.0f, 70.0f, 30.0f}, {0.0f, 28.0f, 64.0f, 6.0f},  {0.0f, -43.0f, 43.0f, 10.0f},
    {48.0f, 42.0f, 8.0f, 10.0f}, {-48.0f, 42.0f, 8.0f, 10.0f},
};

// Attack A: the counter-turning rings of turrets 4 and 5 in the first k
// calls of ten, the aimed lines of turrets 0 and 1 from call 12, the fans of
// fan-lines of turrets 2 and 3 at call 90.
void st04mbossModeOne(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t ringCalls[4] = {4, 6, 8, 8};
    constexpr int32_t lineCalls[4] = {4, 8, 12, 10};
    constexpr int32_t outer[4] = {5, 7, 9, 5};
    if (i % 10 < ringCalls[level]) {
        for (int32_t n = 4; n <= 5; ++n) {
            const int32_t sense = n == 4 ? 1 : -1;
            bossFan(gun, n, 133, sense * 8 * i, 150, 6, 170);
            if (level == 3) bossFan(gun, n, 133, sense * (8 * i - 10), 110, 6, 170);
            SDL2_wheel_SoundPlaySE(kSt04mbossBeamS, false);
        }
    }
    if (i >= 12 && i % 12 < lineCalls[level]) {
        for (int32_t n = 0; n <= 1; ++n) {
            mbossFanOfLines(gun, n, 45, mbossAim(gun.work, n, i), float((i % 12 + 6) * 30), level < 2 ? 1 : 3,
                            level < 3 ? 98 : 130, 1, 5.0f);
            SDL2_wheel_SoundPlaySE(kSt04mbossBeamL, false);
        }
    }
    if (i != 90) return;
    for (int32_t n = 2; n <= 3; ++n) {
        mbossFanOfFanLines(gun, n, 45, mbossAim(gun.work, n, i), 120, outer[level], 12, 3, 140, 1, 15.0f);
        SDL2_wheel_SoundPlaySE(kSt04mbossBeamL, false);
    }
}

// Attack B: the crossing sweeps of turrets 4 and 5, the down-shots of
// turrets 0 and 1 on even calls, turret 6's aimed lines every p calls.
void st04mbossModeThree(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t sweepEvery[4] = {3, 2, 1, 1};
    constexpr int32_t lineEvery[4] = {20, 20, 15, 10};
    if (i % sweepEvery[level] == 0) {
        const int32_t m = i % 10;
        const float speed = float((m + 32) * 5);
        bossShot(gun, 4, 1, 472 + 24 * m, speed);
        if (level == 3) bossShot(gun, 4, 1, 412 + 24 * m, speed - 20);
        SDL2_wheel_SoundPlaySE(kSt04mbossBeamS, false);
        bossShot(gun, 5, 1, 552 - 24 * m, speed);
        if (level == 3) bossShot(gun, 5, 1, 612 - 24 * m, speed - 20);
        SDL2_wheel_SoundPlaySE(kSt04mbossBeamS, false);
    }
    if (i % 2 == 0) {
        for (int32_t n = 0; n <= 1; ++n) {
            bossShot(gun, n, 158, 512, 320);
            SDL2_wheel_SoundPlaySE(kSt04mbossBeamM, false);
        }
    }
    const int32_t p = lineEvery[level];
    if (i % p != 0 || i < p) return;
    mbossFanOfLines(gun, 6, 177, mbossAim(gun.work, 6, i), 160, level < 2 ? 1 : 3, 120, 1, 20.0f);
    SDL2_wheel_SoundPlaySE(kSt04mbossBeamL, false);
}

// Attack C: turrets 2 and 3 re-aim every 15 calls from call 30 (level 3 adds
// the type-0 shots), turrets 4 and 5 fire fans growing by one every 15 calls.
void st04mbossModeSix(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t aimEvery[4] = {6, 4, 2, 3};
    ObjWork* work = gun.work;
    EnemyFields& e = enemy(work);
    if (i >= 30 && i % aimEvery[level] == 0) {
        for (int32_t n = 2; n <= 3; ++n) {
            if (i % 15 == 0) e.aimWords[n] = bossAimFrom(work, n) + bossRand(256) - 128;
            if (level != 3) continue;
            const int32_t angle = bossAimAngle(work->x, work->y) + bossRand(32) - 16;
            const float speed = float(bossRand(10) * 10 + 100);
            bossFan(gun, n, 0, angle, speed, 1, 0);
            SDL2_wheel_SoundPlaySE(kSt04mbossBeamS, false);
        }
    }
    const int32_t q = i / 15, m = i % 15;
    for (int32_t n = 4; n <= 5; ++n) {
        if (m == 0) e.aimWords[n] = bossAimFrom(work, n) + bossRand(128) - 64;
        const float speed = float(level < 2 ? (m + 20) * 5 : (m + 4) * 25);
        const int32_t count = level == 0 ? 3 : level == 3 ? q + 5 : q + 3;
        const int32_t step = level < 2 ? 90 : level == 2 ? 50 : 40;
        bossFan(gun, n, 139, e.aimWords[n], speed, count, step);
        SDL2_wheel_SoundPlaySE(kSt04mbossBeamM, false);
    }
}

constexpr MbossKind kSt04mboss = {
    {TSKgameCtrlKill, TSKmbossDraw, TSKenemyHit, TSKst04mbossTurret, 430.0f, 1, {0x11000, 0}, {0xD999, 0}, 1500000,
     3, "st04mboss", 199, 120, false},
    kSt04mbossBoxes,
    int32_t(std::size(kSt04mbossBoxes)),
    mbossSteps(200),
    {{1, 96, 6, 60, 1, 0, 0}, {3, 100, 4, 20, 1, 0, 0}, {6, 150, 4, 20, 1, 0, 0}},
    7,
    {st04mbossModeOne, st04mbossModeThree, st04mbossModeSix},
};

}  // namespace

void TSKst04mbossAct(ObjTask* task) { bossAct(task, TSKst04mbossInit, TSKst04mbossUpdate); }
void TSKst04mbossInit(ObjTask* task) { mbossInit(task, kSt04mboss); }
void TSKst04mbossUpdate(ObjTask* task) { mbossUpdate(task, kSt04mboss); }
void TSKst04mbossTurret(ObjTask* task, ObjWork* work) { mbossTurret(task, work, kSt04mboss); }
