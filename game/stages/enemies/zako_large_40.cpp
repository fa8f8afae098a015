// Kinds 40 and 41: the large aircraft with a nose pair and a wing pair of
// guns (kind 40) and the one whose rear fans sweep inward (kind 41).
#include "game/core/obj_task.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_large_parts.h"

namespace {

// Nose guns A and B: aimed, held for the volley, faster each call.
void zako40Nose(ObjWork* work, const ZakoLargeFire& fire, int32_t g) {
    const int32_t k = fire.call;
    const int32_t aim = zakoLargeAim(work, fire, g, g, k == 0);
    switch (fire.level) {
    case 0:
        zakoLargeShot(fire, g, 20, aim, float(120 + 5 * k));
        break;
    case 1:
        zakoLargeShot(fire, g, 20, aim, float(150 + 10 * k));
        break;
    case 2:
        zakoLargeShot(fire, g, 20, aim, float(200 + 20 * k));
        break;
    default:
        zakoLargeFan(fire, g, 20, aim, float(200 + 20 * k), 5, 32);
        break;
    }
}

// Wing guns C and D: straight down, more often by level.
void zako40Wing(const ZakoLargeFire& fire, int32_t g) {
    const int32_t k = fire.call;
    switch (fire.level) {
    case 0:
        if (k % 4 == 0) zakoLargeShot(fire, g, 158, 512, 150.0f);
        break;
    case 1:
        if (k % 2 == 0) zakoLargeShot(fire, g, 158, 512, 170.0f);
        break;
    case 2:
        zakoLargeShot(fire, g, 158, 512, 220.0f);
        break;
    default:
        zakoLargeFan(fire, g, 158, 512, 220.0f, 1, 6);
        break;
    }
}

// Kind 41's rear fans by level: shots, speed, spread (none at level 0).
struct Zako41Rear {
    int32_t shots, speed, spread;
};
constexpr Zako41Rear kZako41Rear[4] = {{0, 0, 0}, {2, 140, 40}, {3, 170, 60}, {4, 170, 60}};
constexpr int32_t kZako41FrontShots[4] = {1, 2, 3, 3};

}  // namespace

void TSKzako40Act(ObjTask* task) { zakoLargeAct(task, 40, TSKzako40Draw, TSKzako40Attack); }
void TSKzako40Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 40);
}

void TSKzako40Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 40);
    if (fire.call <= 3) {
        zako40Nose(work, fire, 0);
        zako40Nose(work, fire, 1);
    }
    zako40Wing(fire, 2);
    zako40Wing(fire, 3);
}

void TSKzako41Act(ObjTask* task) { zakoLargeAct(task, 41, TSKzako41Draw, TSKzako41Attack); }
void TSKzako41Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 41);
}

void TSKzako41Attack(ObjTask* task, ObjWork* work) {
    (void)work;
    const ZakoLargeFire fire = zakoLargeFire(task, 41);
    for (int32_t g = 0; g < 2; ++g) {
        zakoLargeFan(fire, g, 5, 512, 170.0f, kZako41FrontShots[fire.level], 60);
        if (fire.level == 3) zakoLargeFan(fire, g, 5, 512, 150.0f, 2, 180);
    }
    const Zako41Rear& rear = kZako41Rear[fire.level];
    const int32_t k = fire.call;
    zakoLargeFan(fire, 2, 43, 728 - 40 * k, float(rear.speed), rear.shots, rear.spread);
    zakoLargeFan(fire, 3, 43, 296 + 40 * k, float(rear.speed), rear.shots, rear.spread);
}
