// Wreckage: debris that rides a background layer.
#include "game/objects/wreckage.h"

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/core/wheel_angle.h"
#include "game/stages/field_layers.h"

namespace {

constexpr uint32_t kWreckTag = objTag("ZANG");
constexpr int32_t kWreckFramesPerCell = 12;

// A kind's sprite bases: three variants for the kinds that pick one at
// random, the same base three times for the others.
struct WreckRow {
    int32_t bases[3];
    bool random;
};

constexpr WreckRow kWreckRows[kWreckKinds] = {
    {{2703, 2707, 2711}, true},  {{2715, 2715, 2715}, false}, {{2731, 2731, 2731}, false},
    {{2715, 2719, 2723}, true},  {{2719, 2719, 2719}, false}, {{2723, 2723, 2723}, false},
    {{2731, 2735, 2739}, true},  {{2735, 2735, 2735}, false}, {{2739, 2739, 2739}, false},
    {{2747, 2751, 2755}, true},  {{2751, 2751, 2751}, false}, {{2755, 2755, 2755}, false},
    {{2763, 2767, 2771}, true},  {{2767, 2767, 2767}, false}, {{2771, 2771, 2771}, false},
    {{2699, 2699, 2699}, false}, {{2695, 2695, 2695}, false}, {{2779, 2779, 2779}, false},
    {{2703, 2703, 2703}, false}, {{2699, 2699, 2699}, false}, {{2695, 2695, 2695}, false},
    {{2779, 2779, 2779}, false},
};

// The four bases of the sheet whose pieces tumble over 8 frames.
bool wreckEightFrames(int32_t base) { return base == 2723 || base == 2739 || base == 2755 || base == 2771; }

void wreckReleaseWork(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

bool wreckStep(ObjWork* work) {
    WreckFields& w = wreck(work);
    if (--work->animCounter <= 0) {
        work->animCounter = kWreckFramesPerCell;
        work->animFrame = (work->animFrame + 1) % work->animCount;
    }
    const int32_t kind = work->kind;
    if (w.frameCount > 60 && kind >= 18 && kind <= 20) work->alpha -= 0.01f;
    if (w.frameCount > 60 && kind == 21) work->alpha -= 0.001f;
    if (work->alpha <= 0.0f) return true;
    const ObjPoint shift = fieldLayerShiftOf(w.layer);
    work->x -= shift.x;
    work->y += shift.y;
    w.drawOffset = {float(quakeOffsetX), float(quakeOffsetY)};
    SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, work->speed);
    ++w.frameCount;
    return work->x < -128.0f || work->x > 352.0f || work->y < -128.0f || work->y > 416.0f;
}

}  // namespace

void TSKzangCreate(int32_t kind, int32_t speed, int32_t layer, float x, float y) {
    if (kind < 0 || kind >= kWreckKinds || layer < 1 || layer > 4) return;
    ObjTask* task = OBJtaskCreateSetUp(TSKzangAct, kWreckGroup, kWreckTag);
    if (task == nullptr) return;
    ObjWork* work = task->work;
    constexpr float kLayerDepth[4] = {11.0f, 101.0f, 201.0f, 301.0f};
    const WreckRow& row = kWreckRows[kind];
    const int32_t variant = row.random ? randRange(3) : 0;
    work->kind = kind;
    work->x = x;
    work->y = y;
    work->speed = float(speed) / 100.0f;
    work->heading = 0;
    wreck(work).layer = layer;
    work->depth = kLayerDepth[layer - 1];
    work->spriteBase = row.bases[variant];
    work->animCount = wreckEightFrames(work->spriteBase) ? 8 : 4;
    work->animCounter = kWreckFramesPerCell;
    work->alpha = 1.0f;
}

void TSKzangAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        // The depth comes with the layer, at creation.
        OBJworkSetUp(task, {wreckReleaseWork, TSKzangDraw, nullptr, 0.0f});
        break;
    case kObjStateRun: TSKzangUpdate(task); break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void TSKzangUpdate(ObjTask* task) {
    if (wreckStep(task->work)) task->state = kObjStateEnd;
}

// Drawn in the background's tint, so wreckage darkens with its layer.
void TSKzangDraw(ObjTask*, ObjWork* work) {
    const uint8_t r = work->r, g = work->g, b = work->b;
    work->r = uint8_t(fieldLayerSharedTint.r);
    work->g = uint8_t(fieldLayerSharedTint.g);
    work->b = uint8_t(fieldLayerSharedTint.b);
    const WreckFields& w = wreck(work);
    OBJdrawSprite(work, work->spriteBase + work->animFrame, work->x + w.drawOffset.x, work->y + w.drawOffset.y,
                  int32_t(work->depth), work->scaleX, work->scaleY, work->angle, work->alpha, 0);
    work->r = r;
    work->g = g;
    work->b = b;
}
