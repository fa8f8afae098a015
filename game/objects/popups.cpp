// Popup labels and score numbers.
#include "game/objects/popups.h"

#include <algorithm>

#include "game/core/draw_store.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects_sprite_ids.h"
#include "game/records/play_selection.h"

int32_t scorePopupTimer = 0;

namespace {

constexpr uint32_t kPopupTag = objTag("SPLT");
constexpr int32_t kPopupSpacing = 8;
constexpr uint64_t kPopupShownMost = 99999999;
constexpr int32_t kPopupDigitsPerStyle = 12;
constexpr float kPopupDigitPitch = 8.0f;

int32_t popupLabelSprite(int32_t kind) {
    switch (kind) {
    case 0: return 4649;
    case 2: return 4645;
    case 3: return 4646;
    case 4: return 4647;
    case 5: return 4648;
    default: return 0;
    }
}

void popupReleaseWork(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

// The set-up both families share: the work, the release, the depth.
bool popupSetUp(ObjTask* task, ObjWorkFn draw) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return false;
    }
    task->work = work;
    task->release = popupReleaseWork;
    work->draw = draw;
    work->depth = 500.0f;
    task->state = kObjStateRun;
    return true;
}

// Takes a task at the tail of the popups' group and runs its set-up; null
// when the pool has no task or no work.
ObjWork* popupCreate(ObjTaskFn act) {
    ObjTask* task = OBJtaskCreateTail(act, kPopupGroup, kPopupTag);
    if (task == nullptr) return nullptr;
    act(task);
    if (task->work == nullptr) {
        OBJtaskRelease(task);
        return nullptr;
    }
    return task->work;
}

bool popupOffScreen(const ObjWork* work) {
    return work->x < -64.0f || work->x > 288.0f || work->y < -64.0f || work->y > 352.0f;
}

void popupMove(ObjWork* work) { SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, work->speed); }

// A label grows for 0.15 a frame, holds to its 100th frame, then shrinks away.
bool popupLabelStep(ObjWork* work) {
    PopupFields& p = popup(work);
    popupMove(work);
    if (p.step == 0) {
        p.verticalScale = std::min(p.verticalScale + 0.15f, 1.0f);
        if (p.verticalScale >= 1.0f) p.step = 1;
    } else if (p.step == 1) {
        if (p.frameCount > 100) p.step = 2;
    } else {
        p.verticalScale -= 0.15f;
        if (p.verticalScale <= 0.0f) return true;
    }
    ++p.frameCount;
    return popupOffScreen(work);
}

int32_t popupDigitCount(uint64_t value) {
    int32_t digits = 1;
    for (; value >= 10; value /= 10) ++digits;
    return digits;
}

// True when the number has faded out or left the screen.
bool popupScoreStep(ObjWork* work) {
    PopupFields& p = popup(work);
    if (work->kind == 3) {
        if (p.frameCount == 0) work->x -= 15.0f * float(popupDigitCount(p.value) - 1);
        p.shown = std::min(p.shown + p.value / 60, p.value);
        if (p.value < 60) p.shown = p.value;
        if (p.frameCount >= 120) p.ending = 1;
    } else {
        p.shown = p.value;
        work->speed = std::min(work->speed + 0.04f, 5.0f);
        if (p.frameCount >= 60) p.ending = 1;
    }
    if (p.ending != 0) {
        work->speed = 0.0f;
        work->alpha -= 0.1f;
        if (work->alpha <= 0.0f) return true;
    }
    popupMove(work);
    ++p.frameCount;
    return popupOffScreen(work);
}

}  // namespace

void TSKspltCreate(int32_t kind, int32_t, int32_t parameter, int32_t, float x, float y) {
    if (popupLabelSprite(kind) == 0) return;
    ObjWork* work = popupCreate(TSKspltAct);
    if (work == nullptr) return;
    work->kind = kind;
    work->spriteBase = popupLabelSprite(kind);
    work->x = x;
    work->y = y;
    popup(work).param = parameter;
    work->heading = 960;
    work->speed = 0.4f;
    popup(work).verticalScale = 0.0f;
}

void TSKspltScoreCreate(int32_t kind, float x, float y, int32_t parameter, uint64_t value) {
    if (kind != 0 && kind != 1 && kind != 3) return;
    if (kind != 3 && scorePopupTimer > 0) return;
    ObjWork* work = popupCreate(TSKspltScoreAct);
    if (work == nullptr) return;
    scorePopupTimer = kPopupSpacing;
    work->kind = kind;
    work->x = x;
    work->y = y;
    popup(work).param = parameter;
    popup(work).value = std::min(value, kPopupShownMost);
    work->heading = 512;
    work->speed = kind == 3 ? 0.0f : 0.5f;
    work->depth = kind == 3 ? 608.0f : 500.0f;
    work->alpha = 1.0f;
}

void TSKspltAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit: popupSetUp(task, TSKspltDraw); break;
    case kObjStateRun:
        if (popupLabelStep(task->work)) task->state = kObjStateEnd;
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void TSKspltScoreAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit: popupSetUp(task, TSKspltScoreDraw); break;
    case kObjStateRun:
        if (popupScoreStep(task->work)) task->state = kObjStateEnd;
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

// The label scales about its centre.
void TSKspltDraw(ObjTask*, ObjWork* work) {
    OBJdrawSprite(work, work->spriteBase, work->x, work->y, int32_t(work->depth), 1.0f, popup(work).verticalScale,
                  0.0f, 1.0f, 0);
}

void TSKspltScoreDraw(ObjTask*, ObjWork* work) {
    const uint64_t shown = popup(work).shown;
    if (work->kind == 1) {
        spltDrawDigits(work, shown, work->x, 1, true);
    } else if (work->kind == 0) {
        if (gameMode != 0) spltDrawDigits(work, shown, work->x, 0, false);
        spltDrawDigits(work, shown, work->x, 1, false);
    } else {
        spltDrawDigits(work, shown, work->x, 1, false);
    }
}

void spltDrawDigits(ObjWork* work, uint64_t value, float x, int32_t style, bool showPrefix) {
    const int32_t base = kSpritePopupDigit + std::clamp(style, 0, 1) * kPopupDigitsPerStyle;
    value = std::min(value, kPopupShownMost);
    float at = x;
    do {
        OBJdrawSprite(work, base + int32_t(value % 10), at, work->y, int32_t(work->depth), 1.0f, 1.0f, 0.0f,
                      work->alpha, 0);
        value /= 10;
        at -= kPopupDigitPitch;
    } while (value > 0);
    if (showPrefix) {
        OBJdrawSprite(work, base + 10, at, work->y, int32_t(work->depth), 1.0f, 1.0f, 0.0f, work->alpha, 0);
    }
}
