#include "game/stages/enemies/enemy_damage.h"

#include <algorithm>

#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/item.h"
#include "game/objects/popups.h"
#include "game/objects/wreckage.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/enemy_score.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kDamageBombGroup = 16;
constexpr int32_t kDamageGunGroup = 10;
constexpr int32_t kDamageShotGroup = 6;
constexpr int32_t kDamageDying = 3;
constexpr int32_t kDamageLowLife = 16384;
constexpr int32_t kDamageCarrierStep = 80;
constexpr int32_t kDamageCarrierFull = 18000;
// The point-blank radius of each size class.
constexpr int32_t kDamageRadius[5] = {90, 105, 120, 135, 135};
constexpr int32_t kDamageItems[3] = {1, 5, 15};

// The task group of the hitter: the collision pass leaves the hitter's task
// as the target's other party. -1 when that no longer resolves to it.
int32_t damageHitterGroup(ObjWork* work, ObjWork* hitter) {
    const ObjTask* task = objRefTask(work->lastCollider);
    return task != nullptr && task->work == hitter ? task->group : -1;
}

bool damageIsSilentKind(int32_t kind) { return kind == 115 || kind == 116; }

int32_t damageFormSum(const EnemyFields& e) {
    int64_t sum = 0;
    for (int32_t hp : e.formHp) sum += hp;
    return int32_t(std::min<int64_t>(sum, INT32_MAX));
}

void damagePay(uint64_t score, uint64_t paid) {
    fighterAddScore(paid);
    enemyRawScoreTotal += score;
    enemyPaidScoreTotal += paid;
}

// Once a frame each for bombs and gun units; false when this hit is the second.
bool damageTakeMark(EnemyFields& e, int32_t group) {
    const int mark = group == kDamageBombGroup ? 0 : group == kDamageGunGroup ? 1 : -1;
    if (mark < 0) return true;
    if (e.hitMarks[mark] != 0) return false;
    e.hitMarks[mark] = 1;
    return true;
}

void damageFeedCarrier(int32_t damage) {
    if (bossPresentFlag != 2) return;
    enemyBossDamageCounter += std::max(damage, 0);
    while (enemyBossDamageCounter >= kDamageCarrierStep) {
        enemyBossDamageCounter -= kDamageCarrierStep;
        itemCarrierBombTimer += 6;
        if (gameGetSubSystem() == 0) itemCarrierBombTimer += 2;
        if (itemCarrierBombTimer >= kDamageCarrierFull) itemCarrierArmB();
    }
}

// A boss's current form takes the hit; a form emptied breaks.
void damageForm(ObjWork* work, ObjWork* hitter, int32_t rate) {
    EnemyFields& e = enemy(work);
    const int32_t slot = std::clamp(e.formIndex, 0, kEnemyParts - 1);
    e.formHp[slot] -= hitter->life;
    if (e.formHp[slot] < 1) {
        e.formHp[slot] = 0;
        ++e.formIndex;
        bool close = false;
        const int32_t level = enemyPointBlank(work, &close, kDamageRadius[4]);
        eshotCancelRequest(4, level, work, close, 1);
        const bool last = damageFormSum(e) == 0;
        if (!last) {
            TSKquakeStart(30, 4.0f);
            damagePay(e.score, enemyRatedScore(e.score, rate));
            e.deathTimer = e.deathPhase = 0;
            work->lifeState = 2;
            work->enemyTimer = 7200;
            if (e.sizeClass == 4 && e.followedLayer == 0) {
                e.driftSpeed = 5.0f;
                e.driftHeading = hitter->heading - 64 + randRange(128);
            }
        }
        const int32_t destruction = std::max(fighterGetDestruction(), 0);
        const uint64_t bonus = enemyFormBonus(destruction, rate, last);
        fighterAddScore(bonus);
        enemyPaidScoreTotal += bonus;
        enemyFormBonusTotal += bonus;
        enemyDestructionBonusTotal += uint64_t(destruction) * (last ? 100 : 50);
        if (bonus != 0) TSKspltScoreCreate(0, work->x, work->y, 0, bonus);
    }
    const int32_t before = e.hp;
    e.hp = damageFormSum(e);
    if (before >= kDamageLowLife && e.hp < kDamageLowLife) e.smokeTimer = 180;
    damageFeedCarrier(hitter->life);
}

void damageDropItems(ObjWork* work, int32_t level) {
    const EnemyFields& e = enemy(work);
    if (damageIsSilentKind(work->kind)) return;
    const int32_t count = kDamageItems[e.sizeClass] + (gameMode == 3 ? 1 : 0);
    for (int32_t n = 1; n <= count; ++n) {
        const int32_t s = std::min(100, 10 * n);
        const float dx = float(randRange(s) - s / 2);
        const float dy = float(randRange(s) - s / 2);
        TSKitemCreate(level, 512, work->x + dx, work->y + dy);
    }
}

void damageKill(ObjWork* work, int32_t rate) {
    EnemyFields& e = enemy(work);
    enemyRevengeShot(work);
    damagePay(e.score, enemyRatedScore(e.score, rate));
    e.hp = 1;
    work->lifeState = kDamageDying;
    e.deathTimer = e.deathPhase = 0;
    work->hit = nullptr;
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
    fighterAddDestruction(enemyIsSpecialMode() ? 10 : gameMode == 0 ? 8 : 5);
    const int32_t sizeClass = std::clamp(e.sizeClass, 0, 4);
    bool close = false;
    const int32_t level = enemyPointBlank(work, &close, kDamageRadius[sizeClass]);
    if (fighterIsPowerUp()) fighterAddDestruction(destructionStepB());
    if (close) fighterAddDestruction(destructionStepA());
    if (sizeClass >= 3) {
        eshotCancelRequest(4, level, work, close, 1);
        return;
    }
    if (fighterIsPowerUp()) {
        const bool silent = damageIsSilentKind(work->kind);
        eshotCancelRequest(4, silent ? -1 : level, work, silent ? 0 : close, 1);
    }
    damageDropItems(work, level);
}

void damageShowTarget(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    enemyTargetGauge.lifeMax = e.hpMax;
    enemyTargetGauge.showTimer = 180;
    enemyTargetGauge.life = work->lifeState == kDamageDying ? 0 : e.hp;
    std::copy(std::begin(e.formHpMax), std::end(e.formHpMax), enemyTargetGauge.formHpMax);
}

}  // namespace

void TSKenemyHit(ObjTask*, ObjWork* work) {
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter != nullptr) enemyDamage(work, hitter);
}

void TSKbossHit(ObjTask* task, ObjWork* work) {
    TSKenemyHit(task, work);
    if (work->lifeState != kDamageDying) return;
    for (ObjRef& link : enemy(work).partLink) {
        if (ObjWork* part = objRefWork(link)) part->lifeState = 10;
        link = ObjRef{};
    }
}

void TSKenemyNoAttack(ObjTask*, ObjWork*) {}

void enemyDamage(ObjWork* work, ObjWork* hitter) {
    EnemyFields& e = enemy(work);
    if (e.offscreenTimer != 0 || e.entryWait != 0 || e.hp <= 0 || work->lifeState == kDamageDying) return;
    const int32_t group = damageHitterGroup(work, hitter);
    if (!damageTakeMark(e, group)) return;
    if (e.flashTimer == 0) e.flashTimer = 8;
    if (group == kDamageShotGroup && enemyShotSoundCooldown < 1) {
        enemyShotSoundCooldown = 5;
        SDL2_wheel_SoundPlaySE(34, false);
    }
    enemyHitCounters[0] += 10;
    enemyHitCounters[1] += 10;
    fighterAddScore(10);
    const int32_t rate = enemyScoreRate();
    if (e.sizeClass >= 3) {
        damageForm(work, hitter, rate);
    } else {
        e.hp -= hitter->life;
    }
    if (e.hp < 1) damageKill(work, rate);
    damageShowTarget(work);
}

int32_t enemyScoreRate() {
    return enemyScoreRateFor(gameMode, fighterGetWork() != nullptr, fighterGetCombo(), fighterGetRank());
}

int32_t enemyScoreLevel() {
    return enemyScoreLevelFor(gameMode, fighterGetWork() != nullptr, fighterCountReady(), fighterGetBonusCounter());
}

int32_t enemyPointBlank(ObjWork* work, bool* close, int32_t radius) {
    int32_t level = fighterIsPowerUp() ? enemyScoreLevel() : 8;
    *close = false;
    float fx = 0.0f, fy = 0.0f;
    enemyPlayerPos(&fx, &fy);
    const float dx = std::abs(work->x - fx), dy = std::abs(work->y - fy);
    if (dx + dy - std::min(dx, dy) / 2.0f < float(radius)) {
        *close = true;
        level = enemyPointBlankStep(level);
    }
    return level;
}

int32_t enemyScaleHp(int32_t hp) { return enemyScaleHpFor(hp, gameSystem, gameMode); }
