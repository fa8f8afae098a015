#include "game/bosses/boss_stage.h"

#include "game/core/sound_requests.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_step.h"

namespace {

constexpr int32_t kBossStageMusicAge = 90;

void bossStageDying(ObjWork* work, const BossStageRow& row) {
    const EnemyFields& e = enemy(work);
    bossEndLinks(work);
    bossHalt(work);
    if (e.deathPhase == 1 && e.deathTimer == 0) bossSetMotion(work, row.deathMotion);
    if (e.deathPhase == 4 && e.deathTimer % 4 == 0) row.puffs(work, -16, 32);
}

void bossStageFirstUpdate(ObjWork* work, const BossStageRow& row) {
    EnemyFields& e = enemy(work);
    bossHalt(work);
    e.steerMode = 1;
    e.steerSpeed = 5.0f;
    const int32_t x = 87 + bossRand(50);
    e.steerTarget = {float(x), float(-5 + bossRand(50))};
    for (ObjPoint& offset : e.smokeOffsets) {
        const int32_t ox = -65 + bossRand(130);
        offset = {float(ox), row.smokeTop + float(bossRand(70))};
    }
    e.firstFrameSeen = 1;
}

}  // namespace

void bossStageUpdate(ObjTask* task, const BossStageRow& row) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (enemyAge(task) == kBossStageMusicAge) SDL2_wheel_SoundPlayMusic(row.music);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (row.exhaust != nullptr) row.exhaust(work);
    bossApplyTint(work);
    if (work->lifeState == 3) {
        bossStageDying(work, row);
        return;
    }
    const bool formTwo = e.phase >= 0 && e.phase < 32 && (row.formTwoPhases & (1u << e.phase)) != 0;
    if (formTwo) {
        bossInstallHitBoxes(work, row.formTwo, row.formTwoCount);
    } else {
        bossInstallHitBoxes(work, row.formOne, row.formOneCount);
    }
    if (e.firstFrameSeen == 0) bossStageFirstUpdate(work, row);
    bossRunSteps(work, row.steps, row.stepCount, row.attacks);
    bossRefreshTurrets(work, row.turrets);
    if (row.links != nullptr) row.links(work);
    if (e.smokeTimer > 0 && e.frameCount % 4 == 0) row.puffs(work, 496, 32);
    ++e.stepCount;
    ++e.frameCount;
}
