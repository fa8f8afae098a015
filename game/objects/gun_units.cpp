// The gun units' act, update, fire, draw and hit.
#include "game/objects/gun_units.h"

#include <cmath>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/effects_sprite_ids.h"
#include "game/objects/fshot.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fshot_fighter.h"
#include "game/objects/fshot_tables.h"

namespace {

constexpr float kGunTurnRadians = 6.2831855f;
constexpr float kGunDepth = 612.0f;
constexpr float kGunBehindDepth = 601.0f;
constexpr int32_t kGunCells = 8;
constexpr int32_t kGunFramesPerCell = 4;
constexpr int32_t kGunModeTimer = 30;
constexpr int32_t kGunSparkKind = 57;
constexpr int32_t kGunEnemyGroup = 7;

float gunRadians(int32_t heading) { return float(heading) * kGunTurnRadians / 1024.0f; }
int32_t gunNormalise(int32_t heading) { return (heading % 1024 + 1024) % 1024; }

void gunReleaseWork(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

void gunPlace(ObjWork* work, const ObjWork* fighterWork) {
    if (fighterWork != nullptr) {
        work->x = fighterWork->x;
        work->y = fighterWork->y;
    }
    work->depth = kGunDepth;
    work->sizeX = work->sizeY = 80.0f;
    work->animFrame = 0;
    work->animCount = kGunCells;
    work->animStep = kGunFramesPerCell;
    work->animCounter = kGunFramesPerCell;
}

void gunSetUp(ObjTask* task) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    task->work = work;
    task->release = gunReleaseWork;
    work->draw = TSKgunDraw;
    work->hit = TSKgunHit;
    work->rotate = 1;
    gunPlace(work, objRefWork(task->parent));
    task->state = kObjStateRun;
}

void gunCopyFighter(ObjWork* work, const ObjWork* f) {
    const FighterFields& v = f->family.fighter;
    GunFields& g = gun(work);
    g.type = v.type & 3;
    g.weaponMode = v.weaponMode;
    g.fireCount = v.fireCount;
    g.fireFrame = v.fireFrame;
    g.fireLock = v.fireLock;
    g.lastDirection = v.lastDirection;
    g.control = v.control;
    g.weaponChangeTimer = v.weaponChangeTimer;
    g.absent = v.absent;
    g.hidden = f->visible == 0 ? 1 : 0;
}

void gunSetBody(ObjWork* work, ObjWork* f) {
    static constexpr HitBox kGunBoxPowered{0, 0, 18, 18};
    static constexpr HitBox kGunBoxNormal{0, 0, 12, 12};
    const FighterFields& v = fighter(f);
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
    if (!fshotFighterAnyReady(f) || v.absent != 0) {
        work->life = 0;
        work->heading = 0;
        return;
    }
    work->life = v.powerFade != 0 ? 64 : v.powerUp != 0 ? 48 : 32;
    if (gun(work).type == 3 && work->hitsOff == 0) {
        work->hitBoxes = v.powerUp != 0 ? &kGunBoxPowered : &kGunBoxNormal;
        work->hitBoxCount = 1;
    }
}

// Type A: the pair circles the fighter half a turn apart on a flattened ring.
ObjPoint gunTargetA(ObjWork* work, const ObjWork* f) {
    GunFields& g = gun(work);
    const bool powered = f->family.fighter.powerUp != 0;
    g.turn = gunNormalise(g.turn + 20);
    const int32_t angle = gunNormalise(g.turn + 512 * g.index);
    const float radius = g.weaponMode == 0 ? (powered ? 50.0f : 30.0f) : 20.0f;
    const float raise = g.weaponMode == 0 ? 15.0f : 10.0f;
    const float radians = gunRadians(angle);
    const bool behind = std::cos(radians) > 0.0f;
    work->depth = behind ? kGunBehindDepth : kGunDepth;
    return {f->x + std::sin(radians) * radius, f->y - std::cos(radians) * radius * 0.5f - raise};
}

// Type B: beside the fighter, both units turned a quarter turn (index 1
// outward, index 0 inward), with a small random heading.
ObjPoint gunTargetB(ObjWork* work, const ObjWork* f) {
    GunFields& g = gun(work);
    const bool powered = f->family.fighter.powerUp != 0;
    const float distance = g.weaponMode == 0 ? (powered ? 50.0f : 40.0f) : (powered ? 30.0f : 20.0f);
    work->heading = 256;
    g.extraHeading = randRangeCentered(kGunTypeBJitter);
    return {f->x + (g.index == 0 ? -distance : distance), f->y};
}

ObjPoint gunTargetC(ObjWork* work, const ObjWork* f) {
    const GunFields& g = gun(work);
    const int32_t table = (f->family.fighter.powerUp != 0 ? 2 : 0) + (g.weaponMode != 0 ? 1 : 0);
    const GunPoint& point = kGunFormationC[size_t(table)][size_t(g.index & 1)];
    work->heading = gunNormalise(point.heading);
    return {f->x + float(point.x), f->y + float(point.y)};
}

// Type D: the pair orbits the fighter, turned by the pad while in shot mode.
ObjPoint gunTargetD(ObjWork* work, const ObjWork* f) {
    GunFields& g = gun(work);
    const bool powered = f->family.fighter.powerUp != 0;
    const int32_t rate = g.weaponMode == 0 ? 24 : 0;
    if (g.lastDirection >= 4 && g.lastDirection <= 6) g.turn = gunNormalise(g.turn - rate);
    if (g.lastDirection >= 8 && g.lastDirection <= 10) g.turn = gunNormalise(g.turn + rate);
    const float radius = g.weaponMode == 0 ? (powered ? 43.0f : 24.0f) : (powered ? 60.0f : 33.0f);
    const float radians = gunRadians(g.turn + (g.index == 0 ? -256 : 256));
    work->heading = g.turn;
    return {f->x + std::sin(radians) * radius, f->y - std::cos(radians) * radius};
}

ObjPoint gunTarget(ObjWork* work, const ObjWork* f) {
    work->heading = 0;
    gun(work).extraHeading = 0;
    switch (gun(work).type) {
    case 0: return gunTargetA(work, f);
    case 1: return gunTargetB(work, f);
    case 2: return gunTargetC(work, f);
    default: return gunTargetD(work, f);
    }
}

// Steps toward the point by the approach table, snapping on when near.
void gunApproach(ObjWork* work, ObjPoint target) {
    const float distance = SDL2_wheel_Distance(work->x, work->y, target.x, target.y);
    float step = 0.0f;
    for (const GunApproach& row : kGunApproach) {
        if (distance > row.distance) {
            step = row.step;
            break;
        }
    }
    if (step == 0.0f) {
        work->x = target.x;
        work->y = target.y;
        return;
    }
    const float radians = std::atan2(target.x - work->x, work->y - target.y);
    work->x += std::sin(radians) * step;
    work->y -= std::cos(radians) * step;
}

void gunStepAnimation(ObjWork* work) {
    if (--work->animCounter > 0) return;
    work->animCounter = work->animStep;
    work->animFrame = (work->animFrame + 1) % kGunCells;
}

bool gunMayFire(const ObjWork* work, const ObjWork* f) {
    const GunFields& g = work->family.gun;
    if (g.modeTimer > 0 || g.weaponChangeTimer > 0 || g.fireLock > 0 || g.absent != 0) return false;
    if (!fshotFighterAnyReady(f) || f->life < 1) return false;
    return (g.fireFrame & 1) != 0;
}

}  // namespace

void TSKgunAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit: gunSetUp(task); break;
    case kObjStateRun:
        // A unit whose fighter has gone goes with it.
        if (objRefWork(task->parent) == nullptr) {
            task->state = kObjStateEnd;
            return;
        }
        TSKgunUpdate(task);
        gunStepAnimation(task->work);
        TSKgunFire(task);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void gunSetIndex(ObjWork* work, int32_t index) {
    if (work == nullptr) return;
    gun(work).index = index & 1;
    gun(work).side = index & 1;
    work->flip = index & 1;
}

void gunReset(ObjWork* work) {
    if (work == nullptr) return;
    gunPlace(work, fighterGetWork());
}

void TSKgunUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    ObjWork* f = objRefWork(task->parent);
    if (work == nullptr || f == nullptr) return;
    GunFields& g = gun(work);
    g.enemyContact = 0;
    gunCopyFighter(work, f);
    gunSetBody(work, f);
    const ObjPoint target = gunTarget(work, f);
    if (g.absent != 0) {
        work->x = f->x;
        work->y = f->y;
    } else {
        gunApproach(work, target);
    }
    if (g.modeTimer > 0) --g.modeTimer;
    if (g.weaponMode != g.lastMode) g.modeTimer = kGunModeTimer;
    g.lastMode = g.weaponMode;
    for (int i = 9; i > 0; --i) g.history[i] = g.history[i - 1];
    g.history[0] = {work->x, work->y};
    ++g.frameCount;
}

void TSKgunFire(ObjTask* task) {
    ObjWork* work = task->work;
    ObjWork* f = objRefWork(task->parent);
    if (work == nullptr || f == nullptr || !gunMayFire(work, f)) return;
    const GunFields& g = gun(work);
    const GunFirePattern& pattern =
        kGunFirePatterns[size_t(fireTableIndex(f->family.fighter.powerUp != 0, g.weaponMode, g.type))];
    if (pattern.cap - fshotCounters.gun < 2) return;
    const GunFireRow& row = pattern.rows[size_t(g.index & 1)];
    ObjTask* shotTask = OBJtaskCreateSetUp(TSKfshotAct, kFshotGroup, kFshotTag);
    if (shotTask == nullptr) return;
    ObjWork* s = shotTask->work;
    float dx = 0.0f, dy = 0.0f;
    SDL2_wheel_AngleSinCos(row.angleOffset + work->heading + g.extraHeading, &dx, &dy, float(row.distance));
    s->x = work->x + dx;
    s->y = work->y + dy;
    s->depth = work->depth != kGunDepth ? work->depth : 603.0f;
    s->heading = gunNormalise(row.headingOffset + work->heading + g.extraHeading);
    s->angle = gunRadians(s->heading);
    s->speed = row.speed;
    s->kind = row.kind;
    s->life = row.damage;
    shot(s).weaponMode = g.weaponMode;
    shot(s).side = row.side;
    shot(s).volleySerial = f->family.fighter.shotSerial;
    TSKeffectCreate(row.effectKind, s->heading, 0.0f, row.effectParam, 0, objRef(task), dx, dy);
}

void TSKgunDraw(ObjTask*, ObjWork* work) {
    const GunFields& g = gun(work);
    if (work->life <= 0 || g.hidden != 0) return;
    OBJdrawSprite(work, kSpriteGunUnit + g.type * kGunCells + work->animFrame, work->x, work->y,
                  int32_t(work->depth), work->scaleX, work->scaleY, gunRadians(work->heading + g.extraHeading),
                  1.0f, 0);
}

void TSKgunHit(ObjTask*, ObjWork* work) {
    ObjTask* other = objRefTask(work->lastCollider);
    if (other == nullptr || other->group != kGunEnemyGroup || other->work == nullptr) return;
    GunFields& g = gun(work);
    g.enemyContact = 1;
    if (g.frameCount % 3 != 0) return;
    float x = work->x, y = work->y;
    SDL2_wheel_AngleSinCos(work->heading, &x, &y, 10.0f);
    TSKeffectCreate(kGunSparkKind, work->heading, float(2 + randRange(9)), 0, 0, ObjRef{}, x, y);
}
