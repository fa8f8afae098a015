// The game main's release, once the main loop has ended: the tasks, the
// overlays' owners, the motion slots and files, the rankings, the replay
// buffers and temp files; the save block is written a last time so the
// play time of the run survives.
#include "engine/data/psb_object.h"
#include "game/core/game_main.h"
#include "game/core/game_main_resources.h"
#include "game/core/game_task.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/psb_cache.h"
#include "game/core/replay_files.h"
#include "game/core/stage_load.h"
#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block.h"

namespace {

void freeOwner(ObjWork*& owner) {
    if (owner == nullptr) return;
    OBJworkFree(owner);
    owner = nullptr;
}

void releaseSlot(GameTask* task, int32_t& slot) {
    if (task) task->releaseMotionSlot(slot);
    slot = -1;
}

void releaseMotionFiles() {
    for (const char* name : kBaseMotionFiles) releasePSBObject(name);
}

void freeRankings() {
    rankingTables().all.reset();
    rankingTables().today.reset();
}

void emptyPsbCache() {
    for (auto& [key, document] : psbCache()) delete document;
    psbCache().clear();
}

}  // namespace

void gameMainRelease() {
    GameTask* task = GameTask::getInstance();
    OBJtaskReleaseAll(nullptr);
    freeOwner(bigDigitOwner);
    releaseSlot(task, menuFrameSlot);
    releaseSlot(task, menuFrameBgSlot);
    releaseMotionFiles();
    freeOwner(gameMainOwner);
    freeRankings();
    OBJtaskReleaseAll(nullptr);
    slowMotionFrames = 0;
    replayInputFree();
    stageImageSlotsFree();
    replayClearFolder();
    saveDataWrite(makeAppRootPath(kSaveDataFile));
    // A slot whose object outlived the bulk releases; each motion goes
    // before its layer, which the motion's destructor still uses.
    if (task) task->releaseLeftoverMotionSlots();
    emptyPsbCache();
}
