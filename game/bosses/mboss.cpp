#include "game/bosses/mboss.h"

#include <algorithm>

#include "game/core/collision.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_services.h"

void mbossInit(ObjTask* task, const MbossKind& kind) {
    bossInit(task, kind.init);
    stageProgress = 1;  // the play records' "mid-boss reached"
}

void mbossUpdate(ObjTask* task, const MbossKind& kind) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    bossApplyTint(work);
    if (work->lifeState == 3) {
        bossHalt(work);
        return;
    }
    bossInstallHitBoxes(work, kind.boxes, kind.boxCount);
    if (!bossRunSteps(work, kind.steps.data(), kMbossSteps, kind.attacks)) ++e.stepCount;
    ++e.frameCount;
}

void mbossTurret(ObjTask* task, ObjWork* work, const MbossKind& kind) {
    const BossGun gun = bossGun(task, work);
    bossRefreshTurrets(work, kind.turrets);
    const int32_t i = enemy(work).shotIndex;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    for (int32_t a = 0; a < kMbossAttacks; ++a) {
        if (kind.attacks[a].mode == enemy(work).attackPattern) kind.modes[a](gun, i, level);
    }
}

int32_t mbossAim(ObjWork* work, int32_t turret, int32_t i) {
    const int32_t aim = bossAimFrom(work, turret);
    if (i == 0) enemy(work).aimWords[turret] = aim;
    return aim;
}

void mbossFanOfLines(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                     int32_t step, int32_t lineCount, float speedStep) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShotFanOfLines(type, angle, speed, count, step, lineCount, speedStep, gun.owner, at.x, at.y);
}

void mbossFanOfFanLines(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                        int32_t step, int32_t innerCount, int32_t innerStep, int32_t lineCount, float speedStep) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShotFanOfFanLines(type, angle, speed, count, step, innerCount, innerStep, lineCount, speedStep, gun.owner,
                           at.x, at.y);
}

void mbossFanOfFans(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
                    int32_t step, int32_t innerCount, int32_t innerStep) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShotFanOfFans(type, angle, speed, count, step, innerCount, innerStep, gun.owner, at.x, at.y);
}
