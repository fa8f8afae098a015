// Kinds 48 and 50, the animated ones: kind 48 fires aimed fans from two guns
// and a wide fan from its back on the third call; kind 50 sways aimed lines
// for 80 calls, then fires from its nose without end.
#include <cmath>
#include <numbers>

#include "game/core/obj_task.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_large_parts.h"

namespace {

// Kind 48's side fans by level: shots, speed, speed added a call.
struct Zako48Side {
    int32_t shots, speed, rise;
};
constexpr Zako48Side kZako48Side[4] = {{1, 120, 0}, {3, 120, 0}, {3, 170, 10}, {5, 170, 10}};
struct Zako48Back {
    int32_t shots, speed;
};
constexpr Zako48Back kZako48Back[4] = {{5, 100}, {7, 100}, {7, 170}, {7, 170}};

// Kind 50's first 80 calls by level: the side guns' speed, shots a group and
// groups; the rear guns' period, speed, line shots, lines and spread.
struct Zako50Sway {
    int32_t speed, shots, groups;
    int32_t every, rearSpeed, lineShots, lines, spread;
};
constexpr Zako50Sway kZako50Sway[4] = {{170, 1, 1, 12, 150, 2, 1, 44},
                                       {210, 1, 1, 10, 200, 3, 1, 44},
                                       {210, 3, 1, 8, 180, 5, 1, 44},
                                       {160, 3, 2, 8, 180, 5, 3, 70}};
// From call 80: the nose fan's period, type, speed, shots and spread.
struct Zako50Nose {
    int32_t every, type, speed, shots, spread;
};
constexpr Zako50Nose kZako50Nose[4] = {{2, 62, 220, 5, 80}, {2, 62, 260, 5, 80}, {2, 62, 300, 7, 44}, {1, 62, 300, 7, 44}};
constexpr Zako50Nose kZako50NoseEven = {1, 40, 300, 8, 44};

int32_t zako50Sine(double amplitude, int32_t units) {
    return int32_t(amplitude * std::sin(double(units) * 2.0 * std::numbers::pi / 1024.0));
}

void zako50Sway(ObjWork* work, const ZakoLargeFire& fire) {
    const int32_t k = fire.call;
    const int32_t w = zako50Sine(256.0, 30 * k);
    const Zako50Sway& sway = kZako50Sway[fire.level];
    for (const auto g : {1, 2}) {
        const int32_t aim = zakoLargeAim(work, fire, g, g, true) + (g == 1 ? w : -w);
        enemyShotFanOfFanLines(17, aim, float(sway.speed), sway.groups, 150, sway.shots, 6, 1, 20.0f, fire.owner,
                               fire.guns[g].x, fire.guns[g].y);
    }
    for (const auto g : {3, 4}) {
        if (k % sway.every != (g == 3 ? 0 : sway.every / 2)) continue;
        const int32_t aim = zakoLargeAim(work, fire, g, g, true);
        enemyShotFanOfLines(139, aim, float(sway.rearSpeed), sway.lines, sway.spread, sway.lineShots, 20.0f,
                            fire.owner, fire.guns[g].x, fire.guns[g].y);
    }
}

void zako50Nose(ObjWork* work, const ZakoLargeFire& fire) {
    const int32_t k = fire.call;
    const int32_t h = zakoLargeAim(work, fire, 0, 0, true);
    const Zako50Nose& nose = fire.level == 3 && k % 2 == 0 ? kZako50NoseEven : kZako50Nose[fire.level];
    if (k % nose.every == 0) zakoLargeFan(fire, 0, nose.type, h, float(nose.speed), nose.shots, nose.spread);
    if (k % 15 == 0) zakoLargeFan(fire, 0, 158, h, 160.0f, 5, 44);
    if (fire.level < 2 || !fighterIsPowerUp()) return;
    const int32_t u = 160 - zako50Sine(-80.0, 50 * k);
    enemyShotFanOfLines(68, 482, 400.0f, 4, u, 1, 0.0f, fire.owner, fire.guns[1].x, fire.guns[1].y);
    enemyShotFanOfLines(68, 542, 400.0f, 4, u, 1, 0.0f, fire.owner, fire.guns[2].x, fire.guns[2].y);
}

}  // namespace

void TSKzako48Act(ObjTask* task) { zakoLargeAct(task, 48, TSKzako48Draw, TSKzako48Attack); }
void TSKzako48Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 48);
}

void TSKzako48Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 48);
    const int32_t k = fire.call;
    const Zako48Side& side = kZako48Side[fire.level];
    for (const auto g : {0, 1}) {
        const int32_t aim = zakoLargeAim(work, fire, g, g, k == 0);
        zakoLargeFan(fire, g, 133, aim, float(side.speed + side.rise * k), side.shots, 60);
    }
    if (k != 2) return;
    const int32_t aim = zakoLargeAim(work, fire, 2, 2, true);
    const Zako48Back& back = kZako48Back[fire.level];
    zakoLargeFan(fire, 2, 41, aim, float(back.speed), back.shots, 33);
    if (fire.level == 3) zakoLargeFan(fire, 2, 52, aim, 150.0f, 7, 33);
}

void TSKzako50Act(ObjTask* task) { zakoLargeAct(task, 50, TSKzako50Draw, TSKzako50Attack); }
void TSKzako50Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 50);
}

void TSKzako50Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 50);
    if (fire.call < 80) {
        zako50Sway(work, fire);
    } else {
        zako50Nose(work, fire);
    }
}
