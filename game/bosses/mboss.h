#pragma once
// What the motion-built mid-bosses of one form (kinds 80, 83, 84) share:
// one init, one update and one turret callback, each run from the kind's
// row. A row gives the init values, the hit boxes, the phase machine (made
// by `mbossSteps` from the kind's resting motion state), the three attacks,
// the turret count and the three firing modes; a kind's own functions are
// thin calls with its row.
//
// Threads: main thread only.

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/bosses/boss_shape.h"

struct HitBox;

inline constexpr int32_t kMbossSteps = 14;
inline constexpr int32_t kMbossAttacks = 3;

// One firing mode: call index i, rank level 0..3.
using MbossMode = void (*)(const BossGun& gun, int32_t i, int32_t level);

struct MbossKind {
    BossInitRow init;
    const HitBox* boxes;
    int32_t boxCount;
    std::array<BossStepRow, kMbossSteps> steps;
    BossAttack attacks[kMbossAttacks];  // A, B, C: modes 1, 3, 6
    int32_t turrets;
    MbossMode modes[kMbossAttacks];  // what modes 1, 3 and 6 fire
};

// The phase machine of entry, then attacks A, B, C in turn: the resting
// state `rest`, attack A's three states rest + 1 to rest + 3, B's rest + 4
// to rest + 6, C's rest + 7 to rest + 9.
constexpr std::array<BossStepRow, kMbossSteps> mbossSteps(int16_t rest) {
    std::array<BossStepRow, kMbossSteps> rows{};
    rows[0] = {0, 0, kBossOnScreen, -1, -1, nullptr, 1, 0, 6, true};
    rows[1] = {0, 6, kBossReady, rest, -1, nullptr, 10, 1, 0, false};
    for (int8_t a = 0; a < 3; ++a) {
        const int8_t phase = int8_t(a + 1);
        const int16_t first = int16_t(rest + 1 + 3 * a);
        const size_t at = size_t(2 + 4 * a);
        rows[at] = {phase, 0, kBossCounter, first, -1, nullptr, 1, phase, 1, true};
        rows[at + 1] = {phase, 1, kBossReady, int16_t(first + 1), a, nullptr, 1, phase, 2, true};
        rows[at + 2] = {phase, 2, kBossReady, int16_t(first + 2), -1, nullptr, 1, phase, 6, true};
        rows[at + 3] = {phase, 6, kBossReady, rest, -1, nullptr, 0, int8_t(a == 2 ? 1 : phase + 1), 0, false};
    }
    return rows;
}

// bossInit with the kind's row; the play records' "mid-boss reached".
void mbossInit(ObjTask* task, const MbossKind& kind);
// The enemy step, tint, dying halt, hit boxes and phase machine.
void mbossUpdate(ObjTask* task, const MbossKind& kind);
// The turret refresh, then the mode of the attack under way.
void mbossTurret(ObjTask* task, ObjWork* work, const MbossKind& kind);

// The aim from turret n, written to its aim word at call 0.
int32_t mbossAim(ObjWork* work, int32_t turret, int32_t i);
// enemyShotFanOfLines, enemyShotFanOfFanLines and enemyShotFanOfFans from
// turret n's position.
void mbossFanOfLines(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                     int32_t step, int32_t lineCount, float speedStep);
void mbossFanOfFanLines(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                        int32_t step, int32_t innerCount, int32_t innerStep, int32_t lineCount, float speedStep);
void mbossFanOfFans(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                    int32_t step, int32_t innerCount, int32_t innerStep);
