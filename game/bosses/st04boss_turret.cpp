// The stage-4 boss's guns: the turret callback over its thirteen
// "turret%02d" locators, one function a pattern. Aimed headings are frozen
// in the aim words at the first shot of a volley or cycle: word n belongs to
// locator n, word 0 also serves a pattern's salvo counter where it aims
// nothing from locator 0.
#include <algorithm>
#include <cmath>

#include "game/bosses/boss_shape.h"
#include "game/bosses/st04boss.h"
#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt04gunLocators = 13;
constexpr int32_t kSt04gunBurstShot = 180;
constexpr int32_t kSt04gunBeamM = 18, kSt04gunBeamS = 19, kSt04gunShot = 17;
constexpr int32_t kSt04gunSalvoWord = 19;

struct St04Gun {
    BossGun gun;
    EnemyFields& e;
    int32_t i, level;
};

void st04gunSound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

// Freezes locator n's heading to the fighter when `now`; the frozen heading.
int32_t st04gunAim(St04Gun& g, int32_t n, bool now) {
    if (now) g.e.aimWords[n] = bossAimFrom(g.gun.work, n);
    return g.e.aimWords[n];
}

void st04gunFan(const St04Gun& g, int32_t n, int32_t type, int32_t angle, int32_t speed, int32_t count,
                int32_t spread) {
    bossFan(g.gun, n, type, angle & 1023, float(speed), count, spread);
}

void st04gunLines(const St04Gun& g, int32_t type, int32_t angle, int32_t speed, int32_t count, int32_t spread,
                  int32_t lines, int32_t step, float x, float y) {
    enemyShotFanOfLines(type, angle & 1023, float(speed), count, spread, lines, float(step), g.gun.owner, x, y);
}

void st04gunLinesFrom(const St04Gun& g, int32_t n, int32_t type, int32_t angle, int32_t speed, int32_t count,
                      int32_t spread, int32_t lines, int32_t step) {
    const ObjPoint at = bossTurret(g.gun.work, n);
    st04gunLines(g, type, angle, speed, count, spread, lines, step, at.x, at.y);
}

// Pattern 1's fans from locator 1 or 2: the extra fans need a later volley
// from locator 2.
void st04gunPatternOneFans(St04Gun& g, int32_t n, int32_t after) {
    const int32_t v = g.e.volleyIndex;
    const int32_t spread = g.level <= 1 ? 80 : g.level == 2 ? 50 : 60;
    const int32_t a = g.level <= 1 ? 160 : 190, b = g.level <= 1 ? 150 : 180;
    const int32_t h = st04gunAim(g, n, g.i == 0);
    const int32_t count = g.i + 1;
    st04gunFan(g, n, 139, h, a, count, spread);
    if (g.level >= 1 && (v > after || g.level == 3)) {
        st04gunFan(g, n, 139, h - 4, b, count, spread);
        st04gunFan(g, n, 139, h + 4, b, count, spread);
    }
    if (g.level == 3 && v > after) {
        st04gunFan(g, n, 139, h - 8, 170, count, spread);
        st04gunFan(g, n, 139, h + 8, 170, count, spread);
    }
}

void st04gunPatternOne(St04Gun& g) {
    const int32_t v = g.e.volleyIndex;
    if (v != 1) st04gunPatternOneFans(g, 1, 0);
    if (v >= 1) st04gunPatternOneFans(g, 2, 1);
    if (v == 3) {
        for (int32_t n : {3, 4}) {
            const int32_t h = bossAimFrom(g.gun.work, n) + randRange(30) - 15;
            st04gunLinesFrom(g, n, 18, h, 100, g.level == 3 ? 3 : 1, 78, g.level == 0 ? 1 : 2,
                             g.level == 1 ? 20 : 40);
        }
        st04gunSound(kSt04gunBeamM);
        st04gunSound(kSt04gunShot);
    }
    st04gunSound(kSt04gunBeamM);
}

// Every k-th shot of pattern 2, a shot out of the side beams, alternately
// right (flying left) and left (flying right).
void st04gunBeamShot(St04Gun& g) {
    ObjWork* boss = g.gun.work;
    int32_t& salvo = g.e.aimWords[kSt04gunSalvoWord];
    const bool right = salvo % 2 == 0;
    float y = boss->y + float(randRange(130));
    const ObjWork* fighter = fighterGetWork();
    if (salvo % 7 == 6 && fighter != nullptr && fighter->y > boss->y) y = fighter->y;
    const float speed = float(5 * (14 + randRange(4)));
    enemyShot(173, right ? 768 : 256, speed, g.gun.owner, boss->x + (right ? 85.0f : -85.0f), y);
    ++salvo;
}

int32_t st04gunBeamPeriod(int32_t level, int32_t i) {
    switch (level) {
    case 0:
        return 6;
    case 1:
        return 5;
    case 2:
        return i > 79 ? 3 : 4;
    default:
        return i > 79 ? 2 : 3;
    }
}

void st04gunPatternTwo(St04Gun& g) {
    if (g.i < 40) return;
    if (g.i % 15 < 5) {
        const int32_t h = st04gunAim(g, 0, g.i % 15 == 0);
        const int32_t k = g.i % 10;
        if (g.level == 1) st04gunFan(g, 0, 141, h, 120 + 6 * k, 3, 70);
        if (g.level == 2) st04gunFan(g, 0, 141, h, 150 + 8 * k, 5, 36);
        if (g.level == 3) {
            for (int32_t side : {-8, 0, 8}) st04gunFan(g, 0, 141, h + side, 170 + 12 * k, 7, 48);
        }
    }
    if (g.i % 10 == 0) {
        for (int32_t n : {11, 12}) st04gunFan(g, n, 158, bossAimFrom(g.gun.work, n), 130, 4, 36);
    }
    if (g.i % st04gunBeamPeriod(g.level, g.i) == 0) st04gunBeamShot(g);
    st04gunSound(kSt04gunBeamM);
}

void st04gunPatternThree(St04Gun& g) {
    if (g.i < 72 || g.i > 179) {
        const int32_t m = g.level + 2;
        if (g.i % m != 0) {
            const int32_t speed = g.level == 0 ? 140 : g.level == 1 ? 170 : 190;
            const int32_t lines = g.level == 3 ? 2 : 1;
            const int32_t turn = 12 * (g.i % 36);
            st04gunLinesFrom(g, 5, 139, 128 + turn, speed, 1, 25, lines, 15);
            st04gunSound(kSt04gunBeamS);
            st04gunLinesFrom(g, 6, 139, 896 - turn, speed, 1, 25, lines, 15);
            st04gunSound(kSt04gunBeamM);
        }
    }
    if (g.i < 70) return;
    const int32_t k = g.i % 10;
    const int32_t limit = g.level == 0 ? 1 : g.level == 1 ? 3 : 7;
    for (int32_t n : {11, 12}) {
        const int32_t h = st04gunAim(g, n, k == 0);
        if (k < limit) st04gunFan(g, n, 30, h, 20 * (k + 9), g.level == 3 ? 3 : 1, 64);
    }
}

void st04gunPatternFour(St04Gun& g) {
    if (g.i == kSt04gunBurstShot) st4BurstSignal = 1;
    static constexpr int32_t kSalvos[] = {6, 8, 10, 15};
    static constexpr int32_t kFirst[] = {60, 50, 40, 30};
    static constexpr int32_t kLater[] = {35, 30, 25, 20};
    int32_t& salvos = g.e.aimWords[kSt04gunSalvoWord];
    if (salvos >= kSalvos[g.level]) return;
    const int32_t m = salvos < 4 ? kFirst[g.level] : kLater[g.level];
    const int32_t r = g.i % m;
    if (r != 0 && r != m / 2) return;
    const int32_t n = r == 0 ? 9 : 10;
    const int32_t heading = (r == 0 ? 256 : 512) + randRange(256);
    const ObjPoint at = bossTurret(g.gun.work, n);
    st04gunLines(g, 172, heading, 110, 1, 25, 1, 15, at.x, at.y + 10.0f);
    ++salvos;
    st04gunSound(kSt04gunBeamS);
}

int32_t st04gunEightPeriod(int32_t level, int32_t i) {
    if (level == 0) return i < 120 ? 30 : 20;
    if (level == 1) return i < 120 ? 24 : 16;
    return i < 120 ? 24 : i < 168 ? 12 : 6;
}

void st04gunPatternEight(St04Gun& g) {
    static constexpr int32_t kSpin[] = {96, 120, 144, 240};
    const int32_t every = g.level == 0 ? 3 : g.level == 1 ? 2 : 1;
    if (g.i < kSpin[g.level] && g.i % every == 0) {
        st04gunLinesFrom(g, 0, 9, 27 * g.i, 190, 2, 512, 1, 15);
        st04gunLinesFrom(g, 0, 9, -27 * g.i, 190, 2, 512, 1, 15);
    }
    if (g.i >= 36) {
        const int32_t j = g.i % st04gunEightPeriod(g.level, g.i);
        if (j < 3) {
            const int32_t speed = g.level == 0 ? 180 : g.level == 1 ? 200 : 240;
            const int32_t count = g.level == 3 ? 5 : 3;
            const int32_t spread = g.level == 0 ? 105 : g.level == 3 ? 50 : 70;
            for (int32_t n = 3; n <= 8; ++n) st04gunAim(g, n, j == 0);
            for (int32_t n : {3 + 2 * j, 4 + 2 * j}) {
                st04gunLinesFrom(g, n, 140, g.e.aimWords[n], speed, count, spread, count, 40);
            }
        }
    }
    st04gunSound(kSt04gunBeamS);
}

void st04gunPatternNine(St04Gun& g) {
    const int32_t burst = g.level <= 1 ? 3 : g.level == 2 ? 6 : 10;
    if (g.i >= 30 && g.i < 150 && g.i % 20 < burst) {
        const int32_t h = st04gunAim(g, 0, g.i % 20 == 0);
        const ObjPoint at = bossTurret(g.gun.work, 0);
        if (g.level >= 1) st04gunLines(g, 30, h, 170, 1, 0, 1, 15, at.x, at.y);
        st04gunLines(g, 158, h, 170, 1, 0, 1, 15, at.x - 15.0f, at.y);
        st04gunLines(g, 158, h, 170, 1, 0, 1, 15, at.x + 15.0f, at.y);
        st04gunSound(kSt04gunBeamM);
    }
    if (g.i < 150) {
        const int32_t speed = g.level == 0 ? 50 : 80;
        const int32_t count = g.level == 0 ? 1 : 1 + g.i / (g.level == 1 ? 60 : 40);
        const int32_t h3 = st04gunAim(g, 3, g.i == 0) + 70 * g.i;
        const int32_t h4 = st04gunAim(g, 4, g.i == 0) - 70 * g.i;
        st04gunLinesFrom(g, 3, 39, h3, speed, count, 12, 1, 15);
        st04gunLinesFrom(g, 4, 39, h4, speed, count, 12, 1, 15);
        if (g.level == 3) {
            st04gunLinesFrom(g, 3, 39, h3, speed - 10, count + 1, 12, 1, 15);
            st04gunLinesFrom(g, 4, 39, h4, speed - 10, count + 1, 12, 1, 15);
        }
        st04gunSound(kSt04gunBeamS);
    }
    if (g.i < 170) return;
    const int32_t k = g.i - 170;
    const int32_t h = st04gunAim(g, 0, k == 0);
    if (g.level == 0 && k % 24 >= 14) return;
    const int32_t speed = g.level == 0 ? 80 + 4 * k : g.level == 1 ? 100 + 6 * k : 120 + 8 * k;
    const ObjPoint at = bossTurret(g.gun.work, 0);
    st04gunLines(g, 11, h + randRange(32) - 16, speed, g.level == 3 ? 5 : 1, 128, 1, 15, at.x, at.y);
    st04gunSound(kSt04gunShot);
}

void st04gunSideways(const St04Gun& g, int32_t n, int32_t base) {
    const int32_t h = base + randRange(64) - 32;
    st04gunLinesFrom(g, n, 174, h, 300, 1, 25, 1, 15);
    if (g.level == 3) st04gunLinesFrom(g, n, 174, h + 512, 300, 1, 25, 1, 15);
}

void st04gunPatternEleven(St04Gun& g) {
    if (g.i <= 5) st04gunSideways(g, g.i + 3, g.i % 2 == 0 ? 256 : 768);
    if (g.i == 6) {
        static constexpr int32_t kFrom[] = {3, 4, 5, 8};
        static constexpr int32_t kBase[] = {256, 768, 256, 768};
        for (int32_t k = 0; k < 4; ++k) st04gunSideways(g, kFrom[k], kBase[k]);
    }
    st04gunSound(kSt04gunShot);
}

void st04gunPatternTwelve(St04Gun& g) {
    const int32_t every = g.level == 0 ? 3 : g.level == 1 ? 2 : 1;
    if (g.i < 40) {
        for (int32_t n : {7, 8}) st04gunAim(g, n, g.i == 0);
        if (g.i % every == 0) {
            for (int32_t n : {7, 8}) {
                const int32_t h = g.e.aimWords[n] + randRange(450) - 225;
                st04gunLinesFrom(g, n, 4, h, 5 * (10 + randRange(5)), 1, 47, 1, 15);
                if (g.level != 3) continue;
                const int32_t h2 = g.e.aimWords[n] + randRange(450) - 225;
                st04gunLinesFrom(g, n, 37, h2, 5 * (10 + randRange(5)), 1, 47, 1, 15);
            }
        }
    }
    int32_t& salvo = g.e.aimWords[kSt04gunSalvoWord];
    const int32_t last = g.level == 0 ? 3 : g.level == 1 ? 4 : 1 << 30;
    if (g.i >= 50 && g.i < 120 && g.i % (g.level == 3 ? 10 : 12) == 0) {
        if (salvo <= last) {
            st04gunLinesFrom(g, 5, 176, 256, 16 * salvo, 1, 47, 1, 15);
            st04gunLinesFrom(g, 6, 176, 768, 16 * salvo, 1, 47, 1, 15);
        }
        ++salvo;
    }
    if (g.i >= 120) {
        const int32_t speed = g.level <= 1 ? 120 : 160;
        const int32_t lines = g.level == 0 ? 2 : g.level == 1 ? 4 : 5;
        const int32_t count = g.level == 3 ? 2 : 1;
        st04gunLinesFrom(g, 3, 133, (24 * g.i - 2824) & 1023, speed, count, 47, lines, 15);
        st04gunLinesFrom(g, 4, 133, (3848 - 24 * g.i) & 1023, speed, count, 47, lines, 15);
    }
    st04gunSound(kSt04gunShot);
}

void st04gunPatternFifteen(St04Gun& g) {
    if (g.i == 0) {
        st04gunLinesFrom(g, 1, 159, bossAimFrom(g.gun.work, 1), 150, 5, 150, 1, 15);
        st04gunLinesFrom(g, 2, 159, bossAimFrom(g.gun.work, 2), 230, 5, 150, 1, 15);
        st04gunSound(kSt04gunShot);
    }
    static constexpr int32_t kPoints[] = {8, 10, 12, 16};
    const int32_t n = kPoints[g.level];
    for (int32_t k = 0; k < n; ++k) {
        const St04bossPoint at = st04bossArcPoint(g.gun.work, 256 + k * 512 / n);
        enemyShotLine(139, 496 + randRange(32), 120.0f, g.level == 3 ? 2 : 1, 8.0f, g.gun.owner, at.x, at.y);
    }
}

}  // namespace

void TSKst04bossTurret(ObjTask* task, ObjWork* work) {
    bossRefreshTurrets(work, kSt04gunLocators);
    St04Gun g{bossGun(task, work), enemy(work), enemy(work).shotIndex, std::clamp(enemyRankLevel(), 0, 3)};
    switch (g.e.attackPattern) {
    case 1:
        st04gunPatternOne(g);
        break;
    case 2:
        st04gunPatternTwo(g);
        break;
    case 3:
        st04gunPatternThree(g);
        break;
    case 4:
        st04gunPatternFour(g);
        break;
    case 8:
        st04gunPatternEight(g);
        break;
    case 9:
        st04gunPatternNine(g);
        break;
    case 11:
        st04gunPatternEleven(g);
        break;
    case 12:
        st04gunPatternTwelve(g);
        break;
    case 15:
        st04gunPatternFifteen(g);
        break;
    default:
        break;
    }
}
