// Kinds 47 and 49, the two with a nose gun N and a wing pair L and R: kind
// 47 fires every frame (rings from the wings, then lines opening from the
// nose), kind 49 a random nose stream with aimed wing shots, and its wreck
// stops dead where it was hit.
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_large_parts.h"

namespace {

constexpr int32_t kZakoGunN = 0, kZakoGunL = 1, kZakoGunR = 2;

// Kind 47's wing rings by level: the type-15 fan's shots and speed, then the
// type-4 fan's shots and speed (none at level 0).
struct Zako47Ring {
    int32_t shots, speed, innerShots, innerSpeed;
};
constexpr Zako47Ring kZako47Rings[4] = {{17, 220, 0, 0}, {17, 220, 16, 160}, {17, 300, 16, 280}, {31, 300, 30, 280}};
constexpr int32_t kZako47LineShots[4] = {1, 3, 9, 5};

void zako47Wings(ObjWork* work, const ZakoLargeFire& fire) {
    const int32_t k = fire.call;
    const Zako47Ring& ring = kZako47Rings[fire.level];
    if (k % 32 == 0) {
        const int32_t aim = zakoLargeAim(work, fire, kZakoGunL, kZakoGunL, true);
        const int32_t spread = 1024 / ring.shots;
        zakoLargeFan(fire, kZakoGunL, 15, aim, float(ring.speed), ring.shots, spread);
        zakoLargeFan(fire, kZakoGunL, 4, aim, float(ring.innerSpeed), ring.innerShots, spread);
    }
    if (k % 32 == 16) {
        const int32_t aim = zakoLargeAim(work, fire, kZakoGunR, kZakoGunR, true);
        zakoLargeFan(fire, kZakoGunR, 15, aim, float(ring.speed), 17, 60);
        zakoLargeFan(fire, kZakoGunR, 4, aim, float(ring.innerSpeed), ring.innerShots, 60);
    }
}

void zako47Lines(const ZakoLargeFire& fire) {
    const int32_t open = 64 * (fire.call - 180);
    const ObjPoint n = fire.guns[kZakoGunN];
    enemyShotFanOfLines(45, 0, 210.0f, 2, open, kZako47LineShots[fire.level], 35.0f, fire.owner, n.x, n.y);
    if (fire.level == 3 && fire.call - 180 < 16) {
        enemyShotFanOfLines(34, 0, 180.0f, 2, open + 32, 5, 28.0f, fire.owner, n.x, n.y);
    }
}

// Kind 49's wing shot: never at level 0, every fourth call at level 1 (the
// right wing two calls later), every second at levels 2 and 3 (alternating).
bool zako49WingFires(int32_t level, int32_t k, int32_t g) {
    if (level == 0) return false;
    if (level == 1) return k % 4 == (g == kZakoGunL ? 0 : 2);
    return k % 2 == (g == kZakoGunL ? 0 : 1);
}

void zako49Nose(const ZakoLargeFire& fire) {
    const int32_t k = fire.call;
    const int32_t heading = 412 + randRange(200);
    const bool fires = fire.level >= 2 || k % (fire.level == 0 ? 4 : 2) == 0;
    if (fires) zakoLargeShot(fire, kZakoGunN, 164, heading, 200.0f);
    if (fire.level == 3) zakoLargeShot(fire, kZakoGunN, 164, 412 + randRange(200), 200.0f);
}

}  // namespace

void TSKzako47Act(ObjTask* task) { zakoLargeAct(task, 47, TSKzako47Draw, TSKzako47Attack); }
void TSKzako47Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 47);
}

void TSKzako47Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 47);
    const int32_t k = fire.call;
    if (k < 180) zako47Wings(work, fire);
    if (k >= 180 && k <= 196) zako47Lines(fire);
    if (fire.level >= 2 && k % 8 == 0 && fighterIsPowerUp()) {
        zakoLargeFan(fire, kZakoGunL, 144, 2 * k, 380.0f, 8, 128);
        zakoLargeFan(fire, kZakoGunR, 144, -2 * k, 380.0f, 8, 128);
    }
}

void TSKzako49Act(ObjTask* task) { zakoLargeAct(task, 49, TSKzako49Draw, TSKzako49Attack); }
void TSKzako49Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 49);
}
void TSKzako49Free(ObjTask* task) { TSKgameCtrlKill(task); }

void TSKzako49Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 49);
    const int32_t k = fire.call;
    zako49Nose(fire);
    for (const int32_t g : {kZakoGunL, kZakoGunR}) {
        const int32_t aim = zakoLargeAim(work, fire, g, g, k % 10 == 0);
        if (zako49WingFires(fire.level, k, g)) zakoLargeShot(fire, g, 158, aim, 280.0f);
    }
    if (fire.level >= 2 && k % 4 == 0 && fighterIsPowerUp()) {
        zakoLargeFan(fire, kZakoGunL, 66, 768 - 8 * k, 160.0f, 5, 24);
        zakoLargeFan(fire, kZakoGunR, 66, 256 + 8 * k, 160.0f, 5, 24);
    }
}
