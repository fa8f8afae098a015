// The enemy shots: creation, act, release, flash, vanish, draw and hit.
#include "game/objects/eshot.h"

#include <algorithm>

#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/objects/eshot_tables.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/item.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_damage.h"

int32_t eshotLiveCount = 0;
float eshotSpeedBonus = 0.0f;
int32_t eshotConvertCountdown = 0;
int32_t st4BurstSignal = 0;

namespace {

constexpr float kEshotTurnRadians = 6.2831855f;
constexpr int32_t kEshotFlashKind = 82;
constexpr int32_t kEshotVanishKind = 87;
constexpr int32_t kEshotItemKind = 7;
constexpr int32_t kEshotPopSound = 9;

bool eshotIsLaser(int32_t type) { return type == 161 || type == 162; }

bool eshotRefused(int32_t type, float x, float y) {
    if (eshotLiveCount >= kEshotLiveLimit || enemyShotStop == 1) return true;
    if (eshotIsLaser(type)) return false;
    return x < -4.0f || x > 228.0f || y < -4.0f || y > 272.0f;
}

// The type's row, and what a few types do with their place and parameters.
void eshotApplyType(ObjWork* work, int32_t param1, int32_t param2) {
    ShotFields& s = shot(work);
    const EshotTypeRow& row = eshotTypeRow(work->kind);
    work->spriteBase = row.spriteBase;
    work->animFrame = 0;
    work->animCount = row.cells;
    work->animStep = row.framesPerCell;
    work->depth = float(row.depth);
    work->life = row.life;
    work->sizeX = work->sizeY = row.size;
    work->scaleX = work->scaleY = row.scale;
    s.turned = row.turned;
    s.unslowed = row.unslowed;
    switch (work->kind) {
    case 161:
    case 162:
        work->speed = 0.0f;
        work->motionSlot0 = SDL2_wheel_MotionCreate(kEshotLaserLayer, "lazer");
        break;
    case 164:
    case 165:
        s.params[0] = -2500 - randRange(500);
        break;
    case 176:
        s.params[0] = -2500;
        break;
    case 177:
        s.start = {work->x, work->y};
        break;
    case 179:
        s.params[0] = param1;
        s.params[1] = param2;
        s.start = {work->x, work->y};
        for (ObjPoint& point : s.trail) point = s.start;
        break;
    default:
        break;
    }
    work->animCounter = work->animStep;
}

void eshotPop(ObjTask* task, ObjWork* work) {
    work->hit = nullptr;
    task->state = kObjStateEnd;
    TSKeshotVanish(work);
}

void eshotShotDown(ObjWork* work) {
    work->life = 0;
    fighterAddDestruction(destructionStepA());
    int32_t drop = kEshotItemKind;
    if (fighterIsPowerUp()) {
        drop = bossPresentFlag == 2 ? -1 : enemyScoreLevel();
        fighterAddDestruction(destructionStepB());
    }
    if (drop >= 0) TSKitemCreate(drop, 512, 0.0f, 0, 0, work->x, work->y);
}

bool eshotIgnoresHits(int32_t type) {
    switch (type) {
    case 161: case 162: case 167: case 172: case 174: case 176: case 177: case 179: case 183:
        return true;
    default:
        return false;
    }
}

void eshotDrawTrail(ObjWork* work, int32_t frame, int32_t blend) {
    const ShotFields& s = shot(work);
    for (int i = 0; i < 8; ++i) {
        const float share = float(8 - i) / 8.0f;
        OBJdrawSprite(work, frame, s.trail[i].x, s.trail[i].y, int32_t(work->depth), work->scaleX * share,
                      work->scaleY * share, s.angleRadians, share, blend);
    }
}

void eshotTint(ObjWork* work, uint8_t r, uint8_t g, uint8_t b) {
    work->r = r;
    work->g = g;
    work->b = b;
}

}  // namespace

ObjWork* TSKeshotCreate(int32_t type, int32_t angle, float speed, int32_t param1, int32_t param2, ObjRef parent,
                        float x, float y) {
    if (eshotRefused(type, x, y)) return nullptr;
    const int32_t group = type >= 156 && type <= 159 ? kEshotSpecialGroup : kEshotGroup;
    ObjTask* task = OBJtaskCreateSetUp(TSKeshotAct, group, kEshotTag);
    if (task == nullptr) return nullptr;
    ObjWork* work = task->work;
    ShotFields& s = shot(work);
    work->kind = type;
    work->x = x;
    work->y = y;
    work->heading = angle;
    work->angle = s.angleRadians = float(angle) * kEshotTurnRadians / 1024.0f;
    work->parentWork = parent;
    s.parentSerial = parent.serial != 0 ? int32_t(parent.serial) : -1;
    s.shotClass = eshotTypeClass(type);
    const bool bonus = s.shotClass != 3 && eshotTypeRow(type).noBonus == 0;
    work->speed = speed / 100.0f + (bonus ? eshotSpeedBonus : 0.0f);
    eshotApplyType(work, param1, param2);
    s.workingSpeed = work->speed;
    return work;
}

void TSKeshotFlash(int32_t type, float x, float y) {
    TSKeffectCreate(kEshotFlashKind + eshotTypeClass(type), 0, 0.0f, 0, 0, ObjRef{}, x, y);
}

void TSKeshotVanish(ObjWork* work) {
    TSKeffectCreate(kEshotVanishKind + eshotTypeClass(work->kind), work->heading, work->speed, 0, 0, ObjRef{},
                    work->x, work->y);
}

void TSKeshotAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        if (ObjWork* work = OBJworkSetUp(task, {TSKeshotKill, TSKeshotDraw, TSKeshotHit, 701.0f})) {
            ++eshotLiveCount;
            shot(work).frameCount = 0;
        }
        break;
    case kObjStateRun:
        TSKeshotUpdate(task);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void TSKeshotKill(ObjTask* task) {
    if (task->work == nullptr) return;
    OBJworkFree(task->work);
    task->work = nullptr;
    eshotLiveCount = std::max(eshotLiveCount - 1, 0);
}

void TSKeshotDraw(ObjTask*, ObjWork* work) {
    if (eshotIsLaser(work->kind) || work->motionSlot0 != -1) {
        GameTask* root = GameTask::getInstance();
        if (root != nullptr && root->motionSlots.valid(work->motionSlot0)) {
            OBJdrawMotion(work, work->motionSlot0, int32_t(work->depth), 0, 1.0f, 255, 255, 255);
        }
        return;
    }
    const ShotFields& s = shot(work);
    const int32_t frame = work->spriteBase + work->animFrame;
    const float angle = s.turned == 1 ? s.angleRadians : 0.0f;
    const int32_t layer = int32_t(work->depth);
    eshotTint(work, 255, 255, 255);
    if (work->kind == 177) {
        eshotTint(work, 255, 128, 128);
        eshotDrawTrail(work, frame, 1);
    } else if (work->kind == 179 || work->kind == 183) {
        eshotDrawTrail(work, frame, 0);
    }
    OBJdrawSprite(work, frame, work->x, work->y, layer, work->scaleX, work->scaleY, angle, 1.0f, 0);
    eshotTint(work, 255, 255, 255);
    if (settingsSnapshot.enemyShotDraw == 0) return;
    if (work->kind == 176 || work->kind == 177) {
        eshotTint(work, 255, 128, 128);
        OBJdrawSprite(work, frame, work->x, work->y, layer, work->scaleX, work->scaleY, angle, 1.0f, 1);
        eshotTint(work, 255, 255, 255);
        OBJdrawSprite(work, frame, work->x, work->y, layer, work->scaleX, work->scaleY, angle, 1.0f, 1);
    }
    if (s.shotClass == 3) {
        eshotTint(work, 0, 0, 255);
        OBJdrawSprite(work, frame, work->x, work->y, kEshotLaserLayer, work->scaleX * 1.6f, work->scaleY * 1.6f,
                      angle, 0.5f, 0);
        eshotTint(work, 255, 255, 255);
    }
}

void TSKeshotHit(ObjTask* task, ObjWork* work) {
    if (work->hit == nullptr || eshotIgnoresHits(work->kind)) return;
    if (work->life == 0) {
        eshotPop(task, work);
        return;
    }
    ObjTask* other = objRefTask(work->lastCollider);
    const int32_t otherGroup = other != nullptr ? other->group : -1;
    if (otherGroup == kGroupFighterShots || otherGroup == kGroupGunUnits) {
        work->life -= other->work->life;
        if (work->life <= 0) eshotShotDown(work);
    } else if (otherGroup == kGroupFighter) {
        work->life = 0;
    }
    if (work->life > 0) return;
    SDL2_wheel_SoundPlaySE(kEshotPopSound, false);
    eshotPop(task, work);
}
