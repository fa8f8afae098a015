// The effects' creation, act and draw; their per-kind steps are in effects_update.cpp.
#include "game/objects/effects.h"


#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/objects/effects_tables.h"
#include "game/objects/obj_hit_end.h"
#include "game/records/play_selection.h"
#include "game/stages/field_layers.h"

namespace {

constexpr float kEffectTurnRadians = 6.2831855f;
constexpr int32_t kEffectBombKind = 81;
constexpr int32_t kEffectGroundSlot = 2;
constexpr float kEffectBeamLength = 600.0f;

void effectReleaseWork(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

bool effectIsDramatic(int32_t kind) { return kind >= 137 && kind <= 140; }

// The bomb visual plays one of four motions once; any other first parameter
// opens nothing, so the effect ends at its first update.
void effectOpenBombMotion(ObjWork* work, int32_t which) {
    static const char* const kBombMotions[4] = {"bomb_a", "bomb_b", "bomb_c", "bomb_d"};
    if (which < 0 || which > 3) return;
    const int32_t slot = SDL2_wheel_MotionCreate(int32_t(work->depth), "bomb_ex");
    if (slot < 0) return;
    work->motionSlot0 = slot;
    if (GameTask* root = GameTask::getInstance()) root->setMotionPosition(slot, work->x, work->y);
    SDL2_wheel_MotionPlay(slot, 1, "bomb_exp_001", kBombMotions[which]);
}

void effectApplyRow(ObjWork* work, const EffectKindRow& row) {
    work->spriteBase = row.base;
    work->animCount = row.cells;
    work->animStep = row.framesPerCell;
    work->animFrame = row.startCell;
    effect(work).cellStep = row.cellStep;
    work->depth = float(row.depth);
    effect(work).additive = row.additive;
    work->r = row.r;
    work->g = row.g;
    work->b = row.b;
    work->alpha = row.alpha;
    work->scaleX = row.scaleX;
    work->scaleY = row.scaleY;
}

// What a kind takes from its parameters and the random generator at creation.
void effectApplyKind(ObjWork* work, const EffectKindRow& row, int32_t param1, int32_t param2) {
    const int32_t kind = work->kind;
    if (row.pieces > 0) work->animFrame = randRange(row.pieces);
    if (kind == 77 && param1 > 0) work->depth = float(param1);
    if (kind >= 109 && kind <= 111 && param1 > 0) work->depth = float(param1);
    if (kind == 80) work->spriteBase = param1 != 0 ? 22 : 11;
    if (kind == 127) work->spriteBase = row.base + 4 * (stageNumber - 1);
    if (kind >= 129 && kind <= 132) {
        work->sizeX = 300.0f;
        work->sizeY = 600.0f;
        effect(work).beamLength = kEffectBeamLength;
    }
    if (kind >= 133 && kind <= 136) work->heading = 448 + randRange(128);
    if (kind >= 137 && kind <= 140) effect(work).counter = 10;
    if (kind == 141) work->spriteBase = param2;
    if (kind == 141 || kind == 142) {
        effect(work).fallCounter = param1;
        effect(work).spinSpeed = randRangeCentered(32);
    }
    if (kind == kEffectBombKind) effectOpenBombMotion(work, param1);
}

ObjPoint effectDrawPoint(ObjWork* work) {
    ObjPoint at{work->x + float(quakeOffsetX), work->y + float(quakeOffsetY)};
    if (effect(work).hadParent != 0) {
        at.x += effect(work).parentSeen.x;
        at.y += effect(work).parentSeen.y;
    }
    return at;
}

// The bomb's beam: 40 fading copies along its points, then its head.
void effectDrawBeam(ObjWork* work, ObjPoint shift) {
    const EffectFields& e = effect(work);
    for (int i = 1; i <= kEffectBeamPoints - 1; ++i) {
        OBJdrawSprite(work, work->spriteBase, e.beam[i].x + shift.x, e.beam[i].y + shift.y, int32_t(work->depth),
                      work->scaleX, work->scaleY, work->angle, float(i) * 0.025f, 1);
    }
    OBJdrawSprite(work, work->spriteBase, e.beam[0].x + shift.x, e.beam[0].y + shift.y, int32_t(work->depth),
                  work->scaleX, work->scaleY, work->angle, 1.0f, 0);
}

void effectDrawOutline(ObjWork* work, ObjPoint at) {
    const uint8_t r = work->r, g = work->g, b = work->b;
    work->r = work->g = work->b = 0;
    constexpr float kOffsets[4][2] = {{-1.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, -1.0f}, {0.0f, 1.0f}};
    for (const auto& offset : kOffsets) {
        OBJdrawSprite(work, work->spriteBase + work->animFrame, at.x + offset[0], at.y + offset[1],
                      int32_t(work->depth), work->scaleX, work->scaleY, work->angle, work->alpha, 0);
    }
    work->r = r;
    work->g = g;
    work->b = b;
}

}  // namespace

bool effectIsGround(int32_t kind) { return kind == 71 || (kind >= 105 && kind <= 111); }

void TSKeffectCreate(int32_t kind, int32_t angle, float speed, int32_t param1, int32_t param2, ObjRef parent,
                     float x, float y) {
    if (kind < 0 || kind >= kEffectKinds) return;
    if (effectIsDramatic(kind) && dramaticMode == 0) return;
    ObjTask* task = OBJtaskCreateSetUp(TSKeffectAct, kEffectGroup, objTag("EFCT"));
    if (task == nullptr) return;
    ObjWork* work = task->work;
    work->kind = kind;
    work->x = x;
    work->y = y;
    work->speed = speed;
    work->heading = angle;
    work->angle = float(angle) * kEffectTurnRadians / 1024.0f;
    work->sizeX = work->sizeY = 64.0f;
    effect(work).params[0] = param1;
    effect(work).params[1] = param2;
    if (ObjWork* parentWork = objRefWork(parent)) {
        work->parentWork = parent;
        effect(work).hadParent = 1;
        effect(work).parentSeen = {parentWork->x, parentWork->y};
    }
    const EffectKindRow& row = kEffectKindTable[size_t(kind)];
    effectApplyRow(work, row);
    effectApplyKind(work, row, param1, param2);
    work->animCounter = work->animStep;
    if (row.depthFromSecond != 0 && param2 != 0) work->depth = float(param2);
    TSKeffectAct(task);
}

void TSKeffectAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        if (ObjWork* work = OBJworkSetUp(task, {effectReleaseWork, TSKeffectDraw, objHitEnd, 604.0f})) {
            effect(work).frameCount = 0;
        }
        break;
    case kObjStateRun:
        TSKeffectUpdate(task);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void TSKeffectDraw(ObjTask*, ObjWork* work) {
    const int32_t kind = work->kind;
    ObjPoint at = effectDrawPoint(work);
    const uint8_t r = work->r, g = work->g, b = work->b;
    if (effectIsGround(kind)) {
        const ObjPoint offset = fieldLayerOffsetOf(kEffectGroundSlot);
        at.x += offset.x;
        at.y += offset.y;
        work->r = uint8_t(fieldLayerSharedTint.r);
        work->g = uint8_t(fieldLayerSharedTint.g);
        work->b = uint8_t(fieldLayerSharedTint.b);
    }
    if (kind >= 129 && kind <= 132) {
        effectDrawBeam(work, {at.x - work->x, at.y - work->y});
        return;
    }
    if (kind >= 137 && kind <= 140) at.x += float(effect(work).counter * effect(work).counter);
    if (kind == 141) effectDrawOutline(work, at);
    if (work->spriteBase != 0) {
        OBJdrawSprite(work, work->spriteBase + work->animFrame, at.x, at.y, int32_t(work->depth), work->scaleX,
                      work->scaleY, work->angle, work->alpha, effect(work).additive != 0 ? 1 : 0);
    }
    work->r = r;
    work->g = g;
    work->b = b;
    if (work->motionSlot0 >= 0) OBJdrawMotion(work, work->motionSlot0, int32_t(work->depth), 0, 1.0f, 255, 255, 255);
}
