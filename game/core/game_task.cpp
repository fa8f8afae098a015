#include "game/core/game_task.h"

#include <mutex>
#include <new>

#include "engine/app/app_events.h"
#include "engine/base/global_mutex.h"
#include "engine/data/psb_object.h"
#include "engine/input/input.h"
#include "engine/input/input_map.h"
#include "engine/ui/psb_font.h"
#include "game/core/backdrop_layer.h"
#include "game/core/obj_work.h"
#include "game/core/sprite_draw_task.h"

namespace {
GameTask* instance = nullptr;
}  // namespace

GameTask* GameTask::getInstance() {
    if (!instance) instance = new (std::nothrow) GameTask;
    return instance;
}

GameTask::GameTask() {
    soundVolume.fill(100);
    resetMotionSlots();
    objMotionSlotRelease = [](int32_t slot) {
        if (instance) instance->releaseMotionSlot(slot);
    };
    psbDocumentKept = [](PSBObject* document) {
        return instance && motionSlotsKeepDocument(instance->motionSlots, document);
    };
}

// The tasks go first: a font read still under way writes into fontFiles. The
// slots go before the locators that hold them, which would delete a slot's
// layer before its motion.
GameTask::~GameTask() {
    releaseLeftoverMotionSlots();
    releaseSpriteTarget();
    getSerialSet().clear();
    getParallelSet().clear();
    psbCache->clear();
    for (MPSBFont*& font : fonts) {
        delete font;
        font = nullptr;
    }
    for (PSBObject*& file : fontFiles) {
        delete file;
        file = nullptr;
    }
    if (instance == this) instance = nullptr;
}

void GameTask::detachTexture(const MRawTex* texture) {
    if (backdropLayer) backdropLayer->forgetPicture();
    for (SpriteDrawTask* layer : spriteLayers) {
        if (layer) layer->detachTexture(texture);
    }
}

bool GameTask::exitButtonPressed() const { return input && (input->pressed() & kInputExit) != 0; }

void GameTask::raiseCloseRequest() {
    std::lock_guard lock(engineGlobalMutex());
    writeAppEvent(MAppEvent::CloseRequested, true);
}
