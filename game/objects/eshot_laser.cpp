// The enemy lasers (types 161 and 162): a "lazer" motion stepped by hand
// whose "top" locator is the beam's tip, and a strip of 40 hit boxes that
// spans the line from the laser to the tip. The state is the work's
// lifeState: 0 charge, 1 fire, 2 grow, 3 hold; the shooter writes 10 (end,
// into items under a cancel) or 12 (cut); 11 fades, 20 ends the task.
#include <algorithm>
#include <array>

#include "game/core/collision.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/eshot.h"
#include "game/objects/item.h"
#include "game/stages/enemies/eshot_cancel.h"

int32_t eshotLaserNext = 0;

namespace {

constexpr int32_t kLaserChargeFull = 300;
constexpr int32_t kLaserChargeStep = 12;
constexpr HitBox kLaserFreshBox = {0.0f, 0.0f, 4.0f, 4.0f};

using LaserStripTable = std::array<std::array<HitBox, kEshotLaserBoxes>, kEshotLaserStrips>;

LaserStripTable laserFreshStrips() {
    LaserStripTable strips{};
    for (auto& strip : strips) strip.fill(kLaserFreshBox);
    return strips;
}

LaserStripTable laserStrips = laserFreshStrips();

struct LaserTip {
    float x, y;
};

bool laserSlotValid(int32_t slot) {
    GameTask* root = GameTask::getInstance();
    return root != nullptr && root->motionSlots.valid(slot);
}

// Steps the motion by one frame (no further than its length) and reads the
// tip; without a motion the tip is the laser itself.
LaserTip laserStepMotion(ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (!laserSlotValid(slot)) return {work->x, work->y};
    GameTask* root = GameTask::getInstance();
    root->setMotionFrame(slot, std::min(root->getMotionFrame(slot) + 1, root->getMotionLength(slot)));
    root->refreshMotion(slot);
    float out[3] = {};
    if (!SDL2_wheel_MotionGetLocator(slot, out, "top")) return {work->x, work->y};
    return {out[0], out[1]};
}

bool laserMotionAtEnd(const ObjWork* work) {
    if (!laserSlotValid(work->motionSlot0)) return true;
    const GameTask* root = GameTask::getInstance();
    return root->getMotionFrame(work->motionSlot0) >= root->getMotionLength(work->motionSlot0);
}

void laserPlay(ObjWork* work, const char* label, int32_t loopLimit) {
    SDL2_wheel_MotionPlay(work->motionSlot0, loopLimit, "laser", label);
    SDL2_wheel_MotionPause(work->motionSlot0);
}

void laserNoBoxes(ObjWork* work) {
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
}

HitBox* laserStrip(ObjWork* work) { return eshotLaserHitBoxes(shot(work).strip); }

void laserLayBoxes(ObjWork* work, LaserTip tip) {
    HitBox* strip = laserStrip(work);
    const float stepX = (tip.x - work->x) / float(kEshotLaserBoxes);
    const float stepY = (tip.y - work->y) / float(kEshotLaserBoxes);
    for (int i = 0; i < kEshotLaserBoxes; ++i) {
        strip[i].x = float(i) * stepX;
        strip[i].y = float(i) * stepY;
    }
}

void laserCharge(ObjTask* task, ObjWork* work, bool cellChanged) {
    ShotFields& s = shot(work);
    laserNoBoxes(work);
    if (!cellChanged) return;
    if (s.charge == 0) SDL2_wheel_SoundPlaySE(22, false);
    float x = 0.0f, y = 0.0f;
    SDL2_wheel_AngleSinCos(work->heading, &x, &y, float(s.charge));
    TSKeffectCreate(117, work->heading, 0.0f, 0, 0, objRef(task), x, y);
    TSKeffectCreate(118, work->heading, 0.0f, 0, 0, objRef(task), x, y);
    s.charge += kLaserChargeStep;
    if (s.charge < kLaserChargeFull) return;
    s.strip = ((eshotLaserNext % kEshotLaserStrips) + kEshotLaserStrips) % kEshotLaserStrips;
    ++eshotLaserNext;
    work->lifeState = 1;
}

void laserGrow(ObjWork* work, LaserTip tip) {
    ShotFields& s = shot(work);
    s.stripLive = 1;
    laserLayBoxes(work, tip);
    if (work->hitsOff == 0) {
        work->hitBoxes = laserStrip(work);
        work->hitBoxCount = kEshotLaserBoxes;
    } else {
        laserNoBoxes(work);
    }
    if (work->lifeState == 2 && laserMotionAtEnd(work)) {
        work->lifeState = 3;
        SDL2_wheel_MotionPlay(work->motionSlot0, -1, "laser", "wait");
    }
}

// Under a cancel of its shooter, the laser lays 40 items along its strip once.
void laserEnd(ObjWork* work, LaserTip tip) {
    ShotFields& s = shot(work);
    laserNoBoxes(work);
    if (eshotCancelQueue.countdown > 0 && s.stripLive != 0) {
        laserLayBoxes(work, tip);
        const uint32_t serial = uint32_t(s.parentSerial);
        for (EshotCancelSlot& slot : eshotCancelQueue.slots) {
            if (slot.ownerSerial == kEshotCancelFree) continue;
            if (slot.ownerSerial != serial) {
                slot.done = 1;
                continue;
            }
            if (slot.level != -1 && s.converted == 0) {
                s.converted = 1;
                const HitBox* strip = laserStrip(work);
                for (int i = 0; i < kEshotLaserBoxes; ++i) {
                    TSKitemCreate(slot.level, 512, 0.0f, i / 2, slot.secondFlag, work->x + strip[i].x,
                                  work->y + strip[i].y);
                }
            }
            break;
        }
    }
    work->lifeState = 11;
    laserPlay(work, "end", 1);
}

}  // namespace

HitBox* eshotLaserHitBoxes(int32_t index) {
    return index >= 0 && index < kEshotLaserStrips ? laserStrips[size_t(index)].data() : nullptr;
}

void eshotLaserClear() {
    laserStrips = laserFreshStrips();
    eshotLaserNext = 0;
}

void eshotLaserRestart(ObjWork* work) {
    work->lifeState = 0;
    shot(work).charge = 0;
}

bool eshotLaserStep(ObjTask* task, ObjWork* work, bool cellChanged) {
    if (continueScreenActive != 0 || freezeByGameOver != 0) return false;
    const LaserTip tip = laserStepMotion(work);
    switch (work->lifeState) {
    case 0:
        laserCharge(task, work, cellChanged);
        break;
    case 1:
        laserNoBoxes(work);
        work->lifeState = 2;
        laserPlay(work, "start", 1);
        SDL2_wheel_SoundPlaySE(21, false);
        break;
    case 2:
    case 3:
        laserGrow(work, tip);
        break;
    case 10:
        laserEnd(work, tip);
        break;
    case 11:
        laserNoBoxes(work);
        if (laserMotionAtEnd(work)) {
            work->serial = kEshotCancelFree;
            work->lifeState = 20;
        }
        break;
    case 12:
        work->serial = kEshotCancelFree;
        laserNoBoxes(work);
        work->lifeState = 20;
        break;
    case 20:
        task->state = kObjStateEnd;
        break;
    default:
        break;
    }
    if (GameTask* root = GameTask::getInstance()) {
        root->setMotionAngle(work->motionSlot0, float(work->heading) * 360.0f / 1024.0f);
    }
    return true;
}
