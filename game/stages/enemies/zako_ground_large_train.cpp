// The armoured trains, kinds 70 and 71: a head that makes three cars behind
// it (below a kind-70 head, above a kind-71 one), each car hittable and
// firing only inside the field and outside its stage-frame windows, and left
// on the field as a burning wreck when it dies.
#include <algorithm>

#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kTrainCars = 3;
constexpr float kTrainCarGap = 100.0f;
constexpr int32_t kTrainDeathCells = 8;
constexpr int32_t kTrainDeathCellFrames = 2;
// The chosen sprite frames: bodies by chain index (the kind-71 head its
// own), the guns' markers by kind, chain index and gun, the wreck's cells.
constexpr int32_t kTrainBodyFrame = 5435;
constexpr int32_t kTrainHead71Frame = 5439;
constexpr int32_t kTrainGunFrame = 5440;
constexpr int32_t kTrainWreckFrame = 5456;

struct TrainTimer {
    int32_t burst, interval, left, pause, first;
};
constexpr TrainTimer kTrainTimers[4] = {{8, 2, 8, 60, 0}, {12, 6, 12, 80, 10}, {1, 120, 1, 130, 0}, {5, 6, 5, 80, 10}};

// The stage frames in which a car whose first spawn extra is 1 has no box,
// and those in which it holds its fire, by chain index.
struct TrainWindows {
    ZakoFrameWindow windows[2];
    int32_t count;
};
constexpr TrainWindows kTrainHitWindows[4] = {
    {{{6468, 6595}}, 1}, {{{6616, 6670}}, 1}, {{{6676, 6730}, {7151, 7400}}, 2}, {{{6716, 6780}, {7221, 7500}}, 2}};
constexpr TrainWindows kTrainFireWindows[4] = {
    {{{6365, 6600}}, 1}, {{{6561, 6670}}, 1}, {{{6521, 6760}, {7081, 7400}}, 2}, {{{6521, 6900}, {7156, 7500}}, 2}};

// Stage 5's extras 10 to 14: the car of this chain index has no box until
// its parent (the head) has been hittable; a parent gone no longer holds it.
struct TrainGate {
    int32_t extra, chain;
};
constexpr TrainGate kTrainGates[] = {{10, 2}, {11, 3}, {12, 2}, {13, 1}, {14, 3}};

int32_t trainChain(const ObjWork* work) { return std::clamp(work->family.enemy.chainIndex, 0, kTrainCars); }

bool trainGated(int32_t extra, int32_t chain) {
    for (const TrainGate& gate : kTrainGates)
        if (gate.extra == extra && gate.chain == chain) return true;
    return false;
}

bool trainParentHasBeenHittable(ObjTask* task) {
    const ObjWork* parent = objRefWork(task->parent);
    return parent == nullptr || parent->family.enemy.beenHittable != 0;
}

bool trainHittable(ObjTask* task, ObjWork* work) {
    if (!(work->y + 25.0f < 267.0f && work->y - 25.0f > 0.0f)) return false;
    const EnemyFields& e = enemy(work);
    const int32_t chain = trainChain(work);
    const TrainWindows& hit = kTrainHitWindows[chain];
    if (e.spawnExtras[0] == 1 && zakoGroundLargeInWindows(hit.windows, hit.count, stageFrame)) return false;
    if (stageNumber == 5 && trainGated(e.spawnExtras[0], chain) && !trainParentHasBeenHittable(task)) return false;
    return true;
}

void trainSetTimer(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const TrainTimer& t = kTrainTimers[trainChain(work)];
    e.shotsPerVolley = t.burst;
    e.shotInterval = t.interval;
    e.shotsLeft = t.left;
    e.volleyPause = t.pause;
    e.shotCountdown = t.first;
    e.shotIndex = 0;
    e.volleysLeft = 9999;
    e.volleyIndex = 0;
    work->pauseRankCut = zakoGroundLargeKind(70)->pauseRankCut;
}

// A car the pool cannot give is left out; the train runs with the others.
void trainMakeCars(ObjTask* head, ObjWork* work) {
    const float side = work->kind == 71 ? -1.0f : 1.0f;
    for (int32_t i = 1; i <= kTrainCars; ++i) {
        ObjTask* car = OBJtaskCreate(TSKzako70Act, kEnemyGroup, kEnemyTag);
        if (car == nullptr) continue;
        car->parent = objRef(head);
        enemySpawnParam(car) = enemySpawnParam(head);
        TSKzako70Act(car);
        ObjWork* carWork = car->work;
        if (carWork == nullptr) continue;
        carWork->kind = 70;
        carWork->x = work->x;
        carWork->y = work->y + side * kTrainCarGap * float(i);
        carWork->speed = 0.0f;
        carWork->heading = 0;
        enemy(carWork).chainIndex = i;
        enemy(carWork).spawnExtras[0] = enemy(work).spawnExtras[0];
    }
}

void trainFirstFrame(ObjTask* task, ObjWork* work) {
    enemy(work).setupDone = 1;
    enemySetLayerDepth(work);
    if (bossPresentFlag != 0) return;
    if (enemy(work).chainIndex == 0) trainMakeCars(task, work);
    trainSetTimer(work);
}

void trainDeathCells(EnemyFields& e) {
    if (--e.deathCellCountdown > 0) return;
    e.deathCellCountdown = kTrainDeathCellFrames;
    e.deathCell = (e.deathCell + 1) % kTrainDeathCells;
}

void trainRun(ObjTask* task) {
    if (!zakoGroundLargeStep(task)) return;
    if (zakoGroundLargeCutOff()) {
        task->state = kObjStateEnd;
        return;
    }
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (work->lifeState == 3) {
        zakoGroundLargeBox(work, nullptr, false);
        trainDeathCells(e);
        return;
    }
    if (e.setupDone == 0) trainFirstFrame(task, work);
    const bool now = trainHittable(task, work);
    e.hittableNow = now ? 1 : 0;
    if (now) e.beenHittable = 1;
    zakoGroundLargeBox(work, &zakoGroundLargeKind(70)->box, now || (stageNumber == 5 && e.beenHittable != 0));
    ++work->age;
}

// The guns by chain index; i is the shot's index in its burst.
void trainGunHead(ObjRef owner, int32_t level, int32_t i, int32_t angle, ObjPoint gun) {
    if (level == 3 || i < 6) enemyShotFan(135, angle, 130.0f, 4, 256, owner, gun.x, gun.y);
}

void trainGunSecond(ObjRef owner, int32_t level, int32_t i, int32_t angle, ObjPoint gun) {
    constexpr int32_t kFirstShots[3] = {4, 8, 1 << 30};
    if (level == 3) {
        enemyShotFan(135, angle, 160.0f, 3, 80, owner, gun.x, gun.y);
    } else if (i < kFirstShots[level]) {
        enemyShotFan(135, angle, 160.0f, 1, 80, owner, gun.x, gun.y);
    }
    if (level >= 2 && i == 10) enemyShotFan(135, angle, 190.0f, 4, 60, owner, gun.x, gun.y);
}

void trainGunThird(ObjRef owner, int32_t level, int32_t angle, ObjPoint gun) {
    const bool low = level <= 1;
    enemyShotFanOfFanLines(141, angle, low ? 60.0f : 90.0f, 3, 341, 5, low ? 60 : 40, low ? 2 : 3, 20.0f, owner,
                           gun.x, gun.y);
    if (level == 1) enemyShotFanOfFans(1, angle, 55.0f, 3, 341, 4, 60, owner, gun.x, gun.y);
    if (level >= 2) enemyShotFanOfFans(1, angle, 130.0f, 3, 341, 6, 40, owner, gun.x, gun.y);
}

void trainGunLast(ObjRef owner, int32_t level, int32_t i, int32_t angle, ObjPoint gun) {
    const int32_t spread = level == 0 ? (i + 4) * 10 : level == 1 ? 30 * i + 40 : 60 * i + 40;
    enemyShotFan(133, angle, 90.0f, 2, spread, owner, gun.x, gun.y);
    if (level == 3) enemyShotFan(139, angle, 90.0f, 2, 60 * i + 70, owner, gun.x, gun.y);
}

void trainGun(ObjTask* task, const EnemyFields& e, int32_t chain, int32_t angle, ObjPoint gun) {
    const int32_t level = enemyRankLevel();
    const int32_t i = e.shotIndex;
    const bool evenVolley = e.volleyIndex % 2 == 0;
    const ObjRef owner = objRef(task);
    if (chain == 1) {
        trainGunSecond(owner, level, i, angle, gun);
    } else if (!evenVolley) {
        return;
    } else if (chain == 0) {
        trainGunHead(owner, level, i, angle, gun);
    } else if (chain == 2) {
        trainGunThird(owner, level, angle, gun);
    } else {
        trainGunLast(owner, level, i, angle, gun);
    }
}

ObjPoint trainGunAt(const ObjWork* work, int32_t gun) {
    const int32_t head71 = work->kind == 71 ? 1 : 0;
    const ObjPoint marker = zakoGroundLargeMarker(kTrainGunFrame + (head71 * 4 + trainChain(work)) * 2 + gun);
    return {work->x + marker.x, work->y + marker.y};
}

}  // namespace

void TSKzako70Act(ObjTask* task) {
    if (task->state == kObjStateInit) {
        if (!zakoGroundLargeInit(task, *zakoGroundLargeKind(70), TSKzako70Draw, TSKzako70Attack, TSKenemyHit)) return;
        enemy(task->work).deathCellCountdown = kTrainDeathCellFrames;
        return;
    }
    if (task->state == kObjStateRun) {
        trainRun(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

// Each gun keeps its angle to the fighter from the burst's first shot.
void TSKzako70Attack(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const ObjPoint guns[2] = {trainGunAt(work, 0), trainGunAt(work, 1)};
    if (e.shotIndex == 0) {
        for (int g = 0; g < 2; ++g) e.aimWords[g] = enemyAngleToPlayer(guns[g].x, guns[g].y);
    }
    if (bossPresentFlag != 0 || e.hittableNow == 0) return;
    const int32_t chain = trainChain(work);
    const TrainWindows& fire = kTrainFireWindows[chain];
    if (e.spawnExtras[0] == 1 && zakoGroundLargeInWindows(fire.windows, fire.count, stageFrame)) return;
    for (int g = 0; g < 2; ++g) trainGun(task, e, chain, e.aimWords[g], guns[g]);
}

void TSKzako70Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    int32_t body = kTrainBodyFrame + trainChain(work);
    if (work->kind == 71) body = kTrainHead71Frame;
    if (work->lifeState == 3) body = kTrainWreckFrame + e.deathCell;
    zakoGroundDrawLayers(work, body, 0);
}
