// Kind 123, the stage overlay: a grid of a translucent tile laid over the
// stage, drifting slowly in two layers that pulse, tinted with the
// background and faded out when the stage's boss arrives.
#include <cmath>
#include <numbers>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_shape.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/stage_visuals.h"
#include "game/stages/field_layers.h"
#include "game/stages/stage_field.h"

namespace {

constexpr float kOverlayDepth = 10.0f;
constexpr float kOverlayFade = 0.05f;
constexpr int32_t kOverlayTile = 5939;
constexpr int32_t kOverlayCell = 64;
constexpr int32_t kOverlayColumns = 5;
constexpr int32_t kOverlayRows = 6;
// Stage 2's overlay falls in over the top half first.
constexpr int32_t kOverlayEarlyStage = 2;
constexpr int32_t kOverlayEarlyRows = 3;
constexpr int32_t kOverlayEarlyAge = 180;
constexpr int32_t kOverlayEarlyStageFrame = 5700;

void stageOverlayInit(ObjTask* task) {
    ObjWork* work = OBJworkSetUp(task, {TSKgameCtrlKill, TSKstageOverlayDraw, TSKstageVisualHit, kOverlayDepth});
    if (work == nullptr) return;
    work->alpha = 1.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    bossVisualFlag = 0;
    work->diesWithBoss = 0;
}

void stageOverlayUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (bossVisualFlag == 1) {
        work->alpha -= kOverlayFade;
        if (work->alpha < 0.0f) {
            work->alpha = 0.0f;
            task->state = kObjStateEnd;
        }
    }
    ++work->age;
}

// A pulse of the layer's alpha: (base - trunc(-depth sin(speed a turns/1024))) / 100.
float stageOverlayPulse(int32_t age, int32_t speed, int32_t base, int32_t depth) {
    const double radians = double(speed * age) * 2.0 * std::numbers::pi / 1024.0;
    return float(base - int32_t(-double(depth) * std::sin(radians))) / 100.0f;
}

void stageOverlayGrid(ObjWork* work, int32_t rows, int32_t shiftX, int32_t shiftY, float alpha, int32_t blend) {
    const EnemyFields& e = enemy(work);
    for (int32_t i = 0; i < kOverlayColumns; ++i) {
        for (int32_t j = 0; j < rows; ++j) {
            const float x = float(kOverlayCell * i) + e.drawOffset.x - float(shiftX);
            const float y = float(kOverlayCell * j) + e.drawOffset.y - float(shiftY);
            OBJdrawSprite(work, kOverlayTile, x, y, int32_t(work->depth), work->scaleX, work->scaleY, work->angle,
                          alpha, blend);
        }
    }
}

}  // namespace

void TSKstageOverlayAct(ObjTask* task) { bossAct(task, stageOverlayInit, stageOverlayUpdate); }

int32_t stageOverlayRows(int32_t age) {
    const bool early =
        stageNumber == kOverlayEarlyStage && age < kOverlayEarlyAge && stageFrame < kOverlayEarlyStageFrame;
    return early ? kOverlayEarlyRows : kOverlayRows;
}

void TSKstageOverlayDraw(ObjTask*, ObjWork* work) {
    const FieldLayerTint& tint = fieldLayerSharedTint;
    work->r = uint8_t(float(tint.r) * 0.75f);
    work->g = uint8_t(float(tint.g) * 0.75f);
    work->b = uint8_t(float(tint.b) * 0.75f);
    const int32_t a = work->age;
    const int32_t rows = stageOverlayRows(a);
    const int32_t drift = (a / 16) % kOverlayCell;
    stageOverlayGrid(work, rows, drift, drift, stageOverlayPulse(a, 6, 80, 20) * work->alpha, 0);
    // The additive layer keeps its full pulse while the base layer fades.
    stageOverlayGrid(work, rows, (a / 10) % kOverlayCell, (a / 6) % kOverlayCell, stageOverlayPulse(a, 4, 50, 30), 1);
    work->r = work->g = work->b = 255;
}
