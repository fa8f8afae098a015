#include "game/objects/bomb.h"

#include <algorithm>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"

HitBox bombSharedBox = {0.0f, 0.0f, 0.0f, 0.0f};

namespace {

constexpr int kBombGroup = kGroupBombs;
constexpr float kBombCentreX = 112.0f;
constexpr float kBombCentreY = 144.0f;
constexpr int32_t kBombDepth = 461;
constexpr int32_t kBombSetUpDepth = 502;
constexpr int32_t kBombManualDelay = 16;
constexpr int32_t kBombTime = 10000;
constexpr int32_t kBombInvulnerable = 10;
constexpr int32_t kBombBlastKind = 80;
constexpr int32_t kBombFlashKind = 81;
constexpr int32_t kBombSprite = 1765;
constexpr int32_t kBombRowOffsets[12] = {75, 60, 45, 30, 15, 0, -90, -75, -60, -45, -30, -15};

void bombGrow(ObjWork* work) {
    BombFields& b = bomb(work);
    if (b.phase != 0) return;
    bombSharedBox.halfWidth += kBombBoxStep;
    bombSharedBox.halfHeight += kBombBoxStep;
    if (bombSharedBox.halfWidth <= kBombBoxMax) return;
    bombSharedBox.halfWidth = bombSharedBox.halfHeight = kBombBoxMax;
    b.phase = 1;
    if (b.autoBomb == 0) TSKeffectCreate(kBombFlashKind, 0, 0.0f, 0, 0, ObjRef{}, kBombCentreX, kBombCentreY);
}

void bombWall(ObjWork* work) {
    BombFields& b = bomb(work);
    if (b.visual == 0) {
        work->alpha = std::min(work->alpha + 0.1f, 1.0f);
        if (work->alpha >= 1.0f) b.visual = 1;
        return;
    }
    work->speed += 5.0f;
    if (work->speed >= 240.0f) {
        work->alpha = std::max(work->alpha - 0.08f, 0.0f);
        b.sweep += 15;
    }
    if (b.frameCount % 5 == 0) {
        for (int i = 0; i < 12; ++i) {
            TSKeffectCreate(kBombBlastKind, 512, 25.0f, 0, 0, ObjRef{}, float(i * 20),
                            270.0f - work->speed + float(kBombRowOffsets[i]));
        }
    }
    TSKquakeStart(20, 40.0f);
    if (b.frameCount % 18 == 0) SDL2_wheel_SoundPlaySE(14, false);
}

bool bombEnds() {
    const ObjWork* f = fighterGetWork();
    return f == nullptr || !fighterIsBombActive() || stageResultActive != 0;
}

void TSKbombUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    BombFields& b = bomb(work);
    if (bombEnds()) {
        b.phase = 2;
        task->state = kObjStateEnd;
        return;
    }
    bombGrow(work);
    work->hitBoxes = work->hitsOff ? nullptr : &bombSharedBox;
    work->hitBoxCount = work->hitsOff ? 0 : 1;
    if (b.autoBomb != 0 || b.frameCount % 3 == 0) {
        TSKeffectCreate(kBombBlastKind, 0, 0.0f, 0, 0, ObjRef{}, float(randRange(224)), float(randRange(288)));
    }
    bombWall(work);
    ++b.frameCount;
}

}  // namespace

void fighterStartBomb(ObjWork* fighterWork, int32_t autoBomb) {
    if (fighterWork == nullptr) return;
    FighterFields& f = fighter(fighterWork);
    f.bombActive = 1;
    f.autoBomb = autoBomb;
    f.bombTime = kBombTime;
    TSKbombCreate(f.type, 0.0f, autoBomb, f.weaponMode, kBombCentreX, kBombCentreY);
    if (autoBomb != 0 && gameMode >= 2) fighterSetStock(0);
    fighterSetInvincible(kBombInvulnerable);
}

void TSKbombCreate(int32_t kind, float speed, int32_t autoBomb, int32_t weaponMode, float x, float y) {
    ObjTask* task = OBJtaskCreateSetUp(TSKbombAct, kBombGroup, kBombTag);
    if (task == nullptr) return;
    ObjWork* work = task->work;
    work->kind = kind;
    work->x = x;
    work->y = y;
    work->heading = 0;
    work->speed = speed / 100.0f;
    work->depth = float(kBombDepth);
    work->life = autoBomb != 0 ? 0 : kBombManualDelay;
    work->alpha = 0.0f;
    BombFields& b = bomb(work);
    b.autoBomb = autoBomb != 0 ? 1 : 0;
    b.weaponMode = weaponMode;
}

void TSKbombAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        if (OBJworkSetUp(task, {TSKgameCtrlKill, TSKbombDraw, nullptr, float(kBombSetUpDepth)}) != nullptr) {
            bombSharedBox = {0.0f, 0.0f, 0.0f, 0.0f};
        }
        break;
    case kObjStateRun:
        TSKbombUpdate(task);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

void TSKbombDraw(ObjTask*, ObjWork* work) {
    const BombFields& b = bomb(work);
    if (b.visual != 0 || b.phase > 1) return;
    const int32_t frame = kBombSprite + b.frameCount % 3;
    OBJdrawSprite(work, frame, kBombCentreX, kBombCentreY, int32_t(work->depth), 7.0f, 9.0f, 0.0f, work->alpha, 1);
}
