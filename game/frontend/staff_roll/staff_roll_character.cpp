// The mini-game's character: thrust and gravity under the pad, the screen's
// edges, the bounce at the bottom, leaving upwards after the roll, and what
// letters and partners do to it.
#include <algorithm>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/input_words.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/frontend/staff_roll/staff_roll.h"
#include "game/frontend/staff_roll/staff_roll_pages.h"
#include "game/objects/effects.h"

namespace {

constexpr uint32_t kCharUp = 0x01;
constexpr uint32_t kCharDown = 0x02;
constexpr uint32_t kCharLeft = 0x04;
constexpr uint32_t kCharRight = 0x08;
constexpr float kCharDepth = 613.0f;
constexpr float kCharWalk = 2.0f;
constexpr int32_t kCharThrust = 40;
constexpr int32_t kCharDive = 50;
constexpr int32_t kCharGravity = 98;
constexpr float kCharLeftEdge = 16.0f;
constexpr float kCharRightEdge = 208.0f;
constexpr float kCharTop = 16.0f;
constexpr float kCharLeaveTop = -16.0f;
constexpr float kCharFloor = 272.0f;
constexpr int32_t kCharBounce = -6000;
constexpr int32_t kCharLeaveBounce = -3000;
constexpr int32_t kCharFast = 1000;
constexpr int32_t kCharFrameFalling = 1618;
constexpr int32_t kCharFrameThrust = 1620;
constexpr int32_t kCharFrameLevel = 1622;
constexpr int32_t kCharFrameStunned = 1610;
constexpr int32_t kCharSparks = 5;
constexpr int32_t kCharSparkKind = 142;
constexpr int32_t kCharSparkFrame = 4651;
constexpr int32_t kCharLetterGroup = 7;
constexpr int32_t kCharPartnerGroup = 11;

void charRelease(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

void charInput(ObjWork* work, StaffRollFields& f) {
    if (staffRollFinished != 0 || f.stun != 0) return;
    if ((padHeld & kCharLeft) != 0) {
        f.facing = 1;
        work->x -= kCharWalk;  // heading 768
    }
    if ((padHeld & kCharRight) != 0) {
        f.facing = 0;
        work->x += kCharWalk;  // heading 256
    }
    if ((padHeld & kCharUp) != 0) {
        f.vy -= kCharThrust;
    } else if ((padHeld & kCharDown) != 0 && f.hitLock == 0 && f.vy < -100) {
        f.vy += kCharDive;
    }
}

// False once the character has left upwards after the roll.
bool charMove(ObjWork* work, StaffRollFields& f) {
    f.vx = f.vx > 0 ? std::max(f.vx - kCharGravity, 0) : std::min(f.vx + kCharGravity, 0);
    if (f.landed == 0 || f.vy > 0) f.vy += kCharGravity;
    work->x += float(f.vx) * 0.001f;
    work->y += float(f.vy) * 0.001f;
    if (work->x < kCharLeftEdge || work->x > kCharRightEdge) {
        work->x = std::clamp(work->x, kCharLeftEdge, kCharRightEdge);
        f.vx = -f.vx;
    }
    if (staffRollFinished == 0 && work->y < kCharTop) {
        work->y = kCharTop;
        f.vy = 0;
    }
    if (staffRollFinished != 0 && work->y < kCharLeaveTop) return false;
    if (work->y > kCharFloor) {
        work->y = kCharFloor;
        if (staffRollFinished == 0) {
            f.vy = kCharBounce;
        } else {
            f.vy = kCharLeaveBounce;
            f.landed = 1;
        }
    }
    return true;
}

void charPickFrame(ObjWork* work, StaffRollFields& f) {
    int32_t frame = f.vy < -kCharFast ? kCharFrameThrust : f.vy <= kCharFast ? kCharFrameLevel : kCharFrameFalling;
    if (f.flash > 0) frame = kCharFrameLevel;
    if ((padHeld & kCharUp) != 0) frame = kCharFrameThrust;
    if ((padHeld & kCharDown) != 0) frame = kCharFrameFalling;
    if (staffRollFinished != 0 && f.vy < -kCharFast) f.stun = 10;
    if (f.stun > 0) {
        frame = kCharFrameStunned;
        --f.stun;
    }
    work->spriteBase = frame;
    if (f.hitLock > 0) --f.hitLock;
    if (f.flash > 0) --f.flash;
}

// Outlined as the letters; the frame and the next one alternate every 10 frames.
void charDraw(ObjTask*, ObjWork* work) {
    const int32_t frame = work->spriteBase + (work->age / 10) % 2;
    const int32_t layer = int32_t(work->depth);
    work->flip = staffRoll(work).facing;
    const uint8_t r = work->r, g = work->g, b = work->b;
    work->r = work->g = work->b = 0;
    for (float dx : {-1.0f, 1.0f, -1.0f, 1.0f}) {
        OBJdrawSprite(work, frame, work->x + dx, work->y, layer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
    }
    work->r = r;
    work->g = g;
    work->b = b;
    OBJdrawSprite(work, frame, work->x, work->y, layer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
}

// Moving down onto a letter well below, or up into one well above, turns back.
void charMeetLetter(ObjWork* work, StaffRollFields& f, const ObjWork* letter) {
    if ((f.vy > 0 && letter->y > work->y + 3.0f) || (f.vy < 0 && letter->y < work->y - 3.0f)) f.vy = -f.vy;
    f.flash = 10;
    f.hitLock = 2;
}

void charMeetPartner(ObjWork* work, StaffRollFields& f, const ObjWork* partner) {
    SDL2_wheel_SoundPlaySE(47, false);
    f.stun = 120;
    f.hitLock = 4;
    f.vx = partner->x > work->x ? -12000 : 12000;
    f.vy = -7000;
    for (int32_t k = 0; k < kCharSparks; ++k) {
        const int32_t heading = randRange(512) - 256;
        const int32_t rise = (-20 - randRange(20)) * 100;
        TSKeffectCreate(kCharSparkKind, heading, 1.5f, rise, kCharSparkFrame, ObjRef{}, work->x, work->y);
    }
    staffRollGaugeAdd(3);
}

}  // namespace

void staffRollCharacterAct(ObjTask* task) {
    if (task->state == kObjStateInit) {
        ObjWork* work = OBJworkSetUp(task, {charRelease, charDraw, staffRollCharacterHit, kCharDepth});
        if (work == nullptr) return;
        work->rotate = 0;
        work->x = 112.0f;
        work->y = -30.0f;
        work->spriteBase = kCharFrameLevel;
        work->hitBoxes = &kStaffRollCharacterBox;
        work->hitBoxCount = 1;
        return;
    }
    ObjWork* work = task->work;
    if (task->state != kObjStateRun || work == nullptr) {
        OBJtaskReleaseUnlessPersistent(task);
        return;
    }
    StaffRollFields& f = staffRoll(work);
    charInput(work, f);
    if (!charMove(work, f)) {
        OBJtaskRelease(task);
        return;
    }
    charPickFrame(work, f);
    ++work->age;
}

void staffRollCharacterHit(ObjTask*, ObjWork* work) {
    StaffRollFields& f = staffRoll(work);
    if (staffRollFinished != 0 || f.hitLock > 0) return;
    const ObjTask* other = objRefTask(work->lastCollider);
    if (other == nullptr || other->work == nullptr) return;
    if (other->group == kCharLetterGroup) charMeetLetter(work, f, other->work);
    if (other->group == kCharPartnerGroup) charMeetPartner(work, f, other->work);
}
