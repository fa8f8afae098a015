// Kinds 43 and 45: the gunship whose last call throws rings from its nose
// (kind 43) and the one that fires fans of fans every 40 frames (kind 45).
#include "game/core/obj_task.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_large_parts.h"

namespace {

constexpr int32_t kZako43SideShots[4] = {1, 1, 2, 3};
// The rings by level: shots a ring and the slowest ring's speed.
struct Zako43Ring {
    int32_t shots, speed;
};
constexpr Zako43Ring kZako43Rings[4] = {{8, 130}, {8, 200}, {16, 200}, {20, 200}};

void zako43Rings(ObjWork* work, const ZakoLargeFire& fire) {
    const int32_t aim = zakoLargeAim(work, fire, 0, 0, true);
    const Zako43Ring& ring = kZako43Rings[fire.level];
    const int32_t spread = 1024 / ring.shots;
    zakoLargeFan(fire, 0, 23, aim, float(ring.speed + 40), ring.shots, spread);
    zakoLargeFan(fire, 0, 12, aim, float(ring.speed + 20), ring.shots, spread);
    zakoLargeFan(fire, 0, 1, aim, float(ring.speed), ring.shots, spread);
    if (fire.level != 3) return;
    zakoLargeFan(fire, 0, 143, aim, 190.0f, 15, spread);
    zakoLargeFan(fire, 0, 141, aim, 170.0f, 15, spread);
    zakoLargeFan(fire, 0, 139, aim, 150.0f, 15, spread);
}

// Kind 45's fans of fans: the spread between the two fans per j and the
// shots of each fan, by level.
constexpr int32_t kZako45FanStep[4] = {24, 12, 8, 8};
constexpr int32_t kZako45FanShots[4] = {1, 1, 1, 3};
constexpr int32_t kZako45SideShots[4] = {0, 3, 5, 5};

int32_t zako45Type(int32_t level, int32_t j) {
    if (level == 0 && j >= 1) return 158;
    if (level == 1 && j == 2) return 158;
    return 21;
}

}  // namespace

void TSKzako43Act(ObjTask* task) { zakoLargeAct(task, 43, TSKzako43Draw, TSKzako43Attack); }
void TSKzako43Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 43);
}

void TSKzako43Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 43);
    if (fire.call <= 2) {
        zakoLargeFan(fire, 1, 159, 216, 200.0f, kZako43SideShots[fire.level], 80);
        zakoLargeFan(fire, 2, 159, 808, 200.0f, kZako43SideShots[fire.level], 80);
    }
    if (fire.call == 3) zako43Rings(work, fire);
}

void TSKzako45Act(ObjTask* task) { zakoLargeAct(task, 45, TSKzako45Draw, TSKzako45Attack); }
void TSKzako45Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 45);
}

void TSKzako45Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 45);
    const int32_t h = enemyAngleToPlayer(work->x, work->y);
    for (int32_t g = 2; g <= 3; ++g) {
        for (int32_t j = 0; j < 3; ++j) {
            enemyShotFanOfFans(zako45Type(fire.level, j), h, float(190 - 10 * j), 2, kZako45FanStep[fire.level] * j,
                               kZako45FanShots[fire.level], 100, fire.owner, fire.guns[g].x, fire.guns[g].y);
        }
    }
    if (fire.call % (fire.level == 1 ? 3 : 2) != 0) return;
    zakoLargeFan(fire, 0, 158, 512, 200.0f, kZako45SideShots[fire.level], 50);
    zakoLargeFan(fire, 1, 158, 512, 200.0f, kZako45SideShots[fire.level], 50);
}
