#include "game/bosses/boss_shape.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/motion_wrappers.h"
#include "game/objects/eshot.h"
#include "game/core/sound_requests.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"

namespace {

constexpr int32_t kBossBodyLayer = 430;
constexpr int32_t kBossSilhouetteLayer = 431;
constexpr int32_t kBossSmokeFrame = 1830;

bool bossShapeConditionHolds(ObjWork* work, BossStepCondition condition) {
    const EnemyFields& e = enemy(work);
    switch (condition) {
    case kBossOnScreen:
        return e.offscreenTimer == 0 && e.entryWait == 0 && work->motionShown != 0;
    case kBossReady:
        return bossReady(e);
    case kBossEnd:
        return e.motionEnded != 0;
    case kBossCounter:
        return e.stepCount > 10;
    case kBossAlways:
        return true;
    case kBossAttackOver:
        return e.attackPattern == 0;
    }
    return false;
}

}  // namespace

void bossAct(ObjTask* task, void (*init)(ObjTask*), void (*update)(ObjTask*)) {
    if (task->state == kObjStateInit) {
        init(task);
        if (task->work != nullptr) task->state = kObjStateRun;
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        update(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

int32_t bossFormHp(int32_t normal, int32_t hard) {
    const int32_t hp = gameSystem == 2 ? hard : normal;
    return gameMode == 0 ? int32_t(float(hp) * 0.8f) : hp;
}

bool bossInit(ObjTask* task, const BossInitRow& row) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return false;
    }
    task->release = row.release;
    task->work = work;
    enemyAge(task) = 0;
    work->draw = row.draw;
    work->hit = row.hit;
    work->attack = row.attack;
    work->depth = row.depth;
    work->heading = 0;
    EnemyFields& e = enemy(work);
    enemySelectMoveScript(work, enemySpawnParam(task));
    e.scriptCursor = 0;
    e.formCount = row.formCount;
    for (int32_t form = 0; form < row.formCount && form < kEnemyParts; ++form) {
        e.formHp[form] = bossFormHp(row.formHp[form], row.formHpHard[form]);
    }
    e.hp = 0;
    for (int32_t hp : e.formHp) e.hp += hp;
    e.score = row.score;
    e.offscreenTimer = 3600;
    work->pauseRankCut = 0;
    e.sizeClass = row.sizeClass;
    e.shotsPerVolley = 1;
    e.shotCountdown = 4;
    e.shotsLeft = 1;
    e.volleysLeft = 9999;
    e.volleyPause = 0;
    e.volleyIndex = 0;
    e.attackPattern = 0;
    e.entryWait = row.entryWait;
    if (row.motionFile != nullptr) {
        work->motionSlot0 = SDL2_wheel_MotionCreate(kBossBodyLayer, row.motionFile);
        work->motionSlot1 = SDL2_wheel_MotionCreate(kBossSilhouetteLayer, row.motionFile);
        SDL2_wheel_MotionSetBlend(work->motionSlot1, kMotionSlotBlendAdditive);
        SDL2_wheel_MotionSetAlpha(work->motionSlot1, 0.0f);
        bossSetMotion(work, row.firstMotion);
    }
    if (row.stopsMusic) SDL2_wheel_SoundStopMusic();
    if (row.flySound >= 0) SDL2_wheel_SoundPlaySE(row.flySound, false);
    return true;
}

BossTint bossBodyTint(ObjWork* work) {
    if (work->lifeState == 3) return {255, 255};
    BossTint tint{255, enemyPointBlankTint(work) ? 160 : 255};
    const int32_t flash = enemy(work).flashTimer;
    if (flash == 3 || flash == 4) tint.green = tint.blue = 160;
    return tint;
}

uint32_t bossTintWord(BossTint tint) {
    return 0x7F0000FFu + (uint32_t(tint.green / 2) << 16) + (uint32_t(tint.blue / 2) << 8);
}

void bossApplyTint(ObjWork* work) {
    if (work->motionSlot0 < 0) return;
    SDL2_wheel_MotionSetColor(work->motionSlot0, bossTintWord(bossBodyTint(work)));
}

void bossHalt(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.script = 0;
    e.scriptSpeedX = e.scriptSpeedY = 0.0f;
    e.steerSpeed = 0.0f;
    work->speed = 0.0f;
    work->vx = work->vy = 0.0f;
}

void bossInstallHitBoxes(ObjWork* work, const HitBox* table, int32_t count) {
    if (enemy(work).entryWait != 0) return;
    const bool open = enemy(work).noHitBoxes == 0;
    work->hitBoxes = open ? table : nullptr;
    work->hitBoxCount = open ? count : 0;
}

void bossRefreshTurrets(ObjWork* work, int32_t count) {
    if (work->motionSlot0 < 0) return;
    EnemyFields& e = enemy(work);
    for (int32_t n = 0; n < count && n < kEnemyLocators; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "turret%02d", int(n));
        float out[3] = {};
        if (!SDL2_wheel_MotionGetLocator(work->motionSlot0, out, name)) continue;
        e.locators[n] = {out[0], out[1]};
        e.turretSeen |= 1 << n;
    }
}

ObjPoint bossTurret(ObjWork* work, int32_t n) {
    const EnemyFields& e = enemy(work);
    if (n < 0 || n >= kEnemyLocators || (e.turretSeen & (1 << n)) == 0) return {work->x, work->y};
    return e.locators[n];
}

int32_t bossAimAngle(float x, float y) {
    const ObjWork* fighter = fighterGetWork();
    if (fighter == nullptr) return 0;
    const float turns = std::atan2(fighter->x - x, -(fighter->y - y)) * 1024.0f / 6.2831855f;
    const int32_t angle = int32_t(turns);
    return angle < 0 ? angle + 1024 : angle;
}

int32_t bossAimFrom(ObjWork* work, int32_t turret) {
    const ObjPoint at = bossTurret(work, turret);
    return bossAimAngle(at.x, at.y);
}

BossGun bossGun(ObjTask* task, ObjWork* work) { return {work, objRef(task)}; }

void bossShot(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShot(type, angle, speed, gun.owner, at.x, at.y);
}

void bossFan(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
             int32_t step) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShotFan(type, angle, speed, count, step, gun.owner, at.x, at.y);
}

void bossLine(const BossGun& gun, int32_t turret, int32_t type, int32_t angle, float speed, int32_t count,
              float speedStep) {
    const ObjPoint at = bossTurret(gun.work, turret);
    enemyShotLine(type, angle, speed, count, speedStep, gun.owner, at.x, at.y);
}

int32_t bossRand(int32_t n) { return int32_t(gameRand() % 10000) * n / 10000; }

void bossStartAttack(ObjWork* work, const BossAttack& attack) {
    bossResetAttack(work);
    EnemyFields& e = enemy(work);
    e.attackPattern = attack.mode;
    e.shotsPerVolley = e.shotsLeft = attack.calls;
    e.shotInterval = attack.interval;
    e.shotCountdown = attack.firstAfter;
    e.volleysLeft = attack.bursts;
    e.volleyPause = attack.pause;
    work->pauseRankCut = attack.pauseCut;
}

bool bossReady(const EnemyFields& e) { return e.motionEnded != 0 && e.attackPattern == 0; }

bool bossRunSteps(ObjWork* work, const BossStepRow* rows, int32_t count, const BossAttack* attacks) {
    EnemyFields& e = enemy(work);
    const BossStepRow* row = std::find_if(rows, rows + count, [&](const BossStepRow& r) {
        return r.phase == e.phase && r.step == e.step;
    });
    if (row == rows + count || !bossShapeConditionHolds(work, row->condition)) return false;
    if (row->motion >= 0) bossSetMotion(work, row->motion);
    if (row->attack >= 0) bossStartAttack(work, attacks[row->attack]);
    if (row->action != nullptr) row->action(work);
    e.stepCount = row->counter;
    e.phase = row->nextPhase;
    e.step = row->nextStep;
    return row->returns;
}

void bossEndLink(ObjRef& link) {
    if (ObjWork* part = objRefWork(link)) part->lifeState = 10;
    link = ObjRef{};
}

void bossEndLinks(ObjWork* work) {
    for (ObjRef& link : enemy(work).partLink) bossEndLink(link);
}

void bossLinkShot(ObjRef& link, const BossGun& gun, int32_t turret, int32_t type, int32_t angle) {
    const ObjPoint at = bossTurret(gun.work, turret);
    bossLinkShotAt(link, type, angle, gun.owner, at);
}

void bossLinkShotAt(ObjRef& link, int32_t type, int32_t angle, ObjRef owner, ObjPoint at) {
    bossEndLink(link);
    const ObjWork* part = TSKeshotCreate(type, angle, 0.0f, 0, 0, owner, at.x, at.y);
    if (part == nullptr) return;
    for (int32_t group : {kEshotGroup, kEshotSpecialGroup}) {
        OBJtaskWalk(group, [&](ObjTask* t) {
            if (t->work == part) link = objRef(t);
        });
    }
}

void bossPlaceLink(ObjRef link, ObjPoint at) {
    ObjWork* part = objRefWork(link);
    if (part == nullptr) return;
    part->x = at.x;
    part->y = at.y;
}

int32_t bossSmokePairs(int32_t life) {
    if (life >= 32768) return 0;
    return std::min(10, (32768 - life) / 3276);
}

void bossDrawSmoke(ObjWork* work) { bossDrawSmokeOn(work, kBossSilhouetteLayer); }

void bossDrawSmokeOn(ObjWork* work, int32_t layer) {
    const EnemyFields& e = enemy(work);
    if (work->lifeState == 3) return;
    const int32_t pairs = bossSmokePairs(e.hp);
    for (int32_t j = 0; j < pairs; ++j) {
        const int32_t frame = kBossSmokeFrame + (e.frameCount + j) % 12;
        const float x = work->x + e.smokeOffsets[j].x, y = work->y + e.smokeOffsets[j].y;
        OBJdrawSprite(work, frame, x, y, layer, work->scaleX, work->scaleY, 0.0f, 0.7f, 0);
        OBJdrawSprite(work, frame, x, y, layer, work->scaleX, work->scaleY, 0.0f, 1.0f, 1);
    }
}

void bossSilhouette(ObjWork* work) {
    if (work->motionSlot1 < 0) return;
    const int32_t wait = enemy(work).entryWait;
    const float alpha = wait >= 1 && wait <= 60 ? std::min(1.0f, float(wait) / 20.0f) : 0.0f;
    SDL2_wheel_MotionSetAlpha(work->motionSlot1, alpha);
}
