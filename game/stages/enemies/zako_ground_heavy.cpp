// The heavy turret, kind 65: it fires even in boss fights, holds its turret
// still through each burst and fires fans of pairs along the held aim.
#include <cmath>

#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

// By rank level: the shots of a burst that fire, their speed and the
// spreads of their two-bullet fans.
struct ZakoHeavyLevel {
    int32_t shots;
    float speed;
    int32_t spreads[3];
    int32_t spreadCount;
};
constexpr ZakoHeavyLevel kZakoHeavyLevels[4] = {{2, 120.0f, {120, 160, 0}, 2},
                                                {3, 160.0f, {100, 140, 0}, 2},
                                                {4, 200.0f, {70, 120, 0}, 2},
                                                {4, 240.0f, {50, 70, 120}, 3}};

constexpr int32_t kZakoHeavyPairs = 10;

// A powered-up fighter draws ten pairs (type 67 at 160 and 170) leaving
// evenly round the turret, each from the turret's rim along its own heading,
// the first along the held aim.
void zakoHeavyPairs(ObjTask* task, ObjWork* work, int32_t aim) {
    const EnemyAimSlot& slot = enemy(work).aimSlots[0];
    for (int32_t i = 0; i < kZakoHeavyPairs; ++i) {
        const int32_t heading = (aim + i * 1024 / kZakoHeavyPairs) & 1023;
        const float a = zakoGroundMuzzleRadians(heading);
        const float x = work->x + slot.offsetX + std::sin(a) * float(slot.param);
        const float y = work->y + slot.offsetY - std::cos(a) * float(slot.param);
        enemyShotLine(67, heading, 160.0f, 2, 10.0f, objRef(task), x, y);
    }
}

}  // namespace

void TSKzako65Act(ObjTask* task) {
    zakoGroundAct(task, *zakoGroundKind(65), TSKzako65Draw, TSKzako65Attack, TSKzako65Hit);
}

void TSKzako65Attack(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    EnemyAimSlot& slot = e.aimSlots[0];
    if (e.shotIndex == 0) {
        e.aimWords[0] = slot.heading;
        slot.armed = 0;
    }
    if (e.shotsLeft == 0) slot.armed = 1;  // the burst's last shot
    if (zakoGroundDistance(work) < zakoGroundMinDistance()) return;
    const int32_t level = enemyRankLevel();
    const ZakoHeavyLevel& row = kZakoHeavyLevels[level];
    const int32_t aim = e.aimWords[0];
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, 0, &x, &y);
    if (e.shotIndex < row.shots) {
        for (int32_t i = 0; i < row.spreadCount; ++i) {
            enemyShotFan(143, aim, row.speed, 2, row.spreads[i], objRef(task), x, y);
        }
    }
    if (level >= 2 && fighterIsPowerUp()) zakoHeavyPairs(task, work, aim);
}

// Its body picture is still to come: only the edge marker shows.
void TSKzako65Draw(ObjTask*, ObjWork* work) { enemyDrawExitMarker(work); }

void TSKzako65Hit(ObjTask* task, ObjWork* work) {
    if (zakoGroundHitKills(task, work)) TSKeffectCreate(105, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
}
