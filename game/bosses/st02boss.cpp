// Kind 101, the stage-2 boss: two forms over "st02boss" through the stage
// bosses' shared update; form 1 loops two rounds of two attacks, form 2
// runs attacks 8 and 9 and then the endless attack 11. Exhaust streaks from
// its four jets, smoke from its "smoke%02d" locators.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_stage.h"
#include "game/core/collision.h"
#include "game/core/game_sequence.h"
#include "game/core/motion_wrappers.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt02bossStepTurrets = 20;
constexpr int32_t kSt02bossTurrets = 32;
constexpr int32_t kSt02bossBeamL = 17;
constexpr int32_t kSt02bossBeamM = 18;
constexpr int32_t kSt02bossBeamS = 19;
constexpr int32_t kSt02bossBomb = 20;
constexpr int32_t kSt02bossBombShot = 167;
constexpr HitBox kSt02bossFormOne[] = {{0, 27, 105, 18}, {0, -30, 20, 60}, {0, 0, 60, 10}};
constexpr HitBox kSt02bossFormTwo[] = {{0, 27, 105, 18}, {0, -30, 20, 60}, {0, 0, 80, 20}};
constexpr ObjPoint kSt02bossJets[4] = {{-77, 100}, {77, 100}, {-40, 80}, {40, 80}};

constexpr BossInitRow kSt02bossInit = {
    TSKgameCtrlKill, TSKbossDraw, TSKenemyHit, TSKst02bossTurret, 430.0f, 2, {0x1B000, 0x1A000}, {0x15999, 0x14CCC},
    750000, 4, "st02boss", 24, 60, true, -1};

// Attacks 1, 2, 3, 4, 8, 9 and 11.
constexpr BossAttack kSt02bossAttacks[] = {
    {1, 25, 6, 120, 2, 60, 0}, {2, 80, 4, 120, 1, 0, 0}, {3, 60, 5, 60, 1, 0, 0},      {4, 160, 7, 100, 1, 0, 0},
    {8, 70, 6, 120, 1, 0, 0},  {9, 70, 4, 0, 1, 0, 0},   {11, 99999, 6, 10, 99999, 0, 0},
};

void st02bossEntered(ObjWork* work) { work->depth = 430.0f; }
void st02bossFormChange(ObjWork*) { soundLayerState().layerTarget = 1; }  // the music's second track
void st02bossSteerWide(ObjWork* work) { enemy(work).steerMode = 2; }
void st02bossSteerNear(ObjWork* work) { enemy(work).steerMode = 1; }

constexpr BossStepRow kSt02bossSteps[] = {
    {0, 0, kBossOnScreen, -1, -1, nullptr, 0, 0, 6, false},
    {0, 6, kBossReady, 24, -1, st02bossEntered, 0, 1, 0, false},
    {1, 0, kBossCounter, 25, -1, nullptr, 0, 1, 1, false},
    {1, 1, kBossReady, 26, 0, nullptr, 0, 1, 2, false},
    {1, 2, kBossReady, 27, -1, nullptr, 0, 1, 3, false},
    {1, 3, kBossEnd, 28, -1, nullptr, 0, 1, 4, false},
    {1, 4, kBossReady, 29, 1, nullptr, 0, 1, 5, false},
    {1, 5, kBossReady, 30, -1, nullptr, 0, 1, 6, false},
    {1, 6, kBossReady, 24, -1, nullptr, 0, 2, 0, false},
    {2, 0, kBossCounter, 31, -1, nullptr, 0, 2, 1, false},
    {2, 1, kBossReady, 32, 2, nullptr, 0, 2, 2, false},
    {2, 2, kBossReady, 33, -1, nullptr, 0, 2, 3, false},
    {2, 3, kBossEnd, 34, -1, nullptr, 0, 2, 4, false},
    {2, 4, kBossReady, 35, 3, nullptr, 0, 2, 5, false},
    {2, 5, kBossReady, 36, -1, nullptr, 0, 2, 6, false},
    {2, 6, kBossReady, 24, -1, nullptr, 0, 1, 0, false},
    {4, 0, kBossAlways, 37, -1, st02bossFormChange, 0, 4, 6, false},
    {4, 6, kBossEnd, 38, -1, nullptr, 0, 5, 0, false},
    {5, 0, kBossCounter, 39, -1, st02bossSteerWide, 0, 5, 1, false},
    {5, 1, kBossReady, 40, 4, nullptr, 0, 5, 2, false},
    {5, 2, kBossReady, 41, -1, nullptr, 0, 5, 3, false},
    {5, 3, kBossEnd, 42, -1, nullptr, 0, 5, 4, false},
    {5, 4, kBossReady, 43, 5, nullptr, 0, 5, 5, false},
    {5, 5, kBossReady, 44, -1, st02bossSteerNear, 0, 5, 6, false},
    {5, 6, kBossEnd, 38, -1, nullptr, 0, 6, 0, false},
    {6, 0, kBossCounter, 39, -1, st02bossSteerWide, 0, 6, 1, false},
    {6, 1, kBossReady, 40, 6, nullptr, 0, 6, 2, false},
    {6, 2, kBossReady, 41, -1, nullptr, 0, 6, 6, false},
    {6, 6, kBossEnd, 38, -1, nullptr, 0, 5, 0, false},
};

void st02bossSound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

// Four streaks from the jets on every fourth frame; the dying boss's counter
// stands still, so then on every frame or none.
void st02bossExhaust(ObjWork* work) {
    if (enemy(work).frameCount % 4 != 0) return;
    for (const ObjPoint& jet : kSt02bossJets) {
        TSKeffectCreate(122, 512, 6.0f, 0, 0, ObjRef{}, work->x + jet.x, work->y + jet.y);
    }
}

// Puff n rises at "smoke%02d" (turret n takes the point too); without that
// locator, or without slot A, at the boss position.
ObjPoint st02bossSmokePoint(ObjWork* work, int32_t n) {
    float out[3] = {};
    char name[16];
    std::snprintf(name, sizeof name, "smoke%02d", int(n));
    const bool found = work->motionSlot0 >= 0 && SDL2_wheel_MotionGetLocator(work->motionSlot0, out, name);
    const ObjPoint at = found ? ObjPoint{out[0], out[1]} : ObjPoint{work->x, work->y};
    enemy(work).locators[n] = at;
    enemy(work).turretSeen |= 1 << n;
    return at;
}

void st02bossPuffs(ObjWork* work, int32_t headingBase, int32_t headingSpread) {
    for (int32_t n = 0; n < 4; ++n) {
        const ObjPoint at = st02bossSmokePoint(work, n);
        const int32_t heading = headingBase + bossRand(headingSpread);
        const float speed = float(3 + bossRand(5));
        TSKeffectCreate(103, heading, speed, 0, 0, ObjRef{}, at.x, at.y);
    }
}

constexpr BossStageRow kSt02bossStage = {2,
                                         kSt02bossStepTurrets,
                                         kSt02bossFormOne,
                                         int32_t(std::size(kSt02bossFormOne)),
                                         kSt02bossFormTwo,
                                         int32_t(std::size(kSt02bossFormTwo)),
                                         (1u << 5) | (1u << 6),
                                         -55.0f,
                                         kSt02bossSteps,
                                         int32_t(std::size(kSt02bossSteps)),
                                         kSt02bossAttacks,
                                         45,
                                         st02bossPuffs,
                                         st02bossExhaust,
                                         nullptr};

void st02bossFanOfFans(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                       int32_t step, int32_t inner, int32_t innerStep) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShotFanOfFans(type, angle, speed, count, step, inner, innerStep, gun.owner, at.x, at.y);
}

void st02bossFanOfLines(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                        int32_t step, int32_t lineCount, float speedStep) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShotFanOfLines(type, angle, speed, count, step, lineCount, speedStep, gun.owner, at.x, at.y);
}

void st02bossAttackOne(const BossGun& gun, int32_t i, int32_t level) {
    EnemyFields& e = enemy(gun.work);
    if (i == 0) e.aimWords[0] = bossAimFrom(gun.work, 0);
    constexpr int32_t kBelow[4] = {2, 3, 4, 5};
    constexpr int32_t kStep[4] = {140, 90, 60, 60};
    if (i % 5 < kBelow[level]) {
        bossFan(gun, 0, 48, e.aimWords[0], 240, i / 5 + (level == 3 ? 4 : 1), kStep[level]);
        st02bossSound(kSt02bossBeamM);
    }
    struct Fans {
        float speed;
        int32_t count, step, inner;
    };
    constexpr Fans kFans[4] = {{110, 6, 2, 1}, {140, 6, 2, 1}, {140, 6, 4, 1}, {140, 9, 4, 3}};
    const int32_t fanTurret = i % 6 == 0 ? 1 : i % 6 == 3 ? 4 : -1;
    if (fanTurret > 0) {
        const Fans& f = kFans[level];
        st02bossFanOfFans(gun, fanTurret, 4, bossAimFrom(gun.work, fanTurret), f.speed, f.count, f.step, f.inner, 120);
        st02bossSound(kSt02bossBeamS);
    }
    const int32_t ringTurret = i % 16 == 0 ? 5 : i % 16 == 8 ? 6 : -1;
    if (e.volleysLeft != 1 || ringTurret < 0 || level == 0) return;
    const int32_t aim = bossAimFrom(gun.work, ringTurret);
    if (level == 1) bossFan(gun, ringTurret, 14, aim, 150, 17, 1024 / 17);
    if (level == 3) bossFan(gun, ringTurret, 3, aim, 220, 30, 34);
    if (level >= 2) bossFan(gun, ringTurret, 14, aim, 220, 31, 33);
    st02bossSound(kSt02bossBeamS);
}

// Attack 2's fans of turrets 5 and 6 from call 20: count by level and call.
int32_t st02bossAttackTwoCount(int32_t i, int32_t level) {
    switch (level) {
    case 0:
        return 1;
    case 1:
        return i >= 60 ? 3 : 1;
    case 2:
        return i >= 60 ? 5 : i >= 40 ? 3 : 1;
    default:
        return i >= 60 ? 7 : i >= 40 ? 5 : 3;
    }
}

void st02bossAttackTwo(const BossGun& gun, int32_t i, int32_t level) {
    EnemyFields& e = enemy(gun.work);
    const int32_t m6 = i % 6, p = (i / 6) % 2, m10 = i % 10;
    if (m6 == 0) e.aimWords[0] = bossAimFrom(gun.work, 0);
    if (m6 < (level == 3 ? 5 : 3)) {
        const int32_t d = (p == 0 ? 2 : -2) * level;
        bossFan(gun, 0, 51, e.aimWords[0] + d * m6, 200, 7, 60);
        st02bossSound(kSt02bossBeamL);
    }
    for (int32_t n : {1, 4}) {
        if (level == 3 || (level == 2 && m10 < 5)) {
            bossShot(gun, n, 141, 512, 240);
            st02bossSound(kSt02bossBeamM);
        }
    }
    for (int32_t n : {2, 3}) {
        if (m10 >= 5) continue;
        bossShot(gun, n, 158, 512, 240);
        st02bossSound(kSt02bossBeamM);
    }
    if (i < 20 || m10 >= 6) return;
    constexpr float kSpeed[4] = {130, 180, 230, 230};
    for (int32_t n : {5, 6}) {
        bossFan(gun, n, 132, bossAimFrom(gun.work, n), kSpeed[level], st02bossAttackTwoCount(i, level),
                level == 3 ? 46 : 66);
        st02bossSound(kSt02bossBeamS);
    }
}

// A single shot with its angle left unwrapped.
void st02bossBareShot(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed) {
    const ObjPoint at = bossTurret(gun.work, turret);
    TSKeshotCreate(type, angle, speed, 0, 0, gun.owner, at.x, at.y);
}

void st02bossAttackThree(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t kR[4] = {55, 45, 30, 24};
    constexpr float kS[4] = {140, 140, 170, 170};
    if (i == 25 || i == 59) {
        struct Burst {
            int32_t count, innerCount, innerStep, lineCount;
            float speedStep;
        };
        constexpr Burst kBursts[4] = {{1, 3, 90, 3, 5}, {1, 3, 90, 3, 5}, {3, 3, 60, 6, 10}, {3, 5, 40, 8, 10}};
        const Burst& b = kBursts[level];
        const ObjPoint at = bossTurret(gun.work, 0);
        enemyShotFanOfFanLines(3, bossAimFrom(gun.work, 0), 180, b.count, 12, b.innerCount, b.innerStep, b.lineCount,
                               b.speedStep, gun.owner, at.x, at.y);
        st02bossSound(kSt02bossBeamL);
    }
    const int32_t r = kR[level];
    bossShot(gun, 2, 141, 312 + r * i, kS[level]);
    if (level == 2) bossShot(gun, 2, 141, 272 + r * i, kS[level]);
    st02bossSound(kSt02bossBeamM);
    bossShot(gun, 3, 141, 712 - r * i, kS[level]);
    if (level == 2) bossShot(gun, 3, 141, 752 - r * i, kS[level]);
    st02bossSound(kSt02bossBeamM);
    if (level == 0) return;
    const int32_t type = level == 3 ? 139 : 158;
    st02bossBareShot(gun, 1, type, level == 1 ? 62 + 35 * i : 262 + 22 * i, 130);
    st02bossSound(kSt02bossBeamS);
    st02bossBareShot(gun, 4, type, level == 1 ? 962 - 35 * i : 762 - 22 * i, 130);
    st02bossSound(kSt02bossBeamS);
}

// A turret's scattered shot: angle aim - half + r(spread), then the speed.
void st02bossScatter(const BossGun& gun, int32_t turret, int32_t type, int32_t spread, bool fast) {
    const int32_t angle = bossAimFrom(gun.work, turret) - spread / 2 + bossRand(spread);
    int32_t speed = 60 + 5 * bossRand(10);
    if (fast) speed = 120 + 5 * bossRand(10);
    bossShot(gun, turret, type, angle, float(speed));
    st02bossSound(kSt02bossBeamS);
}

void st02bossAttackFour(const BossGun& gun, int32_t i, int32_t level) {
    EnemyFields& e = enemy(gun.work);
    const bool centre = i <= 50 ? i % 20 == 0 : i % 10 == 0;
    if (centre && level > 0) {
        const int32_t held = e.aimWords[0] = bossAimFrom(gun.work, 0);
        const ObjPoint at = bossTurret(gun.work, 0);
        if (level == 3) {
            bossLine(gun, 0, 27, held, 260, 8, 10);
            enemyShotFanOfLines(38, held, 240, 2, 20, 8, 10, gun.owner, at.x, at.y);
            enemyShotFanOfLines(38, held, 220, 2, 40, 8, 10, gun.owner, at.x, at.y);
        } else {
            const int32_t shots = level == 1 ? 4 : 8;
            bossLine(gun, 0, 27, held, 200, shots, 10);
            enemyShotFanOfLines(38, held, 180, 2, 20, shots, 10, gun.owner, at.x, at.y);
        }
        st02bossSound(kSt02bossBeamL);
    }
    constexpr int32_t kEvery[4] = {4, 4, 2, 1};
    if (i % kEvery[level] != 0) return;
    st02bossScatter(gun, 1, 0, 64, false);
    if (i >= 50) {
        for (int32_t n : {2, 3}) st02bossScatter(gun, n, level == 3 ? 33 : 0, 128, level == 3);
    }
    st02bossScatter(gun, 4, 0, 64, false);
}

void st02bossAttackEight(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t kAngles[4][2] = {{544, 480}, {528, 496}, {516, 508}, {512, 512}};
    const int32_t first = i % 2 == 0 ? 1 : 2, second = i % 2 == 0 ? 4 : 3;
    bossShot(gun, first, kSt02bossBombShot, kAngles[level][0], 0);
    st02bossSound(kSt02bossBomb);
    bossShot(gun, second, kSt02bossBombShot, kAngles[level][1], 0);
    st02bossSound(kSt02bossBomb);
    if (level != 3 || i % 4 != 0) return;
    bossShot(gun, 7, 12, 512, 160);
    bossFan(gun, 7, 1, 512, 140, 2, 120);
    st02bossSound(kSt02bossBeamM);
}

void st02bossAttackNine(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t kBombsBelow[4] = {5, 10, 20, 25};
    if (i < kBombsBelow[level]) {
        for (int32_t n = 1; n <= 4; ++n) {
            bossShot(gun, n, kSt02bossBombShot, bossAimFrom(gun.work, n), 0);
            st02bossSound(kSt02bossBomb);
        }
    }
    if (i >= 60) {
        constexpr int32_t kV[4] = {150, 200, 250, 250}, kM[4] = {60, 40, 30, 40};
        bossLine(gun, 1, 11, 262 + (i - 60) * kM[level], float(kV[level]), 5, 10);
        st02bossSound(kSt02bossBeamM);
        bossLine(gun, 4, 11, 762 - (i - 60) * kM[level], float(kV[level]), 5, 10);
        st02bossSound(kSt02bossBeamM);
    }
    if (i < 30 || i % 6 != 0) return;
    for (int32_t n : {2, 4}) {
        bossShot(gun, n, kSt02bossBombShot, 512, 0);
        st02bossSound(kSt02bossBomb);
    }
}

// Attack 11's ring: point j of K about turret 0, 32 px out at angle t.
void st02bossRing(const BossGun& gun, int32_t i, int32_t level) {
    constexpr int32_t kTurn[4] = {42, 32, 22, 22};
    const int32_t k = i >= 170 ? 7 : 5;
    const int32_t spacing = 1024 / k;
    const int32_t w = level == 3 ? 2 : 1;
    const ObjPoint centre = bossTurret(gun.work, 0);
    for (int32_t j = 0; j < k; ++j) {
        const int32_t t = i * kTurn[level] + j * spacing;
        float x = centre.x, y = centre.y;
        SDL2_wheel_AngleSinCos(t, &x, &y, 32.0f);
        enemyShotLine(134, t + 92, 200, w, 20, gun.owner, x, y);
        if (level < 2) continue;
        if (i >= 110) enemyShotLine(140, t - 10, 180, w, 20, gun.owner, x, y);
        if (i >= 130) enemyShotLine(158, t - 50, 160, w, 20, gun.owner, x, y);
    }
    st02bossSound(kSt02bossBeamL);
}

void st02bossAttackEleven(const BossGun& gun, int32_t i, int32_t level) {
    if (i < 30 && i % 2 == 0) {
        struct Lines {
            int32_t count, step, lineCount;
            float speedStep;
        };
        constexpr Lines kLines[4] = {{5, 72, 4, 10}, {5, 60, 6, 10}, {7, 42, 7, 15}, {9, 32, 9, 15}};
        const Lines& l = kLines[level];
        st02bossFanOfLines(gun, 7, 39, bossAimFrom(gun.work, 7), 160, l.count, l.step, l.lineCount, l.speedStep);
        st02bossSound(kSt02bossBeamM);
    }
    if (i >= 30 && i <= 49 && i % 5 == 0) {
        for (int32_t n : {5, 6}) {
            const int32_t aim = bossAimFrom(gun.work, n);
            const float faster = n == 6 ? 20.0f : 0.0f;
            bossFan(gun, n, 48, aim, 140 + faster, 3, 54);
            if (level >= 2) bossFan(gun, n, 4, aim, 120 + faster, 4, 54);
            st02bossSound(kSt02bossBeamM);
        }
    }
    if (i == 60 && level == 3) {
        constexpr int32_t kTurn[4] = {180, 90, -90, -180};
        for (int32_t n = 1; n <= 4; ++n) {
            bossShot(gun, n, 166, bossAimFrom(gun.work, n) + kTurn[n - 1], 350);
            st02bossSound(kSt02bossBeamM);
        }
    }
    if (i >= 70) st02bossRing(gun, i, level);
}

}  // namespace

void TSKst02bossAct(ObjTask* task) { bossAct(task, TSKst02bossInit, TSKst02bossUpdate); }

void TSKst02bossInit(ObjTask* task) {
    if (!bossInit(task, kSt02bossInit)) return;
    enemy(task->work).aimOffset = {0.0f, 15.0f};
}

void TSKst02bossUpdate(ObjTask* task) { bossStageUpdate(task, kSt02bossStage); }

void TSKst02bossTurret(ObjTask* task, ObjWork* work) {
    bossRefreshTurrets(work, kSt02bossTurrets);
    const BossGun gun = bossGun(task, work);
    const int32_t i = enemy(work).shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    switch (enemy(work).attackPattern) {
    case 1:
        st02bossAttackOne(gun, i, level);
        break;
    case 2:
        st02bossAttackTwo(gun, i, level);
        break;
    case 3:
        st02bossAttackThree(gun, i, level);
        break;
    case 4:
        st02bossAttackFour(gun, i, level);
        break;
    case 8:
        st02bossAttackEight(gun, i, level);
        break;
    case 9:
        st02bossAttackNine(gun, i, level);
        break;
    case 11:
        st02bossAttackEleven(gun, i, level);
        break;
    default:
        break;
    }
}
