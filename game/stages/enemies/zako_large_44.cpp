// Kind 44: the heavy bomber of 150 calls a volley, from two guns: aimed fans
// first, then sweeping side fans and aimed bursts, and at the end two random
// streams that speed up to several pixels a frame.
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_large_parts.h"

namespace {

// Calls 0 to 9: base speed, speed a call, shots, spread.
struct Zako44Open {
    int32_t base, rise, shots, spread;
};
constexpr Zako44Open kZako44Open[4] = {{130, 10, 3, 60}, {200, 20, 3, 60}, {200, 20, 5, 44}, {200, 20, 7, 32}};
// Calls 20 to 149: every d calls, fans o off straight down of n shots.
struct Zako44Side {
    int32_t every, offset, shots;
};
constexpr Zako44Side kZako44Side[4] = {{12, 86, 4}, {10, 92, 6}, {8, 86, 6}, {8, 70, 8}};
// Calls 20 to 100, every 8: the aimed fan's speed, shots, spread.
struct Zako44Burst {
    int32_t speed, shots, spread;
};
constexpr Zako44Burst kZako44Burst[4] = {{130, 5, 45}, {180, 5, 31}, {180, 6, 32}, {180, 6, 32}};
// Calls 100 to 149: the stream's random range and shots.
struct Zako44Stream {
    int32_t range, shots;
};
constexpr Zako44Stream kZako44Stream[4] = {{4, 1}, {16, 1}, {32, 1}, {40, 3}};

int32_t zako44StreamSpeed(int32_t level, int32_t k) {
    if (level == 0) return 8 * k - 740;
    if (level == 1) return 12 * (k - 95);
    return 18 * k - 1730;
}

void zako44Bursts(ObjWork* work, const ZakoLargeFire& fire) {
    const int32_t k = fire.call;
    const bool powered = fire.level >= 2 && k % 12 == 0 && fighterIsPowerUp();
    if (k % 8 != 0 && !powered) return;
    for (int32_t g = 0; g < 2; ++g) {
        const int32_t aim = zakoLargeAim(work, fire, g, 2 + g, true);
        if (k % 8 == 0) {
            const Zako44Burst& burst = kZako44Burst[fire.level];
            zakoLargeFan(fire, g, 48, aim, float(burst.speed), burst.shots, burst.spread);
            if (fire.level >= 2) zakoLargeFan(fire, g, 37, aim, 150.0f, 5, 51);
        }
    }
    if (!powered) return;
    for (int32_t g = 0; g < 2; ++g) zakoLargeFan(fire, g, 67, zakoLargeAim(work, fire, g, 2 + g, true), 250.0f, 7, 30);
}

void zako44Streams(ObjWork* work, const ZakoLargeFire& fire) {
    const Zako44Stream& stream = kZako44Stream[fire.level];
    const float speed = float(zako44StreamSpeed(fire.level, fire.call));
    for (int32_t g = 0; g < 2; ++g) {
        const int32_t kept = zakoLargeAim(work, fire, g, g, fire.call == 100);
        const int32_t heading = kept + randRange(stream.range) - stream.range / 2;
        zakoLargeFan(fire, g, 38, heading, speed, stream.shots, 100);
    }
}

}  // namespace

void TSKzako44Act(ObjTask* task) { zakoLargeAct(task, 44, TSKzako44Draw, TSKzako44Attack); }
void TSKzako44Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 44);
}

void TSKzako44Attack(ObjTask* task, ObjWork* work) {
    const ZakoLargeFire fire = zakoLargeFire(task, 44);
    const int32_t k = fire.call;
    if (k <= 9) {
        const Zako44Open& open = kZako44Open[fire.level];
        for (int32_t g = 0; g < 2; ++g) {
            const int32_t aim = zakoLargeAim(work, fire, g, g, k == 0);
            zakoLargeFan(fire, g, 133, aim, float(open.base + open.rise * k), open.shots, open.spread);
        }
    }
    const Zako44Side& side = kZako44Side[fire.level];
    if (k >= 20 && k <= 149 && k % side.every == 0) {
        zakoLargeFan(fire, 0, 135, 512 + side.offset, 160.0f, side.shots, 32);
        zakoLargeFan(fire, 1, 135, 512 - side.offset, 160.0f, side.shots, 32);
    }
    if (k >= 20 && k <= 100) zako44Bursts(work, fire);
    if (k >= 100 && k <= 149) zako44Streams(work, fire);
}
