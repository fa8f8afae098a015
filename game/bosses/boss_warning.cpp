// Kind 134, the WARNING before each stage's boss and before the true last
// boss, and the sound rule of the announcements.
#include "game/bosses/boss_warning.h"

#include <cstdio>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_shape.h"
#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/scene.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_words.h"

namespace {

constexpr float kWarningDepth = 420.0f;
constexpr float kWarningTrueBossDepth = 910.0f;
constexpr int32_t kWarningSound = 4;
constexpr int32_t kWarningSoundPeriod = 160;
constexpr int32_t kWarningFadeAge = 2;
constexpr int32_t kWarningFadeFrames = 300;
constexpr int32_t kWarningHold = 10;
constexpr int32_t kWarningTrueBossLine = 5;

void warningInit(ObjTask* task) {
    const float depth = trueRouteFlag != 0 ? kWarningTrueBossDepth : kWarningDepth;
    ObjWork* work = OBJworkSetUp(task, {TSKgameCtrlKill, drawWorkMotion, nullptr, depth});
    if (work == nullptr) return;
    work->alpha = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    work->motionSlot0 = SDL2_wheel_MotionCreate(int32_t(depth), "warning");
}

// The first frame: the label of the stage (or of the true last boss), the
// voice, the place; the fighter waits while it plays.
void warningStart(ObjWork* work) {
    const bool trueBoss = trueRouteFlag != 0;
    if (work->motionSlot0 >= 0) {
        char label[16];
        if (trueBoss) {
            std::snprintf(label, sizeof label, "stage5_2");
        } else {
            std::snprintf(label, sizeof label, "stage%d", int(stageNumber));
        }
        charVoiceMessageSpeaker4(0, trueBoss ? kWarningTrueBossLine : stageNumber - 1);
        SDL2_wheel_MotionPlay(work->motionSlot0, 1, "warning", label);
        bossVisualFollow(work, SDL2_wheel_MotionGetLength(work->motionSlot0));
        work->x = 112.0f;
        work->y = 136.0f;
    }
    if (!trueBoss) fighterSetControl(0);
}

void warningUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        warningStart(work);
    }
    ++e.frameCount;
    fighterSetHold(kWarningHold);
    if (e.frameCount >= SDL2_wheel_MotionGetLength(work->motionSlot0)) {
        task->state = kObjStateEnd;
        if (trueRouteFlag == 0) fighterSetControl(1);
    }
    if (work->age % kWarningSoundPeriod == 0) bossAnnounceSound(kWarningSound);
    if (work->age == kWarningFadeAge) SDL2_wheel_SoundFadeOutMusic(kWarningFadeFrames);
    if (work->motionSlot0 >= 0) {
        GameTask* game = GameTask::getInstance();
        game->setMotionPosition(work->motionSlot0, work->x, work->y);
        game->updateMotionLoop(work->motionSlot0);
    }
    work->vx = work->vy = 0.0f;
    work->speedX = work->speedY = 0;
    ++work->age;
}

}  // namespace

void TSKbossWarningAct(ObjTask* task) { bossAct(task, warningInit, warningUpdate); }

void bossAnnounceSound(int32_t id) {
    if (soundAttractSilenced()) return;
    int32_t& guard = soundLayerState().soundGuard[size_t(id)];
    if (guard != 0) return;
    guard = 1;
    if (gameSettings.SOUND_OUT == 0) return;
    if (GameTask* game = GameTask::getInstance()) game->playSound(id);
}

void bossVisualFollow(ObjWork* work, int32_t length) {
    EnemyFields& e = enemy(work);
    e.motionRunning = 1;
    e.motionTicksPerFrame = 1;
    e.motionTick = 0;
    e.motionFrame = 0;
    e.motionEnded = 0;
    e.motionLoops = 1;
    e.motionLength = length > 0 ? length : 1;
}
