// Kind 128, the stage-5 boss's appear effect: "appear" of the boss's motion
// behind the playfield, darkening with the background, that times the
// boss's entrance sounds and starts its music.
#include "game/bosses/boss_kinds.h"
#include "game/core/game_sequence.h"
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

constexpr int32_t kSt05appearLayer = 304;
constexpr int32_t kSt05appearRumble = 26;
constexpr int32_t kSt05appearFly = 5;
constexpr int32_t kSt05appearMusic = 4;

void st05appearInit(ObjTask* task) { bossAppearSetUp(task, kSt05appearLayer, "st05boss", "st05boss"); }

}  // namespace

void TSKst05bossAppearAct(ObjTask* task) {
    if (task->state == kObjStateInit) {
        st05appearInit(task);
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        TSKst05bossAppearUpdate(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void TSKst05bossAppearUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (work->motionSlot0 >= 0) SDL2_wheel_MotionSetColor(work->motionSlot0, bossAppearColorWord(fieldLayerSharedTint));
    if (e.frameCount == 440) SDL2_wheel_SoundPlaySE(kSt05appearRumble, false);
    if (e.frameCount == 560) SDL2_wheel_SoundPlaySE(kSt05appearFly, false);
    if (e.frameCount == 600) {
        soundLayerState().layerTarget = 0;
        SDL2_wheel_SoundPlayMusic(kSt05appearMusic);
    }
    ++e.frameCount;
}
