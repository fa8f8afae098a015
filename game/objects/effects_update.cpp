// The effects' update: the kind's own step, the motion and the end tests.
#include <algorithm>
#include <cmath>

#include "game/core/game_main_passes.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/effects_tables.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fshot_fighter.h"
#include "game/stages/field_layers.h"

namespace {

constexpr float kEffectUpdateTurnRadians = 6.2831855f;
constexpr int32_t kEffectUpdateGroundSlot = 2;
constexpr int32_t kEffectGaugeFull = 100000;
constexpr int32_t kEffectSparkleKind = 77;
constexpr int32_t kEffectTrailKind = 56;

// The angle (1024 units, 0 up, clockwise) from one point to another.
int32_t effectAngleTo(float fromX, float fromY, float toX, float toY) {
    const float turns = std::atan2(toX - fromX, fromY - toY) / kEffectUpdateTurnRadians;
    return (int32_t(std::lround(turns * 1024.0f)) % 1024 + 1024) % 1024;
}

void effectEnd(ObjTask* task) { task->state = kObjStateEnd; }

// Advances the cell when the countdown runs out; true once the last cell is reached.
bool effectOneShot(ObjWork* work) {
    if (--work->animCounter > 0) return false;
    work->animCounter = work->animStep;
    work->animFrame += effect(work).cellStep;
    if (work->animFrame < work->animCount - 1) return false;
    work->animFrame = work->animCount - 1;
    return true;
}

// Steps the cell back when the countdown runs out; true once below cell 0.
bool effectCountDown(ObjWork* work) {
    if (--work->animCounter > 0) return false;
    work->animCounter = work->animStep;
    work->animFrame -= effect(work).cellStep;
    return work->animFrame < 0;
}

void effectLoopCells(ObjWork* work) {
    if (--work->animCounter > 0) return;
    work->animCounter = work->animStep;
    work->animFrame = (work->animFrame + 1) % std::max(work->animCount, 1);
}

void effectSlowDown(ObjWork* work, float by) { work->speed = std::max(work->speed - by, 0.0f); }

bool effectFade(ObjWork* work, float by) {
    work->alpha -= by;
    return work->alpha <= 0.0f;
}

// The ground stands still while the continue screen or the game-over scene
// holds the play, and so does what lies on it.
void effectFollowGround(ObjWork* work) {
    if (gameMainPlayFrozen()) return;
    const ObjPoint shift = fieldLayerShiftOf(kEffectUpdateGroundSlot);
    work->x -= shift.x;
    work->y += shift.y;
}

bool effectDebris(ObjWork* work) {
    const bool slow = work->kind == 93 || work->kind == 95;
    EffectFields& e = effect(work);
    work->animFrame = (work->animFrame + work->animStep) % std::max(work->animCount, 1);
    e.fallCounter = std::min(e.fallCounter + 98, 2000);
    work->y += float(e.fallCounter) * 0.001f;
    effectSlowDown(work, slow ? 0.05f : 0.1f);
    if (e.frameCount < 19) {
        work->alpha = 1.0f;
        return false;
    }
    return effectFade(work, slow ? 0.03f : 0.1f);
}

bool effectStreak(ObjWork* work) {
    EffectFields& e = effect(work);
    if (e.step == 0) {
        work->alpha = std::min(work->alpha + 0.05f, 1.0f);
        if (work->alpha >= 1.0f) {
            e.step = 1;
            e.counter = 10;
        }
        return false;
    }
    if (e.step == 1) {
        if (--e.counter <= 0) e.step = 2;
        return false;
    }
    return effectFade(work, 0.05f);
}

// Flies toward a point of the head-up display; true once within reach.
bool effectFlyTo(ObjWork* work, float toX, float toY, float reach) {
    work->speed = std::min(work->speed + 0.1f, 6.0f);
    work->heading = effectAngleTo(work->x, work->y, toX, toY);
    work->animFrame = (effect(work).frameCount / 2) % 2;
    return SDL2_wheel_Distance(work->x, work->y, toX, toY) < reach;
}

bool effectEnergyTip(ObjWork* work) {
    ObjWork* fighterWork = fighterGetWork();
    const int32_t energy = fighterWork ? fighter(fighterWork).energy : 0;
    return effectFlyTo(work, kEffectEnergyTipX0 + float(energy * 50 / 10000), kEffectEnergyTipY, 16.0f);
}

// The secret item flies to the fighter gauges and bursts at each that is not full.
bool effectSecret(ObjWork* work) {
    EffectFields& e = effect(work);
    if (e.step == 0) {
        work->speed = 0.0f;
        e.step = 1;
    } else {
        work->speed = std::min(work->speed + 0.1f, 6.0f);
        if (e.frameCount > 60) e.turnRate = std::min(e.turnRate + 4, 1024);
        const int32_t target = effectAngleTo(work->x, work->y, kEffectGaugeRowX, kEffectGaugeRowY);
        work->heading = SDL2_wheel_AngleClamp(target, work->heading, e.turnRate);
    }
    effectLoopCells(work);
    TSKeffectCreate(kEffectSparkleKind, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
    if (SDL2_wheel_Distance(work->x, work->y, kEffectGaugeRowX, kEffectGaugeRowY) >= 8.0f) return false;
    ObjWork* fighterWork = fighterGetWork();
    for (int type = 0; type < 4; ++type) {
        const int32_t gauge = fighterWork ? fighter(fighterWork).teamGauges[type] : 0;
        if (gauge < kEffectGaugeFull) {
            TSKeffectCreate(kEffectGaugeBurstKind, 0, 0.0f, 0, 0, ObjRef{}, kEffectGaugeX[size_t(type)],
                            kEffectGaugeRowY);
        }
    }
    return true;
}

// A beam's points run from its position along its angle over its length.
bool effectBeam(ObjWork* work) {
    EffectFields& e = effect(work);
    e.beamLength -= 3.0f;
    for (int i = 0; i < kEffectBeamPoints; ++i) {
        float x = work->x, y = work->y;
        SDL2_wheel_AngleSinCos(work->heading, &x, &y, e.beamLength * float(i) / float(kEffectBeamPoints - 1));
        e.beam[i] = {x, y};
    }
    return e.beamLength <= 0.0f;
}

bool effectFly(ObjWork* work) {
    work->speed = std::min(work->speed + 0.1f, 6.0f);
    if (effect(work).params[0] != 0 && effect(work).frameCount % 2 == 0) {
        const float dx = float(randRangeCentered(16));
        const float dy = float(randRangeCentered(16));
        TSKeffectCreate(kEffectTrailKind, 0, 0.0f, 0, 0, ObjRef{}, work->x + dx, work->y + dy);
    }
    return false;
}

bool effectDramatic(ObjWork* work) {
    EffectFields& e = effect(work);
    if (e.counter > 0) {
        --e.counter;
        return false;
    }
    return e.frameCount > 45 && effectFade(work, 0.03f);
}

bool effectFalling(ObjWork* work) {
    EffectFields& e = effect(work);
    e.fallCounter += 98;
    work->y += float(e.fallCounter) * 0.001f;
    e.spin = (e.spin + e.spinSpeed + 1024) % 1024;
    if (work->kind == 142) effectLoopCells(work);
    return false;
}

// A motion-end kind without a motion would never end: it ends at once.
bool effectMotionEnded(ObjWork* work) {
    if (work->motionSlot0 < 0) return true;
    return SDL2_wheel_MotionGetLoopCount(work->motionSlot0) >= 1;
}

// The kind's own step; true when the effect ends.
bool effectOwnStep(ObjWork* work) {
    switch (kEffectKindTable[size_t(work->kind)].step) {
    case EffectStep::OneShot: return effectOneShot(work);
    case EffectStep::CountDown:
    case EffectStep::Charge: return effectCountDown(work);
    case EffectStep::Debris: return effectDebris(work);
    case EffectStep::Grow:
        work->scaleX += 0.5f;
        work->scaleY += 0.5f;
        return work->scaleX > 5.0f;
    case EffectStep::FadeShrink: {
        work->scaleX -= 0.01f;
        work->scaleY -= 0.01f;
        return effectFade(work, 0.03f) || work->scaleX < 0.0f;
    }
    case EffectStep::Fade3: return effectFade(work, 0.03f);
    case EffectStep::Smoke: effectSlowDown(work, 0.1f); return effectOneShot(work);
    case EffectStep::SmokeGround:
        effectSlowDown(work, 0.1f);
        effectFollowGround(work);
        return effectOneShot(work);
    case EffectStep::Streak: return effectStreak(work);
    case EffectStep::MotionEnd: return effectMotionEnded(work);
    case EffectStep::Fade2: return effectFade(work, 0.02f);
    case EffectStep::Shrink:
        work->scaleX -= 0.1f;
        work->scaleY -= 0.1f;
        return work->scaleX < 0.0f;
    case EffectStep::Ground: effectFollowGround(work); return false;
    case EffectStep::EnergyTip: return effectEnergyTip(work);
    case EffectStep::HudPoint: return effectFlyTo(work, kEffectBonusPointX, kEffectBonusPointY, 16.0f);
    case EffectStep::FadeIn: work->alpha = std::min(work->alpha + 0.02f, 0.7f); return false;
    case EffectStep::OneShotFade:
        work->alpha = std::max(work->alpha - 0.05f, 0.0f);
        return effectOneShot(work);
    case EffectStep::Secret: return effectSecret(work);
    case EffectStep::ShrinkX: work->scaleX -= 0.02f; return work->scaleX < 0.0f;
    case EffectStep::Beam: return effectBeam(work);
    case EffectStep::Fly: return effectFly(work);
    case EffectStep::Dramatic: return effectDramatic(work);
    case EffectStep::Falling: return effectFalling(work);
    case EffectStep::None: return false;
    }
    return false;
}

// Reads the parent's position; false when a laser's glow has lost its laser.
bool effectFollowParent(ObjWork* work) {
    EffectFields& e = effect(work);
    if (e.hadParent == 0) return true;
    if (ObjWork* parent = objRefWork(work->parentWork)) {
        e.parentSeen = {parent->x, parent->y};
        return true;
    }
    return work->kind != 117 && work->kind != 118;
}

float effectDrawnAngle(ObjWork* work) {
    const EffectKindRow& row = kEffectKindTable[size_t(work->kind)];
    if (work->kind == 141) return float(effect(work).spin) * kEffectUpdateTurnRadians / 1024.0f;
    if (row.upright != 0) return 0.0f;
    return float(work->heading) * kEffectUpdateTurnRadians / 1024.0f;
}

bool effectOffScreen(ObjWork* work) {
    float x = work->x, y = work->y;
    if (effect(work).hadParent != 0) {
        x += effect(work).parentSeen.x;
        y += effect(work).parentSeen.y;
    }
    return x + work->sizeX < 0.0f || x - work->sizeX > 224.0f || y + work->sizeY < 0.0f || y - work->sizeY > 288.0f;
}

}  // namespace

void TSKeffectUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    if (!effectFollowParent(work) || effectOwnStep(work)) {
        effectEnd(task);
        return;
    }
    SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, work->speed);
    work->angle = effectDrawnAngle(work);
    effect(work).angleRadians = work->angle;
    if (effectOffScreen(work)) {
        effectEnd(task);
        return;
    }
    if (work->motionSlot0 >= 0) {
        if (GameTask* root = GameTask::getInstance()) root->setMotionPosition(work->motionSlot0, work->x, work->y);
        SDL2_wheel_MotionUpdateLoop(work->motionSlot0);
    }
    ++effect(work).frameCount;
}
