// The root task's frame step and the follow-ups of its boot loads.
#include "engine/base/debug_trace.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_load_task.h"
#include "engine/ui/psb_font.h"
#include "game/core/apm_glue.h"
#include "game/core/app_start.h"
#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/game_timer.h"
#include "game/core/coin_hook.h"
#include "game/core/draw_warm_up.h"
#include "game/core/platform_singletons.h"
#include "game/core/sprite_draw_task.h"

namespace {

constexpr const char* kSoundArchives[] = {"bgm1", "bgm2", "bgm3", "se", "voice"};

}  // namespace

bool GameTask::soundArchivesLoaded() {
    if (!sound) return false;
    for (const char* label : kSoundArchives) {
        if (!sound->isLoaded(label)) return false;
    }
    soundReady = true;
    return true;
}

// The archives are asked for only once the document that lists them is in.
void GameTask::followUp(int index) {
    if (index < BootLoads::kFonts) {
        createFont(index);
    } else if (index == BootLoads::kSoundDocument) {
        for (const char* label : kSoundArchives) getParallelSet().add(new MSoundLoadArchiveTask(label));
    }
}

void GameTask::createFont(int k) {
    if (!fontFiles[k] || fonts[k]) return;
    fonts[k] = new MPSBFont(*fontFiles[k], 1.0f);
    createTextLines(k);
    drawWarmListFont(drawWarmUp, *fonts[k]);
}

// After the platform's exit request only the platform update runs.
void GameTask::stepMain() {
    const int32_t elapsed = gameTimer.getElapsedMicroseconds();
    coinFlag = 0;
    SDL2_wheel_APMUpdate(uint32_t(elapsed), attractMode);
    const arcade::AMDaemonManager* daemon = arcade::AMDaemonManager::getInstance();
    if (daemon && daemon->exitRequested) {
        if (!exitHandled) {
            M_DEBUG_TRACE("platform exit request passed to the engine");
            resetTextLines();
            raiseCloseRequest();
            exitHandled = true;
        }
        return;
    }
    prepareShadersAhead();
    warmDrawStatesAhead(drawWarmUp, virtualScreenDriver);
    if (!boot.ready()) {
        boot.poll(*this);
        if (boot.ready()) M_DEBUG_TRACE("boot resources ready");
    }
    for (SpriteDrawTask* layer : spriteLayers) {
        if (layer) layer->clearCount();
    }
    const bool keepRunning = !exitButtonPressed();
    const bool result = gameMainUpdate(keepRunning);
    gameMainDraw();
    resetTextLines();
    if (!result) {
        resetTextLines();
        raiseCloseRequest();
    }
}
