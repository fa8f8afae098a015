// Provisional: the fighter family replaces this file.
#include "game/objects/fighter_snapshot.h"

#include <array>

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/replay_files.h"
#include "game/objects/fighter_values.h"

namespace {

constexpr int kFighterGroup = 9;
constexpr int kGunUnitGroup = 10;

std::array<ReplayWorkImage, kReplayWorkImages> retryCopy{};

// The fighter, then the first two gun units; null where there is none.
std::array<ObjWork*, kReplayWorkImages> snapshotWorks() {
    std::array<ObjWork*, kReplayWorkImages> works{};
    size_t gunUnit = 1;
    OBJtaskWalk(kFighterGroup, [&](ObjTask* task) {
        if (works[0] == nullptr && task->tag == objTag("FIGH")) works[0] = task->work;
    });
    OBJtaskWalk(kGunUnitGroup, [&](ObjTask* task) {
        if (gunUnit < works.size() && task->tag == objTag("RGUN") && task->work) works[gunUnit++] = task->work;
    });
    return works;
}

// The stand-in keeps the fighter's counters apart from its record; in the
// snapshot they travel in the record's fighter fields.
void valuesIntoRecord(const FighterWork& values, ObjWork* work) {
    FighterFields& f = fighter(work);
    f.score = values.score;
    f.type = values.type;
    f.creditCount = values.creditCounter;
    f.rank = values.rank;
    f.energy = values.energy;
    f.powerUp = values.powerUp;
    f.stock = values.stock;
    f.bonusCounter = values.bonusCounter;
    f.destruction = values.destruction;
    work->life = values.lives;
}

void valuesFromRecord(ObjWork* work, FighterWork& values) {
    const FighterFields& f = fighter(work);
    values.score = f.score;
    values.type = f.type;
    values.creditCounter = f.creditCount;
    values.rank = f.rank;
    values.energy = f.energy;
    values.powerUp = uint8_t(f.powerUp);
    values.stock = f.stock;
    values.bonusCounter = f.bonusCounter;
    values.destruction = f.destruction;
    values.lives = work->life;
}

}  // namespace

void fighterStageSnapshot(bool restart) {
    const std::array<ObjWork*, kReplayWorkImages> works = snapshotWorks();
    FighterWork* values = fighterWork();
    if (works[0] == nullptr || values == nullptr) return;
    valuesIntoRecord(*values, works[0]);
    for (int i = 0; i < kReplayWorkImages; ++i) {
        ObjWork* work = works[size_t(i)];
        if (work == nullptr) continue;
        // The retry copy first, so a restarted stage's recording starts from what it plays.
        if (restart) replayWorkRestore(retryCopy[size_t(i)], *work);
        if (replayIoMode == 1) replayHeaderStoreWork(i, *work);
        if (replayIoMode == 2) replayHeaderRestoreWork(i, *work);
        if (!restart) replayWorkStore(*work, retryCopy[size_t(i)]);
    }
    valuesFromRecord(works[0], *values);
}
