// The partners: one stands by from the start, one more comes with each call.
// They walk in, idle, cross the screen and stagger when the character runs
// into them.
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/frontend/staff_roll/staff_roll.h"
#include "game/frontend/staff_roll/staff_roll_pages.h"

namespace {

constexpr float kPartnerDepth = 440.0f;
constexpr float kPartnerStartX = -100.0f;
constexpr float kPartnerY = 278.0f;
constexpr float kPartnerWalk = 1.5f;
constexpr float kPartnerLeftStop = 30.0f;
constexpr float kPartnerRightStop = 194.0f;
constexpr float kPartnerMiddle = 112.0f;
constexpr int32_t kPartnerStunFrames = 120;
constexpr int32_t kPartnerKinds = 5;
constexpr int32_t kPartnerPoses = 5;
constexpr uint32_t kPartnerTag = objTag("ESHT");
constexpr int32_t kPartnerGroup = 11;
// The first sprite frame of each kind's poses (walk, idle 1, idle 2, struck
// 1, struck 2) and the frames a pose cycles through.
constexpr int32_t kPartnerFrames[kPartnerKinds][kPartnerPoses] = {
    {1660, 1663, 1667, 1654, 1658}, {1675, 1678, 1682, 1669, 1673}, {1690, 1693, 1697, 1684, 1688},
    {1705, 1708, 1712, 1699, 1703}, {1720, 1723, 1727, 1714, 1718},
};
constexpr int32_t kPartnerPoseCells[kPartnerPoses] = {3, 4, 2, 4, 2};

enum PartnerPhase : int32_t {
    kPartnerIdleLong = 0,
    kPartnerAfterIdleLong = 1,
    kPartnerIdleShort = 2,
    kPartnerAfterIdleShort = 3,
    kPartnerTurn = 4,
    kPartnerCross = 5,
    kPartnerArrive = 6,
    kPartnerWalkIn = 7,
};

void partnerRelease(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

int32_t partnerIdleFrames() { return 120 + randRange(120); }

void partnerIdle(StaffRollFields& f, int32_t next) {
    f.phase = next;
    f.phaseTimer = partnerIdleFrames();
}

// True on arriving at x.
bool partnerWalkTo(ObjWork* work, float x, bool right) {
    work->x += right ? kPartnerWalk : -kPartnerWalk;
    if (right ? work->x < x : work->x > x) return false;
    work->x = x;
    return true;
}

void partnerStep(ObjWork* work, StaffRollFields& f) {
    switch (f.phase) {
    case kPartnerArrive:
        f.direction = 1;
        f.pose = 0;
        f.phase = kPartnerWalkIn;
        break;
    case kPartnerWalkIn:
        if (partnerWalkTo(work, kPartnerLeftStop, true)) partnerIdle(f, kPartnerIdleLong);
        break;
    case kPartnerIdleLong:
        f.pose = 2;
        if (staffRollStarted != 0 && --f.phaseTimer <= 0) f.phase = kPartnerAfterIdleLong;
        break;
    case kPartnerAfterIdleLong: partnerIdle(f, kPartnerIdleShort); break;
    case kPartnerIdleShort:
        f.pose = 1;
        if (--f.phaseTimer <= 0) f.phase = kPartnerAfterIdleShort;
        break;
    case kPartnerAfterIdleShort: f.phase = kPartnerTurn; break;
    case kPartnerTurn:
        f.direction = work->x <= kPartnerMiddle ? 0 : 1;
        f.pose = 0;
        f.phase = kPartnerCross;
        break;
    default:
        f.pose = 0;
        if (partnerWalkTo(work, f.direction == 0 ? kPartnerRightStop : kPartnerLeftStop, f.direction == 0)) {
            partnerIdle(f, kPartnerIdleLong);
        }
        break;
    }
}

void partnerDraw(ObjTask*, ObjWork* work) {
    const StaffRollFields& f = staffRoll(work);
    const int32_t pose = f.pose;
    const int32_t frame = kPartnerFrames[f.partnerKind][pose] + (work->age / 6) % kPartnerPoseCells[pose];
    const float drop = pose == 4 ? kStaffRollPartnerPose4Drop : 0.0f;
    OBJdrawSprite(work, frame, work->x, work->y + drop, int32_t(work->depth), 1.0f, 1.0f, 0.0f, work->alpha, 0);
}

// Struck: one of the two struck poses, standing still a while.
void partnerHit(ObjTask*, ObjWork* work) {
    StaffRollFields& f = staffRoll(work);
    f.pose = 3 + randRange(2);
    f.stun = kPartnerStunFrames;
}

}  // namespace

void staffRollPartnerCreate(int32_t kind) {
    ObjTask* task = OBJtaskCreateSetUp(staffRollPartnerAct, kPartnerGroup, kPartnerTag);
    if (task == nullptr) return;
    staffRoll(task->work).partnerKind = kind >= 0 && kind < kPartnerKinds ? kind : 0;
}

void staffRollPartnerAct(ObjTask* task) {
    if (task->state == kObjStateInit) {
        ObjWork* work = OBJworkSetUp(task, {partnerRelease, partnerDraw, partnerHit, kPartnerDepth});
        if (work == nullptr) return;
        work->rotate = 0;
        work->x = kPartnerStartX;
        work->y = kPartnerY;
        work->alpha = 1.0f;
        work->hitBoxes = &kStaffRollPartnerBox;
        work->hitBoxCount = 1;
        staffRoll(work).phase = kPartnerArrive;
        return;
    }
    ObjWork* work = task->work;
    if (task->state != kObjStateRun || work == nullptr) {
        OBJtaskReleaseUnlessPersistent(task);
        return;
    }
    StaffRollFields& f = staffRoll(work);
    if (f.stun > 0) {
        --f.stun;
    } else {
        partnerStep(work, f);
    }
    ++work->age;
}
