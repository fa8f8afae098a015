// Kind 42: random streams from the front pair once a volley, lines that open
// from the centre gun every call, and fans at a powered-up fighter. Its
// random numbers are drawn in one fixed order, even where nothing fires.
#include <utility>

#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_large_parts.h"

namespace {

// A stream's headings: the first draw, then by level the second draw's base
// and range (level 2 keeps the first).
struct Zako42Stream {
    int32_t first;
    int32_t bases[4];
    int32_t ranges[4];
};
constexpr Zako42Stream kZako42Streams[2] = {{516, {528, 524, 0, 510}, {8, 16, 0, 64}},
                                            {476, {488, 484, 0, 450}, {8, 16, 0, 64}}};

void zako42Stream(const ZakoLargeFire& fire, int32_t g, const Zako42Stream& stream) {
    const int32_t shots = 6 + 2 * fire.level;
    for (int32_t i = 0; i < shots; ++i) {
        int32_t heading = stream.first + randRange(32);
        if (fire.level != 2) heading = stream.bases[fire.level] + randRange(stream.ranges[fire.level]);
        const int32_t speed = fire.level == 0 ? 120 + 5 * i : (fire.level == 1 ? 120 + 10 * i : 170 + 10 * i);
        zakoLargeShot(fire, g, 51, heading, float(speed));
    }
}

void zako42Lines(const ZakoLargeFire& fire) {
    const int32_t k = fire.call;
    const int32_t d = fire.level <= 1 ? 40 * k : 20 * k;
    if (fire.level == 0 && k % 2 != 0) return;
    for (const int32_t heading : {512 - d, 512 + d}) {
        if (fire.level <= 1) {
            zakoLargeShot(fire, 2, 133, heading, 90.0f);
        } else {
            enemyShotLine(133, heading, 150.0f, fire.level == 2 ? 3 : 5, 20.0f, fire.owner, fire.guns[2].x,
                          fire.guns[2].y);
        }
    }
}

void zako42Powered(const ZakoLargeFire& fire) {
    for (const auto& [g, base] : {std::pair{3, 640}, std::pair{4, 128}}) {
        const int32_t q = randRange(256);
        if (fire.level == 2) zakoLargeFan(fire, g, 144, base + q, 300.0f, 3, 55);
        if (fire.level == 3) zakoLargeFan(fire, g, 144, base + q, 300.0f, 5, 35);
    }
}

}  // namespace

void TSKzako42Act(ObjTask* task) { zakoLargeAct(task, 42, TSKzako42Draw, TSKzako42Attack); }
void TSKzako42Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 42);
}

void TSKzako42Attack(ObjTask* task, ObjWork* work) {
    (void)work;
    const ZakoLargeFire fire = zakoLargeFire(task, 42);
    if (fire.call == 0) {
        zako42Stream(fire, 0, kZako42Streams[0]);
        zako42Stream(fire, 1, kZako42Streams[1]);
    }
    zako42Lines(fire);
    if (fighterIsPowerUp()) zako42Powered(fire);
}
