#include "game/objects/item.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/play_state.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_pickup.h"
#include "game/stages/field_layers.h"

int32_t itemLiveBombs = 0;
int32_t itemLiveChanges = 0;
int32_t itemLiveSways = 0;

namespace {

struct ItemKindRow {
    int32_t spriteBase, cells, framesPerCell, depth;
};

constexpr ItemKindRow kItemKindRows[kItemKinds] = {
    {4690, 12, 2, 503}, {4690, 12, 2, 502}, {4678, 12, 2, 502}, {4666, 12, 2, 502}, {4702, 12, 2, 502},
    {4640, 1, 2, 502},  {4650, 1, 2, 502},  {4658, 7, 2, 503},  {4658, 7, 2, 502},  {4651, 7, 2, 502},
    {4641, 1, 180, 502}, {5527, 4, 4, 502}, {4665, 1, 2, 502},  {4665, 1, 2, 104},
};
constexpr int32_t kItemSecretSprites[5] = {5527, 5531, 5535, 5539, 5543};
constexpr int32_t kItemChangeSprite = 4641;
constexpr HitBox kItemBoxLarge = {0.0f, 0.0f, 24.0f, 24.0f};
constexpr HitBox kItemBoxSmall = {0.0f, 0.0f, 10.0f, 10.0f};
constexpr int32_t kItemDepth = 502;
constexpr float kItemFieldCentreX = 112.0f;
constexpr float kItemFieldCentreY = 144.0f;
constexpr int32_t kItemLifeTurns = 9;
constexpr float kItemTipRadius[2] = {90.0f, 135.0f};  // shot, laser: the same for every type
constexpr int32_t kItemChangeFrames = 180;
constexpr int32_t kItemChangeFlash = 30;

int32_t* itemLiveCounter(int32_t kind) {
    if (kind == 5) return &itemLiveBombs;
    if (kind == 10) return &itemLiveChanges;
    if (kind == 12) return &itemLiveSways;
    return nullptr;
}

int32_t itemHeadingTo(float x0, float y0, float x1, float y1) {
    const double turns = std::atan2(double(x1 - x0), double(y0 - y1)) / (2.0 * std::numbers::pi);
    return (int32_t(std::lround(turns * 1024.0)) % 1024 + 1024) % 1024;
}

float itemSin(int32_t angle) { return float(std::sin(double(angle) * 2.0 * std::numbers::pi / 1024.0)); }
float itemCos(int32_t angle) { return float(std::cos(double(angle) * 2.0 * std::numbers::pi / 1024.0)); }

bool itemCollecting() { return fighterAnyReady() && fighterGetFireLock() == 0; }

void itemHeadForFighter(ObjWork* work) {
    if (ObjWork* f = fighterGetWork()) work->heading = itemHeadingTo(work->x, work->y, f->x, f->y);
}

void itemMedalStep(ObjWork* work) {
    ItemFields& it = item(work);
    if (it.behaviour == 0) {
        it.fallCounter = std::min(it.fallCounter + 98, 500);
        work->y += float(it.fallCounter) / 300.0f;
        work->alpha = 1.0f;
        if (it.frameCount > 30 && itemCollecting()) it.behaviour = 1;
        return;
    }
    work->alpha = 0.7f;
    work->speed = 6.0f;
    itemHeadForFighter(work);
    if (!itemCollecting()) it.behaviour = 0, work->speed = 0.0f;
}

void itemSwayStep(ObjWork* work) {
    ItemFields& it = item(work);
    work->x = it.anchor.x + 30.0f * itemSin(it.frameCount * 8);
    if (it.behaviour == 0 && work->y > 258.0f) it.behaviour = 1;
    it.anchor.y += it.behaviour == 0 ? 0.2f : -0.2f;
    work->y = it.anchor.y;
}

void itemLifeStep(ObjWork* work) {
    ItemFields& it = item(work);
    if (it.frameCount == 0) work->heading = itemHeadingTo(work->x, work->y, kItemFieldCentreX, kItemFieldCentreY);
    if (it.bounces >= kItemLifeTurns) return;
    int32_t turn = -1;
    if (work->x < 0.0f) turn = 128;
    else if (work->x > 224.0f) turn = 640;
    else if (work->y < 0.0f) turn = 384;
    else if (work->y > 288.0f) turn = -128;
    if (turn == -1) return;
    work->heading = ((turn + randRange(256)) % 1024 + 1024) % 1024;
    ++it.bounces;
}

void itemTipStep(ObjWork* work) {
    ItemFields& it = item(work);
    if (it.behaviour == 0) {
        work->alpha = 1.0f;
        if (it.frameCount < 40) work->animFrame = 0;
        it.fallCounter += 98;
        work->y += float(it.fallCounter) / 1800.0f;
        const ObjWork* f = fighterGetWork();
        const float radius = kItemTipRadius[std::clamp(fighterGetWeaponMode(), 0, 1)];
        const bool near = f != nullptr && SDL2_wheel_Distance(work->x, work->y, f->x, f->y) <= radius;
        if (itemCollecting() && ((it.frameCount > 10 && near) || stageClearFlag != 0)) it.behaviour = 1;
        return;
    }
    work->alpha = 0.7f;
    work->speed = 6.0f;
    work->animFrame = 0;
    itemHeadForFighter(work);
    if (!itemCollecting()) it.behaviour = 0, work->speed = 0.0f;
}

void itemChangeStep(ObjWork* work) {
    ItemFields& it = item(work);
    const int32_t flying = fighterGetType();
    if (it.shownType == flying || it.changeTimer <= 0) {
        it.shownType = (it.shownType + 1) % 4;
        if (it.shownType == flying) it.shownType = (it.shownType + 1) % 4;
        work->spriteBase = kItemChangeSprite + it.shownType;
        it.changeTimer = kItemChangeFrames;
        it.flashCounter = kItemChangeFlash;
    }
    it.flashCounter = std::max(it.flashCounter - 1, 0);
    --it.changeTimer;
    if (itemCollecting() && stageClearFlag != 0) {
        work->speed = std::min(work->speed + 0.06f, 5.0f);
        itemHeadForFighter(work);
    } else if (!itemCollecting()) {
        work->heading = 512;
        work->speed = 0.0f;
    } else {
        itemSwayStep(work);
    }
}

void itemSecretStep(ObjWork* work) {
    ItemFields& it = item(work);
    if (it.behaviour == 0) {
        const int32_t fc = it.frameCount;
        const float r = fc < 60 ? float(fc) / 2.0f : 30.0f - float(fc - 60) / 20.0f;
        if (r >= 0.0f) {
            work->x = it.anchor.x + r * itemSin(fc * 8);
            work->y = it.anchor.y - (r / 4.0f) * itemCos(fc * 4) - r * itemCos(fc * 8);
            it.anchor.x += std::clamp(kItemFieldCentreX - it.anchor.x, -0.3f, 0.3f);
            it.anchor.y += std::clamp(kItemFieldCentreY - it.anchor.y, -0.4f, 0.4f);
        } else {
            work->x = it.anchor.x;
            work->y = it.anchor.y;
            work->heading = 512;
            work->speed = 0.0f;
            it.behaviour = 1;
        }
    } else {
        work->speed += 0.1f;
        work->heading = SDL2_wheel_AngleClamp(work->heading, 900, 8);
    }
    TSKeffectCreate(77, 512, 2.0f + float(randRange(3)), 501, 0, ObjRef{},
                    work->x + float(randRangeCentered(17)), work->y + float(randRangeCentered(17)));
}

void itemGroundStep(ObjWork* work) {
    const ObjPoint shift = fieldLayerShiftOf(0);
    work->x -= shift.x;
    work->y += shift.y;
}

void itemKindStep(ObjWork* work) {
    switch (work->kind) {
    case 0: case 1: case 2: case 3: case 4: itemMedalStep(work); break;
    case 5: case 12: itemSwayStep(work); break;
    case 6: itemLifeStep(work); break;
    case 7: case 8: case 9: itemTipStep(work); break;
    case 10: itemChangeStep(work); break;
    case 11: itemSecretStep(work); break;
    default: itemGroundStep(work); break;
    }
}

void itemAnimate(ObjWork* work) {
    if (--work->animCounter >= 1) return;
    work->animFrame = (work->animFrame + 1) % std::max(work->animCount, 1);
    work->animCounter = work->animStep;
}

void itemSetHitBox(ObjWork* work) {
    const bool large = work->kind == 5 || work->kind >= 10;
    work->hitBoxes = work->hitsOff ? nullptr : large ? &kItemBoxLarge : &kItemBoxSmall;
    work->hitBoxCount = work->hitsOff ? 0 : 1;
}

void TSKitemUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    ItemFields& it = item(work);
    if (it.delay > 0) {
        --it.delay;
        return;
    }
    if (it.frameCount == 0) itemSetHitBox(work);
    itemKindStep(work);
    itemAnimate(work);
    SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, work->speed);
    ++it.frameCount;
    if (work->x < -128.0f || work->x > 352.0f || work->y < -128.0f || work->y > 416.0f) task->state = kObjStateEnd;
}

void itemFillKind(ObjWork* work, int32_t kind) {
    const ItemKindRow& row = kItemKindRows[kind];
    ItemFields& it = item(work);
    work->spriteBase = row.spriteBase;
    work->animCount = row.cells;
    work->animStep = row.framesPerCell;
    work->depth = float(row.depth);
    if (kind <= 4) it.fallCounter = -1000;
    if (kind == 5 || kind >= 10) it.anchor = {work->x, work->y};
    if (kind == 5 || kind == 10 || kind == 11 || kind == 12) work->heading = 512, work->speed = 0.0f;
    if (kind == 6) work->speed = 3.0f, work->scaleX = work->scaleY = 2.0f;
    if (kind >= 7 && kind <= 9) {
        work->speed = float(randRange(50)) / 50.0f;
        work->heading = randRange(2) == 0 ? 256 : 768;
        if (work->x < 50.0f) work->heading = 256;
        if (work->x > 174.0f) work->heading = 768;
    }
    if (kind == 10) {
        it.shownType = (fighterGetType() + 1) % 4;
        work->spriteBase = kItemChangeSprite + it.shownType;
    }
    if (kind == 11) work->spriteBase = kItemSecretSprites[std::clamp(stageNumber, 1, 5) - 1];
}

}  // namespace

void TSKitemCreate(int32_t kind, int32_t angle, float speed, int32_t delay, int32_t glow, float x, float y) {
    if (kind < 0 || kind >= kItemKinds) return;
    ObjTask* task = OBJtaskCreateSetUp(TSKitemAct, kItemGroup, kItemTag);
    if (task == nullptr) return;
    ObjWork* work = task->work;
    work->kind = kind;
    work->x = x;
    work->y = y;
    work->heading = angle;
    work->speed = speed / 100.0f;
    work->alpha = 1.0f;
    ItemFields& it = item(work);
    it.delay = delay;
    it.glow = glow != 0 ? 1 : 0;
    itemFillKind(work, kind);
    if (int32_t* live = itemLiveCounter(kind)) ++*live;
    work->animCounter = work->animStep;
    work->animFrame = randRange(std::max(work->animCount, 1));
}

void TSKitemCreate(int32_t kind, int32_t angle, float x, float y) { TSKitemCreate(kind, angle, 0.0f, 0, 0, x, y); }

void TSKitemAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        if (ObjWork* work = OBJworkSetUp(task, {TSKitemKill, TSKitemDraw, TSKitemHit, float(kItemDepth)})) {
            work->kind = -1;
            item(work).frameCount = 0;
        }
        break;
    case kObjStateRun:
        TSKitemUpdate(task);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void TSKitemKill(ObjTask* task) {
    if (task->work != nullptr) {
        if (int32_t* live = itemLiveCounter(task->work->kind)) --*live;
    }
    TSKgameCtrlKill(task);
}

void TSKitemHit(ObjTask* task, ObjWork* work) {
    if (!fighterPickUpApplies(work)) return;
    fighterPickUp(work);
    work->hit = nullptr;
    task->state = kObjStateEnd;
}

void TSKitemDraw(ObjTask*, ObjWork* work) {
    const ItemFields& it = item(work);
    if (it.delay > 0) return;
    const int32_t frame = work->spriteBase + work->animFrame;
    const int32_t layer = int32_t(work->depth);
    const bool glow = work->kind == 0 || work->kind == 7 || (work->kind <= 4 && it.glow != 0);
    if (glow) {
        OBJdrawSprite(work, frame, work->x, work->y, 501, work->scaleX * 1.6f, work->scaleY * 1.6f, 0.0f,
                      work->alpha * 0.2f, 1);
    }
    OBJdrawSprite(work, frame, work->x, work->y, layer, work->scaleX, work->scaleY, 0.0f, work->alpha, 0);
}
