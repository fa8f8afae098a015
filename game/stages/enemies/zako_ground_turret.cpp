// The small ground turrets, kinds 20 to 23: a tracked turret, its heavier
// twin, an emplacement and an invisible target.
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

// The tracked body's row of eight frames by octant, and whether it plays backwards.
struct ZakoTreadRow {
    int32_t base;
    bool reversed;
};
constexpr ZakoTreadRow kZakoTreadRows[8] = {{5393, true},  {5385, true},  {5409, true},  {5401, false},
                                            {5393, false}, {5385, false}, {5409, false}, {5401, true}};

int32_t zakoTurretBodyFrame(const ObjWork* work) {
    const int32_t octant = ((work->heading + 64) & 1023) * 8 / 1024;
    const ZakoTreadRow& row = kZakoTreadRows[octant];
    const int32_t cell = int32_t(enemy(const_cast<ObjWork*>(work)).treadCounter) % 8;
    return row.reversed ? row.base + 7 - cell : row.base + cell;
}

// Level 0-2 one bullet of type 158 at 160, 200, 240; level 3 a line of
// lineCount at 240, step 10.
void zakoTurretFire(ObjTask* task, ObjWork* work, int32_t lineCount) {
    if (!zakoGroundMayFire(work)) return;
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, 0, &x, &y);
    const int32_t angle = zakoGroundShotAngle(enemy(work).aimSlots[0].heading);
    const int32_t level = enemyRankLevel();
    if (level >= 3) {
        enemyShotLine(158, angle, 240.0f, lineCount, 10.0f, objRef(task), x, y);
        return;
    }
    enemyShot(158, angle, 160.0f + 40.0f * float(level), objRef(task), x, y);
}

}  // namespace

void TSKzako20Act(ObjTask* task) { zakoGroundAct(task, *zakoGroundKind(20), TSKzako20Draw, TSKzako20Attack); }
void TSKzako20Attack(ObjTask* task, ObjWork* work) { zakoTurretFire(task, work, 1); }
void TSKzako20Draw(ObjTask*, ObjWork* work) {
    const int32_t turret = 5417 + ((enemy(work).aimSlots[0].heading + 32) & 1023) * 16 / 1024;
    zakoGroundDrawLayers(work, zakoTurretBodyFrame(work), turret);
}

// Never spawned by the stages: it keeps the family's shape without a slot to fire from.
void TSKzako21Act(ObjTask* task) { zakoGroundAct(task, *zakoGroundKind(21), nullptr, nullptr); }

void TSKzako22Act(ObjTask* task) { zakoGroundAct(task, *zakoGroundKind(22), TSKzako22Draw, TSKzako22Attack); }
void TSKzako22Attack(ObjTask* task, ObjWork* work) { zakoTurretFire(task, work, 2); }
void TSKzako22Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, 5434, 0); }

void TSKzako23Act(ObjTask* task) { zakoGroundAct(task, *zakoGroundKind(23), nullptr, nullptr); }
