// Kind 62's attack patterns 1, 3, 6 (first form) and 8, 11, 13 (second),
// by call index i, volley b and rank level L. Every shot leaves a turret's
// muzzle (or a side muzzle 5 px off it) as the turrets stood when the call
// began. Burst scratch: the kept headings of turrets 0..3 and 8..11 in
// their own words, the swing angles of turrets 16 and 17 in theirs,
// pattern 13's countdown and side in words 18 and 19, pattern 8's turn in
// word 15.
#include <algorithm>

#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_sprite.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/zako_62.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kZako62BeamL = 17, kZako62BeamM = 18, kZako62BeamS = 19;
constexpr int32_t kZako62SwingWord = 16;     // + 0 turret 16, + 1 turret 17
constexpr int32_t kZako62TurnWord = 15;      // pattern 8: the side turrets' turns
constexpr int32_t kZako62CountdownWord = 18;  // pattern 13
constexpr int32_t kZako62SideWord = 19;       // pattern 13: 0 left next, 1 right
constexpr float kZako62LowFighter = 70.0f;

struct Zako62Call {
    BossGun gun;
    ObjPoint muzzle[kZako62Turrets];
    int32_t i, b, level;
};

EnemyFields& zako62Fields(const Zako62Call& c) { return enemy(c.gun.work); }
int32_t zako62Heading(const Zako62Call& c, int32_t k) { return zako62Fields(c).aimSlots[k].heading; }
bool zako62LastCall(const Zako62Call& c) { return zako62Fields(c).shotsLeft == 0; }
void zako62Sound(int32_t id) { SDL2_wheel_SoundPlaySE(id, false); }

void zako62Fan(const Zako62Call& c, ObjPoint at, int32_t type, int32_t angle, float speed, int32_t count,
               int32_t step) {
    enemyShotFan(type, angle, speed, count, step, c.gun.owner, at.x, at.y);
}

void zako62Freeze(const Zako62Call& c, int32_t k) {
    bossFreezeSlot(c.gun.work, k);
    zako62Fields(c).aimWords[k] = zako62Heading(c, k);
}

// Pattern 1: the hull's rows join volley by volley.
void zako62PatternOne(const Zako62Call& c) {
    constexpr int32_t kQ[4] = {4, 6, 8, 12};
    if (c.b <= 2 && c.i > kQ[c.level]) return;
    struct Row {
        int32_t type;
        float speed;
        int32_t count, step;
    };
    constexpr Row kFront[4] = {{158, 220, 1, 0}, {133, 240, 1, 0}, {133, 320, 1, 0}, {133, 320, 5, 40}};
    constexpr Row kMiddle[4] = {{133, 180, 1, 0}, {133, 210, 1, 0}, {133, 250, 3, 40}, {133, 250, 3, 40}};
    for (int32_t k = 4; k <= 7; ++k) {
        const Row& r = kFront[c.level];
        zako62Fan(c, c.muzzle[k], r.type, zako62Heading(c, k), r.speed, r.count, r.step);
    }
    zako62Sound(kZako62BeamS);
    if (c.b >= 1) {
        for (int32_t k = 8; k <= 11; ++k) {
            const Row& r = kMiddle[c.level];
            zako62Fan(c, c.muzzle[k], r.type, zako62Heading(c, k), r.speed, r.count, r.step);
            if (c.level == 3) zako62Fan(c, c.muzzle[k], 46, zako62Heading(c, k), 220, 2, 120);
        }
        zako62Sound(kZako62BeamS);
    }
    if (c.b < 2 || c.level == 0) return;
    for (int32_t k = 12; k <= 13; ++k) {
        zako62Fan(c, c.muzzle[k], 158, zako62Heading(c, k), 210, 1, 0);
        if (c.level == 3) zako62Fan(c, c.muzzle[k], 45, zako62Heading(c, k), 160, 2, 120);
    }
    if (c.level == 3) zako62Sound(kZako62BeamS);
}

// Pattern 3: the heavy bow turrets' spread pairs, then lines from the hull.
void zako62PatternThree(const Zako62Call& c) {
    struct Pair {
        float speed;
        int32_t count, step, d;
    };
    constexpr Pair kPairs[4] = {{170, 2, 12, 63}, {200, 3, 8, 40}, {200, 3, 12, 20}, {200, 4, 12, 40}};
    if (c.i % 12 < 5) {
        const Pair& p = kPairs[c.level];
        for (int32_t k = 14; k <= 15; ++k) {
            const int32_t h = zako62Heading(c, k);
            zako62Fan(c, zako62SideMuzzle(c.muzzle[k], h, 1), 139, h + p.d, p.speed, p.count, p.step);
            zako62Fan(c, zako62SideMuzzle(c.muzzle[k], h, -1), 139, h - p.d, p.speed, p.count, p.step);
        }
        zako62Sound(kZako62BeamL);
    }
    if (c.i < 24 || c.i % 8 != 0) return;
    const bool late = c.i >= 50;
    for (int32_t k = 4; k <= 11; ++k) {
        const int32_t h = zako62Heading(c, k);
        const ObjPoint at = c.muzzle[k];
        auto lines = [&](int32_t count, int32_t step, int32_t shots, float speedStep) {
            enemyShotFanOfLines(133, h, 220, count, step, shots, speedStep, c.gun.owner, at.x, at.y);
        };
        if (c.level == 0) lines(1, 0, 3, 10.0f);
        if (c.level == 1) late ? lines(3, 90, 3, 10.0f) : lines(1, 0, 3, 10.0f);
        if (c.level == 2) late ? lines(3, 40, 3, 20.0f) : lines(1, 0, 3, 20.0f);
        if (c.level == 3) {
            lines(3, 15, 5, 20.0f);
            if (late) lines(2, 130, 5, 20.0f);
        }
    }
    zako62Sound(kZako62BeamS);
}

// Pattern 6: scattered fans, the middle turrets' held bursts, the stern
// pair's loose shots.
void zako62PatternSix(const Zako62Call& c) {
    struct Fans {
        float speed;
        int32_t fans, inner;
    };
    constexpr Fans kFans[4] = {{100, 2, 1}, {160, 3, 1}, {160, 5, 1}, {160, 5, 3}};
    if (c.i % (c.level == 0 ? 10 : 8) == 0) {
        const Fans& f = kFans[c.level];
        for (int32_t k = 4; k <= 7; ++k) {
            const ObjPoint at = c.muzzle[k];
            const int32_t angle = zako62Heading(c, k) + bossRand(100) - 50;
            enemyShotFanOfFans(1, angle, f.speed, f.fans, 8, f.inner, 160, c.gun.owner, at.x, at.y);
        }
        zako62Sound(kZako62BeamS);
    }
    constexpr int32_t kM[4] = {2, 5, 7, 9};
    const int32_t s = c.i % 12, m = kM[c.level];
    if (c.i >= 12 && s <= m) {
        const float speed = c.level == 0 ? 160.0f : c.level == 1 ? 180.0f : 200.0f;
        for (int32_t k = 8; k <= 11; ++k) {
            if (s == 0) zako62Freeze(c, k);
            const int32_t kept = zako62Fields(c).aimWords[k];
            zako62Fan(c, c.muzzle[k], 139, kept, speed, 1, 0);
            if (c.level == 3) zako62Fan(c, c.muzzle[k], 139, kept, speed, 2, 12 * s + 10);
            if (s == m) bossArmSlot(c.gun.work, k);
        }
        zako62Sound(kZako62BeamS);
    }
    constexpr int32_t kN[4] = {3, 5, 3, 1};
    if (c.i < 36 || c.level == 0 || c.i % kN[c.level] != 0) return;
    for (int32_t k = 12; k <= 13; ++k) {
        const int32_t angle = zako62Heading(c, k) + bossRand(60) - 30;
        zako62Fan(c, c.muzzle[k], 158, angle, c.level == 1 ? 120 : 220, 1, 0);
    }
    zako62Sound(kZako62BeamS);
}

// Pattern 8: the bow pair's turning rosettes, the stern pair's pairs.
void zako62PatternEight(const Zako62Call& c) {
    EnemyFields& e = zako62Fields(c);
    const int32_t n = c.level == 0 ? 7 : c.level == 1 ? 5 : c.level == 2 ? (c.i <= 50 ? 4 : 3) : 3;
    if (c.i % n == 0) {
        const float speed = c.level == 0 ? 70.0f : 80.0f;
        const int32_t fans = c.level == 3 ? 4 : 3, apart = c.level == 0 ? 20 : 60;
        for (int32_t k = 0; k <= 1; ++k) {
            const int32_t angle = (k == 0 ? 31 * c.i : -31 * c.i) & 1023;
            const ObjPoint at = c.muzzle[k];
            enemyShotFanOfFans(33, angle, speed, fans, apart, 3, 341, c.gun.owner, at.x, at.y);
            e.aimSlots[k].heading = angle;
            zako62Sound(kZako62BeamS);
        }
    }
    if (c.i == 0) {
        bossFreezeSlot(c.gun.work, 0);
        bossFreezeSlot(c.gun.work, 1);
    }
    if (zako62LastCall(c)) {
        bossArmSlot(c.gun.work, 0);
        bossArmSlot(c.gun.work, 1);
    }
    constexpr int32_t kEarly[4] = {5, 4, 3, 3}, kLate[4] = {4, 2, 1, 1};
    const int32_t every = c.i >= 50 ? kLate[c.level] : kEarly[c.level];
    if (c.i < 16 || c.i % every != 0) return;
    const int32_t k = e.aimWords[kZako62TurnWord]++ % 2 == 0 ? 17 : 16;
    const int32_t h = zako62Heading(c, k);
    zako62Fan(c, zako62SideMuzzle(c.muzzle[k], h, 1), 168, h + 16, 240, 1, 0);
    zako62Fan(c, zako62SideMuzzle(c.muzzle[k], h, -1), 168, h - 16, 240, 1, 0);
    zako62Sound(kZako62BeamL);
}

// One stern turret's swing: frozen at call 0 at h ± 320, 30 a call back
// across the fighter, firing a pair from its side muzzles.
void zako62Swing(const Zako62Call& c, int32_t k, int32_t start, int32_t turn) {
    EnemyFields& e = zako62Fields(c);
    int32_t& a = e.aimWords[kZako62SwingWord + (k - 16)];
    if (c.i == 0) {
        bossFreezeSlot(c.gun.work, k);
        a = zako62Heading(c, k) + start;
    }
    a += turn;
    e.aimSlots[k].heading = a & 1023;
    zako62Fan(c, zako62SideMuzzle(c.muzzle[k], a, 1), 170, a + 16, 240, 1, 0);
    zako62Fan(c, zako62SideMuzzle(c.muzzle[k], a, -1), 170, a - 16, 240, 1, 0);
    if (zako62LastCall(c)) bossArmSlot(c.gun.work, k);
    zako62Sound(kZako62BeamL);
}

// Pattern 11, the same at every level.
void zako62PatternEleven(const Zako62Call& c) {
    if (c.b == 0 || c.b == 2) zako62Swing(c, 16, 320, -30);
    if (c.b == 1 || c.b == 2) zako62Swing(c, 17, -320, 30);
}

void zako62ThirteenStern(const Zako62Call& c) {
    constexpr int32_t kEvery[4] = {4, 2, 1, 1};
    if (c.i >= 120 && c.i % kEvery[c.level] == 0) {
        const int32_t a = zako62Heading(c, 16) + bossRand(160) - 80;
        const float speed = float((16 + bossRand(15)) * 5);
        zako62Fan(c, zako62SideMuzzle(c.muzzle[16], a, 1), 133, a, speed, 1, 0);
        zako62Fan(c, zako62SideMuzzle(c.muzzle[16], a, -1), 133, a, speed, 1, 0);
        zako62Sound(kZako62BeamM);
    }
    EnemyFields& e = zako62Fields(c);
    int32_t& countdown = e.aimWords[kZako62CountdownWord];
    if (countdown > 0) --countdown;
    if (countdown != 0 || c.i < 30 || c.i > 119) return;
    constexpr int32_t kReload[4] = {20, 17, 15, 13};
    countdown = kReload[c.level] - (c.i >= 60 ? 5 : 0);
    int32_t& side = e.aimWords[kZako62SideWord];
    const int32_t h = zako62Heading(c, 17);
    const int32_t sign = side == 0 ? -1 : 1;
    zako62Fan(c, zako62SideMuzzle(c.muzzle[17], h, sign), 135, h + 30 * sign, 200, 7, 12);
    side ^= 1;
    zako62Sound(kZako62BeamM);
}

// Pattern 13: the stern's loose pairs and volleys, the bow's closing pairs
// and, while the fighter stays high, their rising lines.
void zako62PatternThirteen(const Zako62Call& c) {
    zako62ThirteenStern(c);
    EnemyFields& e = zako62Fields(c);
    constexpr int32_t kBase[4] = {300, 220, 160, 140};
    const int32_t step = kBase[c.level] + (c.i <= 30 ? 30 * (30 - c.i) : 0);
    const ObjWork* fighter = fighterGetWork();
    const bool high = fighter == nullptr || fighter->y < kZako62LowFighter;
    const int32_t s = c.i % 20;
    for (int32_t k = 0; k <= 3; ++k) {
        zako62Fan(c, c.muzzle[k], 0, zako62Heading(c, k), 400, 2, step);
        zako62Sound(kZako62BeamS);
        if (s >= 10) continue;
        if (s == 0) e.aimWords[k] = zako62Heading(c, k);
        if (!high) {
            e.aimWords[k] = zako62Heading(c, k);
        } else if (c.level >= 2) {
            enemyShot(42, e.aimWords[k], float(150 + 20 * s), c.gun.owner, c.muzzle[k].x, c.muzzle[k].y);
        }
    }
}

}  // namespace

void TSKzako62Attack(ObjTask* task, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    Zako62Call c{bossGun(task, work), {}, e.shotIndex, e.volleyIndex, std::clamp(enemyRankLevel(), 0, 3)};
    for (int32_t k = 0; k < kZako62Turrets; ++k) c.muzzle[k] = bossSlotMuzzle(work, k);
    switch (e.attackPattern) {
    case 1:
        zako62PatternOne(c);
        break;
    case 3:
        zako62PatternThree(c);
        break;
    case 6:
        zako62PatternSix(c);
        break;
    case 8:
        zako62PatternEight(c);
        break;
    case 11:
        zako62PatternEleven(c);
        break;
    case 13:
        zako62PatternThirteen(c);
        break;
    default:
        break;
    }
}
