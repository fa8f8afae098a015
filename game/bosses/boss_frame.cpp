#include "game/bosses/boss_frame.h"

#include <cstdio>

#include "game/core/game_random.h"
#include "game/core/motion_wrappers.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/stage_services.h"

namespace {

constexpr int32_t kBossFrameBonusCountdown = 600000;
constexpr int32_t kBossFrameDeathSmokeHeading = -16;
constexpr int32_t kBossFrameDamageSmokeHeading = 496;

// The dying frame: no movement, no links, the death motion once and the
// smoke of the fourth death phase.
void bossFrameDying(ObjWork* work, const BossFrameKind& kind) {
    EnemyFields& e = enemy(work);
    bossHalt(work);
    e.driftSpeed = 0.0f;
    bossEndLinks(work);
    if (e.deathPhase == 1 && e.deathTimer == 0) bossSetMotion(work, kind.deathMotion);
    if (e.deathPhase == 4 && e.deathTimer % 4 == 0) {
        bossSmokeBurst(work, kind.smokeCount, kind.deathSmoke, kBossFrameDeathSmokeHeading);
    }
    if (kind.dying != nullptr) kind.dying(work);
}

}  // namespace

bool bossFrameInit(ObjTask* task, const BossInitRow& row) {
    if (!bossInit(task, row)) return false;
    enemy(task->work).bonusCountdown = kBossFrameBonusCountdown;
    stageProgress = 2;  // the play records' "boss reached"
    return true;
}

void bossFrameUpdate(ObjTask* task, const BossFrameKind& kind) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    bossApplyTint(work);
    if (work->lifeState == 3) {
        bossFrameDying(work, kind);
        return;
    }
    if (e.setupDone == 0) {
        e.setupDone = 1;
        if (kind.setUp != nullptr) kind.setUp(work);
    }
    if (e.entryWait == 0 && kind.hitBoxes != nullptr) kind.hitBoxes(work);
    kind.phases(task, work);
    bossRefreshTurrets(work, kind.turretReads);
    bossPlaceLink(e.partLink[0], bossTurret(work, 0));
    if (e.smokeTimer > 0 && e.frameCount % 4 == 0) {
        bossSmokeBurst(work, kind.smokeCount, kind.damageSmoke, kBossFrameDamageSmokeHeading);
    }
    ++e.stepCount;
    ++e.frameCount;
}

void bossFrameDraw(ObjWork* work) {
    bossSilhouette(work);
    bossDrawSmokeOn(work, int32_t(work->depth));
}

void bossSmokeBurst(ObjWork* work, int32_t count, int32_t kind, int32_t headingBase) {
    if (work->motionSlot0 < 0) return;
    EnemyFields& e = enemy(work);
    for (int32_t n = 0; n < count && n < kEnemyLocators; ++n) {
        char name[24];
        std::snprintf(name, sizeof name, "smoke%02d", int(n));
        // The read zeroes its output when the locator is missing: only a
        // found one may overwrite the entry.
        float out[3] = {};
        if (!SDL2_wheel_MotionGetLocator(work->motionSlot0, out, name)) continue;
        e.locators[n] = {out[0], out[1]};
        const int32_t heading = headingBase + randRange(32);
        const float speed = float(3 + randRange(5));
        TSKeffectCreate(kind, heading & 1023, speed, 0, 0, ObjRef{}, out[0], out[1]);
    }
}

void bossScatterSmoke(ObjWork* work, int32_t top) {
    for (ObjPoint& offset : enemy(work).smokeOffsets) {
        const int32_t x = -65 + randRange(130);
        offset = {float(x), float(top + randRange(70))};
    }
}
