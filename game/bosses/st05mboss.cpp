// Kind 84, the first stage-5 mid-boss: kind 80's shape with its own row over
// "st05mboss" (seven turrets); only the three firing modes are its own.
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/mboss.h"
#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"

namespace {

constexpr int32_t kSt05mbossBeamL = 17;
constexpr int32_t kSt05mbossBeamM = 18;
constexpr int32_t kSt05mbossBeamS = 19;
constexpr HitBox kSt05mbossBoxes[] = {
    {0.0f, 5.0f, 75.0f, 30.0f},    {-40.0f, 5.0f, 25.0f, 50.0f}, {40.0f, 5.0f, 25.0f, 50.0f},
    {-75.0f, -22.0f, 10.0f, 10.0f}, {75.0f, -22.0f, 10.0f, 10.0f},
};

// Attack A, on even calls: c rings a turret turning 16 a call in opposite
// senses, two rings of type 158 turning back; from call 30 the jittered
// single shots of turrets 2 and 3 every p calls.
void st05mbossModeOne(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t rings[4] = {1, 3, 5, 7};
    constexpr int32_t every[4] = {5, 4, 3, 3};
    constexpr float speed36[4] = {150, 180, 160, 160};
    if (i % 2 == 0) {
        const int32_t count = level < 3 ? 3 : 4, step = level < 3 ? 341 : 256;
        for (int32_t n = 4; n <= 5; ++n) {
            const int32_t sense = n == 4 ? 1 : -1;
            for (int32_t k = 0; k < rings[level]; ++k) {
                bossFan(gun, n, 134, sense * (16 * i + 4 * k), float(150 + 6 * k), count, step);
                SDL2_wheel_SoundPlaySE(kSt05mbossBeamS, false);
            }
        }
        for (int32_t n = 4; n <= 5; ++n) {
            const int32_t sense = n == 4 ? -1 : 1;
            for (int32_t k = 0; k < 2; ++k) {
                bossFan(gun, n, 158, sense * (20 * i + 4 * k), float(150 + 6 * k), 3, 341);
                SDL2_wheel_SoundPlaySE(kSt05mbossBeamS, false);
            }
        }
    }
    if (i < 30 || i % every[level] != 0) return;
    for (int32_t n = 2; n <= 3; ++n) {
        bossFan(gun, n, 36, mbossAim(gun.work, n, i) + bossRand(128) - 64, speed36[level], 1, 0);
        SDL2_wheel_SoundPlaySE(kSt05mbossBeamM, false);
    }
}

// One aimed fan of attack B by level: type, shots, speed, step.
struct St05mbossFan {
    int32_t type, count;
    float speed;
    int32_t step;
};
constexpr St05mbossFan kSt05mbossFans22[4] = {{22, 9, 120, 82}, {22, 9, 140, 64}, {22, 9, 160, 51}, {22, 9, 160, 51}};
constexpr St05mbossFan kSt05mbossFans51[4] = {
    {51, 12, 150, 50}, {51, 12, 170, 40}, {51, 12, 190, 30}, {51, 12, 190, 30}};
constexpr St05mbossFan kSt05mbossFans33[4] = {
    {33, 0, 250, 38}, {33, 13, 240, 28}, {33, 13, 220, 18}, {33, 13, 220, 18}};
constexpr St05mbossFan kSt05mbossFans5[4] = {{5, 0, 120, 12}, {5, 0, 120, 12}, {5, 7, 120, 12}, {5, 7, 120, 12}};
constexpr St05mbossFan kSt05mbossFans133[4] = {
    {133, 0, 200, 22}, {133, 0, 200, 22}, {133, 0, 200, 22}, {133, 17, 200, 22}};

void st05mbossTurretSix(const BossGun& gun, const St05mbossFan& fan, int32_t angle, int32_t sound) {
    if (fan.count > 0) bossFan(gun, 6, fan.type, angle, fan.speed, fan.count, fan.step);
    SDL2_wheel_SoundPlaySE(sound, false);
}

// Attack B, all from turret 6: fans that join in one after another as the
// calls run on; a level without a fan still sounds its step.
void st05mbossModeThree(const BossGun& gun, int32_t i, int32_t level) {
    ObjWork* work = gun.work;
    const int32_t aim = mbossAim(work, 6, i);
    st05mbossTurretSix(gun, kSt05mbossFans22[level], aim, kSt05mbossBeamL);
    if (i % 2 == 1 && i > 3) {
        const ObjPoint at = bossTurret(work, 6);
        st05mbossTurretSix(gun, kSt05mbossFans51[level], enemyAngleToPlayer(at.x, at.y), kSt05mbossBeamM);
    }
    if (i % 3 == 1 && i > 6) st05mbossTurretSix(gun, kSt05mbossFans33[level], aim, kSt05mbossBeamS);
    if (i % 4 == 1 && i > 9) st05mbossTurretSix(gun, kSt05mbossFans5[level], aim, kSt05mbossBeamS);
    if (i % 5 == 1 && i > 12 && level == 3) st05mbossTurretSix(gun, kSt05mbossFans133[level], aim, kSt05mbossBeamS);
}

// Attack C: turrets 0 and 1 fire three types on one aim for ten calls of
// twenty; turrets 4 and 5 an aimed fan in turn every eight calls; level 3
// adds a drizzle of type-39 shots.
void st05mbossModeSix(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t fan20[4] = {5, 7, 9, 9};
    ObjWork* work = gun.work;
    EnemyFields& e = enemy(work);
    const int32_t m = i % 20;
    if (m < 10) {
        const float s = float((m + 6) * 30);
        for (int32_t n = 0; n <= 1; ++n) {
            if (m == 0) e.aimWords[n] = bossAimFrom(work, n);
            bossFan(gun, n, 63, e.aimWords[n], s + 40, 1, 0);
            bossFan(gun, n, 49, e.aimWords[n], s + 20, 2, 30);
            bossFan(gun, n, 38, e.aimWords[n], s, 2, 60);
            SDL2_wheel_SoundPlaySE(kSt05mbossBeamM, false);
        }
    }
    const int32_t n16 = i % 16;
    if (n16 == 0 || n16 == 8) {
        const int32_t turret = n16 == 0 ? 4 : 5;
        e.aimWords[turret] = bossAimFrom(work, turret);
        bossFan(gun, turret, 20, e.aimWords[turret], 90, fan20[level], 16);
        SDL2_wheel_SoundPlaySE(kSt05mbossBeamL, false);
    }
    if (level != 3) return;
    const int32_t angle = 480 + bossRand(64);
    const float speed = float((bossRand(6) + 12) * 10);
    bossShot(gun, i % 2, 39, angle, speed);
    SDL2_wheel_SoundPlaySE(kSt05mbossBeamS, false);
}

constexpr MbossKind kSt05mboss = {
    {TSKgameCtrlKill, TSKmbossDraw, TSKenemyHit, TSKst05mbossTurret, 430.0f, 1, {0x12000, 0}, {0xE666, 0}, 2000000,
     3, "st05mboss", 210, 120, false},
    kSt05mbossBoxes,
    int32_t(std::size(kSt05mbossBoxes)),
    mbossSteps(211),
    {{1, 90, 6, 60, 1, 0, 0}, {3, 30, 24, 40, 1, 0, 0}, {6, 150, 4, 60, 1, 0, 0}},
    7,
    {st05mbossModeOne, st05mbossModeThree, st05mbossModeSix},
};

}  // namespace

void TSKst05mbossAct(ObjTask* task) { bossAct(task, TSKst05mbossInit, TSKst05mbossUpdate); }
void TSKst05mbossInit(ObjTask* task) { mbossInit(task, kSt05mboss); }
void TSKst05mbossUpdate(ObjTask* task) { mbossUpdate(task, kSt05mboss); }
void TSKst05mbossTurret(ObjTask* task, ObjWork* work) { mbossTurret(task, work, kSt05mboss); }
