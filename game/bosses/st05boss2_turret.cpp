// The true last boss's guns: the turret callback over its twenty-four
// "turret%02d" locators, one function a pattern. Aim words: word n is
// locator n's heading frozen for a burst; word 0 counts (fans, bursts,
// launches) where locator 0 aims nothing.
#include <algorithm>
#include <cmath>

#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/st05boss2.h"
#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt05b2gunLocators = 24;
constexpr int32_t kSt05b2gunSoundL = 17, kSt05b2gunSoundM = 18, kSt05b2gunSoundS = 19, kSt05b2gunSoundB = 20;
constexpr int32_t kSt05b2gunRingShot = 161;
constexpr int32_t kSt05b2gunFirstRingLink = 6;
constexpr float kSt05b2gunTurn = 6.2831855f / 1024.0f;

struct St05b2Gun {
    ObjTask* task;
    BossGun gun;
    EnemyFields& e;
    int32_t i, level;
};

void st05b2gunSound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

// Freezes locator n's heading to the fighter when `now`; the frozen heading.
int32_t st05b2gunAim(St05b2Gun& g, int32_t n, bool now) {
    if (now) g.e.aimWords[n] = bossAimFrom(g.gun.work, n);
    return g.e.aimWords[n];
}

// A point `radius` out from the point 5 above the boss centre at angle a.
ObjPoint st05b2gunAround(const ObjWork* work, int32_t a, float radius) {
    const float turn = float(a & 1023) * kSt05b2gunTurn;
    return {work->x + radius * std::sin(turn), work->y - 5.0f - radius * std::cos(turn)};
}

void st05b2gunSingle(const St05b2Gun& g, int32_t type, int32_t angle, int32_t speed, ObjPoint at) {
    enemyShot(type, angle & 1023, float(speed), g.gun.owner, at.x, at.y);
}

void st05b2gunPatternOne(St05b2Gun& g) {
    static constexpr int32_t kFanSize[] = {9, 15, 19, 21}, kPairSpeed[] = {190, 190, 230, 240};
    static constexpr int32_t kRing[] = {2, 3, 5, 5}, kRingStep[] = {42, 31, 24, 24};
    static constexpr int32_t kBombEarly[] = {24, 18, 12, 12}, kBombLate[] = {12, 9, 6, 6};
    static constexpr int32_t kBombSpeed[] = {160, 200, 230, 240};
    const int32_t i = g.i, level = g.level;
    if (i % 14 == 0) {
        const int32_t fans = g.e.aimWords[0]++ % 2 == 0 ? 3 : 4;
        const ObjPoint at = bossTurret(g.gun.work, 3);
        enemyShotFanOfFans(28, bossAimFrom(g.gun.work, 3), 90.0f, fans, 300, kFanSize[level], 12, g.gun.owner, at.x,
                           at.y);
        st05b2gunSound(kSt05b2gunSoundS);
    }
    if (i < 90 && i % 10 < 5) {
        for (int32_t n : {1, 2}) {
            const int32_t aim = st05b2gunAim(g, n, i % 10 == 0);
            bossFan(g.gun, n, 138, aim & 1023, float(kPairSpeed[level]), level == 0 ? 1 : 3, 60);
            st05b2gunSound(kSt05b2gunSoundM);
        }
    }
    if (i >= 90) {
        const int32_t n = kRing[level], speed = level == 0 ? 200 : 220, centre = kRingStep[level] * i;
        bossFan(g.gun, 1, 140, centre & 1023, float(speed), n, 1024 / n);
        st05b2gunSound(kSt05b2gunSoundM);
        bossFan(g.gun, 2, 140, -centre & 1023, float(speed), n, 1024 / n);
        st05b2gunSound(kSt05b2gunSoundM);
    }
    const int32_t p = i < 90 ? kBombEarly[level] : kBombLate[level];
    if (i >= 20 && i % p == 0) {
        for (int32_t n : {6, 7}) {
            bossShot(g.gun, n, 167, bossAimFrom(g.gun.work, n), float(kBombSpeed[level]));
            st05b2gunSound(kSt05b2gunSoundB);
        }
    }
}

// Pattern 2's crossing lines from turret 4 or 5 (sense +1 or -1).
void st05b2gunCrossing(St05b2Gun& g, int32_t n, int32_t sense, int32_t j) {
    static constexpr int32_t kLines[] = {4, 6, 8, 8}, kStep[] = {2, 3, 4, 4};
    const int32_t base = st05b2gunAim(g, n, j == 0) + sense * (24 * j - 300);
    const ObjPoint at = bossTurret(g.gun.work, n);
    for (int32_t t = 0; t < kLines[g.level]; ++t) {
        const int32_t speed = 200 + 15 * t, s = sense * kStep[g.level] * t;
        st05b2gunSingle(g, 5, base + s, speed, at);
        st05b2gunSingle(g, 158, base + sense * 35 + s, speed, at);
    }
    st05b2gunSound(kSt05b2gunSoundM);
}

void st05b2gunPatternTwo(St05b2Gun& g) {
    static constexpr int32_t kBurst[] = {6, 8, 10, 10}, kSpread[] = {56, 53, 52, 50};
    const int32_t i = g.i;
    if (i < 100) {
        const int32_t j = i % 10;
        if (j == 0) ++g.e.aimWords[0];
        if (j >= kBurst[g.level]) return;
        for (int32_t n : {1, 2}) {
            const int32_t aim = st05b2gunAim(g, n, j == 0);
            bossFan(g.gun, n, 141, aim & 1023, float(200 + 30 * j), g.e.aimWords[0], kSpread[g.level]);
            st05b2gunSound(kSt05b2gunSoundS);
        }
    } else if (i < 160) {
        if (i == 100) g.e.aimWords[0] = -1;
        if (i % 20 == 0) ++g.e.aimWords[0];
        const int32_t side = g.e.aimWords[0] % 3, j = i % 20;
        if (side == 0 || side == 2) st05b2gunCrossing(g, 4, 1, j);
        if (side == 1 || side == 2) st05b2gunCrossing(g, 5, -1, j);
    } else if (i == 170) {
        for (int32_t n : {1, 2}) {
            const ObjPoint at = bossTurret(g.gun.work, n);
            const int32_t angle = (bossAimFrom(g.gun.work, n) + 512) & 1023;
            enemyShotFanOfLines(183, angle, 240.0f, 19, 32, 1, 0.0f, g.gun.owner, at.x, at.y);
            st05b2gunSound(kSt05b2gunSoundL);
        }
    }
}

// Pattern 3's ring of four shots, every 50 calls; it is let go again at
// 35, 40 or 45 calls by rank level (45 in any case).
void st05b2gunRing(St05b2Gun& g) {
    const int32_t j = g.i % 50;
    ObjWork* work = g.gun.work;
    if (j == 0) {
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t a = enemy(work).spin + 256 * k;
            bossLinkShotAt(g.e.partLink[kSt05b2gunFirstRingLink + k], kSt05b2gunRingShot, a & 1023, g.gun.owner,
                           st05b2gunAround(work, a, 50.0f));
        }
    }
    const int32_t letGo = g.level <= 1 ? 35 : g.level == 2 ? 40 : 45;
    if (j == letGo || j == 45) bossEndLinks(work);
}

void st05b2gunPatternThree(St05b2Gun& g) {
    static constexpr int32_t kLate[] = {4, 3, 3, 2}, kTurn[] = {26, 23, 23, 22};
    const int32_t i = g.i, level = g.level;
    ObjWork* work = g.gun.work;
    st05b2gunRing(g);
    if (i % 10 < 8 && level >= 1) {
        const int32_t n = level == 1 ? 4 : 8;
        for (int32_t t = 0; t < n; ++t) {
            const int32_t a = -4 * i + 1024 * t / n;
            st05b2gunSingle(g, 46, a + 100, 240, st05b2gunAround(work, a, 45.0f));
            st05b2gunSound(kSt05b2gunSoundM);
        }
    }
    if (i >= 61 && i % 10 >= kLate[level]) {
        const int32_t m = level <= 1 ? 4 : 8;
        for (int32_t t = 0; t < m; ++t) {
            const int32_t a = kTurn[level] * i + 1024 * t / m;
            st05b2gunSingle(g, 0, a - 60, 180, st05b2gunAround(work, a, 45.0f));
            st05b2gunSound(kSt05b2gunSoundS);
        }
    }
    const ObjWork* fighter = fighterGetWork();
    if (fighter == nullptr) return;
    const float dx = std::fabs(fighter->x - work->x), dy = std::fabs(fighter->y - work->y);
    if (std::max(dx, dy) + std::min(dx, dy) / 2.0f >= 45.0f) return;
    for (int32_t n : {1, 2}) {
        bossFan(g.gun, n, 61, bossAimFrom(work, n), 320.0f, 3, 40);
        st05b2gunSound(kSt05b2gunSoundL);
    }
}

void st05b2gunPatternFour(St05b2Gun& g) {
    const int32_t i = g.i, level = g.level;
    ObjWork* work = g.gun.work;
    if (i == 0) {
        const ObjPoint at = bossTurret(work, 1);
        st05boss2LaunchSnake(g.task, at.x, at.y);
    }
    const int32_t j = i % 30;
    if (i >= 30 && j < 8) {
        const int32_t aim = st05b2gunAim(g, 3, j == 0);
        const int32_t count = level >= 2 ? 3 : 1;
        const int32_t speed = (level == 0 ? 230 : 140) + 30 * j;
        bossFan(g.gun, 3, 30, aim & 1023, float(speed), count, 128);
        if (level >= 1) {
            const ObjPoint at = bossTurret(work, 3);
            for (int32_t side : {256, -256}) {
                float x = at.x, y = at.y;
                SDL2_wheel_AngleSinCos((aim + side) & 1023, &x, &y, 12.0f);
                enemyShotFan(132, aim & 1023, float(speed), count, 128, g.gun.owner, x, y);
            }
        }
        st05b2gunSound(kSt05b2gunSoundL);
    }
    if (i >= 80) {
        for (int32_t n : {6, 7}) {
            const ObjPoint at = bossTurret(work, n);
            const float x = at.x + float(randRange(20) - 10), y = at.y + float(randRange(20) - 10);
            st05b2gunSingle(g, 158, 512, 320, {x, y});
            st05b2gunSound(kSt05b2gunSoundS);
        }
    }
}

// Pattern 8's drifters: slot t of sixteen launches on even t, on every
// fourth slot by the call's parity before call 80 and then on even calls;
// never on rank level 0 from call 160.
bool st05b2gunDrifterSlot(int32_t i, int32_t t, int32_t level) {
    if (t % 2 != 0 || (level == 0 && i >= 160)) return false;
    if (i < 80) return t % 4 == (i % 2 == 0 ? 0 : 2);
    return t % 2 == i % 2;
}

void st05b2gunPatternEight(St05b2Gun& g) {
    const int32_t i = g.i, level = g.level;
    ObjWork* work = g.gun.work;
    if (i >= 144 && level >= 2) {
        const int32_t j = i % 12;
        if (j == 0) ++g.e.aimWords[1];
        if (i % 2 == 0 && j < 6) {
            const bool even = g.e.aimWords[1] % 2 == 0;
            const int32_t base = bossAimAngle(work->x, work->y - 5.0f) + randRangeCentered(24) + (even ? 32 : 0);
            for (int32_t t = 0; t < 16; ++t) {
                const int32_t a = base + 64 * t;
                st05b2gunSingle(g, even ? 55 : 22, a, 280, st05b2gunAround(work, a, 20.0f));
                st05b2gunSound(kSt05b2gunSoundL);
            }
        }
    }
    const int32_t p = level <= 1 ? (i < 240 ? 14 : 11) : (i < 240 ? 10 : 8);
    if (i % p != 0) return;
    for (int32_t t = 0; t < 16; ++t) {
        if (!st05b2gunDrifterSlot(i, t, level)) continue;
        const int32_t b = (21 * i + 64 * t) & 1023;
        const ObjPoint at = st05b2gunAround(work, b, 40.0f);
        st05boss2LaunchDrifter(g.task, at.x, at.y, b, g.e.aimWords[0] % 2);
        st05b2gunSound(kSt05b2gunSoundM);
    }
    ++g.e.aimWords[0];
}

}  // namespace

void TSKst05boss2Turret(ObjTask* task, ObjWork* work) {
    bossRefreshTurrets(work, kSt05b2gunLocators);
    EnemyFields& e = enemy(work);
    St05b2Gun g{task, bossGun(task, work), e, e.shotIndex, std::clamp(enemyRankLevel(), 0, 3)};
    switch (e.attackPattern) {
    case 1:
        st05b2gunPatternOne(g);
        break;
    case 2:
        st05b2gunPatternTwo(g);
        break;
    case 3:
        st05b2gunPatternThree(g);
        break;
    case 4:
        st05b2gunPatternFour(g);
        break;
    case 8:
        st05b2gunPatternEight(g);
        break;
    default:
        break;
    }
}
