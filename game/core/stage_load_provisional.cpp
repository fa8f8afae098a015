// Provisional: the stage load replaces this file.
#include "game/core/obj_task.h"
#include "game/core/play_state.h"
#include "game/core/stage_load.h"
#include "game/stages/stage_services.h"

std::array<StageImageSlot, kStageImageSlots> stageImageSlots;

namespace {

constexpr uint32_t kStageReleaseTags[] = {objTag("FILD"), objTag("EFCT"), objTag("SSHT"), objTag("SMZL"),
                                          objTag("ZAKO"), objTag("FSHT"), objTag("ESHT"), objTag("ITEM"),
                                          objTag("SPLT"), objTag("BOMB"), objTag("BOSS"), objTag("ENDI"),
                                          objTag("ZANG")};

}  // namespace

void stageImageSlotsFree() {
    for (StageImageSlot& slot : stageImageSlots) slot = StageImageSlot{};
}

void stageLoad(int32_t stage, bool) {
    stageNumber = stage;
    stageStartFrame = -1;
    itemCarrierChangeTimer = 0;
    itemCarrierBombTimer = 0;
    stageProgress = 0;
    if (stage >= 0 && stage <= 5) OBJtaskCreate(stageFieldProvisionalAct, 1, objTag("FILD"));
    // The prologue has no pause menu.
    pauseAllowed = stage != 0;
}

void stageRelease(int32_t, bool) {
    for (uint32_t tag : kStageReleaseTags) OBJtaskReleaseByTag(tag);
    pauseAllowed = 0;
}
