// Kind 121, the stage-2 boss's appear visual: "appear" of the boss's motion
// far behind the playfield, darkening with the background. Its draw is
// shared with the stage-5 boss's visual (kind 128).
#include "game/bosses/boss_kinds.h"
#include "game/core/game_sequence.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/field_layers.h"

namespace {

constexpr int32_t kBossAppearLayer = 14;
constexpr int32_t kBossAppearSound = 5;

void bossAppearInit(ObjTask* task) {
    if (bossAppearSetUp(task, kBossAppearLayer, "st02boss", "st02boss_form1") == nullptr) return;
    SDL2_wheel_SoundPlaySE(kBossAppearSound, false);
}

void bossAppearTint(ObjWork* work) {
    if (work->motionSlot0 < 0) return;
    SDL2_wheel_MotionSetColor(work->motionSlot0, bossAppearColorWord(fieldLayerSharedTint));
}

void bossAppearUpdate(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (work->motionSlot0 >= 0) {
        bossAppearTint(work);
        const int32_t length = GameTask::getInstance()->getMotionLength(work->motionSlot0);
        if (++e.motionFrame >= length) e.motionFrame = 0;
    }
    ++e.frameCount;
}

}  // namespace

ObjWork* bossAppearSetUp(ObjTask* task, int32_t layer, const char* file, const char* node) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return nullptr;
    }
    task->release = TSKgameCtrlKill;
    task->work = work;
    enemyAge(task) = 0;
    work->draw = TSKbossAppearDraw;
    work->hit = TSKenemyHit;
    work->attack = TSKenemyNoAttack;
    work->depth = float(layer);
    enemySelectMoveScript(work, enemySpawnParam(task));
    enemy(work).scriptCursor = 0;
    enemy(work).sizeClass = 0;
    work->motionSlot0 = SDL2_wheel_MotionCreate(layer, file);
    SDL2_wheel_MotionPlay(work->motionSlot0, -1, node, "appear");
    task->state = kObjStateRun;
    return work;
}

uint32_t bossAppearColorWord(const FieldLayerTint& tint) {
    const auto half = [](int32_t channel) { return uint32_t(channel * 220 / 255 / 2) & 0xFFu; };
    return (half(tint.r) << 24) | (half(tint.g) << 16) | (half(tint.b) << 8) | 0xFFu;
}

void TSKst02bossAppearAct(ObjTask* task) {
    if (task->state == kObjStateInit) {
        bossAppearInit(task);
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        bossAppearUpdate(task, task->work);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void TSKbossAppearDraw(ObjTask*, ObjWork* work) { bossAppearTint(work); }
