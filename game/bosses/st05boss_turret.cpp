// The stage-5 boss's guns: the turret callback over its fifteen
// "turret%02d" locators, one function a pattern. A kept aim is frozen in the
// aim words at the volley's first shot: word 0 the volley's aim, words 1
// and 2 pattern 3's sweep base and direction, word 3 pattern 4's ring
// angle, word 4 its line calls, word 5 pattern 12's launches, words 6..13
// the aims (pattern 8) or outward directions (pattern 15) of turrets 6..13.
#include <algorithm>
#include <cmath>

#include "game/bosses/boss_shape.h"
#include "game/bosses/st05boss.h"
#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt05gunLocators = 15;
constexpr float kSt05gunTurn = 6.2831855f / 1024.0f;
constexpr int32_t kSt05gunAimWord = 0, kSt05gunSweepWord = 1, kSt05gunFlagWord = 2, kSt05gunRingWord = 3,
                  kSt05gunLineWord = 4, kSt05gunLaunchWord = 5;

struct St05Gun {
    BossGun gun;
    EnemyFields& e;
    int32_t i, level;
};

void st05gunSound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

int32_t st05gunAimFrom(const St05Gun& g, int32_t n) {
    const ObjPoint at = bossTurret(g.gun.work, n);
    return enemyAngleToPlayer(at.x, at.y);
}
// The volley's aim from turret n, frozen at its first shot.
int32_t st05gunKept(St05Gun& g, int32_t n) {
    if (g.i == 0) g.e.aimWords[kSt05gunAimWord] = st05gunAimFrom(g, n);
    return g.e.aimWords[kSt05gunAimWord];
}
int32_t st05gunPick(int32_t level, int32_t a, int32_t b, int32_t c, int32_t d) {
    const int32_t v[] = {a, b, c, d};
    return v[std::clamp(level, 0, 3)];
}

void st05gunShot(const St05Gun& g, int32_t n, int32_t type, int32_t angle, int32_t speed) {
    bossShot(g.gun, n, type, angle & 1023, float(speed));
}
void st05gunFan(const St05Gun& g, int32_t n, int32_t type, int32_t angle, int32_t speed, int32_t count,
                int32_t spread) {
    bossFan(g.gun, n, type, angle & 1023, float(speed), count, spread);
}
// A full ring of count bullets centred on the angle.
void st05gunRing(const St05Gun& g, int32_t n, int32_t type, int32_t angle, int32_t speed, int32_t count) {
    st05gunFan(g, n, type, angle, speed, count, 1024 / count);
}
// Type 179 from turret 0: one at (0, 0), then pairs (256, d), (-256, d).
void st05gunSplitters(const St05Gun& g, int32_t angle, int32_t speed, int32_t pairs, int32_t step) {
    const ObjPoint at = bossTurret(g.gun.work, 0);
    TSKeshotCreate(179, angle & 1023, float(speed), 0, 0, g.gun.owner, at.x, at.y);
    for (int32_t k = 1; k <= pairs; ++k) {
        TSKeshotCreate(179, angle & 1023, float(speed), 256, k * step, g.gun.owner, at.x, at.y);
        TSKeshotCreate(179, angle & 1023, float(speed), -256, k * step, g.gun.owner, at.x, at.y);
    }
    st05gunSound(17);
}

void st05gunPatternOne(St05Gun& g) {
    const int32_t p = g.i < 40 ? (g.level <= 1 ? 4 : 3) : (g.level <= 1 ? 2 : 1);
    const int32_t aim = st05gunKept(g, 2);
    if (g.i % p != 0) return;
    const ObjPoint at = bossTurret(g.gun.work, 2);
    const float radius = float(st05gunPick(g.level, 10, 15, 20, 20));
    const int32_t count = g.level == 3 ? (g.i <= 20 ? 3 : 5) : (g.i <= 20 ? 1 : 3);
    for (int32_t f = 0; f < 10; ++f) {
        const float a = float(102 * f) * kSt05gunTurn;
        const float x = at.x + std::sin(a) * radius, y = at.y - std::cos(a) * radius;
        const bool early = g.i < 40;
        const int32_t offset = early ? (randRange(20) - 10) * 5 : (randRange(5) - 2) * 5;
        enemyShotFan(early ? 39 : 6, (aim + offset) & 1023, early ? 200.0f : 300.0f, count, 100, g.gun.owner, x,
                     y);
    }
    st05gunSound(18);
}

void st05gunPatternTwo(St05Gun& g) {
    const int32_t aim = st05gunKept(g, 1);
    const int32_t count = g.level <= 1 ? 12 : 16;
    const int32_t late = st05gunPick(g.level, 1 << 30, 45, 30, 30);
    if (g.i % 6 < 3 || g.i >= late) {
        st05gunRing(g, 1, 141, aim + 10 * g.i, (g.i % 3 + 10) * 20, count);
        st05gunSound(18);
    }
    if (g.level >= 2 && g.i >= 60) {
        st05gunRing(g, 1, 133, aim - 10 * g.i, (g.i % 3 + 12) * 15, count);
        st05gunSound(19);
    }
    st05gunShot(g, 3, 158, 496 + randRange(32), (randRange(10) + 10) * 10);
    st05gunSound(19);
    if (g.level == 3 && g.i % 2 == 0) {
        st05gunShot(g, 2, 0, aim + randRange(32) - 16, (randRange(10) + 10) * 10);
        st05gunSound(18);
    }
}

// Two 3-way fans 4 pixels to each side of turret 3.
void st05gunSweepPair(const St05Gun& g, int32_t angle, int32_t speed, int32_t spread) {
    const ObjPoint at = bossTurret(g.gun.work, 3);
    for (int32_t side : {256, -256}) {
        const float a = float(angle + side) * kSt05gunTurn;
        enemyShotFan(133, angle & 1023, float(speed), 3, spread, g.gun.owner, at.x + std::sin(a) * 4.0f,
                     at.y - std::cos(a) * 4.0f);
    }
}

void st05gunPatternThree(St05Gun& g) {
    const int32_t aim = st05gunKept(g, 5);
    const int32_t j = g.i % 15;
    int32_t& base = g.e.aimWords[kSt05gunSweepWord];
    int32_t& flag = g.e.aimWords[kSt05gunFlagWord];
    if (j == 0) {
        base = st05gunAimFrom(g, 3) - 60;
        flag ^= 1;
    }
    if (j < 10) {
        const int32_t s = g.level + 1;
        const int32_t angle = flag != 0 ? base - s * j : base + s * j;
        const int32_t speed = g.level <= 1 ? (j + 9) * 20 : (j + 6) * 30;
        st05gunSweepPair(g, angle, speed, st05gunPick(g.level, 120, 100, 100, 80));
        st05gunSound(19);
    }
    if (j == 0) {
        const int32_t n = st05gunPick(g.level, 5, 7, 9, 11), s = st05gunPick(g.level, 70, 60, 40, 25);
        st05gunFan(g, 3, 12, base, 120, n, s);
        st05gunFan(g, 3, 1, base, 100, n + 1, s);
        st05gunSound(19);
    }
    if (g.i % st05gunPick(g.level, 7, 6, 5, 4) == 0) {
        st05gunFan(g, 5, 37, aim + randRange(120), 100, 5, st05gunPick(g.level, 60, 48, 34, 30));
        st05gunSound(19);
    }
    if (g.level == 3 && g.i % 15 == 0) {
        for (int32_t turn : {256, 768}) {
            st05gunFan(g, 4, 159, aim + turn, 200, 4, 35);
            st05gunSound(19);
        }
    }
    if (g.level >= 2 && g.i > 60 && (g.i % 12 == 8 || g.i % 12 == 11)) {
        st05gunShot(g, 0, 167, aim, 130);
        st05gunSound(20);
    }
}

void st05gunPatternFour(St05Gun& g) {
    const int32_t k = g.i % 10;
    if (k < st05gunPick(g.level, 4, 6, 8, 10)) {
        if (k == 0) g.e.aimWords[kSt05gunRingWord] = randRange(1024);
        st05gunRing(g, 2, 63, g.e.aimWords[kSt05gunRingWord], 300, st05gunPick(g.level, 4, 5, 7, 11));
        st05gunSound(19);
    }
    const bool early = g.i < 64;
    const int32_t q = st05gunPick(g.level, 16, early ? 16 : 12, early ? 16 : 8, early ? 14 : 6);
    if (g.i % q != 0) return;
    int32_t& calls = g.e.aimWords[kSt05gunLineWord];
    const bool even = calls % 2 == 0;
    const ObjPoint at = bossTurret(g.gun.work, 2);
    enemyShotFanOfLines(180, st05gunAimFrom(g, 2), even ? 200.0f : 70.0f, 2, 350, even ? 20 : 10, 15.0f,
                        g.gun.owner, at.x, at.y);
    ++calls;
    st05gunSound(19);
}

void st05gunPatternEight(St05Gun& g) {
    ObjWork* boss = g.gun.work;
    if (g.i == 0) {
        for (int32_t t = 6; t <= 13; ++t) g.e.aimWords[t] = enemyAngleToPlayer(boss->x, boss->y);
    }
    if (g.i % st05gunPick(g.level, 4, 2, 1, 1) == 0) {
        for (int32_t t = 6; t <= 13; ++t) {
            const bool even = t % 2 == 0;
            const int32_t d = g.level >= 2 ? -8 : g.level == 1 ? (even ? 0 : -16) : (even ? 8 : -24);
            st05gunShot(g, t, 0, g.e.aimWords[t] + randRange(16) + d, (randRange(10) + 19) * 5);
            st05gunSound(19);
        }
    }
    if (g.i < 20) return;
    const int32_t q = g.i <= 80 ? 20 : g.i <= 99 ? st05gunPick(g.level, 15, 10, 5, 4) : st05gunPick(g.level, 10, 5, 3, 2);
    if (g.i % q != 0) return;
    st05gunSplitters(g, st05gunAimFrom(g, 0), 220, g.level == 3 ? 5 : 3, st05gunPick(g.level, 50, 40, 30, 25));
}

void st05gunPatternNine(St05Gun& g) {
    const int32_t aim = st05gunKept(g, 2);
    if (g.i < 120) {
        const int32_t n = g.level + 2;
        st05gunRing(g, 1, 2, 24 * g.i, 150, n);
        st05gunSound(19);
        st05gunRing(g, 1, 46, -35 * g.i, 130, n);
        st05gunSound(19);
    }
    if (g.i < 100 && g.i % st05gunPick(g.level, 8, 6, 6, 4) == 0) {
        st05gunShot(g, 2, 181, aim + randRange(340) - 170, 350);
        st05gunSound(17);
    }
    if (g.i >= 100) {
        st05gunShot(g, 2, 181, (96 - (g.i - 100)) * 8, (g.i - 100) * 4 + 300);
        st05gunSound(17);
    }
}

void st05gunPatternEleven(St05Gun& g, ObjTask* task) {
    if (g.i < 10 || (g.i >= 70 && g.i < 80)) {
        const ObjPoint at = bossTurret(g.gun.work, 0);
        st05bossLaunchDrone(task, at.x, at.y);
        st05gunSound(17);
    }
    if (g.i >= 10) {
        st05gunShot(g, 3, 158, st05gunAimFrom(g, 3) + randRange(200) - 100, st05gunPick(g.level, 200, 270, 350, 350));
    }
    if (g.i >= 80 && g.i % st05gunPick(g.level, 4, 2, 1, 1) == 0) {
        const int32_t speed = (randRange(5) + st05gunPick(g.level, 22, 32, 42, 42)) * 5;
        st05gunFan(g, 4, 135, st05gunAimFrom(g, 4) + randRange(200) - 100, speed, g.level == 3 ? 3 : 1, 90);
    }
}

void st05gunPatternTwelve(St05Gun& g, ObjTask* task) {
    if (g.i % 25 == 0) {
        int32_t& launches = g.e.aimWords[kSt05gunLaunchWord];
        const ObjPoint at = bossTurret(g.gun.work, 0);
        st05bossLaunchSpinner(task, at.x, at.y + 10.0f, launches % 2 == 0 ? 5 : -5);
        ++launches;
        g.e.spinPhase = 512;
    }
    if (g.i % st05gunPick(g.level, 4, 3, 2, 1) != 0) return;
    st05gunFan(g, 1, 34, st05gunAimFrom(g, 1) + randRange(300) - 150, (randRange(5) + 22) * 5, 2, 256);
    st05gunShot(g, 2, 11, st05gunAimFrom(g, 2) + randRange(300) - 150, (randRange(10) + 25) * 5);
}

// A turret's outward direction from the boss centre, 0 up.
int32_t st05gunOutward(const St05Gun& g, int32_t t) {
    const ObjPoint at = bossTurret(g.gun.work, t);
    const int32_t a = int32_t(std::atan2(at.x - g.gun.work->x, -(at.y - g.gun.work->y)) / kSt05gunTurn);
    return a < 0 ? a + 1024 : a;
}

void st05gunPatternFifteen(St05Gun& g) {
    const int32_t spin = g.e.spin;
    if (g.i == 0) {
        for (int32_t t = 6; t <= 13; ++t) g.e.aimWords[t] = st05gunOutward(g, t);
    }
    if (g.i % st05gunPick(g.level, 4, 2, 1, 1) == 0) {
        for (int32_t pass = 0; pass < (g.level == 3 ? 3 : 2); ++pass) {
            for (int32_t t = 6; t <= 13; ++t) {
                const int32_t turn = g.level == 3 ? spin - 20 + randRange(40) : spin;
                st05gunShot(g, t, 4, turn + g.e.aimWords[t], 120);
                st05gunSound(19);
            }
        }
    }
    if (g.i >= 100) {
        if (g.i % st05gunPick(g.level, 5, 3, 2, 1) == 0) {
            st05gunFan(g, 1, 141, spin + 768, 80, 3, 35);
            st05gunSound(18);
        }
        if (g.i % st05gunPick(g.level, 3, 2, 1, 1) == 0) {
            st05gunShot(g, 2, 45, spin + 40 - 32 + randRange(64), 140);
            st05gunSound(18);
        }
    }
    if (g.i >= 200) {
        const ObjPoint at = bossTurret(g.gun.work, 3);
        for (float side : {-4.0f, 4.0f}) enemyShot(158, (spin + 384) & 1023, 160.0f, g.gun.owner, at.x + side, at.y);
        st05gunSound(18);
        if (g.i % st05gunPick(g.level, 5, 4, 3, 1) == 0) {
            for (int32_t t : {4, 5}) {
                const ObjPoint from = bossTurret(g.gun.work, t);
                enemyShotFanOfLines(132, (spin + 640 - 32 + randRange(64)) & 1023, 110.0f, 1, 0, 3, 10.0f,
                                    g.gun.owner, from.x, from.y);
            }
            st05gunSound(18);
        }
    }
    if (g.i >= 300 && g.i % st05gunPick(g.level, 30, 25, 20, 15) == 0) {
        st05gunSplitters(g, spin + 512, 160, st05gunPick(g.level, 0, 0, 2, 3), g.level == 3 ? 25 : 30);
    }
}

}  // namespace

void TSKst05bossTurret(ObjTask* task, ObjWork* work) {
    bossRefreshTurrets(work, kSt05gunLocators);
    St05Gun g{bossGun(task, work), enemy(work), enemy(work).shotIndex, std::clamp(enemyRankLevel(), 0, 3)};
    switch (g.e.attackPattern) {
    case 1:
        st05gunPatternOne(g);
        break;
    case 2:
        st05gunPatternTwo(g);
        break;
    case 3:
        st05gunPatternThree(g);
        break;
    case 4:
        st05gunPatternFour(g);
        break;
    case 8:
        st05gunPatternEight(g);
        break;
    case 9:
        st05gunPatternNine(g);
        break;
    case 11:
        st05gunPatternEleven(g, task);
        break;
    case 12:
        st05gunPatternTwelve(g, task);
        break;
    case 15:
        st05gunPatternFifteen(g);
        break;
    default:
        break;  // patterns 5-7, 10, 13 and 14 fire nothing
    }
}
