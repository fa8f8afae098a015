// Kind 80, the stage-1 mid-boss: one form, three attacks A, B, C in turn
// over the looping "form1_default", six turrets.
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/mboss.h"
#include "game/core/collision.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/enemy_damage.h"

namespace {

constexpr int32_t kSt01mbossBeamS = 19;
constexpr int32_t kSt01mbossBeamM = 18;
constexpr HitBox kSt01mbossBoxes[] = {{0.0f, -6.0f, 63.0f, 43.0f}};

// Attack A's fans of turrets 1 and 2 by rank level: speed and step of each,
// and the level-3 second fan.
struct St01mbossModeOne {
    float speed[2];
    int32_t step;
};
constexpr St01mbossModeOne kSt01mbossModeOne[4] = {
    {{120, 120}, 120}, {{160, 160}, 100}, {{200, 200}, 80}, {{180, 200}, 80}};
// Turret 0's fan in the last burst by level: count 0 fires nothing.
struct St01mbossFanRow {
    float speed;
    int32_t count, step;
};
constexpr St01mbossFanRow kSt01mbossModeOneCentre[4] = {{0, 0, 0}, {140, 3, 60}, {180, 5, 42}, {180, 7, 32}};

void st01mbossModeOne(const BossGun& gun, int32_t i, int32_t level) {
    ObjWork* work = gun.work;
    EnemyFields& e = enemy(work);
    const St01mbossModeOne& row = kSt01mbossModeOne[level];
    for (int32_t n = 1; n <= 2; ++n) {
        if (i == 0) e.aimWords[n] = bossAimFrom(work, n);
        bossFan(gun, n, 133, e.aimWords[n], row.speed[n - 1], i + 1, row.step);
        if (level == 3) bossFan(gun, n, 141, e.aimWords[n], 200, n == 1 ? i + 2 : i + 1, 55);
        SDL2_wheel_SoundPlaySE(kSt01mbossBeamS, false);
    }
    if (e.volleysLeft != 1 || i % 3 != 0) return;
    const int32_t aim = bossAimFrom(work, 0);
    if (i == 0) e.aimWords[0] = aim;
    const St01mbossFanRow& centre = kSt01mbossModeOneCentre[level];
    if (centre.count > 0) bossFan(gun, 0, 158, aim, centre.speed, centre.count, centre.step);
    SDL2_wheel_SoundPlaySE(kSt01mbossBeamS, false);
}

// Attack B by level: the type-6 fan every `every6[turret]` calls and the
// type-48 fan every `every48[turret]` calls (0 never); the steps widen by w.
struct St01mbossModeThree {
    int32_t every6[2];
    St01mbossFanRow fan6;
    int32_t every48[2];
    St01mbossFanRow fan48;
};
constexpr St01mbossModeThree kSt01mbossModeThree[4] = {
    {{7, 5}, {140, 5, 42}, {0, 0}, {0, 0, 0}},
    {{7, 5}, {160, 5, 36}, {3, 2}, {180, 3, 74}},
    {{5, 5}, {180, 5, 24}, {2, 2}, {200, 3, 60}},
    {{3, 3}, {180, 7, 18}, {1, 1}, {200, 5, 24}},
};

void st01mbossModeThree(const BossGun& gun, int32_t i, int32_t level) {
    ObjWork* work = gun.work;
    EnemyFields& e = enemy(work);
    const St01mbossModeThree& row = kSt01mbossModeThree[level];
    const int32_t w = 2 * e.shotsLeft;
    for (int32_t n = 3; n <= 4; ++n) {
        const int32_t aim = bossAimFrom(work, n);
        if (i == 0) e.aimWords[n] = aim;
        if (i % row.every6[n - 3] == 0) {
            bossFan(gun, n, 6, aim, row.fan6.speed, row.fan6.count, w + row.fan6.step);
            SDL2_wheel_SoundPlaySE(kSt01mbossBeamS, false);
        }
        if (row.every48[n - 3] != 0 && i % row.every48[n - 3] == 0) {
            bossFan(gun, n, 48, aim, row.fan48.speed, row.fan48.count, w + row.fan48.step);
            SDL2_wheel_SoundPlaySE(kSt01mbossBeamM, false);
        }
    }
}

// Attack C's streams: fires at level 0 every third call, level 1 every
// second, levels 2 and 3 every call (level 3 a fan of three).
bool st01mbossStreamFires(int32_t i, int32_t level) {
    if (level == 0) return i % 3 == 0;
    if (level == 1) return i % 2 == 0;
    return true;
}

void st01mbossModeSix(const BossGun& gun, int32_t i, int32_t level) {
    ObjWork* work = gun.work;
    EnemyFields& e = enemy(work);
    const int32_t aim0 = bossAimFrom(work, 0);
    if (i == 0) e.aimWords[0] = aim0;
    const int32_t r0 = int32_t(gameRand() % 10000), s0 = int32_t(gameRand() % 10000);
    const float speed0 = float((r0 * 10 / 10000 + 12) * 5);
    const int32_t angle0 = aim0 + s0 * 260 / 10000 - 130;
    if (st01mbossStreamFires(i, level)) {
        if (level == 3) {
            bossFan(gun, 0, 5, angle0, speed0, 3, 40);
        } else {
            bossShot(gun, 0, 5, angle0, speed0);
        }
        SDL2_wheel_SoundPlaySE(kSt01mbossBeamS, false);
    }
    if (i <= 30) return;
    const int32_t aim5 = bossAimFrom(work, 5);
    const int32_t r5 = int32_t(gameRand() % 10000), s5 = int32_t(gameRand() % 10000);
    const float speed5 = float((r5 * 10 / 10000 + 16) * 5);
    const int32_t angle5 = aim5 + s5 * 200 / 10000 - 100;
    if (!st01mbossStreamFires(i, level)) return;
    if (level == 3) {
        bossFan(gun, 5, 139, angle5, speed5, 3, 30);
    } else {
        bossShot(gun, 5, 139, angle5, speed5);
    }
    SDL2_wheel_SoundPlaySE(level >= 2 ? kSt01mbossBeamM : kSt01mbossBeamS, false);
}

// The row kind 80's act, init, update and turret callback run from.
constexpr MbossKind kSt01mboss = {
    {TSKgameCtrlKill, TSKmbossDraw, TSKenemyHit, TSKst01mbossTurret, 430.0f, 1, {0xA000, 0}, {0x8000, 0}, 300000, 3,
     "st01mboss", 162, 120, false},
    kSt01mbossBoxes,
    int32_t(std::size(kSt01mbossBoxes)),
    mbossSteps(163),
    {{1, 8, 5, 0, 2, 48, 0}, {3, 12, 8, 40, 1, 0, 0}, {6, 180, 4, 70, 1, 16, 0}},
    6,
    {st01mbossModeOne, st01mbossModeThree, st01mbossModeSix},
};

}  // namespace

void TSKst01mbossAct(ObjTask* task) { bossAct(task, TSKst01mbossInit, TSKst01mbossUpdate); }
void TSKst01mbossInit(ObjTask* task) { mbossInit(task, kSt01mboss); }
void TSKst01mbossUpdate(ObjTask* task) { mbossUpdate(task, kSt01mboss); }
void TSKst01mbossTurret(ObjTask* task, ObjWork* work) { mbossTurret(task, work, kSt01mboss); }
