// The fighter at a stage start: the stage-start clears, the snapshot that
// replays and restarts start from, the reset to the start point and the
// return after a continue.
#include <algorithm>
#include <array>
#include <iterator>

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/replay_header.h"
#include "game/core/wheel_log.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_steps.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"

namespace {

constexpr int32_t kFighterStageStartInvulnerable = 180;
// The continue's return flies in as after a miss.
constexpr int32_t kFighterReturnFireLock = 120;
constexpr int32_t kFighterReturnInvulnerableNovice = 300;
constexpr int32_t kFighterReturnInvulnerable = 240;

std::array<ReplayWorkImage, kReplayWorkImages> fighterRetryCopy{};
bool fighterClampLogged = false;

// The fighter's and its gun units' records; null where there is none.
std::array<ObjWork*, kReplayWorkImages> fighterSnapshotWorks(ObjWork* work) {
    const FighterFields& f = fighter(work);
    return {work, objRefWork(f.gunUnits[0]), objRefWork(f.gunUnits[1])};
}

// An image read back from a file may hold anything: the values play leans
// on are held to their ranges, with one line in the log the first time.
void fighterSnapshotClamp(ObjWork* work) {
    FighterFields& f = fighter(work);
    bool clamped = false;
    auto hold = [&clamped](int32_t& value, int32_t low, int32_t high) {
        const int32_t held = std::clamp(value, low, high);
        clamped |= held != value;
        value = held;
    };
    hold(f.type, 0, kFighterTypes - 1);
    for (int32_t& gauge : f.teamGauges) hold(gauge, 0, kFighterGaugeFull);
    hold(f.energy, 0, kFighterEnergyMax);
    hold(f.rank, 0, kFighterRankMax);
    hold(work->life, 0, kFighterLifeMax);
    hold(f.displayedEnergy, 0, kFighterEnergyMax);
    if (clamped && !fighterClampLogged) {
        SDL2_wheel_Log("fighter snapshot: values out of range were held to their limits");
        fighterClampLogged = true;
    }
}

// Takes a record back (the images hold values only, so callbacks, task
// links, motion slots, draw entries and hit boxes stay), keeping the gun
// units the fighter has now.
template <typename Restore>
void fighterSnapshotRestore(ObjWork& work, bool isFighter, Restore&& restoreValues) {
    std::array<ObjRef, 2> guns{};
    if (isFighter) std::copy(std::begin(fighter(&work).gunUnits), std::end(fighter(&work).gunUnits), guns.begin());
    restoreValues();
    if (!isFighter) return;
    std::copy(guns.begin(), guns.end(), fighter(&work).gunUnits);
    fighterSnapshotClamp(&work);
}

void fighterPlace(ObjWork* work) {
    work->x = kFighterHomeX;
    work->y = stageNumber == 0 ? kFighterPrologueY : kFighterHomeY;
    work->depth = kFighterDepth;
}

}  // namespace

void fighterStageClears(ObjWork* work) {
    FighterFields& f = fighter(work);
    fighterSetType(f.type);
    f.invulnerable = std::max(f.invulnerable, kFighterStageStartInvulnerable);
    fighterPlace(work);
    work->angle = 0.0f;
    work->heading = 0;
    work->speed = kFighterStartSpeed;
    f.moveHeading = 0;
    f.entry = 0;
    f.weaponMode = f.fireHold = f.fireCount = f.fireFrame = f.fireHeld = f.fireLock = f.powerLock = 0;
    f.powerUp = f.powerFlash = f.powerStart = f.powerDisplay = f.displayedEnergy = f.powerFrame = 0;
    f.lowEnergy = f.fullStart = f.doubleDrain = f.powerFade = f.energyFullFlash = 0;
    f.powerAlpha = f.powerScale0 = f.powerScale1 = 0.0f;
    f.misses = f.destruction = f.frameCount = 0;
    f.stageNoMiss = 1;
    f.bombActive = f.autoBomb = f.bombTime = 0;
    f.control = f.weaponsOn = 0;
    f.absent = 1;
    if (stageNumber == 0) f.firstStage = 1;
}

void fighterStageSnapshot(bool restore) {
    ObjWork* work = fighterGetWork();
    if (!work) return;
    fighterStageClears(work);
    // Every stage starts without a message, recorded or played back alike.
    voiceMessageReset();
    const std::array<ObjWork*, kReplayWorkImages> works = fighterSnapshotWorks(work);
    for (int i = 0; i < kReplayWorkImages; ++i) {
        ObjWork* one = works[size_t(i)];
        if (!one) continue;
        // The retry copy first, so a restarted stage's recording starts from what it plays.
        if (restore) fighterSnapshotRestore(*one, i == 0, [&] { replayWorkRestore(fighterRetryCopy[size_t(i)], *one); });
        if (replayIoMode == 1) replayHeaderStoreWork(i, *one);
        if (replayIoMode == 2) fighterSnapshotRestore(*one, i == 0, [&] { replayHeaderRestoreWork(i, *one); });
        if (!restore) replayWorkStore(*one, fighterRetryCopy[size_t(i)]);
    }
}

void fighterResetPosition() {
    ObjWork* work = fighterGetWork();
    if (!work) return;
    fighterStageClears(work);
    FighterFields& f = fighter(work);
    f.creditCount = std::min(f.creditCount + 1, kFighterCreditMax);
}

void fighterContinueReturn() {
    ObjWork* work = fighterGetWork();
    if (!work) return;
    FighterFields& f = fighter(work);
    // The waiting fighter task leaves its wait once a gauge is full again.
    std::fill(std::begin(f.teamGauges), std::end(f.teamGauges), kFighterGaugeFull);
    f.fireLock = kFighterReturnFireLock;
    f.absent = 1;
    const int32_t invulnerable = gameMode == 0 ? kFighterReturnInvulnerableNovice : kFighterReturnInvulnerable;
    f.invulnerable = std::max(f.invulnerable, invulnerable);
}
