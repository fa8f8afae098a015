// The fighter's counters, in the fighter view of its work record.
#include "game/objects/fighter_counters.h"

#include <algorithm>

#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/fighter.h"
#include "game/objects/gun_units.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"

namespace {

constexpr int32_t kFighterGaugeNearlyFull = 84000;
constexpr int32_t kFighterEnergyMark = 2500;
constexpr int32_t kFighterFlashFrames = 30;
constexpr int32_t kFighterShieldLong = 360;
constexpr int32_t kFighterShieldShort = 120;
constexpr int32_t kFighterWeaponChangeFrames = 10;

int32_t fighterShieldDisplayLevel = 0;

FighterFields* fighterFieldsOrNull() {
    ObjWork* work = fighterGetWork();
    return work ? &fighter(work) : nullptr;
}

bool fighterSceneRuns(uint32_t tag) { return OBJtaskCountByTag(13, tag) > 0; }

}  // namespace

ObjWork* fighterGetWork() {
    const ObjTaskGroup& group = OBJtaskGroup(kFighterGroup);
    const ObjTask* first = group.head.next;
    if (first == &group.tail || first->tag != objTag("FIGH")) return nullptr;
    return first->work;
}

void fighterSetPowerUp(int32_t on) {
    if (FighterFields* f = fighterFieldsOrNull()) f->powerUp = on;
}
bool fighterIsPowerUp() {
    const FighterFields* f = fighterFieldsOrNull();
    return f && f->powerUp != 0;
}
bool fighterIsPowerFading() {
    const FighterFields* f = fighterFieldsOrNull();
    return f && f->powerFade != 0;
}
void fighterSetEntry(int32_t on) {
    if (FighterFields* f = fighterFieldsOrNull()) {
        f->entry = on;
        f->home = {112.0f, 220.0f};
    }
}

void fighterSetEnergy(int32_t energy) {
    if (FighterFields* f = fighterFieldsOrNull()) f->energy = std::clamp(energy, 0, kFighterEnergyMax);
}
void fighterAddEnergy(int32_t amount, int32_t voice) {
    FighterFields* f = fighterFieldsOrNull();
    if (!f) return;
    const int32_t before = f->energy;
    f->energy = std::clamp(before + amount, 0, kFighterEnergyMax);
    if (f->powerUp) return;
    if (before < kFighterEnergyMark && f->energy >= kFighterEnergyMark) {
        SDL2_wheel_SoundPlaySE(36, false);
        f->powerFlash = kFighterFlashFrames;
    }
    if (before < kFighterEnergyMax && f->energy == kFighterEnergyMax) {
        SDL2_wheel_SoundPlaySE(37, false);
        f->energyFullFlash = kFighterFlashFrames;
        if (voice == 1 && !stageClearFlag) charVoiceMessage(f->type, 16);
    }
}
int32_t fighterGetEnergy() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->energy : 0;
}
int32_t fighterGetFireLock() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->fireLock : 0;
}
void fighterSetInvincible(int32_t frames) {
    if (FighterFields* f = fighterFieldsOrNull()) f->invulnerable = std::max(f->invulnerable, frames);
}

void fighterAddScore(uint64_t amount) {
    FighterFields* f = fighterFieldsOrNull();
    if (!f) return;
    f->score = amount > kFighterScoreMax - std::min(f->score, kFighterScoreMax) ? kFighterScoreMax : f->score + amount;
    if (stageNumber >= 0 && stageNumber < kFighterSubScores) f->subScores[stageNumber] = f->score;
}
uint64_t fighterGetScore() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->score : 0;
}

int32_t fighterGetGauge(int32_t type) {
    const FighterFields* f = fighterFieldsOrNull();
    return f && type >= 0 && type < kFighterTypes ? f->teamGauges[type] : 0;
}
void fighterAddGauge(int32_t type, int32_t amount, int32_t voice) {
    FighterFields* f = fighterFieldsOrNull();
    if (!f || type < 0 || type >= kFighterTypes) return;
    const int32_t before = f->teamGauges[type];
    f->teamGauges[type] = std::clamp(before + amount, 0, kFighterGaugeFull);
    if (voice == 1 && before <= kFighterGaugeNearlyFull && f->teamGauges[type] > kFighterGaugeNearlyFull) charVoiceMessage(type, 9);
    if (before < kFighterGaugeFull && f->teamGauges[type] == kFighterGaugeFull) {
        SDL2_wheel_SoundPlaySE(41, false);
        if (voice == 1) charVoiceMessage(type, 8);
    }
}
int32_t fighterCountReady() {
    const FighterFields* f = fighterFieldsOrNull();
    if (!f) return 0;
    return int32_t(std::count(std::begin(f->teamGauges), std::end(f->teamGauges), kFighterGaugeFull));
}
bool fighterAnyReady() { return fighterCountReady() > 0; }

void fighterDecLife() {
    if (ObjWork* work = fighterGetWork()) work->life = std::max(work->life - 1, 0);
}
void fighterSetLives(int32_t lives) {
    if (ObjWork* work = fighterGetWork()) work->life = std::clamp(lives, 0, kFighterLifeMax);
}
int32_t fighterGetLives() {
    const ObjWork* work = fighterGetWork();
    return work ? work->life : 0;
}

void fighterSetWeaponsOn(int32_t on) {
    if (FighterFields* f = fighterFieldsOrNull()) f->weaponsOn = on;
}
int32_t fighterGetWeaponsOn() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->weaponsOn : 0;
}
void fighterSetControl(int32_t on) {
    if (FighterFields* f = fighterFieldsOrNull()) f->control = on;
}
int32_t fighterGetControl() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->control : 0;
}
void fighterSetAbsent(int32_t on) {
    if (FighterFields* f = fighterFieldsOrNull()) f->absent = on;
}
void fighterSetPowerDrain(int32_t on) {
    if (FighterFields* f = fighterFieldsOrNull()) f->running = on;
}
int32_t fighterGetWeaponMode() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->weaponMode : 0;
}

int32_t fighterBonusCap() {
    if (seqIsScoreAttack() || gameMode == 3) return 10000;
    return gameMode == 2 ? 3000 : 1000;
}
void fighterSetBonusCounter(int32_t count) {
    if (FighterFields* f = fighterFieldsOrNull()) f->bonusCounter = std::clamp(count, 0, fighterBonusCap());
}
int32_t fighterGetBonusCounter() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->bonusCounter : 0;
}

void fighterDecStock() {
    if (FighterFields* f = fighterFieldsOrNull()) f->stock = std::max(f->stock - 1, 0);
}
void fighterSetStock(int32_t stock) {
    if (FighterFields* f = fighterFieldsOrNull()) f->stock = std::clamp(stock, 0, kFighterLifeMax);
}
int32_t fighterGetStock() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->stock : 0;
}
bool fighterIsBombActive() {
    const FighterFields* f = fighterFieldsOrNull();
    return f && f->bombActive != 0;
}

void fighterSetRank(int32_t rank) {
    if (FighterFields* f = fighterFieldsOrNull()) f->rank = std::clamp(rank, 0, kFighterRankMax);
}
void fighterAddRank(int32_t amount) {
    if (FighterFields* f = fighterFieldsOrNull()) f->rank = std::clamp(f->rank + amount, 0, kFighterRankMax);
}
void fighterSubRank(int32_t amount) {
    if (FighterFields* f = fighterFieldsOrNull()) f->rank = std::clamp(f->rank - amount, 0, kFighterRankMax);
}
int32_t fighterGetRank() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->rank : 0;
}

void fighterSetType(int32_t type) {
    FighterFields* f = fighterFieldsOrNull();
    if (!f) return;
    f->type = std::clamp(type, 0, kFighterTypes - 1);
    f->weaponChangeTimer = kFighterWeaponChangeFrames;
    for (const ObjRef& gun : f->gunUnits) gunReset(objRefWork(gun));
}
int32_t fighterGetType() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->type : selectedLeaderType;
}
int32_t fighterGetSecretItems() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->secretItems : 0;
}
int32_t gameGetSubSystem() {
    return gameSystem >= 0 && gameSystem <= 3 ? gameSystem : 0;
}

void fighterResetCreditCount() {
    if (FighterFields* f = fighterFieldsOrNull()) f->creditCount = 1;
}
int32_t fighterGetCreditCount() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->creditCount : 0;
}
void fighterSetEntryWord(int32_t word) {
    if (FighterFields* f = fighterFieldsOrNull()) f->entryWord = word;
}
int32_t fighterGetEntryWord() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->entryWord : 0;
}
void fighterSetNoContinue(int32_t on) {
    if (FighterFields* f = fighterFieldsOrNull()) f->noContinue = on;
}
int32_t fighterGetNoContinue() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->noContinue : 0;
}
void fighterSetHold(int32_t hold) {
    FighterFields* f = fighterFieldsOrNull();
    if (!f) return;
    f->hold = hold;
    if (hold == 0) f->giveUpHoldCount = f->giveUpDone = 0;
}
int32_t fighterGetHold() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->hold : 0;
}

void fighterSetShieldTimer(int32_t k) {
    FighterFields* f = fighterFieldsOrNull();
    if (!f) return;
    if (fighterSceneRuns(objTag("PLSL")) || fighterSceneRuns(objTag("OVER")) || stageResultActive != 0) k = 0;
    if (k == 1) f->shieldTimer = kFighterShieldLong;
    if (k == 2) f->shieldTimer = kFighterShieldShort;
    if (k == 0) f->shieldTimer = 0;
    fighterShieldDisplayLevel = 100;
}
int32_t fighterShieldLevel() { return fighterShieldDisplayLevel; }
void fighterSetShieldLevel(int32_t level) { fighterShieldDisplayLevel = level; }

int32_t fighterGetCombo() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->combo : 0;
}
int32_t destructionStepA() {
    if (seqIsScoreAttack()) return 1;
    return gameMode == 0 ? 3 : gameMode == 1 ? 2 : 1;
}
int32_t destructionStepB() {
    if (seqIsScoreAttack()) return 1;
    return gameMode == 0 ? 4 : gameMode == 1 ? 5 : 1;
}
int32_t destructionStepC() {
    if (seqIsScoreAttack()) return 1;
    return gameMode == 0 ? 4 : gameMode == 1 ? 5 : gameMode == 2 ? 3 : 1;
}
int32_t modeKeepPercent() {
    if (seqIsScoreAttack()) return 90;
    if (gameMode == 0 || gameMode == 1) return 95;
    return gameMode == 2 || gameMode == 3 ? 90 : 80;
}
void fighterAddDestruction(int32_t amount) {
    FighterFields* f = fighterFieldsOrNull();
    if (!f || bossPresentFlag == 2) return;
    f->destruction = std::clamp(f->destruction + amount, 0, kFighterDestructionMax);
}
int32_t fighterGetDestruction() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->destruction : 0;
}

bool fighterIsBlowing() {
    const FighterFields* f = fighterFieldsOrNull();
    return f && f->blowDisplay > 0;
}
bool fighterIsBlowArmed() {
    const FighterFields* f = fighterFieldsOrNull();
    if (!f || f->blowOff) return false;
    return f->blowCooldown == 0 || f->blowDisplay > 0;
}
void fighterSetBlowCooldown(int32_t frames) {
    if (FighterFields* f = fighterFieldsOrNull()) f->blowCooldown = frames;
}
int32_t fighterGetBlowCooldown() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->blowCooldown : 0;
}
void fighterSetBlowOff(int32_t off) {
    if (FighterFields* f = fighterFieldsOrNull()) f->blowOff = off;
}
int32_t fighterGetBlowOff() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->blowOff : 0;
}
int32_t fighterGetBlowDisplay() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->blowDisplay : 0;
}
void fighterSetBlowMarker(int32_t selector) {
    if (FighterFields* f = fighterFieldsOrNull()) f->blowMarker = selector;
}
float fighterGetFactor() { return 1.0f; }
int32_t fighterGetMissCount() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->misses : 0;
}

void fighterSetGaugeMode(int32_t mode) {
    if (FighterFields* f = fighterFieldsOrNull()) f->gaugeMode = mode;
}
int32_t fighterGetGaugeMode() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->gaugeMode : 0;
}
void fighterSetPage5Word(int32_t word) {
    if (FighterFields* f = fighterFieldsOrNull()) f->page5Word = word;
}
int32_t fighterGetPage5Word() {
    const FighterFields* f = fighterFieldsOrNull();
    return f ? f->page5Word : 0;
}
void fighterSetLessonFlag(int32_t which, int32_t on) {
    FighterFields* f = fighterFieldsOrNull();
    if (f && which >= 0 && which < 2) f->lessonFlags[which] = on;
}
int32_t fighterGetLessonFlag(int32_t which) {
    const FighterFields* f = fighterFieldsOrNull();
    return f && which >= 0 && which < 2 ? f->lessonFlags[which] : 0;
}

FighterRecord fighterRecord() {
    FighterRecord record{};
    const FighterFields* f = fighterFieldsOrNull();
    if (!f) return record;
    record.score = f->score;
    std::copy(std::begin(f->subScores), std::end(f->subScores), record.subScores);
    record.maxRank = f->rank;
    record.fighterWord = uint32_t(f->creditCount);
    return record;
}
