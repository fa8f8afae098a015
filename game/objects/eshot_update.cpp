// The enemy shots' update: hit box, animation, each type's own step, the move,
// the bullet cancel, the screen test, the power-up rules, the blow knock-back
// and the slow-down while the fighter is powered up.
#include <algorithm>
#include <cmath>

#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/eshot.h"
#include "game/objects/eshot_tables.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/item.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr float kUpdTurnRadians = 6.2831855f;
constexpr int32_t kUpdBurstSound = 18;
constexpr int32_t kUpdBounceSound = 20;
constexpr int32_t kUpdKnockEffect = 123;

int32_t updRankPick(int32_t level0, int32_t level1, int32_t level2, int32_t level3) {
    switch (enemyRankLevel()) {
    case 0: return level0;
    case 1: return level1;
    case 3: return level3;
    default: return level2;
    }
}

bool updSlowed(ObjWork* work) { return shot(work).unslowed == 0 && fighterIsPowerUp(); }

int32_t updAim(const ObjWork* work) { return enemyAngleToPlayer(work->x, work->y); }

bool updOutside(const ObjWork* work, float bottom) {
    return work->x < 0.0f || work->x > 224.0f || work->y < 0.0f || work->y > bottom;
}

void updEnd(ObjTask* task) { task->state = kObjStateEnd; }

void updVanishEnd(ObjTask* task, ObjWork* work) {
    TSKeshotVanish(work);
    updEnd(task);
}

void updSetBox(ObjWork* work) {
    work->hitBoxes = eshotTypeHitBox(work->kind);
    work->hitBoxCount = 1;
}

void updTrail(ObjWork* work) {
    ShotFields& s = shot(work);
    if (s.frameCount % 2 != 0) return;
    for (int i = 7; i > 0; --i) s.trail[i] = s.trail[i - 1];
    s.trail[0] = {work->x, work->y};
}

// Returns true when the cell changed.
bool updAnimate(ObjWork* work) {
    const int32_t by = work->kind == 172 || work->kind == 176 ? 2 : 1;
    work->animCounter -= by;
    if (work->animCounter >= 1) return false;
    work->animCounter = work->animStep;
    if (work->animCount > 0) work->animFrame = (work->animFrame + 1) % work->animCount;
    return true;
}

// The orbiting and waving types' own speed.
float updOrbitSpeed(ObjWork* work) {
    const ShotFields& s = shot(work);
    if (s.knockSpeed < 0.0f) return s.knockSpeed;
    return updSlowed(work) ? s.workingSpeed * 0.5f : s.workingSpeed;
}

void updHoming(ObjWork* work) {
    ShotFields& s = shot(work);
    const int32_t aim = updAim(work);
    work->heading = SDL2_wheel_AngleClamp(aim, work->heading, 5);
    if (work->heading == aim || s.frameCount > 180 || updOutside(work, 268.0f)) s.behaviour = 1;
}

void updDelayedAim(ObjWork* work) {
    ShotFields& s = shot(work);
    if (s.behaviour != 0) return;
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
    work->depth = 440.0f;
    work->animCount = 32;
    s.workingSpeed -= 0.07f;
    if (s.workingSpeed > 0.0f) return;
    s.workingSpeed = 8.2f;
    work->heading = updAim(work);
    s.behaviour = 1;
    updSetBox(work);
    work->spriteBase = 292;
    work->depth = 701.0f;
    work->animCount = 5;
    work->animStep = 1;
    work->animFrame %= 5;
    TSKeffectCreate(64, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
    SDL2_wheel_SoundPlaySE(10, false);
}

void updFalling(ObjWork* work) {
    ShotFields& s = shot(work);
    s.params[0] = std::min(s.params[0] + 98, 500);
    if (s.deflected != 0) {
        s.workingSpeed = float(s.params[0]) / 300.0f;
    } else {
        work->y += float(s.params[0]) / (updSlowed(work) ? 800.0f : 400.0f);
    }
}

void updSpray(ObjWork* work) {
    const int32_t every = updRankPick(15, 15, 10, 8);
    if (shot(work).frameCount % every != 0) return;
    const int32_t count = updRankPick(3, 3, 5, 8);
    const float step = float(updRankPick(12, 12, 24, 24));
    enemyShotLine(139, updAim(work), 160.0f, count, step, work->parentWork, work->x, work->y);
}

void updBurstFans(ObjTask* task, ObjWork* work, int32_t type, bool randomAngle) {
    ShotFields& s = shot(work);
    s.workingSpeed -= 0.05f;
    if (s.workingSpeed > 0.0f) return;
    updEnd(task);
    const int32_t times = updRankPick(3, 5, 7, 7);
    const int32_t count = updRankPick(1, 1, 1, 3);
    for (int32_t i = 0; i < times; ++i) {
        const int32_t angle = randomAngle ? randRange(1024) : work->heading - 45 + randRange(90);
        const float speed = float(110 + randRange(10) * 10);
        enemyShotFan(type, angle, speed, count, 12, work->parentWork, work->x, work->y);
    }
}

void updBounce(ObjTask* task, ObjWork* work) {
    if (work->x < 30.0f || work->x > 194.0f) work->heading = (1024 - work->heading) & 1023;
    if (work->y < 80.0f || work->y > 258.0f) work->heading = (1536 - work->heading) & 1023;
    if (st4BurstSignal != 1) return;
    SDL2_wheel_SoundPlaySE(kUpdBounceSound, false);
    const int32_t aim = updAim(work);
    const int32_t types[3] = {60, 49, 38};
    for (int i = 0; i < 3; ++i) {
        enemyShotFan(types[i], aim, float(60 + 10 * i), 5, 204, work->parentWork, work->x, work->y);
    }
    updVanishEnd(task, work);
}

void updSideShots(ObjWork* work) {
    const int32_t every = updRankPick(10, 8, 6, 5);
    if (shot(work).frameCount % every != 0) return;
    const int32_t count = updRankPick(1, 1, 1, 3);
    for (int32_t side : {-256, 256}) {
        enemyShotLine(175, work->heading + side, 0.0f, count, 20.0f, work->parentWork, work->x, work->y);
    }
}

void updDropBomb(ObjTask* task, ObjWork* work) {
    ShotFields& s = shot(work);
    s.params[0] = std::min(s.params[0] + 98, 700);
    work->y += float(s.params[0]) / 400.0f;
    if (work->y <= 268.0f) return;
    SDL2_wheel_SoundPlaySE(kUpdBounceSound, false);
    const int32_t fans = updRankPick(4, 7, 10, 15);
    for (int32_t i = 0; i < fans; ++i) {
        enemyShotFan(57, randRange(32) - 16, float(150 + 25 * i), 1, 40, work->parentWork, work->x, 267.0f);
    }
    updVanishEnd(task, work);
}

void updOrbit(ObjWork* work) {
    ShotFields& s = shot(work);
    SDL2_wheel_AngleSinCos(work->heading, &s.start.x, &s.start.y, updOrbitSpeed(work));
    s.spin = (s.spin + (updSlowed(work) ? 16 : 32)) & 1023;
    work->x = s.start.x;
    work->y = s.start.y;
    SDL2_wheel_AngleSinCos(s.spin, &work->x, &work->y, 20.0f);
    updTrail(work);
}

void updTurnAim(ObjWork* work) {
    ShotFields& s = shot(work);
    if (s.behaviour != 0) return;
    s.workingSpeed -= 0.03f;
    if (s.workingSpeed >= 0.0f) return;
    s.workingSpeed = 3.0f;
    work->heading = updAim(work);
    s.behaviour = 1;
    s.unslowed = 0;
}

void updWave(ObjWork* work) {
    ShotFields& s = shot(work);
    SDL2_wheel_AngleSinCos(work->heading, &s.start.x, &s.start.y, updOrbitSpeed(work));
    const float phase = float(s.phase * 8) * kUpdTurnRadians / 1024.0f;
    const float reach = std::trunc(float(s.params[1]) * std::sin(phase));
    work->x = s.start.x;
    work->y = s.start.y;
    SDL2_wheel_AngleSinCos(work->heading + s.params[0], &work->x, &work->y, reach);
    ++s.phase;
    updTrail(work);
}

void updSwerve(ObjWork* work) {
    ShotFields& s = shot(work);
    if (s.behaviour == 0) {
        const bool clockwise = ((updAim(work) - work->heading) & 1023) < 512;
        s.targetAngle = (work->heading + (clockwise ? 500 : -500)) & 1023;
        s.behaviour = 1;
    } else if (s.behaviour == 1) {
        work->heading = SDL2_wheel_AngleClamp(s.targetAngle, work->heading, 3);
        if (work->heading == s.targetAngle || updOutside(work, 268.0f)) s.behaviour = 2;
    } else if (s.behaviour == 2) {
        s.workingSpeed += 0.01f;
    }
}

void updRingBurst(ObjTask* task, ObjWork* work) {
    ShotFields& s = shot(work);
    s.workingSpeed -= 0.05f;
    if (s.workingSpeed > 0.0f) return;
    updEnd(task);
    const int32_t lines = updRankPick(3, 6, 10, 10);
    const int32_t perLine = updRankPick(1, 1, 1, 3);
    const float speed = float(110 + randRange(10) * 10);
    enemyShotFanOfLines(133, work->heading, speed, lines, 1024 / lines, perLine, 30.0f, work->parentWork, work->x,
                        work->y);
    SDL2_wheel_SoundPlaySE(kUpdBurstSound, false);
}

void updEdgeBurst(ObjTask* task, ObjWork* work) {
    if (!updOutside(work, 264.0f)) return;
    updEnd(task);
    const float x = std::clamp(work->x, 0.0f, 224.0f), y = std::clamp(work->y, 0.0f, 264.0f);
    enemyShotFanOfLines(133, enemyAngleToPlayer(x, y), shot(work).workingSpeed * 75.0f, 3, 32, 1, 0.0f,
                        work->parentWork, x, y);
    SDL2_wheel_SoundPlaySE(kUpdBurstSound, false);
}

// The edge a shot left by: the heading back inside.
int32_t updInward(const ObjWork* work) {
    if (work->x < 0.0f) return 256;
    if (work->x > 224.0f) return 768;
    if (work->y < 0.0f) return 512;
    return 0;
}

void updHomingBurst(ObjTask* task, ObjWork* work) {
    ShotFields& s = shot(work);
    s.workingSpeed = std::min(s.workingSpeed + 0.05f, 6.0f);
    if (updOutside(work, 264.0f)) {
        updEnd(task);
        const int32_t fans = updRankPick(3, 4, 5, 5);
        const int32_t inward = updInward(work);
        const float x = std::clamp(work->x, 0.0f, 224.0f), y = std::clamp(work->y, 0.0f, 264.0f);
        for (int32_t i = 0; i < fans; ++i) {
            enemyShotFanOfLines(4, inward - 10 + randRange(21), 150.0f, 3, 32, 1, 0.0f, work->parentWork, x, y);
        }
        SDL2_wheel_SoundPlaySE(kUpdBurstSound, false);
    }
    updTrail(work);
}

void updAccelerate(ObjWork* work, int32_t after, float by, float cap) {
    ShotFields& s = shot(work);
    if (s.frameCount > after) s.workingSpeed = std::min(s.workingSpeed + by, cap);
}

void updOwnStep(ObjTask* task, ObjWork* work) {
    ShotFields& s = shot(work);
    switch (work->kind) {
    case 159: if (s.behaviour == 0) updHoming(work); break;
    case 160: updDelayedAim(work); break;
    case 164: case 165: updFalling(work); break;
    case 166: updSpray(work); break;
    case 167:
        s.workingSpeed = std::min(s.workingSpeed + 0.05f, s.deflected != 0 ? 4.0f : 5.0f);
        work->scaleX = work->scaleY = std::min(work->scaleX + 0.1f, 1.0f);
        break;
    case 168: updBurstFans(task, work, 133, false); break;
    case 169: updBurstFans(task, work, 139, false); break;
    case 170: updBurstFans(task, work, 133, true); break;
    case 171: updBurstFans(task, work, 139, true); break;
    case 172: updBounce(task, work); break;
    case 173: if (work->x < 22.0f || work->x > 202.0f) updVanishEnd(task, work); break;
    case 174: updSideShots(work); break;
    case 175: updAccelerate(work, 30, 0.02f, 5.0f); break;
    case 176: updDropBomb(task, work); break;
    case 177: updOrbit(work); break;
    case 178: updTurnAim(work); break;
    case 179: updWave(work); break;
    case 180: updSwerve(work); break;
    case 181: updRingBurst(task, work); break;
    case 182: updEdgeBurst(task, work); break;
    case 183:
        if (s.behaviour == 0) {
            updHoming(work);
            updTrail(work);
        } else {
            updHomingBurst(task, work);
        }
        break;
    case 184: case 185: updAccelerate(work, 20, 0.03f, 1.0e9f); break;
    case 186: case 187: updAccelerate(work, 20, 0.035f, 1.0e9f); break;
    default: break;
    }
}

void updMove(ObjWork* work) {
    if (work->kind == 177 || work->kind == 179) return;
    SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, work->speed);
}

void updKnockDecay(ObjWork* work) {
    ShotFields& s = shot(work);
    s.knockGuard = std::max(s.knockGuard - 1, 0);
    s.angleRadians = work->angle = float(work->heading) * kUpdTurnRadians / 1024.0f;
    if (s.knockSpeed < 0.0f) s.knockSpeed = std::min(s.knockSpeed + 0.15f, 0.0f);
}

// The first slot that wants this shot cancelled, or -1; the slots passed on
// the way are marked done. Owner 0 matches every shot.
int32_t updCancelMatch(ObjWork* work) {
    const uint32_t serial = uint32_t(shot(work).parentSerial);
    for (int32_t i = 0; i < kEshotCancelSlots; ++i) {
        EshotCancelSlot& slot = eshotCancelQueue.slots[size_t(i)];
        if (slot.ownerSerial == kEshotCancelFree) continue;
        const bool match = slot.ownerSerial == 0 || slot.ownerSerial == serial;
        if (match) return i;
        slot.done = 1;
    }
    return -1;
}

void updCancel(ObjTask* task, ObjWork* work) {
    if (eshotCancelQueue.countdown <= 0) return;
    const int32_t index = updCancelMatch(work);
    if (index < 0) return;
    const EshotCancelSlot& slot = eshotCancelQueue.slots[size_t(index)];
    TSKeshotVanish(work);
    if (slot.closeFlag == 1) fighterAddDestruction(destructionStepA());
    if (slot.level != -1) {
        if (slot.closeFlag == 1 && fighterIsPowerUp()) fighterAddDestruction(destructionStepB());
        if (slot.closeFlag == 1 && slot.secondFlag == 1) fighterAddDestruction(destructionStepC());
        const int32_t delay = fighterIsBombActive() ? 0 : eshotCancelQueue.cancelledCount / 8;
        TSKitemCreate(slot.level, 512, 0.0f, delay, slot.secondFlag, work->x, work->y);
        ++eshotCancelQueue.cancelledCount;
    }
    updEnd(task);
}

bool updOffScreen(const ObjWork* work) {
    return work->x < -work->sizeX || work->x > 224.0f + work->sizeX || work->y < -work->sizeY ||
           work->y > 264.0f + work->sizeY;
}

void updKnockBack(ObjWork* work) {
    ShotFields& s = shot(work);
    ObjWork* fighterWork = fighterGetWork();
    if (fighterWork == nullptr) return;
    if (fighterIsBlowArmed()) {
        if (SDL2_wheel_Distance(work->x, work->y, fighterWork->x, fighterWork->y) <= 80.0f) s.nearFlag = 1;
    } else if (!fighterIsBlowing()) {
        s.nearFlag = 0;
    }
    if (!fighterIsBlowing() || s.nearFlag == 0 || s.knockGuard != 0) return;
    if (work->kind == 179) {
        s.phase = 0;
        s.start = {work->x, work->y};
    }
    const bool fromOrigin = work->kind == 177 || work->kind == 179;
    const float fromX = fromOrigin ? s.start.x : work->x, fromY = fromOrigin ? s.start.y : work->y;
    work->heading = enemyAngleToPlayer(fromX, fromY);
    if (s.deflected == 0) {
        s.workingSpeed = work->kind == 167 ? 0.0f : s.workingSpeed * 0.8f;
        s.deflected = 1;
    }
    s.knockSpeed = -5.0f;
    s.knockGuard = 30;
    float x = work->x, y = work->y;
    SDL2_wheel_AngleSinCos(work->heading + 512, &x, &y, 20.0f);
    TSKeffectCreate(kUpdKnockEffect, work->heading, 0.5f, 0, 0, ObjRef{}, x, y);
}

void updConvert(ObjTask* task, ObjWork* work) {
    if (eshotConvertCountdown > 0) {
        fighterAddDestruction(destructionStepA());
        updVanishEnd(task, work);
        TSKitemCreate(7, 512, 0.0f, 0, 0, work->x, work->y);
    } else if (!fighterIsPowerUp()) {
        updVanishEnd(task, work);
    }
}

// The shared rules of every shot but the lasers.
void updRules(ObjTask* task, ObjWork* work) {
    updCancel(task, work);
    if (task->state != kObjStateRun) return;
    if (updOffScreen(work)) {
        updEnd(task);
        return;
    }
    const int32_t cls = shot(work).shotClass;
    if (cls == 2 && !fighterIsPowerUp() && gameMode != 3) {
        updVanishEnd(task, work);
        return;
    }
    updKnockBack(work);
    if (cls == 3) updConvert(task, work);
}

void updSpeed(ObjWork* work) {
    ObjWork* fighterWork = fighterGetWork();
    if (fighterWork == nullptr || fighterWork->life <= 0) return;
    const ShotFields& s = shot(work);
    work->speed = updSlowed(work) ? s.workingSpeed * 0.5f : s.workingSpeed;
    if (s.knockSpeed < 0.0f) work->speed = s.knockSpeed;
}

}  // namespace

void TSKeshotUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    ShotFields& s = shot(work);
    const bool laser = work->kind == 161 || work->kind == 162;
    if (s.firstUpdate == 0) {
        if (!laser && work->hitsOff == 0) updSetBox(work);
        s.firstUpdate = 1;
    }
    const bool cellChanged = updAnimate(work);
    if (laser) {
        if (!eshotLaserStep(task, work, cellChanged)) return;
    } else {
        updOwnStep(task, work);
    }
    updMove(work);
    updKnockDecay(work);
    if (laser) {
        if (work->y < -64.0f) updEnd(task);
    } else if (task->state == kObjStateRun) {
        updRules(task, work);
    }
    if (task->state != kObjStateRun) {
        work->hitBoxes = nullptr;
        work->hitBoxCount = 0;
    }
    if (work->motionSlot0 != -1) {
        if (GameTask* root = GameTask::getInstance()) {
            root->setMotionPosition(work->motionSlot0, work->x, work->y);
            root->refreshMotion(work->motionSlot0);
        }
    }
    updSpeed(work);
    ++s.frameCount;
}
