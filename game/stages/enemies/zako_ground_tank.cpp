// The ground tanks, kinds 24 and 25: hittable and firing only for the
// frames their spawn row gives, a full ring at a powered-up fighter.
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/wreckage.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

// One bullet (type, speed) by rank level 0..2; level 3 is a line of two.
struct ZakoTankShot {
    int32_t type;
    float speed;
};
constexpr ZakoTankShot kZakoTank24Shots[3] = {{158, 200.0f}, {158, 200.0f}, {50, 240.0f}};
constexpr ZakoTankShot kZakoTank25Shots[3] = {{158, 240.0f}, {158, 200.0f}, {50, 240.0f}};

void zakoTankFire(ObjTask* task, ObjWork* work, const ZakoTankShot* shots) {
    if (!zakoGroundInTime(work) || !zakoGroundMayFire(work)) return;
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, 0, &x, &y);
    const int32_t angle = zakoGroundShotAngle(enemy(work).aimSlots[0].heading);
    const int32_t level = enemyRankLevel();
    if (level >= 3) {
        enemyShotLine(50, angle, 240.0f, 2, 10.0f, objRef(task), x, y);
    } else {
        enemyShot(shots[level].type, angle, shots[level].speed, objRef(task), x, y);
    }
    if (level >= 2 && fighterIsPowerUp()) enemyShotFan(67, angle, 160.0f, 16, 64, objRef(task), x, y);
}

}  // namespace

void TSKzako24Act(ObjTask* task) {
    zakoGroundAct(task, *zakoGroundKind(24), TSKzako24Draw, TSKzako24Attack, TSKzako24Hit);
}
void TSKzako24Attack(ObjTask* task, ObjWork* work) { zakoTankFire(task, work, kZakoTank24Shots); }
void TSKzako24Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, 5476, 0); }

// The common hit, then the tank's own wreck piece on its layer when it dies.
void TSKzako24Hit(ObjTask* task, ObjWork* work) {
    if (zakoGroundHitKills(task, work)) TSKzangCreate(18, 0, enemy(work).followedLayer, work->x, work->y);
}

void TSKzako25Act(ObjTask* task) {
    zakoGroundAct(task, *zakoGroundKind(25), TSKzako25Draw, TSKzako25Attack, TSKzako24Hit);
}
void TSKzako25Attack(ObjTask* task, ObjWork* work) { zakoTankFire(task, work, kZakoTank25Shots); }
void TSKzako25Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, 5482, 0); }
