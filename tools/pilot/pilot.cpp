// The pilot's choice of a frame: nine ways to go (stay or one of the eight
// directions), each scored by how near the shots and enemy bodies come over
// the next frames if the fighter holds it, plus how far it leaves the fighter
// from where it wants to be (under its target, low on the screen, or on an
// item). The cheapest way wins; ties go to the first in the table.
#include "tools/pilot/pilot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "game/core/collision.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_steps.h"
#include "game/objects/item.h"
#include "game/stages/enemies/enemy_kinds.h"

namespace {

constexpr int kPilotLookahead = 12;
// Added to a danger's reach: the fighter's own box and the play of guessing.
constexpr float kPilotMargin = 5.0f;
constexpr float kPilotMarginGrowth = 0.5f;
// Only what can come this near within the lookahead is weighed.
constexpr float kPilotNear = 110.0f;
// Where the fighter waits when nothing pulls it: low, but with room below.
constexpr float kPilotHomeY = 212.0f;
constexpr float kPilotItemReach = 90.0f;
// Shot mode: button 1 let go one frame in this many, so the hold never
// turns into the slower laser.
constexpr int32_t kPilotFirePeriod = 9;
constexpr int32_t kPilotPowerUpEnergy = 2500;
// Danger in the first frames of the best way that counts as cornered.
constexpr int kPilotCorneredFrames = 3;

struct PilotDanger {
    float x, y, vx, vy, reach;
};

struct PilotWay {
    uint32_t bits;
    float dx, dy;
};

constexpr float kPilotDiagonal = 0.70710678f;
constexpr std::array<PilotWay, 9> kPilotWays = {{
    {0, 0.0f, 0.0f},
    {kPilotUp, 0.0f, -1.0f},
    {kPilotDown, 0.0f, 1.0f},
    {kPilotLeft, -1.0f, 0.0f},
    {kPilotRight, 1.0f, 0.0f},
    {kPilotUp | kPilotLeft, -kPilotDiagonal, -kPilotDiagonal},
    {kPilotUp | kPilotRight, kPilotDiagonal, -kPilotDiagonal},
    {kPilotDown | kPilotLeft, -kPilotDiagonal, kPilotDiagonal},
    {kPilotDown | kPilotRight, kPilotDiagonal, kPilotDiagonal},
}};

// The larger half-size of a record's first box, 0 without boxes.
float pilotBoxReach(const ObjWork* work) {
    if (work->hitBoxes == nullptr || work->hitBoxCount <= 0) return 0.0f;
    return std::max(work->hitBoxes[0].halfWidth, work->hitBoxes[0].halfHeight);
}

bool pilotLive(const ObjTask* task) { return task->state == kObjStateRun && task->work != nullptr; }

void pilotAddShots(int group, float fx, float fy, std::vector<PilotDanger>& out) {
    OBJtaskWalk(group, [&](ObjTask* task) {
        if (!pilotLive(task)) return;
        const ObjWork* work = task->work;
        if (work->hitBoxes == nullptr) return;
        if (std::fabs(work->x - fx) > kPilotNear || std::fabs(work->y - fy) > kPilotNear) return;
        float vx = 0.0f, vy = 0.0f;
        SDL2_wheel_AngleSinCos(work->heading, &vx, &vy, work->speed);
        out.push_back({work->x, work->y, vx, vy, pilotBoxReach(work)});
    });
}

// Enemy bodies the fighter can meet (not those on the ground).
void pilotAddBodies(float fx, float fy, std::vector<PilotDanger>& out) {
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) {
        if (!pilotLive(task)) return;
        const ObjWork* work = task->work;
        if (work->ground != 0 || work->hitBoxes == nullptr) return;
        for (int32_t i = 0; i < work->hitBoxCount; ++i) {
            const HitBox& box = work->hitBoxes[i];
            const float x = work->x + box.x, y = work->y + box.y;
            const float reach = std::max(box.halfWidth, box.halfHeight);
            if (std::fabs(x - fx) > kPilotNear + reach || std::fabs(y - fy) > kPilotNear + reach) continue;
            out.push_back({x, y, work->vx, work->vy, reach});
        }
    });
}

// The enemy to sit under: the one with the most life on screen; none, -1.
float pilotTargetX() {
    float x = -1.0f;
    int32_t most = 0;
    OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) {
        if (!pilotLive(task)) return;
        const ObjWork* work = task->work;
        if (work->hitBoxes == nullptr || work->y < 0.0f || work->y > kFighterMaxY) return;
        if (work->life > most) {
            most = work->life;
            x = work->x;
        }
    });
    return x;
}

// The nearest item within reach, or none.
bool pilotNearestItem(float fx, float fy, float& ix, float& iy) {
    float best = kPilotItemReach;
    bool found = false;
    OBJtaskWalk(kItemGroup, [&](ObjTask* task) {
        if (!pilotLive(task)) return;
        const ObjWork* work = task->work;
        const float d = SDL2_wheel_Distance(fx, fy, work->x, work->y);
        if (d < best) {
            best = d;
            ix = work->x;
            iy = work->y;
            found = true;
        }
    });
    return found;
}

float pilotStep(ObjWork* work) {
    const FighterFields& f = fighter(work);
    const size_t type = size_t(std::clamp(f.type, 0, kFighterTypes - 1));
    const size_t mode = f.weaponMode == 1 ? 1 : 0;
    return float(kFighterTargetSpeed[type][mode]) / 10.0f;
}

// Danger of holding a way: how deep the dangers reach into the fighter's
// path, the early frames weighing most; `early` gets that of the first frames.
float pilotDanger(const std::vector<PilotDanger>& dangers, float fx, float fy, float step, const PilotWay& way,
                  float& early) {
    float total = 0.0f;
    early = 0.0f;
    for (int t = 1; t <= kPilotLookahead; ++t) {
        const float px = std::clamp(fx + way.dx * step * float(t), kFighterMinX, kFighterMaxX);
        const float py = std::clamp(fy + way.dy * step * float(t), kFighterMinY, kFighterMaxY);
        const float margin = kPilotMargin + kPilotMarginGrowth * float(t);
        const float weight = float(kPilotLookahead + 1 - t);
        for (const PilotDanger& d : dangers) {
            const float dx = d.x + d.vx * float(t) - px;
            const float dy = d.y + d.vy * float(t) - py;
            const float reach = d.reach + margin;
            const float dist = std::sqrt(dx * dx + dy * dy);
            if (dist >= reach) continue;
            const float depth = (reach - dist) * weight;
            total += depth;
            if (t <= kPilotCorneredFrames) early += depth;
        }
    }
    return total;
}

// How far a way leaves the fighter from where it wants to be, and from the
// edges, which leave no room to dodge.
float pilotPlaceCost(float fx, float fy, float step, const PilotWay& way, float wantX, float wantY, float pull) {
    const float px = std::clamp(fx + way.dx * step * 4.0f, kFighterMinX, kFighterMaxX);
    const float py = std::clamp(fy + way.dy * step * 4.0f, kFighterMinY, kFighterMaxY);
    float cost = pull * (std::fabs(px - wantX) + std::fabs(py - wantY));
    const float edge = std::min({px - kFighterMinX, kFighterMaxX - px, py - kFighterMinY, kFighterMaxY - py});
    if (edge < 16.0f) cost += (16.0f - edge) * 0.5f;
    return cost;
}

uint32_t pilotButtons(Pilot& pilot, bool cornered) {
    uint32_t buttons = pilot.frames % kPilotFirePeriod == kPilotFirePeriod - 1 ? 0 : kPilotShot;
    if (!cornered) return buttons;
    // A press is a change from the last word: the button must have been up.
    if (fighterIsBlowArmed() && (pilot.lastWord & kPilotBlow) == 0) return buttons | kPilotBlow;
    if (fighterGetEnergy() >= kPilotPowerUpEnergy && !fighterIsPowerUp() && (pilot.lastWord & kPilotPowerUp) == 0) {
        return buttons | kPilotPowerUp;
    }
    return buttons;
}

}  // namespace

uint32_t pilotInputWord(Pilot& pilot) {
    ObjWork* work = fighterGetWork();
    if (work == nullptr) {
        pilot.lastWord = 0;
        return 0;
    }
    const float fx = work->x, fy = work->y;
    std::vector<PilotDanger> dangers;
    pilotAddShots(kEshotGroup, fx, fy, dangers);
    pilotAddShots(kEshotSpecialGroup, fx, fy, dangers);
    pilotAddBodies(fx, fy, dangers);

    float wantX = pilotTargetX();
    float wantY = kPilotHomeY;
    float pull = 0.05f;
    if (wantX < 0.0f) wantX = (kFighterMinX + kFighterMaxX) / 2.0f;
    float itemX = 0.0f, itemY = 0.0f;
    if (pilotNearestItem(fx, fy, itemX, itemY)) {
        wantX = itemX;
        wantY = std::clamp(itemY, kFighterMinY + 40.0f, kFighterMaxY);
        pull = 0.2f;
    }

    const float step = pilotStep(work);
    size_t best = 0;
    float bestCost = 0.0f, bestEarly = 0.0f;
    for (size_t i = 0; i < kPilotWays.size(); ++i) {
        float early = 0.0f;
        const float cost = pilotDanger(dangers, fx, fy, step, kPilotWays[i], early) +
                           pilotPlaceCost(fx, fy, step, kPilotWays[i], wantX, wantY, pull);
        if (i == 0 || cost < bestCost) {
            best = i;
            bestCost = cost;
            bestEarly = early;
        }
    }
    const bool cornered = bestEarly > 0.0f;
    const uint32_t word = kPilotWays[best].bits | pilotButtons(pilot, cornered);
    pilot.lastWord = word;
    ++pilot.frames;
    return word;
}
