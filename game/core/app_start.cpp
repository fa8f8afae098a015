#include "game/core/app_start.h"

#include <thread>

#include "engine/data/data_file_key.h"
#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"
#include "game/core/controller_manager.h"
#include "game/core/platform_singletons.h"
#include "game/core/server_keep_alive.h"
#include "platform/arcade/apm.h"

void installDataFileKey() {
    dataFileKey = kDataFileKeyText;
    dataFileKeyMode = kDataFileKeyStreamLength;
}

void createPlatformSingletons() {
    ModuleFactory::create();
    arcade::AMDaemonManager::create();
    controller::Manager::create();
    _Core_execute();
    std::this_thread::yield();
    keepAliveReset();
}

void prepareShadersAhead() {
    MDisplay* display = MDisplay::getInstance();
    MWinD3DWin* win = display ? display->d3dWin() : nullptr;
    if (win && win->device()) win->prepareShaders(kShadersPreparedPerFrame);
}
