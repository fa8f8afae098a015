// The gun emplacements, kinds 60 and 61: each gun keeps the aim it had at
// its burst's first shot for the whole burst.
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/wreckage.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

// Kind 60's two fans by rank level: even shots from gun 0, odd from gun 1.
struct ZakoEmplacementFans {
    int32_t evenCount, evenSpread, oddCount, oddSpread;
};
constexpr ZakoEmplacementFans kZako60Fans[4] = {{5, 50, 4, 38}, {5, 50, 4, 38}, {5, 40, 6, 31}, {9, 32, 10, 24}};

// Both slot angles at the burst's first shot, into the burst scratch.
void zakoEmplacementKeepAim(ObjWork* work, int32_t guns) {
    EnemyFields& e = enemy(work);
    if (e.shotIndex != 0) return;
    for (int32_t gun = 0; gun < guns; ++gun) e.aimWords[gun] = e.aimSlots[gun].heading;
}

// The powered-up fighter's extra cross at rank levels 2 and 3.
void zakoEmplacementCross(ObjTask* task, int32_t angle, float x, float y) {
    if (enemyRankLevel() >= 2 && fighterIsPowerUp()) enemyShotFan(69, angle, 230.0f, 4, 256, objRef(task), x, y);
}

}  // namespace

void TSKzako60Act(ObjTask* task) {
    zakoGroundAct(task, *zakoGroundKind(60), TSKzako60Draw, TSKzako60Attack, TSKzako60Hit);
}

void TSKzako60Attack(ObjTask* task, ObjWork* work) {
    zakoEmplacementKeepAim(work, 2);
    if (!zakoGroundMayFire(work)) return;
    const EnemyFields& e = enemy(work);
    const int32_t gun = e.shotIndex % 2;
    const ZakoEmplacementFans& fans = kZako60Fans[enemyRankLevel()];
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, gun, &x, &y);
    const int32_t angle = e.aimWords[gun];
    if (gun == 0) {
        enemyShotFan(39, angle, 130.0f, fans.evenCount, fans.evenSpread, objRef(task), x, y);
    } else {
        enemyShotFan(39, angle, 170.0f, fans.oddCount, fans.oddSpread, objRef(task), x, y);
    }
    zakoEmplacementCross(task, angle, x, y);
}

// Its body picture is still to come: only the edge marker shows.
void TSKzako60Draw(ObjTask*, ObjWork* work) { enemyDrawExitMarker(work); }

// Two wreck pieces on its layer, at opposite corners.
void TSKzako60Hit(ObjTask* task, ObjWork* work) {
    if (!zakoGroundHitKills(task, work)) return;
    const int32_t layer = enemy(work).followedLayer;
    TSKzangCreate(20, 0, layer, work->x - 15.0f, work->y + 15.0f);
    TSKzangCreate(20, 0, layer, work->x + 15.0f, work->y - 15.0f);
}

void TSKzako61Act(ObjTask* task) {
    zakoGroundAct(task, *zakoGroundKind(61), TSKzako61Draw, TSKzako61Attack, TSKzako61Hit);
}

void TSKzako61Attack(ObjTask* task, ObjWork* work) {
    zakoEmplacementKeepAim(work, 1);
    if (!zakoGroundMayFire(work)) return;
    const EnemyFields& e = enemy(work);
    const ObjRef owner = objRef(task);
    const int32_t angle = e.aimWords[0];
    const int32_t level = enemyRankLevel();
    const bool first = e.shotIndex == 0;
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, 0, &x, &y);
    if (level == 0) {
        enemyShotFan(48, angle, 230.0f, 1, 0, owner, x, y);
    } else {
        enemyShotFan(48, angle, 380.0f, 1, 0, owner, x, y);
        enemyShotFan(37, angle, 350.0f, 2, 24, owner, x, y);
    }
    if (level == 2 && first) enemyShotFan(9, angle, 250.0f, 12, 24, owner, x, y);
    if (level == 3 && first) {
        enemyShotFan(9, angle, 250.0f, 12, 30, owner, x, y);
        enemyShotFan(20, angle, 280.0f, 11, 30, owner, x, y);
    }
    if (e.shotIndex % 2 == 1) zakoEmplacementCross(task, angle, x, y);
}

// Its body picture is still to come: only the edge marker shows.
void TSKzako61Draw(ObjTask*, ObjWork* work) { enemyDrawExitMarker(work); }

void TSKzako61Hit(ObjTask* task, ObjWork* work) {
    if (zakoGroundHitKills(task, work)) TSKeffectCreate(108, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
}
